// The expression that the engine's analysis script holds for one run: the
// determinant, or the quotient of a voltage or current probe with the
// source symbol put into its numerator.
#pragma once

#include <QString>
#include <QStringList>

namespace vorlan {

// What the expression input file receives from a script, or where the
// search ran past the script's last line.
struct EngineResult {
    QStringList lines;
    int missingIndex = -1;  // the list index read past the end; -1 when found
    bool found() const { return missingIndex < 0; }
};

// Mode -1 (determinant): the lines after "detan= " up to and including the
// first line that ends in ";". Mode 1 (voltage, key "U1 = ") or 0 (current,
// key "I1 = "): the lines between the key and "/" with the source symbol
// put in, then "+", then the lines after "/" up to and including the first
// that ends in ";". Keys and "/" are whole lines.
EngineResult ExtractResultLines(const QStringList& script, int mode);

// Puts the source symbol into the numerator lines: in the first line that
// holds "(E" or "(J", every "(J" becomes "(-G?1" (voltage) or "(-F?1"
// (current), or else every "(E" becomes "(-K?1" or "(-H?1"; without such a
// line, "-K?1*" or "-H?1*" goes before line 0. An empty list stays empty.
void SubstituteSourceSymbol(QStringList& lines, int mode);

// `text` with every occurrence of the two-character `pattern` replaced,
// scanning from the left without overlaps.
QString ReplacePair(const QString& text, QStringView pattern, const QString& replacement);

// The error of a list read past its end: "List index out of bounds (3)".
QString ListIndexMessage(int index);

}  // namespace vorlan
