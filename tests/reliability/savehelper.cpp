// Saves over and over into one file until it is killed; the killed-save test
// kills it at random moments and on entering each file system call.
//
//   savehelper unnamed|named FILE PROGRESS_FILE large|small [SAVES]
//
// Each save writes BytesOfSave through WriteFileSafely, with an unnamed
// temporary file where the file system has it, or a named one, as on a file
// system without unnamed files. PROGRESS_FILE (SaveProgressFileSize bytes)
// receives the save counts. SAVES: stop after that many saves (exit 0);
// without it, save until killed. Prints HelperRunningLine before the first
// save. Exit 2: wrong arguments, 3: a save failed, 4: nobody killed it within
// MaxLifeMs.
//
// It never outlives the test: it dies with its parent, and ends by itself
// after MaxLifeMs.

#include "KilledSaveBytes.h"
#include "SafeFileWrite.h"

#include <QElapsedTimer>
#include <QFile>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace {

// Far longer than any kill takes to arrive.
constexpr qint64 MaxLifeMs = 20000;

SaveProgress* mapProgress(const char* path) {
    const int fd = open(path, O_RDWR);
    if (fd < 0)
        return nullptr;
    void* mapped = mmap(nullptr, SaveProgressFileSize, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    close(fd);
    return mapped == MAP_FAILED ? nullptr : static_cast<SaveProgress*>(mapped);
}

} // namespace

int main(int argc, char* argv[]) {
    // A test killed by a timeout must not leave this saving forever.
    const pid_t parent = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent)
        return 4;
    QElapsedTimer life;
    life.start();
    if (argc != 5 && argc != 6)
        return 2;
    const TemporaryFilePolicy policy = std::strcmp(argv[1], "named") == 0
                                           ? TemporaryFilePolicy::NamedOnly
                                           : TemporaryFilePolicy::Automatic;
    const QString path = QFile::decodeName(argv[2]);
    SaveProgress* progress = mapProgress(argv[3]);
    const bool largeFirst = std::strcmp(argv[4], "large") == 0;
    const quint32 saves = argc == 6 ? quint32(std::strtoul(argv[5], nullptr, 10)) : 0;
    if (!progress)
        return 2;
    std::atomic_ref<quint32> started(progress->started);
    std::atomic_ref<quint32> completed(progress->completed);
    // Take the page faults of the shared mapping now: on a journalling file
    // system the first store may wait for the journal, which would widen the
    // gap between the end of a save and its count.
    started.store(0);
    completed.store(0);
    const QByteArray bytes[] = {BytesOfSave(1, largeFirst), BytesOfSave(2, largeFirst)};

    if (write(STDOUT_FILENO, HelperRunningLine, std::strlen(HelperRunningLine)) < 0)
        return 2;
    for (quint32 save = 1; saves == 0 || save <= saves; ++save) {
        started.store(save);
        if (const Result<void> written = WriteFileSafely(path, bytes[(save - 1) % 2], policy);
            !written) {
            std::fprintf(stderr, "save %u failed: %s\n", save, qPrintable(written.error()));
            return 3;
        }
        completed.store(save);
        if (life.hasExpired(MaxLifeMs))
            return 4;
    }
    return 0;
}
