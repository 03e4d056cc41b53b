// The main window: its controls, "Восстановить" on pages 0 to 2 with the
// file and the command line it produces, its failures, and its geometry in
// Vorlan.ini.
#include "about_box.h"
#include "data_module.h"
#include "ini_settings.h"
#include "logic/text_encoding.h"
#include "main_window.h"
#include "settings_dialog.h"
#include "shell_fakes.h"
#include "start_up.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

namespace {

// One row of a run of "Восстановить".
struct Form {
    int page = 0;
    QString memMain, memNum, memDeNum, memNumI, memDeNumI;
    int generator = 0, receiver = 0, input = 0;
    QString nui = QStringLiteral("0");
    bool izo = false, add = false;
    QString element;
};

}  // namespace

Q_DECLARE_METATYPE(Form)

class MainWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void controls_data();
    void controls();
    void fontsAndCombos();
    void startUpCreatesTheForms();

    void restore_data();
    void restore();
    void notStartedWithoutExpression_data();
    void notStartedWithoutExpression();
    void typedSourceCountsAsSecondItem();
    void countThatIsNoInteger_data();
    void countThatIsNoInteger();
    void programNotFound();
    void desktopLauncherSplitsArgumentsWithoutShell();
    void desktopLauncherReportsMissingProgram();

    void defaultsWithoutSettingsFile();
    void storedValuesThatAreNoIntegers();
    void settingsWithAWindows1251Comment();
    void geometryRoundTrip();
    void closesEvenWhenSettingsCannotBeWritten();
    void minimumWidth();
    void transferPageSharesItsHeight();
    void addElementFollowsItsCheckBox();
    void handCursorOverTheButton();

private:
    template <typename W>
    W* child(const char* name) const { return Child<W>(window_.get(), name); }
    void fill(const Form& form);
    void press() { child<QPushButton>("btnSin")->click(); }

    std::unique_ptr<TempWorkDir> dir_;
    std::unique_ptr<ScopedFakes> fakes_;
    std::unique_ptr<TfmMain> window_;
};

void MainWindowTest::init() {
    dir_ = std::make_unique<TempWorkDir>();
    fakes_ = std::make_unique<ScopedFakes>();
    window_ = std::make_unique<TfmMain>();
}

void MainWindowTest::cleanup() {
    window_.reset();
    fakes_.reset();
    dir_.reset();
}

void MainWindowTest::fill(const Form& form) {
    child<QTabWidget>("pcMain")->setCurrentIndex(form.page);
    child<QPlainTextEdit>("memMain")->setPlainText(form.memMain);
    child<QPlainTextEdit>("memNum")->setPlainText(form.memNum);
    child<QPlainTextEdit>("memDeNum")->setPlainText(form.memDeNum);
    child<QPlainTextEdit>("memNumI")->setPlainText(form.memNumI);
    child<QPlainTextEdit>("memDeNumI")->setPlainText(form.memDeNumI);
    child<QComboBox>("cmbGenerator")->setCurrentIndex(form.generator);
    child<QComboBox>("cmbPriemnik")->setCurrentIndex(form.receiver);
    child<QComboBox>("cmbInput")->setCurrentIndex(form.input);
    child<QLineEdit>("edNui")->setText(form.nui);
    child<QCheckBox>("cbIzo")->setChecked(form.izo);
    child<QCheckBox>("cbAdd")->setChecked(form.add);
    child<QLineEdit>("edAdd")->setText(form.element);
}

