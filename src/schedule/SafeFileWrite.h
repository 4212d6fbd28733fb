#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

// Writes a file so that it appears whole or not at all. The bytes go to an
// unnamed file in the target's folder that takes the target's name only when
// every byte is on the disk, so a failed write, a full disk or a killed
// process leaves the old file exactly as it was and no partial file behind
// (see RemoveStaleSavingFiles for the one name a kill can leave).
// Where the file system has no unnamed files, a QSaveFile does the same with
// a named temporary file.
class SafeFileWriter final {
public:
    explicit SafeFileWriter(const QString& path);
    ~SafeFileWriter(); // an uncommitted file is thrown away
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    bool open();
    bool write(QByteArrayView bytes);
    // Keeps the old file's permission bits.
    bool commit();
    QString errorString() const { return m_error; }

private:
    struct Unnamed;
    bool fail(const QString& error);

    QString m_path;
    QString m_error;
    std::unique_ptr<Unnamed> m_unnamed;
    std::unique_ptr<class QSaveFile> m_saveFile;
};

// A writer killed in the instant between giving its complete file a name of
// its own and moving it over the target leaves that name (".NAME.saving-PID")
// behind. This removes such leftovers of fileName in folder whose writer is
// gone; every save does it, and start-up does it for the files it reads.
void RemoveStaleSavingFiles(const QString& folder, const QString& fileName);

// The whole of bytes written with a SafeFileWriter.
bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* error = nullptr);
