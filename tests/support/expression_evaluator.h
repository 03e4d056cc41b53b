// Numeric evaluation of the expressions the engine writes: element names,
// "+", "-", "*", brackets and the factor "1" (also as the closing group
// "1)" of a source term). The S-term "S" of an emptied circuit without S
// nodes is 1; other S-terms are refused unless the caller values them.
#pragma once

#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vorlan::test {

using ValueMap = std::map<std::string, long double, std::less<>>;

struct Evaluation {
    long double value = 0;
    // The same expression with every minus read as plus: with positive
    // values it bounds |value| and tells a true zero from cancellation.
    long double magnitude = 0;
};

class EvaluationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An S-term as written, "S12{1[1212]G3[1221]}": the digit of each S-node
// position after the "S", then the four-terminals inside the braces, each
// with the digits of its nodes (a node that is no S node writes none, so
// there may be fewer than four). The name runs up to its "[" and may hold
// operators, as a merged name does.
struct STerm {
    struct Element {
        std::string name;
        std::string digits;
    };
    std::string text;    // the whole term, for messages
    std::string digits;  // "12"
    std::vector<Element> elements;
};

// The value of an S-term; throws EvaluationError for one it cannot value.
using STermValue = std::function<Evaluation(const STerm&)>;

// Evaluates `expression` with the number of every element name taken from
// `values` and of every S-term from `sTerm`. The empty expression is 0.
// Throws EvaluationError on a syntax error or an unknown name, and without
// `sTerm` on any S-term but "S".
Evaluation EvaluateExpression(std::string_view expression, const ValueMap& values,
                              const STermValue& sTerm = {});

}  // namespace vorlan::test
