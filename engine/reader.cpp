#include "reader.h"

#include <locale.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "messages.h"
#include "state.h"
#include "text_file.h"

namespace vorlan {

namespace {

// Numbers are read and printed with "." as the decimal point, whatever
// locale the host program has set.
class ClassicNumbers {
public:
    ClassicNumbers() : classic_(newlocale(LC_ALL_MASK, "C", locale_t{})) {
        if (classic_) previous_ = uselocale(classic_);
    }
    ~ClassicNumbers() {
        if (!classic_) return;
        uselocale(previous_);
        freelocale(classic_);
    }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    locale_t classic_;
    locale_t previous_ = locale_t{};
};

// ---- element letters -----------------------------------------------------

enum class Layout {
    Passive,     // n1 n2 value: two-terminal
    Controlled,  // n1 n2 n3 n4 value: controlled source
    Ideal,       // n1 n2 value: ideal source over (n1, n2) as both pairs
    Unit,        // n1 n2 n3 n4 value: unit element, name and value unused
    Probe,       // n1 n2 value: response of the transfer functions
    Meter,       // n1 n2 value: meter of the flagged analysis
    SNodes,      // up to ten nodes
};

struct ElementLetter {
    char letter;         // first character of the netlist line
    char kind;           // kind letter that begins the stored name
    Layout layout;
    const char* before;  // value line: name "=" before value after;
    const char* after;   // no value line when `before` is null
};

constexpr ElementLetter kElementLetters[] = {
    {'R', 'R', Layout::Passive, "", ";"},
    {'r', 'g', Layout::Passive, "1/", ";"},
    {'g', 'g', Layout::Passive, "", ";"},
    {'C', 'z', Layout::Passive, "1/(s*", ");"},
    {'c', 'y', Layout::Passive, "s*", ";"},
    {'L', 'Z', Layout::Passive, "s*", ";"},
    {'l', 'Y', Layout::Passive, "1/(s*", ");"},
    {'G', 'G', Layout::Controlled, "", ";"},
    {'K', 'K', Layout::Controlled, "", ";"},
    {'k', 'K', Layout::Controlled, "", ";"},
    {'F', 'F', Layout::Controlled, "", ";"},
    {'f', 'F', Layout::Controlled, "", ";"},
    {'H', 'H', Layout::Controlled, "", ";"},
    {'h', 'H', Layout::Controlled, "", ";"},
    {'E', 'E', Layout::Ideal, "", ";"},
    {'e', 'E', Layout::Ideal, "", ";"},
    {'J', 'J', Layout::Ideal, "", ";"},
    {'j', 'J', Layout::Ideal, "", ";"},
    {'N', '\0', Layout::Unit, nullptr, nullptr},
    {'n', '\0', Layout::Unit, nullptr, nullptr},
    {'U', 'U', Layout::Probe, nullptr, nullptr},
    {'u', 'U', Layout::Probe, nullptr, nullptr},
    {'I', 'I', Layout::Probe, nullptr, nullptr},
    {'i', 'I', Layout::Probe, nullptr, nullptr},
    {'V', 'U', Layout::Meter, "", ";"},
    {'v', 'U', Layout::Meter, "", ";"},
    {'A', 'I', Layout::Meter, "", ";"},
    {'a', 'I', Layout::Meter, "", ";"},
    {'S', '\0', Layout::SNodes, nullptr, nullptr},
    {'s', '\0', Layout::SNodes, nullptr, nullptr},
    {'X', '\0', Layout::SNodes, nullptr, nullptr},
    {'x', '\0', Layout::SNodes, nullptr, nullptr},
};

const ElementLetter* FindLetter(char letter) {
    for (const ElementLetter& entry : kElementLetters) {
        if (entry.letter == letter) return &entry;
    }
    return nullptr;
}

std::size_t NodeFieldCount(Layout layout) {
    return layout == Layout::Controlled || layout == Layout::Unit ? 4 : 2;
}

// A final "?" on the name marks these for the flagged analysis.
bool IsMarkable(Layout layout) {
    return layout == Layout::Passive || layout == Layout::Controlled || layout == Layout::Ideal;
}

// ---- fields --------------------------------------------------------------

// The characters of a name field: those of UTF-8 text when the field is
// valid UTF-8 (no overlong forms, surrogates or code points past U+10FFFF),
// else its bytes, as a Windows-1251 name has one byte a letter.
std::size_t NameLength(std::string_view name) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < name.size(); ++characters) {
        const auto lead = static_cast<unsigned char>(name[i]);
        std::size_t length = 1;
        unsigned char low = 0x80, high = 0xbf;  // the range of the second byte
        if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            if (lead == 0xe0) low = 0xa0;
            if (lead == 0xed) high = 0x9f;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            if (lead == 0xf0) low = 0x90;
            if (lead == 0xf4) high = 0x8f;
        } else if (lead >= 0x80) {
            return name.size();
        }
        if (name.size() - i < length) return name.size();
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(name[i + k]);
            if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xbf)) return name.size();
        }
        i += length;
    }
    return characters;
}

