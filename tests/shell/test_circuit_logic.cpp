// The circuit page's decisions over plain values: element lines, the items
// offered, the netlist written for the engine, and the expression taken back
// from its analysis script.
#include "logic/circuit_lines.h"
#include "logic/engine_result.h"

#include <QLocale>
#include <QtTest>

using namespace vorlan;

Q_DECLARE_METATYPE(TElement)

namespace {

TElement Element(const char* name, int n1, int n2, int n3 = -1, int n4 = -1, double value = 0) {
    return {QString::fromLatin1(name), n1, n2, n3, n4, value};
}

// Script lines as the engine writes them for a circuit with a voltage and a
// current probe.
QStringList Script() {
    return {QStringLiteral("% Схема 1"), QString(), QStringLiteral("R1=100;"), QString(),
            QStringLiteral("detan= "), QStringLiteral("R1*(G1+G2)+"), QStringLiteral("(R2+R3);"),
            QStringLiteral("U1 = "), QStringLiteral("("), QStringLiteral("-(E1)*R2"), QStringLiteral(")"),
            QStringLiteral("/"), QStringLiteral("("), QStringLiteral("R1+R2"), QStringLiteral(");"),
            QStringLiteral("I1 = "), QStringLiteral("("), QStringLiteral("R1*R2"), QStringLiteral(")"),
            QStringLiteral("/"), QStringLiteral("("), QStringLiteral("R1"), QStringLiteral("+R2"),
            QStringLiteral(");"), QString(), QStringLiteral("% Execution time: 00 hour 00 min. 00.00 sec.")};
}

}  // namespace

class CircuitLogicTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void elementKind();
    void splitString_data();
    void splitString();
    void parseElementLine_data();
    void parseElementLine();
    void pointWhateverTheLocale();
    void formatValue_data();
    void formatValue();
    void formatElementLine();
    void circuitElementLines();
    void characteristicItems();
    void circuitNetlist();
    void currentProbeNode_data();
    void currentProbeNode();
    void extractResultLines();
    void missingLines_data();
    void missingLines();
    void substituteSourceSymbol_data();
    void substituteSourceSymbol();
    void replacePair_data();
    void replacePair();
};

void CircuitLogicTest::elementKind() {
    const auto kinds = [](const char* letters, int kind) {
        for (const char* c = letters; *c; ++c) {
            QVERIFY2(ElementKind(QString(QLatin1Char(*c))) == kind, c);
        }
    };
    kinds("CEJLRYZcegjlryz", kKindTwoNodes);
    kinds("BFGHKbfhk", kKindFourNodes);
    kinds("Nn", kKindUnit);
    kinds("IUiu", kKindProbe);
    kinds("SsVvAaXxdMm*. %0\t", kKindNoElement);
    QCOMPARE(ElementKind(u""), kKindNoElement);
    QCOMPARE(ElementKind(u"R1 1 2 3"), kKindTwoNodes);
}

void CircuitLogicTest::splitString_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("tokens");
    QTest::newRow("single blanks") << "R1 1 2" << QStringList{"R1", "1", "2"};
    QTest::newRow("runs count as one") << "R1   1  2" << QStringList{"R1", "1", "2"};
    QTest::newRow("leading run") << "  R1 1" << QStringList{"", "R1", "1"};
    QTest::newRow("trailing run") << "R1 1  " << QStringList{"R1", "1"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("blanks only") << "   " << QStringList{""};
    QTest::newRow("tab is no delimiter") << "R1\t1 2" << QStringList{"R1\t1", "2"};
}

void CircuitLogicTest::splitString() {
    QFETCH(QString, text);
    QFETCH(QStringList, tokens);
    QCOMPARE(SplitString(text, u' '), tokens);
}

