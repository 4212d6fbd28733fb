// How much memory and time mvstool's JSON reader takes for hostile texts as
// large as it reads. Each case runs in a child of its own, so its peak resident
// size is its own. Run by hand: build/bench/bench_json_input. Not part of the
// test run.
#include "ScheduleJson.h"

#include <QElapsedTimer>
#include <QList>
#include <cstdio>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// item repeated, separated by commas, inside text, up to the size limit.
QByteArray filled(const QByteArray& before, const QByteArray& item, const QByteArray& after) {
    QByteArray text = before;
    while (text.size() + item.size() + 1 + after.size() <= MaxScheduleJsonSize)
        text += item + ',';
    text.chop(1);
    return text + after;
}

struct Case {
    const char* name;
    std::function<QByteArray()> make;
};

long peakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    const QList<Case> cases = {
        {"nothing (the reader's own start)", [] { return QByteArray("{}"); }},
        {"deep lists", [] { return QByteArray(MaxScheduleJsonSize, '['); }},
        {"many empty lists", [] { return filled("{\"basic\": [", "[]", "]}"); }},
        {"many lists six deep", [] { return filled("{\"basic\": [", "[[[[]]]]", "]}"); }},
        {"many empty objects", [] { return filled("{\"basic\": [", "{}", "]}"); }},
        {"many numbers", [] { return filled("{\"basic\": [{\"reserved\": [", "0", "]}]}"); }},
        {"one huge string",
         [] {
             return "{\"basic\": [{\"name\": \"" + QByteArray(MaxScheduleJsonSize - 50, 'A') +
                    "\", \"extension\": \"\"}]}";
         }},
        {"many different keys",
         [] {
             QByteArray text = "{\"basic\": [{\"k\": 0";
             for (int k = 1; text.size() < MaxScheduleJsonSize - 20; ++k)
                 text += ", \"" + QByteArray::number(k, 36) + "\": 0";
             return text + "}]}";
         }},
    };
    std::printf("%-36s %10s %12s\n", "case", "ms", "peak KiB");
    for (const Case& c : cases) {
        std::fflush(stdout);
        const pid_t child = fork();
        if (child == 0) {
            const QByteArray json = c.make();
            const long before = peakKilobytes();
            QElapsedTimer timer;
            timer.start();
            const JsonScheduleResult result = ScheduleFromJson(json);
            const double ms = double(timer.nsecsElapsed()) / 1e6;
            std::printf("%-36s %10.2f %12ld  (input %lld bytes, %s, %ld KiB before reading)\n",
                        c.name, ms, peakKilobytes(), static_cast<long long>(json.size()),
                        result.ok() ? "accepted" : "refused", before);
            std::fflush(stdout);
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
    }
    return 0;
}
