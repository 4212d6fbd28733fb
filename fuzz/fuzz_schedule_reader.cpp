// Any bytes given to the schedule reader either decode to a document that the
// writer can store and that reads back the same, or give a clean error.
#include "schedule/RandomSource.h"
#include "schedule/ScheduleReader.h"
#include "schedule/ScheduleWriter.h"

#include <cstdint>
#include <cstdlib>

namespace {

template <std::size_t N> bool small(const std::array<quint8, N>& bytes) {
    for (quint8 byte : bytes) {
        if (byte > 128)
            return false;
    }
    return true;
}

bool small(const MediaEntry& entry) {
    return small(entry.name) && small(entry.extension) && small(entry.reserved) &&
           entry.playTimes <= 128 && entry.volume <= 128;
}

// Every plain byte of 128 or less fits whatever key is drawn, so such a
// document must store at the first attempt. Others may need many keys; the
// unit tests cover them, and leaving them out here keeps the rate high.
bool fitsAnyKey(const ScheduleDocument& document) {
    for (const MediaEntry& entry : document.basicEntries()) {
        if (!small(entry))
            return false;
    }
    for (const AdvanceEntry& entry : document.advanceEntries()) {
        const std::array<quint8, 13> period = {
            entry.startYear,   entry.startMonth,  entry.startDay,   entry.startHour,
            entry.startMinute, entry.startSecond, entry.stopYear,   entry.stopMonth,
            entry.stopDay,     entry.stopHour,    entry.stopMinute, entry.stopSecond,
            entry.weekDay};
        if (!small(period) || entry.detailCount() > 128)
            return false;
        for (const MediaEntry& detail : entry.details) {
            if (!small(detail))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const DecodeResult result =
        DecodeSchedule(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!result.ok) {
        if (result.error.isEmpty() || result.errorOffset < 0 || result.errorOffset > qint64(size))
            std::abort();
        return 0;
    }
    if (result.trailingBytes < 0 || result.trailingBytes > qint64(size))
        std::abort();
    if (!fitsAnyKey(result.document))
        return 0;
    // Such a document is stored at once and reads back the same.
    SeededRandomSource random{quint32(size)};
    const QByteArray bytes = EncodeSchedule(result.document, random);
    const DecodeResult again = DecodeSchedule(bytes);
    if (bytes.isEmpty() || !again.ok || !(again.document == result.document) ||
        again.trailingBytes != 0)
        std::abort();
    return 0;
}
