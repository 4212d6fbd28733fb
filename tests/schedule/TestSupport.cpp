#include "TestSupport.h"

#include "schedule/DateRules.h"
#include "schedule/RowFormat.h"

#include <QFile>
#include <QTest>

using namespace Qt::StringLiterals;

double ScriptedRandomSource::nextUnit() {
    const qsizetype index = m_drawCount++;
    return index < m_script.size() ? m_script[index] : m_afterScript;
}

double UnitFor(int value, int span) {
    // A quarter below the value rounds to it and stays below 1 for value == span.
    return value == 0 ? 0.0 : (value - 0.25) / span;
}

namespace {

constexpr char EditorNameCharacters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789._-";

template <std::size_t N>
void fillEditorField(std::array<quint8, N>& field, int length, QRandomGenerator& random) {
    field.fill(0);
    for (int i = 0; i < length; ++i)
        field[std::size_t(i)] =
            quint8(EditorNameCharacters[random.bounded(int(sizeof EditorNameCharacters) - 1)]);
}

} // namespace

MediaEntry DocumentGenerator::editorMediaEntry() {
    MediaEntry entry;
    fillEditorField(entry.name, bounded(0, MediaEntry::NameWidth), m_random);
    fillEditorField(entry.extension, bounded(0, MediaEntry::ExtensionWidth), m_random);
    entry.playTimes = quint8(bounded(0, MaxPlayTimes));
    entry.volume = quint8(bounded(0, DefaultVolume));
    return entry;
}

AdvanceEntry DocumentGenerator::editorAdvanceEntry(int detailCount) {
    AdvanceEntry entry;
    entry.startYear = quint8(bounded(0, LastYear - FirstYear));
    entry.startMonth = quint8(bounded(1, 12));
    entry.startDay = quint8(bounded(1, DaysOfMonth(FirstYear + entry.startYear, entry.startMonth)));
    entry.stopYear = quint8(bounded(entry.startYear, LastYear - FirstYear));
    entry.stopMonth = quint8(bounded(1, 12));
    entry.stopDay = quint8(bounded(1, DaysOfMonth(FirstYear + entry.stopYear, entry.stopMonth)));
    entry.startHour = quint8(bounded(0, 23));
    entry.startMinute = quint8(bounded(0, 59));
    entry.startSecond = quint8(bounded(0, 59));
    entry.stopHour = quint8(bounded(0, 23));
    entry.stopMinute = quint8(bounded(0, 59));
    entry.stopSecond = quint8(bounded(0, 59));
    entry.weekDay = quint8(bounded(0, EveryWeekDay));
    for (int d = 0; d < detailCount; ++d)
        entry.details.append(editorMediaEntry());
    return entry;
}

ScheduleDocument DocumentGenerator::editorDocument() {
    ScheduleDocument document;
    const int basicCount = count(MaxBasicEntries);
    for (int j = 0; j < basicCount; ++j)
        document.appendBasic(editorMediaEntry());
    const int advanceCount = count(MaxAdvanceEntries);
    for (int j = 0; j < advanceCount; ++j)
        document.appendAdvance(editorAdvanceEntry(count(MaxDetailEntries)));
    return document;
}

MediaEntry DocumentGenerator::byteMediaEntry() {
    MediaEntry entry;
    for (quint8& byte : entry.name)
        byte = anyStorableByte();
    for (quint8& byte : entry.extension)
        byte = anyStorableByte();
    for (quint8& byte : entry.reserved)
        byte = anyStorableByte();
    entry.playTimes = anyStorableByte();
    entry.volume = anyStorableByte();
    return entry;
}

AdvanceEntry DocumentGenerator::byteAdvanceEntry(int detailCount) {
    AdvanceEntry entry;
    for (quint8* field :
         {&entry.startYear, &entry.startMonth, &entry.startDay, &entry.startHour,
          &entry.startMinute, &entry.startSecond, &entry.stopYear, &entry.stopMonth, &entry.stopDay,
          &entry.stopHour, &entry.stopMinute, &entry.stopSecond, &entry.weekDay})
        *field = anyStorableByte();
    for (int d = 0; d < detailCount; ++d)
        entry.details.append(byteMediaEntry());
    return entry;
}

ScheduleDocument DocumentGenerator::byteDocument() {
    // The two list counts are stored as they are, so any of them can be
    // saved; a detail count is scrambled like every stream byte and is kept
    // to what every key can store.
    constexpr int mostEntries = 255;
    constexpr int mostDetails = 128;
    ScheduleDocument document;
    const int basicCount = count(mostEntries);
    for (int j = 0; j < basicCount; ++j)
        document.appendBasic(byteMediaEntry());
    const int advanceCount = count(mostEntries);
    for (int j = 0; j < advanceCount; ++j)
        document.appendAdvance(byteAdvanceEntry(count(mostDetails)));
    return document;
}

int DocumentGenerator::count(int limit) {
    // Large lists are rare so that a few hundred documents stay fast, but the
    // limits themselves are reached now and then.
    const int kind = bounded(0, 99);
    if (kind < 15)
        return 0;
    if (kind < 20)
        return limit;
    if (kind < 25)
        return bounded(0, limit);
    return bounded(1, 4);
}

