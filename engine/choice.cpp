#include "choice.h"

#include <cstdlib>
#include <string_view>

namespace vorlan {

namespace {

bool SharesNode(const FourTerminal& f) {
    return f.n1 == f.n3 || f.n1 == f.n4 || f.n2 == f.n3 || f.n2 == f.n4;
}

// One class of the four-terminal choice: the kinds it takes (empty: any)
// and whether the output and the control pair must share a node.
struct FourTerminalClass {
    std::string_view kinds;
    bool sharing;
};

constexpr FourTerminalClass kFourTerminalClasses[] = {
    {"EJ", true}, {"EJ", false}, {"F", true}, {"F", false}, {"K", true}, {"K", false},
    {"H", true},  {"H", false},  {"G", true}, {"G", false}, {"", false},
};

bool InClass(const FourTerminal& f, const FourTerminalClass& c) {
    if (f.weight <= 0) return false;
    if (!c.kinds.empty() && c.kinds.find(f.kind()) == std::string_view::npos) return false;
    return !c.sharing || SharesNode(f);
}

bool Touches(NodeLabel a, NodeLabel b, NodeLabel v) { return a == v || b == v; }

// Two-terminals (of any kind) with v as one of their nodes.
int DegreeOf(NodeLabel v, const TwoTerminalList& two) {
    int degree = 0;
    for (const TwoTerminal& t : two)
        if (Touches(t.n1, t.n2, v)) ++degree;
    return degree;
}

// |four-terminal outputs touching v - four-terminal controls touching v|.
int BalanceOf(NodeLabel v, const FourTerminalList& four) {
    int outputs = 0;
    int controls = 0;
    for (const FourTerminal& f : four) {
        if (Touches(f.n1, f.n2, v)) ++outputs;
        if (Touches(f.n3, f.n4, v)) ++controls;
    }
    return std::abs(outputs - controls);
}

// Degrees and balances of a two-terminal's ends, with its weight: what the
// admittance and impedance choosers compare.
struct Candidate {
    int da = 0;
    int db = 0;
    int weight = 0;
    int ha = 0;
    int hb = 0;
};

Candidate Measure(const TwoTerminal& t, const TwoTerminalList& two, const FourTerminalList& four) {
    return {DegreeOf(t.n1, two), DegreeOf(t.n2, two), t.weight, BalanceOf(t.n1, four),
            BalanceOf(t.n2, four)};
}

}  // namespace

bool ChooseFourTerminal(const FourTerminalList& four, int& index) {
    index = -1;
    for (const FourTerminalClass& c : kFourTerminalClasses)
        for (std::size_t i = 0; i < four.size(); ++i)
            if (InClass(four[i], c)) {
                index = static_cast<int>(i);
                return true;
            }
    return false;
}

bool HasAdmittance(const TwoTerminalList& two) {
    for (const TwoTerminal& t : two)
        if (IsAdmittanceKind(t.kind())) return true;
    return false;
}

bool HasImpedance(const TwoTerminalList& two) {
    for (const TwoTerminal& t : two)
        if (IsImpedanceKind(t.kind())) return true;
    return false;
}

bool HasKindG(const FourTerminalList& four) {
    for (const FourTerminal& f : four)
        if (f.kind() == 'G') return true;
    return false;
}

bool HasNegativeWeight(const FourTerminalList& four) {
    for (const FourTerminal& f : four)
        if (f.weight < 0) return true;
    return false;
}

int ChoosePendantAdmittance(const TwoTerminalList& two, const FourTerminalList& four) {
    std::vector<NodePair> pairs;
    TwoTerminalPairs(two, pairs);
    int nodeCount = 0;
    std::string nodes;
    CollectNodes(pairs, nodeCount, nodes);

    int result = -1;
    int bestBalance = -1;
    int bestIndex = 0;
    for (const char c : nodes) {
        const NodeLabel v = static_cast<NodeLabel>(c);
        int count = 0;
        int t = -1;
        for (std::size_t i = 0; i < two.size(); ++i)
            if (Touches(two[i].n1, two[i].n2, v)) {
                ++count;
                t = static_cast<int>(i);
            }
        if (count != 1 || !IsAdmittanceKind(two[t].kind())) continue;

        result = t;
        int k = 0, l = 0, ko = -1, kc = -1;
        for (std::size_t i = 0; i < four.size(); ++i) {
            if (Touches(four[i].n1, four[i].n2, v)) {
                ++k;
                ko = static_cast<int>(i);
            }
            if (Touches(four[i].n3, four[i].n4, v)) {
                ++l;
                kc = static_cast<int>(i);
            }
        }
        if (k == 1 && l == 1) return t;
        if (k == 1 && std::string_view("KEUH").find(four[ko].kind()) != std::string_view::npos) return t;
        if (l == 1 && std::string_view("FJIH").find(four[kc].kind()) != std::string_view::npos) return t;

        const int balance = std::abs(k - l);
        if (balance < bestBalance) {
            result = bestIndex;
        } else {
            bestBalance = balance;
            bestIndex = t;
        }
    }
    return result;
}

int ChooseAdmittance(const TwoTerminalList& two, const FourTerminalList& four) {
    Candidate best{100, 100, 0, 0, 0};
    int result = 0;
    for (std::size_t i = 0; i < two.size(); ++i) {
        if (IsImpedanceKind(two[i].kind())) continue;
        const Candidate c = Measure(two[i], two, four);
        const int cMin = MinOf(c.da, c.db), bMin = MinOf(best.da, best.db);
        const int cSum = c.da + c.db, bSum = best.da + best.db;
        const bool better =
            cMin < bMin || (cMin == bMin && cSum < bSum) ||
            (cMin == bMin && cSum == bSum && c.weight > best.weight) ||
            (cMin == bMin && cSum == bSum && c.weight == best.weight &&
             MaxOf(c.ha, c.hb) > MaxOf(best.ha, best.hb));
        if (better) {
            best = c;
            result = static_cast<int>(i);
        }
    }
    return result;
}

int ChooseImpedance(const TwoTerminalList& two, const FourTerminalList& four) {
    Candidate best{0, 0, 0, 0, 0};
    int result = 0;
    for (std::size_t i = 0; i < two.size(); ++i) {
        if (IsAdmittanceKind(two[i].kind())) continue;
        const Candidate c = Measure(two[i], two, four);
        const int cMax = MaxOf(c.da, c.db), bMax = MaxOf(best.da, best.db);
        const int cSum = c.da + c.db, bSum = best.da + best.db;
        const bool better =
            cMax > bMax || (cMax == bMax && cSum > bSum) ||
            (cMax == bMax && cSum == bSum && c.weight > best.weight) ||
            (cMax == bMax && cSum == bSum && c.weight == best.weight &&
             MaxOf(c.ha, c.hb) > MaxOf(best.ha, best.hb));
        if (better) {
            best = c;
            result = static_cast<int>(i);
        }
    }
    return result;
}

int MinOf(int a, int b) { return a < b ? a : b; }
int MaxOf(int a, int b) { return a > b ? a : b; }

}  // namespace vorlan
