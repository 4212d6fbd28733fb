#include "CommandLine.h"

#include <QCommandLineParser>

using namespace Qt::StringLiterals;

namespace {

const QString Description = u"The command-line companion of the Morva Schedule Generator.\n"
                            "\n"
                            "Commands:\n"
                            "  dump FILE.mvs             the schedule as JSON on stdout\n"
                            "  build IN.json -o OUT.mvs  a schedule file from JSON, with the "
                            "editor's checks\n"
                            "  check FILE.mvs [--today YYYY-MM-DD]\n"
                            "                            what the editor would not have produced,"
                            " then\n"
                            "                            warnings (periods that can never play or"
                            " have\n"
                            "                            ended, identical periods, a size near the"
                            " budget);\n"
                            "                            exit 1 if anything\n"
                            "  rows FILE.mvs             the list rows as the editor shows them\n"
                            "  at FILE.mvs \"YYYY-MM-DD HH:MM:SS\"\n"
                            "                            the periods that match that moment, as"
                            " advance[i],\n"
                            "                            one a line, or basic when none does\n"
                            "  plan FILE.mvs YYYY-MM-DD  the day as segments HH:MM:SS-HH:MM:SS and"
                            " what\n"
                            "                            matches in each (advance[i] ..., or"
                            " basic)\n"
                            "  export FILE.mvs --media DIR --to DIR\n"
                            "                            the schedule file and every media file"
                            " it names,\n"
                            "                            found in the media folder whatever their"
                            " letter\n"
                            "                            case, copied to the target folder under"
                            " the names\n"
                            "                            the schedule stores; identical files"
                            " there are\n"
                            "                            left alone; exit 1 if anything is"
                            " missing or failed\n"
                            "\n"
                            "A period matches a moment when the date lies between its start and"
                            " stop dates\n"
                            "(both included), the week day is its week day (or it is every day),"
                            " and the\n"
                            "time lies between its start and stop times (both included). Where"
                            " several\n"
                            "match, all are printed: the player chooses among them.\n"
                            "\n"
                            "Exit status: 0 success, 1 problems found or input refused, 2 usage "
                            "error or a file that cannot be read or written."_s;

std::optional<Invocation::Command> commandNamed(const QString& name) {
    if (name == u"dump"_s)
        return Invocation::Command::Dump;
    if (name == u"build"_s)
        return Invocation::Command::Build;
    if (name == u"check"_s)
        return Invocation::Command::Check;
    if (name == u"rows"_s)
        return Invocation::Command::Rows;
    if (name == u"at"_s)
        return Invocation::Command::At;
    if (name == u"plan"_s)
        return Invocation::Command::Plan;
    if (name == u"export"_s)
        return Invocation::Command::Export;
    return std::nullopt;
}

// ", not \"text\"" when something was given in place of what is needed.
QString givenInstead(const QString& text) {
    return text.isEmpty() ? QString() : u", not \"%1\""_s.arg(text);
}

ParsedCommandLine usageError(const QString& error) {
    return {false, {}, error};
}

} // namespace

