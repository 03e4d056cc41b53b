#include "engine_result.h"

#include "circuit_lines.h"

namespace vorlan {

namespace {

bool EndsInSemicolon(const QString& line) {
    return line.endsWith(u';');
}

}  // namespace

EngineResult ExtractResultLines(const QStringList& script, int mode) {
    EngineResult result;
    const int count = static_cast<int>(script.size());
    int i = 0;
    const auto seek = [&](auto matches) {
        while (i < count && !matches(script[i])) ++i;
        if (i == count) result.missingIndex = count;
        return i < count;
    };

    if (mode == kModeDeterminant) {
        if (!seek([](const QString& line) { return line == u"detan= "; })) return result;
        ++i;
    } else {
        const QString key = mode == kModeVoltage ? QStringLiteral("U1 = ") : QStringLiteral("I1 = ");
        if (!seek([&](const QString& line) { return line == key; })) return result;
        const int numerator = ++i;
        if (!seek([](const QString& line) { return line == u"/"; })) return result;
        result.lines = script.mid(numerator, i - numerator);
        SubstituteSourceSymbol(result.lines, mode);
        ++i;
        result.lines.append(QStringLiteral("+"));
    }

    const int rest = i;
    if (!seek(EndsInSemicolon)) {
        result.lines.clear();
        return result;
    }
    result.lines += script.mid(rest, i - rest + 1);
    return result;
}

void SubstituteSourceSymbol(QStringList& lines, int mode) {
    const bool voltage = mode == kModeVoltage;
    for (QString& line : lines) {
        if (line.contains(u"(J")) {
            line = ReplacePair(line, u"(J", voltage ? QStringLiteral("(-G?1") : QStringLiteral("(-F?1"));
            return;
        }
        if (line.contains(u"(E")) {
            line = ReplacePair(line, u"(E", voltage ? QStringLiteral("(-K?1") : QStringLiteral("(-H?1"));
            return;
        }
    }
    if (!lines.isEmpty()) lines.front().prepend(voltage ? QStringLiteral("-K?1*") : QStringLiteral("-H?1*"));
}

QString ReplacePair(const QString& text, QStringView pattern, const QString& replacement) {
    return QString(text).replace(pattern.toString(), replacement);
}

QString ListIndexMessage(int index) {
    return QStringLiteral("List index out of bounds (%1)").arg(index);
}

}  // namespace vorlan