void MainWindowTest::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    const auto row = [](const char* name, const char* text) {
        QTest::newRow(name) << QString::fromLatin1(name) << QString::fromUtf8(text);
    };
    row("btnSin", "Восстановить");
    row("cbIzo", "Отбрасывать изоморфные схемы");
    row("lblNui", "Число НУИ:");
    row("edNui", "0");
    row("cbAdd", "Добавить элемент после реконструкции:");
    row("edAdd", "");
    row("lblFormula", "Введите определитель:");
    row("lblNum", "Введите Числитель:");
    row("lblDenum", "Введите Знаменатель:");
    row("lblGen", "Тип источника:");
    row("lblPriem", "Тип приемника:");
    row("Label3", "Введите Числитель:");
    row("Label4", "Введите Знаменатель:");
    row("Label2", "Тип входной функции:");
    row("Label1", "Введите определитель:");
    row("btnPrepare", "Подготовить");
    row("cbType", "Выберите тип характеристики");
}

void MainWindowTest::controls() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    QWidget* widget = window_->findChild<QWidget*>(name);
    QVERIFY2(widget, qPrintable(name));
    if (auto* label = qobject_cast<QLabel*>(widget)) QCOMPARE(label->text(), text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget)) QCOMPARE(button->text(), text);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget)) QCOMPARE(edit->text(), text);
    else if (auto* combo = qobject_cast<QComboBox*>(widget)) QCOMPARE(combo->currentText(), text);
    else QFAIL("unexpected kind of control");
}

