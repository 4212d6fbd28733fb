#pragma once

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

struct JsonScheduleResult {
    bool ok = false;
    ScheduleDocument document;
    // When not ok: why, and where. path names the offending value, for example
    // "advance[2].details[0].name" (list positions from 0); it is empty when
    // the text as a whole is at fault.
    QString error;
    QString path;
    // True when the text is not JSON at all, false when it is JSON holding a
    // value that the editor would refuse.
    bool malformed = false;
};

// Reads JSON text into a document with the editor's rules: media names as the
// media entry editor accepts them (stored in upper case), the value ranges of
// the editors' lists, the advance editor's date and time checks, the list
// limits and the checks before saving. Unknown keys are refused so that a typo
// is never ignored silently.
JsonScheduleResult ScheduleFromJson(QByteArrayView json);

// text as a JSON string literal, quotes included, escaped the way
// ScheduleToJson writes names. Also useful for quoting user input in messages.
QByteArray JsonStringLiteral(const QString& text);
