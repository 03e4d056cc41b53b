#include "message_box.h"

#include "replaceable.h"

#include <QApplication>
#include <QMessageBox>

namespace vorlan {

namespace {

class ModalBoxes final : public MessageBoxes {
public:
    void showMessage(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text,
                        QMessageBox::Ok, parent);
        box.exec();
    }
    void showError(QWidget* parent, const QString& text) override {
        QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), text,
                        QMessageBox::Ok, parent);
        box.exec();
    }
};

ModalBoxes& Modal() {
    static ModalBoxes boxes;
    return boxes;
}

}  // namespace

MessageBoxes& CurrentMessageBoxes() { return ServiceInUse<MessageBoxes>(Modal()); }

MessageBoxes* SetMessageBoxes(MessageBoxes* boxes) { return InstallService(boxes); }

}  // namespace vorlan
