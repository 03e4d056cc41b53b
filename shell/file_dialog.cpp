#include "file_dialog.h"

#include <QFileDialog>
#include <QWidget>

namespace vorlan {

namespace {

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> choose(QWidget* owner, FileDialogKind kind, const QString& initialDir,
                                  const QString& fileName) override {
        const QString start = fileName.isEmpty() ? initialDir : initialDir + u'/' + fileName;
        const QString chosen =
            kind == FileDialogKind::Open
                ? QFileDialog::getOpenFileName(owner, QString(), start)
                : QFileDialog::getSaveFileName(owner, QString(), start, QString(), nullptr,
                                               QFileDialog::DontConfirmOverwrite);
        if (chosen.isEmpty()) return std::nullopt;
        return chosen;
    }
};

QtFileChooser& QtChooser() {
    static QtFileChooser chooser;
    return chooser;
}

FileChooser* installed = nullptr;

}  // namespace

FileChooser& CurrentFileChooser() {
    return installed ? *installed : QtChooser();
}

FileChooser* SetFileChooser(FileChooser* chooser) {
    FileChooser* before = installed;
    installed = chooser;
    return before;
}

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
