// Moves four-terminals between the states their weights stand for: 999 an
// ideal element, -999 the ideal element kept, -1 a unit element, 0 a
// released controlled source, other positive values expandable.
//
// To neutralise an ideal element: an E or U becomes a unit element over its
// output pair in its slot; a J or I is removed; other kinds stay.
#pragma once

#include "tables.h"

namespace vorlan {

// Whether some element other than the one at `index` has weight 999 or -999.
bool HasOtherIdealSource(int index, const FourTerminalList& four);

// Neutralises every element of weight exactly 999.
void NeutraliseIdealSources(FourTerminalList& four);
// The same, called right after one element was set to -999 (left alone).
void NeutraliseOtherIdealSources(FourTerminalList& four);

// When exactly one element has weight 999, it becomes -999.
void MarkLastIdealSource(FourTerminalList& four);

// Prepares the second branch of an expanded four-terminal. Returns
//   1: an ideal element was neutralised and another remains;
//   2: the branch contributes nothing (negative weight, or the only ideal
//      element left, which is then marked -999);
//   3: a controlled source was released to weight 0.
// `index` is the caller's: a removal here does not move it.
int ReleaseFourTerminal(int index, FourTerminalList& four);

}  // namespace vorlan
