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
    void showEvent(QShowEvent* event) override;

private:
    // At every showing: the text of "about.txt" when the file exists.
    void FormShow();

    QPlainTextEdit* memAbout = nullptr;
};

}  // namespace vorlan
