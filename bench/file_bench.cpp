// A whole file of lines through ExpressionController, as tobrisk-cli and the window calculate
// them one after another: by default the 20,000-line mix that bench/gen_lines.py writes (seed
// 1), or the file named by TOBRISK_BENCH_LINES. Of the command lines only ":radians" is
// followed. Counts the allocations per line.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <vector>

#include "exprwin/data_record.h"
#include "exprwin/expression_controller.h"
#include "exprwin/text_surface.h"
#include "platform/fakes.h"

namespace {

std::atomic<long long> allocations{0};

}  // namespace

// Every allocation of the program counted; the pair stays malloc/free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t n) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

using namespace tobrisk;

std::vector<std::string> readLines() {
    const char* named = std::getenv("TOBRISK_BENCH_LINES");
    std::ifstream in(named ? named : TOBRISK_BENCH_MIX);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

void calculateFile(benchmark::State& state) {
    const std::vector<std::string> lines = readLines();
    if (lines.empty()) {
        state.SkipWithError(
            "no input lines (run bench/gen_lines.py mix, or set TOBRISK_BENCH_LINES)");
        return;
    }
    const bool radians = std::find(lines.begin(), lines.end(), ":radians") != lines.end();
    FakeAlerts alerts;
    FakeDialogs dialogs;
    FakeClock clock{encodeDateTime(2026, 12, 8, 10, 0, 0)};
    AppServices services{alerts, dialogs, clock, {}, "/tmp/", "/tmp/"};
    std::size_t historyBytes = 64;
    for (const std::string& line : lines) historyBytes += line.size();
    long long allocated = 0;
    std::size_t chars = 0;
    for (auto _ : state) {
        state.PauseTiming();
        DataRecord record;
        record.fillNew(NewRecordContext{});
        TextSurface surface;
        surface.lines.reserve(lines.size() + 2, historyBytes);
        ExpressionController controller(record, services, surface);
        controller.start();
        if (radians) controller.toggleAngleUnit();
        const long long before = allocations.load(std::memory_order_relaxed);
        state.ResumeTiming();
        for (const std::string& line : lines) {
            if (!line.empty() && line[0] == ':') continue;
            surface.setEntryText(line);
            controller.calculateLine(false);
            chars += surface.result.size();
        }
        state.PauseTiming();
        allocated += allocations.load(std::memory_order_relaxed) - before;
        state.ResumeTiming();
    }
    benchmark::DoNotOptimize(chars);
    const double total =
        static_cast<double>(state.iterations()) * static_cast<double>(lines.size());
    state.SetItemsProcessed(static_cast<int64_t>(total));
    state.counters["allocs/line"] = static_cast<double>(allocated) / total;
}
BENCHMARK(calculateFile)->Unit(benchmark::kMillisecond);

}  // namespace
