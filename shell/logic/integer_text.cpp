#include "integer_text.h"

#include <cstdint>
#include <limits>

namespace vorlan {

namespace {

int HexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

}  // namespace

std::optional<int> ParseInteger(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        negative = text[i] == u'-';
        ++i;
    }

    const QStringView rest = text.mid(i);
    if (rest.startsWith(u'$') || rest.startsWith(u"0x", Qt::CaseInsensitive)) {
        const QStringView digits = rest.mid(rest.startsWith(u'$') ? 1 : 2);
        if (digits.isEmpty() || digits.size() > 8) return std::nullopt;
        std::uint32_t value = 0;
        for (QChar c : digits) {
            const int d = HexDigit(c);
            if (d < 0) return std::nullopt;
            value = value * 16 + static_cast<std::uint32_t>(d);
        }
        return static_cast<int>(negative ? 0u - value : value);  // wraps, as 32 bits do
    }

    if (rest.isEmpty()) return std::nullopt;
    std::int64_t value = 0;
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<int>::min())
                                        : std::numeric_limits<int>::max();
    for (QChar c : rest) {
        if (c < u'0' || c > u'9') return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
}

QString NotAnIntegerMessage(const QString& text) {
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}

}  // namespace vorlan
