#pragma once

#include <QByteArrayView>
#include <QString>

// Output of mvstool: results on stdout, errors on stderr, both UTF-8.

void WriteOut(QByteArrayView bytes);
void WriteOutLine(const QString& line);

// "mvstool: FILE: message" on stderr; a message of several lines keeps them.
void ReportError(const QString& file, const QString& message);
// "mvstool: message" on stderr, for errors that concern no file.
void ReportError(const QString& message);

// Flushes stdout and tells whether everything written reached it (a full disk
// or a closed pipe must not pass as success).
bool FinishOutput();
