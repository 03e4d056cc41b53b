// The text of an INI file as Windows profiles read it: "[section]" lines,
// "key=value" lines, anything else kept as it stands. Section and key names
// match without regard to case; a change touches only its own line. Each
// line is read in its own encoding (logic/text_encoding.h), so a Windows
// editor's Windows-1251 comment leaves the UTF-8 lines around it as they
// read.
#pragma once

#include "text_encoding.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace vorlan {

class IniText {
public:
    // Splits the file's bytes into lines (CR LF or LF) and notes its form
    // (logic/text_encoding.h). Written back, the text keeps its byte-order
    // mark, and every line that no change touched keeps its bytes. A changed
    // line keeps the encoding of the line it replaces; a new line takes the
    // file's encoding, and so does a changed line of pure ASCII, which has
    // none of its own. A line that Windows-1251 cannot hold ("Grüße.cir")
    // is written in UTF-8 wherever it goes. A new text is UTF-8.
    static IniText FromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    // The value of the first key of that name in a section of that name,
    // with the blanks around it removed; nothing when there is none.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Replaces the key's line (unless it holds that value already), or adds
    // "key=value" at the end of the section's keys, or adds the section at
    // the end of the text. Lines written are ended with CR LF.
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    struct Position {
        qsizetype line = -1;        // the key's line
        qsizetype insertAt = -1;    // after the section's last key; -1 without the section
    };
    Position find(const QString& section, const QString& key) const;
    // The line's own encoding, or the file's for a line of pure ASCII.
    TextEncoding encodingOf(const QByteArray& line) const;
    void insertLine(qsizetype at, const QByteArray& line);

    TextForm form_;
    QList<QByteArray> lines_;  // each with its own line break; the last may have none
};

}  // namespace vorlan
