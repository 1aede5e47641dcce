// Assignment and the calls of user functions. A call is expanded by rewriting the line: the
// call's text is replaced by the function's parameterised body with the argument values filled
// in, and the line calculation starts over on the new line.

#include <algorithm>
#include <cctype>

#include "engine/erro_c.h"
#include "engine/evaluator.h"

namespace tobrisk {

void Evaluator::assign() {
    const Slot y = slot(1);
    const Slot& target = slot(2);
    if (!target.name) throw ErroC("invalid assignment");
    const std::string& name = *target.name;
    if (name == "r" || name == "pi" || name == "e") {
        // Not a failure that stops the line: the rest is still calculated.
        ctx_.message = "\"" + name + "\" variable can't be altered";
    } else {
        const int index = target.index;
        journal(index);
        if (ctx_.integerMode && y.exact) {
            store_.setIntegerVariable(index, y.value, y.twin);
        } else {
            store_.setVariable(index, y.value);
        }
        if (index == pendingEntry_) {
            store_.record().setName(index, std::string_view(name).substr(0, layout::kNameCapacity));
            pendingEntry_ = 0;
        }
        listingDirty_ = true;
    }
    drop(2);
    Slot& out = slot(1);
    out = y;
    out.name = nullptr;
    out.index = 0;
}

Evaluator::Flow Evaluator::callUserFunction(const std::string& name, int count) {
    const DataRecord& rec = store_.record();
    int entry = 0;
    for (int i = 1, n = store_.count(); i <= n && entry == 0; ++i) {
        if (rec.kind(i) == EntryKind::UserFunction && rec.paramCount(i) == count &&
            rec.name(i) == name)
            entry = i;
    }
    if (entry == 0) {
        if (store_.isFunctionName(name))
            throw ErroC("function \"" + name + "\": wrong number of arguments");
        throw ErroC("function \"" + name + "\" unknown");
    }

    // Placeholder &k takes stack slot k (slot 1 is the last argument). Exact values keep all
    // their digits; negative ones are bracketed so that a sign before the placeholder still
    // reads as intended.
    const std::string body = rec.paramBody(entry);
    std::string substituted;
    substituted.reserve(body.size() + 16);
    for (std::size_t i = 0; i < body.size(); ++i) {
        const bool placeholder = body[i] == '&' && i + 2 < body.size() &&
                                 std::isdigit(static_cast<unsigned char>(body[i + 1])) &&
                                 std::isdigit(static_cast<unsigned char>(body[i + 2]));
        const int k = placeholder ? (body[i + 1] - '0') * 10 + (body[i + 2] - '0') : 0;
        if (!placeholder || k < 1 || k > count) {
            substituted += body[i];
            continue;
        }
        const Slot& s = slot(k);
        std::string arg =
            s.exact ? NumberForms::plainInteger(s.twin) : ctx_.forms.generalForm(s.value);
        std::replace(arg.begin(), arg.end(), ',', '.');
        if (!arg.empty() && arg[0] == '-') arg = "(" + arg + ")";
        substituted += arg;
        i += 2;
    }

    const CallRecord* call = nullptr;
    for (int c = 0; c < ctx_.calls.count && !call; ++c)
        if (ctx_.calls.records[static_cast<std::size_t>(c)].name == name)
            call = &ctx_.calls.records[static_cast<std::size_t>(c)];
    if (!call) {
        ctx_.message = "logical error: function not read";
        return Flow::Stop;
    }
    const std::string& line = ctx_.entryLine;
    const std::size_t before = std::min<std::size_t>(
        static_cast<std::size_t>(std::max(ctx_.tokens.at(call->nameIndex).position - 1, 0)),
        line.size());
    const std::size_t after = std::min<std::size_t>(
        static_cast<std::size_t>(std::max(ctx_.tokens.at(call->closeIndex).position, 0)),
        line.size());
    std::string rewritten = line.substr(0, before);
    rewritten += '(';
    rewritten += substituted;
    rewritten += ')';
    if (after >= before) rewritten += line.substr(after);
    ctx_.entryLine = std::move(rewritten);
    ctx_.rerun = true;
    return Flow::Rerun;
}

}  // namespace tobrisk
