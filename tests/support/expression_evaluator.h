// Numeric evaluation of the expressions the engine writes: element names,
// "+", "-", "*", brackets and the factor "1" (also as the closing group
// "1)" of a source term). The S-term "S" of an emptied circuit without S
// nodes is 1; other S-terms are not numbers and are refused.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>

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

// Evaluates `expression` with the number of every element name taken from
// `values`. The empty expression is 0. Throws EvaluationError on a syntax
// error, an unknown name or an S-term.
Evaluation EvaluateExpression(std::string_view expression, const ValueMap& values);

}  // namespace vorlan::test
