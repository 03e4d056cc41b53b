#include "finders.h"

#include "choice.h"
#include "node_scan.h"

namespace vorlan {

namespace {

template <typename Record>
void Hand(const Record& r, NodeLabel x, NodeLabel y, int sign, Factor& factor) {
    factor.name = r.name;
    factor.weight = r.weight;
    factor.x = x;
    factor.y = y;
    factor.sign = sign;
}

// The first impedance across (a, b) in either orientation, or -1.
int ImpedanceAcross(const TwoTerminalList& two, NodeLabel a, NodeLabel b) {
    for (int i = 0; i < static_cast<int>(two.size()); ++i)
        if (IsImpedanceKind(two[i].kind()) && PairsCoincide(two[i].n1, two[i].n2, a, b)) return i;
    return -1;
}

// Whether a four-terminal end at `v` keeps node `v` from being eliminated
// through unit elements: it needs both the node's current and its voltage.
bool BlocksUnitElimination(const FourTerminal& f, NodeLabel v) {
    if (f.weight <= 0 || f.kind() == 'G') return false;
    const char k = f.kind();
    if (OutputAt(f, v) && IsForcingOutputKind(k)) return true;
    if (ControlAt(f, v) && (k == 'F' || k == 'J' || k == 'I' || k == 'H')) return true;
    return false;
}

}  // namespace

bool FindShortedImpedance(TwoTerminalList& two, Factor& factor) {
    if (!HasImpedance(two)) return false;
    for (int i = 0; i < static_cast<int>(two.size()); ++i) {
        const TwoTerminal& t = two[i];
        if (IsImpedanceKind(t.kind()) && t.n1 == t.n2) {
            Hand(t, t.n1, t.n2, 0, factor);
            DeleteTwoTerminal(i, two);
            return true;
        }
    }
    return false;
}

bool FindChainedUnitElements(FourTerminalList& four, Factor& factor) {
    if (!HasNegativeWeight(four)) return false;
    const int n = static_cast<int>(four.size());
    for (const int weight : {kWeightPinnedIdeal, kWeightUnit}) {
        for (int i = 0; i < n; ++i) {
            if (four[i].weight != weight) continue;
            for (int k = 0; k < n; ++k) {
                if (four[k].weight != weight) continue;
                FourTerminal& fi = four[i];
                FourTerminal& fk = four[k];
                int orientation = -1;
                if (fi.n1 == fk.n3 && fi.n2 == fk.n4) orientation = 0;
                if (fi.n1 == fk.n4 && fi.n2 == fk.n3) orientation = 1;
                if (orientation < 0) continue;
                int sign = 0;
                if (k != i) {
                    // i's output pair shorts k's control pair; k is left
                    // controlled by i's control pair, reversed when the
                    // match was in order.
                    if (orientation == 0) {
                        fk.n3 = fi.n4;
                        fk.n4 = fi.n3;
                    } else {
                        fk.n3 = fi.n3;
                        fk.n4 = fi.n4;
                    }
                } else {
                    sign = orientation;
                }
                Hand(fi, fi.n1, fi.n2, sign, factor);
                DeleteFourTerminal(i, four);
                return true;
            }
        }
    }
    return false;
}

bool FindImpedanceAcrossPort(TwoTerminalList& two, const FourTerminalList& four, Factor& factor) {
    if (!HasImpedance(two) || four.empty()) return false;
    int taken = -1;
    for (const FourTerminal& f : four) {
        if (!IsForcingOutputKind(f.kind()) && f.weight >= 0) continue;
        taken = ImpedanceAcross(two, f.n1, f.n2);
        if (taken >= 0) break;
    }
    if (taken < 0) {
        for (const FourTerminal& f : four) {
            const char k = f.kind();
            if (k != 'F' && k != 'H' && f.weight >= 0 && f.weight != kWeightIdeal) continue;
            taken = ImpedanceAcross(two, f.n3, f.n4);
            if (taken >= 0) break;
        }
    }
    if (taken < 0) return false;
    Hand(two[taken], two[taken].n1, two[taken].n1, 0, factor);
    DeleteTwoTerminal(taken, two);
    return true;
}

bool FindPendantAdmittance(int nS, const NodeLabel* sNodes, TwoTerminalList& two, const FourTerminalList& four,
                           Factor& factor) {
    if (!HasAdmittance(two)) return false;
    for (const char label : TwoTerminalNodes(two)) {
        const NodeLabel v = static_cast<NodeLabel>(label);
        if (IsSNode(v, nS, sNodes)) continue;
        int touching = 0;
        int t = -1;
        for (int i = 0; i < static_cast<int>(two.size()); ++i)
            if (Touches(two[i], v)) {
                ++touching;
                t = i;
            }
        if (touching != 1 || !IsAdmittanceKind(two[t].kind())) continue;

        int k = 0;
        int l = 0;
        int j = -1;
        bool idealControlSeen = false;
        for (int i = 0; i < static_cast<int>(four.size()); ++i) {
            const FourTerminal& f = four[i];
            if (OutputAt(f, v)) {
                ++k;
                j = i;
            }
            if (ControlAt(f, v)) {
                if (f.weight == kWeightIdeal) {
                    if (idealControlSeen) continue;
                    idealControlSeen = true;
                }
                ++l;
                j = i;
            }
        }
        bool take = k == 0 && l == 0;
        if (!take && k == 1 && l == 0) {
            const char kind = four[j].kind();
            take = kind == 'F' || kind == 'J' || kind == 'I' || kind == 'G' || four[j].weight < 0;
        }
        if (!take && l == 1 && k == 0) {
            const char kind = four[j].kind();
            take = kind == 'K' || kind == 'G' || four[j].weight < 0 || four[j].weight == kWeightIdeal;
        }
        if (!take) continue;
        Hand(two[t], two[t].n1, two[t].n2, 0, factor);
        DeleteTwoTerminal(t, two);
        return true;
    }
    return false;
}

bool FindUnitElementNode(int nS, const NodeLabel* sNodes, const TwoTerminalList& two, FourTerminalList& four,
                         Factor& factor) {
    if (!HasNegativeWeight(four)) return false;
    const int n = static_cast<int>(four.size());
    for (const char label : CircuitNodes(two, four)) {
        const NodeLabel v = static_cast<NodeLabel>(label);
        if (IsSNode(v, nS, sNodes) || TouchedByTwoTerminal(two, v)) continue;

        int o = -1, so = 0;
        int c = -1, sc = 0;
        for (int i = 0; i < n; ++i) {
            const FourTerminal& f = four[i];
            if (f.weight >= 0) continue;
            if (f.n1 == v) o = i, so = 1;
            if (f.n2 == v) o = i, so = 0;
            if (f.n3 == v) c = i, sc = 1;
            if (f.n4 == v) c = i, sc = 0;
        }
        if (o < 0 || c < 0) continue;
        bool refused = false;
        for (const FourTerminal& f : four)
            if (BlocksUnitElimination(f, v)) {
                refused = true;
                break;
            }
        if (refused) continue;

        int sign = so != sc ? 1 : 0;
        if (o != c) sign ^= 1;

        // Every other output end at v moves to the far end of o's output
        // pair, every other control end to the far end of c's control pair.
        const NodeLabel a = four[o].n1 == v ? four[o].n2 : four[o].n1;
        const NodeLabel b = four[c].n3 == v ? four[c].n4 : four[c].n3;
        for (int i = 0; i < n; ++i) {
            FourTerminal& f = four[i];
            if (i != o) {
                if (f.n1 == v) f.n1 = a;
                if (f.n2 == v) f.n2 = a;
            }
            if (i != c) {
                if (f.n3 == v) f.n3 = b;
                if (f.n4 == v) f.n4 = b;
            }
        }
        if (o != c) {
            // c takes over o's control pair; the orientation carries the sign.
            if (sign == 1) {
                four[c].n3 = four[o].n4;
                four[c].n4 = four[o].n3;
                sign = 0;
            } else {
                four[c].n3 = four[o].n3;
                four[c].n4 = four[o].n4;
            }
        }
        Hand(four[o], kNoNode, kNoNode, sign, factor);
        DeleteFourTerminal(o, four);
        return true;
    }
    return false;
}

}  // namespace vorlan
