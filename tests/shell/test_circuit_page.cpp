// The circuit page in the main window: the states of "Восстановить" and of
// the characteristic list, the preparation with its messages, and the run
// through a scripted engine: the netlist it is given, the expression input
// file taken from its script, and its failures.
#include "engine_bridge.h"
#include "main_window.h"
#include "shell_fakes.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

namespace {

const QString kChoose = QStringLiteral("Выберите тип характеристики");

// An analysis script with the determinant and both probe blocks.
const QByteArray kScript =
    "% \xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\n\r\nR1=100;\r\n\r\ndetan= \r\nR1+R2;\r\n"
    "U1 = \r\n(\r\n-(E1)*R2\r\n)\r\n/\r\n(\r\nR1+R2\r\n);\r\n"
    "I1 = \r\n(\r\n-(E1)\r\n)\r\n/\r\n(\r\nR1+R2\r\n);\r\n\r\n"
    "% Execution time: 00 hour 00 min. 00.00 sec.                    \r\n";

// Records the netlist of every run and answers with a prepared script, or
// fails with a reason.
class ScriptedEngine final : public CircuitEngine {
public:
    bool runMain(const QByteArray& netlist, const QByteArray& script) override {
        paths.append({netlist, script});
        netlists.append(ReadBytes(QString::fromLocal8Bit(netlist)));
        if (!failure.isEmpty()) return false;
        WriteBytes(QString::fromLocal8Bit(script), answer);
        return true;
    }
    QString errorText() override { return failure.isEmpty() ? QStringLiteral("No errors.") : failure; }

    QByteArray answer = kScript;
    QString failure;
    QList<QPair<QByteArray, QByteArray>> paths;
    QList<QByteArray> netlists;
};

}  // namespace

class CircuitPageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void buttonAndListStates();
    void emptyPage();
    void badLinesReportedAndListed();
    void voltageRun();
    void currentRunsWriteTheSameNetlist();
    void typedTextRunsTheDeterminant();
    void duplicateNamesProbedByPosition_data();
    void duplicateNamesProbedByPosition();
    void engineFailureStopsTheRun();
    void missingKeyLineStopsTheRun_data();
    void missingKeyLineStopsTheRun();

private:
    template <typename W>
    W* child(const char* name) const { return Child<W>(window_.get(), name); }
    QComboBox* cbType() const { return child<QComboBox>("cbType"); }
    QPushButton* btnSin() const { return child<QPushButton>("btnSin"); }
    QStringList items() const {
        QStringList list;
        for (int i = 0; i < cbType()->count(); ++i) list << cbType()->itemText(i);
        return list;
    }
    // Types the page and presses "Подготовить".
    void prepare(const QString& page) {
        child<QTabWidget>("pcMain")->setCurrentIndex(3);
        child<QPlainTextEdit>("memCirc")->setPlainText(page);
        child<QPushButton>("btnPrepare")->click();
    }
    void choose(int item) { cbType()->setCurrentIndex(item); }
    void press() { btnSin()->click(); }

    std::unique_ptr<TempWorkDir> dir_;
    std::unique_ptr<ScopedFakes> fakes_;
    std::unique_ptr<ScriptedEngine> engine_;
    CircuitEngine* engineBefore_ = nullptr;
    std::unique_ptr<TfmMain> window_;
};

void CircuitPageTest::init() {
    dir_ = std::make_unique<TempWorkDir>();
    fakes_ = std::make_unique<ScopedFakes>();
    engine_ = std::make_unique<ScriptedEngine>();
    engineBefore_ = SetEngine(engine_.get());
    window_ = std::make_unique<TfmMain>();
}

void CircuitPageTest::cleanup() {
    window_.reset();
    SetEngine(engineBefore_);
    engine_.reset();
    fakes_.reset();
    dir_.reset();
}

