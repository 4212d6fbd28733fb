#include "KilledSaveDocuments.h"

#include "RandomSource.h"
#include "ScheduleWriter.h"

#include <QFile>
#include <cstring>

namespace {

MediaEntry mediaEntry(const QByteArray& name, const QByteArray& extension, int number) {
    MediaEntry entry;
    SetFieldBytes(entry.name, name + QByteArray::number(number % 1000));
    SetFieldBytes(entry.extension, extension);
    entry.playTimes = quint8(number % 101);
    entry.volume = quint8(number % 17);
    return entry;
}

AdvanceEntry advanceEntry(int number, int detailCount) {
    AdvanceEntry entry;
    entry.startYear = quint8(6 + number % 10);
    entry.startMonth = quint8(1 + number % 12);
    entry.startDay = quint8(1 + number % 28);
    entry.stopYear = quint8(entry.startYear + 1);
    entry.weekDay = quint8(number % 8);
    for (int d = 0; d < detailCount; ++d)
        entry.details.append(mediaEntry("DETAIL", "MPG", number * 1000 + d));
    return entry;
}

} // namespace

ScheduleDocument PreparedDocument() {
    return ScheduleDocument({mediaEntry("PREPARED", "WAV", 1), mediaEntry("PREPARED", "WAV", 2)},
                            {advanceEntry(3, 2)});
}

ScheduleDocument LargeDocument() {
    // About 62 kB on disk: a save takes a few milliseconds.
    ScheduleDocument document;
    for (int j = 0; j < 255; ++j)
        document.append(ListAddress::basic(), mediaEntry("LARGE", "MP3", j));
    for (int j = 0; j < 15; ++j)
        document.appendAdvance(advanceEntry(j, 120));
    return document;
}

ScheduleDocument SmallDocument() {
    return ScheduleDocument({mediaEntry("SMALL", "OGG", 7)}, {advanceEntry(9, 1)});
}

const ScheduleDocument& DocumentOfSave(quint32 saveNumber, bool largeFirst) {
    static const ScheduleDocument large = LargeDocument();
    static const ScheduleDocument small = SmallDocument();
    const bool first = saveNumber % 2 == 1;
    return first == largeFirst ? large : small;
}

QByteArray FixedBytesOf(const ScheduleDocument& document, quint32 seed) {
    SeededRandomSource random(seed);
    return EncodeSchedule(document, random).value();
}

SaveProgress ReadSaveProgress(const QString& path) {
    QFile file(path);
    SaveProgress progress;
    if (!file.open(QIODevice::ReadOnly))
        return progress;
    const QByteArray bytes = file.read(sizeof progress);
    if (bytes.size() == sizeof progress)
        std::memcpy(&progress, bytes.constData(), sizeof progress);
    return progress;
}
