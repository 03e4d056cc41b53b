// The settings dialog: what it shows from Vorlan.ini, what "ОК",
// "Применить" and "Отменить" write, the switches, and the chooser buttons.
#include "file_dialog.h"
#include "ini_settings.h"
#include "settings_dialog.h"
#include "shell_fakes.h"

#include <QCheckBox>
#include <QDir>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

class SettingsDialogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void defaultsWithoutSettingsFile();
    void layout();
    void tabOrder();
    void enterAndEscapeDoNothing();
    void showsStoredSettings();
    void okWritesTheTenKeys();
    void applyWritesAndStaysOpen();
    void countThatIsNoInteger();
    void writeErrorKeepsTheDialogOpen();
    void cancelKeepsFileAndEdits();
    void uncheckingLogTask();
    void findNillChangesOnlyItsOwnMark();
    void logCircEnablesItsRow();
    void chosenFile_data();
    void chosenFile();
    void cancelledChoiceKeepsTheField();
    void chooserReturnsToItsDirectory();

private:
    template <typename W>
    W* child(const char* name) const { return Child<W>(dialog_.get(), name); }
    void create() { dialog_ = std::make_unique<TfmOptions>(); }
    QLineEdit* edit(const char* name) const { return child<QLineEdit>(name); }
    void click(const char* button) const { child<QAbstractButton>(button)->click(); }

    std::unique_ptr<TempWorkDir> dir_;
    std::unique_ptr<ScopedFakes> fakes_;
    std::unique_ptr<TfmOptions> dialog_;
};

void SettingsDialogTest::init() {
    dir_ = std::make_unique<TempWorkDir>();
    fakes_ = std::make_unique<ScopedFakes>();
    create();
}

void SettingsDialogTest::cleanup() {
    dialog_.reset();
    fakes_.reset();
    dir_.reset();
}

void SettingsDialogTest::defaultsWithoutSettingsFile() {
    QCOMPARE(edit("edProg")->text(), QStringLiteral("vorlan.exe"));
    QCOMPARE(edit("edIn")->text(), QStringLiteral("in"));
    QCOMPARE(edit("edRes")->text(), QStringLiteral("result/result.cir"));
    QCOMPARE(edit("edRep")->text(), QStringLiteral("report/log.txt"));
    QCOMPARE(edit("edTask")->text(), QStringLiteral("report/task.txt"));
    QCOMPARE(edit("edCir")->text(), QStringLiteral("report/level.cir"));
    for (const char* box : {"cblt", "cbnill", "cblc"}) QVERIFY(!child<QCheckBox>(box)->isChecked());
    for (const char* off : {"edTask", "sb4", "edCir", "sb5"}) QVERIFY2(!child<QWidget>(off)->isEnabled(), off);
    for (const char* on : {"edProg", "edIn", "edRes", "edRep", "sb0", "sb1", "sb2", "sb3", "meFirstCount"}) {
        QVERIFY2(child<QWidget>(on)->isEnabled(), on);
    }
    QCOMPARE(edit("meFirstCount")->text(), QStringLiteral("0"));
    QVERIFY(!QFile::exists(dir_->file("Vorlan.ini")));

    auto* od = child<FileDialog>("od");
    auto* sd = child<FileDialog>("sd");
    QCOMPARE(od->kind(), FileDialogKind::Open);
    QCOMPARE(sd->kind(), FileDialogKind::Save);
    QCOMPARE(od->initialDir(), dir_->path());
    QCOMPARE(sd->initialDir(), dir_->path());
}