void MainWindowTest::fontsAndCombos() {
    QCOMPARE(window_->objectName(), QStringLiteral("fmMain"));
    QCOMPARE(window_->windowTitle(),
             QStringLiteral("Графическая оболочка программы по синтезу схемы на основе схемно "
                            "символьного выражения её определителя."));
    QCOMPARE(window_->menuBar()->objectName(), QStringLiteral("mmMain"));
    for (const char* name : {"pnlMain", "pnlBut", "pnSpec", "pnlGenerator", "Panel1", "Panel4"}) {
        QVERIFY2(window_->findChild<QWidget*>(QLatin1String(name)), name);
    }
    QCOMPARE(child<QWidget>("pnlBut")->height(), 48);
    QCOMPARE(child<QPushButton>("btnSin")->height(), 47);
    QCOMPARE(child<QPushButton>("btnSin")->toolTip(),
             QStringLiteral("Произвести восстановление введенного определителя"));
    QCOMPARE(child<QLineEdit>("edAdd")->toolTip(), QStringLiteral("Введите имя добавляемого элемента"));
    QVERIFY(child<QWidget>("pnSpec")->maximumHeight() <= 80);

    auto* pages = child<QTabWidget>("pcMain");
    QCOMPARE(pages->count(), 4);
    QCOMPARE(pages->currentIndex(), 0);
    const QStringList names{"tsDet", "tsHarak", "tsMain", "TabSheet1"};
    const QStringList captions{"Определитель", "Передаточная функция", "Входная функции", "Схема"};
    for (int i = 0; i < 4; ++i) {
        QCOMPARE(pages->widget(i)->objectName(), names[i]);
        QCOMPARE(pages->tabText(i), captions[i]);
    }

    // "Times New Roman" must come out as a face with its metrics and Cyrillic.
    const QFont button = child<QPushButton>("btnSin")->font();
    QVERIFY(button.bold());
    QCOMPARE(button.pointSize(), 24);
    const QString face = QFontInfo(button).family();
    QVERIFY2(face == "Times New Roman" || face == "Liberation Serif", qPrintable(face));
    QVERIFY(QFontMetrics(button).inFont(u'Ж'));
    QCOMPARE(child<QLabel>("lblNum")->font().pointSize(), 24);
    QVERIFY(child<QLabel>("lblNum")->font().bold());
    for (const char* memo : {"memMain", "memNum", "memDeNum", "memNumI", "memDeNumI", "memCirc"}) {
        auto* edit = child<QPlainTextEdit>(memo);
        QCOMPARE(edit->font().pointSize(), 19);
        QCOMPARE(edit->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        QCOMPARE(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    }

    const auto items = [this](const char* name) {
        auto* combo = child<QComboBox>(name);
        QStringList list;
        for (int i = 0; i < combo->count(); ++i) list << combo->itemText(i);
        return std::make_tuple(combo->isEditable(), combo->currentIndex(), list);
    };
    QCOMPARE(items("cmbGenerator"), std::make_tuple(true, 0, QStringList{"E", "J"}));
    QCOMPARE(items("cmbPriemnik"), std::make_tuple(true, 0, QStringList{"U", "I"}));
    QCOMPARE(items("cmbInput"), std::make_tuple(true, 0, QStringList{"R", "g"}));
    QVERIFY(!child<QComboBox>("cbType")->isEnabled());
}

void MainWindowTest::startUpCreatesTheForms() {
    window_.reset();
    ShellForms forms = CreateForms();
    QCOMPARE(forms.fmMain->objectName(), QStringLiteral("fmMain"));
    QCOMPARE(forms.fmOptions->objectName(), QStringLiteral("fmOptions"));
    QCOMPARE(forms.fmAbout->objectName(), QStringLiteral("fmAbout"));
    QCOMPARE(forms.DataModule1->objectName(), QStringLiteral("DataModule1"));
    QCOMPARE(forms.fmOptions->windowTitle(), QStringLiteral("Настройки"));
    QCOMPARE(forms.fmAbout->windowTitle(), QStringLiteral("Справка"));
    QVERIFY(!forms.fmOptions->isVisible());
    QVERIFY(!forms.fmAbout->isVisible());
}

void MainWindowTest::restore_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("commandLine");

    Form det;
    det.memMain = "a*b";
    det.nui = "2";
    QTest::newRow("page 0, a*b, count 2") << det << QByteArray("a*b\r\n") << "-n 2 ";

    Form lines = det;
    lines.memMain = "(a+b)*\nc\n";
    lines.nui = "007";
    QTest::newRow("page 0, two lines, count 007") << lines << QByteArray("(a+b)*\r\nc\r\n") << "-n 7 ";

    Form transfer;
    transfer.page = 1;
    transfer.memNum = "x\ny";
    transfer.memDeNum = "z";
    transfer.receiver = 1;
    transfer.generator = 0;
    QTest::newRow("page 1, receiver I, source E")
        << transfer << QByteArray("-H?1*(x\r\ny\r\n)+\r\nz\r\n") << "-n 0 ";

    Form voltageJ = transfer;
    voltageJ.receiver = 0;
    voltageJ.generator = 1;
    voltageJ.memDeNum = "";
    QTest::newRow("page 1, U, J, empty denominator")
        << voltageJ << QByteArray("-G?1*(x\r\ny\r\n)+\r\n") << "-n 0 ";

    Form input;
    input.page = 2;
    input.memNumI = "p";
    input.memDeNumI = "q";
    input.input = 1;
    input.izo = true;
    input.add = true;
    input.element = "R5";
    QTest::newRow("page 2, g, both boxes, R5")
        << input << QByteArray("-H?1*(p\r\n)+\r\nq\r\n") << "-i -n 0 -f -add R5 ";

    Form inputR = input;
    inputR.input = 0;
    inputR.izo = false;
    inputR.add = false;
    inputR.nui = "12";
    QTest::newRow("page 2, R") << inputR << QByteArray("-G?1*(p\r\n)+\r\nq\r\n") << "-i -n 12 ";

    Form hiddenName = det;
    hiddenName.element = "C1";
    QTest::newRow("unchecked element is not passed") << hiddenName << QByteArray("a*b\r\n") << "-n 2 ";
}

void MainWindowTest::restore() {
    QFETCH(Form, form);
    QFETCH(QByteArray, file);
    QFETCH(QString, commandLine);
    fill(form);
    press();

    QCOMPARE(fakes_->boxes.errors, QStringList{});
    QCOMPARE(fakes_->boxes.messages, QStringList{});
    QCOMPARE(ReadBytes(dir_->file("in")), file);
    QCOMPARE(fakes_->launcher.calls.size(), 1);
    QCOMPARE(fakes_->launcher.calls[0].what, QStringLiteral("start"));
    QCOMPARE(fakes_->launcher.calls[0].path, dir_->file("vorlan.exe"));
    QCOMPARE(fakes_->launcher.calls[0].commandLine, commandLine);
}

void MainWindowTest::notStartedWithoutExpression_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QByteArray>("file");
    Form empty;
    QTest::newRow("empty memMain") << empty << true << QByteArray();
    Form lineBreak;
    lineBreak.memMain = "\n";
    QTest::newRow("memMain with one line break") << lineBreak << true << QByteArray("\r\n");
    Form transfer;
    transfer.page = 1;
    transfer.memDeNum = "z";
    QTest::newRow("page 1, empty numerator") << transfer << false << QByteArray();
    Form input;
    input.page = 2;
    input.memNumI = "\n";
    input.memDeNumI = "q";
    QTest::newRow("page 2, numerator of one empty line") << input << false << QByteArray();
}

