#include "text_encoding.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>
#include <utility>

namespace vorlan {

namespace {

constexpr auto kWindows1251 = "windows-1251";
// Each call converts a whole text, and a U+FEFF in it is text, not a mark.
constexpr auto kFlags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

// The text of UTF-8 bytes; nothing when they are no valid UTF-8.
std::optional<QString> DecodeUtf8(QByteArrayView bytes) {
    QStringDecoder decoder(QStringConverter::Utf8, kFlags);
    QString text = decoder.decode(bytes);
    if (decoder.hasError()) return std::nullopt;
    return text;
}

}  // namespace

TextForm DetectTextForm(QByteArrayView bytes) {
    TextForm form;
    form.byteOrderMark = bytes.startsWith(kUtf8ByteOrderMark);
    if (!DecodeUtf8(TextBytes(bytes))) form.encoding = TextEncoding::Windows1251;
    return form;
}

QByteArrayView TextBytes(QByteArrayView bytes) {
    return bytes.startsWith(kUtf8ByteOrderMark) ? bytes.sliced(kUtf8ByteOrderMark.size()) : bytes;
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

QString DecodeFile(QByteArrayView bytes) {
    const QByteArrayView text = TextBytes(bytes);
    if (std::optional<QString> utf8 = DecodeUtf8(text)) return *std::move(utf8);
    return DecodeText(text, TextEncoding::Windows1251);
}

}  // namespace vorlan
