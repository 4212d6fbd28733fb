#pragma once

#include "schedule/RandomSource.h"
#include "schedule/ScheduleDocument.h"

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <array>

// Shared helpers of the schedule tests: a random source that plays back a
// script, random documents, and the file layout written out by hand so that
// expected files are built without the writer.

// Returns the scripted values in order, then afterScript for every further draw.
class ScriptedRandomSource final : public RandomSource {
public:
    explicit ScriptedRandomSource(QList<double> script, double afterScript = 0.0)
        : m_script(std::move(script))
        , m_afterScript(afterScript) {}

    double nextUnit() override;

    qsizetype drawCount() const { return m_drawCount; }
    qsizetype scriptLength() const { return m_script.size(); }

private:
    QList<double> m_script;
    double m_afterScript;
    qsizetype m_drawCount = 0;
};

// A value r in [0, 1) that the writer's rounding of r * span turns into value.
double UnitFor(int value, int span);

// Collects the draws of a scripted file: the r values in the writer's order.
class DrawScript final {
public:
    void byte(quint8 value) { m_units.append(UnitFor(value, 255)); }
    void keyByte(quint8 value) { m_units.append(UnitFor(value, 127)); }
    void scaled(int value, int span) { m_units.append(UnitFor(value, span)); }
    const QList<double>& units() const { return m_units; }

private:
    QList<double> m_units;
};

// Random documents for round trips.
class DocumentGenerator final {
public:
    explicit DocumentGenerator(quint32 seed)
        : m_random(seed) {}

    // Entries as the editors make them: allowed name characters in upper case,
    // values in their ranges, real dates; counts up to the editing limits.
    MediaEntry editorMediaEntry();
    AdvanceEntry editorAdvanceEntry(int detailCount);
    ScheduleDocument editorDocument();

    // Any byte that every key can store (0 to 128) in every field, list
    // counts up to 255: what a foreign file may bring in.
    MediaEntry byteMediaEntry();
    AdvanceEntry byteAdvanceEntry(int detailCount);
    ScheduleDocument byteDocument();

    // Mostly small, sometimes 0, sometimes at the given limit.
    int count(int limit);
    int bounded(int lowest, int highest) { return int(m_random.bounded(lowest, highest + 1)); }

private:
    quint8 anyStorableByte() { return quint8(m_random.bounded(129)); }

    QRandomGenerator m_random;
};

MediaEntry MakeMediaEntry(QByteArrayView name, QByteArrayView extension, quint8 playTimes = 1,
                          quint8 volume = DefaultVolume);
AdvanceEntry MakeAdvanceEntry(const AdvancePeriod& period, QList<MediaEntry> details = {});
AdvancePeriod MakePeriod(int startYear, int startMonth, int startDay, int stopYear, int stopMonth,
                         int stopDay, quint8 weekDay = EveryWeekDay);

// The 50 header bytes, field by field.
struct HeaderFields {
    std::array<quint8, 5> fillersAt25{};
    quint8 keyBlockLength = 100; // L
    quint8 fillerAt31 = 0;
    quint8 keyOffset = 0; // S
    quint8 fillerAt33 = 0;
    quint8 keyLength = 30; // N
    quint8 fillerAt35 = 0;
    std::array<quint8, 4> fillersAt36{};
    quint8 basicCount = 0;
    quint8 advanceCount = 0;
    std::array<quint8, 8> fillersAt42{};
};
QByteArray HeaderBytes(const HeaderFields& fields);

// Plain (unscrambled) records in the order the file keeps their bytes.
QByteArray PlainMediaRecord(const MediaEntry& entry, quint8 filler1 = 0, quint8 filler2 = 0);
QByteArray PlainAdvanceRecord(const AdvancePeriod& period, quint8 filler, quint8 detailCount);

// stored[i] = plain[i] + key[i mod N]: one key index over the whole stream.
QByteArray ScrambleWithKey(QByteArrayView plain, QByteArrayView key);

// A whole file built by hand: header, key block with the key at S, then the
// plain stream scrambled with that key. The key block's other bytes are 0x55.
QByteArray HandMadeFile(HeaderFields header, QByteArrayView key, QByteArrayView plainStream);

QByteArray FileContent(const QString& path);
bool WriteFileContent(const QString& path, QByteArrayView bytes);

// Readable failure output for QCOMPARE.
char* toString(const MediaEntry& entry);
char* toString(const ScheduleDocument& document);
