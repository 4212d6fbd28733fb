#pragma once

#include "PathHelpers.h"

// A file as the program keeps it: a folder that ends in the separator and a
// name in it. Its path is the two joined as they are.
struct FileLocation {
    QString folder;
    QString fileName;

    QString path() const { return folder + fileName; }
    // Split after the last separator.
    static FileLocation ofPath(const QString& path) {
        return {FolderOfPath(path), FileNameOfPath(path)};
    }

    friend bool operator==(const FileLocation&, const FileLocation&) = default;
};

// True when the location names an existing regular file (see FileExists).
inline bool FileExists(const FileLocation& location) {
    return FileExists(location.folder, location.fileName);
}
