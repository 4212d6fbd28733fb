#include "Commands.h"
#include "Console.h"
#include "DayPlan.h"
#include "ExitStatus.h"
#include "JsonPath.h"
#include "RowFormat.h"
#include "ScheduleJson.h"
#include "ScheduleProblems.h"
#include "ScheduleReader.h"
#include "ScheduleWarnings.h"

#include <optional>

using namespace Qt::StringLiterals;

std::optional<DecodedSchedule> ReadScheduleArgument(const QString& file) {
    DecodeResult result = ReadScheduleFileAt(file);
    if (result.ok())
        return std::move(result).value();
    if (result.failure().offset >= 0)
        ReportError(file, u"not a readable schedule file: "_s + result.error());
    else
        ReportError(file, u"cannot be read: "_s + result.error());
    return std::nullopt;
}

int FinishCommand(int status) {
    if (FinishOutput())
        return status;
    ReportError(u"standard output"_s, u"cannot be written"_s);
    return ExitFailure;
}

int RunDump(const QString& scheduleFile) {
    const auto schedule = ReadScheduleArgument(scheduleFile);
    if (!schedule)
        return ExitFailure;
    WriteOut(ScheduleToJson(schedule->document));
    return FinishCommand(ExitSuccess);
}

int RunCheck(const QString& scheduleFile, const QDate& today) {
    const auto schedule = ReadScheduleArgument(scheduleFile);
    if (!schedule)
        return ExitFailure;
    const ScheduleDocument& document = schedule->document;
    const QStringList problems = ScheduleProblems(document, schedule->trailingBytes);
    for (const QString& problem : problems)
        WriteOutLine(problem);
    const QList<ScheduleWarning> warnings = ScheduleWarnings(document, today);
    for (const ScheduleWarning& warning : warnings)
        WriteOutLine(u"warning: "_s + WarningLine(document, warning, today));
    return FinishCommand(problems.isEmpty() && warnings.isEmpty() ? ExitSuccess : ExitRefused);
}

int RunRows(const QString& scheduleFile) {
    const auto schedule = ReadScheduleArgument(scheduleFile);
    if (!schedule)
        return ExitFailure;
    const ScheduleDocument& document = schedule->document;
    WriteOutLine(u"[basic]"_s);
    for (const MediaEntry& entry : document.basicEntries())
        WriteOutLine(MediaRowText(entry));
    WriteOutLine(u"[advance]"_s);
    for (const AdvanceEntry& entry : document.advanceEntries())
        WriteOutLine(AdvanceRowText(entry));
    for (qsizetype k = 0; k < document.advanceCount(); ++k) {
        WriteOutLine(u"[detail %1]"_s.arg(k + 1));
        for (const MediaEntry& entry : document.advanceEntries()[k].details)
            WriteOutLine(MediaRowText(entry));
    }
    return FinishCommand(ExitSuccess);
}

namespace {

QString matchText(const QList<int>& advanceRows) {
    if (advanceRows.isEmpty())
        return u"basic"_s;
    QStringList paths;
    for (int row : advanceRows)
        paths.append(JsonElementPath(u"advance"_s, row));
    return paths.join(u' ');
}

} // namespace

int RunAt(const QString& scheduleFile, const DayMoment& moment) {
    const auto schedule = ReadScheduleArgument(scheduleFile);
    if (!schedule)
        return ExitFailure;
    const QList<int> rows = PeriodsAt(schedule->document, moment.date, moment.secondOfDay);
    if (rows.isEmpty())
        WriteOutLine(u"basic"_s);
    for (int row : rows)
        WriteOutLine(JsonElementPath(u"advance"_s, row));
    return FinishCommand(ExitSuccess);
}

int RunPlan(const QString& scheduleFile, const QDate& date) {
    const auto schedule = ReadScheduleArgument(scheduleFile);
    if (!schedule)
        return ExitFailure;
    for (const DaySegment& segment : DaySegments(PeriodsOnDate(schedule->document, date)))
        WriteOutLine(u"%1-%2 %3"_s.arg(SecondText(segment.firstSecond),
                                       SecondText(segment.lastSecond),
                                       matchText(segment.advanceRows)));
    return FinishCommand(ExitSuccess);
}