void SettingsDialogTest::layout() {
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    QCOMPARE(dialog_->objectName(), QStringLiteral("fmOptions"));
    QCOMPARE(dialog_->windowTitle(), QStringLiteral("Настройки"));
    QCOMPARE(dialog_->size(), QSize(504, 296));
    QCOMPARE(dialog_->pos(), QPoint(0, 0));
    QCOMPARE(child<QWidget>("gbFiles")->height(), 184);
    QCOMPARE(child<QWidget>("gbDop")->height(), 60);
    QCOMPARE(child<QGroupBox>("gbDop")->title(), QStringLiteral("Дополнительные параметры"));
    QVERIFY(child<QGroupBox>("gbFiles")->title().isEmpty());
    QVERIFY(child<QWidget>("GroupBox1")->width() <= 4);

    const QList<std::pair<const char*, const char*>> labels{
        {"lblProg", "Программа:"}, {"lblIn", "Входной файл:"}, {"lblRes", "Результаты:"},
        {"lblLog", "Отчет:"}, {"lblTask", "Сформированное задание:"}, {"lblCir", "Промежуточные схемы:"},
        {"Label1", "Остановиться после получения "}, {"Label2", "схем"}};
    for (const auto& [name, text] : labels) QCOMPARE(child<QLabel>(name)->text(), QString::fromUtf8(text));
    const QFont rowFont = child<QLabel>("lblTask")->font();
    QCOMPARE(rowFont.family(), QStringLiteral("Times New Roman"));
    QCOMPARE(rowFont.pointSize(), 10);
    QVERIFY(rowFont.bold());

    QCOMPARE(child<QCheckBox>("cblt")->text(), QStringLiteral("Сохранять сформированное задание"));
    QCOMPARE(child<QCheckBox>("cbnill")->text(), QStringLiteral("Производить поиск узла для заземления"));
    QCOMPARE(child<QCheckBox>("cblc")->text(), QStringLiteral("Сохранять промежуточные схемы"));
    QCOMPARE(edit("meFirstCount")->width(), 37);

    const QList<std::pair<const char*, QString>> buttons{
        {"btnOK", QStringLiteral("\u041E\u041A")}, {"btnApply", "Применить"}, {"btnCancel", "Отменить"}};
    for (const auto& [name, text] : buttons) {
        auto* button = child<QPushButton>(name);
        QCOMPARE(button->text(), text);
        QCOMPARE(button->size(), QSize(75, 25));
        QVERIFY(!button->isDefault());
        QVERIFY(!button->autoDefault());
    }
    for (int i = 0; i < 6; ++i) {
        auto* button = child<QToolButton>(("sb" + QByteArray::number(i)).constData());
        QCOMPARE(button->size(), QSize(34, 22));
        QVERIFY(button->autoRaise());
        QVERIFY(!button->icon().isNull());
        QVERIFY(button->text().isEmpty());
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    }
    // All six edits end at one right edge; rows 5 and 6 start further right.
    const int right = edit("edProg")->geometry().right();
    for (const char* name : {"edIn", "edRes", "edRep", "edTask", "edCir"}) QCOMPARE(edit(name)->geometry().right(), right);
    QCOMPARE(edit("edRep")->x(), edit("edProg")->x());
    QVERIFY(edit("edTask")->x() > edit("edProg")->x());
    QCOMPARE(edit("edCir")->x(), edit("edTask")->x());
}

void SettingsDialogTest::tabOrder() {
    QStringList order;
    QWidget* widget = child<QWidget>("cblt");
    do {
        if (widget->focusPolicy() & Qt::TabFocus) order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != child<QWidget>("cblt"));
    QCOMPARE(order, (QStringList{"cblt", "cbnill", "cblc", "meFirstCount", "edRes", "edRep", "edTask",
                                 "edCir", "edProg", "edIn", "btnCancel", "btnApply", "btnOK"}));
}

void SettingsDialogTest::enterAndEscapeDoNothing() {
    dialog_->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog_.get()));
    edit("edProg")->setFocus();
    QTest::keyClick(edit("edProg"), Qt::Key_Escape);
    QTest::keyClick(edit("edProg"), Qt::Key_Return);
    QVERIFY(dialog_->isVisible());
    QVERIFY(!QFile::exists(dir_->file("Vorlan.ini")));
}

void SettingsDialogTest::showsStoredSettings() {
    WriteBytes(dir_->file("Vorlan.ini"),
               "[General]\r\nPROGRAM=synth\r\nlogtask=1\r\nlogcirc=1\r\nfindnill=1\r\nfindfirst=0x10\r\n"
               "[FILES]\r\nresultfile=r/r.cir\r\ninputfile=expr\r\nlogfile=l.txt\r\ntaskfile=t.txt\r\n"
               "circfile=c.cir\r\n");
    create();
    QCOMPARE(edit("edProg")->text(), QStringLiteral("synth"));
    QCOMPARE(edit("edIn")->text(), QStringLiteral("expr"));
    QCOMPARE(edit("edRes")->text(), QStringLiteral("r/r.cir"));
    QCOMPARE(edit("edRep")->text(), QStringLiteral("l.txt"));
    QCOMPARE(edit("edTask")->text(), QStringLiteral("t.txt"));
    QCOMPARE(edit("edCir")->text(), QStringLiteral("c.cir"));
    for (const char* box : {"cblt", "cbnill", "cblc"}) QVERIFY(child<QCheckBox>(box)->isChecked());
    for (const char* on : {"edTask", "sb4", "edCir", "sb5"}) QVERIFY(child<QWidget>(on)->isEnabled());
    QCOMPARE(edit("meFirstCount")->text(), QStringLiteral("16"));

    // Read once: later changes to the file are not shown.
    WriteBytes(dir_->file("Vorlan.ini"), "[general]\r\nprogram=other\r\n");
    dialog_->show();
    QCOMPARE(edit("edProg")->text(), QStringLiteral("synth"));
}

