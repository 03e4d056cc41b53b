// The shell's modal message boxes, behind one seam: tests install boxes that
// record the texts instead of waiting for a click.
#pragma once

#include <QString>

class QWidget;

namespace vorlan {

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A note with an OK button, e.g. "Вы не ввели определитель!".
    virtual void showMessage(QWidget* parent, const QString& text) = 0;
    // The application's error box: the text of an error that ended a handler.
    virtual void showError(QWidget* parent, const QString& text) = 0;
};

// The boxes in use: modal Qt message boxes unless a test installed others.
MessageBoxes& CurrentMessageBoxes();
// Installs `boxes` (not owned); nullptr brings back the modal ones. Returns
// the boxes installed before.
MessageBoxes* SetMessageBoxes(MessageBoxes* boxes);

inline void ShowMessageBox(QWidget* parent, const QString& text) {
    CurrentMessageBoxes().showMessage(parent, text);
}
inline void ShowErrorBox(QWidget* parent, const QString& text) {
    CurrentMessageBoxes().showError(parent, text);
}

}  // namespace vorlan