// The name field and at most `maxFields` fields after it, up to the line
// end or the last examined column. Returns what is wrong with the name
// field, or an empty text: where the name is used, one longer than
// kNameChars is refused rather than cut, so that neither a final "?" nor
// the difference between two long names is lost.
std::string SplitFields(std::string_view line, std::size_t maxFields, std::string& name,
                        std::vector<std::string>& fields) {
    int position = 0;
    bool end = NextField(kFieldLimit, line, 0, position, name);
    std::string field;
    while (!end && fields.size() < maxFields) {
        end = NextField(kFieldLimit, line, position, position, field);
        if (field.empty()) break;
        fields.push_back(field);
    }
    if (NameLength(name) <= kNameChars) return {};
    return "the name field " + name + " is longer than " + std::to_string(kNameChars) + " characters";
}

// White space as C's conversions skip it before a number.
bool IsCSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The number at the start of a value field: optional white space, an
// optional sign, digits with an optional decimal point, an optional
// exponent. What follows is ignored; a field that starts with no such
// number reads 0, as do words such as "inf" or "nan" and hexadecimal forms.
long double ParseValue(const std::string& field) {
    auto digit = [&field](std::size_t i) { return i < field.size() && field[i] >= '0' && field[i] <= '9'; };
    std::size_t i = 0;
    while (i < field.size() && IsCSpace(field[i])) ++i;
    const std::size_t begin = i;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) ++i;
    std::size_t digits = 0;
    for (; digit(i); ++i) ++digits;
    if (i < field.size() && field[i] == '.') {
        ++i;
        for (; digit(i); ++i) ++digits;
    }
    if (digits == 0) return 0;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < field.size() && (field[j] == '+' || field[j] == '-')) ++j;
        if (digit(j)) {
            while (digit(j)) ++j;
            i = j;
        }
    }
    // Only the matched characters reach the conversion.
    const std::string number = field.substr(begin, i - begin);
    return std::strtold(number.c_str(), nullptr);
}

