// Which element the expansion splits on next, and small yes/no questions
// about the element lists. Nothing here changes a record.
#pragma once

#include "tables.h"

namespace vorlan {

// The first four-terminal of positive weight in class order: E or J sharing
// a node between its pairs, E or J, F sharing, F, K sharing, K, H sharing,
// H, G sharing, G, any other. Sets `index` (-1 when none qualifies).
bool ChooseFourTerminal(const FourTerminalList& four, int& index);

bool HasAdmittance(const TwoTerminalList& two);   // g, y or Y
bool HasImpedance(const TwoTerminalList& two);    // R, z or Z
bool HasKindG(const FourTerminalList& four);
bool HasNegativeWeight(const FourTerminalList& four);

// An admittance that is the only two-terminal at one of its nodes; -1 when
// there is none.
int ChoosePendantAdmittance(const TwoTerminalList& two, const FourTerminalList& four);
// The non-impedance with the smallest end degree (then smallest degree sum,
// larger weight, larger four-terminal imbalance); 0 when none beats the
// start values.
int ChooseAdmittance(const TwoTerminalList& two, const FourTerminalList& four);
// The non-admittance with the largest end degree (then larger degree sum,
// larger weight, larger four-terminal imbalance); 0 when none qualifies.
int ChooseImpedance(const TwoTerminalList& two, const FourTerminalList& four);

int MinOf(int a, int b);
int MaxOf(int a, int b);

}  // namespace vorlan
