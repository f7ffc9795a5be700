#pragma once
// Counts the program's heap allocations (its operator new is replaced), so that a
// benchmark can report how many one call makes.

#include <benchmark/benchmark.h>

long long AllocationsSoFar();

// Sets the counter "allocs_per_call" of a benchmark from the allocations made between
// its construction and its destruction, per iteration.
class AllocationCounter {
public:
    explicit AllocationCounter(benchmark::State& state);
    ~AllocationCounter();
    AllocationCounter(const AllocationCounter&) = delete;
    AllocationCounter& operator=(const AllocationCounter&) = delete;

private:
    benchmark::State& state_;
    long long start_;
};