// The label of a node field; false (with `error`) for a node that no
// circuit may use.
bool ParseNode(const std::string& field, NodeLabel& label, std::string& error) {
    const int node = ParseNodeNumber(field);
    if (node < kLowestNode || node > kHighestNode) {
        error = "node " + field + " is outside " + std::to_string(kLowestNode) + ".." + std::to_string(kHighestNode);
        return false;
    }
    if (LabelOfNode(node) == kVisitedMark) {
        error = "node " + field + " is reserved";
        return false;
    }
    label = LabelOfNode(node);
    return true;
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

// ---- capacities ----------------------------------------------------------

std::string Full(std::size_t size, int capacity, const char* what) {
    if (size < static_cast<std::size_t>(capacity)) return {};
    return "more than " + std::to_string(capacity) + " " + what;
}

// What stops the line from being stored, or empty when it fits.
std::string CapacityProblem(Layout layout, bool marked, const NetlistTables& t) {
    std::string problem;
    auto check = [&problem](std::size_t size, int capacity, const char* what) {
        if (problem.empty()) problem = Full(size, capacity, what);
    };
    const char* kFlaggedFour = "four-terminal elements in the flagged analysis";
    if (marked) check(t.FlaggedIndices.size(), kFlaggedCapacity, "elements marked with ?");
    switch (layout) {
    case Layout::Passive:
        check(t.MainTwoTerminals.size(), kElementCapacity, "two-terminal elements");
        if (marked) {
            check(t.FlaggedFourTerminals.size(), kElementCapacity, kFlaggedFour);
        } else {
            check(t.FlaggedTwoTerminals.size(), kElementCapacity,
                  "two-terminal elements in the flagged analysis");
        }
        break;
    case Layout::Controlled:
    case Layout::Ideal:
    case Layout::Unit:
        check(t.MainFourTerminals.size(), kElementCapacity, "four-terminal elements");
        check(t.FlaggedFourTerminals.size(), kElementCapacity, kFlaggedFour);
        break;
    case Layout::Probe:
        check(t.ProbeList.size(), kProbeCapacity, "probe lines (U, I)");
        break;
    case Layout::Meter:
        check(t.MeterList.size(), kMeterCapacity, "meter lines (V, A)");
        check(t.FlaggedFourTerminals.size(), kElementCapacity, kFlaggedFour);
        break;
    case Layout::SNodes:
        break;
    }
    return problem;
}

// ---- lines ---------------------------------------------------------------

LineResult Rejected(std::string error) {
    LineResult result;
    result.outcome = LineOutcome::Error;
    result.error = std::move(error);
    return result;
}

// ".a" line: the third field after the name is the frequency.
LineResult ReadFrequency(std::string_view line, long double& frequency) {
    std::string name;  // not used: a long one does no harm
    std::vector<std::string> fields;
    SplitFields(line, 3, name, fields);
    if (fields.size() == 3) frequency = ParseValue(fields[2]);
    LineResult result;
    result.outcome = LineOutcome::Element;
    result.scriptText = Format("f=%Lf;\n", frequency) + "s=2*3.14159265358979323j*f;\n";
    return result;
}

LineResult ReadSNodes(std::string_view line, NetlistTables& tables) {
    std::string name;  // not used: a long one does no harm
    std::vector<std::string> fields;
    SplitFields(line, std::numeric_limits<std::size_t>::max(), name, fields);
    const std::size_t count = std::min<std::size_t>(fields.size(), kSNodeCapacity);
    SNodeArray nodes = tables.SNodes;
    std::string error;
    for (std::size_t i = 0; i < count; ++i) {
        if (!ParseNode(fields[i], nodes[i + 1], error)) return Rejected(error);
    }
    tables.SNodes = nodes;
    tables.SNodeCount = static_cast<int>(count);
    LineResult result;
    result.outcome = LineOutcome::Element;
    return result;
}

LineResult ReadElement(const ElementLetter& letter, std::string_view line,
                       std::array<NodeLabel, 4>& currentNodes, long double& currentValue,
                       NetlistTables& tables) {
    if (letter.layout == Layout::SNodes) return ReadSNodes(line, tables);

    const std::size_t nodeCount = NodeFieldCount(letter.layout);
    std::string nameField;
    std::vector<std::string> fields;
    const std::string nameProblem = SplitFields(line, nodeCount + 1, nameField, fields);
    if (!nameProblem.empty() && letter.layout != Layout::Unit) return Rejected(nameProblem);

    std::array<NodeLabel, 4> nodes = currentNodes;
    long double value = currentValue;
    std::string error;
    for (std::size_t i = 0; i < fields.size() && i < nodeCount; ++i) {
        if (!ParseNode(fields[i], nodes[i], error)) return Rejected(error);
    }
    if (fields.size() > nodeCount) value = ParseValue(fields[nodeCount]);

    bool marked = false;
    if (IsMarkable(letter.layout) && !nameField.empty() && nameField.back() == '?') {
        nameField.pop_back();
        marked = true;
    }
    if (std::string problem = CapacityProblem(letter.layout, marked, tables); !problem.empty()) {
        return Rejected(problem);
    }
    currentNodes = nodes;
    currentValue = value;

    const std::string name = std::string(1, letter.kind) + nameField;
    LineResult result;
    result.outcome = LineOutcome::Element;
    if (letter.before) {
        result.scriptText = name + "=" + letter.before + Format("%Lg", value) + letter.after + "\n";
    }

    const auto [n1, n2, n3, n4] = nodes;
    auto noteMark = [&] {
        if (marked) tables.FlaggedIndices.push_back(static_cast<int>(tables.FlaggedFourTerminals.size()));
    };
    switch (letter.layout) {
    case Layout::Passive:
        AddTwoTerminal(n1, n2, 1, name, tables.MainTwoTerminals);
        if (marked) {
            noteMark();
            AddFourTerminal(n1, n2, n1, n2, 1, name, tables.FlaggedFourTerminals);
        } else {
            AddTwoTerminal(n1, n2, 1, name, tables.FlaggedTwoTerminals);
        }
        break;
    case Layout::Controlled:
        noteMark();
        AddFourTerminal(n1, n2, n3, n4, kWeightControlled, name, tables.MainFourTerminals);
        AddFourTerminal(n1, n2, n3, n4, kWeightControlled, name, tables.FlaggedFourTerminals);
        break;
    case Layout::Ideal:
        noteMark();
        AddFourTerminal(n1, n2, n1, n2, kWeightIdeal, name, tables.MainFourTerminals);
        AddFourTerminal(n1, n2, n1, n2, kWeightIdeal, name, tables.FlaggedFourTerminals);
        break;
    case Layout::Unit:
        AddUnitFourTerminal(n1, n2, n3, n4, tables.MainFourTerminals);
        AddUnitFourTerminal(n1, n2, n3, n4, tables.FlaggedFourTerminals);
        break;
    case Layout::Probe:
        AddTwoTerminal(n1, n2, 1, name, tables.ProbeList);
        break;
    case Layout::Meter:
        tables.MeterList.push_back(MeterItem{static_cast<int>(tables.FlaggedFourTerminals.size()), name});
        AddFourTerminal(n1, n2, n1, n2, kWeightIdeal, name, tables.FlaggedFourTerminals);
        break;
    case Layout::SNodes:
        break;
    }
    return result;
}

// ---- files ---------------------------------------------------------------

// Six values, each on the line after a comment line. A value the file
// doesn't give keeps its earlier value.
bool ReadExpansionSettings(ExpansionSettings& settings) {
    TextFile file;
    if (!file.open("setup.sym", TextFile::Mode::Read)) return false;
    ClassicNumbers numbers;
    std::FILE* in = file.handle();
    std::string comment;
    struct Pair {
        int* number;
        float* value;
    };
    const Pair pairs[] = {{&settings.pair1, &settings.value1},
                          {&settings.pair2, &settings.value2},
                          {&settings.pair3, &settings.value3},
                          {&settings.pair4, &settings.value4}};
    // The conversions are not checked: what the file doesn't give stays.
    [[maybe_unused]] int converted = 0;
    for (const Pair& pair : pairs) {
        file.readLine(comment, kLineChars);
        converted = std::fscanf(in, "%d %f\n", pair.number, pair.value);
    }
    file.readLine(comment, kLineChars);
    converted = std::fscanf(in, "%d\n", &settings.SourcesFirst);
    file.readLine(comment, kLineChars);
    converted = std::fscanf(in, "%d\n", &settings.RequireNonzeroDet);
    return true;
}

// The line as the user wrote it, for a message.
std::string Shown(std::string_view line) {
    if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
    std::string shown;
    shown.reserve(line.size() + 2);
    shown.append(1, '"').append(line).append(1, '"');
    return shown;
}

int Fail(std::string_view caption, std::string_view text, std::string reason) {
    ShowMessage(caption, text);
    Engine().FailureReason = std::move(reason);
    return 1;
}

// Every "?" element is paired with the meter line of the same rank.
std::string UnpairedMark(const NetlistTables& tables) {
    if (tables.FlaggedIndices.size() <= tables.MeterList.size()) return {};
    const int index = tables.FlaggedIndices[tables.MeterList.size()];
    return tables.FlaggedFourTerminals[static_cast<std::size_t>(index)].name +
           " is marked with ? but no meter line (V, A) is left for it: " +
           std::to_string(tables.FlaggedIndices.size()) + " marked, " +
           std::to_string(tables.MeterList.size()) + " meter lines";
}

}  // namespace

