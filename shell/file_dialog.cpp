#include "file_dialog.h"

#include "logic/file_names.h"
#include "replaceable.h"

#include <QFileDialog>
#include <QWidget>

namespace vorlan {

namespace {

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> choose(QWidget* owner, FileDialogKind kind, const QString& initialDir,
                                  const QString& fileName) override {
        // A name kept from the last showing is a full path and stands alone.
        const QString start = fileName.isEmpty() ? initialDir : InWorkingDir(initialDir, fileName);
        QFileDialog dialog(owner, QString(), start);
        // Neither dialog insists on an existing file nor asks before a file
        // is replaced.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setAcceptMode(kind == FileDialogKind::Open ? QFileDialog::AcceptOpen
                                                          : QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
        if (dialog.exec() != QDialog::Accepted) return std::nullopt;
        const QString chosen = dialog.selectedFiles().value(0);
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    }
};

QtFileChooser& QtChooser() {
    static QtFileChooser chooser;
    return chooser;
}

}  // namespace

FileChooser& CurrentFileChooser() { return ServiceInUse<FileChooser>(QtChooser()); }

FileChooser* SetFileChooser(FileChooser* chooser) { return InstallService(chooser); }

FileDialog::FileDialog(FileDialogKind kind, QWidget* owner, const char* name)
    : QObject(owner), kind_(kind), owner_(owner) {
    setObjectName(QLatin1String(name));
}

bool FileDialog::execute() {
    const auto chosen = CurrentFileChooser().choose(owner_, kind_, initialDir_, fileName_);
    if (!chosen) return false;
    fileName_ = *chosen;
    return true;
}

}  // namespace vorlan
