#include "DayArguments.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

std::optional<QDate> ParseDay(const QString& text) {
    static const QRegularExpression pattern(u"^(\\d{4})-(\\d{2})-(\\d{2})$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    return date.isValid() ? std::optional(date) : std::nullopt;
}

std::optional<DayMoment> ParseMoment(const QString& text) {
    static const QRegularExpression pattern(u"^(\\S{10}) (\\d{2}):(\\d{2}):(\\d{2})$"_s);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto date = ParseDay(match.captured(1));
    const int hour = match.captured(2).toInt();
    const int minute = match.captured(3).toInt();
    const int second = match.captured(4).toInt();
    if (!date || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return DayMoment{*date, (hour * 60 + minute) * 60 + second};
}
