#pragma once

#include "AppContext.h"

#include <QByteArray>
#include <QStringList>

// SystemInfo.txt keeps the context between runs: six lines of quoted,
// comma-separated values ending in CR LF (open, save, schedule folder, schedule
// file name, media folder, then copy drive and copy folder on one line), and
// a seventh line with the language.
inline constexpr char16_t SystemInfoFileName[] = u"SystemInfo.txt";

struct SystemInfoFields {
    QStringList fields;    // as many as could be read, in order
    bool complete = false; // all seven context fields were read
};

// Free-form reading: spaces before a field are skipped; a quoted field runs
// to the next quote; an unquoted one ends at a comma or the end of the line.
// A field that cannot be read (end of file, an unclosed quote, a control
// character in it) ends the reading.
SystemInfoFields ParseSystemInfo(const QByteArray& content, int wantedFields);

QByteArray FormatSystemInfo(const AppContext& context);

enum class SystemInfoStatus {
    Missing, // no file: the start values stay
    Read,    // every value read
    Damaged, // short or unreadable: what was read is kept, the file deleted
};

// Reads appFolder/SystemInfo.txt into context. A damaged file is deleted so the
// next exit writes a complete one; the caller tells the user.
SystemInfoStatus ReadSystemInfo(AppContext& context);

// Writes the file safely: a failed write leaves the old file as it was.
bool WriteSystemInfo(const AppContext& context, QString* error = nullptr);
