#include "form_style.h"

#include <QPalette>
#include <QWidget>

namespace vorlan {

QFont SerifFont(int pointSize, bool bold) {
    QFont font(QStringLiteral("Times New Roman"), pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::Serif);
    return font;
}

void PaintBackground(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

}  // namespace vorlan
