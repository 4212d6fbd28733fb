#include "SystemInfoValue.h"

#include <QStringDecoder>
#include <algorithm>

namespace {

constexpr QByteArrayView EscapedMark = "//";

bool isControl(char c) {
    return uchar(c) < 0x20;
}

bool breaksField(char c) {
    return c == '"' || isControl(c);
}

bool escapedInMarkedValue(char c) {
    return c == '%' || c == ',' || breaksField(c);
}

bool needsMark(QByteArrayView bytes) {
    return bytes.startsWith(EscapedMark) || std::any_of(bytes.begin(), bytes.end(), breaksField);
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

std::optional<QByteArray> unescaped(QByteArrayView escaped) {
    QByteArray bytes;
    bytes.reserve(escaped.size());
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i] != '%') {
            bytes.append(escaped[i]);
            continue;
        }
        const int high = i + 2 < escaped.size() ? hexDigit(escaped[i + 1]) : -1;
        const int low = high >= 0 ? hexDigit(escaped[i + 2]) : -1;
        if (low < 0)
            return std::nullopt;
        bytes.append(char(high * 16 + low));
        i += 2;
    }
    return bytes;
}

} // namespace

QByteArray EncodeSystemInfoValue(const QString& value) {
    const QByteArray bytes = value.toUtf8();
    if (!needsMark(bytes))
        return bytes;
    constexpr char hex[] = "0123456789ABCDEF";
    QByteArray stored = EscapedMark.toByteArray();
    stored.reserve(stored.size() + 3 * bytes.size());
    for (char c : bytes) {
        if (escapedInMarkedValue(c)) {
            stored.append('%');
            stored.append(hex[uchar(c) >> 4]);
            stored.append(hex[uchar(c) & 0xF]);
        } else {
            stored.append(c);
        }
    }
    return stored;
}

std::optional<QString> DecodeSystemInfoValue(QByteArrayView stored) {
    if (std::any_of(stored.begin(), stored.end(), isControl))
        return std::nullopt;
    std::optional<QByteArray> bytes = stored.toByteArray();
    if (stored.startsWith(EscapedMark))
        bytes = unescaped(stored.sliced(EscapedMark.size()));
    if (!bytes)
        return std::nullopt;
    // A leading U+FEFF belongs to the name; it is no byte order mark here.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                     QStringDecoder::Flag::ConvertInitialBom);
    QString value = decoder.decode(*bytes);
    if (decoder.hasError())
        return std::nullopt;
    return value;
}
