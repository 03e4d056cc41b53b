// fmOptions: the settings dialog.
#pragma once

#include <QDialog>

namespace vorlan {

class TfmOptions : public QDialog {
    Q_OBJECT

public:
    explicit TfmOptions(QWidget* parent = nullptr);
};

}  // namespace vorlan
