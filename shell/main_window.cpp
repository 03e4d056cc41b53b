#include "main_window.h"

#include "about_box.h"
#include "error_box.h"
#include "file_dialog.h"
#include "form_style.h"
#include "ini_settings.h"
#include "launcher.h"
#include "logic/file_names.h"
#include "logic/integer_text.h"
#include "logic/synthesis_input.h"
#include "logic/window_sizes.h"
#include "message_box.h"
#include "settings_dialog.h"
#include "shell_error.h"
#include "text_lines.h"
#include "working_dir.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace vorlan {

namespace {

const QString kNoExpression = QStringLiteral("Вы не ввели определитель!");

// A page heading: bold 24-point serif on cream.
QLabel* Heading(const QString& text, const char* name) {
    auto* label = Named(new QLabel(text), name);
    label->setFont(SerifFont(24, true));
    label->setContentsMargins(4, 0, 4, 0);
    PaintBackground(label, kCream);
    return label;
}

// An expression memo: 19-point serif, long lines scroll sideways.
QPlainTextEdit* Memo(const char* name) {
    auto* memo = Named(new QPlainTextEdit, name);
    memo->setFont(SerifFont(19, false));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return memo;
}

// An editable drop-down list at its first item.
QComboBox* Choice(const QStringList& items, const char* name) {
    auto* combo = Named(new QComboBox, name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(items);
    combo->setCurrentIndex(0);
    combo->setMinimumContentsLength(3);
    return combo;
}

QFrame* Separator() {
    auto* line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

QHBoxLayout* Row(QWidget* panel) {
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(4, 4, 4, 4);
    return row;
}

}  // namespace

int ItemOf(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i) items.append(combo->itemText(i));
    return SelectedItem(items, combo->currentIndex(), combo->currentText());
}

TfmMain::TfmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("fmMain"));
    setWindowTitle(QStringLiteral(
        "Графическая оболочка программы по синтезу схемы на основе схемно символьного "
        "выражения её определителя."));
    buildWindow();
    setMinimumWidth(kMainMinimumWidth);
    RunHandler(this, [this] { FormCreate(); });
}

void TfmMain::setForms(TfmOptions* options, TfmAbout* about) {
    fmOptions = options;
    fmAbout = about;
}

void TfmMain::buildWindow() {
    buildMenu();

    pnlMain = Named(new QWidget, "pnlMain");
    auto* column = new QVBoxLayout(pnlMain);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    pnlBut = Named(new QWidget, "pnlBut");
    pnlBut->setFixedHeight(48);
    PaintBackground(pnlBut, kCream);
    auto* buttonBar = new QVBoxLayout(pnlBut);
    buttonBar->setContentsMargins(0, 0, 0, 1);
    btnSin = Named(new QPushButton(QStringLiteral("Восстановить")), "btnSin");
    btnSin->setFont(SerifFont(24, true));
    btnSin->setFixedHeight(47);
    btnSin->setToolTip(QStringLiteral("Произвести восстановление введенного определителя"));
    btnSin->setCursor(Qt::PointingHandCursor);
    buttonBar->addWidget(btnSin);
    column->addWidget(pnlBut);

    pcMain = Named(new QTabWidget, "pcMain");
    pcMain->addTab(buildDeterminantPage(), QStringLiteral("Определитель"));
    pcMain->addTab(buildTransferPage(), QStringLiteral("Передаточная функция"));
    pcMain->addTab(buildInputFunctionPage(), QStringLiteral("Входная функции"));
    pcMain->addTab(buildCircuitPage(), QStringLiteral("Схема"));
    pcMain->setCurrentIndex(0);
    column->addWidget(pcMain, 1);

    column->addWidget(buildOptionsPanel());
    setCentralWidget(pnlMain);

    connect(btnSin, &QPushButton::clicked, this, [this] { RunHandler(this, [this] { btnSinClick(); }); });
    connect(cbAdd, &QCheckBox::toggled, this, [this] { RunHandler(this, [this] { cbAddClick(); }); });
    connect(pcMain, &QTabWidget::currentChanged, this, [this] { RunHandler(this, [this] { pcMainChange(); }); });
    connect(memCirc, &QPlainTextEdit::textChanged, this, [this] { RunHandler(this, [this] { memCircChange(); }); });
    connect(btnPrepare, &QPushButton::clicked, this, [this] { RunHandler(this, [this] { btnPrepareClick(); }); });
}

