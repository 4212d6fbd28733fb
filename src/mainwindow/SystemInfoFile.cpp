#include "SystemInfoFile.h"

#include "schedule/PathHelpers.h"
#include "schedule/SafeFileWrite.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

constexpr int ContextFieldCount = 7;
// Folders are short; a file larger than this is not ours.
constexpr qint64 MaxSystemInfoSize = 1 << 20;

QString systemInfoPath(const AppContext& context) {
    return context.appFolder + QString::fromUtf16(SystemInfoFileName);
}

class FieldReader final {
public:
    explicit FieldReader(const QString& text)
        : m_text(text) {}

    std::optional<QString> next() {
        while (m_pos < m_text.size() && m_text[m_pos] == u' ')
            ++m_pos;
        if (m_pos >= m_text.size())
            return std::nullopt;
        QString field;
        if (m_text[m_pos] == u'"') {
            const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
            if (close < 0)
                return std::nullopt;
            field = m_text.sliced(m_pos + 1, close - m_pos - 1);
            m_pos = close + 1;
            skipToNextField();
        } else {
            const qsizetype start = m_pos;
            while (m_pos < m_text.size() && !isDelimiter(m_text[m_pos]))
                ++m_pos;
            field = m_text.sliced(start, m_pos - start);
            while (field.endsWith(u' '))
                field.chop(1);
            consumeDelimiter();
        }
        for (QChar c : field) {
            if (c.unicode() < 0x20)
                return std::nullopt;
        }
        return field;
    }

private:
    static bool isDelimiter(QChar c) { return c == u',' || c == u'\r' || c == u'\n'; }

    // After a closing quote anything up to the next comma or line end is ignored.
    void skipToNextField() {
        while (m_pos < m_text.size() && !isDelimiter(m_text[m_pos]))
            ++m_pos;
        consumeDelimiter();
    }

    void consumeDelimiter() {
        if (m_pos >= m_text.size())
            return;
        if (m_text[m_pos] == u',') {
            ++m_pos;
            return;
        }
        if (m_text[m_pos] == u'\r')
            ++m_pos;
        if (m_pos < m_text.size() && m_text[m_pos] == u'\n')
            ++m_pos;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

QByteArray quoted(const QString& value) {
    return '"' + value.toUtf8() + '"';
}

} // namespace

SystemInfoFields ParseSystemInfo(const QByteArray& content, int wantedFields) {
    const QString text = QString::fromUtf8(content);
    FieldReader reader(text);
    SystemInfoFields result;
    while (result.fields.size() < wantedFields) {
        const std::optional<QString> field = reader.next();
        if (!field)
            break;
        result.fields.append(*field);
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

SystemInfoStatus ReadSystemInfo(AppContext& context) {
    const QString path = systemInfoPath(context);
    if (!FileExists(context.appFolder, QString::fromUtf16(SystemInfoFileName)))
        return SystemInfoStatus::Missing;

    QFile file(path);
    SystemInfoFields read;
    if (file.open(QIODevice::ReadOnly) && file.size() <= MaxSystemInfoSize)
        read = ParseSystemInfo(file.readAll(), ContextFieldCount + 1);
    file.close();

    QString* const targets[ContextFieldCount] = {
        &context.openFolder,       &context.saveFolder,  &context.scheduleFolder,
        &context.scheduleFileName, &context.mediaFolder, &context.copyTargetDrive,
        &context.copyTargetFolder};
    const bool isFolder[ContextFieldCount] = {true, true, true, false, true, false, true};
    for (int i = 0; i < qMin<int>(ContextFieldCount, int(read.fields.size())); ++i)
        *targets[i] = isFolder[i] ? WithTrailingSeparator(read.fields[i]) : read.fields[i];

    if (!read.complete) {
        QFile::remove(path);
        return SystemInfoStatus::Damaged;
    }
    // The language line is optional: files written before it had six lines.
    if (read.fields.size() > ContextFieldCount) {
        const QString language = read.fields[ContextFieldCount];
        if (language == u"1"_s || language == u"2"_s)
            context.languageSelector = quint16(language.toUShort());
    }
    return SystemInfoStatus::Read;
}

bool WriteSystemInfo(const AppContext& context, QString* error) {
    return WriteFileSafely(systemInfoPath(context), FormatSystemInfo(context), error);
}
