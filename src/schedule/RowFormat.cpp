#include "RowFormat.h"

#include "DateRules.h"

using namespace Qt::StringLiterals;

namespace {

// Windows-1252 characters of the bytes 0x80 to 0x9F; 0 where the code page
// has none.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

QChar ansiChar(quint8 byte) {
    if (byte < 0x20 || byte == 0x7F)
        return QChar::ReplacementCharacter;
    if (byte >= 0x80 && byte <= 0x9F) {
        const char16_t mapped = Cp1252High[byte - 0x80];
        return mapped ? QChar(mapped) : QChar(QChar::ReplacementCharacter);
    }
    return QChar(char16_t(byte));
}

template <std::size_t N>
void appendField(QString& row, const std::array<quint8, N>& field, int& padding) {
    for (quint8 byte : field) {
        if (byte == 0)
            ++padding;
        else
            row.append(ansiChar(byte));
    }
}

} // namespace

QString WeekDayRowName(quint8 weekDay) {
    static const QString names[] = {u"Sunday"_s,   u"Monday"_s, u"Tuesday"_s, u"Wednesday"_s,
                                    u"Thursday"_s, u"Friday"_s, u"Saturday"_s};
    return weekDay < 7 ? names[weekDay] : u"All Day"_s;
}

QString AnsiText(QByteArrayView bytes) {
    QString text;
    text.reserve(bytes.size());
    for (char byte : bytes)
        text.append(ansiChar(quint8(byte)));
    return text;
}

QString MediaRowText(const MediaEntry& entry) {
    QString row;
    row.reserve(40);
    int padding = 0;
    appendField(row, entry.name, padding);
    row.append(u'.');
    appendField(row, entry.extension, padding);
    row.append(QString(padding, u' '));
    row.append(QString(5, u' '));
    const QString playTimes = QString::number(entry.playTimes);
    row.append(playTimes);
    row.append(QString(qMax(0, 3 - int(playTimes.size())), u' '));
    if (entry.volume == DefaultVolume)
        row.append(QString(5, u' ') + u"Default"_s);
    else
        row.append(QString(8, u' ') + QString::number(entry.volume));
    return row;
}

QString AdvanceRowText(const AdvancePeriod& period) {
    return DateText(StartDateOf(period), u'/') + QString(3, u' ') +
           DateText(StopDateOf(period), u'/') + QString(3, u' ') + WeekDayRowName(period.weekDay);
}

QString MediaFileText(const MediaEntry& entry) {
    const QByteArray extension = FieldBytes(entry.extension);
    return AnsiText(FieldBytes(entry.name)) +
           (extension.isEmpty() ? QString() : u'.' + AnsiText(extension));
}

QString PeriodDatesText(const AdvancePeriod& period) {
    return DateText(StartDateOf(period), u'/') + u" - "_s + DateText(StopDateOf(period), u'/');
}
