#pragma once

#include "Result.h"
#include "ScheduleDocument.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The JSON form of a schedule, as mvstool writes and reads it.

// The document as JSON text in one fixed layout: two-space indents, keys in a
// fixed order, one media entry a line, a final newline. Name and extension
// bytes become the characters of the same code points, so any stored byte is
// shown exactly.
QByteArray ScheduleToJson(const ScheduleDocument& document);

// The largest JSON text that build reads. The largest document the checks
// let through (250 basic entries, 250 advance entries and 623 details, as the
// size estimate allows, every field at its longest, reserved bytes in use) is
// 152 KiB in dump's layout and 394 KiB pretty-printed with one value a line.
// A few times that leaves room for any layout while bounding the memory a
// hostile text can take.
inline constexpr qsizetype MaxScheduleJsonSize = 1024 * 1024;

// How deep a schedule nests lists and objects: the document, a list, an
// advance entry, its details, a detail, its reserved bytes.
inline constexpr int ScheduleJsonDepth = 6;
// How many lists and objects build reads. The largest document has 2249 (the
// document, its two lists, 250 advance entries with their details lists, and
// 873 media entries with their reserved bytes); a few times that still lets a
// list over its limit get its own message, while many small lists cannot
// take much memory.
inline constexpr int ScheduleJsonContainers = 10000;

// The message for a text over MaxScheduleJsonSize, to follow the file name.
QString TooLargeForScheduleJson();

// Why JSON text was refused, and where. path names the offending value, for
// example "advance[2].details[0].name" (list positions from 0); it is empty
// when the text as a whole is at fault.
struct JsonFailure {
    QString error;
    QString path;
    // True when the text is not JSON at all, false when it is JSON holding a
    // value that the editor would refuse.
    bool malformed = false;
};

using JsonScheduleResult = Result<ScheduleDocument, JsonFailure>;

// Reads JSON text into a document with the editor's rules: media names as the
// media entry editor accepts them (stored in upper case), the value ranges of
// the editors' lists, the advance editor's date and time checks, the list
// limits and the checks before saving. Unknown keys are refused so that a typo
// is never ignored silently, and so is a key that appears twice in an object.
// A text over MaxScheduleJsonSize, nested deeper than ScheduleJsonDepth or
// holding more than ScheduleJsonContainers lists and objects is refused
// before it is parsed. Messages quote at most MessageValueLength
// characters of a value.
JsonScheduleResult ScheduleFromJson(QByteArrayView json);

// text as a JSON string literal, quotes included, escaped the way
// ScheduleToJson writes names. Also useful for quoting user input in messages.
QByteArray JsonStringLiteral(const QString& text);
