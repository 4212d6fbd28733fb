// Any JSON text given to mvstool's reader is either refused with a short message or
// gives a document that the editor could have made: the writer stores it and
// it dumps and reads back to the same document.
#include "RandomSource.h"
#include "ScheduleJson.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const JsonScheduleResult result =
        ScheduleFromJson(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!result.ok()) {
        // A message quotes only the start of a value and a path only the
        // start of each key (60 characters, each escaped in at most 6), however
        // long the input is.
        if (result.error().isEmpty() || result.error().size() > 4000 ||
            result.failure().path.size() > 4000)
            std::abort();
        return 0;
    }
    const JsonScheduleResult again = ScheduleFromJson(ScheduleToJson(result.value()));
    if (!again.ok() || !(again.value() == result.value()))
        std::abort();
    SeededRandomSource random(7);
    const Result<QByteArray> bytes = EncodeSchedule(result.value(), random);
    if (!bytes)
        std::abort();
    const DecodeResult decoded = DecodeSchedule(bytes.value());
    if (!decoded.ok() || !(decoded->document == result.value()))
        std::abort();
    return 0;
}
