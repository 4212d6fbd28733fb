#pragma once

#include "DayArguments.h"

#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks for, once it has been checked.
struct Invocation {
    enum class Command { Dump, Build, Check, Rows, At, Plan, Export, Help, Version };

    Command command = Command::Help;
    QString input;
    QString output;              // build only
    std::optional<quint32> seed; // build only
    std::optional<QDate> today;  // check only; the clock's date when not given
    DayMoment moment;            // at: the moment; plan: its date
    QString mediaFolder;         // export only
    QString targetFolder;        // export only
    QString helpText;            // for Help
};

struct ParsedCommandLine {
    bool ok = false;
    Invocation invocation;
    QString error; // when not ok: what is wrong with the command line
};

// arguments include the program name first, as QCoreApplication::arguments().
ParsedCommandLine ParseCommandLine(const QStringList& arguments);

// The one-line synopsis shown after a usage error.
QString UsageLine();
