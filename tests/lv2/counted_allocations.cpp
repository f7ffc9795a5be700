#include "counted_allocations.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long long> allocations{0};
}

long long AllocationsSoFar() { return allocations.load(); }

void* operator new(std::size_t size) {
    allocations.fetch_add(1);
    if (void* memory = std::malloc(size ? size : 1)) {
        return memory;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }

void operator delete(void* memory) noexcept { std::free(memory); }

void operator delete[](void* memory) noexcept { std::free(memory); }

void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }

void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }

// The non-throwing forms too (std::inplace_merge takes its buffer through them): every form
// that the replaced deletes free must come from malloc, or a sanitizer sees a mismatch.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    allocations.fetch_add(1);
    return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
    return operator new(size, tag);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }

void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
