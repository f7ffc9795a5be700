// Speed of the core: the design, the report, the reader and the whole calculation,
// each with its heap allocations per call (the design and the reader make none).
//   build/bench/core_bench [--benchmark_filter=Read]

#include <benchmark/benchmark.h>

#include <string>

#include "allocation_counter.h"
#include "base/eng_value.h"
#include "designs/riaa_design.h"
#include "reports/coefficient_report.h"
#include "reports/filter_calculation.h"

namespace {

void DesignPlayback(benchmark::State& state) {
    double fs = 44100;
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fs);
        benchmark::DoNotOptimize(ComputeRiaaCoefficients(fs, 1.0, 0.0, 0));
    }
}
BENCHMARK(DesignPlayback);

void DesignWithChosenZeroInverted(benchmark::State& state) {
    double fs = 96000;
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(fs);
        benchmark::DoNotOptimize(ComputeRiaaCoefficients(fs, 2.0, 20000.0, 1));
    }
}
BENCHMARK(DesignWithChosenZeroInverted);

void FormatReport(benchmark::State& state) {
    const RiaaCoefficients coefficients = ComputeRiaaCoefficients(96000, 1.0, 1.0, 0);
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        std::string report = FormatCoefficientReport(coefficients);
        benchmark::DoNotOptimize(report.data());
    }
}
BENCHMARK(FormatReport);

void ReadEngineeringValue(benchmark::State& state, const char* text) {
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        benchmark::DoNotOptimize(ParseEngValue(text));
    }
}
BENCHMARK_CAPTURE(ReadEngineeringValue, short_prefixed, "96k");
BENCHMARK_CAPTURE(ReadEngineeringValue, micro_sign, "2.2\xB5");
BENCHMARK_CAPTURE(ReadEngineeringValue, text_around, "Fs=44.1kHz");
BENCHMARK_CAPTURE(ReadEngineeringValue, unreadable, "abc");
BENCHMARK_CAPTURE(ReadEngineeringValue, long_input,
                  "123456789012345678901234567890y and more text");

void CalculateDefaultEntries(benchmark::State& state) {
    const FilterEntries entries;
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        FilterCalculation calculation = CalculateFilter(entries);
        benchmark::DoNotOptimize(calculation.text.data());
    }
}
BENCHMARK(CalculateDefaultEntries);

}  // namespace

BENCHMARK_MAIN();
