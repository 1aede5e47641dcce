// Time per call of the five time-value-of-money operations, on a spread of ordinary and tiny
// rates, short and long terms and both timings, and the model's whole solve of one field.

#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "fin/financial_model.h"
#include "fin/financial_view.h"
#include "fin/tvm_operations.h"
#include "platform/fakes.h"

namespace {

using namespace tobrisk;

struct Case {
    long double i;
    int n;
    long double pv, pmt, fv;
    int type;
};

// Cash flows that fit each rate exactly (the future value follows from the equation).
std::array<Case, 8> makeCases() {
    std::array<Case, 8> cases{{{0.02L, 12, 1000, -94.56L, 0, 0},
                               {0.005L, 360, 200000, -1200, 0, 0},
                               {5e-5L, 1200, 100000, -86, 0, 1},
                               {0.1L, 60, -5000, 300, 0, 1},
                               {0.01L, 24, 5000, -150, 0, 0},
                               {1e-3L, 100, 0, -100, 0, 0},
                               {0.25L, 40, 10000, -2500, 0, 1},
                               {-0.01L, 36, -1000, 20, 0, 0}}};
    for (Case& c : cases) c.fv = FutureValue(c.i, c.n, c.pmt, c.pv, c.type);
    return cases;
}

const std::array<Case, 8> kCases = makeCases();

void BM_PresentValue(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        const Case& c = kCases[k++ & 7];
        benchmark::DoNotOptimize(PresentValue(c.i, c.n, c.pmt, c.fv, c.type));
    }
}
BENCHMARK(BM_PresentValue);

void BM_Payment(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        const Case& c = kCases[k++ & 7];
        benchmark::DoNotOptimize(Payment(c.i, c.n, c.pv, c.fv, c.type));
    }
}
BENCHMARK(BM_Payment);

void BM_FutureValue(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        const Case& c = kCases[k++ & 7];
        benchmark::DoNotOptimize(FutureValue(c.i, c.n, c.pmt, c.pv, c.type));
    }
}
BENCHMARK(BM_FutureValue);

void BM_NumberOfPeriods(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        const Case& c = kCases[k++ & 7];
        benchmark::DoNotOptimize(NumberOfPeriods(c.i, c.pmt, c.pv, c.fv, c.type));
    }
}
BENCHMARK(BM_NumberOfPeriods);

void BM_InterestRate(benchmark::State& state) {
    std::size_t k = 0;
    for (auto _ : state) {
        const Case& c = kCases[k++ & 7];
        benchmark::DoNotOptimize(InterestRate(c.n, c.pmt, c.pv, c.fv, c.type));
    }
}
BENCHMARK(BM_InterestRate);

// Only the cases the Newton iteration takes (present value given, one sign change).
void BM_InterestRateNewtonPath(benchmark::State& state) {
    const std::size_t newton[] = {0, 1, 3, 4, 7};
    std::size_t k = 0;
    for (auto _ : state) {
        const Case& c = kCases[newton[k++ % 5]];
        benchmark::DoNotOptimize(InterestRate(c.n, c.pmt, c.pv, c.fv, c.type));
    }
}
BENCHMARK(BM_InterestRateNewtonPath);

// Only the savings plan (no present value), which the iteration leaves to the bracketed search.
void BM_InterestRateBracketed(benchmark::State& state) {
    const Case& c = kCases[5];
    for (auto _ : state) benchmark::DoNotOptimize(InterestRate(c.n, c.pmt, c.pv, c.fv, c.type));
}
BENCHMARK(BM_InterestRateBracketed);

class NullView : public FinancialView {
  public:
    std::string fieldText(int f) const override { return texts[static_cast<std::size_t>(f)]; }
    void setFieldText(int f, const std::string& t) override {
        texts[static_cast<std::size_t>(f)] = t;
    }
    void focusField(int) override {}
    void showMessage(const std::string&) override {}
    void applyLayout(const FinancialLayout&) override {}
    void selectEndOfPeriod() override {}
    std::array<std::string, 6> texts;
};

// Reading six fields, composing, solving the rate and writing the fields back.
void BM_ModelSolveRate(benchmark::State& state) {
    NullView view;
    FakeAlerts alerts;
    FinancialModel model(view, alerts);
    model.loadSettings(1, 1, 12);
    model.finishInitialising();
    for (auto _ : state) {
        view.texts = {"250000", "", "360", "-1500", "", "0"};
        for (int f = 0; f < 6; ++f) model.markChanged(f);
        model.solve(1);
        benchmark::DoNotOptimize(view.texts[1]);
    }
}
BENCHMARK(BM_ModelSolveRate);

}  // namespace
