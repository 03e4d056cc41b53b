#include "nodal_reference.h"

#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace vorlan::test {
namespace {

bool IsIdealKind(char k) { return k == 'E' || k == 'U' || k == 'J' || k == 'I'; }
bool IsIdeal(const FourTerminal& f) {
    return IsIdealKind(f.kind()) && (f.weight == kWeightIdeal || f.weight == kWeightPinnedIdeal);
}

long double ValueOf(const std::string& name, const ValueMap& values) {
    const auto it = values.find(name);
    if (it == values.end()) throw std::invalid_argument("no value for element \"" + name + "\"");
    return it->second;
}

int SignOf(char kind, const OrientationMap& orientation) {
    const auto it = orientation.find(kind);
    return it == orientation.end() ? 1 : it->second;
}

// The modified nodal matrix of one circuit without ideal elements, grown as
// the records are stamped.
class MnaBuilder {
public:
    // The nodes are those of `two` and `nodesOf`: a neutralised element
    // leaves its nodes in the circuit.
    MnaBuilder(const TwoTerminalList& two, const FourTerminalList& nodesOf) {
        auto note = [&](NodeLabel n) {
            if (n != 0 && index_[n] < 0 && n != reference_) {
                if (reference_ == 0)
                    reference_ = n;
                else
                    index_[n] = nodes_++;
            }
        };
        index_.fill(-1);
        for (const TwoTerminal& t : two) {
            note(t.n1);
            note(t.n2);
        }
        for (const FourTerminal& f : nodesOf) {
            note(f.n1);
            note(f.n2);
            note(f.n3);
            note(f.n4);
        }
    }

    // A new current unknown: its column index.
    int AddUnknown() {
        ++extra_;
        return nodes_ + extra_ - 1;
    }
    // A new constraint row: its row index.
    int AddRow() {
        rows_.emplace_back();
        return nodes_ + static_cast<int>(rows_.size()) - 1;
    }

    void Add(int row, int col, long double v) {
        if (row < 0 || col < 0) return;
        entries_.push_back({row, col, v});
    }
    int Node(NodeLabel n) const { return n == 0 ? -1 : index_[n]; }

    void StampAdmittance(NodeLabel a, NodeLabel b, long double y) {
        Add(Node(a), Node(a), y);
        Add(Node(b), Node(b), y);
        Add(Node(a), Node(b), -y);
        Add(Node(b), Node(a), -y);
    }
    // Column `col` carries a current that leaves node a and enters node b
    // (times v).
    void StampBranchColumn(NodeLabel a, NodeLabel b, int col, long double v) {
        Add(Node(a), col, v);
        Add(Node(b), col, -v);
    }
    // Row `row` holds v * (V(a) - V(b)).
    void StampVoltageRow(int row, NodeLabel a, NodeLabel b, long double v) {
        Add(row, Node(a), v);
        Add(row, Node(b), -v);
    }

    int Extra() const { return extra_; }

