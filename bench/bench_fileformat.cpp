// How long the largest schedule takes to write and read, and its size. Run by
// hand: build/bench/bench_fileformat [ROUNDS]. Not part of the test run.
#include "MediaNameRules.h"
#include "RandomSource.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

ScheduleDocument largestDocument() {
    MediaEntry media;
    StoreMediaName(u"BENCHMARK-ENTRY1.MPEG"_s.left(16) + u".MPG"_s, media);
    AdvanceEntry advance;
    advance.details = QList<MediaEntry>(MaxDetailEntries, media);
    return ScheduleDocument(QList<MediaEntry>(MaxBasicEntries, media),
                            QList<AdvanceEntry>(MaxAdvanceEntries, advance));
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const ScheduleDocument document = largestDocument();
    SeededRandomSource random(1);

    QElapsedTimer timer;
    timer.start();
    QByteArray bytes;
    for (int i = 0; i < rounds; ++i)
        bytes = EncodeSchedule(document, random).value();
    const double encodeMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    timer.restart();
    bool same = true;
    for (int i = 0; i < rounds; ++i) {
        const DecodeResult decoded = DecodeSchedule(bytes);
        same = same && decoded && decoded->document == document;
    }
    const double decodeMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    std::printf("largest schedule: %lld bytes; encode %.2f ms, decode %.2f ms (%d rounds)%s\n",
                static_cast<long long>(bytes.size()), encodeMs, decodeMs, rounds,
                same ? "" : "  MISMATCH");
    return same ? 0 : 1;
}
