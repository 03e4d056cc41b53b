// The factoring loop of the expansion: released sources are resolved, the
// circuit is reduced, and elements that are plain factors of the determinant
// are taken out and written as one product term before the rest is expanded.
#pragma once

#include "tables.h"

namespace vorlan {

// Resolves the four-terminals of weight 0 (K: a unit element over its output
// pair; F: over its control pair; G: removed; H: a unit element over its
// output pair with its control pair contracted) and reduces the circuit,
// again while the reduction asks for a restart. `result` is 2 when the
// determinant is zero (both lists are then emptied), else 0.
void ResolveZeroWeightSources(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                              int& result);

// Resolves and reduces the circuit, then takes out every factor the finders
// find and writes their product as one term, followed by the expansion of the
// rest. `result`: 1 a term was written (the rest handed on), 2 the
// determinant is zero (nothing stays written), 3 nothing was factored (the
// lists stay as reduced, nothing written).
void FactorOutElements(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four, int& result);

}  // namespace vorlan
