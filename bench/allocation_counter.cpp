#include "bench/allocation_counter.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace quarnel::bench {
namespace {

std::atomic<int64_t> g_in_use{0};
std::atomic<int64_t> g_peak{0};

void* Allocate(std::size_t size) noexcept {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) return nullptr;
  const int64_t now =
      g_in_use.fetch_add(static_cast<int64_t>(malloc_usable_size(block))) +
      static_cast<int64_t>(malloc_usable_size(block));
  int64_t peak = g_peak.load(std::memory_order_relaxed);
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
  return block;
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  g_in_use.fetch_sub(static_cast<int64_t>(malloc_usable_size(block)));
  std::free(block);
}

void* AllocateOrThrow(std::size_t size) {
  void* block = Allocate(size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

}  // namespace

int64_t HeapBytesInUse() { return g_in_use.load(); }
int64_t HeapPeak() { return g_peak.load(); }
void ResetHeapPeak() { g_peak.store(g_in_use.load()); }

}  // namespace quarnel::bench

using quarnel::bench::Allocate;
using quarnel::bench::AllocateOrThrow;
using quarnel::bench::Release;

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* block) noexcept { Release(block); }
void operator delete[](void* block) noexcept { Release(block); }
void operator delete(void* block, std::size_t) noexcept { Release(block); }
void operator delete[](void* block, std::size_t) noexcept { Release(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Release(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Release(block); }
