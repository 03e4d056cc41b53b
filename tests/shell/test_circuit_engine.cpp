// The circuit page with the real engine: a circuit typed on the page,
// prepared and run through Velmorad1, and the expression input file that
// "Восстановить" hands to the external program.
#include "main_window.h"
#include "shell_fakes.h"

#include <QComboBox>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

namespace {

QStringList FileLines(const QString& path) {
    QString text = QString::fromUtf8(ReadBytes(path));
    QStringList lines = text.split(QStringLiteral("\r\n"));
    if (text.endsWith(QStringLiteral("\r\n"))) lines.removeLast();
    return lines;
}

}  // namespace

class CircuitEngineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void voltageOfAResistor();
    void currentBesideNodeNine();
    void cyrillicName();
    void cyrillicNameTooLong();
    void determinant();
    void missingSettingsFile();

private:
    // Types the page, prepares it, chooses `item` and presses "Восстановить".
    void run(const QString& page, int item) {
        window_->findChild<QTabWidget*>(QStringLiteral("pcMain"))->setCurrentIndex(3);
        window_->findChild<QPlainTextEdit*>(QStringLiteral("memCirc"))->setPlainText(page);
        window_->findChild<QPushButton*>(QStringLiteral("btnPrepare"))->click();
        window_->findChild<QComboBox*>(QStringLiteral("cbType"))->setCurrentIndex(item);
        window_->findChild<QPushButton*>(QStringLiteral("btnSin"))->click();
    }
    QStringList input() const { return FileLines(dir_->file("in")); }

    std::unique_ptr<TempWorkDir> dir_;
    std::unique_ptr<ScopedFakes> fakes_;
    std::unique_ptr<TfmMain> window_;
};

void CircuitEngineTest::init() {
    dir_ = std::make_unique<TempWorkDir>();
    QVERIFY(QFile::copy(QStringLiteral(VORLAN_SETUP_SYM), dir_->file("setup.sym")));
    fakes_ = std::make_unique<ScopedFakes>();
    window_ = std::make_unique<TfmMain>();
}

void CircuitEngineTest::cleanup() {
    window_.reset();
    fakes_.reset();
    dir_.reset();
}

void CircuitEngineTest::voltageOfAResistor() {
    run(QStringLiteral("E1 1 0 1\nR1 1 2 100\nR2 2 0 50"), 3);  // U(R2)
    QCOMPARE(fakes_->boxes.messages, QStringList{});
    QCOMPARE(fakes_->boxes.errors, QStringList{});
    QCOMPARE(input(), (QStringList{"(", "-(-K?11)*R2", ")", "+", "(", "R1+R2", ");"}));
    QCOMPARE(fakes_->launcher.calls.size(), 1);
    QCOMPARE(fakes_->launcher.calls.front().commandLine, QStringLiteral("-n 0 "));
}

void CircuitEngineTest::currentBesideNodeNine() {
    // A probe node numbered 777 would carry node 9's label and short R2.
    run(QStringLiteral("E1 1 0 1\nR1 1 9 100\nR2 9 0 50"), 4);  // I(R2)
    QCOMPARE(FileLines(dir_->file("cir")),
             (QStringList{"Схема 1", "I1 9 2", "E1 1 0 1", "R1 1 9 100", "R2 2 0 50", ".end"}));
    QCOMPARE(input(), (QStringList{"(", "-(-H?11)", ")", "+", "(", "R1+R2", ");"}));
    QCOMPARE(fakes_->launcher.calls.size(), 1);
}

void CircuitEngineTest::cyrillicName() {
    // Eight letters, 16 bytes of UTF-8 in "cir": the engine counts letters.
    run(QStringLiteral("E1 1 0 1\nR1 1 2 100\nRнагрузка 2 0 50"), 3);
    QCOMPARE(window_->findChild<QComboBox*>(QStringLiteral("cbType"))->currentText(),
             QStringLiteral("U(Rнагрузка)"));
    QCOMPARE(fakes_->boxes.messages, QStringList{});
    QVERIFY(FileLines(dir_->file("out")).contains(QStringLiteral("Rнагрузка=50;")));
    QCOMPARE(input(), (QStringList{"(", "-(-K?11)*Rнагрузка", ")", "+", "(", "R1+Rнагрузка", ");"}));
    QCOMPARE(fakes_->launcher.calls.size(), 1);
}

void CircuitEngineTest::cyrillicNameTooLong() {
    // Twelve letters: the engine's message reads as it was written.
    run(QStringLiteral("E1 1 0 1\nR1 1 2 100\nRсопротивлени 2 0 50"), 3);
    QCOMPARE(fakes_->boxes.messages.size(), 1);
    QVERIFY2(fakes_->boxes.messages.front().contains(
                 QStringLiteral("the name field сопротивлени is longer than 11 characters")),
             qPrintable(fakes_->boxes.messages.front()));
    QVERIFY(!QFile::exists(dir_->file("in")));
    QVERIFY(fakes_->launcher.calls.isEmpty());
}

void CircuitEngineTest::determinant() {
    // A ladder whose determinant wraps over several lines.
    run(QStringLiteral("R1 1 0 100\nR2 1 2 50\nC1 2 0 1e-6\nR3 2 3 20\nL1 3 0 1e-3\nR4 3 4 10\n"
                       "g1 4 0 0.5\nG1 4 0 1 0 0.5\nR5 4 5 1\nc2 5 0 2"),
        0);
    const QStringList script = FileLines(dir_->file("out"));
    const qsizetype head = script.indexOf(QStringLiteral("detan= "));
    QVERIFY(head > 0);
    const QStringList lines = input();
    QVERIFY(lines.size() > 3);
    QVERIFY(!lines.front().endsWith(u';'));
    QVERIFY(lines.back().endsWith(u';'));
    QCOMPARE(script.mid(head + 1, lines.size()), lines);
    QCOMPARE(fakes_->launcher.calls.size(), 1);
}

void CircuitEngineTest::missingSettingsFile() {
    QVERIFY(QFile::remove(dir_->file("setup.sym")));
    run(QStringLiteral("R1 1 0 100"), 0);
    QCOMPARE(fakes_->boxes.messages.size(), 1);
    QVERIFY(fakes_->boxes.messages.front().contains(QStringLiteral("setup.sym")));
    QVERIFY(!QFile::exists(dir_->file("in")));
    QVERIFY(fakes_->launcher.calls.isEmpty());
}

QTEST_MAIN(CircuitEngineTest)
#include "test_circuit_engine.moc"
