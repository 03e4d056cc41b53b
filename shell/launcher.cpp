#include "launcher.h"

#include "logic/synthesis_input.h"
#include "replaceable.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace vorlan {

namespace {

class DesktopLauncher final : public Launcher {
public:
    bool startProgram(const QString& program, const QString& commandLine) override {
        return QProcess::startDetached(program, CommandArguments(commandLine));
    }
    bool openPath(const QString& path) override {
        return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
    }
};

DesktopLauncher& Desktop() {
    static DesktopLauncher launcher;
    return launcher;
}

}  // namespace

Launcher& CurrentLauncher() { return ServiceInUse<Launcher>(Desktop()); }

Launcher* SetLauncher(Launcher* launcher) { return InstallService(launcher); }

}  // namespace vorlan
