// Saves a schedule over and over into one file until it is killed; the
// killed-save test kills it at random moments.
//
//   savehelper document|bytes|named-bytes FOLDER NAME PROGRESS_FILE large|small SEED [SAVES]
//
// document: each save is WriteScheduleFile of the large and the small
//   document in turn, with fresh random values (SeededRandomSource(SEED)).
// bytes: each save writes the fixed bytes of one of the two documents
//   (FixedBytesOf, drawn from SEED) through WriteFileSafely, so nearly all of
//   the time goes to writing the file.
// named-bytes: as bytes, with a named temporary file, as on a file system
//   without unnamed files.
// large|small: which document the first save writes.
// PROGRESS_FILE (SaveProgressFileSize bytes) receives the save counts.
// SAVES: stop after that many saves (exit 0); without it, save until killed.
// Prints HelperRunningLine before the first save. Exit 2: wrong arguments,
// 3: a save failed, 4: nobody killed it within MaxLifeMs.
//
// It never outlives the test: it dies with its parent, and ends by itself
// after MaxLifeMs.

#include "KilledSaveDocuments.h"
#include "RandomSource.h"
#include "SafeFileWrite.h"
#include "ScheduleWriter.h"

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
    if (argc != 7 && argc != 8)
        return 2;
    const bool named = std::strcmp(argv[1], "named-bytes") == 0;
    const bool bytesMode = named || std::strcmp(argv[1], "bytes") == 0;
    const QString folder = QFile::decodeName(argv[2]);
    const QString name = QFile::decodeName(argv[3]);
    SaveProgress* progress = mapProgress(argv[4]);
    const bool largeFirst = std::strcmp(argv[5], "large") == 0;
    const quint32 seed = quint32(std::strtoul(argv[6], nullptr, 10));
    const quint32 saves = argc == 8 ? quint32(std::strtoul(argv[7], nullptr, 10)) : 0;
    if (!progress)
        return 2;
    std::atomic_ref<quint32> started(progress->started);
    std::atomic_ref<quint32> completed(progress->completed);
    // Take the page faults of the shared mapping now: on a journalling file
    // system the first store may wait for the journal, which would widen the
    // gap between the end of a save and its count.
    started.store(0);
    completed.store(0);

    const QByteArray largeBytes = bytesMode ? FixedBytesOf(LargeDocument(), seed) : QByteArray();
    const QByteArray smallBytes = bytesMode ? FixedBytesOf(SmallDocument(), seed) : QByteArray();
    SeededRandomSource random(seed);

    if (write(STDOUT_FILENO, HelperRunningLine, std::strlen(HelperRunningLine)) < 0)
        return 2;
    for (quint32 save = 1; saves == 0 || save <= saves; ++save) {
        started.store(save);
        const Result<void> saved =
            bytesMode
                ? WriteFileSafely(folder + name,
                                  (save % 2 == 1) == largeFirst ? largeBytes : smallBytes,
                                  named ? TemporaryFilePolicy::NamedOnly
                                        : TemporaryFilePolicy::Automatic)
                : WriteScheduleFile(folder + name, DocumentOfSave(save, largeFirst), random);
        if (!saved) {
            std::fprintf(stderr, "save %u failed: %s\n", save, qPrintable(saved.error()));
            return 3;
        }
        completed.store(save);
        if (life.hasExpired(MaxLifeMs))
            return 4;
    }
    return 0;
}
