#include "MediaNameRules.h"

#include "RowFormat.h"

namespace {

QByteArray upperAscii(const QString& text) {
    return text.toUpper().toLatin1();
}

template <std::size_t N> QByteArray bytesBeforeFirstZero(const std::array<quint8, N>& field) {
    QByteArray bytes;
    for (quint8 byte : field) {
        if (byte == 0)
            break;
        bytes.append(char(byte));
    }
    return bytes;
}

struct MediaName {
    QString base;      // before the last dot (the whole name when there is none)
    QString extension; // after the last dot
};

// "x.y.mp3" gives "x.y" and "mp3".
MediaName splitAtLastDot(const QString& name) {
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0)
        return {name, QString()};
    return {name.left(dot), name.mid(dot + 1)};
}

} // namespace

QString TrimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

bool IsMediaNameCharacter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') ||
           c == U'.' || c == U'_' || c == U'-';
}

bool IsStoredMediaNameByte(quint8 byte) {
    return IsMediaNameCharacter(byte) && !(byte >= 'a' && byte <= 'z');
}

bool IsAcceptedMediaFileName(const QString& fileNameText) {
    const QString name = TrimSpaces(fileNameText);
    if (name.isEmpty())
        return false;
    const MediaName parts = splitAtLastDot(name);
    return parts.base.size() <= MediaEntry::NameWidth &&
           parts.extension.size() <= MediaEntry::ExtensionWidth &&
           std::all_of(name.begin(), name.end(),
                       [](QChar c) { return IsMediaNameCharacter(c.unicode()); });
}

void StoreMediaName(const QString& fileNameText, MediaEntry& entry) {
    const MediaName parts = splitAtLastDot(TrimSpaces(fileNameText));
    SetFieldBytes(entry.name, upperAscii(parts.base).left(MediaEntry::NameWidth));
    SetFieldBytes(entry.extension, upperAscii(parts.extension).left(MediaEntry::ExtensionWidth));
}

QString EditorFileNameText(const MediaEntry& entry) {
    return AnsiText(bytesBeforeFirstZero(entry.name)) + QLatin1Char('.') +
           AnsiText(bytesBeforeFirstZero(entry.extension));
}
