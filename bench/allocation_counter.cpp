#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> allocationCount{0};

}  // namespace

// Kept in a file of their own, out of sight of the callers, so that the compiler
// does not pair a caller's new with this free.
void* operator new(std::size_t size) {
    ++allocationCount;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) {
        return memory;
    }
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }

void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

long long AllocationsSoFar() { return allocationCount.load(); }

AllocationCounter::AllocationCounter(benchmark::State& state)
    : state_(state), start_(AllocationsSoFar()) {}

AllocationCounter::~AllocationCounter() {
    const long long allocations = AllocationsSoFar() - start_;
    state_.counters["allocs_per_call"] =
        static_cast<double>(allocations) / static_cast<double>(state_.iterations());
}
