// Page 3 of the main window: the circuit typed as netlist lines, its
// preparation, and the engine run that gives "Восстановить" its expression.
#include "circuit_page.h"

#include "engine_bridge.h"
#include "logic/engine_result.h"
#include "logic/synthesis_input.h"
#include "main_window.h"
#include "message_box.h"
#include "shell_error.h"
#include "text_lines.h"
#include "working_dir.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>

namespace vorlan {

namespace {

constexpr int kCircuitPage = 3;
const QString kNetlistFile = QStringLiteral("cir");
const QString kScriptFile = QStringLiteral("out");

}  // namespace

void ExtractEngineResult(const QString& scriptName, int mode, const QString& outputName) {
    const EngineResult result = ExtractResultLines(LoadLines(WorkingDirFile(scriptName)), mode);
    if (!result.found()) throw ShellError(ListIndexMessage(result.missingIndex));
    SaveLines(WorkingDirFile(outputName), result.lines);
}

void TfmMain::resetCharacteristics() {
    cbType->setCurrentIndex(-1);
    cbType->clear();
    cbType->setEditText(QStringLiteral("Выберите тип характеристики"));
    cbType->setEnabled(false);
}

void TfmMain::memCircChange() {
    resetCharacteristics();
    btnSin->setEnabled(false);
}

void TfmMain::pcMainChange() {
    if (pcMain->currentIndex() == kCircuitPage) {
        btnSin->setEnabled(false);
        resetCharacteristics();
    } else {
        btnSin->setEnabled(true);
    }
}

void TfmMain::btnPrepareClick() {
    PrepareCircuit();
    btnSin->setEnabled(true);
}

void TfmMain::ParseElementLine(const QString& line, TElement& element) {
    if (!vorlan::ParseElementLine(line, element)) {
        ShowMessageBox(this, QStringLiteral("Ошибка в строке - ") + line);
    }
}

void TfmMain::PrepareCircuit() {
    FElements.clear();
    for (const QString& line : CircuitElementLines(MemoLines(memCirc->toPlainText()))) {
        TElement element;
        ParseElementLine(line, element);
        FElements.append(element);  // a bad line is listed all the same
    }
    cbType->setCurrentIndex(-1);
    cbType->clear();
    cbType->addItems(CharacteristicItems(FElements));
    cbType->setCurrentIndex(0);
    cbType->setEnabled(true);
}

bool TfmMain::RunEngineOnCircuit() {
    const ProbeChoice probe = ChooseProbe(FElements, ItemOf(cbType));

    SaveLines(WorkingDirFile(kNetlistFile), CircuitNetlist(FElements, probe));
    CircuitEngine& engine = CurrentEngine();
    if (!engine.runMain(kNetlistFile.toLocal8Bit(), kScriptFile.toLocal8Bit())) {
        ShowMessageBox(this, engine.errorText());
        return false;
    }
    ExtractEngineResult(kScriptFile, probe.mode, FInputFile);
    return true;
}

}  // namespace vorlan
