#pragma once

#include "CommandLine.h"

// The commands. Each reports its own errors on stderr and returns the
// exit status.

int RunDump(const QString& scheduleFile);
// today decides which periods have ended.
int RunCheck(const QString& scheduleFile, const QDate& today);
int RunRows(const QString& scheduleFile);
int RunAt(const QString& scheduleFile, const DayMoment& moment);
int RunPlan(const QString& scheduleFile, const QDate& date);
int RunBuild(const QString& jsonFile, const QString& outputFile, std::optional<quint32> seed);
