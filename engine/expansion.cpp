#include "expansion.h"

#include <string>
#include <utility>

#include "choice.h"
#include "expression_buffer.h"
#include "factoring.h"
#include "node_rule.h"
#include "state.h"
#include "weight_rules.h"

namespace vorlan {

namespace {

long Mark() { return WrittenLength(); }
bool WrittenSince(long mark) { return WrittenLength() > mark; }
void Append(std::string_view token) { AppendExpressionText(token); }

// Step 1: a "-" left at the end of the text by a term that was taken back
// stands where a "+" stood; it becomes "+" again, unless it follows "(".
// A "-" that the factoring loop means is always followed by "(", so a bare
// one at this point is such a remainder. A buffer holding only that "-"
// (its predecessor already written out) is treated the same: the "-" took
// the place of the "+" that began the pending text. With nothing pending,
// the remainder may end the last line this expression wrote out: that line
// is taken back to turn it.
void FixTrailingMinus() {
    ExpressionBuffer& buffer = Engine().buffer;
    const std::string& text = buffer.text();
    if (text.empty()) {
        if (!buffer.written_line_ends_in_minus()) return;
    } else {
        if (text.back() != '-') return;
        if (text.size() >= 2 && text[text.size() - 2] == '(') return;
    }
    UndoExpression(WrittenLength() - 1);
    Append("+");
}

// "S" and the digits of S-node positions 1..nS.
void WriteSHead(int nS, const NodeLabel* sNodes, const DistinctSNodes& distinct) {
    Append("S");
    WriteSNodeDigits(std::span<const NodeLabel>(sNodes + 1, static_cast<std::size_t>(nS)), distinct);
}

// Step 4: the S-term of a circuit left with S nodes and pinned four-terminals.
void WriteSTermWithFourTerminals(int nS, const NodeLabel* sNodes, const FourTerminalList& four) {
    const DistinctSNodes distinct = CollectDistinctSNodes(nS, sNodes);
    WriteSHead(nS, sNodes, distinct);
    Append("{");
    for (const FourTerminal& f : four) {
        Append(f.name);
        Append("[");
        const NodeLabel nodes[] = {f.n1, f.n2, f.n3, f.n4};
        WriteSNodeDigits(nodes, distinct);
        Append("]");
    }
    Append("}");
    FlushExpressionLine();
}

// The S nodes of a call, copied for its second branch.
SNodeArray CopySNodes(int nS, const NodeLabel* sNodes) {
    SNodeArray copy{};
    for (int i = 1; i <= nS; ++i) copy[i] = sNodes[i];
    return copy;
}

void AppendElementTerm(const std::string& name, int weight) {
    std::string term = name;
    AppendTerm(term, weight, 0);
}

// The chosen two-terminal's term and "*" written, the element taken out of
// the list: p0 stands before the term, p1 before the "*".
struct TakenTwoTerminal {
    long p0;
    long p1;
    NodeLabel x;
    NodeLabel y;
};

TakenTwoTerminal TakeTwoTerminal(int k, TwoTerminalList& two) {
    TakenTwoTerminal taken{};
    taken.p0 = Mark();
    AppendElementTerm(two[k].name, two[k].weight);
    taken.p1 = Mark();
    Append("*");
    taken.x = two[k].n1;
    taken.y = two[k].n2;
    DeleteTwoTerminal(k, two);
    return taken;
}

// The first branch of paths A and B, bracketed when `bracket`: nothing
// written takes the element's term back; else the "+" for the second branch
// follows and p1 moves before it.
void ExpandFirstBranch(CircuitLists sub, bool bracket, TakenTwoTerminal& taken) {
    if (bracket) Append("(");
    const long p2 = Mark();
    ExpandDeterminant(std::move(sub));
    if (!WrittenSince(p2)) {
        UndoExpression(taken.p0);
        return;
    }
    if (bracket) Append(")");
    taken.p1 = Mark();
    Append("+");
}

// A branch that takes the last element of a circuit lets go of its nodes.
constexpr EmptiedCircuit kLoses = EmptiedCircuit::LosesItsNode;

// Path A: an admittance, shorted, then opened.
void ExpandOnAdmittance(CircuitLists& lists, const NodeSet& c0) {
    const int nS = lists.sCount;
    SNodeArray sCopy = CopySNodes(nS, lists.sNodes);
    int k = ChoosePendantAdmittance(lists.two, lists.four);
    if (k == -1) k = ChooseAdmittance(lists.two, lists.four);
    TakenTwoTerminal taken = TakeTwoTerminal(k, lists.two);

    // Branch 1: the admittance shorted.
    {
        TwoTerminalList c2 = lists.two;
        FourTerminalList c4 = lists.four;
        AddUnitOverPair(taken.x, taken.y, c4);
        const bool bracket = c2.size() + c4.size() > 1;
        ExpandFirstBranch(CircuitLists{nS, lists.sNodes, std::move(c2), std::move(c4)}, bracket, taken);
    }

    // Branch 2: the admittance opened.
    const long p2 = Mark();
    if (!LetsGoOfNode(c0, lists.two, lists.four, nS, sCopy.data(), kLoses)) {
        ExpandDeterminant(CircuitLists{nS, sCopy.data(), std::move(lists.two), std::move(lists.four)});
        if (!WrittenSince(p2)) UndoExpression(taken.p1);
    } else {
        UndoExpression(taken.p1);
    }
}

// Path B: an impedance, opened, then shorted.
void ExpandOnImpedance(CircuitLists& lists, const NodeSet& c0) {
    const int nS = lists.sCount;
    SNodeArray sCopy = CopySNodes(nS, lists.sNodes);
    const int k = ChooseImpedance(lists.two, lists.four);
    TakenTwoTerminal taken = TakeTwoTerminal(k, lists.two);

    // Branch 1: the impedance opened.
    {
        TwoTerminalList c2 = lists.two;
        FourTerminalList c4 = lists.four;
        if (!LetsGoOfNode(c0, c2, c4, nS, lists.sNodes, kLoses)) {
            const bool bracket = c2.size() + c4.size() > 1 || nS > 0;
            ExpandFirstBranch(CircuitLists{nS, lists.sNodes, std::move(c2), std::move(c4)}, bracket, taken);
        } else {
            UndoExpression(taken.p0);
        }
    }

    // Branch 2: the impedance shorted.
    FourTerminalList c4 = lists.four;
    AddUnitOverPair(taken.x, taken.y, c4);
    const long p2 = Mark();
    ExpandDeterminant(CircuitLists{nS, sCopy.data(), std::move(lists.two), std::move(c4)});
    if (!WrittenSince(p2)) UndoExpression(taken.p1);
}

// Path C: a four-terminal, expanded, then released. Neutralising ideal
// elements can leave a node that nothing touches any more: such a branch is
// zero, as in paths A and B.
void ExpandOnFourTerminal(CircuitLists& lists, int k, const NodeSet& c0) {
    const int nS = lists.sCount;
    SNodeArray sCopy = CopySNodes(nS, lists.sNodes);
    const char kind = lists.four[k].kind();
    TwoTerminalList c2 = lists.two;
    FourTerminalList c4 = lists.four;

    FourTerminal& chosen = lists.four[k];
    chosen.weight = -chosen.weight;
    if (chosen.weight == kWeightPinnedIdeal) NeutraliseOtherIdealSources(lists.four);

    long p1 = Mark();
    const bool lone = (kind == 'K' || kind == 'F') && lists.two.empty() && lists.four.size() == 1 && nS == 0;
    if (lone) Append("(");

    // Branch 1: the element expanded.
    long p2 = Mark();
    if (!LetsGoOfNode(c0, lists.two, lists.four, nS, lists.sNodes, kLoses))
        ExpandDeterminant(CircuitLists{nS, lists.sNodes, std::move(lists.two), std::move(lists.four)});
    p1 = Mark();
    if (WrittenSince(p2)) Append("+");

    if (lone) {
        Append("1)");
        return;
    }

    // Branch 2: the element released.
    int released = ReleaseFourTerminal(k, c4);
    if (released == 1 && LetsGoOfNode(c0, c2, c4, nS, sCopy.data(), kLoses)) released = 2;
    if (released == 1 || released == 3) {
        p2 = Mark();
        ExpandDeterminant(CircuitLists{nS, sCopy.data(), std::move(c2), std::move(c4)});
        if (!WrittenSince(p2)) UndoExpression(p1);
    } else {
        UndoExpression(p1);
    }
}

}  // namespace

bool AllWeightsNonPositive(const FourTerminalList& four) {
    for (const FourTerminal& f : four)
        if (f.weight > 0) return false;
    return true;
}

DistinctSNodes CollectDistinctSNodes(int nS, const NodeLabel* sNodes) {
    DistinctSNodes distinct;
    std::array<bool, kSNodeCapacity + 2> marked{};
    for (int i = 1; i <= nS; ++i) {
        if (marked[i]) continue;
        for (int j = 1; j <= nS; ++j)
            if (j != i && sNodes[j] == sNodes[i]) marked[j] = true;
    }
    for (int i = 1; i <= nS; ++i) {
        if (marked[i]) continue;
        ++distinct.count;
        distinct.labels[distinct.count] = sNodes[i];
        distinct.positions[distinct.count] = i;
    }
    return distinct;
}

void WriteSNodeDigits(std::span<const NodeLabel> nodes, const DistinctSNodes& distinct) {
    for (const NodeLabel node : nodes) {
        for (int i = 1; i <= distinct.count; ++i) {
            if (distinct.labels[i] != node) continue;
            const int position = distinct.positions[i];
            if (position >= 1 && position <= 9) {
                const char digit[] = {static_cast<char>('0' + position), '\0'};
                Append(digit);
            }
            break;
        }
    }
}

void ExpandDeterminant(CircuitLists lists) {
    const int nS = lists.sCount;
    FixTrailingMinus();

    if (lists.two.empty() && lists.four.empty()) {
        WriteSHead(nS, lists.sNodes, CollectDistinctSNodes(nS, lists.sNodes));
        FlushExpressionLine();
        return;
    }

    int result = 0;
    FactorOutElements(nS, lists.sNodes, lists.two, lists.four, result);
    if (result == 1 || result == 2) return;

    if (lists.two.empty() && nS > 0 && AllWeightsNonPositive(lists.four)) {
        WriteSTermWithFourTerminals(nS, lists.sNodes, lists.four);
        return;
    }

    const NodeSet c0 = HeldNodes(lists.two, lists.four);
    // Two-terminals first (0) or four-terminals first (any other value); the
    // other group when the first has nothing to offer. Nothing to split on
    // at all: the determinant is zero and nothing is written.
    const bool sourcesFirst = Engine().settings.SourcesFirst != 0;
    for (int round = 0; round < 2; ++round) {
        const bool twoTerminals = (round == 0) != sourcesFirst;
        if (twoTerminals) {
            if (HasAdmittance(lists.two)) return ExpandOnAdmittance(lists, c0);
            if (HasImpedance(lists.two)) return ExpandOnImpedance(lists, c0);
        } else {
            int k = -1;
            if (ChooseFourTerminal(lists.four, k)) return ExpandOnFourTerminal(lists, k, c0);
        }
    }
}

}  // namespace vorlan
