// Tells the lock file test script where the editor keeps its lock.
//
//   lockhelper FOLDER    prints SingleInstance::lockPathFor(FOLDER)
//
// The path depends on the temp folder (TMPDIR) as the editor sees it.

#include "SingleInstance.h"

#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2)
        return 2;
    const QByteArray path =
        QFile::encodeName(SingleInstance::lockPathFor(QFile::decodeName(argv[1])));
    std::printf("%s\n", path.constData());
    return 0;
}
