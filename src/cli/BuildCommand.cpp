#include "Commands.h"
#include "Console.h"
#include "ExitStatus.h"
#include "RegularFile.h"
#include "ScheduleJson.h"
#include "ScheduleWriter.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// The output must not be the input under another name (the same name, a
// symbolic or a hard link): the schedule would replace the JSON it came from.
bool isTheInput(const QFile& input, const QString& outputFile) {
    const auto inputIdentity = IdentityOfFile(input);
    const auto outputIdentity = IdentityOfPath(outputFile);
    return inputIdentity && outputIdentity && inputIdentity->sameFile(*outputIdentity);
}

std::optional<QByteArray> readJson(const QString& file, const QString& outputFile) {
    QFile input;
    if (const Result<void> opened = OpenRegularFile(input, file); !opened) {
        ReportError(file, u"cannot be read: "_s + opened.error());
        return std::nullopt;
    }
    if (isTheInput(input, outputFile)) {
        ReportError(outputFile,
                    u"is the input file %1; build does not write over its input"_s.arg(file));
        return std::nullopt;
    }
    // Nothing past the limit is read, so a huge file costs no memory.
    const QByteArray bytes = input.read(MaxScheduleJsonSize + 1);
    if (input.error() != QFileDevice::NoError) {
        ReportError(file, u"cannot be read: "_s + input.errorString());
        return std::nullopt;
    }
    if (bytes.size() > MaxScheduleJsonSize) {
        ReportError(file, TooLargeForScheduleJson());
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
    if (!parsed) {
        ReportError(jsonFile, parsed.failure().path.isEmpty()
                                  ? parsed.error()
                                  : parsed.failure().path + u": "_s + parsed.error());
        return parsed.failure().malformed ? ExitFailure : ExitRefused;
    }
    SeededRandomSource random = seed ? SeededRandomSource(*seed) : SeededRandomSource::fromClock();
    if (const Result<void> written = WriteScheduleFile(outputFile, parsed.value(), random);
        !written) {
        ReportError(outputFile, u"cannot be written: "_s + written.error());
        return ExitFailure;
    }
    return ExitSuccess;
}