void MainWindowTest::notStartedWithoutExpression() {
    QFETCH(Form, form);
    QFETCH(bool, written);
    QFETCH(QByteArray, file);
    form.nui = "abc";  // never read when there is nothing to restore
    fill(form);
    press();
    QCOMPARE(fakes_->boxes.messages, QStringList{"Вы не ввели определитель!"});
    QCOMPARE(fakes_->boxes.errors, QStringList{});
    QVERIFY(fakes_->launcher.calls.isEmpty());
    QCOMPARE(QFile::exists(dir_->file("in")), written);
    QCOMPARE(ReadBytes(dir_->file("in")), file);
}

void MainWindowTest::typedSourceCountsAsSecondItem() {
    Form form;
    form.page = 1;
    form.memNum = "x";
    form.memDeNum = "z";
    fill(form);
    child<QComboBox>("cmbGenerator")->setEditText("Q");  // selects no item: counts as "J"
    press();
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("-G?1*(x\r\n)+\r\nz\r\n"));
    child<QComboBox>("cmbGenerator")->setEditText("E");
    child<QComboBox>("cmbPriemnik")->setEditText("");
    press();
    QCOMPARE(ReadBytes(dir_->file("in")), QByteArray("-H?1*(x\r\n)+\r\nz\r\n"));
}

void MainWindowTest::countThatIsNoInteger_data() {
    QTest::addColumn<Form>("form");
    QTest::addColumn<QByteArray>("file");
    Form det;
    det.memMain = "a*b";
    QTest::newRow("page 0") << det << QByteArray("a*b\r\n");
    Form transfer;
    transfer.page = 1;
    transfer.memNum = "x";
    transfer.memDeNum = "z";
    QTest::newRow("page 1") << transfer << QByteArray("-K?1*(x\r\n)+\r\nz\r\n");
    Form input;
    input.page = 2;
    input.memNumI = "p";
    input.memDeNumI = "q";
    QTest::newRow("page 2") << input << QByteArray("-G?1*(p\r\n)+\r\nq\r\n");
}

void MainWindowTest::countThatIsNoInteger() {
    // The input file is written before the count is read, so it is there
    // even when the count stops the run.
    QFETCH(Form, form);
    QFETCH(QByteArray, file);
    form.nui = "abc";
    fill(form);
    press();
    QCOMPARE(fakes_->boxes.errors, QStringList{"'abc' is not a valid integer value"});
    QVERIFY(fakes_->launcher.calls.isEmpty());
    QCOMPARE(ReadBytes(dir_->file("in")), file);

    // The window goes on: the next press with a count starts the program.
    child<QLineEdit>("edNui")->setText("3");
    press();
    QCOMPARE(fakes_->launcher.calls.size(), 1);
    QVERIFY(fakes_->launcher.calls[0].commandLine.endsWith(QStringLiteral("-n 3 ")));
}

