// fmOptions: the settings dialog. It reads Vorlan.ini once, when it is
// created, and writes it on "ОК" and "Применить"; between showings it is
// hidden and keeps whatever the user left in its controls.
#pragma once

#include <QDialog>
#include <QString>

#include <array>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace vorlan {

class FileDialog;

class TfmOptions : public QDialog {
    Q_OBJECT

public:
    explicit TfmOptions(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QGroupBox* buildFiles();
    QGroupBox* buildExtras();
    void setTabOrders();

    void FormCreate();
    // Takes the controls into the fields and writes the ten keys.
    void ApplySettings();
    void btnOKClick();
    void btnApplyClick();
    // Closes the dialog; nothing is saved and no control is reset.
    void btnCancelClick();
    void cbltClick();
    void cblcClick();
    // sb0Click .. sb5Click: the chooser button of row `row`.
    void sbClick(int row);

    QString FResultFile;
    QString FLogFile;
    QString FTaskFile;
    QString FCircFile;
    QString FProgram;
    QString FInputFile;
    bool FLogTask = false;
    bool FLogCirc = false;
    bool FFindNill = false;
    int FFindFirst = 0;

    QGroupBox* gbFiles = nullptr;
    QLineEdit* edProg = nullptr;
    QLineEdit* edIn = nullptr;
    QLineEdit* edRes = nullptr;
    QLineEdit* edRep = nullptr;
    QLineEdit* edTask = nullptr;
    QLineEdit* edCir = nullptr;
    std::array<QToolButton*, 6> sb{};  // sb0 .. sb5, beside the edits of the rows

    QGroupBox* gbDop = nullptr;
    QCheckBox* cblt = nullptr;
    QCheckBox* cbnill = nullptr;
    QCheckBox* cblc = nullptr;
    QLineEdit* meFirstCount = nullptr;
    QFrame* GroupBox1 = nullptr;

    QPushButton* btnOK = nullptr;
    QPushButton* btnApply = nullptr;
    QPushButton* btnCancel = nullptr;

    FileDialog* od = nullptr;
    FileDialog* sd = nullptr;
};

}  // namespace vorlan
