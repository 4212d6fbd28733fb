#pragma once

#include "AppContext.h"
#include "Result.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

// SystemInfo.txt keeps the context between runs: six lines of quoted,
// comma-separated values ending in CR LF (open, save, schedule folder, schedule
// file name, media folder, then copy drive and copy folder on one line), and
// a seventh line with the language. SystemInfoValue.h tells how a value is
// stored between its quotes.
inline constexpr char16_t SystemInfoFileName[] = u"SystemInfo.txt";

struct SystemInfoFields {
    QStringList fields;    // as many as could be found, in order; a bad one is empty
    QList<int> badFields;  // the positions of those that could not be read
    bool complete = false; // all seven context fields were found
};

// Free-form reading: spaces before a field are skipped; a quoted field runs
// to the next quote; an unquoted one ends at a comma or the end of the line.
// A field that cannot be read (a raw control character, a broken escape,
// bytes that are not UTF-8) is marked bad and reading goes on with the next
// one; a quote left open ends its field at the end of its line.
SystemInfoFields ParseSystemInfo(const QByteArray& content, int wantedFields);

QByteArray FormatSystemInfo(const AppContext& context);

enum class SystemInfoStatus {
    Missing,    // no file: the start values stay
    Read,       // every value read
    Damaged,    // short, or a bad value: the good values are kept, the file deleted
    Unreadable, // the file could not be read at all: start values, the file left as it is
};

struct SystemInfoReading {
    SystemInfoStatus status = SystemInfoStatus::Missing;
    QString reason; // why the file could not be read, for Unreadable
};

// Reads appFolder/SystemInfo.txt into context. A damaged file is deleted so the
// next exit writes a complete one; a file that cannot be read is left alone.
// The caller tells the user.
SystemInfoReading ReadSystemInfo(AppContext& context);

// Writes the file safely: a failed write leaves the old file as it was.
Result<void> WriteSystemInfo(const AppContext& context);
