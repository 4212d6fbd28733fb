#pragma once

#include "CommandLine.h"

// The four commands. Each reports its own errors on stderr and returns the
// exit status.

int RunDump(const QString& scheduleFile);
int RunCheck(const QString& scheduleFile);
int RunRows(const QString& scheduleFile);
int RunBuild(const QString& jsonFile, const QString& outputFile, std::optional<quint32> seed);
