#include "engine/variable_store.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/number_forms.h"

namespace tobrisk {
namespace {

class VariableStoreTest : public ::testing::Test {
  protected:
    VariableStoreTest() : store(record) { store.reset(); }

    // Defines and returns the message, as the lexer would show it.
    std::string define(const std::string& name, const std::string& body) {
        return store.define(name, body).message;
    }
    void fill(int upTo) {
        while (store.count() < upTo) {
            int i = store.append();
            store.record().setName(i, "v" + std::to_string(i));
            store.setVariable(i, i);
        }
    }

    DataRecord record;
    VariableStore store;
    NumberForms forms;
};

TEST_F(VariableStoreTest, ResetRestoresTheNativeEntries) {
    EXPECT_EQ(store.count(), 3);
    EXPECT_EQ(store.find("r"), 1);
    EXPECT_EQ(store.find("pi"), 2);
    EXPECT_EQ(store.find("e"), 3);
    EXPECT_EQ(record.value(2), 3.141592653589793);
    EXPECT_EQ(record.value(3), 2.718281828459045);
    EXPECT_EQ(store.find("x"), 0);
    EXPECT_EQ(store.refreshListing(forms),
              (std::vector<std::string>{"r = 0", "pi = 3.14159265358979", "e = 2.71828182845905"}));
}

TEST_F(VariableStoreTest, DefinitionsGetPlaceholdersAndSignatures) {
    struct Case {
        const char* name;
        const char* body;
        int params;
        const char* signature;
        const char* paramBody;
    } cases[] = {
        {"sq", "x^2", 1, "(x)", "&01^2"},      {"f", "a*b+a", 2, "(a,b)", "&02*&01+&02"},
        {"g", "2x+1", 1, "(x)", "2*&01+1"},    {"h", "1.5e-3*y", 1, "(y)", "1.5e-3*&01"},
        {"k", "sin(x)", 1, "(x)", "sin(&01)"}, {"area", "2*pi*x", 2, "(pi,x)", "2*&02*&01"},
        {"up", "X+Y", 2, "(x,y)", "&02+&01"},  {"ex", "2e+x", 1, "(x)", "2e+&01"},
        {"ez", "e", 1, "(e)", "&01"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(define(c.name, c.body), "");
        const int i = store.find(c.name);
        ASSERT_GT(i, 0);
        EXPECT_EQ(record.kind(i), EntryKind::UserFunction);
        EXPECT_EQ(record.body(i), c.body);
        EXPECT_EQ(record.paramCount(i), c.params);
        EXPECT_EQ(record.signature(i), c.signature);
        EXPECT_EQ(record.paramBody(i), c.paramBody);
    }
}

TEST_F(VariableStoreTest, TwelveParametersUseTwoDigitPlaceholders) {
    EXPECT_EQ(define("m", "a+b+c+d+f+g+h+i+j+k+l+m2"), "");
    const int i = store.find("m");
    EXPECT_EQ(record.paramCount(i), 12);
    EXPECT_EQ(record.paramBody(i).substr(0, 8), "&12+&11+");
    EXPECT_EQ(record.paramBody(i).substr(record.paramBody(i).size() - 3), "&01");
}

TEST_F(VariableStoreTest, Refusals) {
    struct Case {
        const char* name;
        const char* body;
        const char* message;
    } cases[] = {
        {"f", "f+1", "function \"f\" refused: auto-reference"},
        {"f", "foo(x)+f", "function \"f\" refused: auto-reference"},
        {"sin", "x", "function \"sin\" refused: name of native function"},
        {"mdc", "x", "function \"mdc\" refused: name of native function"},
        {"pi", "3", "function \"pi\" refused: name of native variable"},
        {"r", "x", "function \"r\" refused: name of native variable"},
        {"k", "foo(x)", "function \"k\" refused: reference to inexistent function"},
        {"k", "123456789012345678901234567890123456789012345678901",
         "function \"k\" refused: body with more than 50 characters"},
        {"k", "x&01", "function \"k\" refused: character & not allowed in a body"},
        {"k", "a+b+c+d+f+g+h+i+j+k1+l+m+n+o+p+q+s+t+u+v+w",
         "function \"k\" refused: more than 20 parameters"},
        {"k", "2x+2x+2x+2x+2x+2x+2x+2x+2x+2x+2x+2x+2x+2x+2x+2x",
         "function \"k\" refused: parameterised body with more than 60 characters"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        const auto before = record.bytes();
        EXPECT_EQ(define(c.name, c.body), c.message);
        EXPECT_TRUE(record.bytes() == before) << "store changed";
    }
}

TEST_F(VariableStoreTest, ConstantFunctionIsAcceptedWithANotice) {
    EXPECT_EQ(define("c", "42"), "constant-value function, accepted");
    const int i = store.find("c");
    EXPECT_EQ(record.kind(i), EntryKind::UserFunction);
    EXPECT_EQ(record.paramCount(i), 0);
    EXPECT_EQ(store.userFunctionNames(), "");
    EXPECT_FALSE(store.isFunctionName("c"));
}

TEST_F(VariableStoreTest, RedefinitionReplacesInPlace) {
    define("f", "x+y");
    const int i = store.find("f");
    define("g", "2*z");
    EXPECT_EQ(define("f", "q^2"), "");
    EXPECT_EQ(store.find("f"), i);
    EXPECT_EQ(store.count(), 5);
    EXPECT_EQ(record.signature(i), "(q)");
    EXPECT_EQ(record.paramBody(i), "&01^2");
    EXPECT_EQ(record.paramCount(i), 1);
    // A variable of that name becomes the function.
    const int v = store.append();
    record.setName(v, "w");
    store.setVariable(v, 3);
    define("w", "t+1");
    EXPECT_EQ(store.find("w"), v);
    EXPECT_EQ(record.kind(v), EntryKind::UserFunction);
}

TEST_F(VariableStoreTest, NameListsNeverRepeatAName) {
    for (int k = 0; k < 5; ++k) {
        define("f", "x+1");
        define("g", "y*2");
    }
    EXPECT_EQ(store.userFunctionNames(), "f g ");
    EXPECT_EQ(store.functionNames(), VariableStore::nativeNames() + "f g ");
    EXPECT_TRUE(store.isFunctionName("f"));
    EXPECT_TRUE(store.isFunctionName("gcd"));
    EXPECT_FALSE(store.isFunctionName("h"));
    // A body may call a function defined before.
    EXPECT_EQ(define("h", "f(z)+1"), "");
    EXPECT_EQ(record.paramBody(store.find("h")), "f(&01)+1");
}

TEST_F(VariableStoreTest, FunctionNamesComeFromTheEntriesAtStart) {
    // Long names overflow the saved list; after a restart every function is still known.
    std::vector<std::string> names;
    for (int k = 0; k < 12; ++k) {
        names.push_back(std::string(25, char('a' + k)));
        EXPECT_EQ(define(names.back(), "x+1"), "");
    }
    EXPECT_EQ(store.userFunctionNames().size(), 255u);
    VariableStore restarted(record);
    for (const auto& n : names) EXPECT_TRUE(restarted.isFunctionName(n)) << n;
}

TEST_F(VariableStoreTest, ForgetUserFunctionRemovesWholeNamesOnly) {
    define("ab", "x");
    define("b", "y");
    define("abc", "z");
    store.forgetUserFunction("b");
    EXPECT_EQ(store.userFunctionNames(), "ab abc ");
    EXPECT_TRUE(store.isFunctionName("ab"));
    EXPECT_FALSE(store.isFunctionName("b"));
    store.forgetUserFunction("ab");
    EXPECT_EQ(store.userFunctionNames(), "abc ");
}

TEST_F(VariableStoreTest, FullStoreRefusesBeforeWriting) {
    fill(60);
    const auto before = record.bytes();
    EXPECT_EQ(define("f", "x+1"), "more than 60 variables/events");
    EXPECT_EQ(store.append(), 0);
    EXPECT_TRUE(record.bytes() == before);
    // An existing name can still be redefined.
    EXPECT_EQ(define("v10", "x+1"), "");
    EXPECT_EQ(record.kind(10), EntryKind::UserFunction);
}

TEST_F(VariableStoreTest, AppendAndRemoveClearTheFreedPosition) {
    int b = store.append();
    record.setName(b, "b");
    store.setIntegerVariable(b, 7, 7);
    int c = store.append();
    record.setName(c, "c");
    store.setVariable(c, 1.5);
    store.remove(b);
    EXPECT_EQ(store.count(), 4);
    EXPECT_EQ(record.name(4), "c");
    EXPECT_EQ(record.value(4), 1.5);
    EXPECT_EQ(store.find("b"), 0);
    // Position 5 is free and clean; a new entry there inherits nothing.
    int y = store.append();
    EXPECT_EQ(y, 5);
    EXPECT_EQ(record.name(5), "");
    EXPECT_EQ(record.value(5), 0);
    EXPECT_EQ(record.kind(5), EntryKind::Variable);
    // Native entries and positions outside the store are left alone.
    store.remove(1);
    store.remove(0);
    store.remove(99);
    EXPECT_EQ(store.count(), 5);
}

TEST_F(VariableStoreTest, ResetEmptiesEverything) {
    define("f", "x+1");
    fill(20);
    store.reset();
    EXPECT_EQ(store.count(), 3);
    EXPECT_EQ(store.userFunctionNames(), "");
    EXPECT_FALSE(store.isFunctionName("f"));
    EXPECT_EQ(record.name(4), "");
    EXPECT_EQ(record.body(4), "");
}

TEST_F(VariableStoreTest, ListingLines) {
    int i = store.append();
    record.setName(i, "x");
    store.setVariable(i, 2.5);
    i = store.append();
    record.setName(i, "n");
    store.setIntegerVariable(i, 9007199254740993.0, 9007199254740993);
    define("sq", "x^2");
    define("c", "42");
    i = store.append();
    record.setKind(i, EntryKind::Event);
    record.setName(i, "ev");
    record.setTime(i, 45000.5 + 1.0 / 86400);  // 12:00:01
    record.setBody(i, "call home");
    const std::string longName(30, 'q');
    define(longName, "a1+b2+c3+d4+e5+f6+g7+h8+i9+j10+k11+l12+m13");
    const auto& lines = store.refreshListing(forms);
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[3], "x = 2.5");
    EXPECT_EQ(lines[4], "n = 9007199254740993");
    EXPECT_EQ(lines[5], "sq(x) = x^2");
    EXPECT_EQ(lines[6], "c = 42");
    EXPECT_EQ(lines[7], "12:00:01 - call home");
    EXPECT_EQ(lines[8], longName + "(a1,b2,c3,d4,e5,f6,g7,h8,i9,j10,k11,l12,m13) = " +
                            "a1+b2+c3+d4+e5+f6+g7+h8+i9+j10+k11+l12+m13");
    const unsigned v = store.listingVersion();
    store.setFirstListingLine("r = 7");
    EXPECT_EQ(store.listing()[0], "r = 7");
    EXPECT_GT(store.listingVersion(), v);
}

TEST_F(VariableStoreTest, ListingFollowsEveryChangeOfTheRecord) {
    // The listing is made again only where the record changed; whatever wrote the bytes.
    fill(6);
    forms.setSeparators(Separators{',', '.'});
    const auto listing = [&] { return store.refreshListing(forms); };
    EXPECT_EQ(listing()[4], "v5 = 5");
    const unsigned before = store.listingVersion();

    record.setValue(4, 0.5);  // a value written past the store
    record.setName(6, "w");
    EXPECT_EQ(listing()[3], "v4 = 0,5");
    EXPECT_EQ(listing()[5], "w = 6");
    EXPECT_GT(store.listingVersion(), before);

    forms.setSeparators(Separators{'.', ','});
    EXPECT_EQ(listing()[3], "v4 = 0.5");

    store.remove(5);  // the entries after it move up
    ASSERT_EQ(listing().size(), 5u);
    EXPECT_EQ(listing()[4], "w = 6");
    fill(7);
    ASSERT_EQ(listing().size(), 7u);
    EXPECT_EQ(listing()[6], "v7 = 7");

    // Another record's bytes loaded in place (Open): every line from the new record.
    DataRecord other;
    VariableStore fresh(other);
    fresh.reset();
    record.bytes() = other.bytes();
    EXPECT_EQ(listing(),
              (std::vector<std::string>{"r = 0", "pi = 3.14159265358979", "e = 2.71828182845905"}));

    // A line set from outside is made again from the record at the next refresh, and so is
    // one said to be made from an r the record does not hold (another number, another kind,
    // a damaged entry). One made from the r the record holds stands (the evaluator's line);
    // a marked text shows which line the refresh kept.
    store.setFirstListingLine("r = 7");
    EXPECT_EQ(listing()[0], "r = 0");
    store.setVariable(1, 7);
    const struct {
        Value said;
        const char* kept;
    } cases[] = {
        {Value{7, 0, false}, "r = 7 (kept)"},
        {Value{7, 7, true}, "r = 7"},  // an integer variable was said: the record holds a double
        {Value{8, 0, false}, "r = 7"},
    };
    for (const auto& c : cases) {
        store.setFirstListingLine("r = 7 (kept)", c.said);
        EXPECT_EQ(listing()[0], c.kept) << c.said.value << c.said.exact;
    }
    store.setIntegerVariable(1, 9, 9);
    store.setFirstListingLine("r = 9 (kept)", Value{9, 9, true});
    EXPECT_EQ(listing()[0], "r = 9 (kept)");
    record.setValue(1, 10);  // written after the line was made
    EXPECT_EQ(listing()[0], "r = 9");
    record.setKind(1, EntryKind::Variable);
    record.setValue(1, std::nan(""));
    store.setFirstListingLine("r = nan", Value{std::nan(""), 0, false});
    EXPECT_EQ(listing()[0], "r = invalid");
    record.setValue(1, 1);
    record.setName(1, "q");
    store.setFirstListingLine("r = 1", Value{1, 0, false});
    EXPECT_EQ(listing()[0], "q = 1");
}

}  // namespace
}  // namespace tobrisk
