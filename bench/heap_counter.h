// Counts the bytes the process holds on the heap through operator new, with
// a high-water mark that a measurement can reset. The counting operators
// replace the global ones of the whole program, the engine library's
// included.
#pragma once

#include <cstddef>

namespace vorlan::bench {

// Bytes allocated through operator new and not yet freed.
std::size_t HeapLiveBytes();
// Highest HeapLiveBytes() since the last ResetHeapPeak().
std::size_t HeapPeakBytes();
// Starts a new high-water mark at the current live bytes.
void ResetHeapPeak();

}  // namespace vorlan::bench
