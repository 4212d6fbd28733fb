#include "SystemInfoFile.h"

#include "PathHelpers.h"
#include "RegularFile.h"
#include "SafeFileWrite.h"
#include "SystemInfoValue.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

constexpr int ContextFieldCount = 7;
// Folders are short; a file larger than this is not ours.
constexpr qint64 MaxSystemInfoSize = 1 << 20;

QString systemInfoPath(const AppContext& context) {
    return context.appFolder + QString::fromUtf16(SystemInfoFileName);
}

// One field as the file holds it, before its value is decoded.
struct StoredField {
    QByteArrayView bytes;
    bool broken = false; // its quote was never closed
};

class FieldReader final {
public:
    explicit FieldReader(QByteArrayView text)
        : m_text(text) {}

    std::optional<StoredField> next() {
        skipSpaces();
        if (m_pos >= m_text.size())
            return std::nullopt;
        if (m_text[m_pos] == '"')
            return quoted();
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && !isDelimiter(m_text[m_pos]))
            ++m_pos;
        QByteArrayView field = m_text.sliced(start, m_pos - start);
        while (field.endsWith(' '))
            field.chop(1);
        consumeDelimiter();
        return StoredField{field};
    }

private:
    static bool isDelimiter(char c) { return c == ',' || isLineEnd(c); }
    static bool isLineEnd(char c) { return c == '\r' || c == '\n'; }

    StoredField quoted() {
        const qsizetype open = m_pos;
        const qsizetype close = m_text.indexOf('"', open + 1);
        qsizetype lineEnd = open + 1;
        while (lineEnd < m_text.size() && !isLineEnd(m_text[lineEnd]))
            ++lineEnd;
        // A quote that closes only on a later line, where more follows it, is
        // the opening quote of the next value: this one was left open. Ending
        // it with its line keeps the values after it in their places.
        if (close < 0 || (lineEnd < close && !endsField(close + 1))) {
            m_pos = lineEnd;
            consumeDelimiter();
            return {m_text.sliced(open + 1, lineEnd - open - 1), true};
        }
        m_pos = close + 1;
        // Anything up to the next comma or line end is ignored.
        while (m_pos < m_text.size() && !isDelimiter(m_text[m_pos]))
            ++m_pos;
        consumeDelimiter();
        return {m_text.sliced(open + 1, close - open - 1)};
    }

    bool endsField(qsizetype pos) const {
        while (pos < m_text.size() && m_text[pos] == ' ')
            ++pos;
        return pos >= m_text.size() || isDelimiter(m_text[pos]);
    }

    void skipSpaces() {
        while (m_pos < m_text.size() && m_text[m_pos] == ' ')
            ++m_pos;
    }

    void consumeDelimiter() {
        if (m_pos >= m_text.size())
            return;
        if (m_text[m_pos] == ',') {
            ++m_pos;
            return;
        }
        if (m_text[m_pos] == '\r')
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == '\n')
            ++m_pos;
    }

    QByteArrayView m_text;
    qsizetype m_pos = 0;
};

QByteArray quoted(const QString& value) {
    return '"' + EncodeSystemInfoValue(value) + '"';
}

// Folders and the drive are absolute paths.
bool isUsablePath(const QString& value) {
    return QDir::isAbsolutePath(value) && !value.contains(QChar(0));
}

bool isUsableFileName(const QString& value) {
    return !value.isEmpty() && value != u"."_s && value != u".."_s && !value.contains(u'/') &&
           !value.contains(QDir::separator()) && !value.contains(QChar(0));
}

SystemInfoReading unreadable(const QString& reason) {
    return {SystemInfoStatus::Unreadable, reason};
}

} // namespace

SystemInfoFields ParseSystemInfo(const QByteArray& content, int wantedFields) {
    QByteArrayView text = content;
    // An editor may have put a byte order mark in front of the first quote.
    if (text.startsWith("\xEF\xBB\xBF"))
        text = text.sliced(3);
    FieldReader reader(text);
    SystemInfoFields result;
    while (result.fields.size() < wantedFields) {
        const std::optional<StoredField> field = reader.next();
        if (!field)
            break;
        const std::optional<QString> value =
            field->broken ? std::nullopt : DecodeSystemInfoValue(field->bytes);
        if (!value)
            result.badFields.append(int(result.fields.size()));
        result.fields.append(value.value_or(QString()));
    }
    result.complete = result.fields.size() >= ContextFieldCount;
    return result;
}

QByteArray FormatSystemInfo(const AppContext& context) {
    const QByteArray lineEnd = "\r\n";
    return quoted(context.openFolder) + lineEnd + quoted(context.saveFolder) + lineEnd +
           quoted(context.scheduleFolder) + lineEnd + quoted(context.scheduleFileName) + lineEnd +
           quoted(context.mediaFolder) + lineEnd + quoted(context.copyTargetDrive) + ',' +
           quoted(context.copyTargetFolder) + lineEnd +
           quoted(QString::number(context.languageSelector)) + lineEnd;
}

SystemInfoReading ReadSystemInfo(AppContext& context) {
    const QString path = systemInfoPath(context);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {SystemInfoStatus::Missing, {}};

    // A file that cannot be read is left as it is: it may well be readable
    // again later, and then it still holds every value.
    QFile file;
    if (const Result<void> opened = OpenRegularFile(file, path); !opened)
        return unreadable(opened.error());
    if (file.size() > MaxSystemInfoSize)
        return unreadable(u"the file is larger than %1 bytes"_s.arg(MaxSystemInfoSize));
    const QByteArray content = file.read(MaxSystemInfoSize + 1);
    if (file.error() != QFileDevice::NoError)
        return unreadable(file.errorString());
    if (content.size() > MaxSystemInfoSize)
        return unreadable(u"the file is larger than %1 bytes"_s.arg(MaxSystemInfoSize));
    file.close();
    const SystemInfoFields read = ParseSystemInfo(content, ContextFieldCount + 1);

    enum Kind { Folder, Drive, FileName };
    const std::pair<QString*, Kind> targets[ContextFieldCount] = {
        {&context.openFolder, Folder},      {&context.saveFolder, Folder},
        {&context.scheduleFolder, Folder},  {&context.scheduleFileName, FileName},
        {&context.mediaFolder, Folder},     {&context.copyTargetDrive, Drive},
        {&context.copyTargetFolder, Folder}};
    bool allGood = read.complete;
    for (int i = 0; i < qMin<int>(ContextFieldCount, int(read.fields.size())); ++i) {
        const QString& value = read.fields[i];
        const auto [target, kind] = targets[i];
        const bool usable = !read.badFields.contains(i) &&
                            (kind == FileName ? isUsableFileName(value) : isUsablePath(value));
        // A bad value keeps its start value; the others are still taken.
        if (!usable)
            allGood = false;
        else
            *target = kind == Folder ? WithTrailingSeparator(value) : value;
    }
    // The language line is optional: files written before it had six lines.
    if (read.fields.size() > ContextFieldCount) {
        const QString language = read.fields[ContextFieldCount];
        if (language == u"1"_s || language == u"2"_s)
            context.languageSelector = quint16(language.toUShort());
    }

    if (!allGood) {
        QFile::remove(path);
        return {SystemInfoStatus::Damaged, {}};
    }
    return {SystemInfoStatus::Read, {}};
}

Result<void> WriteSystemInfo(const AppContext& context) {
    return WriteFileSafely(systemInfoPath(context), FormatSystemInfo(context));
}
