#include "reduction.h"

#include <algorithm>
#include <string>

#include "merges.h"
#include "node_rule.h"
#include "node_scan.h"
#include "weight_rules.h"

namespace vorlan {

namespace {

bool IsNegative(const FourTerminal& f) { return f.weight < 0; }
bool IsFOrH(const FourTerminal& f) { return f.kind() == 'F' || f.kind() == 'H'; }
bool IsForcingOrNegative(const FourTerminal& f) { return IsNegative(f) || IsForcingOutputKind(f.kind()); }
bool IsCurrentOrNegative(const FourTerminal& f) { return IsNegative(f) || IsCurrentOutputKind(f.kind()); }
bool IsVoltageOrNegative(const FourTerminal& f) { return IsNegative(f) || IsVoltageSensingKind(f.kind()); }
bool IsFHOrNegative(const FourTerminal& f) { return IsNegative(f) || IsFOrH(f); }

// The nodes a node pass visits: neither S nodes nor touched by a two-terminal.
bool IsFreeNode(NodeLabel v, int nS, const NodeLabel* sNodes, const TwoTerminalList& two) {
    return !IsSNode(v, nS, sNodes) && !TouchedByTwoTerminal(two, v);
}

// One side of a four-terminal: its output pair or its control pair.
struct Side {
    bool output;
    NodeLabel first(const FourTerminal& f) const { return output ? f.n1 : f.n3; }
    NodeLabel second(const FourTerminal& f) const { return output ? f.n2 : f.n4; }
};

bool OutputsCoincide(const FourTerminal& a, const FourTerminal& b) { return PairsCoincide(a.n1, a.n2, b.n1, b.n2); }
bool ControlsCoincide(const FourTerminal& a, const FourTerminal& b) { return PairsCoincide(a.n3, a.n4, b.n3, b.n4); }

// Negates a weight; a pinned ideal element makes the others neutral, which
// may remove elements before `index`. Returns whether it did so: the index
// no longer names the pinned element then.
bool Pin(int index, FourTerminalList& four) {
    four[index].weight = -four[index].weight;
    if (four[index].weight != kWeightPinnedIdeal) return false;
    NeutraliseOtherIdealSources(four);
    return true;
}

// A circuit of one node whose last element went keeps its node.
constexpr EmptiedCircuit kKeeps = EmptiedCircuit::KeepsItsNode;

// The zero exit of `ReduceCircuit`: the branch is dropped, every name released.
void ZeroExit(TwoTerminalList& two, FourTerminalList& four, int& result) {
    FreeTwoTerminals(two);
    FreeFourTerminals(four);
    result = 2;
}

// An admittance whose two nodes are one carries no current and leaves the
// determinant as it is: it goes. Returns false when that let go of a node
// that nothing holds (a zero determinant).
bool DropSelfLoopAdmittances(int nS, const NodeLabel* sNodes, TwoTerminalList& two, const FourTerminalList& four) {
    auto selfLoop = [](const TwoTerminal& t) { return t.n1 == t.n2 && IsAdmittanceKind(t.kind()); };
    if (std::none_of(two.begin(), two.end(), selfLoop)) return true;
    const NodeSet before = HeldNodes(two, four);
    std::erase_if(two, selfLoop);
    return !LetsGoOfNode(before, two, four, nS, sNodes, kKeeps);
}

// The chain step of `ResolveUnitElementChains` for one side. Returns whether
// the pass ends.
bool ResolveChainsOnSide(Side side, TwoTerminalList& two, FourTerminalList& four, int& result) {
    const int n = static_cast<int>(four.size());
    for (int j = 0; j < n; ++j) {
        if (!IsNegative(four[j])) continue;
        for (int k = 0; k < n; ++k) {
            if (k == j || !IsNegative(four[k])) continue;
            const NodeLabel a = side.first(four[j]), b = side.second(four[j]);
            const NodeLabel c = side.first(four[k]), d = side.second(four[k]);
            NodeLabel p, q;
            if (c == a)
                p = d, q = b;
            else if (c == b)
                p = d, q = a;
            else if (d == a)
                p = c, q = b;
            else if (d == b)
                p = c, q = a;
            else
                continue;
            for (int i = 0; i < static_cast<int>(two.size()); ++i)
                if (IsAdmittanceKind(two[i].kind()) && PairsCoincide(two[i].n1, two[i].n2, p, q))
                    DeleteTwoTerminal(i, two);
            for (int m = 0; m < n; ++m) {
                if (m == j || m == k || four[m].kind() != 'G') continue;
                if (!PairsCoincide(side.first(four[m]), side.second(four[m]), p, q)) continue;
                if (IsNegative(four[m])) {
                    result = 2;
                } else {
                    four[m].weight = kWeightResolve;
                    result = 3;
                }
                return true;
            }
        }
    }
    return false;
}

// One scan of `ResolvePortPairs`. Returns true when the scan must start
// again, false when the pass ends (a rule ended it, or nothing fired).
bool ScanPortPairs(FourTerminalList& four, int& result) {
    for (int i = 0; i < static_cast<int>(four.size()); ++i) {
        for (int j = 0; j < static_cast<int>(four.size()); ++j) {
            if (i == j || four[i].weight == 0 || four[j].weight == 0) continue;
            const FourTerminal& fi = four[i];
            const FourTerminal& fj = four[j];
            if (OutputsCoincide(fi, fj) && IsForcingOrNegative(fi)) {
                if (IsForcingOrNegative(fj)) {
                    result = 2;
                    return false;
                }
                if (IsCurrentOutputKind(fj.kind()) && fj.weight > 0) {
                    result = ReleaseFourTerminal(j, four);
                    return result == 1;
                }
            }
            if (ControlsCoincide(fi, fj)) {
                if (IsFHOrNegative(fi) && IsFHOrNegative(fj)) {
                    result = 2;
                    return false;
                }
                if (IsVoltageSensingKind(fi.kind()) && fi.weight > 0 &&
                    (IsFHOrNegative(fj) || fj.weight == kWeightIdeal)) {
                    result = ReleaseFourTerminal(i, four);
                    return result == 1;
                }
            }
            if (PairsCoincide(fi.n1, fi.n2, fj.n3, fj.n4) && IsNegative(fi) && IsFOrH(fj) && fj.weight > 0 &&
                fj.weight != kWeightIdeal) {
                four[j].weight = -four[j].weight;
                return true;
            }
            if (PairsCoincide(fi.n3, fi.n4, fj.n1, fj.n2) && IsNegative(fi) && IsForcingOutputKind(fj.kind()) &&
                fj.weight > 0) {
                if (Pin(j, four)) return true;
            }
        }
    }
    return false;
}

}  // namespace

void ReduceCircuit(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four, int& result) {
    result = 0;
    if (!DropSelfLoopAdmittances(nS, sNodes, two, four)) return ZeroExit(two, four, result);
    if (two.empty() && four.empty()) return;
    MarkLastIdealSource(four);

    MergeParallelAdmittances(two);
    MergeSeriesImpedances(nS, sNodes, two, four);
    MergeParallelGElements(four);
    ContractPendantImpedance(nS, sNodes, two, four, result);
    if (result == 2) return ZeroExit(two, four, result);
    DropRedundantAdmittances(two, four);

    ResolveSingleAttachedNode(nS, sNodes, two, four, result);
    if (result == 2) return ZeroExit(two, four, result);
    if (result == 3) return;

    // From here on a node that vanishes was held by nothing but the
    // element that went: the determinant is zero. A restart must not lose
    // that test.
    const NodeSet nodesBefore = HeldNodes(two, four);
    auto restart = [&] {
        if (LetsGoOfNode(nodesBefore, two, four, nS, sNodes, kKeeps)) ZeroExit(two, four, result);
    };
    ResolveUnitElementChains(two, four, result);
    if (result == 2) return ZeroExit(two, four, result);
    if (result == 3) return restart();
    ResolveDegeneratePorts(four, result);
    if (result == 2) return ZeroExit(two, four, result);

    DropRedundantAdmittances(two, four);
    ResolveDoubleAttachedNode(nS, sNodes, two, four, result);
    if (result == 2) return ZeroExit(two, four, result);
    if (result == 3) return restart();

    DropRedundantAdmittances(two, four);
    ResolvePortPairs(four, result);
    if (result == 2) return ZeroExit(two, four, result);
    if (result == 3) return restart();

    DropRedundantAdmittances(two, four);
    if (!LetsGoOfNode(nodesBefore, two, four, nS, sNodes, kKeeps) &&
        CheckNodeAttachments(nS, sNodes, two, four) == 1 &&
        CheckConnected(nS, sNodes, two, four) == 1)
        return;
    ZeroExit(two, four, result);
}

void ResolveSingleAttachedNode(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, FourTerminalList& four,
                               int& result) {
    if (four.empty()) return;
    for (const char label : CircuitNodes(two, four)) {
        const NodeLabel v = static_cast<NodeLabel>(label);
        if (!IsFreeNode(v, nS, sNodes, two)) continue;
        int k = 0;
        int l = 0;
        int j = -1;
        for (int i = 0; i < static_cast<int>(four.size()); ++i) {
            if (OutputAt(four[i], v)) ++k, j = i;
            if (ControlAt(four[i], v)) ++l, j = i;
        }
        if (j < 0 || four[j].weight <= 0) continue;
        const char kind = four[j].kind();
        if (k == 1 && l == 0) {
            result = IsForcingOutputKind(kind) ? ReleaseFourTerminal(j, four) : 2;
            return;
        }
        if (k == 0 && l == 1) {
            if (kind == 'F' || kind == 'H') {
                four[j].weight = kWeightResolve;
                result = 3;
            } else {
                result = 2;
            }
            return;
        }
    }
}

void ResolveUnitElementChains(TwoTerminalList& two, FourTerminalList& four, int& result) {
    if (ResolveChainsOnSide(Side{true}, two, four, result)) return;
    ResolveChainsOnSide(Side{false}, two, four, result);
}

void ResolveDegeneratePorts(FourTerminalList& four, int& result) {
    MarkLastIdealSource(four);
    for (int i = 0; i < static_cast<int>(four.size()); ++i) {
        const FourTerminal& f = four[i];
        const char kind = f.kind();
        if (f.n1 == f.n2) {
            if (IsNegative(f) || IsForcingOutputKind(kind)) {
                result = 2;
                return;
            }
            if (kind == 'G' || kind == 'J' || kind == 'I') {
                // A collapsed ideal element adds nothing; when it was one of
                // two, the other is now the last and is pinned.
                const bool ideal = f.weight == kWeightIdeal;
                DeleteFourTerminal(i, four);
                if (ideal) MarkLastIdealSource(four);
            } else if (kind == 'F') {
                // Its sensing short stays; a short looping on one node would
                // leave its current undetermined.
                if (f.n3 == f.n4) {
                    result = 2;
                    return;
                }
                ReplaceByUnit(f.n3, f.n4, i, four);
            }
        } else if (f.n3 == f.n4) {
            if (IsNegative(f) || f.weight == kWeightIdeal || IsFOrH(f)) {
                result = 2;
                return;
            }
            if (kind == 'G')
                DeleteFourTerminal(i, four);
            else if (kind == 'K')
                ReplaceByUnit(f.n1, f.n2, i, four);
        }
    }
}

void ResolveDoubleAttachedNode(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, FourTerminalList& four,
                               int& result) {
    if (four.empty()) return;
    for (const char label : CircuitNodes(two, four)) {
        const NodeLabel v = static_cast<NodeLabel>(label);
        if (!IsFreeNode(v, nS, sNodes, two)) continue;
        std::vector<int> outputs;
        std::vector<int> controls;
        for (int i = 0; i < static_cast<int>(four.size()); ++i) {
            if (OutputAt(four[i], v)) outputs.push_back(i);
            if (ControlAt(four[i], v)) controls.push_back(i);
        }
        const std::size_t k = outputs.size();
        const std::size_t l = controls.size();
        if (k == 1 && l == 1) {
            FourTerminal& a1 = four[outputs[0]];
            FourTerminal& b1 = four[controls[0]];
            if (!IsCurrentOrNegative(a1) || !IsVoltageOrNegative(b1)) continue;
            if (a1.weight > 0) {
                if (Pin(outputs[0], four)) return;
            } else if (b1.weight > 0) {
                b1.weight = -b1.weight;
                return;
            }
        } else if (k == 2 && l == 0) {
            const FourTerminal& a1 = four[outputs[0]];
            const FourTerminal& a2 = four[outputs[1]];
            if (IsForcingOutputKind(a1.kind()) && a1.weight > 0 && IsCurrentOrNegative(a2)) {
                result = ReleaseFourTerminal(outputs[0], four);
                return;
            }
            if (IsForcingOutputKind(a2.kind()) && a2.weight > 0 && IsCurrentOrNegative(a1)) {
                result = ReleaseFourTerminal(outputs[1], four);
                return;
            }
            if (IsCurrentOrNegative(a1) && IsCurrentOrNegative(a2)) {
                result = 2;
                return;
            }
        } else if (k == 0 && l == 2) {
            const FourTerminal& b1 = four[controls[0]];
            const FourTerminal& b2 = four[controls[1]];
            if (IsFOrH(b1) && b1.weight > 0 && IsVoltageOrNegative(b2)) {
                result = ReleaseFourTerminal(controls[0], four);
                return;
            }
            if (IsFOrH(b2) && b2.weight > 0 && IsVoltageOrNegative(b1)) {
                result = ReleaseFourTerminal(controls[1], four);
                return;
            }
            auto voltageOnly = [](const FourTerminal& f) {
                return IsVoltageSensingKind(f.kind()) || f.weight == kWeightIdeal || IsNegative(f);
            };
            if (voltageOnly(b1) && voltageOnly(b2)) {
                result = 2;
                return;
            }
        }
    }
}

void ResolvePortPairs(FourTerminalList& four, int& result) {
    while (ScanPortPairs(four, result)) {
    }
}

int CheckNodeAttachments(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, const FourTerminalList& four) {
    if (four.empty()) return 1;
    // Only a subcircuit holds an S node; a single S label is a node like
    // any other.
    const NodeSet subcircuit = SubcircuitNodes(nS, sNodes);
    for (const char label : CircuitNodes(two, four)) {
        const NodeLabel v = static_cast<NodeLabel>(label);
        if (subcircuit[v] || TouchedByTwoTerminal(two, v)) continue;
        int k = 0;
        int l = 0;
        bool passes = false;
        for (const FourTerminal& f : four) {
            const char kind = f.kind();
            if (OutputAt(f, v)) {
                if (IsCurrentOrNegative(f)) {
                    ++k;
                } else if (IsForcingOutputKind(kind)) {
                    passes = true;
                    break;
                }
            }
            if (ControlAt(f, v)) {
                if (IsVoltageOrNegative(f) || f.weight == kWeightIdeal) {
                    ++l;
                } else if (IsFOrH(f)) {
                    passes = true;
                    break;
                }
            }
        }
        if (!passes && (k == 0) != (l == 0)) return 0;
    }
    return 1;
}

int CheckConnected(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, const FourTerminalList& four) {
    if (two.empty() && four.empty()) return 1;
    std::vector<NodePair> pairs(two.size() + 2 * four.size());
    TwoTerminalPairs(two, pairs);
    FourTerminalPairs(two.size(), four, pairs);
    // The subcircuit joins its S nodes; a single S label joins nothing.
    if (SubcircuitNodes(nS, sNodes).any())
        for (int i = 1; i < nS; ++i) pairs.push_back({sNodes[i], sNodes[i + 1]});
    const NodeLabel start = pairs.front().first;
    int count = 0;
    WalkPairs(pairs, start, start, count);
    return count >= static_cast<int>(pairs.size()) ? 1 : 0;
}

void WalkPairs(std::vector<NodePair>& pairs, NodeLabel node, NodeLabel start, int& count) {
    for (NodePair& p : pairs) {
        if (p.first == node) {
            p.first = kVisitedMark;
            ++count;
            if (p.second != start) WalkPairs(pairs, p.second, start, count);
        }
        if (p.first != kVisitedMark && p.second == node) {
            const NodeLabel first = p.first;
            p.first = kVisitedMark;
            ++count;
            if (first != start) WalkPairs(pairs, first, start, count);
        }
    }
}

}  // namespace vorlan
