#pragma once

#include <QDate>
#include <QString>
#include <optional>

// The dates and moments that mvstool takes on its command line, in the one
// form it prints them: YYYY-MM-DD and HH:MM:SS, with every digit present.

std::optional<QDate> ParseDay(const QString& text);

struct DayMoment {
    QDate date;
    int secondOfDay = 0;
};
// "YYYY-MM-DD HH:MM:SS"
std::optional<DayMoment> ParseMoment(const QString& text);
