#include "expansion_harness.h"

#include <cmath>
#include <sstream>

#include "expansion.h"
#include "expression_buffer.h"
#include "memory_sink.h"
#include "state.h"

namespace vorlan::test {

namespace {

bool IsIdealKind(char k) { return k == 'E' || k == 'J' || k == 'U' || k == 'I'; }

// Restores a setting when the scope ends.
class SettingScope {
public:
    explicit SettingScope(int sourcesFirst) : saved_(Engine().settings.SourcesFirst) {
        Engine().settings.SourcesFirst = sourcesFirst;
    }
    ~SettingScope() { Engine().settings.SourcesFirst = saved_; }
    SettingScope(const SettingScope&) = delete;
    SettingScope& operator=(const SettingScope&) = delete;

private:
    int saved_;
};

// The wrapped lines that `expand` writes into a fresh expression, with
// `sourcesFirst` as the setting; the rest last.
template <typename Expand>
std::vector<std::string> CaptureLines(int sourcesFirst, Expand expand) {
    SettingScope setting(sourcesFirst);
    ExpressionBuffer& buffer = Engine().buffer;
    MemoryLineSink sink;
    SinkAttachment attachment(buffer, sink);
    buffer.start_expression();
    expand();
    buffer.write_rest();
    return sink.lines();
}

}  // namespace

TestCircuit& TestCircuit::Two(int a, int b, const std::string& name) {
    AddTwoTerminal(LabelOfNode(a), LabelOfNode(b), 1, name, two);
    return *this;
}

TestCircuit& TestCircuit::Four(int n1, int n2, int n3, int n4, const std::string& name) {
    const int weight = IsIdealKind(name[0]) ? kWeightIdeal : kWeightControlled;
    AddFourTerminal(LabelOfNode(n1), LabelOfNode(n2), LabelOfNode(n3), LabelOfNode(n4), weight, name, four);
    return *this;
}

TestCircuit& TestCircuit::Unit(int n1, int n2, int n3, int n4) {
    AddUnitFourTerminal(LabelOfNode(n1), LabelOfNode(n2), LabelOfNode(n3), LabelOfNode(n4), four);
    return *this;
}

TestCircuit& TestCircuit::S(std::initializer_list<int> nodes) {
    sNodes.clear();
    for (int n : nodes) sNodes.push_back(LabelOfNode(n));
    return *this;
}

std::vector<std::string> ExpandToLines(const TestCircuit& circuit, int sourcesFirst) {
    return CaptureLines(sourcesFirst, [&] {
        SNodeArray sNodes{};
        for (std::size_t i = 0; i < circuit.sNodes.size(); ++i) sNodes[i + 1] = circuit.sNodes[i];
        ExpandDeterminant(
            CircuitLists{static_cast<int>(circuit.sNodes.size()), sNodes.data(), circuit.two, circuit.four});
    });
}

std::string ExpandPreparedToText(PreparedLists lists, int sourcesFirst, int sCount, const NodeLabel* sNodes) {
    const std::vector<std::string> lines = CaptureLines(sourcesFirst, [&] {
        SNodeArray copy{};
        for (int i = 1; i <= sCount; ++i) copy[i] = sNodes[i];
        ExpandPrepared(sCount, copy.data(), std::move(lists));
    });
    std::string text;
    for (const std::string& line : lines) text += line;
    return text;
}

std::string ExpandToText(const TestCircuit& circuit, int sourcesFirst) {
    std::string text;
    for (const std::string& line : ExpandToLines(circuit, sourcesFirst)) text += line;
    return text;
}

ValueMap RandomValues(const TestCircuit& circuit, std::mt19937& random) {
    std::uniform_real_distribution<double> value(0.5, 2.0);
    ValueMap values;
    for (const TwoTerminal& t : circuit.two) values[t.name] = value(random);
    for (const FourTerminal& f : circuit.four)
        if (!IsUnitElement(f)) values[f.name] = value(random);
    return values;
}

NumericCheck CheckAgainstReference(const TestCircuit& circuit, int draws, int sourcesFirst, unsigned seed) {
    const std::string text = ExpandToText(circuit, sourcesFirst);
    std::mt19937 random(seed);
    NumericCheck check;
    for (int d = 0; d < draws; ++d) {
        const ValueMap values = RandomValues(circuit, random);
        Evaluation e;
        try {
            e = EvaluateExpression(text, values);
        } catch (const EvaluationError& error) {
            return {false, error.what(), 0};
        }
        const ReferenceValue r = NodalDeterminant(circuit.two, circuit.four, values);
        std::ostringstream why;
        why.precision(12);
        const bool referenceZero = std::fabs(r.value) <= 1e-12L * r.scale;
        const bool expressionZero = std::fabs(e.value) <= 1e-12L * e.magnitude || text.empty();
        if (referenceZero || expressionZero) {
            if (referenceZero && expressionZero) continue;
            why << "draw " << d << ": expression " << static_cast<double>(e.value) << ", reference "
                << static_cast<double>(r.value) << " (scale " << static_cast<double>(r.scale) << "); text \"" << text
                << "\"";
            return {false, why.str(), 0};
        }
        const long double ratio = e.value / r.value;
        const int sign = ratio > 0 ? 1 : -1;
        if (std::fabs(std::fabs(ratio) - 1) > 1e-9L || (check.ratioSign != 0 && sign != check.ratioSign)) {
            why << "draw " << d << ": ratio " << static_cast<double>(ratio) << "; text \"" << text << "\"";
            return {false, why.str(), 0};
        }
        check.ratioSign = sign;
    }
    check.detail = text;
    return check;
}

}  // namespace vorlan::test
