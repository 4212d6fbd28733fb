#include "ScheduleExport.h"

#include "FileCopy.h"
#include "MediaNameRules.h"
#include "PathHelpers.h"
#include "RowFormat.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString diskName(const MediaEntry& entry) {
    const QString name = AnsiText(FieldBytes(entry.name));
    const QString extension = AnsiText(FieldBytes(entry.extension));
    return extension.isEmpty() ? name : name + u'.' + extension;
}

// A name that lands in the target folder itself, under exactly this name:
// nothing that climbs out of the folder, no separators, no control bytes.
bool isUsableFileName(const QString& name) {
    return !name.isEmpty() && name != u"."_s && name != u".."_s &&
           std::all_of(name.begin(), name.end(),
                       [](QChar c) { return IsMediaNameCharacter(c.unicode()); });
}

// The media folder's files by their name in lower case.
QHash<QString, QStringList> filesByFoldedName(const QString& mediaFolder) {
    QHash<QString, QStringList> files;
    if (mediaFolder.isEmpty())
        return files;
    const QDir folder(mediaFolder);
    const QStringList names =
        folder.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names)
        files[name.toLower()].append(name);
    return files;
}

} // namespace

int ExportReport::mediaCount(ExportOutcome outcome) const {
    return int(std::count_if(files.begin(), files.end(), [outcome](const ExportFileResult& file) {
        return !file.schedule && file.outcome == outcome;
    }));
}

ExportOutcome ExportReport::scheduleOutcome() const {
    for (const ExportFileResult& file : files)
        if (file.schedule)
            return file.outcome;
    return ExportOutcome::NotDone;
}

bool ExportReport::complete() const {
    return !cancelled && std::all_of(files.begin(), files.end(), [](const ExportFileResult& file) {
        return file.outcome == ExportOutcome::Copied || file.outcome == ExportOutcome::AlreadyThere;
    });
}

QStringList ScheduleMediaFileNames(const ScheduleDocument& document) {
    QStringList names;
    QSet<QString> seen;
    const auto add = [&](const QList<MediaEntry>& entries) {
        for (const MediaEntry& entry : entries) {
            const QString name = diskName(entry);
            if (!seen.contains(name.toLower())) {
                seen.insert(name.toLower());
                names.append(name);
            }
        }
    };
    add(document.basicEntries());
    for (const AdvanceEntry& period : document.advanceEntries())
        add(period.details);
    return names;
}

QList<ExportFile> PlanExport(const QString& schedulePath, const ScheduleDocument& document,
                             const QString& mediaFolder) {
    const QString scheduleName = QFileInfo(schedulePath).fileName();
    QList<ExportFile> plan{{scheduleName, schedulePath, {}, true}};
    const QHash<QString, QStringList> available = filesByFoldedName(mediaFolder);
    for (const QString& name : ScheduleMediaFileNames(document)) {
        ExportFile file{name, {}, {}};
        const QStringList candidates = available.value(name.toLower());
        if (!isUsableFileName(name))
            file.problem = u"the schedule stores no usable file name here"_s;
        else if (name.compare(scheduleName, Qt::CaseInsensitive) == 0)
            file.problem = u"it has the schedule file's name"_s;
        else if (candidates.contains(name))
            file.sourcePath = WithTrailingSeparator(mediaFolder) + name;
        else if (candidates.size() == 1)
            file.sourcePath = WithTrailingSeparator(mediaFolder) + candidates.first();
        else if (candidates.size() > 1)
            file.problem = u"the media folder holds several files of this name in other letter "
                           u"cases: %1"_s.arg(candidates.join(u", "));
        plan.append(file);
    }
    return plan;
}

ExportReport RunExport(const QList<ExportFile>& plan, const QString& targetFolder,
                       const std::function<bool(const ExportProgress&)>& progress) {
    ExportReport report;
    for (const ExportFile& file : plan)
        report.files.append({file.name, ExportOutcome::NotDone, {}, file.schedule});
    const QString folder = WithTrailingSeparator(targetFolder);
    for (qsizetype index = 0; index < plan.size(); ++index) {
        const ExportFile& file = plan[index];
        ExportFileResult& result = report.files[index];
        ExportProgress where{int(index) + 1, int(plan.size()), file.name, 0,
                             file.sourcePath.isEmpty() ? 0 : QFileInfo(file.sourcePath).size()};
        if (progress && !progress(where)) {
            report.cancelled = true;
            break;
        }
        if (file.missing()) {
            result.outcome = ExportOutcome::Missing;
            continue;
        }
        if (!file.problem.isEmpty()) {
            result.outcome = ExportOutcome::Failed;
            result.reason = file.problem;
            continue;
        }
        const CopyProgress chunkDone = [&](qint64 bytesDone) {
            where.bytesDone = bytesDone;
            if (progress && !progress(where))
                report.cancelled = true;
            return !report.cancelled;
        };
        const QString target = folder + file.name;
        if (FilesHaveSameContents(file.sourcePath, target, chunkDone)) {
            result.outcome = ExportOutcome::AlreadyThere;
            continue;
        }
        if (report.cancelled)
            break;
        const Result<void> copied = CopyFileAs(file.sourcePath, target, chunkDone);
        if (report.cancelled)
            break;
        result.outcome = copied ? ExportOutcome::Copied : ExportOutcome::Failed;
        result.reason = copied.error();
    }
    return report;
}

namespace {

QString outcomeWords(ExportOutcome outcome) {
    switch (outcome) {
    case ExportOutcome::Copied:
        return u"copied"_s;
    case ExportOutcome::AlreadyThere:
        return u"already there"_s;
    case ExportOutcome::Missing:
        return u"missing"_s;
    case ExportOutcome::Failed:
        return u"failed"_s;
    case ExportOutcome::NotDone:
        break;
    }
    return u"not done"_s;
}

} // namespace

QStringList ExportReportLines(const ExportReport& report) {
    QStringList lines;
    for (const ExportFileResult& file : report.files) {
        QString line = outcomeWords(file.outcome) + u": "_s + file.name;
        if (file.outcome == ExportOutcome::Failed)
            line += u": "_s + file.reason;
        lines.append(line);
    }
    lines.append(u"schedule file %1; media files: %2 copied, %3 already there, %4 missing, %5 "
                 u"failed%6"_s.arg(outcomeWords(report.scheduleOutcome()),
                                   QString::number(report.mediaCount(ExportOutcome::Copied)),
                                   QString::number(report.mediaCount(ExportOutcome::AlreadyThere)),
                                   QString::number(report.mediaCount(ExportOutcome::Missing)),
                                   QString::number(report.mediaCount(ExportOutcome::Failed)),
                                   report.cancelled ? u"; cancelled"_s : QString()));
    return lines;
}
