#include "ini_text.h"

namespace vorlan {

namespace {

QByteArray WithoutCr(const QByteArray& line) {
    return line.endsWith('\r') ? line.first(line.size() - 1) : line;
}

// The name of a "[name]" line.
std::optional<QString> SectionName(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (!text.startsWith('[')) return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close < 0) return std::nullopt;
    return QString::fromUtf8(text.mid(1, close - 1)).trimmed();
}

struct KeyLine {
    QString key;
    QString value;
};

// The key and value of a "key=value" line; comments (";") are none.
std::optional<KeyLine> ParseKeyLine(const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (text.startsWith(';') || text.startsWith('[')) return std::nullopt;
    const qsizetype eq = text.indexOf('=');
    if (eq <= 0) return std::nullopt;
    return KeyLine{QString::fromUtf8(text.first(eq)).trimmed(),
                   QString::fromUtf8(text.mid(eq + 1)).trimmed()};
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QByteArray KeyValueLine(const QString& key, const QString& value) {
    return (key + u'=' + value).toUtf8() + '\r';
}

}  // namespace

IniText IniText::FromBytes(const QByteArray& bytes) {
    IniText text;
    if (bytes.isEmpty()) return text;
    text.lines_ = bytes.split('\n');
    if (bytes.endsWith('\n')) {
        text.lines_.removeLast();
    } else if (!text.lines_.last().endsWith('\r')) {
        // The last line had no break; written back it ends like the lines
        // this module writes, so no bare LF appears before a key added behind it.
        text.lines_.last() += '\r';
    }
    return text;
}

QByteArray IniText::toBytes() const {
    QByteArray bytes;
    for (const QByteArray& line : lines_) {
        bytes += line;
        bytes += '\n';
    }
    return bytes;
}

IniText::Position IniText::find(const QString& section, const QString& key) const {
    Position found;
    bool inSection = false;
    int sectionsSeen = 0;  // new keys go behind the last key of the first one
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const QByteArray line = WithoutCr(lines_[i]);
        if (const auto name = SectionName(line)) {
            inSection = SameName(*name, section);
            if (inSection && ++sectionsSeen == 1) found.insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (const auto entry = ParseKeyLine(line)) {
            if (SameName(entry->key, key)) {
                found.line = i;
                return found;
            }
            if (sectionsSeen == 1) found.insertAt = i + 1;
        }
    }
    return found;
}

std::optional<QString> IniText::value(const QString& section, const QString& key) const {
    const Position at = find(section, key);
    if (at.line < 0) return std::nullopt;
    return ParseKeyLine(WithoutCr(lines_[at.line]))->value;
}

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    const Position at = find(section, key);
    if (at.line >= 0) {
        // Keep the key as the file spells it.
        lines_[at.line] = KeyValueLine(ParseKeyLine(WithoutCr(lines_[at.line]))->key, value);
    } else if (at.insertAt >= 0) {
        lines_.insert(at.insertAt, KeyValueLine(key, value));
    } else {
        if (!lines_.isEmpty() && !WithoutCr(lines_.last()).trimmed().isEmpty()) lines_.append("\r");
        lines_.append(('[' + section + u']').toUtf8() + '\r');
        lines_.append(KeyValueLine(key, value));
    }
}

}  // namespace vorlan