void CircuitPageTest::buttonAndListStates() {
    auto* pcMain = child<QTabWidget>("pcMain");
    QVERIFY(btnSin()->isEnabled());
    QVERIFY(!cbType()->isEnabled());
    QCOMPARE(cbType()->count(), 0);
    QCOMPARE(cbType()->currentText(), kChoose);

    pcMain->setCurrentIndex(3);
    QVERIFY(!btnSin()->isEnabled());

    prepare(QStringLiteral("R1 1 0 100\nR2 1 0 50"));
    QVERIFY(btnSin()->isEnabled());
    QVERIFY(cbType()->isEnabled());
    QCOMPARE(cbType()->currentIndex(), 0);
    QCOMPARE(items(), (QStringList{"Определитель", "U(R1)", "I(R1)", "U(R2)", "I(R2)"}));

    // The choice stays between runs.
    choose(2);
    press();
    QCOMPARE(cbType()->currentIndex(), 2);
    QVERIFY(btnSin()->isEnabled());

    // An edit of the page resets the list and disables the button.
    child<QPlainTextEdit>("memCirc")->appendPlainText(QStringLiteral("R3 1 0 1"));
    QVERIFY(!btnSin()->isEnabled());
    QVERIFY(!cbType()->isEnabled());
    QCOMPARE(cbType()->count(), 0);
    QCOMPARE(cbType()->currentText(), kChoose);

    // Leaving the page enables the button; coming back resets the page.
    prepare(QStringLiteral("R1 1 0 100"));
    pcMain->setCurrentIndex(1);
    QVERIFY(btnSin()->isEnabled());
    pcMain->setCurrentIndex(3);
    QVERIFY(!btnSin()->isEnabled());
    QVERIFY(!cbType()->isEnabled());
    QCOMPARE(cbType()->count(), 0);
    QCOMPARE(cbType()->currentText(), kChoose);
}

void CircuitPageTest::emptyPage() {
    for (const QString& page : {QString(), QStringLiteral(".end\nR1 1 2 100")}) {
        engine_->netlists.clear();
        prepare(page);
        QCOMPARE(items(), QStringList{"Определитель"});
        press();
        QCOMPARE(engine_->netlists, QList<QByteArray>{"\xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\n.end\r\n"});
    }
    QCOMPARE(engine_->paths.front(), (QPair<QByteArray, QByteArray>("cir", "out")));
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("R1+R2;\r\n"));
    QCOMPARE(fakes_->launcher.calls.size(), 2);
    QCOMPARE(fakes_->launcher.calls.back().commandLine, QStringLiteral("-n 0 "));
    QCOMPARE(fakes_->boxes.messages, QStringList{});
}

void CircuitPageTest::badLinesReportedAndListed() {
    prepare(QStringLiteral("Title line\n* comment\n\nS 1 2\nV1 1 0\nA1 1 0\nX 1\n"
                           "R1 1 2\nR2\t2\t0\t50\nR3  2   0 50\nR4 1 0 1,5\n.end \nR5 1 0 1\n.END\nR6 1 0 1"));
    QCOMPARE(fakes_->boxes.messages,
             (QStringList{"Ошибка в строке - R1 1 2", "Ошибка в строке - R2\t2\t0\t50",
                          "Ошибка в строке - R4 1 0 1,5"}));
    QCOMPARE(items(), (QStringList{"Определитель", "U(R1)", "I(R1)", "U(R2\t2\t0\t50)", "I(R2\t2\t0\t50)",
                                   "U(R3)", "I(R3)", "U(R4)", "I(R4)", "U(R5)", "I(R5)"}));
    // Only the element lines reach the engine, bad ones with what was read.
    press();
    QCOMPARE(engine_->netlists,
             QList<QByteArray>{"\xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\nR1 1 2 0\r\nR2\t2\t0\t50 0 0 0\r\n"
                               "R3 2 0 50\r\nR4 1 0 0\r\nR5 1 0 1\r\n.end\r\n"});
}

void CircuitPageTest::voltageRun() {
    prepare(QStringLiteral("E1 1 0 1\nR1 1 2 100\nR2 2 0 50.5\ne1 3 0 2"));
    QCOMPARE(items(), (QStringList{"Определитель", "U(R1)", "I(R1)", "U(R2)", "I(R2)", "U(e1)", "I(e1)"}));
    choose(3);
    press();
    QCOMPARE(engine_->netlists,
             QList<QByteArray>{"\xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\nU1 2 0\r\n"
                               "E1 1 0 1\r\nR1 1 2 100\r\nR2 2 0 50.5\r\ne1 3 0 2\r\n.end\r\n"});
    QCOMPARE(ReadBytes(dir_->file("in")),
             QByteArray("(\r\n-(-K?11)*R2\r\n)\r\n+\r\n(\r\nR1+R2\r\n);\r\n"));
    QCOMPARE(fakes_->launcher.calls.size(), 1);
}

