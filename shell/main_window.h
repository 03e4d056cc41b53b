// fmMain: the main window. The user types an expression on one of its four
// pages, sets the options of the synthesis and presses "Восстановить".
#pragma once

#include "logic/circuit_lines.h"

#include <QList>
#include <QMainWindow>
#include <QString>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace vorlan {

class FileDialog;
class TfmAbout;
class TfmOptions;

// The item that the combo box stands at: the chosen one while its text is
// shown, else the first item of the typed text; a typed text that matches no
// item selects none.
int ItemOf(const QComboBox* combo);

class TfmMain : public QMainWindow {
    Q_OBJECT

public:
    // Builds the window and reads its settings from Vorlan.ini (FormCreate).
    explicit TfmMain(QWidget* parent = nullptr);

    // The forms that the menu shows; created at start-up after this one.
    void setForms(TfmOptions* options, TfmAbout* about);

    // "Восстановить": writes the expression input file of the active page
    // and starts the external synthesis program.
    void btnSinClick();

    // The menu.
    void nLoadClick();     // "&Загрузить": a file into the active page's memo
    void NviewClick();     // "&Просмотреть результаты": the results folder
    void N5Click();        // "Просмотреть отчет"
    void nOptionsClick();  // "&Настройки"
    void nExitClick();     // "&Выход"
    void N3Click();        // "Справка": help.htm
    void N4Click();        // "О программе"

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    void buildMenu();
    QWidget* buildDeterminantPage();
    QWidget* buildTransferPage();
    QWidget* buildInputFunctionPage();
    QWidget* buildCircuitPage();
    QWidget* buildOptionsPanel();

    void FormCreate();
    void FormClose();
    void tsHarakResize();
    void cbAddClick();

    // Page 3, the circuit (circuit_page.cpp).
    void memCircChange();
    void pcMainChange();
    void btnPrepareClick();
    void PrepareCircuit();
    // Reports a bad line: "Ошибка в строке - " + line.
    void ParseElementLine(const QString& line, TElement& element);
    void resetCharacteristics();
    // Writes "cir", runs the engine and saves its expression as the input
    // file; false when the engine failed (reported) and the run stops.
    bool RunEngineOnCircuit();

    // File names from Vorlan.ini, relative to the working directory.
    QString FProgram;
    QString FInputFile;
    QString FResultFile;
    QString FReportFile;

    // The elements of the last preparation of the circuit page.
    QList<TElement> FElements;

    TfmOptions* fmOptions = nullptr;
    TfmAbout* fmAbout = nullptr;

    QMenuBar* mmMain = nullptr;
    QMenu* nFile = nullptr;
    QMenu* N2 = nullptr;
    FileDialog* odOpen = nullptr;
    QWidget* pnlMain = nullptr;
    QWidget* pnlBut = nullptr;
    QPushButton* btnSin = nullptr;
    QTabWidget* pcMain = nullptr;

    QWidget* tsDet = nullptr;
    QLabel* lblFormula = nullptr;
    QPlainTextEdit* memMain = nullptr;

    QWidget* tsHarak = nullptr;
    QLabel* lblNum = nullptr;
    QPlainTextEdit* memNum = nullptr;
    QLabel* lblDenum = nullptr;
    QPlainTextEdit* memDeNum = nullptr;
    QWidget* pnlGenerator = nullptr;
    QComboBox* cmbGenerator = nullptr;
    QComboBox* cmbPriemnik = nullptr;

    QWidget* tsMain = nullptr;
    QPlainTextEdit* memNumI = nullptr;
    QPlainTextEdit* memDeNumI = nullptr;
    QComboBox* cmbInput = nullptr;

    QWidget* TabSheet1 = nullptr;
    QPlainTextEdit* memCirc = nullptr;
    QPushButton* btnPrepare = nullptr;
    QComboBox* cbType = nullptr;

    QWidget* pnSpec = nullptr;
    QCheckBox* cbIzo = nullptr;
    QLineEdit* edNui = nullptr;
    QCheckBox* cbAdd = nullptr;
    QLineEdit* edAdd = nullptr;
};

}  // namespace vorlan
