// The text of an INI file as Windows profiles read it: "[section]" lines,
// "key=value" lines, anything else kept as it stands. Section and key names
// match without regard to case; a change touches only its own line.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

namespace vorlan {

class IniText {
public:
    // Splits the file's bytes into lines (CR LF or LF); lines that are not
    // changed come back byte for byte, except that a last line without a
    // break gets CR LF.
    static IniText FromBytes(const QByteArray& bytes);
    QByteArray toBytes() const;

    // The value of the first key of that name in a section of that name,
    // with the blanks around it removed; nothing when there is none.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Replaces the key's line, or adds "key=value" at the end of the
    // section's keys, or adds the section at the end of the text.
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    struct Position {
        qsizetype line = -1;        // the key's line
        qsizetype insertAt = -1;    // after the section's last key; -1 without the section
    };
    Position find(const QString& section, const QString& key) const;

    QList<QByteArray> lines_;  // without "\n"; a CR of the file stays on its line
};

}  // namespace vorlan