void TfmMain::buildMenu() {
    mmMain = Named(new QMenuBar(this), "mmMain");
    setMenuBar(mmMain);
    odOpen = new FileDialog(FileDialogKind::Open, this, "odOpen");

    const auto item = [this](QMenu* menu, const QString& caption, const char* name, void (TfmMain::*handler)()) {
        QAction* action = Named(menu->addAction(caption), name);
        connect(action, &QAction::triggered, this, [this, handler] { RunHandler(this, [this, handler] { (this->*handler)(); }); });
    };
    nFile = Named(mmMain->addMenu(QStringLiteral("&Файл")), "nFile");
    item(nFile, QStringLiteral("&Загрузить"), "nLoad", &TfmMain::nLoadClick);
    item(nFile, QStringLiteral("&Просмотреть результаты"), "Nview", &TfmMain::NviewClick);
    item(nFile, QStringLiteral("Просмотреть отчет"), "N5", &TfmMain::N5Click);
    item(nFile, QStringLiteral("&Настройки"), "nOptions", &TfmMain::nOptionsClick);
    Named(nFile->addSeparator(), "N1");
    item(nFile, QStringLiteral("&Выход"), "nExit", &TfmMain::nExitClick);
    N2 = Named(mmMain->addMenu(QStringLiteral("Помощь")), "N2");
    item(N2, QStringLiteral("Справка"), "N3", &TfmMain::N3Click);
    item(N2, QStringLiteral("О программе"), "N4", &TfmMain::N4Click);
}

QWidget* TfmMain::buildDeterminantPage() {
    tsDet = Named(new QWidget, "tsDet");
    auto* column = new QVBoxLayout(tsDet);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    lblFormula = Heading(QStringLiteral("Введите определитель:"), "lblFormula");
    memMain = Memo("memMain");
    column->addWidget(lblFormula);
    column->addWidget(memMain, 1);
    return tsDet;
}

QWidget* TfmMain::buildTransferPage() {
    // The page places its children itself (tsHarakResize): both memos share
    // what the labels and the bottom panel leave.
    tsHarak = Named(new QWidget, "tsHarak");
    lblNum = Heading(QStringLiteral("Введите Числитель:"), "lblNum");
    memNum = Memo("memNum");
    lblDenum = Heading(QStringLiteral("Введите Знаменатель:"), "lblDenum");
    memDeNum = Memo("memDeNum");

    pnlGenerator = Named(new QWidget, "pnlGenerator");
    auto* row = Row(pnlGenerator);
    cmbGenerator = Choice({QStringLiteral("E"), QStringLiteral("J")}, "cmbGenerator");
    cmbPriemnik = Choice({QStringLiteral("U"), QStringLiteral("I")}, "cmbPriemnik");
    row->addWidget(Named(new QLabel(QStringLiteral("Тип источника:")), "lblGen"));
    row->addWidget(cmbGenerator);
    row->addSpacing(16);
    row->addWidget(Named(new QLabel(QStringLiteral("Тип приемника:")), "lblPriem"));
    row->addWidget(cmbPriemnik);
    row->addStretch(1);

    for (QWidget* child : {static_cast<QWidget*>(lblNum), static_cast<QWidget*>(memNum),
                           static_cast<QWidget*>(lblDenum), static_cast<QWidget*>(memDeNum),
                           pnlGenerator}) {
        child->setParent(tsHarak);
    }
    tsHarak->installEventFilter(this);
    return tsHarak;
}

QWidget* TfmMain::buildInputFunctionPage() {
    tsMain = Named(new QWidget, "tsMain");
    auto* column = new QVBoxLayout(tsMain);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    memNumI = Memo("memNumI");
    memDeNumI = Memo("memDeNumI");

    auto* panel = Named(new QWidget, "Panel1");
    auto* row = Row(panel);
    cmbInput = Choice({QStringLiteral("R"), QStringLiteral("g")}, "cmbInput");
    row->addWidget(Named(new QLabel(QStringLiteral("Тип входной функции:")), "Label2"));
    row->addWidget(cmbInput);
    row->addStretch(1);

    column->addWidget(Heading(QStringLiteral("Введите Числитель:"), "Label3"));
    column->addWidget(memNumI, 1);
    column->addWidget(Heading(QStringLiteral("Введите Знаменатель:"), "Label4"));
    column->addWidget(memDeNumI, 1);
    column->addWidget(panel);
    return tsMain;
}

