#include "settings_dialog.h"

namespace vorlan {

TfmOptions::TfmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmOptions"));
    setWindowTitle(QStringLiteral("Настройки"));
    resize(504, 296);
}

}  // namespace vorlan
