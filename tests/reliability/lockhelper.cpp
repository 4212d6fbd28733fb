// Tells the lock file test script where the editor keeps its lock.
//
//   lockhelper FOLDER    prints SingleInstance::lockPathsFor(FOLDER), one a line,
//                        the most preferred place first
//
// The paths depend on XDG_RUNTIME_DIR and XDG_DATA_HOME as the editor sees them.

#include "SingleInstance.h"

#include <QFile>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2)
        return 2;
    for (const QString& path : SingleInstance::lockPathsFor(QFile::decodeName(argv[1])))
        std::printf("%s\n", QFile::encodeName(path).constData());
    return 0;
}
