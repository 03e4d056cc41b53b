#include "start_up.h"

#include "about_box.h"
#include "data_module.h"
#include "main_window.h"
#include "qt_translations.h"
#include "settings_dialog.h"

#include <QApplication>

namespace vorlan {

ShellForms::ShellForms() = default;
ShellForms::ShellForms(ShellForms&&) noexcept = default;
ShellForms::~ShellForms() = default;

ShellForms CreateForms() {
    ShellForms forms;
    forms.fmMain = std::make_unique<TfmMain>();
    forms.fmOptions = new TfmOptions(forms.fmMain.get());
    forms.fmAbout = new TfmAbout(forms.fmMain.get());
    forms.DataModule1 = std::make_unique<TDataModule1>();
    forms.fmMain->setForms(forms.fmOptions, forms.fmAbout);
    return forms;
}

ShellForms StartShell(QApplication& app) {
    QApplication::setApplicationName(kApplicationTitle);
    app.setQuitOnLastWindowClosed(true);
    // Qt's dialogs speak the program's language; without the catalogue they
    // are English, which is no reason not to start.
    InstallQtTranslations(app);
    ShellForms forms = CreateForms();
    forms.fmMain->show();
    return forms;
}

int RunShell(QApplication& app) {
    const ShellForms forms = StartShell(app);
    return app.exec();
}

}  // namespace vorlan