void CircuitLogicTest::parseElementLine_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("good");
    QTest::addColumn<TElement>("element");
    const auto row = [](const char* tag, const char* line, bool good, TElement element) {
        QTest::newRow(tag) << QString::fromLatin1(line) << good << element;
    };
    row("two nodes", "R1 1 2 100", true, Element("R1", 1, 2, -1, -1, 100));
    row("many blanks", "R1  1    2 100", true, Element("R1", 1, 2, -1, -1, 100));
    row("extra tokens ignored", "C1 3 0 1e-6 x y", true, Element("C1", 3, 0, -1, -1, 1e-6));
    row("lower-case g is two-node", "g1 1 0 0.5", true, Element("g1", 1, 0, -1, -1, 0.5));
    row("four nodes", "K1 1 2 3 4 5", true, Element("K1", 1, 2, 3, 4, 5));
    row("upper-case G is four-node", "G1 1 2 3 4 -2.5", true, Element("G1", 1, 2, 3, 4, -2.5));
    row("unit has no value", "N1 1 2 3 4", true, Element("N1", 1, 2, 3, 4, 0));
    row("probe", "U5 1 2", true, Element("U5", 1, 2));
    row("hexadecimal node", "R1 $A 0 1", true, Element("R1", 10, 0, -1, -1, 1));
    row("no value", "R1 1 2", false, Element("R1", 1, 2));
    row("tabs make one token", "R1\t1\t2\t100", false, Element("R1\t1\t2\t100", 0, 0));
    row("node no integer", "R1 a 2 100", false, Element("R1", 0, 2));
    row("value no number", "R1 1 2 1k", false, Element("R1", 1, 2));
    row("comma decimal", "R1 1 2 1,5", false, Element("R1", 1, 2));
    row("infinity", "R1 1 2 inf", false, Element("R1", 1, 2));
    row("overflow", "R1 1 2 1e999", false, Element("R1", 1, 2));
    row("four-node short", "F1 1 2 3 4", false, Element("F1", 1, 2));
    row("unit short", "N1 1 2 3", false, Element("N1", 1, 2));
}

void CircuitLogicTest::parseElementLine() {
    QFETCH(QString, line);
    QFETCH(bool, good);
    QFETCH(TElement, element);
    TElement parsed;
    QCOMPARE(ParseElementLine(line, parsed), good);
    QCOMPARE(parsed, element);
}

void CircuitLogicTest::pointWhateverTheLocale() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TElement parsed;
    const bool point = ParseElementLine(QStringLiteral("R1 1 2 1.5"), parsed);
    const QString written = FormatElementLine(parsed);
    const bool comma = ParseElementLine(QStringLiteral("R1 1 2 1,5"), parsed);
    QLocale::setDefault(before);
    QVERIFY(point);
    QCOMPARE(written, QStringLiteral("R1 1 2 1.5"));
    QVERIFY(!comma);
}

void CircuitLogicTest::formatValue_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("integer") << 100.0 << "100";
    QTest::newRow("zero") << 0.0 << "0";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("fraction") << 0.25 << "0.25";
    QTest::newRow("smallest fixed") << 1e-4 << "0.0001";
    QTest::newRow("small") << 1e-5 << "1E-5";
    QTest::newRow("small negative") << -2.5e-7 << "-2.5E-7";
    QTest::newRow("largest fixed") << 1e14 << "100000000000000";
    QTest::newRow("large") << 1e15 << "1E15";
    QTest::newRow("large exponent") << 4.7e123 << "4.7E123";
    QTest::newRow("15 digits") << 1.23456789012345678 << "1.23456789012346";
    QTest::newRow("shortest") << 0.1 << "0.1";
}

void CircuitLogicTest::formatValue() {
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(FormatValue(value), text);
}

void CircuitLogicTest::formatElementLine() {
    QCOMPARE(FormatElementLine(Element("R1", 1, 2, -1, -1, 100)), QStringLiteral("R1 1 2 100"));
    QCOMPARE(FormatElementLine(Element("K1", 1, 2, 3, 4, 5)), QStringLiteral("K1 1 2 3 4 5"));
    QCOMPARE(FormatElementLine(Element("N1", 1, 2, 3, 4)), QStringLiteral("N1 1 2 3 4 0"));
    QCOMPARE(FormatElementLine(Element("U5", 1, 2)), QStringLiteral("U5 1 2 0"));
    QCOMPARE(FormatElementLine(Element("R7", -3, 12, 0, -1, 1)), QStringLiteral("R7 -3 12 0 -1 1"));
}

void CircuitLogicTest::circuitElementLines() {
    const QStringList page{"Title of the circuit", "* comment", "", "S 1 2", "V1 1 0", "A1 2 0",
                           "X 1", " R9 1 2 3", ".end ", "R1 1 2 100", ".END", "R2 2 0 50"};
    QCOMPARE(CircuitElementLines(page), (QStringList{"R1 1 2 100"}));
    QCOMPARE(CircuitElementLines({".end", "R1 1 2 100"}), QStringList{});
    QCOMPARE(CircuitElementLines({".End", "R1 1 2 100"}), QStringList{});
    QCOMPARE(CircuitElementLines({}), QStringList{});
}

