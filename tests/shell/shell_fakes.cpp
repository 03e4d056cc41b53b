#include "shell_fakes.h"

#include <QDir>
#include <QFile>

namespace vorlan::testing {

bool RecordingLauncher::startProgram(const QString& program, const QString& commandLine) {
    calls.append({QStringLiteral("start"), program, commandLine});
    return answer;
}

bool RecordingLauncher::openPath(const QString& path) {
    calls.append({QStringLiteral("open"), path, QString()});
    return answer;
}

void RecordingBoxes::showMessage(QWidget*, const QString& text) {
    messages.append(text);
}

void RecordingBoxes::showError(QWidget*, const QString& text) {
    errors.append(text);
}

std::optional<QString> ScriptedChooser::choose(QWidget*, FileDialogKind kind,
                                               const QString& initialDir, const QString& fileName) {
    calls.append({kind, initialDir, fileName});
    if (whileOpen) whileOpen();
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
}

ScopedFakes::ScopedFakes()
    : launcherBefore_(SetLauncher(&launcher)),
      boxesBefore_(SetMessageBoxes(&boxes)),
      chooserBefore_(SetFileChooser(&chooser)) {}

ScopedFakes::~ScopedFakes() {
    SetLauncher(launcherBefore_);
    SetMessageBoxes(boxesBefore_);
    SetFileChooser(chooserBefore_);
}

TempWorkDir::TempWorkDir() : before_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    path_ = QDir::currentPath();
}

TempWorkDir::~TempWorkDir() {
    QDir::setCurrent(before_);
}

QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

}  // namespace vorlan::testing
