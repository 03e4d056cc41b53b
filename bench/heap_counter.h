// Counts the bytes taken from the heap through operator new once counting
// has started, with a high-water mark. The counting operators replace the
// global ones of the whole program, the engine library's included; before
// StartHeapCount() they cost one test per call and count nothing, so the
// timed loops run with plain allocation.
#pragma once

#include <cstddef>

namespace vorlan::bench {

// Starts counting from here: the bytes held now are the zero.
void StartHeapCount();
// Highest level of heap bytes held above that zero since the start.
std::size_t HeapPeakBytes();

}  // namespace vorlan::bench
