#include "SafeFileWrite.h"

#include <QSaveFile>

bool OpenSaveFile(QSaveFile& file) { return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered); }

bool WriteFileSafely(const QString& path, const QByteArray& bytes, QString* error)
{
    QSaveFile file(path);
    if (!OpenSaveFile(file) || file.write(bytes) != bytes.size() || !file.flush() ||
        !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}
