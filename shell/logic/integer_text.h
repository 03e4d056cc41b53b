// Integers typed by the user or stored in Vorlan.ini.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace vorlan {

// Reads the whole text as a 32-bit signed integer: leading blanks, an
// optional sign, then decimal digits, or hexadecimal digits after "$", "0x"
// or "0X" (up to eight of them; 0xFFFFFFFF is -1). Anything else, trailing
// blanks included, is no integer.
std::optional<int> ParseInteger(QStringView text);

// The conversion error for a text that is no integer:
// "'abc' is not a valid integer value".
QString NotAnIntegerMessage(const QString& text);

}  // namespace vorlan
