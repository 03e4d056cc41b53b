#include "factoring.h"

#include <string>
#include <utility>

#include "expansion.h"
#include "expression_buffer.h"
#include "finders.h"
#include "node_rule.h"
#include "node_scan.h"
#include "reduction.h"
#include "state.h"

namespace vorlan {

namespace {

bool BothEmpty(const TwoTerminalList& two, const FourTerminalList& four) { return two.empty() && four.empty(); }

void ReleaseAll(TwoTerminalList& two, FourTerminalList& four) {
    FreeTwoTerminals(two);
    FreeFourTerminals(four);
}

// Node `from` becomes `to` in both lists and in S-node positions 1..nS.
void MergeNode(NodeLabel from, NodeLabel to, int nS, NodeLabel* sNodes, TwoTerminalList& two,
               FourTerminalList& four) {
    MergeNodeInTwoTerminals(from, to, two);
    MergeNodeInFourTerminals(from, to, four);
    for (int i = 1; i <= nS; ++i)
        if (sNodes[i] == from) sNodes[i] = to;
}

// Merges node x into y after a factor was taken. The merge may delete a G
// whose port it collapses; a node that only such a G held is left with
// nothing: returns false when that makes the determinant zero.
bool MergeKeepsNodes(NodeLabel x, NodeLabel y, int nS, NodeLabel* sNodes, TwoTerminalList& two,
                     FourTerminalList& four) {
    NodeSet kept = HeldNodes(two, four);
    if (kept.test(x)) kept.reset(x).set(y);
    MergeNode(x, y, nS, sNodes, two, four);
    return !LetsGoOfNode(kept, two, four, nS, sNodes, EmptiedCircuit::LosesItsNode);
}

// One pass over the four-terminals: resolves weight-0 elements up to and
// including the first K, F or G. Returns false when that let go of a node
// that nothing holds (a zero determinant).
bool ResolveOnePass(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four) {
    for (int i = 0; i < static_cast<int>(four.size()); ++i) {
        if (four[i].weight != kWeightResolve) continue;
        NodeSet kept = HeldNodes(two, four);
        const FourTerminal f = four[i];
        switch (f.kind()) {
        case 'K':
            ReplaceByUnit(f.n1, f.n2, i, four);
            break;
        case 'F':
            ReplaceByUnit(f.n3, f.n4, i, four);
            break;
        case 'G':
            DeleteFourTerminal(i, four);
            break;
        case 'H': {
            // Its sensing short stays; one that loops on a single node
            // leaves the sensed current undetermined.
            if (f.n3 == f.n4) return false;
            // The contraction of the control pair takes node n3 away; any
            // further node lost was held by nothing else.
            ReplaceByUnit(f.n1, f.n2, i, four);
            MergeNode(f.n3, f.n4, nS, sNodes, two, four);
            kept.reset(f.n3);
            if (LetsGoOfNode(kept, two, four, nS, sNodes, EmptiedCircuit::LosesItsNode)) return false;
            continue;
        }
        default:
            continue;
        }
        return !LetsGoOfNode(kept, two, four, nS, sNodes, EmptiedCircuit::LosesItsNode);
    }
    return true;
}

bool FindFactor(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four, Factor& factor) {
    return FindShortedImpedance(two, factor) || FindChainedUnitElements(four, factor) ||
           FindImpedanceAcrossPort(two, four, factor) || FindPendantAdmittance(nS, sNodes, two, four, factor) ||
           FindUnitElementNode(nS, sNodes, two, four, factor);
}

bool EndsWithTermStart(const std::string& text) {
    if (text.empty()) return false;
    const char c = text.back();
    return c == '(' || c == '+' || c == '-';
}

// The product of the factors taken, as the term it is written as: "1" when
// empty, else without its last "*".
std::string ProductTerm(std::string product) {
    if (product.empty()) return "1";
    product.pop_back();
    return product;
}

}  // namespace

void ResolveZeroWeightSources(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                              int& result) {
    do {
        if (!ResolveOnePass(nS, sNodes, two, four)) {
            result = 2;
            ReleaseAll(two, four);
            return;
        }
        ReduceCircuit(nS, sNodes, two, four, result);
    } while (result == 3);
    if (result != 2) result = 0;
}

void FactorOutElements(int nS, NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four, int& result) {
    ExpressionBuffer& buffer = Engine().buffer;

    ResolveZeroWeightSources(nS, sNodes, two, four, result);
    if (result == 2) return;

    if (CountNodes(two, four) == 0 && nS == 0) {
        AppendExpressionText("1");
        ReleaseAll(two, four);
        result = 1;
        return;
    }

    Factor factor;
    if (!FindFactor(nS, sNodes, two, four, factor)) {
        result = 3;
        return;
    }

    std::string product;
    int sign = 0;
    bool usedUp = false;  // the factors took the whole circuit (no S nodes)
    for (;;) {
        sign ^= factor.sign;
        if (factor.name.empty() || factor.name[0] != '1') {
            int weight = factor.weight;
            // A lone compound factor that starts a term needs no brackets.
            // The start of the expression counts only while the buffer is
            // empty: after a pending "*" the brackets must stay.
            if (nS == 0 && product.empty() && BothEmpty(two, four) && sign == 0 &&
                (buffer.empty() ? buffer.currentWritten() == 0 : EndsWithTermStart(buffer.text())))
                weight = 1;
            AppendFactor(product, factor.name, weight);
        }
        if (BothEmpty(two, four) && nS == 0) {
            usedUp = true;
            break;
        }
        if (factor.x != kNoNode && factor.x != factor.y && !MergeKeepsNodes(factor.x, factor.y, nS, sNodes, two, four)) {
            result = 2;
            ReleaseAll(two, four);
            return;
        }
        // A circuit emptied by the merge or the reduction: its rest is
        // expanded all the same and written as its S-term.
        if (BothEmpty(two, four)) break;
        ResolveZeroWeightSources(nS, sNodes, two, four, result);
        if (result == 2) return;
        if (CountNodes(two, four) == 0) break;
        factor = Factor{};
        if (!FindFactor(nS, sNodes, two, four, factor)) break;
    }

    std::string term = ProductTerm(std::move(product));
    if (usedUp) {
        AppendTerm(term, 1, sign);
        result = 1;
        return;
    }

    const long pa = WrittenLength();
    AppendTerm(term, 1, sign);
    AppendExpressionText("*");
    {
        const std::string& text = buffer.text();
        const std::size_t n = text.size();
        const bool bareOne = n >= 2 && text.compare(n - 2, 2, "1*") == 0 &&
                             (n == 2 || text[n - 3] == '(' || text[n - 3] == '+' || text[n - 3] == '-');
        if (bareOne) UndoExpression(WrittenLength() - 2);
    }
    // Before the S-term of an emptied circuit a "-" needs a bracket where
    // the expansion would take it for the remains of a term taken back and
    // turn it into "+": anywhere but right after "(".
    const std::string& text = buffer.text();
    const bool minus = !text.empty() && text.back() == '-';
    const bool afterBracket = text.size() >= 2 && text[text.size() - 2] == '(';
    const bool bracket = BothEmpty(two, four) ? minus && !afterBracket : (term[0] != '1' || minus);
    if (bracket) AppendExpressionText("(");
    const long pb = WrittenLength();
    ExpandDeterminant(CircuitLists{nS, sNodes, std::move(two), std::move(four)});
    if (WrittenLength() <= pb) {
        UndoExpression(pa);
        result = 2;
        return;
    }
    if (bracket) AppendExpressionText(")");
    result = 1;
}

}  // namespace vorlan
