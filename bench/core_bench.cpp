// Speed of the core: the design (alone and through MakeDesign), the report, the reader
// and the whole calculation, each with its heap allocations per call (the design alone
// and the reader make none).
//   build/bench/core_bench [--benchmark_filter=Read]

#include <benchmark/benchmark.h>

#include <string>

#include "allocation_counter.h"
#include "base/eng_value.h"
#include "designs/detail/riaa_design.h"
#include "designs/make_design.h"
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

// The same design through the door every front end calls: the request's curve, the
// described design and the record's cascade cost allocations the method alone does not.
void MakeDesignPlayback(benchmark::State& state) {
    DesignRequest request;
    request.samplingFrequency = 44100;
    const AllocationCounter allocations(state);
    for (auto _ : state) {
        benchmark::DoNotOptimize(request.samplingFrequency);
        benchmark::DoNotOptimize(MakeDesign(request));
    }
}
BENCHMARK(MakeDesignPlayback);

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
