// Open and save dialogs as the forms hold them: a kind, an initial directory
// and the chosen file's name. Showing one goes through a seam that tests
// replace with answers of their own.
#pragma once

#include <QObject>
#include <QString>

#include <optional>

class QWidget;

namespace vorlan {

enum class FileDialogKind { Open, Save };

class FileChooser {
public:
    virtual ~FileChooser() = default;
    // Shows a modal dialog; the chosen file's full path, or nothing when the
    // user cancels.
    virtual std::optional<QString> choose(QWidget* owner, FileDialogKind kind,
                                          const QString& initialDir, const QString& fileName) = 0;
};

// The chooser in use: Qt's file dialogs unless a test installed another.
FileChooser& CurrentFileChooser();
// Installs `chooser` (not owned); nullptr brings back Qt's dialogs. Returns
// the chooser installed before.
FileChooser* SetFileChooser(FileChooser* chooser);

// A file dialog of a form (no filter, no title, no default extension; it
// leaves the working directory as it is).
class FileDialog : public QObject {
    Q_OBJECT

public:
    FileDialog(FileDialogKind kind, QWidget* owner, const char* name);

    FileDialogKind kind() const { return kind_; }
    const QString& initialDir() const { return initialDir_; }
    void setInitialDir(const QString& dir) { initialDir_ = dir; }
    const QString& fileName() const { return fileName_; }
    void setFileName(const QString& name) { fileName_ = name; }

    // Shows the dialog; true when a file was chosen, its full path then in
    // fileName().
    bool execute();

private:
    FileDialogKind kind_;
    QWidget* owner_;
    QString initialDir_;
    QString fileName_;
};

}  // namespace vorlan
