#pragma once

#include "ScheduleDocument.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// Putting a schedule onto a player's drive: the schedule file and every media
// file it names, copied from the media folder into one target folder.

// One file of an export.
struct ExportFile {
    QString name;          // the name on the target: the schedule's own file name,
                           // or a media name as the schedule stores it
    QString sourcePath;    // where it is copied from; empty when it cannot be
    QString problem;       // why it cannot be copied although it was found or
                           // named; empty for a file that is merely missing
    bool schedule = false; // the schedule file itself, not a media file
    bool missing() const { return sourcePath.isEmpty() && problem.isEmpty(); }
    friend bool operator==(const ExportFile&, const ExportFile&) = default;
};

enum class ExportOutcome {
    Copied,
    AlreadyThere, // an identical file was at the target already
    Missing,      // not in the media folder
    Failed,
    NotDone, // the export was cancelled before this file was done
};

struct ExportFileResult {
    QString name;
    ExportOutcome outcome = ExportOutcome::NotDone;
    QString reason; // for Failed
    bool schedule = false;
    friend bool operator==(const ExportFileResult&, const ExportFileResult&) = default;
};

struct ExportReport {
    QList<ExportFileResult> files;
    bool cancelled = false;

    // Of the media files; the schedule file is not counted.
    int mediaCount(ExportOutcome outcome) const;
    // What became of the schedule file itself.
    ExportOutcome scheduleOutcome() const;
    // Every file is on the target now.
    bool complete() const;
};

// Where a running export is: file number (from 1) of the count, and the bytes
// of that file copied or compared so far.
struct ExportProgress {
    int file = 0;
    int fileCount = 0;
    QString name;
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
};

// The names of the media files the schedule names, basic list first, then each
// period's details: NAME.EXT, or NAME where the extension is empty. Each name
// once, whatever its letter case; a name the file system cannot take
// unchanged (damaged bytes) is kept as stored, and PlanExport reports it.
QStringList ScheduleMediaFileNames(const ScheduleDocument& document);

// What an export will copy: the schedule file first, then the media files,
// each found in mediaFolder without regard to letter case (the schedule stores
// upper case; an exact match wins over others).
QList<ExportFile> PlanExport(const QString& schedulePath, const ScheduleDocument& document,
                             const QString& mediaFolder);

// Runs the plan into targetFolder: a file identical to its source already at
// the target is left as it is; every other file is copied whole under its
// name or not at all. progress runs at the start of each file and between
// chunks; false cancels, leaving no partial file.
ExportReport RunExport(const QList<ExportFile>& plan, const QString& targetFolder,
                       const std::function<bool(const ExportProgress&)>& progress = {});

// The report in English, one line per file, then a summary line ("schedule
// file copied; media files: 19 copied, 0 already there, 1 missing, 0 failed");
// mvstool prints it.
QStringList ExportReportLines(const ExportReport& report);