void SettingsDialogTest::okWritesTheTenKeys() {
    dialog_->show();
    edit("edProg")->setText("synth");
    edit("edRes")->setText("out/r.cir");
    edit("meFirstCount")->setText("5");
    child<QCheckBox>("cbnill")->setChecked(true);
    click("btnOK");
    QCOMPARE(fakes_->boxes.errors, QStringList{});
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    QCOMPARE(ReadBytes(dir_->file("Vorlan.ini")),
             QByteArray("[general]\r\nprogram=synth\r\nlogtask=0\r\nlogcirc=0\r\nfindnill=1\r\nFindFirst=5\r\n"
                        "\r\n[files]\r\nresultfile=out/r.cir\r\ninputfile=in\r\nlogfile=report/log.txt\r\n"
                        "taskfile=report/task.txt\r\ncircfile=report/level.cir\r\n"));
}

void SettingsDialogTest::applyWritesAndStaysOpen() {
    WriteBytes(dir_->file("Vorlan.ini"), "; mine\r\n[visual]\r\nwidth=700\r\n[general]\r\nprogram=old\r\n");
    create();
    dialog_->show();
    edit("edProg")->setText("new");
    click("btnApply");
    QVERIFY(dialog_->isVisible());
    const IniFile ini = SettingsFile();
    QCOMPARE(ini.read(settings::kProgram), QStringLiteral("new"));
    QCOMPARE(ini.read(settings::kWidth), 700);
    QVERIFY(ReadBytes(ini.path()).startsWith("; mine\r\n[visual]\r\nwidth=700\r\n[general]\r\nprogram=new\r\n"));
}

void SettingsDialogTest::countThatIsNoInteger() {
    dialog_->show();
    edit("edProg")->setText("changed");
    edit("meFirstCount")->setText("abc");
    click("btnOK");
    QCOMPARE(fakes_->boxes.errors, QStringList{"'abc' is not a valid integer value"});
    QVERIFY(dialog_->isVisible());
    QVERIFY(!QFile::exists(dir_->file("Vorlan.ini")));
    QCOMPARE(edit("edProg")->text(), QStringLiteral("changed"));
    QCOMPARE(edit("meFirstCount")->text(), QStringLiteral("abc"));
}

void SettingsDialogTest::writeErrorKeepsTheDialogOpen() {
    QVERIFY(QDir().mkdir("Vorlan.ini"));
    dialog_->show();
    click("btnOK");
    QCOMPARE(fakes_->boxes.errors, QStringList{"Unable to write to " + dir_->file("Vorlan.ini")});
    QVERIFY(dialog_->isVisible());
}

void SettingsDialogTest::cancelKeepsFileAndEdits() {
    WriteBytes(dir_->file("Vorlan.ini"), "[general]\r\nprogram=old\r\n");
    create();
    dialog_->show();
    edit("edProg")->setText("edited");
    click("btnCancel");
    QVERIFY(!dialog_->isVisible());
    QCOMPARE(ReadBytes(dir_->file("Vorlan.ini")), QByteArray("[general]\r\nprogram=old\r\n"));

    dialog_->show();
    QCOMPARE(edit("edProg")->text(), QStringLiteral("edited"));
    click("btnApply");
    QCOMPARE(SettingsFile().read(settings::kProgram), QStringLiteral("edited"));
}

