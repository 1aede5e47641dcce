#include "engine/calc_context.h"

namespace tobrisk {

void CalcContext::clearForStart() {
    postfix.clear();
    calls.clear();
    stack.depth = 0;
    resultText.clear();
    message.clear();
    postfixTrace.clear();
}

std::string CalcContext::redisplay(int n) {
    forms.setDecimalPlaces(n);
    const StackSlot& top = stack.slot(1);
    if (integerMode) return forms.integerForm(top.twin);
    resultText = forms.floatForm(top.value);
    return resultText;
}

std::string CalcContext::redisplayAutomatic() {
    forms.setDecimalPlaces(NumberForms::kAutomatic);
    std::string text = forms.generalForm(stack.slot(1).value);
    text.erase(0, text.find_first_not_of(' ') == std::string::npos ? text.size()
                                                                   : text.find_first_not_of(' '));
    return text;
}

}  // namespace tobrisk
