#include "ScheduleJson.h"

#include "DateRules.h"
#include "JsonPath.h"
#include "JsonShapeCheck.h"
#include "MediaNameRules.h"
#include "SaveCheckMessage.h"
#include "TextTable.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringList>
#include <cmath>

using namespace Qt::StringLiterals;

namespace {

// ---- Writing ---------------------------------------------------------------

// Control characters, C0 and C1 alike, are escaped: valid JSON either way, but
// they must not reach a terminal raw.
bool needsEscape(char16_t u) {
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

template <std::size_t N> QByteArray fieldLiteral(const std::array<quint8, N>& field) {
    // Latin-1 maps every byte to the code point of the same value.
    return JsonStringLiteral(QString::fromLatin1(FieldBytes(field)));
}

QByteArray mediaLine(const MediaEntry& entry) {
    QByteArray line = "{\"name\": " + fieldLiteral(entry.name) +
                      ", \"extension\": " + fieldLiteral(entry.extension) +
                      ", \"playTimes\": " + QByteArray::number(entry.playTimes) +
                      ", \"volume\": " + QByteArray::number(entry.volume);
    if (ReservedBytesInUse(entry)) {
        QByteArrayList bytes;
        for (quint8 b : entry.reserved)
            bytes.append(QByteArray::number(b));
        line += ", \"reserved\": [" + bytes.join(", ") + ']';
    }
    return line + '}';
}

void appendAdvance(QByteArray& out, const AdvanceEntry& entry) {
    out += "    {\"startDate\": \"" + DateText(StartDateOf(entry)).toLatin1() +
           "\", \"startTime\": \"" + TimeText(StartTimeOf(entry)).toLatin1() + "\",\n";
    out += "     \"stopDate\": \"" + DateText(StopDateOf(entry)).toLatin1() +
           "\", \"stopTime\": \"" + TimeText(StopTimeOf(entry)).toLatin1() + "\",\n";
    out += "     \"weekDay\": " + QByteArray::number(entry.weekDay) + ",\n";
    out += "     \"details\": [";
    // Continuation lines stand under the first detail's '{'.
    const QByteArray continuation(17, ' ');
    for (qsizetype d = 0; d < entry.details.size(); ++d) {
        if (d > 0)
            out += ",\n" + continuation;
        out += mediaLine(entry.details[d]);
    }
    out += "]}";
}

// ---- Reading ---------------------------------------------------------------

// Thrown inside the parser only; ScheduleFromJson turns it into a result.
struct Refusal {
    QString path;
    QString message;
};

[[noreturn]] void refuse(const QString& path, const QString& message) {
    throw Refusal{path, message};
}

QString member(const QString& path, const QString& key) {
    return JsonMemberPath(path, key);
}

QString element(const QString& path, qsizetype index) {
    return JsonElementPath(path, index);
}

QString quoted(const QString& text) {
    return QuotedForMessage(text);
}

// How a value that does not fit is named in a message.
QString describe(const QJsonValue& value) {
    switch (value.type()) {
    case QJsonValue::Null:
        return u"null"_s;
    case QJsonValue::Bool:
        return value.toBool() ? u"true"_s : u"false"_s;
    case QJsonValue::Double:
        return QString::number(value.toDouble(), 'g', QLocale::FloatingPointShortest);
    case QJsonValue::String:
        return u"the text "_s + quoted(value.toString());
    case QJsonValue::Array:
        return u"a list"_s;
    case QJsonValue::Object:
        return u"an object"_s;
    case QJsonValue::Undefined:
        break;
    }
    return u"nothing"_s;
}

QString describeCharacter(char32_t codePoint) {
    if (codePoint == U' ')
        return u"a space"_s;
    if (QChar::isPrint(codePoint))
        return u"'"_s + QString::fromUcs4(&codePoint, 1) + u"'"_s;
    return u"U+%1"_s.arg(quint32(codePoint), 4, 16, QLatin1Char('0')).toUpper();
}

const QString& fileNameError() {
    return EnglishTexts().text(TextSlot::FileNameError);
}

// An object whose keys are all known; a typo must not be ignored silently.
QJsonObject objectWithKeys(const QJsonValue& value, const QString& path, const QStringList& keys,
                           const QString& what) {
    if (!value.isObject())
        refuse(path, u"must be %1, not %2"_s.arg(what, describe(value)));
    const QJsonObject object = value.toObject();
    for (const QString& key : object.keys()) {
        if (!keys.contains(key))
            refuse(member(path, key),
                   u"unknown key %1; the keys here are %2"_s.arg(quoted(key), keys.join(u", "_s)));
    }
    return object;
}

QJsonValue required(const QJsonObject& object, const QString& path, const QString& key,
                    const QString& why) {
    if (!object.contains(key))
        refuse(member(path, key), u"is missing; %1"_s.arg(why));
    return object.value(key);
}

QString stringValue(const QJsonValue& value, const QString& path) {
    if (!value.isString())
        refuse(path, u"must be a text in quotes, not %1"_s.arg(describe(value)));
    return value.toString();
}

int wholeNumber(const QJsonValue& value, const QString& path, int lowest, int highest,
                const QString& range) {
    const double number = value.toDouble();
    if (!value.isDouble() || std::floor(number) != number || number < lowest || number > highest)
        refuse(path, u"must be a whole number %1, not %2"_s.arg(range, describe(value)));
    return int(number);
}

int optionalWholeNumber(const QJsonObject& object, const QString& path, const QString& key,
                        int fallback, int lowest, int highest, const QString& range) {
    if (!object.contains(key))
        return fallback;
    return wholeNumber(object.value(key), member(path, key), lowest, highest, range);
}

// The media entry editor's characters, without '.' where dots are not allowed.
void checkNameCharacters(const QString& text, const QString& path, bool dotAllowed) {
    for (char32_t c : text.toUcs4()) {
        if (IsMediaNameCharacter(c) && (dotAllowed || c != U'.'))
            continue;
        if (c == U'.')
            refuse(path, u"%1 (%2 holds '.', but an extension has no dot: the name takes "
                         "every dot but the last)"_s.arg(fileNameError(), quoted(text)));
        refuse(path, u"%1 (%2 holds %3; a media file name has only A-Z, a-z, 0-9, '.', '_' and "
                     "'-')"_s.arg(fileNameError(), quoted(text), describeCharacter(c)));
    }
}

void checkNameLength(const QString& text, const QString& path, int width, const QString& what) {
    if (text.size() > width)
        refuse(path, u"%1 (%2 has %3 characters; %4 has at most %5)"_s.arg(
                         fileNameError(), quoted(text), QString::number(text.size()), what,
                         QString::number(width)));
}

class JsonScheduleParser final {
public:
    ScheduleDocument parse(const QJsonValue& root) {
        const QJsonObject top =
            objectWithKeys(root, QString(), {u"basic"_s, u"advance"_s},
                           u"an object with the lists \"basic\" and \"advance\""_s);
        ScheduleDocument document;
        const QJsonArray basic = list(top, u"basic"_s, u"basic"_s, MaxBasicEntries,
                                      u"the basic list has %1 entries; it holds at most %2"_s);
        for (qsizetype i = 0; i < basic.size(); ++i)
            document.append(ListAddress::basic(), mediaEntry(basic[i], element(u"basic"_s, i)));
        const QJsonArray advance = list(top, u"advance"_s, u"advance"_s, MaxAdvanceEntries,
                                        u"the advance list has %1 entries; it holds at most %2"_s);
        for (qsizetype i = 0; i < advance.size(); ++i)
            document.appendAdvance(advanceEntry(advance[i], element(u"advance"_s, i)));
        return document;
    }

private:
    // A list of at most limit entries. The editor refuses the Add that would
    // go past the limit, so the first entry beyond it is the one refused.
    static QJsonArray list(const QJsonObject& object, const QString& key, const QString& path,
                           int limit, const QString& tooMany) {
        if (!object.contains(key))
            return {};
        const QJsonValue value = object.value(key);
        if (!value.isArray())
            refuse(path, u"must be a list in [ ], not %1"_s.arg(describe(value)));
        const QJsonArray array = value.toArray();
        if (array.size() > limit)
            refuse(element(path, limit),
                   u"%1 (%2)"_s.arg(EnglishTexts().text(TextSlot::TooManyBasicSchedules),
                                    tooMany.arg(array.size()).arg(limit)));
        return array;
    }

    static MediaEntry mediaEntry(const QJsonValue& value, const QString& path) {
        const QJsonObject object = objectWithKeys(
            value, path, {u"name"_s, u"extension"_s, u"playTimes"_s, u"volume"_s, u"reserved"_s},
            u"a media entry {\"name\": ..., \"extension\": ..., ...}"_s);
        const QString why = u"a media entry needs \"name\" and \"extension\" (\"\" for none)"_s;
        const QString namePath = member(path, u"name"_s);
        const QString extensionPath = member(path, u"extension"_s);
        const QString name = stringValue(required(object, path, u"name"_s, why), namePath);
        const QString extension =
            stringValue(required(object, path, u"extension"_s, why), extensionPath);
        checkNameCharacters(name, namePath, true);
        checkNameLength(name, namePath, MediaEntry::NameWidth, u"a name"_s);
        checkNameCharacters(extension, extensionPath, false);
        checkNameLength(extension, extensionPath, MediaEntry::ExtensionWidth, u"an extension"_s);

        // The editor sees name and extension joined at their dot; with no dot
        // in the extension the split gives them back unchanged.
        const QString fileNameText = name + u'.' + extension;
        if (!IsAcceptedMediaFileName(fileNameText))
            refuse(namePath, u"%1 (%2)"_s.arg(fileNameError(), quoted(fileNameText)));
        MediaEntry entry;
        StoreMediaName(fileNameText, entry);
        entry.playTimes = quint8(optionalWholeNumber(object, path, u"playTimes"_s, 1, 0,
                                                     MaxPlayTimes, u"from 0 to 100"_s));
        entry.volume =
            quint8(optionalWholeNumber(object, path, u"volume"_s, DefaultVolume, 0, DefaultVolume,
                                       u"from 0 to 16, or 17 for the default volume"_s));
        if (object.contains(u"reserved"_s))
            entry.reserved = reserved(object.value(u"reserved"_s), member(path, u"reserved"_s));
        return entry;
    }

    static std::array<quint8, MediaEntry::ReservedWidth> reserved(const QJsonValue& value,
                                                                  const QString& path) {
        const QJsonArray bytes = value.toArray();
        if (!value.isArray() || bytes.size() != MediaEntry::ReservedWidth)
            refuse(path,
                   u"must be a list of 6 whole numbers from 0 to 255, not %1"_s.arg(
                       value.isArray() ? u"%1 numbers"_s.arg(bytes.size()) : describe(value)));
        std::array<quint8, MediaEntry::ReservedWidth> result{};
        for (int i = 0; i < MediaEntry::ReservedWidth; ++i)
            result[std::size_t(i)] =
                quint8(wholeNumber(bytes[i], element(path, i), 0, 255, u"from 0 to 255"_s));
        return result;
    }

    static AdvanceEntry advanceEntry(const QJsonValue& value, const QString& path) {
        const QJsonObject object =
            objectWithKeys(value, path,
                           {u"startDate"_s, u"startTime"_s, u"stopDate"_s, u"stopTime"_s,
                            u"weekDay"_s, u"details"_s},
                           u"an advance entry {\"startDate\": ..., \"stopDate\": ..., ...}"_s);
        const QString why = u"an advance entry needs \"startDate\" and \"stopDate\""_s;
        const QString startDatePath = member(path, u"startDate"_s);
        const QString stopDatePath = member(path, u"stopDate"_s);
        const QString startTimePath = member(path, u"startTime"_s);
        const QString stopTimePath = member(path, u"stopTime"_s);
        const CalendarDate startDate =
            date(required(object, path, u"startDate"_s, why), startDatePath);
        const TimeOfDay startTime = object.contains(u"startTime"_s)
                                        ? time(object.value(u"startTime"_s), startTimePath)
                                        : TimeOfDay{0, 0, 0};
        const CalendarDate stopDate =
            date(required(object, path, u"stopDate"_s, why), stopDatePath);
        const TimeOfDay stopTime = object.contains(u"stopTime"_s)
                                       ? time(object.value(u"stopTime"_s), stopTimePath)
                                       : TimeOfDay{23, 59, 59};
        const int weekDay =
            optionalWholeNumber(object, path, u"weekDay"_s, EveryWeekDay, 0, EveryWeekDay,
                                u"from 0 (Sunday) to 6 (Saturday), or 7 for every day"_s);

        // The advance editor's OK: the dates first, then the times.
        if (!DateSetupCheck(startDate, stopDate))
            refuse(stopDatePath, u"%1 (the stop date %2 is before the start date %3)"_s.arg(
                                     EnglishTexts().text(TextSlot::DateSetupError),
                                     DateText(stopDate), DateText(startDate)));
        if (!TimeSetupCheck(startTime, stopTime))
            refuse(stopTimePath, u"%1 (the stop time %2 is not after the start time %3)"_s.arg(
                                     EnglishTexts().text(TextSlot::TimeSetupError),
                                     TimeText(stopTime), TimeText(startTime)));

        AdvanceEntry entry;
        entry.setPeriod(PeriodOf(startDate, startTime, stopDate, stopTime, weekDay));

        const QString detailsPath = member(path, u"details"_s);
        const QJsonArray details =
            list(object, u"details"_s, detailsPath, MaxDetailEntries,
                 u"this advance entry has %1 details; it holds at most %2"_s);
        for (qsizetype d = 0; d < details.size(); ++d)
            entry.details.append(mediaEntry(details[d], element(detailsPath, d)));
        return entry;
    }

    // Exactly the digits of the form, separated by sep; nothing else.
    static bool splitDigits(const QString& text, QChar sep, const int (&widths)[3], int (&out)[3]) {
        qsizetype at = 0;
        for (int part = 0; part < 3; ++part) {
            if (part > 0) {
                if (at >= text.size() || text[at] != sep)
                    return false;
                ++at;
            }
            int value = 0;
            for (int i = 0; i < widths[part]; ++i, ++at) {
                if (at >= text.size() || text[at] < u'0' || text[at] > u'9')
                    return false;
                value = value * 10 + (text[at].unicode() - u'0');
            }
            out[part] = value;
        }
        return at == text.size();
    }

    static CalendarDate date(const QJsonValue& value, const QString& path) {
        const QString text = stringValue(value, path);
        int parts[3] = {};
        if (!splitDigits(text, u'-', {4, 2, 2}, parts))
            refuse(path, u"must be a date written YYYY-MM-DD, not %1"_s.arg(quoted(text)));
        const CalendarDate result{parts[0], parts[1], parts[2]};
        if (result.year < FirstYear || result.year > LastYear)
            refuse(path, u"%1 lies outside the years %2 to %3"_s.arg(quoted(text))
                             .arg(FirstYear)
                             .arg(LastYear));
        if (result.month < 1 || result.month > 12)
            refuse(path, u"%1 names month %2; months run from 01 to 12"_s.arg(quoted(text))
                             .arg(result.month));
        const int days = DaysOfMonth(result.year, result.month);
        if (result.day < 1 || result.day > days)
            refuse(path, u"%1 names day %2, but %3-%4 has days 01 to %5"_s.arg(quoted(text))
                             .arg(result.day)
                             .arg(result.year)
                             .arg(result.month, 2, 10, QLatin1Char('0'))
                             .arg(days));
        return result;
    }

    static TimeOfDay time(const QJsonValue& value, const QString& path) {
        const QString text = stringValue(value, path);
        int parts[3] = {};
        if (!splitDigits(text, u':', {2, 2, 2}, parts))
            refuse(path, u"must be a time written HH:MM:SS, not %1"_s.arg(quoted(text)));
        if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
            refuse(path, u"%1 is no time of day; hours run from 00 to 23, minutes and seconds "
                         "from 00 to 59"_s.arg(quoted(text)));
        return {parts[0], parts[1], parts[2]};
    }
};

qsizetype lineOf(QByteArrayView text, qsizetype offset) {
    return text.first(offset).count('\n') + 1;
}

qsizetype columnOf(QByteArrayView text, qsizetype offset) {
    const qsizetype lineStart = text.first(offset).lastIndexOf('\n') + 1;
    return offset - lineStart + 1;
}

} // namespace

QString TooLargeForScheduleJson() {
    return u"is larger than %1 MiB, too large for the JSON of a schedule"_s.arg(
        MaxScheduleJsonSize / (1024 * 1024));
}

QByteArray JsonStringLiteral(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    escaped.append(u'"');
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'"' || u == u'\\') {
            escaped.append(u'\\');
            escaped.append(c);
        } else if (needsEscape(u)) {
            escaped.append(u"\\u00"_s +
                           QString::number(int(u), 16).toUpper().rightJustified(2, u'0'));
        } else {
            escaped.append(c);
        }
    }
    escaped.append(u'"');
    return escaped.toUtf8();
}

