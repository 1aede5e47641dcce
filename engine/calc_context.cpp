#include "engine/calc_context.h"

namespace tobrisk {

const char* kindText(ItemKind kind) {
    static constexpr const char* kTexts[] = {
        "número",      "nome",  "nome=",  "op aritm", "minus unário",
        "plus unário", "assgn", "função", "eoc"};
    return kTexts[static_cast<std::size_t>(kind)];
}

std::string PostfixItem::itemText() const {
    switch (kind) {
        case ItemKind::Operator:
        case ItemKind::Assign:
            return {op, '2'};
        case ItemKind::UnaryMinus:
        case ItemKind::UnaryPlus:
            return {op, '1'};
        case ItemKind::EndOfStatement:
            return ";";
        default:
            return text;
    }
}

void CalcContext::clearForStart() {
    calls.clear();
    stack.depth = 0;
    resultText.clear();
    message.clear();
}

std::string CalcContext::postfixTrace() const {
    std::string out;
    for (int k = 0; k < postfix.emitted; ++k) {
        const PostfixItem& it = postfix.items[static_cast<std::size_t>(k)];
        out += ' ';
        switch (it.kind) {
            case ItemKind::Operator:
                out += it.op;
                break;
            case ItemKind::UnaryMinus:
                out += "-u";
                break;
            case ItemKind::UnaryPlus:
                out += "+u";
                break;
            case ItemKind::Assign:
                out += '=';
                break;
            case ItemKind::Function:
                if (it.text.size() > 3) out.append(it.text, 3);
                break;
            case ItemKind::EndOfStatement:
                out += ';';
                break;
            default:
                out += it.text;
                break;
        }
    }
    return out;
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
