#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

// What a walk over JSON text found before the text is parsed.
struct JsonShapeProblem {
    // The offending value, in the style "advance[2].details[0].name".
    QString path;
    QString message;
};

// How far a text may go before it is parsed.
struct JsonShapeLimits {
    int depth = 0;      // lists and objects inside one another
    int containers = 0; // lists and objects in the whole text
};

// Walks JSON text once, without building it, and finds what a parser would
// silently accept or pay for in memory: lists and objects nested deeper than
// the limit or more of them than the limit, and a key that appears twice in
// one object (keys compare after their escapes are undone, so "a" and
// "\u0061" are the same key). Strings and their escapes are respected. Text
// that is not JSON is left to the parser: the walk stops where the text stops
// making sense.
std::optional<JsonShapeProblem> CheckJsonShape(QByteArrayView json, const JsonShapeLimits& limits);
