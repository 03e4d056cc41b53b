#include "circuit_lines.h"

#include "integer_text.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <string>
#include <system_error>

namespace vorlan {

namespace {

// Nodes that the engine's reader accepts: -47 .. 207, except 191, whose
// label is the engine's visited mark.
constexpr int kLowestNode = -47;
constexpr int kHighestNode = 207;
constexpr int kReservedNode = 191;
// Kept when every label is taken; the engine then refuses the netlist.
constexpr int kNoFreeNode = 777;

int LabelOf(int node) {
    return (node + 48) & 0xFF;
}

// [sign] digits [. digits] [(e|E) [sign] digits], at least one mantissa digit.
bool IsDecimalNumber(QStringView text) {
    qsizetype i = 0;
    const auto digits = [&] {
        const qsizetype start = i;
        while (i < text.size() && text[i] >= u'0' && text[i] <= u'9') ++i;
        return i - start;
    };
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype mantissa = digits();
    if (i < text.size() && text[i] == u'.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0) return false;
    if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) ++i;
        if (digits() == 0) return false;
    }
    return i == text.size();
}

std::optional<double> ParseReal(QStringView text) {
    if (!IsDecimalNumber(text)) return std::nullopt;
    std::string bytes = text.toLatin1().toStdString();
    if (bytes.front() == '+') bytes.erase(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), value);
    if (error != std::errc() || end != bytes.data() + bytes.size()) return std::nullopt;
    return value;
}

std::optional<int> Node(const TArray& tokens, int index) {
    return ParseInteger(tokens[index]);
}

}  // namespace

int ElementKind(QStringView first) {
    if (first.isEmpty()) return kKindNoElement;
    switch (first[0].unicode()) {
    case u'C': case u'E': case u'J': case u'L': case u'R': case u'Y': case u'Z':
    case u'c': case u'e': case u'g': case u'j': case u'l': case u'r': case u'y': case u'z':
        return kKindTwoNodes;
    case u'B': case u'F': case u'G': case u'H': case u'K':
    case u'b': case u'f': case u'h': case u'k':
        return kKindFourNodes;
    case u'N': case u'n':
        return kKindUnit;
    case u'I': case u'U': case u'i': case u'u':
        return kKindProbe;
    default:
        return kKindNoElement;
    }
}

TArray SplitString(QStringView text, QChar delimiter) {
    TArray tokens;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype start = i;
        while (i < text.size() && text[i] != delimiter) ++i;
        tokens.append(text.mid(start, i - start).toString());
        while (i < text.size() && text[i] == delimiter) ++i;
    }
    return tokens;
}

bool ParseElementLine(const QString& line, TElement& element) {
    element = TElement();
    const TArray tokens = SplitString(line, u' ');
    if (!tokens.isEmpty()) element.Name = tokens[0];
    if (tokens.size() < 3) return false;
    const auto node1 = Node(tokens, 1);
    const auto node2 = Node(tokens, 2);
    if (node1) element.Node1 = *node1;
    if (node2) element.Node2 = *node2;
    if (!node1 || !node2) return false;

    switch (ElementKind(element.Name)) {
    case kKindTwoNodes: {
        if (tokens.size() < 4) return false;
        const auto value = ParseReal(tokens[3]);
        if (!value) return false;
        element.Value = *value;
        return true;
    }
    case kKindFourNodes:
    case kKindUnit: {
        const bool unit = ElementKind(element.Name) == kKindUnit;
        if (tokens.size() < (unit ? 5 : 6)) return false;
        const auto node3 = Node(tokens, 3);
        const auto node4 = Node(tokens, 4);
        if (!node3 || !node4) return false;
        element.Node3 = *node3;
        element.Node4 = *node4;
        if (unit) return true;
        const auto value = ParseReal(tokens[5]);
        if (!value) return false;
        element.Value = *value;
        return true;
    }
    default:
        return true;
    }
}

