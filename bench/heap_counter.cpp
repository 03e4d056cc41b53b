#include "heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace vorlan::bench {

namespace {

std::atomic<bool> counting{false};
// Bytes allocated minus bytes freed since the start: negative when blocks
// older than the start are freed.
std::atomic<long long> held{0};
std::atomic<long long> peak{0};

void CountAllocation(void* p) {
    if (!counting.load(std::memory_order_relaxed)) return;
    const auto size = static_cast<long long>(malloc_usable_size(p));
    const long long now = held.fetch_add(size, std::memory_order_relaxed) + size;
    long long high = peak.load(std::memory_order_relaxed);
    while (now > high && !peak.compare_exchange_weak(high, now, std::memory_order_relaxed)) {
    }
}

void* Allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) throw std::bad_alloc();
    CountAllocation(p);
    return p;
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    const std::size_t a = static_cast<std::size_t>(align);
    const std::size_t rounded = (size + a - 1) / a * a;
    void* p = std::aligned_alloc(a, rounded == 0 ? a : rounded);
    if (!p) throw std::bad_alloc();
    CountAllocation(p);
    return p;
}

void Release(void* p) noexcept {
    if (!p) return;
    if (counting.load(std::memory_order_relaxed))
        held.fetch_sub(static_cast<long long>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

void* AllocateOrNull(std::size_t size) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}

}  // namespace

void StartHeapCount() {
    held.store(0, std::memory_order_relaxed);
    peak.store(0, std::memory_order_relaxed);
    counting.store(true, std::memory_order_relaxed);
}

std::size_t HeapPeakBytes() { return static_cast<std::size_t>(peak.load(std::memory_order_relaxed)); }

}  // namespace vorlan::bench

using vorlan::bench::Allocate;
using vorlan::bench::AllocateAligned;
using vorlan::bench::AllocateOrNull;
using vorlan::bench::Release;

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return AllocateOrNull(size); }
void* operator new(std::size_t size, std::align_val_t align) { return AllocateAligned(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return AllocateAligned(size, align); }

void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, std::size_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { Release(p); }