QWidget* TfmMain::buildCircuitPage() {
    TabSheet1 = Named(new QWidget, "TabSheet1");
    auto* column = new QVBoxLayout(TabSheet1);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    memCirc = Memo("memCirc");

    auto* panel = Named(new QWidget, "Panel4");
    auto* row = Row(panel);
    btnPrepare = Named(new QPushButton(QStringLiteral("Подготовить")), "btnPrepare");
    cbType = Named(new QComboBox, "cbType");
    cbType->setEditable(true);
    cbType->setInsertPolicy(QComboBox::NoInsert);
    cbType->setEditText(QStringLiteral("Выберите тип характеристики"));
    cbType->setEnabled(false);
    cbType->setMinimumContentsLength(28);
    row->addWidget(btnPrepare);
    row->addWidget(cbType);
    row->addStretch(1);

    column->addWidget(Heading(QStringLiteral("Введите определитель:"), "Label1"));
    column->addWidget(memCirc, 1);
    column->addWidget(panel);
    return TabSheet1;
}

QWidget* TfmMain::buildOptionsPanel() {
    // Two rows, so that the options fit the narrowest window.
    pnSpec = Named(new QWidget, "pnSpec");
    pnSpec->setMaximumHeight(80);
    pnSpec->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    cbIzo = Named(new QCheckBox(QStringLiteral("Отбрасывать изоморфные схемы")), "cbIzo");
    edNui = Named(new QLineEdit(QStringLiteral("0")), "edNui");
    edNui->setFixedWidth(56);
    cbAdd = Named(new QCheckBox(QStringLiteral("Добавить элемент после реконструкции:")), "cbAdd");
    edAdd = Named(new QLineEdit, "edAdd");
    edAdd->setToolTip(QStringLiteral("Введите имя добавляемого элемента"));
    edAdd->setFixedWidth(120);
    edAdd->setEnabled(false);
    edAdd->setVisible(false);
    // Keeps its place while hidden, so that the row does not jump.
    QSizePolicy keep = edAdd->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    edAdd->setSizePolicy(keep);

    auto* rows = new QVBoxLayout(pnSpec);
    rows->setContentsMargins(4, 2, 4, 2);
    rows->setSpacing(0);
    auto* first = new QHBoxLayout;
    first->setSpacing(8);
    first->addWidget(cbIzo);
    first->addWidget(Separator());
    first->addWidget(Named(new QLabel(QStringLiteral("Число НУИ:")), "lblNui"));
    first->addWidget(edNui);
    first->addStretch(1);
    auto* second = new QHBoxLayout;
    second->addWidget(cbAdd);
    second->addWidget(edAdd);
    second->addStretch(1);
    rows->addLayout(first);
    rows->addLayout(second);
    return pnSpec;
}

void TfmMain::FormCreate() {
    const IniFile ini = SettingsFile();
    FProgram = ini.read(settings::kProgram);
    const int width = ini.read(settings::kWidth);
    const int height = ini.read(settings::kHeight);
    const int left = ini.read(settings::kLeft);
    const int top = ini.read(settings::kTop);
    resize(AllowedMainWidth(width), std::max(height, 1));
    move(left, top);
    FInputFile = ini.read(settings::kInputFile);
    FResultFile = ini.read(settings::kResultFile);
    FReportFile = ini.read(settings::kReportFile);
}

void TfmMain::FormClose() {
    IniFile ini = SettingsFile();
    ini.write(settings::kWidth, width());
    ini.write(settings::kHeight, height());
    ini.write(settings::kLeft, x());
    ini.write(settings::kTop, y());
}

void TfmMain::closeEvent(QCloseEvent* event) {
    // A settings file that cannot be written is reported; the window closes
    // all the same.
    RunHandler(this, [this] { FormClose(); });
    event->accept();
}

bool TfmMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == tsHarak && event->type() == QEvent::Resize) tsHarakResize();
    return QMainWindow::eventFilter(watched, event);
}

void TfmMain::tsHarakResize() {
    const int width = tsHarak->width();
    const int numLabel = lblNum->sizeHint().height();
    const int denLabel = lblDenum->sizeHint().height();
    const int panel = pnlGenerator->sizeHint().height();
    const int memo = std::max(0, TransferMemoHeight(tsHarak->height(), denLabel, numLabel, panel));

    int y = 0;
    lblNum->setGeometry(0, y, width, numLabel);
    y += numLabel;
    memNum->setGeometry(0, y, width, memo);
    y += memo;
    lblDenum->setGeometry(0, y, width, denLabel);
    y += denLabel;
    memDeNum->setGeometry(0, y, width, memo);
    pnlGenerator->setGeometry(0, tsHarak->height() - panel, width, panel);
}

