#include "about_box.h"

namespace vorlan {

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmAbout"));
    setWindowTitle(QStringLiteral("Справка"));
    setFixedSize(200, 200);
}

}  // namespace vorlan
