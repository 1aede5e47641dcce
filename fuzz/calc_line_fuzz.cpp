// Any bytes as lines typed into the expression calculator: each line is calculated in normal or
// fraction mode (by its first byte), with the control commands, the timer and the decimals
// commands mixed in; the store is checked after every line.

#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/variable_store.h"
#include "exprwin/expression_controller.h"
#include "exprwin/text_surface.h"
#include "fuzz/fuzz_services.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace tobrisk;
    FuzzServices fuzz;
    auto& services = fuzz.services;
    auto& dialogs = fuzz.dialogs;
    auto& clock = fuzz.clock;
    DataRecord record;
    record.fillNew(NewRecordContext{});
    TextSurface surface;
    ExpressionController controller(record, services, surface);
    controller.start();

    std::string line;
    auto run = [&] {
        if (line.empty()) return;
        const unsigned char op = static_cast<unsigned char>(line[0]);
        const std::string text = line.substr(1);
        dialogs.answers = {(op & 1) != 0};
        switch (op % 8) {
            case 0:
                surface.setEntryText(text);
                controller.calculateLine(false);
                break;
            case 1:
                surface.setEntryText(text);
                controller.calculateLine(true);
                break;
            case 6:
                surface.setEntryText(text);
                controller.factorInteger();
                break;
            case 2:
                controller.setDecimalPlaces(op % 10);
                break;
            case 3:
                clock.set(clock.now() + (op / 8) / 1440.0);
                controller.timerTick();
                break;
            case 4:
                controller.calculateForRpn(text);
                break;
            default:
                surface.setEntryText(text);
                controller.calculateLine(false);
                break;
        }
        if (record.count() < 3 || record.count() > 60) __builtin_trap();
        line.clear();
    };
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == '\n') {
            run();
        } else {
            line.push_back(static_cast<char>(data[i]));
        }
    }
    run();
    return 0;
}
