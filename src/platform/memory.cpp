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
#endif
}

}  // namespace corvane
