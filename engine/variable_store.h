#pragma once
// The variable store of the expression calculator: at most 60 named entries (variables, exact
// integer variables, user functions, reminder events) kept as the live positions 1..count of the
// data record, the first three being the native variables r, pi and e. It finds names, checks
// and stores user function definitions (placeholders "&01".., signature "(x,y)"), appends and
// removes entries, keeps the three name lists and builds the listing lines of the result line's
// drop-down. It owns no entries itself: every field lives in the record.
//
// Name lists: each name followed by one blank; the native and the function names list start with
// a blank, so a name is found by searching " " + name + " ".

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/value.h"
#include "exprwin/data_record.h"

namespace tobrisk {

class NumberForms;

class VariableStore {
  public:
    static constexpr int kMaxEntries = 60;
    static constexpr int kNativeEntries = 3;  // r, pi, e
    static constexpr int kMaxParameters = 20;
    static constexpr int kRIndex = 1;
    static constexpr const char* kFullMessage = "more than 60 variables/events";
    static constexpr const char* kConstantNotice = "constant-value function, accepted";
    static constexpr double kPi = 3.141592653589793;
    static constexpr double kE = 2.718281828459045;

    // Builds the function names list from the record's user-function entries. Whoever loads
    // other bytes into the record afterwards (start-up, opening a configuration) calls
    // rebuildFunctionNames() again.
    explicit VariableStore(DataRecord& record);

    DataRecord& record() { return record_; }
    const DataRecord& record() const { return record_; }
    // Entries 1..count(); the record's count clamped to 0..60.
    int count() const;

    // First entry 1..count with that name, 0 when none.
    int find(std::string_view name) const;
    // First entry of kind user function with that name, 0 when none (the lexer's expansion).
    int findUserFunction(std::string_view name) const;

    // Outcome of a definition check: accepted with reason empty; notice is the text for the
    // message slot on acceptance ("constant-value function, accepted" or empty).
    struct Check {
        bool accepted = false;
        std::string reason;
        std::string notice;
    };
    // Checks name = "body" for entry `index` (1..count + 1). On acceptance writes that entry's
    // parameter count, signature and parameterised body and adds the name to the name lists;
    // the caller writes kind, name and body. On refusal nothing is written. Refuses bodies over
    // 50 characters, bodies holding '&', more than 20 parameters and parameterised bodies over
    // 60 characters, besides the reasons of the language.
    Check checkDefinition(const std::string& name, const std::string& body, int index);

    // Outcome of define(): the text for the message slot (empty, the constant notice, the
    // lexer's "function "name" refused: reason", or the full-store message) and whether the
    // definition was stored.
    struct Definition {
        bool stored = false;
        std::string message;
    };
    // The whole definition: finds or appends the entry (refused before any write when the
    // store is full), checks, writes kind, name (cut to 30) and body.
    Definition define(const std::string& name, const std::string& body);

    // New cleared entry at count + 1; 0 (and nothing changed) when the store holds 60.
    int append();
    // Entries after index move up one place; count - 1; the freed last position is cleared.
    // Native entries (1..3) and indexes out of range are ignored.
    void remove(int index);
    // Every position cleared, r = 0, pi, e (kind variable), count 3, user function names list
    // emptied and the function names list rebuilt to the native names.
    void reset();

    // Writes a variable: kind variable, double v (twin 0).
    void setVariable(int index, double v);
    // Writes an integer variable: kind integer variable, double v and twin n.
    void setIntegerVariable(int index, double v, int64_t n);

    // " sin seno cos ... e pi r " (leading blank, one blank after each).
    static const std::string& nativeNames();
    static bool isNativeName(std::string_view name);
    // Native names followed by the user function names; for "wrong number of arguments".
    const std::string& functionNames() const { return functionNames_; }
    bool isFunctionName(std::string_view name) const;
    // The saved list ("name1 name2 ", at most 255 characters) in the record.
    std::string userFunctionNames() const;
    // Rebuilds the function names list: natives + every user function entry with parameters.
    void rebuildFunctionNames();
    // Takes a deleted function's name out of both lists (whole names only).
    void forgetUserFunction(std::string_view name);

    // Brings the listing lines (one per entry in store order) up to date with the record and
    // returns them. Only the lines of entries whose bytes changed since they were made, or all
    // of them after a change of decimal separator, are made again.
    const std::vector<std::string>& refreshListing(const NumberForms& forms);
    const std::vector<std::string>& listing() const { return listing_; }
    // The evaluator's "r = ..." after each calculation (adds the line if the list is empty).
    void setFirstListingLine(std::string_view line);
    // The same for a line made from r (exact: the integer variable r.twin, else the variable
    // r.value): while the record holds that r, the next refresh keeps the line as it is.
    void setFirstListingLine(std::string_view line, const Value& r);
    // Grows with every change of the listing, so a window can tell when to reload it.
    unsigned listingVersion() const { return listingVersion_; }

  private:
    void addUserFunctionName(const std::string& name);
    void writeListingLine(std::string& line, int i, const NumberForms& forms) const;

    DataRecord& record_;
    std::string functionNames_;
    std::vector<std::string> listing_;
    unsigned listingVersion_ = 0;
    // The record's bytes as the listing lines were made from them (only the listed fields of
    // positions 1..listedCount_ are kept up to date), and the decimal separator then in use.
    DataRecord::Bytes listed_{};
    int listedCount_ = -1;  // -1: no line is known to be current
    char listedDecimal_ = 0;
    bool firstLineSet_ = false;  // line 1 came from setFirstListingLine, not from the record
};

}  // namespace tobrisk
