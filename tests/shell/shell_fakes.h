// Stand-ins for the shell's seams: a launcher and message boxes that record
// what they are asked, and a working directory of the test's own.
#pragma once

#include "file_dialog.h"
#include "launcher.h"
#include "message_box.h"

#include <QByteArray>
#include <QLatin1String>
#include <QObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <optional>

namespace vorlan::testing {

// The child of `parent` with the object name `name`; a missing one ends the
// test run, since every later check would be meaningless.
template <typename W>
W* Child(const QObject* parent, const char* name) {
    W* widget = parent->findChild<W*>(QLatin1String(name));
    if (!widget) qFatal("no child %s", name);
    return widget;
}

class RecordingLauncher final : public Launcher {
public:
    struct Call {
        QString what;  // "start" or "open"
        QString path;
        QString commandLine;
    };
    bool startProgram(const QString& program, const QString& commandLine) override;
    bool openPath(const QString& path) override;

    bool answer = true;  // what startProgram and openPath report
    QList<Call> calls;
};

class RecordingBoxes final : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override;
    void showError(QWidget* parent, const QString& text) override;

    QStringList messages;
    QStringList errors;
};

// Answers file dialogs from a queue (nothing left: cancelled) and records
// how each was asked.
class ScriptedChooser final : public FileChooser {
public:
    struct Call {
        FileDialogKind kind;
        QString initialDir;
        QString fileName;
    };
    std::optional<QString> choose(QWidget* owner, FileDialogKind kind, const QString& initialDir,
                                  const QString& fileName) override;

    QList<std::optional<QString>> answers;
    QList<Call> calls;
    std::function<void()> whileOpen;  // runs while a dialog is "open"
};

// Installs the recording launcher, boxes and chooser for its lifetime.
class ScopedFakes {
public:
    ScopedFakes();
    ~ScopedFakes();
    ScopedFakes(const ScopedFakes&) = delete;
    ScopedFakes& operator=(const ScopedFakes&) = delete;

    RecordingLauncher launcher;
    RecordingBoxes boxes;
    ScriptedChooser chooser;

private:
    Launcher* launcherBefore_;
    MessageBoxes* boxesBefore_;
    FileChooser* chooserBefore_;
};

// A fresh temporary directory as working directory for its lifetime.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    // The directory as the shell sees it (no symbolic links).
    QString path() const { return path_; }
    QString file(const QString& name) const { return path_ + u'/' + name; }

private:
    QTemporaryDir dir_;
    QString path_;
    QString before_;
};

QByteArray ReadBytes(const QString& path);
void WriteBytes(const QString& path, const QByteArray& bytes);

}  // namespace vorlan::testing
