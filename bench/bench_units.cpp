// A conversion should cost about what the bare multiplication it stands for
// costs: one lookup and one multiply per shown value or grid cell. Both loops
// below walk the same million mixed (quantity, system, value) triples; the
// baseline multiplies by a factor fetched from a plain array.
#include "units/Units.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kCount = 1000000;

struct Workload {
    std::vector<int> quantity;
    std::vector<int> system;
    std::vector<double> value;
    std::vector<double> factor; // what the baseline multiplies by
};

const Workload& GetWorkload()
{
    static const Workload w = [] {
        Workload w;
        unsigned seed = 2024;
        for (int i = 0; i < kCount; ++i) {
            seed = seed * 1664525u + 1013904223u;
            const int q = static_cast<int>((seed >> 8) % kUnitQuantityCount);
            const int s = static_cast<int>((seed >> 20) % 3) - 1;
            w.quantity.push_back(q);
            w.system.push_back(s);
            w.value.push_back(1.0 + (seed & 0xff) * 0.37);
            double r = 1;
            ConvertFromSI(q, s, 1.0, &r);
            w.factor.push_back(r);
        }
        return w;
    }();
    return w;
}

void BM_ConvertMixed(benchmark::State& state)
{
    const Workload& w = GetWorkload();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kCount; ++i) {
            double r;
            ConvertFromSI(w.quantity[i], w.system[i], w.value[i], &r);
            sum += r;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_ConvertMixed)->Unit(benchmark::kMillisecond);

void BM_BareMultiply(benchmark::State& state)
{
    const Workload& w = GetWorkload();
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kCount; ++i) {
            double r = w.value[i] * w.factor[i];
            benchmark::DoNotOptimize(r); // keeps the loop scalar, like the calls above
            sum += r;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}
BENCHMARK(BM_BareMultiply)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return wizbench::RunWithRatios(argc, argv, [](const wizbench::CRatioReporter& reporter) {
        if (double r = reporter.Ratio("BM_ConvertMixed", "BM_BareMultiply"); r > 0)
            std::printf("conversion / bare multiplication: %.2fx (goal: within 2x)\n", r);
    });
}