MediaEntry MakeMediaEntry(QByteArrayView name, QByteArrayView extension, quint8 playTimes,
                          quint8 volume) {
    MediaEntry entry;
    if (!SetFieldBytes(entry.name, name.toByteArray()) ||
        !SetFieldBytes(entry.extension, extension.toByteArray()))
        qFatal("MakeMediaEntry: name or extension too long");
    entry.playTimes = playTimes;
    entry.volume = volume;
    return entry;
}

AdvanceEntry MakeAdvanceEntry(const AdvancePeriod& period, QList<MediaEntry> details) {
    AdvanceEntry entry;
    entry.setPeriod(period);
    entry.details = std::move(details);
    return entry;
}

AdvancePeriod MakePeriod(int startYear, int startMonth, int startDay, int stopYear, int stopMonth,
                         int stopDay, quint8 weekDay) {
    AdvancePeriod period;
    period.startYear = quint8(startYear - FirstYear);
    period.startMonth = quint8(startMonth);
    period.startDay = quint8(startDay);
    period.stopYear = quint8(stopYear - FirstYear);
    period.stopMonth = quint8(stopMonth);
    period.stopDay = quint8(stopDay);
    period.weekDay = weekDay;
    return period;
}

QByteArray HeaderBytes(const HeaderFields& fields) {
    QByteArray header;
    const auto put = [&header](quint8 byte) { header.append(char(byte)); };
    header.append("MORVA");                // 0
    header.append("0100KERNEL0000061018"); // 5
    for (quint8 byte : fields.fillersAt25) // 25
        put(byte);
    put(fields.keyBlockLength); // 30
    put(fields.fillerAt31);
    put(fields.keyOffset); // 32
    put(fields.fillerAt33);
    put(fields.keyLength); // 34
    put(fields.fillerAt35);
    for (quint8 byte : fields.fillersAt36)
        put(byte);
    put(fields.basicCount);   // 40
    put(fields.advanceCount); // 41
    for (quint8 byte : fields.fillersAt42)
        put(byte);
    if (header.size() != 50)
        qFatal("HeaderBytes: the header is not 50 bytes");
    return header;
}

QByteArray PlainMediaRecord(const MediaEntry& entry, quint8 filler1, quint8 filler2) {
    QByteArray record;
    for (quint8 byte : entry.name)
        record.append(char(byte));
    for (quint8 byte : entry.extension)
        record.append(char(byte));
    record.append(char(entry.playTimes));
    for (quint8 byte : entry.reserved)
        record.append(char(byte));
    record.append(char(entry.volume));
    record.append(char(filler1));
    record.append(char(filler2));
    return record;
}

QByteArray PlainAdvanceRecord(const AdvancePeriod& period, quint8 filler, quint8 detailCount) {
    QByteArray record("#2");
    for (quint8 byte :
         {period.startYear, period.startMonth, period.startDay, period.startHour,
          period.startMinute, period.startSecond, period.stopYear, period.stopMonth, period.stopDay,
          period.stopHour, period.stopMinute, period.stopSecond, period.weekDay})
        record.append(char(byte));
    record.append(char(filler));
    record.append(char(detailCount));
    return record;
}

QByteArray ScrambleWithKey(QByteArrayView plain, QByteArrayView key) {
    QByteArray stored;
    for (qsizetype i = 0; i < plain.size(); ++i) {
        const int sum = quint8(plain[i]) + quint8(key[i % key.size()]);
        if (sum > 255)
            qFatal("ScrambleWithKey: the test chose a key that does not fit");
        stored.append(char(sum));
    }
    return stored;
}

QByteArray HandMadeFile(HeaderFields header, QByteArrayView key, QByteArrayView plainStream) {
    QByteArray block(header.keyBlockLength, char(0x55));
    for (qsizetype i = 0; i < key.size() && header.keyOffset + i < block.size(); ++i)
        block[header.keyOffset + i] = key[i];
    return HeaderBytes(header) + block +
           (key.isEmpty() ? plainStream.toByteArray() : ScrambleWithKey(plainStream, key));
}

QByteArray FileContent(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

bool WriteFileContent(const QString& path, QByteArrayView bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes.data(), bytes.size()) == bytes.size();
}

char* toString(const MediaEntry& entry) {
    const QString text = u"MediaEntry(%1 reserved %2)"_s.arg(
        MediaRowText(entry), QString::fromLatin1(FieldBytes(entry.reserved).toHex()));
    return qstrdup(text.toUtf8().constData());
}

char* toString(const ScheduleDocument& document) {
    QString text = u"ScheduleDocument(basic %1, advance %2, details"_s.arg(document.basicCount())
                       .arg(document.advanceCount());
    for (const AdvanceEntry& entry : document.advanceEntries())
        text += u' ' + QString::number(entry.detailCount());
    text += u')';
    return qstrdup(text.toUtf8().constData());
}
