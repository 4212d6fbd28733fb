#include "ScheduleWriter.h"

#include "FileFormat.h"
#include "SafeFileWrite.h"
#include "Scrambling.h"

using namespace Qt::StringLiterals;

namespace {

// Every key byte and every filler is drawn from 0 to 127, so fillers fit any
// key; only document bytes above 128 (from a foreign file) narrow a key byte.
constexpr int MaxKeyByte = 127;

// Walks the plain bytes of the entry stream in file order, giving each to
// sink; filler() supplies each filler byte when its turn comes.
template <typename Sink, typename Filler>
void walkStream(const ScheduleDocument& document, Sink&& sink, Filler&& filler) {
    const auto bytes = [&sink](const auto& field) {
        for (auto byte : field)
            sink(quint8(byte));
    };
    const auto mediaRecord = [&](const MediaEntry& entry) {
        // The file puts playTimes before the reserved bytes.
        bytes(entry.name);
        bytes(entry.extension);
        sink(entry.playTimes);
        bytes(entry.reserved);
        sink(entry.volume);
        sink(filler());
        sink(filler());
    };
    if (document.basicCount() > 0) {
        bytes(FileFormat::BasicMarker);
        for (const MediaEntry& entry : document.basicEntries())
            mediaRecord(entry);
    }
    for (const AdvanceEntry& entry : document.advanceEntries()) {
        bytes(FileFormat::AdvanceMarker);
        bytes(std::array{entry.startYear, entry.startMonth, entry.startDay, entry.startHour,
                         entry.startMinute, entry.startSecond, entry.stopYear, entry.stopMonth,
                         entry.stopDay, entry.stopHour, entry.stopMinute, entry.stopSecond,
                         entry.weekDay});
        sink(filler());
        sink(quint8(entry.detailCount()));
        for (const MediaEntry& detail : entry.details)
            mediaRecord(detail);
    }
}

// For each key position, the largest key byte that keeps every stream byte
// scrambled with it at 255 or below, so the key drawn always fits.
QList<quint8> largestKeyBytes(const ScheduleDocument& document, int keyLength) {
    QList<quint8> largest(keyLength, quint8(MaxKeyByte));
    int keyIndex = 0;
    walkStream(
        document,
        [&](quint8 plain) {
            largest[keyIndex] = qMin(largest[keyIndex], quint8(255 - plain));
            keyIndex = (keyIndex + 1) % keyLength;
        },
        [] { return quint8(0); });
    return largest;
}

class StreamEncoder final {
public:
    explicit StreamEncoder(RandomSource& random)
        : m_random(random) {}

    QByteArray encode(const ScheduleDocument& document) {
        writeHeader(document);
        writeKeyBlock(document);
        walkStream(
            document, [this](quint8 plain) { scrambled(plain); },
            [this] { return m_random.nextKeyByte(); });
        return m_out;
    }

private:
    void plain(quint8 byte) { m_out.append(char(byte)); }
    void plain(QByteArrayView text) { m_out.append(text.data(), text.size()); }

    void scrambled(quint8 byte) {
        const auto stored = ScrambleByte(byte, m_key[m_keyIndex], int(m_key.size()), m_keyIndex);
        // The key was drawn to fit every byte of this document.
        Q_ASSERT(stored);
        m_out.append(char(stored.value_or(0)));
    }

    void writeHeader(const ScheduleDocument& document) {
        m_out.reserve(FileFormat::MostFileBytes(document.basicCount() + document.totalDetailCount(),
                                                document.advanceCount()));
        plain(FileFormat::Magic);
        plain(FileFormat::KernelVersion);
        for (int i = 0; i < 5; ++i)
            plain(m_random.nextByte());
        // L first, S drawn from L, N on its own.
        using namespace FileFormat;
        m_keyBlockLength =
            m_random.nextScaled(MaxKeyBlockLength - MinKeyBlockLength) + MinKeyBlockLength;
        m_keyOffset = m_random.nextScaled(m_keyBlockLength - MaxKeyLength);
        const int keyLength = m_random.nextScaled(MaxKeyLength - MinKeyLength) + MinKeyLength;
        m_key = QByteArray(keyLength, '\0');
        plain(quint8(m_keyBlockLength));
        plain(m_random.nextByte());
        plain(quint8(m_keyOffset));
        plain(m_random.nextByte());
        plain(quint8(keyLength));
        for (int i = 0; i < 5; ++i)
            plain(m_random.nextByte());
        plain(quint8(document.basicCount()));
        plain(quint8(document.advanceCount()));
        for (int i = 0; i < 8; ++i)
            plain(m_random.nextByte());
    }

    // The bytes around the key are drawn from 0 to 127 like any key byte, so
    // the key does not stand out; a key byte is drawn from 0 to the largest
    // value its stream bytes allow (127 for every document the editors make).
    void writeKeyBlock(const ScheduleDocument& document) {
        const QList<quint8> largest = largestKeyBytes(document, int(m_key.size()));
        for (int i = 0; i < m_keyBlockLength; ++i) {
            const int k = i - m_keyOffset;
            const bool inKey = k >= 0 && k < m_key.size();
            const quint8 b =
                inKey ? quint8(m_random.nextScaled(largest[k])) : m_random.nextKeyByte();
            if (inKey)
                m_key[k] = char(b);
            plain(b);
        }
        m_keyIndex = 0;
    }

    RandomSource& m_random;
    QByteArray m_out;
    QByteArray m_key;
    int m_keyBlockLength = 0;
    int m_keyOffset = 0;
    int m_keyIndex = 0;
};

Result<void> checkCounts(const ScheduleDocument& document) {
    const auto tooMany = [](const QString& what, qsizetype count) {
        return Failure{
            u"%1 has %2 entries; a schedule file holds at most %3"_s.arg(what).arg(count).arg(
                FileFormat::MaxStoredCount)};
    };
    if (document.basicCount() > FileFormat::MaxStoredCount)
        return tooMany(u"the basic list"_s, document.basicCount());
    if (document.advanceCount() > FileFormat::MaxStoredCount)
        return tooMany(u"the advance list"_s, document.advanceCount());
    for (qsizetype j = 0; j < document.advanceCount(); ++j) {
        const qsizetype details = document.advanceEntries()[j].detailCount();
        if (details > FileFormat::MaxStoredCount)
            return tooMany(u"advance entry %1"_s.arg(j + 1), details);
    }
    return {};
}

} // namespace

Result<QByteArray> EncodeSchedule(const ScheduleDocument& document, RandomSource& random) {
    if (const Result<void> counts = checkCounts(document); !counts)
        return Failure{counts.error()};
    return StreamEncoder(random).encode(document);
}

Result<void> WriteScheduleFile(const QString& path, const ScheduleDocument& document,
                               RandomSource& random) {
    const Result<QByteArray> bytes = EncodeSchedule(document, random);
    if (!bytes)
        return Failure{bytes.error()};
    return WriteFileSafely(path, bytes.value());
}
