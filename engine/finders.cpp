#include "finders.h"

namespace vorlan {

bool FindShortedImpedance(TwoTerminalList&, Factor&) { return false; }
bool FindChainedUnitElements(FourTerminalList&, Factor&) { return false; }
bool FindImpedanceAcrossPort(TwoTerminalList&, const FourTerminalList&, Factor&) { return false; }
bool FindPendantAdmittance(int, const NodeLabel*, TwoTerminalList&, const FourTerminalList&, Factor&) { return false; }
bool FindUnitElementNode(int, const NodeLabel*, const TwoTerminalList&, FourTerminalList&, Factor&) { return false; }

}  // namespace vorlan
