// Fonts and colours that the forms share.
#pragma once

#include <QColor>
#include <QFont>

class QWidget;

namespace vorlan {

// The cream of the button bar and of the page headings.
inline const QColor kCream{0xFF, 0xFB, 0xF0};

QFont SerifFont(int pointSize, bool bold);
// Fills the widget's background with `colour`.
void PaintBackground(QWidget* widget, const QColor& colour);

}  // namespace vorlan
