#include "ScheduleWriter.h"

#include "FileFormat.h"
#include "RecordPosition.h"
#include "SafeFileWrite.h"
#include "Scrambling.h"

using namespace Qt::StringLiterals;

namespace {

// How many keys are drawn for a document that holds bytes a key may not fit.
// Editor-made documents always fit the first key.
constexpr int MaxKeyAttempts = 200;

class StreamEncoder final {
public:
    explicit StreamEncoder(RandomSource& random)
        : m_random(random) {}

    // Stops at the first byte the key cannot store, so a failed attempt
    // costs little.
    QByteArray encode(const ScheduleDocument& document) {
        writeHeader(document);
        writeKeyBlock();
        if (document.basicCount() > 0) {
            m_position = {RecordPosition::Part::BasicMarker};
            scrambled(FileFormat::BasicMarker);
            for (qsizetype j = 0; j < document.basicCount() && !m_failed; ++j) {
                m_position = {RecordPosition::Part::BasicEntry, int(j)};
                writeMediaRecord(document.basicEntries()[j]);
            }
        }
        for (qsizetype j = 0; j < document.advanceCount() && !m_failed; ++j) {
            const AdvanceEntry& entry = document.advanceEntries()[j];
            m_position = {RecordPosition::Part::AdvanceEntry, int(j)};
            writeAdvanceRecord(entry);
            for (qsizetype d = 0; d < entry.detailCount() && !m_failed; ++d) {
                m_position = {RecordPosition::Part::Detail, int(j), int(d)};
                writeMediaRecord(entry.details[d]);
            }
        }
        return m_failed ? QByteArray() : m_out;
    }

    bool failed() const { return m_failed; }
    QString failedAt() const { return m_position.describe(); }

private:
    void plain(quint8 byte) { m_out.append(char(byte)); }
    void plain(QByteArrayView text) { m_out.append(text.data(), text.size()); }

    void scrambled(quint8 byte) {
        if (m_failed)
            return;
        const auto stored = ScrambleByte(byte, m_key[m_keyIndex], int(m_key.size()), m_keyIndex);
        if (!stored) {
            m_failed = true;
            return;
        }
        m_out.append(char(*stored));
    }

    void scrambled(QByteArrayView text) {
        for (char c : text)
            scrambled(quint8(c));
    }

    template <std::size_t N> void scrambled(const std::array<quint8, N>& field) {
        for (quint8 byte : field)
            scrambled(byte);
    }

    void writeHeader(const ScheduleDocument& document) {
        m_out.reserve(FileFormat::HeaderSize + 255 + 2 +
                      FileFormat::MediaRecordSize *
                          int(document.basicCount() + document.totalDetailCount()) +
                      FileFormat::AdvanceRecordSize * int(document.advanceCount()));
        plain(FileFormat::Magic);
        plain(FileFormat::KernelVersion);
        for (int i = 0; i < 5; ++i)
            plain(m_random.nextByte());
        // L first, S drawn from L, N on its own.
        m_keyBlockLength = m_random.nextScaled(155) + 100;
        m_keyOffset = m_random.nextScaled(m_keyBlockLength - 50);
        const int keyLength = m_random.nextScaled(20) + 30;
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

    void writeKeyBlock() {
        for (int i = 0; i < m_keyBlockLength; ++i) {
            const quint8 b = m_random.nextKeyByte();
            if (i >= m_keyOffset && i < m_keyOffset + m_key.size())
                m_key[i - m_keyOffset] = char(b);
            plain(b);
        }
        m_keyIndex = 0;
    }

    void writeMediaRecord(const MediaEntry& entry) {
        // The file puts playTimes before the reserved bytes.
        scrambled(entry.name);
        scrambled(entry.extension);
        scrambled(entry.playTimes);
        scrambled(entry.reserved);
        scrambled(entry.volume);
        scrambled(m_random.nextKeyByte());
        scrambled(m_random.nextKeyByte());
    }

    void writeAdvanceRecord(const AdvanceEntry& entry) {
        scrambled(FileFormat::AdvanceMarker);
        for (quint8 byte :
             {entry.startYear, entry.startMonth, entry.startDay, entry.startHour, entry.startMinute,
              entry.startSecond, entry.stopYear, entry.stopMonth, entry.stopDay, entry.stopHour,
              entry.stopMinute, entry.stopSecond, entry.weekDay})
            scrambled(byte);
        scrambled(m_random.nextKeyByte());
        scrambled(quint8(entry.detailCount()));
    }

    RandomSource& m_random;
    QByteArray m_out;
    QByteArray m_key;
    int m_keyBlockLength = 0;
    int m_keyOffset = 0;
    int m_keyIndex = 0;
    bool m_failed = false;
    RecordPosition m_position;
};

QString countProblem(const ScheduleDocument& document) {
    const auto tooMany = [](const QString& what, qsizetype count) {
        return u"%1 has %2 entries; a schedule file holds at most %3"_s.arg(what).arg(count).arg(
            FileFormat::MaxStoredCount);
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

QByteArray EncodeSchedule(const ScheduleDocument& document, RandomSource& random, QString* error) {
    if (const QString problem = countProblem(document); !problem.isEmpty()) {
        if (error)
            *error = problem;
        return {};
    }
    QString failedAt;
    for (int attempt = 0; attempt < MaxKeyAttempts; ++attempt) {
        StreamEncoder encoder(random);
        QByteArray bytes = encoder.encode(document);
        if (!encoder.failed())
            return bytes;
        failedAt = encoder.failedAt();
    }
    if (error)
        *error = u"%1 holds bytes that no key of a schedule file can store"_s.arg(failedAt);
    return {};
}

bool WriteScheduleFile(const QString& folder, const QString& fileName,
                       const ScheduleDocument& document, RandomSource& random, QString* error) {
    const QByteArray bytes = EncodeSchedule(document, random, error);
    if (bytes.isEmpty())
        return false;
    return WriteFileSafely(folder + fileName, bytes, error);
}