void SettingsDialogTest::uncheckingLogTask() {
    WriteBytes(dir_->file("Vorlan.ini"), "[general]\r\nlogtask=1\r\n[files]\r\ntaskfile=mine.txt\r\n");
    create();
    QVERIFY(edit("edTask")->isEnabled());
    child<QCheckBox>("cblt")->click();
    QVERIFY(!child<QCheckBox>("cblt")->isChecked());
    QVERIFY(!edit("edTask")->isEnabled());
    QVERIFY(!child<QWidget>("sb4")->isEnabled());
    QCOMPARE(edit("edTask")->text(), QStringLiteral("mine.txt"));
    click("btnApply");
    const IniFile ini = SettingsFile();
    QCOMPARE(ini.readString("general", "logtask", "?"), QStringLiteral("0"));
    QCOMPARE(ini.read(settings::kTaskFile), QStringLiteral("mine.txt"));

    child<QCheckBox>("cblt")->setFocus();
    QTest::keyClick(child<QCheckBox>("cblt"), Qt::Key_Space);
    QVERIFY(edit("edTask")->isEnabled());
    QVERIFY(child<QWidget>("sb4")->isEnabled());
}

void SettingsDialogTest::findNillChangesOnlyItsOwnMark() {
    child<QCheckBox>("cbnill")->click();
    QVERIFY(child<QCheckBox>("cbnill")->isChecked());
    QVERIFY(!child<QCheckBox>("cblt")->isChecked());
    QVERIFY(!edit("edTask")->isEnabled());
    click("btnApply");
    const IniFile ini = SettingsFile();
    QCOMPARE(ini.readString("general", "findnill", "?"), QStringLiteral("1"));
    QCOMPARE(ini.readString("general", "logtask", "?"), QStringLiteral("0"));
}

void SettingsDialogTest::logCircEnablesItsRow() {
    child<QCheckBox>("cblc")->click();
    QVERIFY(edit("edCir")->isEnabled());
    QVERIFY(child<QWidget>("sb5")->isEnabled());
    QVERIFY(!edit("edTask")->isEnabled());
    click("btnApply");
    QCOMPARE(SettingsFile().readString("general", "logcirc", "?"), QStringLiteral("1"));
}

void SettingsDialogTest::chosenFile_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("chosen");  // %1: the working directory
    QTest::addColumn<QString>("stored");
    QTest::newRow("program inside") << 0 << "%1/tools/synth" << "tools/synth";
    QTest::newRow("input inside") << 1 << "%1/expr.txt" << "expr.txt";
    QTest::newRow("result in a subfolder") << 2 << "%1/report/x.txt" << "report/x.txt";
    QTest::newRow("other case of the folder") << 3 << "%U/a.txt" << "a.txt";
    QTest::newRow("elsewhere") << 1 << "/other/x.txt" << "/other/x.txt";
    QTest::newRow("folder name as a prefix") << 2 << "%12/x.txt" << "%12/x.txt";
    QTest::newRow("folder inside another") << 2 << "/home%1/x.txt" << "/home%1/x.txt";
}

void SettingsDialogTest::chosenFile() {
    QFETCH(int, row);
    QFETCH(QString, chosen);
    QFETCH(QString, stored);
    const auto expand = [this](QString text) {
        return text.replace("%U", dir_->path().toUpper()).replace("%1", dir_->path());
    };
    QLineEdit* const edits[] = {edit("edProg"), edit("edIn"), edit("edRes"), edit("edRep")};
    fakes_->chooser.answers = {expand(chosen), expand(chosen)};
    click(("sb" + QByteArray::number(row)).constData());
    QCOMPARE(edits[row]->text(), expand(stored));

    // The next showing starts with an empty name.
    click(("sb" + QByteArray::number(row)).constData());
    QCOMPARE(fakes_->chooser.calls.size(), 2);
    for (const auto& call : fakes_->chooser.calls) {
        QCOMPARE(call.kind, row == 0 ? FileDialogKind::Open : FileDialogKind::Save);
        QCOMPARE(call.initialDir, dir_->path());
        QVERIFY(call.fileName.isEmpty());
    }
}

void SettingsDialogTest::cancelledChoiceKeepsTheField() {
    child<QCheckBox>("cblt")->click();
    click("sb4");  // no answer: cancelled
    QCOMPARE(fakes_->chooser.calls.size(), 1);
    QCOMPARE(edit("edTask")->text(), QStringLiteral("report/task.txt"));
}

void SettingsDialogTest::chooserReturnsToItsDirectory() {
    QVERIFY(QDir().mkdir("sub"));
    QVERIFY(QDir::setCurrent("sub"));
    fakes_->chooser.answers = {dir_->file("sub/x.cir")};
    click("sb2");
    QCOMPARE(QDir::currentPath(), dir_->path());
    QCOMPARE(edit("edRes")->text(), QStringLiteral("sub/x.cir"));
}

QTEST_MAIN(SettingsDialogTest)
#include "test_settings_dialog.moc"
