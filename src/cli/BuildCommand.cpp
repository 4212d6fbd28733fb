#include "Commands.h"
#include "Console.h"
#include "ExitStatus.h"
#include "schedule/RegularFile.h"
#include "schedule/ScheduleJson.h"
#include "schedule/ScheduleWriter.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Far above the JSON of the largest schedule, however generously indented; a
// device or a huge file chosen by mistake must not fill the memory.
constexpr qint64 MaxJsonSize = 64 * 1024 * 1024;

// The output must not be the input under another name (the same name, a
// symbolic or a hard link): the schedule would replace the JSON it came from.
bool isTheInput(const QFile& input, const QString& outputFile) {
    const auto inputIdentity = IdentityOfFile(input);
    const auto outputIdentity = IdentityOfPath(outputFile);
    return inputIdentity && outputIdentity && inputIdentity->sameFile(*outputIdentity);
}

std::optional<QByteArray> readJson(const QString& file, const QString& outputFile) {
    QFile input;
    QString error;
    if (!OpenRegularFile(input, file, &error)) {
        ReportError(file, u"cannot be read: "_s + error);
        return std::nullopt;
    }
    if (isTheInput(input, outputFile)) {
        ReportError(outputFile,
                    u"is the input file %1; build does not write over its input"_s.arg(file));
        return std::nullopt;
    }
    const QByteArray bytes = input.read(MaxJsonSize + 1);
    if (input.error() != QFileDevice::NoError) {
        ReportError(file, u"cannot be read: "_s + input.errorString());
        return std::nullopt;
    }
    if (bytes.size() > MaxJsonSize) {
        ReportError(file, u"is larger than %1 MiB, too large for the JSON of a schedule"_s.arg(
                              MaxJsonSize / (1024 * 1024)));
        return std::nullopt;
    }
    return bytes;
}

} // namespace

int RunBuild(const QString& jsonFile, const QString& outputFile, std::optional<quint32> seed) {
    const auto json = readJson(jsonFile, outputFile);
    if (!json)
        return ExitFailure;
    const JsonScheduleResult parsed = ScheduleFromJson(*json);
    if (!parsed.ok) {
        ReportError(jsonFile,
                    parsed.path.isEmpty() ? parsed.error : parsed.path + u": "_s + parsed.error);
        return parsed.malformed ? ExitFailure : ExitRefused;
    }
    SeededRandomSource random = seed ? SeededRandomSource(*seed) : SeededRandomSource::fromClock();
    QString error;
    // The path goes whole as the file name: WriteScheduleFile joins the two
    // as they are.
    if (!WriteScheduleFile(QString(), outputFile, parsed.document, random, &error)) {
        ReportError(outputFile, u"cannot be written: "_s + error);
        return ExitFailure;
    }
    return ExitSuccess;
}
