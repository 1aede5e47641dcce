// Lexes and parses arbitrary bytes. Each input line runs on the same fresh store, so definitions
// of earlier lines feed expansions in later ones; a line starting with byte 0x01 runs in
// fraction mode. Checks that every table stays inside its bounds.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/calc_context.h"
#include "engine/lexer.h"
#include "engine/parser.h"
#include "engine/variable_store.h"

namespace {

bool knownKind(tobrisk::ItemKind k) {
    return k <= tobrisk::ItemKind::EndOfStatement;
}

void check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tobrisk;
    DataRecord record;
    VariableStore store(record);
    store.reset();
    CalcContext ctx;
    Lexer lexer(ctx, store);
    Parser parser(ctx);

    std::string_view input(reinterpret_cast<const char*>(data), size);
    while (!input.empty()) {
        const std::size_t nl = input.find('\n');
        std::string line(input.substr(0, nl));
        input = nl == std::string_view::npos ? std::string_view() : input.substr(nl + 1);

        ctx.clearForStart();
        ctx.fractionMode = !line.empty() && line[0] == '\x01';
        if (ctx.fractionMode) line.erase(0, 1);
        lexer.lex(line);
        check(ctx.tokens.count >= 0 && ctx.tokens.count <= TokenTable::kMaxTokens);
        check(ctx.tokens.at(ctx.tokens.count + 1).kind == ' ');
        check(store.count() >= 3 && store.count() <= VariableStore::kMaxEntries);
        if (!ctx.message.empty() || ctx.tokens.count == 0) continue;
        parser.parse();
        check(ctx.postfix.count >= 0 && ctx.postfix.count <= PostfixList::kMaxItems);
        check(ctx.calls.count >= 0 && ctx.calls.count <= CallRecords::kMaxCalls);
        for (int k = 0; k < ctx.postfix.count; ++k) check(knownKind(ctx.postfix.items[k].kind));
        for (int k = 0; k < ctx.calls.count; ++k) {
            const CallRecord& c = ctx.calls.records[k];
            check(c.nameIndex >= 1 && c.closeIndex <= ctx.tokens.count + 1);
        }
        store.refreshListing(ctx.forms);
    }
    return 0;
}
