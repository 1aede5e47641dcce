#pragma once
// The twelve slots of the user data and user functions pads, filled from the expression
// calculator's variable store each time the RPN window is shown, and the fill-in of a
// function's placeholders with stack values. Slots are numbered 1..12 in the number pad's
// reading order (Btn7, Btn8, Btn9, Btn4, ... BtnE).

#include <array>
#include <optional>
#include <string>

namespace tobrisk {

class DataRecord;

struct UserDataSlot {
    std::string name;  // Windows-1252, as in the store
    double value = 0;
};

struct UserFunctionSlot {
    std::string name;
    int paramCount = 0;
    std::string body;  // parameterised body; the body as typed for a constant-value function
};

class UserPads {
  public:
    static constexpr int kSlots = 12;

    // Empties both pads and walks the store from entry 1: functions with at most four
    // parameters and named variables, the twelfth slot taking any overflow.
    void fill(const DataRecord& record);
    void clear();

    int dataCount() const { return dataCount_; }
    int functionCount() const { return functionCount_; }
    // Slot 1..12; slots beyond the fill count are empty.
    const UserDataSlot& data(int slot) const;
    const UserFunctionSlot& function(int slot) const;

    // Slot of a number-pad key code (7 -> 1, 8 -> 2, ... 11 -> 12); 0 for none.
    static int slotOfKey(int keyCode);
    static int keyOfSlot(int slot);

    // The line to calculate: every placeholder "&0k" (k = 1..paramCount) replaced by
    // levels[k-1] (level 1 is X) in general format, negative values in parentheses. Nothing
    // when the body holds any other "&" (a cut or foreign placeholder).
    static std::optional<std::string> fillIn(const std::string& body, int paramCount,
                                             const std::array<double, 4>& levels);

  private:
    std::array<UserDataSlot, kSlots> data_{};
    std::array<UserFunctionSlot, kSlots> functions_{};
    int dataCount_ = 0;
    int functionCount_ = 0;
};

}  // namespace tobrisk
