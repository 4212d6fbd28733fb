// Start-up cost of the editor against a bare Qt main window with three list
// views. Each starts as a child process, alternately, many times, and quits
// once its window is shown and idle; printed are the medians of CPU time
// (user + system) and peak memory (maximum resident set) of both, and their
// ratios: offscreen, and also on the X server DISPLAY names (xcb), if any.
// Run by hand, on a machine as quiet as can be, and repeat:
//   build/bench/bench_startup [RUNS]
//   xvfb-run -a -s "-screen 0 1280x900x24" build/bench/bench_startup [RUNS]
// Both children run from copies in a new temporary folder, which also holds
// HOME and the XDG folders, so the editor finds an empty program folder (as a
// portable copy on its first start) and no settings of the user's.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

struct Sample {
    double cpuMs = 0;
    double peakMiB = 0;
};

double milliseconds(const timeval& time) {
    return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
}

// Runs the program to its end; nothing when it could not start or failed.
std::optional<Sample> runChild(const QString& program, const QStringList& environment) {
    const std::string path = QFile::encodeName(program).toStdString();
    std::vector<std::string> variables;
    for (const QString& variable : environment)
        variables.push_back(variable.toStdString());
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    std::string argument0 = path;
    char* argv[] = {argument0.data(), nullptr};

    pid_t child = 0;
    if (posix_spawn(&child, path.c_str(), nullptr, nullptr, argv, envp.data()) != 0)
        return std::nullopt;
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return Sample{milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime),
                  double(usage.ru_maxrss) / 1024.0};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

struct Figures {
    std::vector<double> cpuMs;
    std::vector<double> peakMiB;
};

// A folder for the children's HOME, runtime, data and settings folders, and
// the copies of both children.
struct ChildPlace {
    QTemporaryDir root;
    QString bare;
    QString editor;
    QStringList environment(const QString& platform) const {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert(u"QT_QPA_PLATFORM"_s, platform);
        variables.insert(u"HOME"_s, root.filePath(u"home"_s));
        variables.insert(u"XDG_RUNTIME_DIR"_s, root.filePath(u"runtime"_s));
        variables.insert(u"XDG_DATA_HOME"_s, root.filePath(u"home/.local/share"_s));
        variables.insert(u"XDG_CONFIG_HOME"_s, root.filePath(u"home/.config"_s));
        return variables.toStringList();
    }
};

bool prepare(ChildPlace& place, const QString& buildFolder) {
    if (!place.root.isValid())
        return false;
    const QDir root(place.root.path());
    for (const QString& folder :
         {u"home/.local/share"_s, u"home/.config"_s, u"runtime"_s, u"bare"_s, u"editor"_s})
        if (!root.mkpath(folder))
            return false;
    // Qt passes over a runtime folder that others may enter.
    QFile::setPermissions(root.filePath(u"runtime"_s),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    place.bare = root.filePath(u"bare/startup_bare_window"_s);
    place.editor = root.filePath(u"editor/startup_editor"_s);
    return QFile::copy(buildFolder + u"/startup_bare_window"_s, place.bare) &&
           QFile::copy(buildFolder + u"/startup_editor"_s, place.editor);
}

bool measure(const ChildPlace& place, const QString& platform, int runs) {
    const QStringList environment = place.environment(platform);
    Figures bare;
    Figures editor;
    // One unmeasured start of each first, so that both find their files cached.
    for (int run = -1; run < runs; ++run) {
        // Alternate which goes first, so neither always follows the other.
        const bool bareFirst = run % 2 == 0;
        for (int turn = 0; turn < 2; ++turn) {
            const bool isBare = (turn == 0) == bareFirst;
            const std::optional<Sample> sample =
                runChild(isBare ? place.bare : place.editor, environment);
            if (!sample) {
                std::fprintf(stderr, "%s failed on %s\n", isBare ? "the bare window" : "the editor",
                             qPrintable(platform));
                return false;
            }
            if (run < 0)
                continue;
            Figures& figures = isBare ? bare : editor;
            figures.cpuMs.push_back(sample->cpuMs);
            figures.peakMiB.push_back(sample->peakMiB);
        }
    }
    const double bareCpu = median(bare.cpuMs);
    const double editorCpu = median(editor.cpuMs);
    const double bareMemory = median(bare.peakMiB);
    const double editorMemory = median(editor.peakMiB);
    std::printf("%-10s %-12s %10.1f %12.1f\n", qPrintable(platform), "bare window", bareCpu,
                bareMemory);
    std::printf("%-10s %-12s %10.1f %12.1f\n", qPrintable(platform), "editor", editorCpu,
                editorMemory);
    std::printf("%-10s %-12s %9.2fx %11.2fx\n", qPrintable(platform), "editor/bare",
                editorCpu / bareCpu, editorMemory / bareMemory);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;

    ChildPlace place;
    if (!prepare(place, QCoreApplication::applicationDirPath())) {
        std::fprintf(stderr, "cannot place the children in a temporary folder\n");
        return 1;
    }
    QStringList platforms{u"offscreen"_s};
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        platforms.append(u"xcb"_s);

    std::printf("medians of %d runs each, alternating\n", runs);
    std::printf("%-10s %-12s %10s %12s\n", "platform", "window", "CPU ms", "peak MiB");
    for (const QString& platform : platforms)
        if (!measure(place, platform, runs))
            return 1;
    return 0;
}
