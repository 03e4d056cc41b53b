#include "text_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace vorlan {

namespace {

constexpr auto kWindows1251 = "windows-1251";
// Each call converts a whole text, and a U+FEFF in it is text, not a mark.
constexpr auto kFlags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

}  // namespace

TextForm DetectTextForm(QByteArrayView bytes) {
    TextForm form;
    form.byteOrderMark = bytes.startsWith(kUtf8ByteOrderMark);
    if (!TextBytes(bytes).isValidUtf8()) form.encoding = TextEncoding::Windows1251;
    return form;
}

QByteArrayView TextBytes(QByteArrayView bytes) {
    return bytes.startsWith(kUtf8ByteOrderMark) ? bytes.sliced(kUtf8ByteOrderMark.size()) : bytes;
}

QList<QByteArrayView> SplitLines(QByteArrayView text) {
    QList<QByteArrayView> lines;
    for (qsizetype start = 0; start < text.size();) {
        const qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        lines.append(text.sliced(start, next - start));
        start = next;
    }
    return lines;
}

std::optional<TextEncoding> LineEncoding(QByteArrayView line) {
    if (std::ranges::all_of(line, [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return std::nullopt;
    }
    return line.isValidUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1251;
}

QString DecodeText(QByteArrayView bytes, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) {
        QStringDecoder decoder(QStringConverter::Utf8, kFlags);
        return decoder.decode(bytes);
    }
    QStringDecoder decoder(kWindows1251, kFlags);
    Q_ASSERT(decoder.isValid());
    return decoder.decode(bytes);
}

QByteArray EncodeText(QStringView text, TextEncoding encoding) {
    if (encoding == TextEncoding::Utf8) return text.toUtf8();
    QStringEncoder encoder(kWindows1251, kFlags);
    Q_ASSERT(encoder.isValid());
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError()) return bytes;

    // The converter marks a missing character with a control byte; "?"
    // stands for it instead, as in Windows' own conversion.
    bytes.clear();
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QStringEncoder one(kWindows1251, kFlags);
        const QByteArray encoded = one.encode(text.sliced(i, length));
        bytes += one.hasError() ? QByteArray("?") : encoded;
        i += length;
    }
    return bytes;
}

bool Holds(TextEncoding encoding, QStringView text) {
    if (encoding == TextEncoding::Utf8) return true;
    QStringEncoder encoder(kWindows1251, kFlags);
    Q_ASSERT(encoder.isValid());
    [[maybe_unused]] const QByteArray bytes = encoder.encode(text);
    return !encoder.hasError();
}

QString DecodeFile(QByteArrayView bytes) {
    QString text;
    for (const QByteArrayView line : SplitLines(TextBytes(bytes))) {
        text += DecodeText(line, LineEncoding(line).value_or(TextEncoding::Utf8));
    }
    return text;
}

}  // namespace vorlan
