// Fonts and colours that the forms share.
#pragma once

#include <QColor>
#include <QFont>
#include <QLatin1String>

class QWidget;

namespace vorlan {

// The cream of the button bar and of the page headings.
inline const QColor kCream{0xFF, 0xFB, 0xF0};

QFont SerifFont(int pointSize, bool bold);
// Fills the widget's background with `colour`.
void PaintBackground(QWidget* widget, const QColor& colour);

// Gives a new component of a form its name and hands it back.
template <typename W>
W* Named(W* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace vorlan
