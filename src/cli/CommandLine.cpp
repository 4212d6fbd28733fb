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
                            "  check FILE.mvs            what the editor would not have produced;"
                            " exit 1 if anything\n"
                            "  rows FILE.mvs             the list rows as the editor shows them\n"
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
    return std::nullopt;
}

ParsedCommandLine usageError(const QString& error) {
    return {false, {}, error};
}

} // namespace

QString UsageLine() {
    return u"usage: mvstool dump|check|rows FILE.mvs, or mvstool build IN.json -o OUT.mvs "
           "[--seed N]; see mvstool --help"_s;
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
    parser.addOption(outputOption);
    parser.addOption(seedOption);
    parser.addPositionalArgument(u"command"_s, u"dump, build, check or rows."_s);
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
    if (positional.size() > 2)
        return usageError(
            u"%1 takes one file, not also \"%2\""_s.arg(positional[0], positional[2]));
    invocation.command = *command;
    invocation.input = positional[1];

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
