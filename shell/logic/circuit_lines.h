// The circuit page's netlist: element lines parsed into records, the
// characteristics offered for them, and the netlist file "cir" written for
// the engine with a probe for the chosen characteristic.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

namespace vorlan {

// One parsed element line. A negative Node3 means there is no second pair.
struct TElement {
    QString Name;  // the first token; its first letter is the kind letter
    int Node1 = 0;
    int Node2 = 0;
    int Node3 = -1;
    int Node4 = -1;
    double Value = 0;

    friend bool operator==(const TElement&, const TElement&) = default;
};

// The tokens of one line.
using TArray = QStringList;

// Element kinds by the first letter of a line.
constexpr int kKindTwoNodes = 0;      // name, 2 nodes, value
constexpr int kKindFourNodes = 1;     // name, 4 nodes, value
constexpr int kKindUnit = 2;          // name, 4 nodes
constexpr int kKindProbe = 3;         // name, 2 nodes
constexpr int kKindNoElement = 100;   // not an element line

// The kind of the line whose first character is `first` (only its first
// character counts; an empty text is no element).
int ElementKind(QStringView first);

// Tokens between runs of `delimiter`: a leading run gives one empty first
// token, a trailing run none, an empty text none.
TArray SplitString(QStringView text, QChar delimiter);

// Fills `element` from one line split at blanks; false for a bad line (too
// few tokens, a node that is no integer, a value that is no number). Fields
// that a bad line leaves unread keep the defaults of TElement. Values are
// read with a point as decimal separator, whatever the locale.
bool ParseElementLine(const QString& line, TElement& element);

// A real number as the netlist holds it: 15 significant digits at most,
// shortest form, point as decimal separator, exponent form ("1E-5", "1E20")
// outside 1E-4 .. 1E15.
QString FormatValue(double value);

// Name, nodes (the second pair only when Node3 >= 0) and value, between
// single blanks: "R1 1 2 100", "N1 1 2 3 4 0".
QString FormatElementLine(const TElement& element);

// The lines of the page that hold elements: up to the first line that reads
// ".end" in any case (no trimming), without empty lines and lines whose
// first character is no element letter.
QStringList CircuitElementLines(const QStringList& pageLines);

// Offered for voltage and current: every element whose name does not begin
// with an upper-case E or J.
bool IsOffered(const TElement& element);

// The items of the characteristic list: "Определитель", then "U(name)" and
// "I(name)" for every offered element, in list order.
QStringList CharacteristicItems(const QList<TElement>& elements);

// Probe modes of a run.
constexpr int kModeDeterminant = -1;
constexpr int kModeVoltage = 1;
constexpr int kModeCurrent = 0;

struct ProbeChoice {
    int mode = kModeDeterminant;
    int element = -1;  // index of the probed element in the list
};

// What the chosen item (its index, -1 for none) asks for. Item 2m-1 is the
// voltage and item 2m the current of the m-th offered element.
ProbeChoice ChooseProbe(const QList<TElement>& elements, int item);

// The node that a current probe puts in series with the probed element: the
// smallest node number from 1 up (then 0 and the negative ones) that the
// engine accepts and whose label ((number + 48) mod 256) no node of the
// circuit carries.
int CurrentProbeNode(const QList<TElement>& elements);

// The netlist "cir": the title "Схема 1", the probe line ("U1 a b" or
// "I1 a x"), the element lines (the probed element from x with a current
// probe) and ".end".
QStringList CircuitNetlist(const QList<TElement>& elements, const ProbeChoice& probe);

}  // namespace vorlan
