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

ScopedFakes::ScopedFakes()
    : launcherBefore_(SetLauncher(&launcher)), boxesBefore_(SetMessageBoxes(&boxes)) {}

ScopedFakes::~ScopedFakes() {
    SetLauncher(launcherBefore_);
    SetMessageBoxes(boxesBefore_);
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