void CircuitPageTest::currentRunsWriteTheSameNetlist() {
    prepare(QStringLiteral("E1 1 0 1\nR1 1 9 100\nR2 9 0 50"));
    choose(2);
    press();
    press();
    const QByteArray netlist = "\xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\nI1 1 2\r\n"
                               "E1 1 0 1\r\nR1 2 9 100\r\nR2 9 0 50\r\n.end\r\n";
    QCOMPARE(engine_->netlists, (QList<QByteArray>{netlist, netlist}));
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("(\r\n-(-H?11)\r\n)\r\n+\r\n(\r\nR1+R2\r\n);\r\n"));
    QCOMPARE(fakes_->launcher.calls.size(), 2);
}

void CircuitPageTest::typedTextRunsTheDeterminant() {
    prepare(QStringLiteral("R1 1 2 100\nR2 2 0 50"));
    choose(1);
    cbType()->setEditText(QStringLiteral("U(R7)"));
    press();
    QCOMPARE(engine_->netlists,
             QList<QByteArray>{"\xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\nR1 1 2 100\r\nR2 2 0 50\r\n.end\r\n"});
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("R1+R2;\r\n"));
}

void CircuitPageTest::duplicateNamesProbedByPosition_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QByteArray>("probeAndElements");
    QTest::newRow("U of the first R1") << 1 << QByteArray("U1 1 2\r\nE1 1 0 1\r\nR1 1 2 100\r\nR1 2 0 50\r\n");
    QTest::newRow("I of the first R1") << 2 << QByteArray("I1 1 3\r\nE1 1 0 1\r\nR1 3 2 100\r\nR1 2 0 50\r\n");
    QTest::newRow("U of the second R1") << 3 << QByteArray("U1 2 0\r\nE1 1 0 1\r\nR1 1 2 100\r\nR1 2 0 50\r\n");
    QTest::newRow("I of the second R1") << 4 << QByteArray("I1 2 3\r\nE1 1 0 1\r\nR1 1 2 100\r\nR1 3 0 50\r\n");
}

void CircuitPageTest::duplicateNamesProbedByPosition() {
    QFETCH(int, item);
    QFETCH(QByteArray, probeAndElements);
    prepare(QStringLiteral("E1 1 0 1\nR1 1 2 100\nR1 2 0 50"));
    QCOMPARE(items(), (QStringList{"Определитель", "U(R1)", "I(R1)", "U(R1)", "I(R1)"}));
    choose(item);
    press();
    QCOMPARE(engine_->netlists,
             QList<QByteArray>{"\xd0\xa1\xd1\x85\xd0\xb5\xd0\xbc\xd0\xb0 1\r\n" + probeAndElements + ".end\r\n"});
}

void CircuitPageTest::engineFailureStopsTheRun() {
    WriteBytes(dir_->file("in"), "before\r\n");
    engine_->failure = QStringLiteral("Cannot open the settings file \"setup.sym\".");
    prepare(QStringLiteral("R1 1 0 100"));
    choose(1);
    press();
    QCOMPARE(engine_->netlists.size(), 1);
    QCOMPARE(fakes_->boxes.messages, QStringList{engine_->failure});
    QCOMPARE(fakes_->boxes.errors, QStringList{});
    QVERIFY(!QFile::exists(dir_->file("out")));
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("before\r\n"));
    QVERIFY(fakes_->launcher.calls.isEmpty());
}

void CircuitPageTest::missingKeyLineStopsTheRun_data() {
    QTest::addColumn<int>("item");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("index");
    const QByteArray detOnly = "% t\r\n\r\ndetan= \r\nR1;\r\n\r\n";
    QTest::newRow("voltage key") << 1 << detOnly << 5;
    QTest::newRow("current key") << 2 << detOnly << 5;
    QTest::newRow("determinant key") << 0 << QByteArray("% t\r\ndetan=\r\nR1;\r\n") << 3;
    QTest::newRow("closing semicolon") << 0 << QByteArray("detan= \r\nR1\r\n") << 2;
    QTest::newRow("empty script") << 0 << QByteArray() << 0;
}

void CircuitPageTest::missingKeyLineStopsTheRun() {
    QFETCH(int, item);
    QFETCH(QByteArray, script);
    QFETCH(int, index);
    WriteBytes(dir_->file("in"), "before\r\n");
    engine_->answer = script;
    prepare(QStringLiteral("R1 1 0 100"));
    choose(item);
    press();
    QCOMPARE(fakes_->boxes.errors, QStringList{QStringLiteral("List index out of bounds (%1)").arg(index)});
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("before\r\n"));
    QVERIFY(fakes_->launcher.calls.isEmpty());
    QVERIFY(btnSin()->isEnabled());
}

QTEST_MAIN(CircuitPageTest)
#include "test_circuit_page.moc"