void CircuitLogicTest::characteristicItems() {
    const QList<TElement> elements{Element("E1", 1, 0, -1, -1, 1), Element("R1", 1, 2, -1, -1, 100),
                                   Element("J2", 2, 0), Element("R2", 2, 0, -1, -1, 50),
                                   Element("e1", 1, 0), Element("j1", 3, 0)};
    QCOMPARE(CharacteristicItems(elements),
             (QStringList{"Определитель", "U(R1)", "I(R1)", "U(R2)", "I(R2)", "U(e1)", "I(e1)",
                          "U(j1)", "I(j1)"}));
    QCOMPARE(CharacteristicItems({}), QStringList{"Определитель"});

    struct Case {
        int item, mode, element;
    };
    for (const Case c : {Case{-1, kModeDeterminant, -1}, Case{0, kModeDeterminant, -1},
                         Case{1, kModeVoltage, 1}, Case{2, kModeCurrent, 1}, Case{3, kModeVoltage, 3},
                         Case{6, kModeCurrent, 4}, Case{8, kModeCurrent, 5},
                         Case{9, kModeDeterminant, -1}}) {
        const ProbeChoice probe = ChooseProbe(elements, c.item);
        QVERIFY2(probe.mode == c.mode && probe.element == c.element, qPrintable(QString::number(c.item)));
    }
}

void CircuitLogicTest::circuitNetlist() {
    const QList<TElement> elements{Element("E1", 1, 0, -1, -1, 1), Element("R1", 1, 2, -1, -1, 100),
                                   Element("R2", 2, 0, -1, -1, 50)};
    const QStringList body{"E1 1 0 1", "R1 1 2 100"};
    QCOMPARE(CircuitNetlist(elements, {}), (QStringList{"Схема 1"} + body + QStringList{"R2 2 0 50", ".end"}));
    QCOMPARE(CircuitNetlist(elements, ChooseProbe(elements, 3)),
             (QStringList{"Схема 1", "U1 2 0"} + body + QStringList{"R2 2 0 50", ".end"}));
    QCOMPARE(CircuitNetlist(elements, ChooseProbe(elements, 4)),
             (QStringList{"Схема 1", "I1 2 3"} + body + QStringList{"R2 3 0 50", ".end"}));
    QCOMPARE(CircuitNetlist({}, {}), (QStringList{"Схема 1", ".end"}));
}

void CircuitLogicTest::currentProbeNode_data() {
    QTest::addColumn<QList<TElement>>("elements");
    QTest::addColumn<int>("node");
    QTest::newRow("empty circuit") << QList<TElement>{} << 1;
    QTest::newRow("next free number")
        << QList<TElement>{Element("R1", 1, 2), Element("R2", 2, 0), Element("R3", 4, 0)} << 3;
    QTest::newRow("second pairs count")
        << QList<TElement>{Element("K1", 1, 0, 2, 3, 1), Element("R1", 4, 0)} << 5;
    // 257 carries node 1's label.
    QTest::newRow("labels alias") << QList<TElement>{Element("R1", 257, 2), Element("R2", 3, 10)} << 4;
    QTest::newRow("node 9 used, 777 would merge with it")
        << QList<TElement>{Element("R1", 1, 9), Element("R2", 9, 0)} << 2;
    QList<TElement> wide;
    for (int node = 1; node <= 190; node += 2) wide.append(Element("R", node, node + 1));
    QTest::newRow("the reserved label is skipped") << wide << 192;
    QList<TElement> full;
    for (int node = 0; node <= 206; node += 2) full.append(Element("R", node, node + 1));
    full.append(Element("R", 207, -1));
    QTest::newRow("negative numbers last") << full << -2;
}

void CircuitLogicTest::currentProbeNode() {
    QFETCH(QList<TElement>, elements);
    QFETCH(int, node);
    QCOMPARE(CurrentProbeNode(elements), node);
}

void CircuitLogicTest::extractResultLines() {
    const EngineResult det = ExtractResultLines(Script(), kModeDeterminant);
    QVERIFY(det.found());
    QCOMPARE(det.lines, (QStringList{"R1*(G1+G2)+", "(R2+R3);"}));

    const EngineResult voltage = ExtractResultLines(Script(), kModeVoltage);
    QVERIFY(voltage.found());
    QCOMPARE(voltage.lines, (QStringList{"(", "-(-K?11)*R2", ")", "+", "(", "R1+R2", ");"}));

    const EngineResult current = ExtractResultLines(Script(), kModeCurrent);
    QVERIFY(current.found());
    QCOMPARE(current.lines, (QStringList{"-H?1*(", "R1*R2", ")", "+", "(", "R1", "+R2", ");"}));
}

