// fmAbout: the about box, always 200 by 200, showing "about.txt".
#pragma once

#include <QDialog>

class QPlainTextEdit;

namespace vorlan {

class TfmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    // Sets the outer size, frame included, back to 200 by 200, whoever
    // changed it.
    void FormResize();
    // At every showing: the text of "about.txt" when the file exists.
    void FormShow();

    QPlainTextEdit* memAbout = nullptr;
};

}  // namespace vorlan
