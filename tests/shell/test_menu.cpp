// The main window's menu and the about box: loading into the active page,
// the results folder, the report and help, the settings command, exit, and
// the text files that come from the Windows program.
#include "about_box.h"
#include "ini_settings.h"
#include "logic/text_encoding.h"
#include "main_window.h"
#include "settings_dialog.h"
#include "shell_fakes.h"
#include "start_up.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

class MenuTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void menuItems();
    void loadIntoActivePage_data();
    void loadIntoActivePage();
    void cancelledLoadLeavesTheMemos();
    void unreadableFileKeepsTheMemo();
    void resultsFolder_data();
    void resultsFolder();
    void reportAndHelp();
    void reportFileIsReadOnlyAtStart();
    void settingsCommandRereadsAfterCancel();
    void settingsCommandRereadsAfterOk();
    void exitClosesAndStoresGeometry();
    void aboutBox();
    void textsFromTheWindowsProgram_data();
    void textsFromTheWindowsProgram();
    void settingsFileKeepsItsForm_data();
    void settingsFileKeepsItsForm();

private:
    void createForms() { forms_ = std::make_unique<ShellForms>(CreateForms()); }
    TfmMain* window() const { return forms_->fmMain.get(); }
    template <typename W>
    W* child(const char* name) const { return Child<W>(window(), name); }
    void trigger(const char* item) const { child<QAction>(item)->trigger(); }
    // Runs the settings command; `inDialog` acts on the modal dialog, which
    // is then closed whatever it did.
    void runSettings(const std::function<void(TfmOptions*)>& inDialog);
    // The program that the next "Восстановить" starts, and the file it writes.
    std::pair<QString, QString> nextRun();

    std::unique_ptr<TempWorkDir> dir_;
    std::unique_ptr<ScopedFakes> fakes_;
    std::unique_ptr<ShellForms> forms_;
};

void MenuTest::init() {
    dir_ = std::make_unique<TempWorkDir>();
    fakes_ = std::make_unique<ScopedFakes>();
}

void MenuTest::cleanup() {
    forms_.reset();
    fakes_.reset();
    dir_.reset();
}