// ---- fields --------------------------------------------------------------

bool NextField(int limit, std::string_view line, int start, int& position, std::string& field) {
    field.clear();
    const int size = static_cast<int>(line.size());
    auto isSeparator = [&](int i) { return i < size && (line[i] == ' ' || line[i] == '\t'); };
    bool end = false;
    int i = start + 1;
    for (; i < limit; ++i) {
        if (i >= size || line[i] == '\n' || line[i] == '\0') {
            end = true;
            break;
        }
        if (isSeparator(i)) {
            if (i == 1) break;  // no name field
            continue;
        }
        field.push_back(line[i]);
        if (isSeparator(i + 1)) break;
    }
    position = i;
    return end;
}

int ParseNodeNumber(std::string_view text) {
    const std::string copy(text);
    const long number = std::strtol(copy.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long>(number, INT_MIN, INT_MAX));
}

// ---- lines ---------------------------------------------------------------

LineResult NetlistLineReader::read(std::string_view line, NetlistTables& tables) {
    ClassicNumbers numbers;
    LineResult result;
    const char first = line.empty() ? '\0' : line[0];
    if (first == '*' || first == '\n' || first == '\t') return result;
    if (first == '.') {
        switch (line.size() > 1 ? line[1] : '\0') {
        case 'e':
        case 'E':
            result.outcome = LineOutcome::End;
            return result;
        case 'd':
        case 'D':
            return result;
        case 'a':
        case 'A':
            return ReadFrequency(line, frequency_);
        default:
            break;
        }
    } else if (const ElementLetter* letter = FindLetter(first)) {
        return ReadElement(*letter, line, nodes_, value_, tables);
    }
    result.outcome = LineOutcome::Refused;
    return result;
}