void TfmMain::cbAddClick() {
    const bool checked = cbAdd->isChecked();
    edAdd->setEnabled(checked);
    edAdd->setVisible(checked);
    if (checked) {
        edAdd->setFocus();
        QToolTip::showText(edAdd->mapToGlobal(QPoint(1, 1)), edAdd->toolTip(), edAdd);
    } else {
        QToolTip::hideText();
    }
}

void TfmMain::btnSinClick() {
    bool valid = true;
    QString params;
    const QString inputFile = WorkingDirFile(FInputFile);

    switch (pcMain->currentIndex()) {
    case 0: {
        const QStringList lines = MemoLines(memMain->toPlainText());
        SaveLines(inputFile, lines);
        valid = !HoldsNoExpression(lines);
        break;
    }
    case 1: {
        const QStringList numerator = MemoLines(memNum->toPlainText());
        if (HoldsNoExpression(numerator)) {
            valid = false;
            break;
        }
        SaveLines(inputFile,
                  FractionLines(TransferPrefix(ItemOf(cmbPriemnik), ItemOf(cmbGenerator)),
                                numerator, MemoLines(memDeNum->toPlainText())));
        break;
    }
    case 2: {
        const QStringList numerator = MemoLines(memNumI->toPlainText());
        if (HoldsNoExpression(numerator)) {
            valid = false;
            break;
        }
        SaveLines(inputFile, FractionLines(InputFunctionPrefix(ItemOf(cmbInput)), numerator,
                                           MemoLines(memDeNumI->toPlainText())));
        params = QStringLiteral("-i ");
        break;
    }
    default:
        if (!RunEngineOnCircuit()) return;
        break;
    }

    if (!valid) {
        ShowMessageBox(this, kNoExpression);
        return;
    }

    SynthesisOptions options;
    const QString countText = edNui->text();
    const auto count = ParseInteger(countText);
    if (!count) throw ShellError(NotAnIntegerMessage(countText));
    options.count = *count;
    options.dropIsomorphic = cbIzo->isChecked();
    options.addElement = cbAdd->isChecked();
    options.element = edAdd->text();

    const QString program = WorkingDirFile(FProgram);
    if (!CurrentLauncher().startProgram(program, CommandLine(params, options))) {
        ShowMessageBox(this, QStringLiteral("Программа ") + program + QStringLiteral(" не найдена!"));
    }
}

void TfmMain::nLoadClick() {
    const QString dir = WorkingDir();
    // The dialog may leave another directory current; it is set back however
    // the load ends.
    struct Restore {
        QString dir;
        ~Restore() { SetWorkingDir(dir); }
    } restore{dir};

    odOpen->setInitialDir(dir);
    if (!odOpen->execute()) return;
    const QString text = LoadLines(odOpen->fileName()).join(u'\n');
    switch (pcMain->currentIndex()) {
    case 0: memMain->setPlainText(text); break;
    case 1: memNum->setPlainText(text); break;
    case 2: memNumI->setPlainText(text); break;
    default: memCirc->setPlainText(text); break;
    }
}

void TfmMain::NviewClick() {
    const QString folder = ResultsFolder(FResultFile);
    CurrentLauncher().openPath(folder.isEmpty() ? WorkingDir() : WorkingDirFile(folder));
}

void TfmMain::N5Click() {
    CurrentLauncher().openPath(WorkingDirFile(FReportFile));
}

void TfmMain::nOptionsClick() {
    if (fmOptions) fmOptions->exec();
    const IniFile ini = SettingsFile();
    FProgram = ini.read(settings::kProgram);
    FInputFile = ini.read(settings::kInputFile);
    FResultFile = ini.read(settings::kResultFile);
}

void TfmMain::nExitClick() {
    close();
}

void TfmMain::N3Click() {
    CurrentLauncher().openPath(WorkingDirFile(QStringLiteral("help.htm")));
}

void TfmMain::N4Click() {
    if (!fmAbout) return;
    // Not modal; a box that is open already comes to the front.
    fmAbout->show();
    fmAbout->raise();
    fmAbout->activateWindow();
}

}  // namespace vorlan
