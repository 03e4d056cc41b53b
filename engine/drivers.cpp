#include "drivers.h"

#include <string>

#include "driver_lists.h"
#include "expression_buffer.h"
#include "script_sink.h"
#include "state.h"

namespace vorlan {

namespace {

// The expression buffer writes into the script for as long as a driver runs.
class ScriptOutput {
public:
    ScriptOutput() : script_(Engine().ScriptFile), sink_(script_), attachment_(Engine().buffer, sink_) {}

    void write(std::string_view text) { script_.write(text); }

    // Expands `lists` over the S nodes and writes what the buffer still
    // holds; " 0" stands for an empty expression. Returns false then. An
    // expression is empty only when nothing of it stays written: its last
    // piece may have been taken back to the start of a line written out
    // before it. The expansion relabels the S nodes it is given as it
    // merges nodes, so it gets a copy: every expression is taken over the
    // netlist's S nodes.
    bool ExpandAndFrame(int sCount, const NodeLabel* sNodes, PreparedLists lists) {
        SNodeArray own{};
        for (int i = 1; i <= sCount && i <= kSNodeCapacity; ++i) own[i] = sNodes[i];
        ExpressionBuffer& buffer = Engine().buffer;
        buffer.start_expression();
        const long start = buffer.written_length();
        ExpandPrepared(sCount, own.data(), std::move(lists));
        const bool nonEmpty = buffer.written_length() > start;
        buffer.write_rest();
        if (nonEmpty) return true;
        script_.write(" 0");
        buffer.add_written(1);
        return false;
    }

private:
    TextFile& script_;
    ScriptLineSink sink_;
    SinkAttachment attachment_;
};

}  // namespace

bool WriteDeterminant(int sCount, const NodeLabel* sNodes, const TwoTerminalList& two, const FourTerminalList& four,
                      const TwoTerminalList& probes) {
    ScriptOutput out;
    PreparedLists lists = DeterminantLists(two, four, probes);
    out.write("\ndetan= \n");
    const bool nonEmpty = out.ExpandAndFrame(sCount, sNodes, std::move(lists));
    out.write(";");
    return nonEmpty;
}

void WriteTransferFunctions(int sCount, const NodeLabel* sNodes, TwoTerminalList& two, FourTerminalList& four,
                            const TwoTerminalList& probes) {
    {
        ScriptOutput out;
        for (std::size_t i = 0; i < probes.size(); ++i) {
            PreparedLists numerator = NumeratorLists(two, four, probes, i);
            out.write("\n" + probes[i].name + " = \n(\n");
            out.ExpandAndFrame(sCount, sNodes, std::move(numerator));
            PreparedLists denominator = DenominatorLists(two, four, probes, i);
            out.write("\n)\n/\n(\n");
            out.ExpandAndFrame(sCount, sNodes, std::move(denominator));
            out.write("\n);");
        }
    }
    FreeTwoTerminals(two);
    FreeFourTerminals(four);
}

bool WriteFlaggedDeterminant(int sCount, const NodeLabel* sNodes, const TwoTerminalList& two,
                             const FourTerminalList& four, const std::vector<int>& flagged,
                             const std::vector<MeterItem>& meters) {
    ScriptOutput out;
    PreparedLists lists = FlaggedDeterminantLists(two, four, flagged, meters, sCount, sNodes);
    out.write("\ndetdia = \n(\n");
    const bool nonEmpty = out.ExpandAndFrame(sCount, sNodes, std::move(lists));
    out.write("\n);");
    return nonEmpty;
}

void WriteFlaggedFunctions(int sCount, const NodeLabel* sNodes, const TwoTerminalList& two,
                           const FourTerminalList& four, const std::vector<int>& flagged,
                           const std::vector<MeterItem>& meters) {
    ScriptOutput out;
    for (std::size_t i = 0; i < flagged.size() && i < meters.size(); ++i) {
        const PreparedLists shared = FlaggedResponseLists(two, four, flagged, meters, i, sCount, sNodes);
        const int index = flagged[i];
        if (index < 0 || static_cast<std::size_t>(index) >= shared.four.size()) continue;
        PreparedLists numerator = FlaggedNumeratorLists(shared, index);
        out.write("\n" + shared.four[index].name + " = -\n(\n");
        out.ExpandAndFrame(sCount, sNodes, std::move(numerator));
        PreparedLists denominator = FlaggedDenominatorLists(shared, index);
        out.write("\n)\n/\n(\n");
        out.ExpandAndFrame(sCount, sNodes, std::move(denominator));
        out.write("\n);");
    }
}

}  // namespace vorlan
