#include "memory_driver.h"

#include <utility>

#include "driver_lists.h"
#include "expression_buffer.h"
#include "memory_sink.h"
#include "state.h"

namespace vorlan::memory {

std::vector<std::string> WriteDeterminant(int sCount, NodeLabel* sNodes, const TwoTerminalList& two,
                                          const FourTerminalList& four, const TwoTerminalList& probes) {
    ExpressionBuffer& buffer = Engine().buffer;
    MemoryLineSink sink;
    SinkAttachment attachment(buffer, sink);
    PreparedLists lists = DeterminantLists(two, four, probes);
    buffer.start_expression();
    ExpandPrepared(sCount, sNodes, std::move(lists));
    // Closing brackets are appended without a flush, so the rest may have
    // grown past 70 characters: it is wrapped like every other line.
    buffer.flush_lines();
    buffer.write_rest();
    return sink.lines();
}

}  // namespace vorlan::memory
