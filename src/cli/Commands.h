#pragma once

#include "CommandLine.h"
#include "ScheduleReader.h"

#include <optional>

// The commands. Each reports its own errors on stderr and returns the
// exit status.

// The schedule file a command reads, decoded; on failure the error is
// reported and nothing else happens.
std::optional<DecodedSchedule> ReadScheduleArgument(const QString& file);
// status, unless stdout could not take everything written to it.
int FinishCommand(int status);

int RunDump(const QString& scheduleFile);
// today decides which periods have ended.
int RunCheck(const QString& scheduleFile, const QDate& today);
int RunRows(const QString& scheduleFile);
int RunAt(const QString& scheduleFile, const DayMoment& moment);
int RunPlan(const QString& scheduleFile, const QDate& date);
int RunBuild(const QString& jsonFile, const QString& outputFile, std::optional<quint32> seed);
// Exit 1 when a file is missing or failed, or the export was interrupted.
int RunExportCommand(const QString& scheduleFile, const QString& mediaFolder,
                     const QString& targetFolder);
