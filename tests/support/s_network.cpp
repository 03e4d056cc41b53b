#include "s_network.h"

#include <cmath>
#include <stdexcept>

#include "determinant_circuit.h"
#include "semantic_determinant.h"

namespace vorlan::test {
namespace {

bool IsIdealKind(char k) { return k == 'E' || k == 'J' || k == 'U' || k == 'I'; }

[[noreturn]] void Refuse(const STerm& term, const std::string& what) {
    throw EvaluationError("S-term \"" + term.text + "\": " + what);
}

}  // namespace

SNetwork::SNetwork(int sCount, const NodeLabel* sNodes) : sCount_(sCount) {
    if (sCount < 0 || sCount > 9) throw std::invalid_argument("S line of " + std::to_string(sCount) + " positions");
    for (int i = 1; i <= sCount; ++i) labels_.push_back(sNodes[i]);
    std::vector<int> first;  // first position of each distinct label
    for (int i = 1; i <= sCount; ++i) {
        bool seen = false;
        for (const int p : first) seen = seen || labels_[p - 1] == labels_[i - 1];
        if (!seen) first.push_back(i);
    }
    for (std::size_t a = 0; a < first.size(); ++a) {
        for (std::size_t b = a + 1; b < first.size(); ++b) {
            const Pair pair{first[a], first[b]};
            pairs_.push_back(pair);
            AddTwoTerminal(labels_[pair.p - 1], labels_[pair.q - 1], 1,
                           "y#S" + std::to_string(pair.p) + "_" + std::to_string(pair.q), admittances_);
        }
    }
}

void SNetwork::DrawValues(std::mt19937& random, ValueMap& values) const {
    std::uniform_real_distribution<double> magnitude(0.5, 2.0);
    for (const TwoTerminal& y : admittances_) values[y.name] = magnitude(random);
}

ReferenceValue SNetwork::Determinant(const TwoTerminalList& two, const FourTerminalList& four,
                                     const ValueMap& values) const {
    TwoTerminalList all = two;
    all.insert(all.end(), admittances_.begin(), admittances_.end());
    return NodalDeterminant(all, four, values);
}

Evaluation SNetwork::Value(const STerm& term, const ValueMap& values) const {
    const std::string& digits = term.digits;
    if (static_cast<int>(digits.size()) != sCount_)
        Refuse(term, std::to_string(digits.size()) + " digits for " + std::to_string(sCount_) + " S nodes");
    // A digit names the first position of its label, which carries itself.
    auto isFirstPosition = [&](char d) {
        const int p = d - '0';
        return p >= 1 && p <= sCount_ && digits[p - 1] == d;
    };
    for (int i = 0; i < sCount_; ++i) {
        if (!isFirstPosition(digits[i]) || digits[i] - '0' > i + 1)
            Refuse(term, "digit " + std::string(1, digits[i]) + " at position " + std::to_string(i + 1));
        // Merges join nodes and never split one.
        for (int j = 0; j < i; ++j)
            if (labels_[j] == labels_[i] && digits[j] != digits[i])
                Refuse(term, "positions " + std::to_string(j + 1) + " and " + std::to_string(i + 1) +
                                 " hold one S node");
    }

    TwoTerminalList two;
    for (const Pair& pair : pairs_) {
        const NodeLabel a = static_cast<NodeLabel>(digits[pair.p - 1]);
        const NodeLabel b = static_cast<NodeLabel>(digits[pair.q - 1]);
        if (a != b) AddTwoTerminal(a, b, 1, "y#S" + std::to_string(pair.p) + "_" + std::to_string(pair.q), two);
    }
    FourTerminalList four;
    for (const STerm::Element& e : term.elements) {
        if (e.digits.size() != 4) Refuse(term, "\"" + e.name + "\" without four S-node digits");
        for (const char d : e.digits)
            if (!isFirstPosition(d)) Refuse(term, "\"" + e.name + "\" on no S node of the term");
        const int weight = e.name == "1" ? kWeightUnit : IsIdealKind(e.name[0]) ? kWeightPinnedIdeal : -1;
        AddFourTerminal(static_cast<NodeLabel>(e.digits[0]), static_cast<NodeLabel>(e.digits[1]),
                        static_cast<NodeLabel>(e.digits[2]), static_cast<NodeLabel>(e.digits[3]), weight, e.name,
                        four);
    }
    try {
        const ReferenceValue v = SemanticDeterminant(std::move(two), std::move(four), values);
        return {v.value, std::fmax(std::fabs(v.value), v.scale)};
    } catch (const std::invalid_argument& error) {
        Refuse(term, error.what());
    }
}

Evaluation SNetwork::Evaluate(std::string_view expression, const ValueMap& values) const {
    return EvaluateExpression(expression, values, [&](const STerm& term) { return Value(term, values); });
}

std::string SNetwork::Mismatch(std::string_view expression, const TwoTerminalList& two,
                               const FourTerminalList& four) const {
    std::mt19937 random(17);
    int sign = 0;
    for (int draw = 0; draw < 4; ++draw) {
        ValueMap values = RandomListValues(two, four, random);
        DrawValues(random, values);
        ReferenceValue reference;
        try {
            reference = Determinant(two, four, values);
        } catch (const std::invalid_argument& error) {
            return std::string("the reference refuses the circuit: ") + error.what();
        }
        Evaluation got;
        try {
            got = Evaluate(expression, values);
        } catch (const EvaluationError& error) {
            return error.what();
        }
        if (IsZeroValue(reference)) {
            if (std::fabs(got.value) > 1e-9L * std::fmax(got.magnitude, 1.0L))
                return "the determinant is zero, the expression gives " + std::to_string(static_cast<double>(got.value));
            continue;
        }
        const long double ratio = got.value / reference.value;
        if (sign == 0) sign = ratio < 0 ? -1 : 1;
        if (std::fabs(ratio - sign) > 1e-9L)
            return "ratio " + std::to_string(static_cast<double>(ratio)) + " to the determinant in draw " +
                   std::to_string(draw + 1);
    }
    return {};
}

}  // namespace vorlan::test
