#include "Console.h"

#include <cstdio>

using namespace Qt::StringLiterals;

void WriteOut(QByteArrayView bytes) {
    std::fwrite(bytes.data(), 1, std::size_t(bytes.size()), stdout);
}

void WriteOutLine(const QString& line) {
    WriteOut(line.toUtf8());
    WriteOut("\n");
}

void ReportError(const QString& message) {
    const QByteArray text = (u"mvstool: "_s + message + u'\n').toUtf8();
    std::fwrite(text.data(), 1, std::size_t(text.size()), stderr);
    std::fflush(stderr);
}

void ReportError(const QString& file, const QString& message) {
    ReportError(file + u": "_s + message);
}

bool FinishOutput() {
    return std::fflush(stdout) == 0 && !std::ferror(stdout);
}