QByteArray ScheduleToJson(const ScheduleDocument& document) {
    QByteArray out = "{\n";
    if (document.basicEntries().isEmpty()) {
        out += "  \"basic\": [],\n";
    } else {
        out += "  \"basic\": [\n";
        for (qsizetype i = 0; i < document.basicCount(); ++i) {
            out += "    " + mediaLine(document.basicEntries()[i]);
            out += i + 1 < document.basicCount() ? ",\n" : "\n";
        }
        out += "  ],\n";
    }
    if (document.advanceEntries().isEmpty()) {
        out += "  \"advance\": []\n";
    } else {
        out += "  \"advance\": [\n";
        for (qsizetype i = 0; i < document.advanceCount(); ++i) {
            appendAdvance(out, document.advanceEntries()[i]);
            out += i + 1 < document.advanceCount() ? ",\n" : "\n";
        }
        out += "  ]\n";
    }
    out += "}\n";
    return out;
}

JsonScheduleResult ScheduleFromJson(QByteArrayView json) {
    if (json.size() > MaxScheduleJsonSize)
        return JsonFailure{TooLargeForScheduleJson(), {}, true};
    // Checked before parsing: the parser would pay for deep nesting in memory
    // and would let the last of two equal keys win without a word.
    if (const auto problem = CheckJsonShape(json, {ScheduleJsonDepth, ScheduleJsonContainers}))
        return JsonFailure{problem->message, problem->path};
    QJsonParseError parseError;
    const QJsonDocument parsed = QJsonDocument::fromJson(json.toByteArray(), &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        const qsizetype offset = qBound(qsizetype(0), qsizetype(parseError.offset), json.size());
        return JsonFailure{u"not valid JSON: %1 at line %2, column %3 (byte offset %4)"_s
                               .arg(parseError.errorString())
                               .arg(lineOf(json, offset))
                               .arg(columnOf(json, offset))
                               .arg(offset),
                           {},
                           true};
    }
    const QJsonValue root =
        parsed.isObject() ? QJsonValue(parsed.object()) : QJsonValue(parsed.array());
    ScheduleDocument document;
    try {
        document = JsonScheduleParser().parse(root);
    } catch (const Refusal& refusal) {
        return JsonFailure{refusal.message, refusal.path};
    }
    // The checks before every save, with the program's own message.
    const SaveCheckFinding saveCheck = CheckBeforeSave(document);
    if (!saveCheck.passed()) {
        const QString path =
            saveCheck.failed == SaveCheck::AdvanceWithoutDetails
                ? element(u"advance"_s, saveCheck.advancePosition - 1) + u".details"_s
                : QString();
        return JsonFailure{SaveCheckPlainMessage(saveCheck, EnglishTexts()), path};
    }
    return document;
}