// ---- files ---------------------------------------------------------------

int ReadNetlist(NetlistTables& tables) {
    EngineState& engine = Engine();
    engine.FailureReason.clear();

    if (!ReadExpansionSettings(engine.settings)) {
        return Fail("ERROR", "\n   Cannot open setup.sym file!", "Cannot open setup.sym file!");
    }

    TextFile& script = engine.ScriptFile;
    const bool created = script.open(engine.ScriptPath, TextFile::Mode::Write);
    script.close();
    if (!created || !script.open(engine.ScriptPath, TextFile::Mode::Update)) {
        return Fail("ERROR:", "\n Cannot open out-file", "Cannot open out-file " + engine.ScriptPath);
    }

    TextFile input;
    if (!input.open(engine.NetlistPath, TextFile::Mode::Read)) {
        return Fail("ERROR:", "\n Cannot open cir-file", "Cannot open cir-file " + engine.NetlistPath);
    }

    std::string line;
    input.readLine(line, kLineChars);
    script.write("% ");
    script.write(line);
    script.write("\n");
    tables.SNodeCount = 0;

    NetlistLineReader reader;
    bool ended = false;
    // Messages name the line of the file; a line longer than kLineChars is
    // read in pieces, each counting as a netlist line of its own.
    int fileLine = 1;
    bool lineEnded = line.ends_with('\n');
    for (int n = 1; !ended && n <= kMaxNetlistLines && input.readLine(line, kLineChars); ++n) {
        if (lineEnded) ++fileLine;
        lineEnded = line.ends_with('\n');
        LineResult result = reader.read(line, tables);
        auto where = [&] { return "Line " + std::to_string(fileLine) + " " + Shown(line); };
        switch (result.outcome) {
        case LineOutcome::Refused:
            return Fail(line, "\n         Cannot execute file!", "Cannot execute file! " + where());
        case LineOutcome::Error: {
            std::string reason = where() + ": " + result.error;
            return Fail("ERROR", "\n " + reason, reason);
        }
        case LineOutcome::End:
            ended = true;
            break;
        case LineOutcome::Element:
        case LineOutcome::Skipped:
            script.write(result.scriptText);
            break;
        }
    }

    if (std::string unpaired = UnpairedMark(tables); !unpaired.empty()) {
        return Fail("ERROR", "\n " + unpaired, unpaired);
    }
    return 0;
}

}  // namespace vorlan
