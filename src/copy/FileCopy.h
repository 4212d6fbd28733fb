#pragma once

#include <QString>
#include <functional>

// Copies sourceFolder + fileName into targetFolder under the same name. The
// bytes go to a temporary file in the target folder that replaces an old file
// of that name only when complete: a failed copy leaves no partial file and
// keeps the old one. progress, when given, runs between chunks (to keep the
// window painted during a long copy).
bool CopyFileToFolder(const QString& sourceFolder, const QString& fileName,
                      const QString& targetFolder, QString* error = nullptr,
                      const std::function<void()>& progress = {});

// True when the two folders name the same place as the copy window compares
// them: spaces at the ends, letter case and a final separator do not count.
bool IsSameFolder(const QString& first, const QString& second);
