// Any bytes given to the schedule reader either decode to a document that the
// writer can store and that reads back the same, or give a clean error. The
// warnings and the day plan take whatever values the periods hold: the plan
// of a day covers it without gap or overlap.
#include "DayPlan.h"
#include "RandomSource.h"
#include "ScheduleReader.h"
#include "ScheduleWarnings.h"
#include "ScheduleWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DecodeResult result =
        DecodeSchedule(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!result.ok()) {
        if (result.error().isEmpty() || result.failure().offset < 0 ||
            result.failure().offset > qint64(size))
            std::abort();
        return 0;
    }
    if (result->trailingBytes < 0 || result->trailingBytes > qint64(size))
        std::abort();
    // Every document the reader gives is stored at the first draw and reads
    // back the same.
    SeededRandomSource random{quint32(size)};
    const Result<QByteArray> bytes = EncodeSchedule(result->document, random);
    if (!bytes)
        std::abort();
    const DecodeResult again = DecodeSchedule(bytes.value());
    if (!again.ok() || !(again->document == result->document) || again->trailingBytes != 0)
        std::abort();

    const QDate day = QDate(2000, 1, 1).addDays(qint64(size) * 37 % 93000);
    for (const ScheduleWarning& warning : ScheduleWarnings(result->document, day))
        if (WarningLine(result->document, warning, day).isEmpty())
            std::abort();
    int next = 0;
    for (const DaySegment& segment : DaySegments(PeriodsOnDate(result->document, day))) {
        if (segment.firstSecond != next || segment.lastSecond < segment.firstSecond ||
            PeriodsAt(result->document, day, segment.lastSecond) != segment.advanceRows)
            std::abort();
        next = segment.lastSecond + 1;
    }
    if (next != SecondsPerDay)
        std::abort();
    return 0;
}
