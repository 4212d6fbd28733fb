#pragma once

#include "Result.h"

#include <QByteArray>
#include <QString>
#include <memory>

// How the writer makes its temporary file. Automatic is what every caller
// wants; the others pin a fallback that real file systems choose for
// themselves, so tests can run it anywhere.
enum class TemporaryFilePolicy {
    Automatic,          // unnamed where the file system has it, else named
    NamedOnly,          // as on a file system without unnamed files
    UnnamedWithoutLink, // as where an unnamed file cannot be given a name
};

// Writes a file so that it appears whole or not at all. The bytes go to a
// temporary file in the target's folder that takes the target's name only
// when every byte is on the disk, so a failed write, a full disk or a killed
// process leaves the old file exactly as it was.
//
// The temporary file is unnamed where the file system allows, and otherwise
// ".NAME.saving-PID-N", a name RemoveStaleSavingFiles recognises; a kill can
// leave only such a name behind.
//
// A path that is a symbolic link writes the file the link points to and leaves
// the link as it is. Only a regular file is ever replaced, and only one the
// user may write; it keeps its mode, and its owner and group where the user
// may give them.
class SafeFileWriter final {
public:
    explicit SafeFileWriter(const QString& path,
                            TemporaryFilePolicy policy = TemporaryFilePolicy::Automatic);
    ~SafeFileWriter(); // an uncommitted file is thrown away
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool open();
    bool write(QByteArrayView bytes);
    bool commit();
    QString errorString() const { return m_error; }

private:
    struct Temporary;
    bool fail(const QString& error);
    bool giveTemporaryItsName();
    bool copyUnnamedToNamed();

    QString m_path;
    TemporaryFilePolicy m_policy;
    QString m_error;
    std::unique_ptr<Temporary> m_temporary;
};

// Removes the temporary files of fileName in folder that a killed writer left
// behind (".NAME.saving-PID" and ".NAME.saving-PID-N" whose process is gone).
// Every save does it, and start-up does it for the files it reads.
void RemoveStaleSavingFiles(const QString& folder, const QString& fileName);

// The whole of bytes written with a SafeFileWriter.
Result<void> WriteFileSafely(const QString& path, const QByteArray& bytes,
                             TemporaryFilePolicy policy = TemporaryFilePolicy::Automatic);
