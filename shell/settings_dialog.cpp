#include "settings_dialog.h"

#include "error_box.h"
#include "file_dialog.h"
#include "form_style.h"
#include "ini_settings.h"
#include "logic/file_names.h"
#include "logic/integer_text.h"
#include "shell_error.h"
#include "working_dir.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace vorlan {

namespace {

QLabel* RowLabel(const QString& text, const char* name) {
    auto* label = Named(new QLabel(text), name);
    label->setFont(SerifFont(10, true));
    return label;
}

QPushButton* DialogButton(const QString& text, const char* name) {
    auto* button = Named(new QPushButton(text), name);
    button->setFixedSize(75, 25);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

TfmOptions::TfmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmOptions"));
    setWindowTitle(QStringLiteral("Настройки"));
    // Tahoma, or the metric-compatible face of Arial where it is missing.
    QFont face(QStringLiteral("Tahoma"), 8);
    face.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")});
    setFont(face);

    od = new FileDialog(FileDialogKind::Open, this, "od");
    sd = new FileDialog(FileDialogKind::Save, this, "sd");

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(4, 4, 4, 6);
    column->setSpacing(4);
    column->addWidget(buildFiles());
    column->addWidget(buildExtras());
    column->addStretch(1);

    btnOK = DialogButton(QStringLiteral("ОК"), "btnOK");
    btnApply = DialogButton(QStringLiteral("Применить"), "btnApply");
    btnCancel = DialogButton(QStringLiteral("Отменить"), "btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnApply);
    buttons->addWidget(btnCancel);
    column->addLayout(buttons);

    setTabOrders();
    resize(504, 296);
    move(0, 0);

    connect(btnOK, &QPushButton::clicked, this, [this] { RunHandler(this, [this] { btnOKClick(); }); });
    connect(btnApply, &QPushButton::clicked, this, [this] { RunHandler(this, [this] { btnApplyClick(); }); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { btnCancelClick(); });
    connect(cblt, &QCheckBox::toggled, this, [this] { cbltClick(); });
    connect(cbnill, &QCheckBox::toggled, this, [this] { cbltClick(); });
    connect(cblc, &QCheckBox::toggled, this, [this] { cblcClick(); });
    for (int row = 0; row < 6; ++row) {
        connect(sb[row], &QToolButton::clicked, this,
                [this, row] { RunHandler(this, [this, row] { sbClick(row); }); });
    }

    RunHandler(this, [this] { FormCreate(); });
}

QGroupBox* TfmOptions::buildFiles() {
    gbFiles = Named(new QGroupBox, "gbFiles");
    gbFiles->setFixedHeight(184);
    auto* grid = new QGridLayout(gbFiles);
    grid->setContentsMargins(8, 6, 8, 6);
    grid->setHorizontalSpacing(6);
    grid->setColumnStretch(2, 1);

    edProg = Named(new QLineEdit, "edProg");
    edIn = Named(new QLineEdit, "edIn");
    edRes = Named(new QLineEdit, "edRes");
    edRep = Named(new QLineEdit, "edRep");
    edTask = Named(new QLineEdit, "edTask");
    edCir = Named(new QLineEdit, "edCir");

    struct Row {
        const char* label;
        const char* caption;
        QLineEdit* edit;
    };
    const Row rows[] = {
        {"lblProg", "Программа:", edProg},
        {"lblIn", "Входной файл:", edIn},
        {"lblRes", "Результаты:", edRes},
        {"lblLog", "Отчет:", edRep},
        {"lblTask", "Сформированное задание:", edTask},
        {"lblCir", "Промежуточные схемы:", edCir},
    };
    const QIcon picture = style()->standardIcon(QStyle::SP_DirOpenIcon);
    for (int i = 0; i < 6; ++i) {
        // Rows 1 to 4 have short labels and longer edits; rows 5 and 6 the
        // other way round. All edits end at one right edge.
        const bool longLabel = i >= 4;
        grid->addWidget(RowLabel(QString::fromUtf8(rows[i].caption), rows[i].label), i, 0, 1,
                        longLabel ? 2 : 1);
        grid->addWidget(rows[i].edit, i, longLabel ? 2 : 1, 1, longLabel ? 1 : 2);

        const QByteArray name = "sb" + QByteArray::number(i);
        sb[i] = Named(new QToolButton, name.constData());
        sb[i]->setAutoRaise(true);
        sb[i]->setIcon(picture);
        sb[i]->setFixedSize(34, 22);
        sb[i]->setFocusPolicy(Qt::NoFocus);
        grid->addWidget(sb[i], i, 3);
    }
    return gbFiles;
}

QGroupBox* TfmOptions::buildExtras() {
    gbDop = Named(new QGroupBox(QStringLiteral("Дополнительные параметры")), "gbDop");
    gbDop->setFixedHeight(60);
    cblt = Named(new QCheckBox(QStringLiteral("Сохранять сформированное задание")), "cblt");
    cbnill = Named(new QCheckBox(QStringLiteral("Производить поиск узла для заземления")), "cbnill");
    cblc = Named(new QCheckBox(QStringLiteral("Сохранять промежуточные схемы")), "cblc");
    meFirstCount = Named(new QLineEdit(QStringLiteral("0")), "meFirstCount");
    meFirstCount->setFixedWidth(37);
    GroupBox1 = Named(new QFrame, "GroupBox1");
    GroupBox1->setFrameShape(QFrame::VLine);
    GroupBox1->setFrameShadow(QFrame::Sunken);
    GroupBox1->setFixedWidth(4);

    auto* left = new QVBoxLayout;
    left->setSpacing(2);
    left->addWidget(cblt);
    left->addWidget(cbnill);
    auto* count = new QHBoxLayout;
    count->setSpacing(2);
    count->addWidget(Named(new QLabel(QStringLiteral("Остановиться после получения ")), "Label1"));
    count->addWidget(meFirstCount);
    count->addWidget(Named(new QLabel(QStringLiteral("схем")), "Label2"));
    count->addStretch(1);
    auto* right = new QVBoxLayout;
    right->setSpacing(2);
    right->addWidget(cblc);
    right->addLayout(count);

    auto* columns = new QHBoxLayout(gbDop);
    columns->setContentsMargins(4, 0, 4, 2);
    columns->setSpacing(4);
    columns->addLayout(left);
    columns->addWidget(GroupBox1);
    columns->addLayout(right, 1);
    return gbDop;
}

void TfmOptions::setTabOrders() {
    // The extras first, then the files (results first, the program near the
    // end), then the buttons from the right.
    QWidget* const order[] = {cblt, cbnill, cblc, meFirstCount, edRes, edRep, edTask,
                              edCir, edProg, edIn, btnCancel, btnApply, btnOK};
    for (std::size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmOptions::keyPressEvent(QKeyEvent* event) {
    // No button is the dialog's default or cancel button: Enter and Escape
    // mean nothing to the dialog as a whole.
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TfmOptions::FormCreate() {
    const IniFile ini = SettingsFile();
    FProgram = ini.read(settings::kProgram);
    FResultFile = ini.read(settings::kResultFile);
    FInputFile = ini.read(settings::kInputFile);
    FLogFile = ini.read(settings::kLogFile);
    FTaskFile = ini.read(settings::kTaskFile);
    FCircFile = ini.read(settings::kCircFile);
    FLogTask = ini.read(settings::kLogTask);
    FLogCirc = ini.read(settings::kLogCirc);
    FFindNill = ini.read(settings::kFindNill);
    FFindFirst = ini.read(settings::kFindFirst);

    edProg->setText(FProgram);
    edIn->setText(FInputFile);
    edRes->setText(FResultFile);
    edRep->setText(FLogFile);
    edTask->setText(FTaskFile);
    edCir->setText(FCircFile);

    cblt->setChecked(FLogTask);
    edTask->setEnabled(FLogTask);
    sb[4]->setEnabled(FLogTask);
    cblc->setChecked(FLogCirc);
    cbnill->setChecked(FFindNill);
    edCir->setEnabled(FLogCirc);
    sb[5]->setEnabled(FLogCirc);

    od->setInitialDir(WorkingDir());
    sd->setInitialDir(WorkingDir());
    meFirstCount->setText(QString::number(FFindFirst));
}

void TfmOptions::ApplySettings() {
    FProgram = edProg->text();
    FResultFile = edRes->text();
    FInputFile = edIn->text();
    FLogFile = edRep->text();
    FTaskFile = edTask->text();
    FCircFile = edCir->text();
    FFindNill = cbnill->isChecked();
    const QString countText = meFirstCount->text();
    const auto count = ParseInteger(countText);
    if (!count) throw ShellError(NotAnIntegerMessage(countText));
    FFindFirst = *count;

    IniFile ini = SettingsFile();
    ini.write(settings::kProgram, FProgram);
    ini.write(settings::kResultFile, FResultFile);
    ini.write(settings::kInputFile, FInputFile);
    ini.write(settings::kLogFile, FLogFile);
    ini.write(settings::kTaskFile, FTaskFile);
    ini.write(settings::kCircFile, FCircFile);
    ini.write(settings::kLogTask, FLogTask);
    ini.write(settings::kLogCirc, FLogCirc);
    ini.write(settings::kFindNill, FFindNill);
    ini.write(settings::kFindFirst, FFindFirst);
}

void TfmOptions::btnOKClick() {
    ApplySettings();
    accept();
}

void TfmOptions::btnApplyClick() {
    ApplySettings();
}

void TfmOptions::btnCancelClick() {
    reject();
}

void TfmOptions::cbltClick() {
    FLogTask = cblt->isChecked();
    edTask->setEnabled(FLogTask);
    sb[4]->setEnabled(FLogTask);
}

void TfmOptions::cblcClick() {
    FLogCirc = cblc->isChecked();
    edCir->setEnabled(FLogCirc);
    sb[5]->setEnabled(FLogCirc);
}

void TfmOptions::sbClick(int row) {
    QLineEdit* const edits[] = {edProg, edIn, edRes, edRep, edTask, edCir};
    FileDialog* dialog = row == 0 ? od : sd;
    if (dialog->execute()) {
        // Stored relative to the directory the dialogs started in.
        SetWorkingDir(dialog->initialDir());
        edits[row]->setText(StoredFileName(dialog->fileName(), WorkingDir()));
    }
    dialog->setFileName(QString());
}

}  // namespace vorlan
