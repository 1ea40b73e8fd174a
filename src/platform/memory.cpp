#include "platform/memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace corvane {

void TuneAllocatorForLargeRuns() {
#if defined(__GLIBC__)
  mallopt(M_TOP_PAD, 64 << 20);
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  // The run works on its own thread; with one arena its allocations come from the main heap, which
  // grows by the pad above, instead of a thread arena that grows page by page.
  mallopt(M_ARENA_MAX, 1);
#endif
}

}  // namespace corvane
