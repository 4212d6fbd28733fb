#include "ScheduleProblems.h"

#include "DateRules.h"
#include "MediaNameRules.h"
#include "SaveChecks.h"
#include "ScheduleJson.h"

using namespace Qt::StringLiterals;

namespace {

QString twoDigits(int value) {
    return u"%1"_s.arg(value, 2, 10, QLatin1Char('0'));
}

QString byteText(quint8 byte) {
    const QString hex =
        u"0x%1"_s.arg(byte, 2, 16, QLatin1Char('0')).toUpper().replace(u"0X"_s, u"0x"_s);
    if (byte > 0x20 && byte < 0x7F)
        return u"%1 ('%2')"_s.arg(hex, QChar(char16_t(byte)));
    return hex;
}

// The media entry editor stores A-Z, 0-9, '_', '-' and, in the name, '.', from
// the first byte on, then 0 bytes to the end of the field.
template <std::size_t N> QString fieldProblem(const std::array<quint8, N>& field, bool dotAllowed) {
    const QString text =
        QString::fromUtf8(JsonStringLiteral(QString::fromLatin1(FieldBytes(field))));
    bool padding = false;
    for (std::size_t i = 0; i < N; ++i) {
        const quint8 byte = field[i];
        // One arg() call for all values: the field text may hold "%1" itself.
        const QString position = QString::number(i + 1);
        if (byte == 0) {
            padding = true;
            continue;
        }
        if (padding)
            return u"%1: byte %2 follows a 0 byte; the editor pads only at the end"_s.arg(text,
                                                                                          position);
        if (!IsStoredMediaNameByte(byte) || (!dotAllowed && byte == '.'))
            return u"%1: byte %2 is %3, which the editor never stores (it stores %4)"_s.arg(
                text, position, byteText(byte),
                dotAllowed ? u"A-Z, 0-9, '.', '_' and '-'"_s : u"A-Z, 0-9, '_' and '-'"_s);
    }
    return {};
}

class ProblemCollector final {
public:
    QStringList lines;

    void add(const QString& where, const QString& what) { lines.append(where + u": "_s + what); }

    void above(const QString& where, const QString& what, int value, int highest) {
        if (value > highest)
            add(where, u"%1 %2 is above %3"_s.arg(what).arg(value).arg(highest));
    }

    void count(const QString& where, qsizetype count, int limit, const QString& what) {
        if (count > limit)
            add(where, u"%1 %2; the editor allows at most %3"_s.arg(count).arg(what).arg(limit));
    }

    void media(const QString& where, const MediaEntry& entry) {
        if (const QString problem = fieldProblem(entry.name, true); !problem.isEmpty())
            add(where, u"name "_s + problem);
        if (const QString problem = fieldProblem(entry.extension, false); !problem.isEmpty())
            add(where, u"extension "_s + problem);
        above(where, u"play times"_s, entry.playTimes, MaxPlayTimes);
        above(where, u"volume"_s, entry.volume, DefaultVolume);
        if (ReservedBytesInUse(entry)) {
            QStringList bytes;
            for (quint8 b : entry.reserved)
                bytes.append(QString::number(b));
            add(where, u"reserved bytes [%1] are not all 0"_s.arg(bytes.join(u", "_s)));
        }
    }

    void date(const QString& where, const QString& which, quint8 yearByte, quint8 month,
              quint8 day) {
        const int year = FirstYear + yearByte;
        if (year > LastYear)
            add(where, u"%1 year %2 (byte %3) is after %4"_s.arg(which).arg(year).arg(yearByte).arg(
                           LastYear));
        const bool monthValid = month >= 1 && month <= 12;
        if (!monthValid)
            add(where, u"%1 month %2 is not from 1 to 12"_s.arg(which).arg(month));
        const int days = monthValid ? DaysOfMonth(year, month) : 31;
        if (day < 1 || day > days) {
            const QString context =
                monthValid ? u" (the days of %1-%2)"_s.arg(year).arg(twoDigits(month)) : QString();
            add(where,
                u"%1 day %2 is not from 1 to %3%4"_s.arg(which).arg(day).arg(days).arg(context));
        }
    }

    void time(const QString& where, const QString& which, const TimeOfDay& time) {
        above(where, which + u" hour"_s, time.hour, 23);
        above(where, which + u" minute"_s, time.minute, 59);
        above(where, which + u" second"_s, time.second, 59);
    }

    void advance(const QString& where, const AdvanceEntry& entry) {
        date(where, u"start"_s, entry.startYear, entry.startMonth, entry.startDay);
        time(where, u"start"_s, StartTimeOf(entry));
        date(where, u"stop"_s, entry.stopYear, entry.stopMonth, entry.stopDay);
        time(where, u"stop"_s, StopTimeOf(entry));
        above(where, u"week day"_s, entry.weekDay, EveryWeekDay);
        if (!DateSetupCheck(StartDateOf(entry), StopDateOf(entry)))
            add(where, u"stop date %1 is before start date %2"_s.arg(DateText(StopDateOf(entry)),
                                                                     DateText(StartDateOf(entry))));
        if (!TimeSetupCheck(StartTimeOf(entry), StopTimeOf(entry)))
            add(where, u"stop time %1 is not after start time %2"_s.arg(
                           TimeText(StopTimeOf(entry)), TimeText(StartTimeOf(entry))));
        count(where, entry.detailCount(), MaxDetailEntries, u"details"_s);
        if (entry.details.isEmpty())
            add(where, u"no details; the editor does not save an advance entry without them"_s);
    }
};

} // namespace

QStringList ScheduleProblems(const ScheduleDocument& document, qint64 trailingBytes) {
    ProblemCollector problems;
    if (document.isEmpty())
        problems.add(u"the schedule"_s, u"no entries; the editor does not save an empty one"_s);

    problems.count(u"the basic list"_s, document.basicCount(), MaxBasicEntries, u"entries"_s);
    for (qsizetype i = 0; i < document.basicCount(); ++i)
        problems.media(u"basic entry %1"_s.arg(i + 1), document.basicEntries()[i]);

    problems.count(u"the advance list"_s, document.advanceCount(), MaxAdvanceEntries, u"entries"_s);
    for (qsizetype i = 0; i < document.advanceCount(); ++i) {
        const AdvanceEntry& entry = document.advanceEntries()[i];
        problems.advance(u"advance entry %1"_s.arg(i + 1), entry);
        for (qsizetype d = 0; d < entry.detailCount(); ++d)
            problems.media(u"detail %1 of advance entry %2"_s.arg(d + 1).arg(i + 1),
                           entry.details[d]);
    }

    const qint64 estimate = ScheduleSizeEstimate(document);
    if (!CheckScheduleSize(document))
        problems.add(
            u"the schedule"_s,
            u"size estimate %1 is not below %2; the editor refuses to save it"_s.arg(estimate).arg(
                ScheduleSizeBudget));
    if (trailingBytes > 0)
        problems.add(u"the file"_s, u"%1 %2 after the last record"_s.arg(trailingBytes)
                                        .arg(trailingBytes == 1 ? u"byte"_s : u"bytes"_s));
    return problems.lines;
}
