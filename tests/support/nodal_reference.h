// A numeric reference for circuit determinants: modified nodal analysis of
// the element records, independent of the symbolic expansion.
//
// The value is normalised so that it equals the expansion's polynomial:
//   (product of the impedance values R, z, Z)
//   x det(modified nodal matrix with the first node's row and column removed)
//   x (-1)^(number of branch-current unknowns).
// A circuit of admittances and impedances gives the nodal determinant, each
// admittance (g, y, Y) entering with its value and each impedance with one
// over it. A unit element "1" over (n1, n2, n3, n4) is a nullor: a current
// unknown entering at n1 and leaving at n2, and the constraint
// V(n3) - V(n4) = 0; over (a, b, a, b) it is a short.
//
// Controlled sources, with the current of an output pair flowing through the
// element from n1 to n2 and c the gain times the kind's orientation sign:
//   G  current c * (V(n3) - V(n4)) leaves n1 and enters n2;
//   K  V(n1) - V(n2) = c * (V(n3) - V(n4));
//   F  the control pair is a short carrying i from n3 to n4, and the current
//      c * i leaves n1 and enters n2;
//   H  the control pair is such a short and V(n1) - V(n2) = c * i.
// Ideal elements (E, U, J, I of weight 999 or -999) enter by superposition:
// the sum over them of value x orientation sign x the determinant with that
// element a nullor over its pairs and every other one neutralised (E and U
// shorted over their output pair, J and I removed; the nodes of a removed
// element stay in the circuit, floating if nothing else holds them).
#pragma once

#include <map>

#include "expression_evaluator.h"
#include "tables.h"

namespace vorlan::test {

// Orientation sign per kind letter (G K F H E J U I): the sign by which the
// expansion's gain enters the conventions above. Kinds not listed count +1.
using OrientationMap = std::map<char, int>;

// The orientation of the expansion's kinds, fixed once from each kind's
// smallest circuit.
const OrientationMap& ExpansionOrientation();

struct ReferenceValue {
    long double value = 0;
    // A bound on |value| (Hadamard's bound times the normalisation): a
    // value far below it is a zero determinant.
    long double scale = 0;
};

// The normalised determinant of the circuit; every element name except the
// unit elements' "1" must have a value. Throws std::invalid_argument for a
// record the reference does not model.
ReferenceValue NodalDeterminant(const TwoTerminalList& two, const FourTerminalList& four,
                                const ValueMap& values,
                                const OrientationMap& orientation = ExpansionOrientation());

// The determinant of a square matrix by LU decomposition with partial
// pivoting (row-major, n x n; n = 0 gives 1).
long double MatrixDeterminant(std::vector<long double> matrix, int n);

}  // namespace vorlan::test