QString FormatValue(double value) {
    if (value == 0) return QStringLiteral("0");  // -0 too
    char text[40];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 15);
    std::string digits(text, result.ptr);
    // "1e+20" -> "1E20", "1e-05" -> "1E-5".
    const std::size_t e = digits.find('e');
    if (e != std::string::npos) {
        std::string exponent = digits.substr(e + 1);
        const bool negative = exponent.front() == '-';
        if (exponent.front() == '+' || negative) exponent.erase(0, 1);
        exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
        digits = digits.substr(0, e) + 'E' + (negative ? "-" : "") + exponent;
    }
    return QString::fromLatin1(digits);
}

QString FormatElementLine(const TElement& element) {
    QString line = element.Name + u' ' + QString::number(element.Node1) + u' ' + QString::number(element.Node2);
    if (element.Node3 >= 0) line += u' ' + QString::number(element.Node3) + u' ' + QString::number(element.Node4);
    return line + u' ' + FormatValue(element.Value);
}

QStringList CircuitElementLines(const QStringList& pageLines) {
    QStringList lines;
    for (const QString& line : pageLines) {
        if (line.compare(u".end", Qt::CaseInsensitive) == 0) break;
        if (line.isEmpty() || ElementKind(line) == kKindNoElement) continue;
        lines.append(line);
    }
    return lines;
}

bool IsOffered(const TElement& element) {
    return !element.Name.startsWith(u'E') && !element.Name.startsWith(u'J');
}

QStringList CharacteristicItems(const QList<TElement>& elements) {
    QStringList items{QStringLiteral("Определитель")};
    for (const TElement& element : elements) {
        if (!IsOffered(element)) continue;
        items.append(QStringLiteral("U(") + element.Name + u')');
        items.append(QStringLiteral("I(") + element.Name + u')');
    }
    return items;
}

ProbeChoice ChooseProbe(const QList<TElement>& elements, int item) {
    if (item < 1) return {};
    int wanted = (item + 1) / 2;
    for (qsizetype i = 0; i < elements.size(); ++i) {
        if (IsOffered(elements[i]) && --wanted == 0) {
            return {item % 2 == 1 ? kModeVoltage : kModeCurrent, static_cast<int>(i)};
        }
    }
    return {};
}

int CurrentProbeNode(const QList<TElement>& elements) {
    std::set<int> taken;
    for (const TElement& element : elements) {
        taken.insert(LabelOf(element.Node1));
        taken.insert(LabelOf(element.Node2));
        if (element.Node3 >= 0) {
            taken.insert(LabelOf(element.Node3));
            taken.insert(LabelOf(element.Node4));
        }
    }
    const auto free = [&](int node) { return node != kReservedNode && !taken.contains(LabelOf(node)); };
    for (int node = 1; node <= kHighestNode; ++node) {
        if (free(node)) return node;
    }
    for (int node = 0; node >= kLowestNode; --node) {
        if (free(node)) return node;
    }
    return kNoFreeNode;
}

QStringList CircuitNetlist(const QList<TElement>& elements, const ProbeChoice& probe) {
    QStringList lines{QStringLiteral("Схема 1")};
    int extraNode = 0;
    if (probe.mode == kModeVoltage) {
        const TElement& probed = elements[probe.element];
        lines.append(QStringLiteral("U1 %1 %2").arg(probed.Node1).arg(probed.Node2));
    } else if (probe.mode == kModeCurrent) {
        extraNode = CurrentProbeNode(elements);
        lines.append(QStringLiteral("I1 %1 %2").arg(elements[probe.element].Node1).arg(extraNode));
    }
    for (qsizetype i = 0; i < elements.size(); ++i) {
        if (probe.mode == kModeCurrent && i == probe.element) {
            TElement inSeries = elements[i];
            inSeries.Node1 = extraNode;
            lines.append(FormatElementLine(inSeries));
        } else {
            lines.append(FormatElementLine(elements[i]));
        }
    }
    lines.append(QStringLiteral(".end"));
    return lines;
}

}  // namespace vorlan