void MenuTest::runSettings(const std::function<void(TfmOptions*)>& inDialog) {
    TfmOptions* dialog = forms_->fmOptions;
    bool ran = false;
    QTimer::singleShot(0, dialog, [&] {
        ran = true;
        QVERIFY(dialog->isVisible());
        QVERIFY(dialog->isModal());
        inDialog(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    trigger("nOptions");
    QVERIFY(ran);
    QVERIFY(!dialog->isVisible());
}

std::pair<QString, QString> MenuTest::nextRun() {
    child<QTabWidget>("pcMain")->setCurrentIndex(0);
    child<QPlainTextEdit>("memMain")->setPlainText("a*b");
    QFile::remove(dir_->file("in"));
    QFile::remove(dir_->file("expr"));
    fakes_->launcher.calls.clear();
    child<QPushButton>("btnSin")->click();
    const QString written = QFile::exists(dir_->file("expr")) ? "expr"
                            : QFile::exists(dir_->file("in")) ? "in" : QString();
    return {fakes_->launcher.calls.value(0).path, written};
}

void MenuTest::menuItems() {
    createForms();
    QStringList seen;
    for (QAction* top : window()->menuBar()->actions()) {
        seen << top->menu()->objectName() + " " + top->text();
        for (QAction* item : top->menu()->actions()) {
            seen << "  " + item->objectName() + " " + (item->isSeparator() ? "-" : item->text());
            QVERIFY(item->shortcut().isEmpty());
        }
    }
    QCOMPARE(seen, (QStringList{"nFile &Файл", "  nLoad &Загрузить", "  Nview &Просмотреть результаты",
                                "  N5 Просмотреть отчет", "  nOptions &Настройки", "  N1 -", "  nExit &Выход",
                                "N2 Помощь", "  N3 Справка", "  N4 О программе"}));
}

void MenuTest::loadIntoActivePage_data() {
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("memo");
    QTest::newRow("page 0") << 0 << "memMain";
    QTest::newRow("page 1, numerator only") << 1 << "memNum";
    QTest::newRow("page 2, numerator only") << 2 << "memNumI";
    QTest::newRow("page 3") << 3 << "memCirc";
}

void MenuTest::loadIntoActivePage() {
    QFETCH(int, page);
    QFETCH(QString, memo);
    createForms();
    const QStringList memos{"memMain", "memNum", "memDeNum", "memNumI", "memDeNumI", "memCirc"};
    for (const QString& name : memos) window()->findChild<QPlainTextEdit*>(name)->setPlainText("old " + name);
    child<QTabWidget>("pcMain")->setCurrentIndex(page);

    QVERIFY(QDir().mkdir("sub"));
    WriteBytes(dir_->file("sub/expr.txt"), "(a+b)*\r\nc\r\n");
    fakes_->chooser.answers = {dir_->file("sub/expr.txt")};
    // A dialog that leaves its own folder current.
    fakes_->chooser.whileOpen = [] { QDir::setCurrent("sub"); };
    trigger("nLoad");

    QCOMPARE(fakes_->chooser.calls.size(), 1);
    QCOMPARE(fakes_->chooser.calls[0].kind, FileDialogKind::Open);
    QCOMPARE(fakes_->chooser.calls[0].initialDir, dir_->path());
    QCOMPARE(QDir::currentPath(), dir_->path());
    for (const QString& name : memos) {
        const QString expected = name == memo ? "(a+b)*\nc" : "old " + name;
        QCOMPARE(window()->findChild<QPlainTextEdit*>(name)->toPlainText(), expected);
    }
}

void MenuTest::cancelledLoadLeavesTheMemos() {
    createForms();
    child<QPlainTextEdit>("memMain")->setPlainText("kept");
    trigger("nLoad");
    QCOMPARE(fakes_->chooser.calls.size(), 1);
    QCOMPARE(child<QPlainTextEdit>("memMain")->toPlainText(), QStringLiteral("kept"));
}

void MenuTest::unreadableFileKeepsTheMemo() {
    createForms();
    child<QPlainTextEdit>("memMain")->setPlainText("kept");
    fakes_->chooser.answers = {dir_->file("gone.txt")};
    fakes_->chooser.whileOpen = [] { QDir::setCurrent("/"); };
    trigger("nLoad");
    QCOMPARE(fakes_->boxes.errors, QStringList{"Cannot open file \"" + dir_->file("gone.txt") + "\""});
    QCOMPARE(child<QPlainTextEdit>("memMain")->toPlainText(), QStringLiteral("kept"));
    QCOMPARE(QDir::currentPath(), dir_->path());
}

void MenuTest::resultsFolder_data() {
    QTest::addColumn<QByteArray>("resultFile");  // empty: no Vorlan.ini
    QTest::addColumn<QString>("folder");         // %1: the working directory
    QTest::newRow("default") << QByteArray() << "%1/result";
    QTest::newRow("nested, backslashes") << QByteArray("a\\b\\c.cir") << "%1/a/b";
    QTest::newRow("mixed separators") << QByteArray("a/b\\c.cir") << "%1/a/b";
    QTest::newRow("no folder") << QByteArray("c.cir") << "%1";
    QTest::newRow("full path") << QByteArray("/srv/results/c.cir") << "/srv/results";
}

void MenuTest::resultsFolder() {
    QFETCH(QByteArray, resultFile);
    QFETCH(QString, folder);
    if (!resultFile.isEmpty()) WriteBytes(dir_->file("Vorlan.ini"), "[files]\r\nresultfile=" + resultFile + "\r\n");
    createForms();
    trigger("Nview");
    QCOMPARE(fakes_->launcher.calls.size(), 1);
    QCOMPARE(fakes_->launcher.calls[0].what, QStringLiteral("open"));
    QCOMPARE(fakes_->launcher.calls[0].path, folder.replace("%1", dir_->path()));
}

void MenuTest::reportAndHelp() {
    createForms();
    fakes_->launcher.answer = false;  // a missing file gives no message of ours
    trigger("N5");
    trigger("N3");
    QCOMPARE(fakes_->launcher.calls.size(), 2);
    QCOMPARE(fakes_->launcher.calls[0].path, dir_->file("report/report.txt"));
    QCOMPARE(fakes_->launcher.calls[1].path, dir_->file("help.htm"));
    QCOMPARE(fakes_->launcher.calls[1].what, QStringLiteral("open"));
    QVERIFY(fakes_->boxes.messages.isEmpty());
    QVERIFY(fakes_->boxes.errors.isEmpty());
}

void MenuTest::reportFileIsReadOnlyAtStart() {
    WriteBytes(dir_->file("Vorlan.ini"), "[files]\r\nlogresfile=logs/rep.txt\r\n");
    createForms();
    SettingsFile().writeString("files", "logresfile", "later.txt");
    runSettings([](TfmOptions* dialog) {
        dialog->findChild<QPushButton*>("btnOK")->click();
    });
    trigger("N5");
    QCOMPARE(fakes_->launcher.calls.value(0).path, dir_->file("logs/rep.txt"));
}

void MenuTest::settingsCommandRereadsAfterCancel() {
    WriteBytes(dir_->file("Vorlan.ini"), "[general]\r\nprogram=old\r\n");
    createForms();
    // Someone else changes the file while the program runs.
    SettingsFile().write(settings::kProgram, QStringLiteral("theirs"));
    SettingsFile().write(settings::kInputFile, QStringLiteral("expr"));
    SettingsFile().write(settings::kResultFile, QStringLiteral("theirs/r.cir"));
    QCOMPARE(nextRun(), std::make_pair(dir_->file("old"), QStringLiteral("in")));

    runSettings([](TfmOptions* dialog) {
        dialog->findChild<QLineEdit*>("edProg")->setText("mine");
        dialog->findChild<QPushButton*>("btnCancel")->click();
    });
    QCOMPARE(SettingsFile().read(settings::kProgram), QStringLiteral("theirs"));
    QCOMPARE(nextRun(), std::make_pair(dir_->file("theirs"), QStringLiteral("expr")));
    trigger("Nview");
    QCOMPARE(fakes_->launcher.calls.value(1).path, dir_->file("theirs"));
}

void MenuTest::settingsCommandRereadsAfterOk() {
    createForms();
    runSettings([](TfmOptions* dialog) {
        dialog->findChild<QLineEdit*>("edProg")->setText("synth");
        dialog->findChild<QLineEdit*>("edIn")->setText("expr");
        dialog->findChild<QLineEdit*>("edRes")->setText("out/r.cir");
        dialog->findChild<QPushButton*>("btnOK")->click();
        QVERIFY(!dialog->isVisible());
    });
    QCOMPARE(nextRun(), std::make_pair(dir_->file("synth"), QStringLiteral("expr")));
    trigger("Nview");
    QCOMPARE(fakes_->launcher.calls.value(1).path, dir_->file("out"));

    // "abc" keeps the dialog open; closed anyhow, the old values stay.
    runSettings([this](TfmOptions* dialog) {
        dialog->findChild<QLineEdit*>("edProg")->setText("never");
        dialog->findChild<QLineEdit*>("meFirstCount")->setText("abc");
        dialog->findChild<QPushButton*>("btnOK")->click();
        QVERIFY(dialog->isVisible());
        QCOMPARE(fakes_->boxes.errors, QStringList{"'abc' is not a valid integer value"});
    });
    QCOMPARE(nextRun().first, dir_->file("synth"));
}

void MenuTest::exitClosesAndStoresGeometry() {
    createForms();
    window()->show();
    QVERIFY(QTest::qWaitForWindowExposed(window()));
    window()->resize(640, 420);
    QTRY_COMPARE(window()->size(), QSize(640, 420));
    trigger("nExit");
    QVERIFY(!window()->isVisible());
    QCOMPARE(SettingsFile().read(settings::kWidth), 640);
    QCOMPARE(SettingsFile().read(settings::kHeight), 420);
}

void MenuTest::aboutBox() {
    createForms();
    TfmAbout* about = forms_->fmAbout;
    auto* memo = about->findChild<QPlainTextEdit*>("memAbout");
    QVERIFY(memo);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->focusPolicy(), Qt::NoFocus);
    QCOMPARE(memo->textInteractionFlags(), Qt::NoTextInteraction);
    QCOMPARE(memo->font().family(), QStringLiteral("Times New Roman"));
    QCOMPARE(memo->font().pointSize(), 10);
    QVERIFY(memo->font().bold());
    QCOMPARE(memo->palette().color(QPalette::Base), memo->palette().color(QPalette::ToolTipBase));

    // No about.txt: the box shows what it held (nothing at first).
    trigger("N4");
    QVERIFY(about->isVisible());
    QVERIFY(!about->isModal());
    QCOMPARE(memo->toPlainText(), QString());
    QVERIFY(QTest::qWaitForWindowExposed(about));
    // Resized by code, and from outside as a window manager that ignores
    // the size hints does.
    about->resize(320, 260);
    QCOMPARE(about->frameGeometry().size(), QSize(200, 200));
    about->windowHandle()->resize(320, 260);
    QTRY_COMPARE(about->frameGeometry().size(), QSize(200, 200));
    QTRY_COMPARE(about->windowHandle()->frameGeometry().size(), QSize(200, 200));
    QTest::keyClick(about, Qt::Key_Escape);
    QVERIFY(about->isVisible());
    about->hide();

    WriteBytes(dir_->file("about.txt"), "Vorlan\r\nверсия 1\r\n");
    trigger("N4");
    QCOMPARE(memo->toPlainText(), QStringLiteral("Vorlan\nверсия 1"));
    about->hide();

    WriteBytes(dir_->file("about.txt"), "changed\n");
    trigger("N4");
    QCOMPARE(memo->toPlainText(), QStringLiteral("changed"));
    about->hide();

    // Gone, or a folder of that name: the text stays, and no error is shown.
    QVERIFY(QFile::remove(dir_->file("about.txt")));
    trigger("N4");
    QCOMPARE(memo->toPlainText(), QStringLiteral("changed"));
    about->hide();
    QVERIFY(QDir().mkdir("about.txt"));
    trigger("N4");
    QCOMPARE(memo->toPlainText(), QStringLiteral("changed"));
    QVERIFY(fakes_->boxes.errors.isEmpty());
    QCOMPARE(about->frameGeometry().size(), QSize(200, 200));
}

namespace {

QByteArray Windows1251(const QString& text) {
    return EncodeText(text, TextEncoding::Windows1251);
}

}  // namespace

void MenuTest::textsFromTheWindowsProgram_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QString text = QStringLiteral("Схема синтеза\r\nверсия 1\r\n");
    QTest::newRow("UTF-8") << text.toUtf8();
    QTest::newRow("UTF-8 with mark") << kUtf8ByteOrderMark.toByteArray() + text.toUtf8();
    QTest::newRow("Windows-1251") << Windows1251(text);
    QTest::newRow("Windows-1251 line among UTF-8 ones")
        << QStringLiteral("Схема синтеза\r\n").toUtf8() + Windows1251(QStringLiteral("версия 1\r\n"));
}

void MenuTest::textsFromTheWindowsProgram() {
    QFETCH(QByteArray, bytes);
    createForms();
    WriteBytes(dir_->file("about.txt"), bytes);
    trigger("N4");
    QCOMPARE(forms_->fmAbout->findChild<QPlainTextEdit*>("memAbout")->toPlainText(),
             QStringLiteral("Схема синтеза\nверсия 1"));

    WriteBytes(dir_->file("expr.txt"), bytes);
    fakes_->chooser.answers = {dir_->file("expr.txt")};
    trigger("nLoad");
    QCOMPARE(child<QPlainTextEdit>("memMain")->toPlainText(), QStringLiteral("Схема синтеза\nверсия 1"));
}

void MenuTest::settingsFileKeepsItsForm_data() {
    QTest::addColumn<bool>("windows1251");
    QTest::addColumn<QByteArray>("mark");
    QTest::newRow("Windows-1251") << true << QByteArray();
    QTest::newRow("UTF-8 with mark") << false << kUtf8ByteOrderMark.toByteArray();
}

void MenuTest::settingsFileKeepsItsForm() {
    // A Vorlan.ini of the Windows program: every key the dialog writes, a
    // comment and a key of the user's own, names with Cyrillic letters,
    // blanks around a value and a line ended by LF alone.
    QFETCH(bool, windows1251);
    QFETCH(QByteArray, mark);
    const auto encode = [&](const QString& text) { return windows1251 ? Windows1251(text) : text.toUtf8(); };
    const auto file = [&](const QString& program, int width) {
        return mark + encode(QStringLiteral(
            "; настройки синтеза\r\n[general]\r\nprogram=%1\r\nlogtask=0\r\nlogcirc=0\r\n"
            "findnill=0\r\nFindFirst=0\r\nязык = русский \r\n\r\n[files]\r\nresultfile=result/result.cir\r\n"
            "inputfile=in\r\nlogfile = отчет/лог.txt \r\ntaskfile=report/task.txt\n"
            "circfile=report/level.cir\r\nlogresfile=отчет/итог.txt\r\n\r\n"
            "[visual]\r\nwidth=%2\r\nHeight=400\r\nleft=0\r\ntop=0\r\n").arg(program).arg(width));
    };
    const QString ini = dir_->file("Vorlan.ini");
    WriteBytes(ini, file("vorlan.exe", 600));
    createForms();
    QCOMPARE(forms_->fmOptions->findChild<QLineEdit*>("edRep")->text(), QStringLiteral("отчет/лог.txt"));

    runSettings([](TfmOptions* dialog) { dialog->findChild<QPushButton*>("btnApply")->click(); });
    QCOMPARE(ReadBytes(ini), file("vorlan.exe", 600));

    runSettings([](TfmOptions* dialog) {
        dialog->findChild<QLineEdit*>("edProg")->setText("синтез.exe");
        dialog->findChild<QPushButton*>("btnOK")->click();
    });
    QCOMPARE(ReadBytes(ini), file("синтез.exe", 600));
    QCOMPARE(nextRun().first, dir_->file("синтез.exe"));
    trigger("N5");
    QCOMPARE(fakes_->launcher.calls.value(1).path, dir_->file("отчет/итог.txt"));

    window()->resize(640, 400);
    trigger("nExit");
    QCOMPARE(ReadBytes(ini), file("синтез.exe", 640));
}

QTEST_MAIN(MenuTest)
#include "test_menu.moc"
