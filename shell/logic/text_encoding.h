// The encodings of the text files that users bring: UTF-8, as the program
// writes its own files, or Windows-1251, as the Windows program wrote them.
// A UTF-8 byte-order mark before the text is taken off and remembered.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

namespace vorlan {

enum class TextEncoding { Utf8, Windows1251 };

inline constexpr QByteArrayView kUtf8ByteOrderMark("\xef\xbb\xbf");

// How a file stores its text.
struct TextForm {
    TextEncoding encoding = TextEncoding::Utf8;
    bool byteOrderMark = false;  // the file begins with EF BB BF

    friend bool operator==(const TextForm&, const TextForm&) = default;
};

// The form of a file's bytes: its text (behind a byte-order mark) is UTF-8
// when it is valid UTF-8, and Windows-1251 otherwise.
TextForm DetectTextForm(QByteArrayView bytes);

// The bytes of the text: `bytes` without a leading UTF-8 byte-order mark.
QByteArrayView TextBytes(QByteArrayView bytes);

// Bytes of that encoding as text; a character U+FEFF at the start is kept
// (the mark is the caller's to take off).
QString DecodeText(QByteArrayView bytes, TextEncoding encoding);

// Text in that encoding; a character that Windows-1251 lacks becomes "?".
QByteArray EncodeText(QStringView text, TextEncoding encoding);

// A whole file's text in its own form, without the byte-order mark.
QString DecodeFile(QByteArrayView bytes);

}  // namespace vorlan
