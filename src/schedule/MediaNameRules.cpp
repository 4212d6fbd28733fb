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

int LastDotPosition(const QString& name) {
    return int(name.lastIndexOf(u'.') + 1);
}

bool FileNameCharCheck(const QString& name) {
    for (QChar c : name) {
        const char16_t u = c.unicode();
        const bool allowed = (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') ||
                             (u >= u'0' && u <= u'9') || u == u'.' || u == u'_' || u == u'-';
        if (!allowed)
            return false;
    }
    return true;
}

MediaName SplitMediaName(const QString& name) {
    const int dot = LastDotPosition(name);
    if (dot == 0)
        return {name, QString()};
    return {name.left(dot - 1), name.mid(dot)};
}

bool FileNameCheck(const QString& fileNameText) {
    const QString name = TrimSpaces(fileNameText);
    if (name.isEmpty())
        return false;
    const MediaName parts = SplitMediaName(name);
    return parts.base.size() <= MediaEntry::NameWidth &&
           parts.extension.size() <= MediaEntry::ExtensionWidth && FileNameCharCheck(name);
}

void StoreMediaName(const QString& fileNameText, MediaEntry& entry) {
    const MediaName parts = SplitMediaName(TrimSpaces(fileNameText));
    SetFieldBytes(entry.name, upperAscii(parts.base).left(MediaEntry::NameWidth));
    SetFieldBytes(entry.extension, upperAscii(parts.extension).left(MediaEntry::ExtensionWidth));
}

QString EditorFileNameText(const MediaEntry& entry) {
    return AnsiText(bytesBeforeFirstZero(entry.name)) + QLatin1Char('.') +
           AnsiText(bytesBeforeFirstZero(entry.extension));
}
