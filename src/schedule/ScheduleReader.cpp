#include "ScheduleReader.h"

#include "FileFormat.h"
#include "RecordPosition.h"
#include "RegularFile.h"
#include "Scrambling.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Thrown inside the decoder only; DecodeSchedule turns it into a result.
struct DecodeFailure {
    QString reason;
    qint64 offset;
};

class StreamDecoder final {
public:
    explicit StreamDecoder(QByteArrayView bytes)
        : m_bytes(bytes) {}

    ScheduleDocument decode() {
        m_record = {RecordPosition::Part::Header};
        checkMagic();
        require(FileFormat::HeaderSize);
        const int keyBlockLength = byteAt(FileFormat::KeyBlockLengthOffset);
        const int keyOffset = byteAt(FileFormat::KeyOffsetOffset);
        const int keyLength = byteAt(FileFormat::KeyLengthOffset);
        const int basicCount = byteAt(FileFormat::BasicCountOffset);
        const int advanceCount = byteAt(FileFormat::AdvanceCountOffset);
        if (keyOffset + keyLength > keyBlockLength)
            fail(u"the key (%1 bytes from position %2) lies outside its block of %3 bytes"_s
                     .arg(keyLength)
                     .arg(keyOffset)
                     .arg(keyBlockLength),
                 FileFormat::KeyOffsetOffset);
        if (keyLength == 0 && basicCount + advanceCount > 0)
            fail(u"the key length is 0, so the entries cannot be unscrambled"_s,
                 FileFormat::KeyLengthOffset);
        m_position = FileFormat::HeaderSize;

        m_record = {RecordPosition::Part::KeyBlock};
        require(keyBlockLength);
        m_key = m_bytes.sliced(m_position + keyOffset, keyLength);
        m_position += keyBlockLength;
        m_keyIndex = 0;

        QList<MediaEntry> basic;
        if (basicCount > 0) {
            m_record = {RecordPosition::Part::BasicMarker};
            skip(2);
            basic.reserve(basicCount);
            for (int j = 0; j < basicCount; ++j) {
                m_record = {RecordPosition::Part::BasicEntry, int(j)};
                basic.append(readMediaRecord());
            }
        }
        QList<AdvanceEntry> advance;
        advance.reserve(advanceCount);
        for (int j = 0; j < advanceCount; ++j) {
            m_record = {RecordPosition::Part::AdvanceEntry, int(j)};
            AdvanceEntry entry = readAdvanceRecord();
            const int detailCount = next();
            entry.details.reserve(detailCount);
            for (int d = 0; d < detailCount; ++d) {
                m_record = {RecordPosition::Part::Detail, int(j), int(d)};
                entry.details.append(readMediaRecord());
            }
            advance.append(std::move(entry));
        }
        return ScheduleDocument(std::move(basic), std::move(advance));
    }

    qint64 position() const { return m_position; }

private:
    [[noreturn]] void fail(const QString& reason, qint64 offset) {
        throw DecodeFailure{reason, offset};
    }

    void require(qint64 count) {
        if (m_bytes.size() - m_position < count)
            fail(u"the file ends inside %1"_s.arg(m_record.describe()), m_bytes.size());
    }

    quint8 byteAt(qint64 offset) const { return quint8(m_bytes[offset]); }

    // Every schedule file begins with the format name; anything else (an
    // empty disk image, a picture chosen by mistake) is not read as one. A
    // file cut short inside the name is reported as cut short.
    void checkMagic() {
        const QByteArrayView magic = FileFormat::Magic;
        const qsizetype available = qMin(magic.size(), m_bytes.size());
        for (qsizetype i = 0; i < available; ++i) {
            if (m_bytes[i] != magic[i])
                fail(u"the file does not begin with \"%1\", as every schedule file does"_s.arg(
                         QLatin1StringView(magic)),
                     i);
        }
    }

    // The next stream byte, unscrambled.
    quint8 next() {
        require(1);
        const auto plain = UnscrambleByte(byteAt(m_position), quint8(m_key[m_keyIndex]),
                                          int(m_key.size()), m_keyIndex);
        if (!plain)
            fail(
                u"a stored byte is smaller than its key byte, inside %1"_s.arg(m_record.describe()),
                m_position);
        ++m_position;
        return *plain;
    }

    // Markers and fillers carry nothing, but they move the key index on.
    void skip(int count) {
        for (int i = 0; i < count; ++i)
            next();
    }

    template <std::size_t N> void readField(std::array<quint8, N>& field) {
        for (quint8& byte : field)
            byte = next();
    }

    MediaEntry readMediaRecord() {
        MediaEntry entry;
        readField(entry.name);
        readField(entry.extension);
        entry.playTimes = next();
        readField(entry.reserved);
        entry.volume = next();
        skip(2);
        return entry;
    }

    AdvanceEntry readAdvanceRecord() {
        AdvanceEntry entry;
        skip(2);
        for (quint8* field : {&entry.startYear, &entry.startMonth, &entry.startDay,
                              &entry.startHour, &entry.startMinute, &entry.startSecond,
                              &entry.stopYear, &entry.stopMonth, &entry.stopDay, &entry.stopHour,
                              &entry.stopMinute, &entry.stopSecond, &entry.weekDay})
            *field = next();
        skip(1);
        return entry;
    }

    QByteArrayView m_bytes;
    QByteArrayView m_key;
    qint64 m_position = 0;
    int m_keyIndex = 0;
    RecordPosition m_record;
};

// The size of the longest schedule file that can exist (255 entries everywhere).
constexpr qint64 LargestScheduleFileSize = FileFormat::MostFileBytes(
    FileFormat::MaxStoredCount * (1 + FileFormat::MaxStoredCount), FileFormat::MaxStoredCount);

} // namespace

DecodeResult DecodeSchedule(QByteArrayView bytes) {
    StreamDecoder decoder(bytes);
    try {
        ScheduleDocument document = decoder.decode();
        return DecodedSchedule{std::move(document), bytes.size() - decoder.position()};
    } catch (const DecodeFailure& failure) {
        return ReadFailure{u"%1 (byte offset %2)"_s.arg(failure.reason).arg(failure.offset),
                           failure.offset};
    }
}

DecodeResult ReadScheduleFileAt(const QString& path) {
    QFile file;
    if (const Result<void> opened = OpenRegularFile(file, path); !opened)
        return ReadFailure{opened.error()};
    // Nothing past the longest possible file is ever read, so a huge file
    // chosen by mistake costs no memory; what lies beyond counts as trailing.
    const QByteArray bytes = file.read(LargestScheduleFileSize);
    if (file.error() != QFileDevice::NoError)
        return ReadFailure{file.errorString()};
    DecodeResult result = DecodeSchedule(bytes);
    if (result.ok() && file.size() > bytes.size())
        result->trailingBytes += file.size() - bytes.size();
    return result;
}
