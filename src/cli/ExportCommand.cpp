#include "Commands.h"
#include "Console.h"
#include "ExitStatus.h"
#include "ScheduleExport.h"

#include <QFileInfo>
#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Ctrl+C or a TERM stops the export between chunks, so no partial file is
// left behind and the report still says what was done.
volatile std::sig_atomic_t stopRequested = 0;

extern "C" void requestStop(int) {
    stopRequested = 1;
}

// An existing folder, or nothing after reporting why not. A missing target
// is never made: a drive that is not mounted must not turn into a folder of
// the same name on the system disk.
bool isFolder(const QString& folder, const QString& role) {
    if (QFileInfo(folder).isDir())
        return true;
    ReportError(folder, role + u" is not an existing folder"_s);
    return false;
}

} // namespace

int RunExportCommand(const QString& scheduleFile, const QString& mediaFolder,
                     const QString& targetFolder) {
    const auto schedule = ReadScheduleArgument(scheduleFile);
    if (!schedule)
        return ExitFailure;
    if (!isFolder(mediaFolder, u"the media folder"_s) || !isFolder(targetFolder, u"the target"_s))
        return ExitFailure;

    const auto oldInterrupt = std::signal(SIGINT, requestStop);
    const auto oldTerminate = std::signal(SIGTERM, requestStop);
    const ExportReport report =
        RunExport(PlanExport(scheduleFile, schedule->document, mediaFolder), targetFolder,
                  [](const ExportProgress&) { return stopRequested == 0; });
    std::signal(SIGINT, oldInterrupt);
    std::signal(SIGTERM, oldTerminate);

    for (const QString& line : ExportReportLines(report))
        WriteOutLine(line);
    return FinishCommand(report.complete() ? ExitSuccess : ExitRefused);
}
