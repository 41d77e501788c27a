#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long long> g_allocations{0};

// Called through pointers the optimiser cannot see through, so that it does not
// pair the replaced operators with malloc and free and warn about a mismatch.
void* (*volatile g_allocate)(std::size_t) = std::malloc;
void (*volatile g_release)(void*) = std::free;

}  // namespace

namespace tw::test {

long long AllocationCount() {
    return g_allocations.load(std::memory_order_relaxed);
}

}  // namespace tw::test

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = g_allocate(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    g_release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    g_release(p);
}
