// The encodings of the text files that users bring: UTF-8, as the program
// writes its own files, or Windows-1251, as the Windows program wrote them.
// A file may hold both, once a Windows editor has touched a UTF-8 file, so
// the encoding is each line's own: a line that is valid UTF-8 reads as
// UTF-8, any other as Windows-1251. Lines end at LF; the line break is
// ASCII and reads alike in both. A UTF-8 byte-order mark before the text is
// taken off and remembered.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

namespace vorlan {

enum class TextEncoding { Utf8, Windows1251 };

inline constexpr QByteArrayView kUtf8ByteOrderMark("\xef\xbb\xbf");

// How a file stores its text.
struct TextForm {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;  // the file begins with EF BB BF

    friend bool operator==(const TextForm&, const TextForm&) = default;
};

// The form of a file's bytes: its encoding is UTF-8 when all of its text
// (behind a byte-order mark) is valid UTF-8, and Windows-1251 otherwise.
// New lines of the file take that encoding.
TextForm DetectTextForm(QByteArrayView bytes);

// The bytes of the text: `bytes` without a leading UTF-8 byte-order mark.
QByteArrayView TextBytes(QByteArrayView bytes);

// The text's lines, each with its LF (or CR LF); the last one may have none.
// Empty text has no lines.
QList<QByteArrayView> SplitLines(QByteArrayView text);

// A line's own encoding; a line of pure ASCII reads alike in both and has
// none of its own.
std::optional<TextEncoding> LineEncoding(QByteArrayView line);

// Bytes of that encoding as text; a character U+FEFF at the start is kept
// (the mark is the caller's to take off).
QString DecodeText(QByteArrayView bytes, TextEncoding encoding);

// Text in that encoding; a character that Windows-1251 lacks becomes "?".
QByteArray EncodeText(QStringView text, TextEncoding encoding);

// Whether that encoding holds every character of the text: UTF-8 holds
// all, Windows-1251 only its own 256.
bool Holds(TextEncoding encoding, QStringView text);

// A whole file's text, each line in its own encoding, without the
// byte-order mark.
QString DecodeFile(QByteArrayView bytes);

}  // namespace vorlan
