#pragma once

#include "Result.h"

#include <QString>
#include <functional>

// Copies sourceFolder + fileName into targetFolder under the same name. The
// bytes go to a temporary file in the target folder that replaces an old file
// of that name only when complete: a failed copy leaves no partial file and
// keeps the old one. progress, when given, runs between chunks (to keep the
// window painted during a long copy).
Result<void> CopyFileToFolder(const QString& sourceFolder, const QString& fileName,
                              const QString& targetFolder,
                              const std::function<void()>& progress = {});

// True when the two paths name one folder of the file system, however they
// reach it (links, "..", a final separator); letter case counts wherever the
// file system says it does. Two missing folders are the same only by path.
bool IsSameFolder(const QString& first, const QString& second);