QString UsageLine() {
    return u"usage: mvstool dump|check|rows FILE.mvs, mvstool build IN.json -o OUT.mvs "
           "[--seed N], mvstool at FILE.mvs \"YYYY-MM-DD HH:MM:SS\", mvstool plan FILE.mvs "
           "YYYY-MM-DD, mvstool export FILE.mvs --media DIR --to DIR; see mvstool --help"_s;
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(Description);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption outputOption({u"o"_s, u"output"_s},
                                          u"build: the schedule file to write."_s, u"OUT.mvs"_s);
    const QCommandLineOption seedOption(
        u"seed"_s,
        u"build: seed of the random bytes (0 to 4294967295), for repeatable files; "
        "default: the clock."_s,
        u"N"_s);
    const QCommandLineOption todayOption(
        u"today"_s, u"check: the date taken as today, for repeatable output; default: the clock."_s,
        u"YYYY-MM-DD"_s);
    const QCommandLineOption mediaOption(
        u"media"_s, u"export: the folder that holds the media files."_s, u"DIR"_s);
    const QCommandLineOption toOption(u"to"_s, u"export: the folder to copy into."_s, u"DIR"_s);
    parser.addOption(mediaOption);
    parser.addOption(toOption);
    parser.addOption(outputOption);
    parser.addOption(seedOption);
    parser.addOption(todayOption);
    parser.addPositionalArgument(u"command"_s, u"dump, build, check, rows, at, plan or export."_s);
    parser.addPositionalArgument(u"file"_s, u"The .mvs file, or for build the JSON file."_s);

    if (!parser.parse(arguments))
        return usageError(parser.errorText());

    Invocation invocation;
    if (parser.isSet(helpOption)) {
        invocation.command = Invocation::Command::Help;
        invocation.helpText = parser.helpText();
        return {true, invocation, {}};
    }
    if (parser.isSet(versionOption)) {
        invocation.command = Invocation::Command::Version;
        return {true, invocation, {}};
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(u"no command given"_s);
    const auto command = commandNamed(positional.first());
    if (!command)
        return usageError(u"unknown command \"%1\""_s.arg(positional.first()));
    if (positional.size() < 2)
        return usageError(u"%1 needs a file"_s.arg(positional.first()));
    invocation.command = *command;
    invocation.input = positional[1];
    // What follows the file: for at the moment, which may also come as two
    // arguments, the date and the time; for plan the date.
    const QStringList rest = positional.mid(2);
    const QString after = rest.join(u' ');
    switch (invocation.command) {
    case Invocation::Command::At:
        if (const auto moment = ParseMoment(after))
            invocation.moment = *moment;
        else
            return usageError(u"at needs a moment \"YYYY-MM-DD HH:MM:SS\" after the file"_s +
                              givenInstead(after));
        break;
    case Invocation::Command::Plan:
        if (const auto date = ParseDay(after))
            invocation.moment = {*date, 0};
        else
            return usageError(u"plan needs a date YYYY-MM-DD after the file"_s +
                              givenInstead(after));
        break;
    default:
        if (!rest.isEmpty())
            return usageError(
                u"%1 takes one file, not also \"%2\""_s.arg(positional[0], positional[2]));
        break;
    }

    if (parser.values(todayOption).size() > 1)
        return usageError(u"--today may be given once"_s);
    if (parser.isSet(todayOption)) {
        if (invocation.command != Invocation::Command::Check)
            return usageError(u"--today belongs to check only"_s);
        invocation.today = ParseDay(parser.value(todayOption));
        if (!invocation.today)
            return usageError(
                u"--today takes a date YYYY-MM-DD, not \"%1\""_s.arg(parser.value(todayOption)));
    }

    const bool exporting = invocation.command == Invocation::Command::Export;
    if (parser.values(mediaOption).size() > 1 || parser.values(toOption).size() > 1)
        return usageError(u"--media and --to may be given once each"_s);
    if (!exporting && (parser.isSet(mediaOption) || parser.isSet(toOption)))
        return usageError(u"--media and --to belong to export only"_s);
    if (exporting) {
        invocation.mediaFolder = parser.value(mediaOption);
        invocation.targetFolder = parser.value(toOption);
        if (invocation.mediaFolder.isEmpty() || invocation.targetFolder.isEmpty())
            return usageError(
                u"export needs the media folder and the target: --media DIR --to DIR"_s);
    }

    const bool build = invocation.command == Invocation::Command::Build;
    if (parser.values(outputOption).size() > 1 || parser.values(seedOption).size() > 1)
        return usageError(u"-o and --seed may be given once each"_s);
    if (!build && (parser.isSet(outputOption) || parser.isSet(seedOption)))
        return usageError(u"-o and --seed belong to build only"_s);
    if (build) {
        if (!parser.isSet(outputOption) || parser.value(outputOption).isEmpty())
            return usageError(u"build needs the file to write: -o OUT.mvs"_s);
        invocation.output = parser.value(outputOption);
        if (parser.isSet(seedOption)) {
            bool ok = false;
            const QString text = parser.value(seedOption);
            const uint seed = text.toUInt(&ok, 10);
            // toUInt takes a leading '+' and spaces; the seed is plain digits.
            const bool digitsOnly =
                !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                               [](QChar c) { return c >= u'0' && c <= u'9'; });
            if (!ok || !digitsOnly)
                return usageError(
                    u"--seed takes a whole number from 0 to 4294967295, not \"%1\""_s.arg(text));
            invocation.seed = quint32(seed);
        }
    }
    return {true, invocation, {}};
}
