#pragma once

#include "Result.h"

#include <QFile>
#include <QString>
#include <optional>

// What tells one version of a file from another: where it lives on the file
// system (device and file number) and its size and modification time. Links
// are followed.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    bool sameFile(const FileIdentity& other) const {
        return device == other.device && inode == other.inode;
    }
    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file path names; nothing when there is none.
std::optional<FileIdentity> IdentityOfPath(const QString& path);
// The identity of an open file.
std::optional<FileIdentity> IdentityOfFile(const QFile& file);

// Opens path for reading when it names a regular file. Anything else (a FIFO,
// a device, a socket, a folder) is refused at once with a clear error instead
// of blocking or reading without end.
Result<void> OpenRegularFile(QFile& file, const QString& path);
