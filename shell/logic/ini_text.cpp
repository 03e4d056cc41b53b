#include "ini_text.h"

namespace vorlan {

namespace {

// A line without its break (LF, CR LF).
QByteArray Content(const QByteArray& line) {
    QByteArray text = line;
    if (text.endsWith('\n')) text.chop(1);
    if (text.endsWith('\r')) text.chop(1);
    return text;
}

// The name of a "[name]" line.
std::optional<QString> SectionName(const QByteArray& line, TextEncoding encoding) {
    const QByteArray text = Content(line).trimmed();
    if (!text.startsWith('[')) return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close < 0) return std::nullopt;
    return DecodeText(text.mid(1, close - 1).trimmed(), encoding);
}

struct KeyLine {
    QString key;
    QString value;
};

// The key and value of a "key=value" line; comments (";") are none. ASCII
// white space around them is taken off; a non-breaking space stays.
std::optional<KeyLine> ParseKeyLine(const QByteArray& line, TextEncoding encoding) {
    const QByteArray text = Content(line).trimmed();
    if (text.startsWith(';') || text.startsWith('[')) return std::nullopt;
    const qsizetype eq = text.indexOf('=');
    if (eq <= 0) return std::nullopt;
    return KeyLine{DecodeText(text.first(eq).trimmed(), encoding),
                   DecodeText(text.mid(eq + 1).trimmed(), encoding)};
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// A line written anew in that encoding, ended with CR LF. A text that
// Windows-1251 cannot hold goes in UTF-8 instead, whole, rather than with
// "?" for what is missing: every line reads in its own encoding, so it
// reads back as written.
QByteArray WrittenLine(const QString& text, TextEncoding encoding) {
    return EncodeText(text, Holds(encoding, text) ? encoding : TextEncoding::Utf8) + "\r\n";
}

}  // namespace

IniText IniText::FromBytes(const QByteArray& bytes) {
    IniText text;
    text.form_ = DetectTextForm(bytes);
    for (const QByteArrayView line : SplitLines(TextBytes(bytes))) text.lines_.append(line.toByteArray());
    return text;
}

QByteArray IniText::toBytes() const {
    QByteArray bytes;
    if (form_.byteOrderMark) bytes += kUtf8ByteOrderMark;
    for (const QByteArray& line : lines_) bytes += line;
    return bytes;
}

IniText::Position IniText::find(const QString& section, const QString& key) const {
    Position found;
    bool inSection = false;
    int sectionsSeen = 0;  // new keys go behind the last key of the first one
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const TextEncoding encoding = encodingOf(lines_[i]);
        if (const auto name = SectionName(lines_[i], encoding)) {
            inSection = SameName(*name, section);
            if (inSection && ++sectionsSeen == 1) found.insertAt = i + 1;
            continue;
        }
        if (!inSection) continue;
        if (const auto entry = ParseKeyLine(lines_[i], encoding)) {
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
    return ParseKeyLine(lines_[at.line], encodingOf(lines_[at.line]))->value;
}

TextEncoding IniText::encodingOf(const QByteArray& line) const {
    return LineEncoding(line).value_or(form_.encoding);
}

void IniText::insertLine(qsizetype at, const QByteArray& line) {
    // A last line without a break gets one before anything goes behind it.
    if (at == lines_.size() && !lines_.isEmpty() && !lines_.last().endsWith('\n')) {
        lines_.last() += lines_.last().endsWith('\r') ? "\n" : "\r\n";
    }
    lines_.insert(at, line);
}

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    const Position at = find(section, key);
    if (at.line >= 0) {
        const TextEncoding encoding = encodingOf(lines_[at.line]);
        const KeyLine stored = *ParseKeyLine(lines_[at.line], encoding);
        if (stored.value == value) return;
        // Keep the key as the file spells it, in the line's own encoding.
        lines_[at.line] = WrittenLine(stored.key + u'=' + value, encoding);
    } else if (at.insertAt >= 0) {
        insertLine(at.insertAt, WrittenLine(key + u'=' + value, form_.encoding));
    } else {
        if (!lines_.isEmpty() && !Content(lines_.last()).trimmed().isEmpty()) insertLine(lines_.size(), "\r\n");
        insertLine(lines_.size(), WrittenLine(u'[' + section + u']', form_.encoding));
        insertLine(lines_.size(), WrittenLine(key + u'=' + value, form_.encoding));
    }
}

}  // namespace vorlan
