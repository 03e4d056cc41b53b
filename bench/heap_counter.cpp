#include "heap_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace vorlan::bench {

namespace {

std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

void Count(void* p) {
    const std::size_t size = malloc_usable_size(p);
    const std::size_t now = live_bytes.fetch_add(size, std::memory_order_relaxed) + size;
    std::size_t peak = peak_bytes.load(std::memory_order_relaxed);
    while (now > peak && !peak_bytes.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
}

void* Allocate(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (!p) throw std::bad_alloc();
    Count(p);
    return p;
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    const std::size_t a = static_cast<std::size_t>(align);
    const std::size_t rounded = (size + a - 1) / a * a;
    void* p = std::aligned_alloc(a, rounded == 0 ? a : rounded);
    if (!p) throw std::bad_alloc();
    Count(p);
    return p;
}

void Release(void* p) noexcept {
    if (!p) return;
    live_bytes.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}

}  // namespace

std::size_t HeapLiveBytes() { return live_bytes.load(std::memory_order_relaxed); }
std::size_t HeapPeakBytes() { return peak_bytes.load(std::memory_order_relaxed); }
void ResetHeapPeak() { peak_bytes.store(live_bytes.load(std::memory_order_relaxed), std::memory_order_relaxed); }

}  // namespace vorlan::bench

using vorlan::bench::Allocate;
using vorlan::bench::AllocateAligned;
using vorlan::bench::Release;

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    try {
        return Allocate(size);
    } catch (...) {
        return nullptr;
    }
}
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
