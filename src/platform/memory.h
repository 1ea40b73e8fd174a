// Tuning of the memory allocator for the many small lines a large run holds.
#pragma once

namespace corvane {

// Keeps freed memory in the process and takes new memory from the system in large steps, so a run
// with a million lines does not pay for a system call and fresh pages for every few lines. Call
// once at program start; does nothing where the C library offers no such tuning.
void TuneAllocatorForLargeRuns();

}  // namespace corvane
