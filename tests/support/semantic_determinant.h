// The determinant that a partly expanded circuit stands for, computed with
// the nodal reference. The reduction and the factor finders mark controlled
// sources by their weights instead of changing them: weight 0 means the
// source is released (its gain taken as 0, its sensing and forcing branches
// kept), a negative weight that it is expanded (its gain times the circuit
// with the source as a nullor on its four nodes). Compound names made by
// merges are evaluated.
#pragma once

#include <cmath>
#include <string>

#include "expression_evaluator.h"
#include "nodal_reference.h"
#include "tables.h"

namespace vorlan::test {

inline bool IsControlledKind(char k) { return k == 'G' || k == 'K' || k == 'F' || k == 'H'; }

// The value of an element name, simple or compound, from the values of the
// simple names.
inline long double NameValue(const std::string& name, const ValueMap& base) {
    return EvaluateExpression(name, base).value;
}

inline ReferenceValue SemanticDeterminant(TwoTerminalList two, FourTerminalList four, const ValueMap& base) {
    constexpr const char* kReleased = "#released";
    for (FourTerminal& f : four) {
        if (!IsControlledKind(f.kind()) || f.weight > 0) continue;
        if (f.weight == 0) {
            f.name += kReleased;
            f.weight = 1;
            continue;
        }
        const long double gain = NameValue(f.name, base);
        f = FourTerminal{f.n1, f.n2, f.n3, f.n4, kWeightUnit, "1"};
        ReferenceValue part = SemanticDeterminant(std::move(two), std::move(four), base);
        return {gain * part.value, std::fabs(gain) * part.scale};
    }
    ValueMap values;
    for (const TwoTerminal& t : two) values[t.name] = NameValue(t.name, base);
    for (const FourTerminal& f : four) {
        if (f.name == "1") continue;
        const bool released = f.name.ends_with(kReleased);
        values[f.name] = released ? 0 : NameValue(f.name, base);
    }
    return NodalDeterminant(two, four, values);
}

// Whether two reference values agree, relative to their size.
inline bool SameValue(const ReferenceValue& a, const ReferenceValue& b) {
    const long double scale = std::fmax(std::fmax(a.scale, b.scale), 1e-30L);
    return std::fabs(a.value - b.value) <= 1e-9L * scale;
}

inline bool IsZeroValue(const ReferenceValue& a) { return std::fabs(a.value) <= 1e-9L * std::fmax(a.scale, 1e-30L); }

}  // namespace vorlan::test