void CircuitLogicTest::missingLines_data() {
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<int>("mode");
    QTest::newRow("no determinant key") << QStringList{"% t", "detan=", "R1;"} << kModeDeterminant;
    QTest::newRow("no voltage key") << QStringList{"detan= ", "R1;", "I1 = ", "(", "R1", ")", "/", "(", "R1", ");"}
                                    << kModeVoltage;
    QTest::newRow("no current key") << QStringList{"detan= ", "R1;", "U1 = ", "(", "R1", ")", "/", "(", "R1", ");"}
                                    << kModeCurrent;
    QTest::newRow("no slash") << QStringList{"U1 = ", "(", "R1", ")", "(", "R1", ");"} << kModeVoltage;
    QTest::newRow("no closing semicolon") << QStringList{"detan= ", "R1", "", "%"} << kModeDeterminant;
    QTest::newRow("empty script") << QStringList{} << kModeDeterminant;
}

void CircuitLogicTest::missingLines() {
    QFETCH(QStringList, script);
    QFETCH(int, mode);
    const EngineResult result = ExtractResultLines(script, mode);
    QVERIFY(!result.found());
    QCOMPARE(result.missingIndex, script.size());
    QVERIFY(result.lines.isEmpty());
    QCOMPARE(ListIndexMessage(result.missingIndex), QStringLiteral("List index out of bounds (%1)").arg(script.size()));
}

void CircuitLogicTest::substituteSourceSymbol_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("expected");
    const QStringList none{"(", "R1*R2", ")"};
    QTest::newRow("none, voltage") << none << kModeVoltage << QStringList{"-K?1*(", "R1*R2", ")"};
    QTest::newRow("none, current") << none << kModeCurrent << QStringList{"-H?1*(", "R1*R2", ")"};
    QTest::newRow("E, voltage") << QStringList{"(", "R1*(E1)+(E1)", "(E2)"} << kModeVoltage
                                << QStringList{"(", "R1*(-K?11)+(-K?11)", "(E2)"};
    QTest::newRow("E, current") << QStringList{"(", "(E1)"} << kModeCurrent << QStringList{"(", "(-H?11)"};
    QTest::newRow("J, voltage") << QStringList{"(", "(J1)*R1"} << kModeVoltage << QStringList{"(", "(-G?11)*R1"};
    QTest::newRow("J, current") << QStringList{"(", "(J1)*R1"} << kModeCurrent << QStringList{"(", "(-F?11)*R1"};
    QTest::newRow("J wins in its line") << QStringList{"(E1)*(J1)"} << kModeVoltage << QStringList{"(E1)*(-G?11)"};
    QTest::newRow("first line only") << QStringList{"(E1)", "(J1)"} << kModeVoltage
                                     << QStringList{"(-K?11)", "(J1)"};
    QTest::newRow("lower case is no source") << QStringList{"(e1)"} << kModeVoltage << QStringList{"-K?1*(e1)"};
    QTest::newRow("empty") << QStringList{} << kModeVoltage << QStringList{};
}

void CircuitLogicTest::substituteSourceSymbol() {
    QFETCH(QStringList, lines);
    QFETCH(int, mode);
    QFETCH(QStringList, expected);
    SubstituteSourceSymbol(lines, mode);
    QCOMPARE(lines, expected);
}

void CircuitLogicTest::replacePair_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("result");
    QTest::newRow("example") << "x(E1" << "(E" << "(-K?1" << "x(-K?11";
    QTest::newRow("every occurrence") << "(E1+(E2" << "(E" << "#" << "#1+#2";
    QTest::newRow("no overlap") << "aaa" << "aa" << "b" << "ba";
    QTest::newRow("half at the end") << "x(" << "(E" << "#" << "x(";
    QTest::newRow("none") << "R1" << "(E" << "#" << "R1";
    QTest::newRow("empty") << "" << "(E" << "#" << "";
}

void CircuitLogicTest::replacePair() {
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(QString, result);
    QCOMPARE(ReplacePair(text, pattern, replacement), result);
}

QTEST_GUILESS_MAIN(CircuitLogicTest)
#include "test_circuit_logic.moc"
