#include "platform/memory.h"

// Any C library header defines __GLIBC__ on glibc; it must come before the tests below.
#include <cstdint>
#include <cstdlib>

#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace corvane {

namespace {

#if defined(__GLIBC__)
// Requests above this get their own mapping instead of heap memory.
constexpr int kMmapThreshold = 64 << 20;
#endif

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// Grows the heap once by a large step and frees it again (it stays in the process, below the trim
// threshold), then advises the kernel to back that part of the heap with huge pages. A run that
// fills it then takes one page fault per 2 MiB instead of one per 4 KiB. Only address space is
// reserved: pages are taken when first touched.
void ReserveHugePageHeap() {
  constexpr size_t kReserve = size_t{256} << 20;
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  mallopt(M_MMAP_THRESHOLD, static_cast<int>(kReserve * 2));
  void* block = std::malloc(kReserve);
  mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
  if (block == nullptr) return;
  const auto begin = reinterpret_cast<uintptr_t>(block);
  std::free(block);
  const auto end = reinterpret_cast<uintptr_t>(sbrk(0));
  const uintptr_t from = (begin + kHugePage - 1) & ~(kHugePage - 1);
  if (end > from + kHugePage) madvise(reinterpret_cast<void*>(from), end - from, MADV_HUGEPAGE);
}
#elif defined(__GLIBC__)
void ReserveHugePageHeap() {}  // sanitizers keep their own allocator
#endif

}  // namespace

void TuneAllocatorForLargeRuns() {
#if defined(__GLIBC__)
  mallopt(M_TOP_PAD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 1 << 30);
  mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
  // The run works on its own thread; with one arena its allocations come from the main heap, which
  // grows by the pad above, instead of a thread arena that grows page by page.
  mallopt(M_ARENA_MAX, 1);
  ReserveHugePageHeap();
#endif
}

}  // namespace corvane