    ReferenceValue Determinant(long double normalisation) const {
        const int n = nodes_ + extra_;
        if (static_cast<int>(rows_.size()) != extra_) throw std::logic_error("unbalanced modified nodal matrix");
        std::vector<long double> m(static_cast<std::size_t>(n) * n, 0.0L);
        for (const Entry& e : entries_) m[static_cast<std::size_t>(e.row) * n + e.col] += e.v;
        long double bound = 1;
        for (int r = 0; r < n; ++r) {
            long double s = 0;
            for (int c = 0; c < n; ++c) s += m[static_cast<std::size_t>(r) * n + c] * m[static_cast<std::size_t>(r) * n + c];
            bound *= std::sqrt(s);
        }
        const long double sign = (extra_ % 2 == 0) ? 1 : -1;
        return {sign * normalisation * MatrixDeterminant(std::move(m), n), std::fabs(normalisation) * bound};
    }

private:
    struct Entry {
        int row, col;
        long double v;
    };
    std::array<int, 256> index_{};
    NodeLabel reference_ = 0;
    int nodes_ = 0;
    int extra_ = 0;
    std::vector<int> rows_;
    std::vector<Entry> entries_;
};

// One circuit without ideal elements; `nullor` (or -1) is the index of a
// four-terminal to be taken as a unit element whatever its kind. The nodes
// are those of `two` and `nodesOf`.
ReferenceValue PlainDeterminant(const TwoTerminalList& two, const FourTerminalList& four,
                                const FourTerminalList& nodesOf, const ValueMap& values,
                                const OrientationMap& orientation, int nullor) {
    MnaBuilder mna(two, nodesOf);
    long double normalisation = 1;
    for (const TwoTerminal& t : two) {
        const long double v = ValueOf(t.name, values);
        if (IsImpedanceKind(t.kind())) {
            normalisation *= v;
            mna.StampAdmittance(t.n1, t.n2, 1 / v);
        } else if (IsAdmittanceKind(t.kind())) {
            mna.StampAdmittance(t.n1, t.n2, v);
        } else {
            throw std::invalid_argument("two-terminal of unknown kind \"" + t.name + "\"");
        }
    }
    for (std::size_t i = 0; i < four.size(); ++i) {
        const FourTerminal& f = four[i];
        const char kind = f.kind();
        if (static_cast<int>(i) == nullor || IsUnitElement(f)) {
            const int io = mna.AddUnknown();
            mna.StampBranchColumn(f.n1, f.n2, io, 1);
            mna.StampVoltageRow(mna.AddRow(), f.n3, f.n4, 1);
            continue;
        }
        if (f.weight <= 0 || f.weight == kWeightIdeal)
            throw std::invalid_argument("four-terminal \"" + f.name + "\" of weight " + std::to_string(f.weight));
        const long double c = SignOf(kind, orientation) * ValueOf(f.name, values);
        switch (kind) {
        case 'G':
            mna.Add(mna.Node(f.n1), mna.Node(f.n3), c);
            mna.Add(mna.Node(f.n1), mna.Node(f.n4), -c);
            mna.Add(mna.Node(f.n2), mna.Node(f.n3), -c);
            mna.Add(mna.Node(f.n2), mna.Node(f.n4), c);
            break;
        case 'K': {
            const int io = mna.AddUnknown();
            mna.StampBranchColumn(f.n1, f.n2, io, 1);
            const int row = mna.AddRow();
            mna.StampVoltageRow(row, f.n1, f.n2, 1);
            mna.StampVoltageRow(row, f.n3, f.n4, -c);
            break;
        }
        case 'F': {
            const int ic = mna.AddUnknown();
            mna.StampBranchColumn(f.n3, f.n4, ic, 1);
            mna.StampBranchColumn(f.n1, f.n2, ic, c);
            mna.StampVoltageRow(mna.AddRow(), f.n3, f.n4, 1);
            break;
        }
        case 'H': {
            const int ic = mna.AddUnknown();
            mna.StampBranchColumn(f.n3, f.n4, ic, 1);
            mna.StampVoltageRow(mna.AddRow(), f.n3, f.n4, 1);
            const int io = mna.AddUnknown();
            mna.StampBranchColumn(f.n1, f.n2, io, 1);
            const int row = mna.AddRow();
            mna.StampVoltageRow(row, f.n1, f.n2, 1);
            mna.Add(row, ic, -c);
            break;
        }
        default:
            throw std::invalid_argument("four-terminal of unknown kind \"" + f.name + "\"");
        }
    }
    return mna.Determinant(normalisation);
}

}  // namespace

const OrientationMap& ExpansionOrientation() {
    static const OrientationMap kOrientation = {
        {'G', 1}, {'K', -1}, {'F', 1}, {'H', -1}, {'E', 1}, {'U', 1}, {'J', 1}, {'I', 1},
    };
    return kOrientation;
}

ReferenceValue NodalDeterminant(const TwoTerminalList& two, const FourTerminalList& four, const ValueMap& values,
                                const OrientationMap& orientation) {
    std::vector<int> ideal;
    for (std::size_t i = 0; i < four.size(); ++i)
        if (IsIdeal(four[i])) ideal.push_back(static_cast<int>(i));
    if (ideal.empty()) return PlainDeterminant(two, four, four, values, orientation, -1);

    ReferenceValue total;
    for (const int chosen : ideal) {
        FourTerminalList rest;
        int nullor = -1;
        for (int i = 0; i < static_cast<int>(four.size()); ++i) {
            const FourTerminal& f = four[i];
            if (i == chosen) {
                nullor = static_cast<int>(rest.size());
                rest.push_back(f);
            } else if (IsIdeal(f)) {
                if (f.kind() == 'E' || f.kind() == 'U') AddUnitOverPair(f.n1, f.n2, rest);
            } else {
                rest.push_back(f);
            }
        }
        const long double gain = SignOf(four[chosen].kind(), orientation) * ValueOf(four[chosen].name, values);
        const ReferenceValue part = PlainDeterminant(two, rest, four, values, orientation, nullor);
        total.value += gain * part.value;
        total.scale += std::fabs(gain) * part.scale;
    }
    return total;
}

long double MatrixDeterminant(std::vector<long double> m, int n) {
    long double det = 1;
    for (int k = 0; k < n; ++k) {
        int pivot = k;
        for (int r = k + 1; r < n; ++r)
            if (std::fabs(m[static_cast<std::size_t>(r) * n + k]) > std::fabs(m[static_cast<std::size_t>(pivot) * n + k]))
                pivot = r;
        const long double p = m[static_cast<std::size_t>(pivot) * n + k];
        if (p == 0) return 0;
        if (pivot != k) {
            for (int c = 0; c < n; ++c)
                std::swap(m[static_cast<std::size_t>(pivot) * n + c], m[static_cast<std::size_t>(k) * n + c]);
            det = -det;
        }
        det *= p;
        for (int r = k + 1; r < n; ++r) {
            const long double f = m[static_cast<std::size_t>(r) * n + k] / p;
            if (f == 0) continue;
            for (int c = k; c < n; ++c) m[static_cast<std::size_t>(r) * n + c] -= f * m[static_cast<std::size_t>(k) * n + c];
        }
    }
    return det;
}

}  // namespace vorlan::test
