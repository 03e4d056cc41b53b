// The symbolic expansion of a circuit determinant.
#pragma once

#include "tables.h"

namespace vorlan {

// Appends the determinant of `lists` to the expression buffer as nested sums
// and products of element names; nothing appended means the determinant is
// zero. The call owns the element lists it receives; the S-node array is the
// caller's and may be renamed in place.
void ExpandDeterminant(CircuitLists lists);

}  // namespace vorlan
