// The circuit netlist and the expansion settings file "setup.sym".
//
// A netlist is one record a line: the first letter gives the kind, then a
// name field directly after it, then node and value fields separated by
// blanks or tabs. NetlistLineReader turns one line into table records; it
// knows nothing about files, so the file reader (ReadNetlist) and the
// in-memory build feed it the same way.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tables.h"

namespace vorlan {

constexpr int kFieldLimit = 80;           // only columns 1..79 are examined
constexpr std::size_t kLineChars = 99;    // a longer file line goes on as the next line
constexpr std::size_t kNameChars = 11;    // a name field of more letters is refused
constexpr int kMaxNetlistLines = 1000;    // lines read after the title

// The tables one reading fills. Records are appended; the capacities of
// tables.h are never exceeded.
struct NetlistTables {
    int SNodeCount = 0;
    SNodeArray SNodes{};  // positions 1..SNodeCount
    TwoTerminalList MainTwoTerminals;
    FourTerminalList MainFourTerminals;
    TwoTerminalList FlaggedTwoTerminals;
    FourTerminalList FlaggedFourTerminals;
    TwoTerminalList ProbeList;
    std::vector<MeterItem> MeterList;
    std::vector<int> FlaggedIndices;  // index in FlaggedFourTerminals of each "?" element
};

enum class LineOutcome {
    Element,  // an element, S, probe, meter or frequency line: taken
    Skipped,  // comment, empty line, tab line, ".d" line
    End,      // ".e" line
    Refused,  // first character is no known letter; nothing taken
    Error,    // beyond what the tables hold; nothing taken
};

struct LineResult {
    LineOutcome outcome = LineOutcome::Skipped;
    std::string scriptText;  // value lines of the line, each ended by "\n"
    std::string error;       // for Error: what is wrong
};

// Reads netlist lines one at a time. The node and value fields are shared
// by all lines: a field a line doesn't give keeps the value an earlier line
// gave it (node 0 and value 0 before any line gives one).
class NetlistLineReader {
public:
    LineResult read(std::string_view line, NetlistTables& tables);

private:
    std::array<NodeLabel, 4> nodes_{LabelOfNode(0), LabelOfNode(0), LabelOfNode(0), LabelOfNode(0)};
    long double value_ = 0;
    long double frequency_ = 0;
};

// The field that follows column `start`: blanks and tabs before it are
// skipped (a blank or tab in column 1 gives the empty name field at once),
// the scan stays below column `limit`, and `position` is left on the
// field's last character. The line end ("\n" or the end of `line`) belongs
// to no field. Returns true when the scan met the line end; `field` may
// still hold characters then.
bool NextField(int limit, std::string_view line, int start, int& position, std::string& field);

// The integer of a node field, read as atoi reads it (0 when it holds none).
int ParseNodeNumber(std::string_view text);

// Reads "setup.sym" into Engine().settings, opens Engine().ScriptFile at
// Engine().ScriptPath, reads the netlist at Engine().NetlistPath into
// `tables` and writes the title and value lines. Returns 0 on success; 1
// after a message, with Engine().FailureReason telling why.
int ReadNetlist(NetlistTables& tables);

}  // namespace vorlan
