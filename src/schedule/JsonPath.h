#pragma once

#include <QString>

// Paths of JSON values in messages, for example "advance[2].details[0].name"
// (list positions from 0), and how a message quotes a value. A message shows
// at most MessageValueLength characters of a value, so that a huge value in
// the input never floods the terminal, and control characters are escaped.

inline constexpr qsizetype MessageValueLength = 60;

// text, cut to MessageValueLength characters (never inside a surrogate pair).
// cut tells whether anything was left off.
QString MessageValuePart(const QString& text, bool* cut = nullptr);

// text as a JSON string literal, cut as above; an ellipsis after the closing
// quote says that the value goes on.
QString QuotedForMessage(const QString& text);

// The path of key inside the object at path; a long key is cut with "…".
QString JsonMemberPath(const QString& path, const QString& key);
// The path of element index of the list at path.
QString JsonElementPath(const QString& path, qsizetype index);