void MainWindowTest::programNotFound() {
    fakes_->launcher.answer = false;
    Form form;
    form.memMain = "a*b";
    fill(form);
    press();
    QCOMPARE(fakes_->boxes.messages,
             QStringList{"Программа " + dir_->file("vorlan.exe") + " не найдена!"});
}

void MainWindowTest::desktopLauncherSplitsArgumentsWithoutShell() {
    // The program writes its arguments one a line; a shell would have run
    // the $(...) and created "pwned".
    WriteBytes(dir_->file("synth"),
               "#!/bin/sh\nprintf '%s\\n' \"$@\" > args.tmp\nmv args.tmp args.txt\n");
    QFile::setPermissions(dir_->file("synth"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    SettingsFile().write(settings::kProgram, QStringLiteral("synth"));
    window_ = std::make_unique<TfmMain>();
    SetLauncher(nullptr);

    Form form;
    form.memMain = "a*b";
    form.nui = "4";
    form.izo = true;
    form.add = true;
    form.element = "$(touch pwned)";
    fill(form);
    press();
    QCOMPARE(fakes_->boxes.messages, QStringList{});
    QTRY_VERIFY(QFile::exists(dir_->file("args.txt")));
    QCOMPARE(ReadBytes(dir_->file("args.txt")), QByteArray("-n\n4\n-f\n-add\n$(touch\npwned)\n"));
    QVERIFY(!QFile::exists(dir_->file("pwned")));
}

void MainWindowTest::desktopLauncherReportsMissingProgram() {
    SetLauncher(nullptr);
    Form form;
    form.memMain = "a*b";
    fill(form);
    press();
    QCOMPARE(fakes_->boxes.messages,
             QStringList{"Программа " + dir_->file("vorlan.exe") + " не найдена!"});
}

void MainWindowTest::defaultsWithoutSettingsFile() {
    QCOMPARE(window_->size(), QSize(600, 400));
    QCOMPARE(window_->pos(), QPoint(0, 0));
    Form form;
    form.memMain = "a";
    fill(form);
    press();
    QVERIFY(QFile::exists(dir_->file("in")));
    QCOMPARE(fakes_->launcher.calls.value(0).path, dir_->file("vorlan.exe"));
    QVERIFY(!QFile::exists(dir_->file("Vorlan.ini")));  // reading creates nothing
}

void MainWindowTest::storedValuesThatAreNoIntegers() {
    WriteBytes(dir_->file("Vorlan.ini"),
               "[visual]\r\nwidth=abc\r\nHeight=0x1F4\r\nleft=7\r\ntop=0x20\r\n"
               "[files]\r\ninputfile=expr.txt\r\n[general]\r\nprogram=tools/synth\r\n");
    window_ = std::make_unique<TfmMain>();
    QCOMPARE(window_->size(), QSize(600, 500));
    QCOMPARE(window_->pos(), QPoint(7, 32));
    Form form;
    form.memMain = "a";
    fill(form);
    press();
    QVERIFY(QFile::exists(dir_->file("expr.txt")));
    QCOMPARE(fakes_->launcher.calls.value(0).path, dir_->file("tools/synth"));
}

void MainWindowTest::settingsWithAWindows1251Comment() {
    // A Windows editor's comment leaves the UTF-8 names around it as they are.
    WriteBytes(dir_->file("Vorlan.ini"),
               EncodeText(u"; комментарий\r\n", TextEncoding::Windows1251) +
                   QStringLiteral("[files]\r\ninputfile=вход.txt\r\n[general]\r\nprogram=синтез\r\n").toUtf8());
    window_ = std::make_unique<TfmMain>();
    Form form;
    form.memMain = "a*b";
    fill(form);
    press();
    QCOMPARE(fakes_->boxes.messages, QStringList{});
    QCOMPARE(ReadBytes(dir_->file("вход.txt")), QByteArray("a*b\r\n"));
    QCOMPARE(fakes_->launcher.calls.value(0).path, dir_->file("синтез"));
}

void MainWindowTest::geometryRoundTrip() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->setGeometry(QRect(30, 40, 700, 450));
    window_->move(30, 40);
    QTRY_COMPARE(window_->size(), QSize(700, 450));
    QVERIFY(window_->close());

    const IniFile ini = SettingsFile();
    QCOMPARE(ini.read(settings::kWidth), 700);
    QCOMPARE(ini.read(settings::kHeight), 450);
    QCOMPARE(ini.read(settings::kLeft), 30);
    QCOMPARE(ini.read(settings::kTop), 40);
    QVERIFY(ReadBytes(ini.path()).startsWith("[visual]\r\nwidth=700\r\nHeight=450\r\nleft=30\r\ntop=40\r\n"));

    window_ = std::make_unique<TfmMain>();
    QCOMPARE(window_->size(), QSize(700, 450));
    QCOMPARE(window_->pos(), QPoint(30, 40));
}

void MainWindowTest::closesEvenWhenSettingsCannotBeWritten() {
    QVERIFY(QDir().mkdir("Vorlan.ini"));
    window_->show();
    QVERIFY(window_->close());
    QCOMPARE(fakes_->boxes.errors, QStringList{"Unable to write to " + dir_->file("Vorlan.ini")});
    QVERIFY(!window_->isVisible());
}

void MainWindowTest::minimumWidth() {
    window_->resize(500, 300);
    QCOMPARE(window_->width(), 592);
    window_->resize(593, 300);
    QCOMPARE(window_->width(), 593);
    WriteBytes(dir_->file("Vorlan.ini"), "[visual]\r\nwidth=100\r\n");
    window_ = std::make_unique<TfmMain>();
    QCOMPARE(window_->width(), 592);
}

void MainWindowTest::transferPageSharesItsHeight() {
    child<QTabWidget>("pcMain")->setCurrentIndex(1);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    for (const QSize size : {QSize(600, 400), QSize(800, 701)}) {
        window_->resize(size);
        QTRY_COMPARE(window_->size(), size);
        auto* page = child<QWidget>("tsHarak");
        const int expected = (page->height() - child<QLabel>("lblDenum")->height() -
                              child<QLabel>("lblNum")->height() - child<QWidget>("pnlGenerator")->height()) / 2;
        QVERIFY(expected > 20);
        QCOMPARE(child<QPlainTextEdit>("memNum")->height(), expected);
        QCOMPARE(child<QPlainTextEdit>("memDeNum")->height(), expected);
        // Top to bottom, nothing overlapping, the panel at the page's foot.
        QCOMPARE(child<QPlainTextEdit>("memNum")->y(), child<QLabel>("lblNum")->height());
        QCOMPARE(child<QWidget>("pnlGenerator")->geometry().bottom(), page->height() - 1);
        QVERIFY(child<QPlainTextEdit>("memDeNum")->geometry().bottom() < child<QWidget>("pnlGenerator")->y());
    }
}

void MainWindowTest::addElementFollowsItsCheckBox() {
    window_->show();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
    auto* check = child<QCheckBox>("cbAdd");
    auto* name = child<QLineEdit>("edAdd");
    QVERIFY(!name->isVisible());
    QVERIFY(!name->isEnabled());

    QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(5, check->height() / 2));
    QVERIFY(check->isChecked());
    QVERIFY(name->isVisible());
    QVERIFY(name->isEnabled());
    QTRY_VERIFY(name->hasFocus());

    check->setFocus();
    QTest::keyClick(check, Qt::Key_Space);
    QVERIFY(!check->isChecked());
    QVERIFY(!name->isVisible());
    QVERIFY(!name->isEnabled());
}

void MainWindowTest::handCursorOverTheButton() {
    QCOMPARE(child<QPushButton>("btnSin")->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(child<QTabWidget>("pcMain")->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
