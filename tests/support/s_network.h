// A network standing in for the subcircuit of an S line, so that
// expressions with S-terms can be checked by numbers: one admittance between
// every two distinct labels of the S line (a repeated label is one
// terminal). An S-term is that network's determinant with its terminals
// joined as the term's digits say (equal digits are one node) and with the
// four-terminals of its braces put in:
//   "1"          a unit element (nullor);
//   E, J, U, I   a pinned ideal element (weight -999);
//   any other    gain times a nullor, as an expanded source.
// With one distinct label there is no network: "S1", "S11" are 1.
#pragma once

#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "expression_evaluator.h"
#include "nodal_reference.h"
#include "tables.h"

namespace vorlan::test {

class SNetwork {
public:
    // S-node positions 1..sCount of the 1-based `sNodes`, at most nine (a
    // tenth position writes no digit). Throws std::invalid_argument beyond.
    SNetwork(int sCount, const NodeLabel* sNodes);

    // One admittance per pair of distinct labels, over the labels, named
    // "y#S<p>_<q>" after the first positions p < q of the two labels.
    const TwoTerminalList& admittances() const { return admittances_; }

    // A random value (0.5 .. 2) for every admittance, put into `values`.
    void DrawValues(std::mt19937& random, ValueMap& values) const;

    // The circuit's normalised determinant with the network put in.
    ReferenceValue Determinant(const TwoTerminalList& two, const FourTerminalList& four,
                               const ValueMap& values) const;

    // The value of one S-term. Throws EvaluationError for a term that does
    // not fit the S line: a digit count other than its positions, a digit
    // that names no first position, positions of one label with different
    // digits, or a four-terminal without four S-node digits.
    Evaluation Value(const STerm& term, const ValueMap& values) const;

    // The expression's value with its S-terms valued by the network.
    Evaluation Evaluate(std::string_view expression, const ValueMap& values) const;

    // Why `expression` is not the determinant of the lists with the network
    // put in, up to one sign for four random draws (or both zero); empty
    // when it is. With no S line it is the lists' own determinant.
    std::string Mismatch(std::string_view expression, const TwoTerminalList& two,
                         const FourTerminalList& four) const;

private:
    struct Pair {
        int p, q;  // first positions of the two labels
    };
    int sCount_ = 0;
    std::vector<NodeLabel> labels_;  // positions 1..sCount as 0..sCount-1
    std::vector<Pair> pairs_;
    TwoTerminalList admittances_;
};

}  // namespace vorlan::test
