// The program's start-up: the application title, the forms in their order,
// then the event loop.
#pragma once

#include <QString>

#include <memory>

class QApplication;

namespace vorlan {

class TDataModule1;
class TfmAbout;
class TfmMain;
class TfmOptions;

inline const QString kApplicationTitle = QStringLiteral("Vorlan");

struct ShellForms {
    std::unique_ptr<TfmMain> fmMain;  // owns fmOptions and fmAbout
    TfmOptions* fmOptions = nullptr;
    TfmAbout* fmAbout = nullptr;
    std::unique_ptr<TDataModule1> DataModule1;

    ShellForms();
    ShellForms(ShellForms&&) noexcept;
    ~ShellForms();
};

// Creates the main window (which reads Vorlan.ini), the settings dialog
// (which reads it too), the about box and the data module, in this order.
ShellForms CreateForms();

// Sets the title, puts Qt's own texts into Russian, creates the forms and
// shows the main window.
ShellForms StartShell(QApplication& app);

// StartShell, then the event loop until the main window closes.
int RunShell(QApplication& app);

}  // namespace vorlan
