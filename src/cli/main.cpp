#include "CommandLine.h"
#include "Commands.h"
#include "Console.h"
#include "ExitStatus.h"

#include <QCoreApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(u"mvstool"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(MVSTOOL_VERSION));

    const ParsedCommandLine parsed = ParseCommandLine(QCoreApplication::arguments());
    if (!parsed.ok) {
        ReportError(parsed.error + u'\n' + UsageLine());
        return ExitFailure;
    }
    const Invocation& invocation = parsed.invocation;
    switch (invocation.command) {
    case Invocation::Command::Help:
        WriteOut(invocation.helpText.toUtf8());
        return FinishOutput() ? ExitSuccess : ExitFailure;
    case Invocation::Command::Version:
        WriteOutLine(u"mvstool "_s + QCoreApplication::applicationVersion());
        return FinishOutput() ? ExitSuccess : ExitFailure;
    case Invocation::Command::Dump:
        return RunDump(invocation.input);
    case Invocation::Command::Check:
        return RunCheck(invocation.input, invocation.today.value_or(QDate::currentDate()));
    case Invocation::Command::Rows:
        return RunRows(invocation.input);
    case Invocation::Command::At:
        return RunAt(invocation.input, invocation.moment);
    case Invocation::Command::Plan:
        return RunPlan(invocation.input, invocation.moment.date);
    case Invocation::Command::Build:
        return RunBuild(invocation.input, invocation.output, invocation.seed);
    case Invocation::Command::Export:
        return RunExportCommand(invocation.input, invocation.mediaFolder, invocation.targetFolder);
    }
    return ExitFailure;
}
