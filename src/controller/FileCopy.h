#pragma once

#include "Result.h"

#include <QString>
#include <functional>

// Called between chunks of a copy or a comparison with the bytes done so far;
// false stops the work at once.
using CopyProgress = std::function<bool(qint64 bytesDone)>;

// Copies the file at sourcePath to targetPath. The bytes go to a temporary
// file in the target's folder that replaces an old file of that name only
// when complete: a failed or stopped copy leaves no partial file and keeps the
// old one.
Result<void> CopyFileAs(const QString& sourcePath, const QString& targetPath,
                        const CopyProgress& progress = {});

// Copies sourceFolder + fileName into targetFolder under the same name, as
// CopyFileAs does. progress, when given, runs between chunks (to keep the
// window painted during a long copy).
Result<void> CopyFileToFolder(const QString& sourceFolder, const QString& fileName,
                              const QString& targetFolder,
                              const std::function<void()>& progress = {});

// True when both paths name regular files with the same bytes. False when
// they differ, when either cannot be read, or when progress stopped the
// comparison.
bool FilesHaveSameContents(const QString& first, const QString& second,
                           const CopyProgress& progress = {});

// True when the two paths name one folder of the file system, however they
// reach it (links, "..", a final separator); letter case counts wherever the
// file system says it does. Two missing folders are the same only by path.
bool IsSameFolder(const QString& first, const QString& second);
