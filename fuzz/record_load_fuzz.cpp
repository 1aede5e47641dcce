// Any bytes as a data record: loaded and brought into range as at start, then one line (picked
// by the input's length) is calculated over its store, the RPN and financial settings are read,
// and the record saved and loaded back must give the same bytes.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>

#include "exprwin/expression_controller.h"
#include "exprwin/text_surface.h"
#include "fuzz/fuzz_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tobrisk;
    FuzzServices fuzz;
    auto& services = fuzz.services;
    auto& clock = fuzz.clock;
    DataRecord record;
    record.fillNew(NewRecordContext{});
    std::copy_n(data, std::min(size, record.bytes().size()), record.bytes().begin());
    record.sanitize(Separators{});

    TextSurface surface;
    {
        ExpressionController controller(record, services, surface);
        controller.start();
        static const char* const kLines[] = {"r+pi*e", "x = 2; f(x)", "del x", "note 5 tea",
                                             "1/3+1/6"};
        const char* line = kLines[size % std::size(kLines)];
        surface.setEntryText(line);
        controller.calculateLine(line[0] == '1');
        clock.set(clock.now() + 1);
        controller.timerTick();
    }
    const auto saved = record.bytes();
    DataRecord reloaded;
    reloaded.bytes() = saved;
    reloaded.sanitize(Separators{});
    if (reloaded.bytes() != saved) __builtin_trap();
    return 0;
}
