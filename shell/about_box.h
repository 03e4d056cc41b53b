// fmAbout: the about box.
#pragma once

#include <QDialog>

namespace vorlan {

class TfmAbout : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* parent = nullptr);
};

}  // namespace vorlan
