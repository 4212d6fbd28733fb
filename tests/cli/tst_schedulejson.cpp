#include "CliTestSupport.h"
#include "schedule/ScheduleJson.h"
#include "schedule/ScheduleProblems.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <functional>

using namespace Qt::StringLiterals;

namespace {

using DocumentChange = std::function<void(ScheduleDocument&)>;

// The whole dump of a document with one basic entry, for byte-level cases.
QByteArray basicOnlyJson(const QByteArray& mediaLine) {
    return "{\n  \"basic\": [\n    " + mediaLine + "\n  ],\n  \"advance\": []\n}\n";
}

QByteArray withBasic(const QByteArray& mediaObject) {
    return "{\"basic\": [" + mediaObject + "]}";
}

QByteArray withAdvance(const QByteArray& advanceObject) {
    return "{\"advance\": [" + advanceObject + "]}";
}

// An advance entry with one valid detail; fields replaces the period keys.
QByteArray advanceObject(const QByteArray& fields) {
    return "{" + fields + ", \"details\": [{\"name\": \"A\", \"extension\": \"\"}]}";
}

const QByteArray ValidPeriod = R"("startDate": "2006-01-01", "stopDate": "2006-12-31")";

// Reads a dump back without any rule, so that every byte can be compared.
MediaEntry rawMedia(const QJsonObject& object) {
    MediaEntry entry;
    SetFieldBytes(entry.name, object[u"name"_s].toString().toLatin1());
    SetFieldBytes(entry.extension, object[u"extension"_s].toString().toLatin1());
    entry.playTimes = quint8(object[u"playTimes"_s].toInt());
    entry.volume = quint8(object[u"volume"_s].toInt());
    const QJsonArray reserved = object[u"reserved"_s].toArray();
    for (qsizetype i = 0; i < reserved.size(); ++i)
        entry.reserved[std::size_t(i)] = quint8(reserved[i].toInt());
    return entry;
}

QList<int> numbers(const QString& text, QChar separator) {
    QList<int> result;
    for (const QString& part : text.split(separator))
        result.append(part.toInt());
    return result;
}

ScheduleDocument rawDocument(const QJsonObject& top) {
    ScheduleDocument document;
    for (const QJsonValue& value : top[u"basic"_s].toArray())
        document.appendBasic(rawMedia(value.toObject()));
    for (const QJsonValue& value : top[u"advance"_s].toArray()) {
        const QJsonObject object = value.toObject();
        const QList<int> start = numbers(object[u"startDate"_s].toString(), u'-') +
                                 numbers(object[u"startTime"_s].toString(), u':');
        const QList<int> stop = numbers(object[u"stopDate"_s].toString(), u'-') +
                                numbers(object[u"stopTime"_s].toString(), u':');
        AdvanceEntry entry;
        entry.startYear = quint8(start[0] - FirstYear);
        entry.startMonth = quint8(start[1]);
        entry.startDay = quint8(start[2]);
        entry.startHour = quint8(start[3]);
        entry.startMinute = quint8(start[4]);
        entry.startSecond = quint8(start[5]);
        entry.stopYear = quint8(stop[0] - FirstYear);
        entry.stopMonth = quint8(stop[1]);
        entry.stopDay = quint8(stop[2]);
        entry.stopHour = quint8(stop[3]);
        entry.stopMinute = quint8(stop[4]);
        entry.stopSecond = quint8(stop[5]);
        entry.weekDay = quint8(object[u"weekDay"_s].toInt());
        for (const QJsonValue& detail : object[u"details"_s].toArray())
            entry.details.append(rawMedia(detail.toObject()));
        document.appendAdvance(entry);
    }
    return document;
}

QByteArray repeated(const QByteArray& item, int count) {
    QByteArrayList items;
    for (int i = 0; i < count; ++i)
        items.append(item);
    return items.join(", ");
}

const QByteArray OneMedia = R"({"name": "A", "extension": ""})";

} // namespace

class TestScheduleJson final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void dumpText_data() {
        QTest::addColumn<ScheduleDocument>("document");
        QTest::addColumn<QByteArray>("json");

        QTest::newRow("empty") << ScheduleDocument()
                               << QByteArray("{\n  \"basic\": [],\n  \"advance\": []\n}\n");
        QTest::newRow("documented example") << DesignExampleDocument() << DesignExampleJson();
        QTest::newRow("several entries, empty detail list")
            << ScheduleDocument(
                   {Media("SONG", "MP3", 5, 17), Media("B", "", 1, 0)},
                   {Advance("2006-12-28", "00:00:00", "2007-01-05", "23:59:59", 7,
                            {Media("CLIP", "", 1, 0), Media("CLIP2", "AVI", 2, 3)}),
                    Advance("2099-02-01", "08:30:00", "2099-02-28", "17:00:05", 0, {})})
            << SeveralEntriesDump();
        QTest::newRow("advance only")
            << ScheduleDocument({}, {Advance("2000-01-01", "00:00:00", "2000-01-01", "00:00:01", 3,
                                             {Media("X", "")})})
            << AdvanceOnlyDump();

        QTest::newRow("full-width fields")
            << ScheduleDocument({Media("ABCDEFGHIJKLMNOP", "MPEG", 100, 16)}, {})
            << basicOnlyJson(R"({"name": "ABCDEFGHIJKLMNOP", "extension": "MPEG", )"
                             R"("playTimes": 100, "volume": 16})");
        QTest::newRow("inner 0 byte")
            << ScheduleDocument({Media(QByteArray("A\0B", 3), QByteArray("M\0", 2))}, {})
            << basicOnlyJson(R"({"name": "A\u0000B", "extension": "M", )"
                             R"("playTimes": 1, "volume": 17})");
        QTest::newRow("byte 0xE9 as UTF-8")
            << ScheduleDocument({Media("CAF\xE9", "\xFF")}, {})
            << basicOnlyJson("{\"name\": \"CAF\xC3\xA9\", \"extension\": \"\xC3\xBF\", "
                             "\"playTimes\": 1, \"volume\": 17}");
        QTest::newRow("quote and backslash")
            << ScheduleDocument({Media("A\"B\\C", "/")}, {})
            << basicOnlyJson("{\"name\": \"A\\\"B\\\\C\", \"extension\": \"/\", "
                             "\"playTimes\": 1, \"volume\": 17}");
        QTest::newRow("control bytes escaped")
            << ScheduleDocument({Media("\x01\x1F\x7F", "\x81\x9F\xA0")}, {})
            << basicOnlyJson("{\"name\": \"\\u0001\\u001F\\u007F\", "
                             "\"extension\": \"\\u0081\\u009F\xC2\xA0\", "
                             "\"playTimes\": 1, \"volume\": 17}");
        MediaEntry reserved = Media("R", "", 0, 200);
        reserved.reserved = {0, 0, 1, 0, 0, 255};
        QTest::newRow("reserved bytes in use")
            << ScheduleDocument({reserved}, {})
            << basicOnlyJson(R"({"name": "R", "extension": "", "playTimes": 0, "volume": 200, )"
                             R"("reserved": [0, 0, 1, 0, 0, 255]})");

        AdvanceEntry damaged = Advance("2000-01-01", "00:00:00", "2000-01-01", "00:00:01", 0, {});
        damaged.startYear = 255;
        damaged.startMonth = 200;
        damaged.startDay = 0;
        damaged.stopHour = 99;
        damaged.stopMinute = 7;
        damaged.stopSecond = 255;
        damaged.weekDay = 9;
        QTest::newRow("damaged period bytes shown as they are")
            << ScheduleDocument({}, {damaged}) << DamagedPeriodDump();
    }

    void dumpText() {
        QFETCH(ScheduleDocument, document);
        QFETCH(QByteArray, json);
        QCOMPARE(ScheduleToJson(document), json);
    }

    void dumpIsJsonHoldingEveryByte() {
        QRandomGenerator random(20061228);
        for (int round = 0; round < 300; ++round) {
            const ScheduleDocument document = RandomByteDocument(random);
            const QByteArray json = ScheduleToJson(document);
            QJsonParseError error;
            const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
            QVERIFY2(error.error == QJsonParseError::NoError,
                     qPrintable(error.errorString() + u'\n' + QString::fromUtf8(json)));
            QVERIFY2(rawDocument(parsed.object()) == document, json.constData());
        }
    }

    void editorDocumentsSurviveDumpThenBuild() {
        QRandomGenerator random(42);
        for (int round = 0; round < 300; ++round) {
            const ScheduleDocument document = RandomEditorDocument(random);
            const QByteArray json = ScheduleToJson(document);
            const JsonScheduleResult result = ScheduleFromJson(json);
            QVERIFY2(result.ok, qPrintable(result.path + u": "_s + result.error + u'\n' +
                                           QString::fromUtf8(json)));
            QVERIFY2(result.document == document, json.constData());
        }
    }

    void documentedExampleBuildsBackToTheSameText() {
        const JsonScheduleResult result = ScheduleFromJson(DesignExampleJson());
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(result.document, DesignExampleDocument());
        QCOMPARE(ScheduleToJson(result.document), DesignExampleJson());
    }

    void buildAppliesTheEditorsRules_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<ScheduleDocument>("document");

        QTest::newRow("defaults: play times 1, volume default")
            << withBasic(R"({"name": "song", "extension": "mp3"})")
            << ScheduleDocument({Media("SONG", "MP3", 1, 17)}, {});
        QTest::newRow("upper case, dots kept in the name")
            << withBasic(R"({"name": "x.y", "extension": "Mp3", "playTimes": 0, "volume": 16})")
            << ScheduleDocument({Media("X.Y", "MP3", 0, 16)}, {});
        QTest::newRow("name without extension")
            << withBasic(R"({"name": "A_1-b", "extension": ""})")
            << ScheduleDocument({Media("A_1-B", "")}, {});
        QTest::newRow("only an extension, as typed .mp3")
            << withBasic(R"({"name": "", "extension": "mp3"})")
            << ScheduleDocument({Media("", "MP3")}, {});
        QTest::newRow("widest name and extension, whole numbers written as decimals")
            << withBasic(R"({"name": "abcdefghijklmnop", "extension": "jpeg", "playTimes": 1e2,)"
                         R"( "volume": 3.0})")
            << ScheduleDocument({Media("ABCDEFGHIJKLMNOP", "JPEG", 100, 3)}, {});
        MediaEntry withReserved = Media("R", "");
        withReserved.reserved = {1, 2, 3, 4, 5, 255};
        QTest::newRow("reserved bytes kept")
            << withBasic(R"({"name": "R", "extension": "", "reserved": [1, 2, 3, 4, 5, 255]})")
            << ScheduleDocument({withReserved}, {});
        QTest::newRow("period defaults: the whole day, every day")
            << withAdvance(advanceObject(ValidPeriod))
            << ScheduleDocument({}, {Advance("2006-01-01", "00:00:00", "2006-12-31", "23:59:59", 7,
                                             {Media("A", "")})});
        QTest::newRow("one-day range, one second long, leap day")
            << withAdvance(advanceObject(R"("startDate": "2096-02-29", "startTime": "12:00:00",)"
                                         R"( "stopDate": "2096-02-29", "stopTime": "12:00:01",)"
                                         R"( "weekDay": 0)"))
            << ScheduleDocument({}, {Advance("2096-02-29", "12:00:00", "2096-02-29", "12:00:01", 0,
                                             {Media("A", "")})});
    }

    void buildAppliesTheEditorsRules() {
        QFETCH(QByteArray, json);
        QFETCH(ScheduleDocument, document);
        const JsonScheduleResult result = ScheduleFromJson(json);
        QVERIFY2(result.ok, qPrintable(result.path + u": "_s + result.error));
        QCOMPARE(result.document, document);
    }

    void buildRefusals_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");

        // The shape of the text.
        QTest::newRow("top level is a list")
            << QByteArray("[]") << QString()
            << u"must be an object with the lists \"basic\" and \"advance\", not a list"_s;
        QTest::newRow("misspelt list") << QByteArray(R"({"basics": []})") << u"basics"_s
                                       << u"unknown key \"basics\"; the keys here are basic, "
                                          "advance"_s;
        QTest::newRow("basic not a list") << QByteArray(R"({"basic": {}})") << u"basic"_s
                                          << u"must be a list in [ ], not an object"_s;
        QTest::newRow("entry not an object")
            << withBasic("\"SONG.MP3\"") << u"basic[0]"_s
            << u"must be a media entry {\"name\": ..., \"extension\": ..., ...}, not the text "
               "\"SONG.MP3\""_s;
        QTest::newRow("misspelt key")
            << withBasic(R"({"name": "A", "extension": "", "volumne": 3})") << u"basic[0].volumne"_s
            << u"unknown key \"volumne\"; the keys here are name, extension, playTimes, volume, "
               "reserved"_s;
        QTest::newRow("missing extension")
            << withBasic(R"({"name": "SONG.MP3"})") << u"basic[0].extension"_s
            << u"is missing; a media entry needs \"name\" and \"extension\" (\"\" for none)"_s;
        QTest::newRow("name not a text")
            << withBasic(R"({"name": 5, "extension": ""})") << u"basic[0].name"_s
            << u"must be a text in quotes, not 5"_s;

        // The media entry editor's name rules.
        QTest::newRow("space in the name")
            << withBasic(R"({"name": "MY CLIP", "extension": "AVI"})") << u"basic[0].name"_s
            << u"File Name Error! (\"MY CLIP\" holds a space; a media file name has only A-Z, "
               "a-z, 0-9, '.', '_' and '-')"_s;
        QTest::newRow("exclamation mark in the extension")
            << withBasic(R"({"name": "A", "extension": "MP!"})") << u"basic[0].extension"_s
            << u"File Name Error! (\"MP!\" holds '!'; a media file name has only A-Z, a-z, 0-9, "
               "'.', '_' and '-')"_s;
        QTest::newRow("accented letter")
            << withBasic("{\"name\": \"CAF\xC3\xA9\", \"extension\": \"\"}") << u"basic[0].name"_s
            << u"File Name Error! (\"CAF\u00E9\" holds '\u00E9'; a media file name has only A-Z, "
               "a-z, 0-9, '.', '_' and '-')"_s;
        QTest::newRow("inner 0 character")
            << withBasic(R"({"name": "A\u0000B", "extension": ""})") << u"basic[0].name"_s
            << u"File Name Error! (\"A\\u0000B\" holds U+0000; a media file name has only A-Z, "
               "a-z, 0-9, '.', '_' and '-')"_s;
        QTest::newRow("17-character name")
            << withBasic(R"({"name": "ABCDEFGHIJKLMNOPQ", "extension": "JPG"})")
            << u"basic[0].name"_s
            << u"File Name Error! (\"ABCDEFGHIJKLMNOPQ\" has 17 characters; a name has at most "
               "16)"_s;
        QTest::newRow("5-character extension")
            << withBasic(R"({"name": "CLIP", "extension": "mpeg4"})") << u"basic[0].extension"_s
            << u"File Name Error! (\"mpeg4\" has 5 characters; an extension has at most 4)"_s;
        QTest::newRow("dot in the extension")
            << withBasic(R"({"name": "CLIP", "extension": "M.P3"})") << u"basic[0].extension"_s
            << u"File Name Error! (\"M.P3\" holds '.', but an extension has no dot: the name "
               "takes every dot but the last)"_s;

        // The values of the editor's lists.
        const QString playTimesRange = u"must be a whole number from 0 to 100, not "_s;
        QTest::newRow("play times 101")
            << withBasic(R"({"name": "A", "extension": "", "playTimes": 101})")
            << u"basic[0].playTimes"_s << playTimesRange + u"101"_s;
        QTest::newRow("play times -1")
            << withBasic(R"({"name": "A", "extension": "", "playTimes": -1})")
            << u"basic[0].playTimes"_s << playTimesRange + u"-1"_s;
        QTest::newRow("play times 1.5")
            << withBasic(R"({"name": "A", "extension": "", "playTimes": 1.5})")
            << u"basic[0].playTimes"_s << playTimesRange + u"1.5"_s;
        QTest::newRow("play times as text")
            << withBasic(R"({"name": "A", "extension": "", "playTimes": "5"})")
            << u"basic[0].playTimes"_s << playTimesRange + u"the text \"5\""_s;
        QTest::newRow("play times null")
            << withBasic(R"({"name": "A", "extension": "", "playTimes": null})")
            << u"basic[0].playTimes"_s << playTimesRange + u"null"_s;
        QTest::newRow("volume 18")
            << withBasic(R"({"name": "A", "extension": "", "volume": 18})") << u"basic[0].volume"_s
            << u"must be a whole number from 0 to 16, or 17 for the default volume, not 18"_s;
        QTest::newRow("five reserved bytes")
            << withBasic(R"({"name": "A", "extension": "", "reserved": [0, 0, 0, 0, 0]})")
            << u"basic[0].reserved"_s
            << u"must be a list of 6 whole numbers from 0 to 255, not 5 numbers"_s;
        QTest::newRow("reserved byte 256")
            << withBasic(R"({"name": "A", "extension": "", "reserved": [0, 0, 256, 0, 0, 0]})")
            << u"basic[0].reserved[2]"_s << u"must be a whole number from 0 to 255, not 256"_s;
        QTest::newRow("week day 8") << withAdvance(advanceObject(ValidPeriod + ", \"weekDay\": 8"))
                                    << u"advance[0].weekDay"_s
                                    << u"must be a whole number from 0 (Sunday) to 6 (Saturday), "
                                       "or 7 for every day, not 8"_s;

        // Dates and times.
        QTest::newRow("missing start date")
            << withAdvance(advanceObject(R"("stopDate": "2006-01-01")"))
            << u"advance[0].startDate"_s
            << u"is missing; an advance entry needs \"startDate\" and \"stopDate\""_s;
        QTest::newRow("date without leading zeros")
            << withAdvance(advanceObject(R"("startDate": "2006-1-1", "stopDate": "2006-01-01")"))
            << u"advance[0].startDate"_s
            << u"must be a date written YYYY-MM-DD, not \"2006-1-1\""_s;
        QTest::newRow("year 2100")
            << withAdvance(advanceObject(R"("startDate": "2006-01-01", "stopDate": "2100-01-01")"))
            << u"advance[0].stopDate"_s << u"\"2100-01-01\" lies outside the years 2000 to 2099"_s;
        QTest::newRow("year 1999")
            << withAdvance(advanceObject(R"("startDate": "1999-12-31", "stopDate": "2006-01-01")"))
            << u"advance[0].startDate"_s << u"\"1999-12-31\" lies outside the years 2000 to 2099"_s;
        QTest::newRow("month 13") << withAdvance(advanceObject(
                                         R"("startDate": "2006-13-01", "stopDate": "2007-01-01")"))
                                  << u"advance[0].startDate"_s
                                  << u"\"2006-13-01\" names month 13; months run from 01 "
                                     "to 12"_s;
        QTest::newRow("29 February of a common year")
            << withAdvance(advanceObject(R"("startDate": "2006-02-29", "stopDate": "2007-01-01")"))
            << u"advance[0].startDate"_s
            << u"\"2006-02-29\" names day 29, but 2006-02 has days 01 to 28"_s;
        QTest::newRow("day 0") << withAdvance(advanceObject(
                                      R"("startDate": "2006-01-00", "stopDate": "2007-01-01")"))
                               << u"advance[0].startDate"_s
                               << u"\"2006-01-00\" names day 0, but 2006-01 has days 01 to 31"_s;
        QTest::newRow("hour 24")
            << withAdvance(advanceObject(ValidPeriod + R"(, "startTime": "24:00:00")"))
            << u"advance[0].startTime"_s
            << u"\"24:00:00\" is no time of day; hours run from 00 to 23, minutes and seconds "
               "from 00 to 59"_s;
        QTest::newRow("second 60")
            << withAdvance(advanceObject(ValidPeriod + R"(, "stopTime": "23:59:60")"))
            << u"advance[0].stopTime"_s
            << u"\"23:59:60\" is no time of day; hours run from 00 to 23, minutes and seconds "
               "from 00 to 59"_s;
        QTest::newRow("time without seconds")
            << withAdvance(advanceObject(ValidPeriod + R"(, "stopTime": "23:59")"))
            << u"advance[0].stopTime"_s << u"must be a time written HH:MM:SS, not \"23:59\""_s;

        // The advance editor's checks, dates before times.
        QTest::newRow("stop date a day early")
            << withAdvance(advanceObject(R"("startDate": "2006-03-02", "stopDate": "2006-03-01")"))
            << u"advance[0].stopDate"_s
            << u"Date Setup Error! (the stop date 2006-03-01 is before the start date "
               "2006-03-02)"_s;
        QTest::newRow("dates and times both wrong")
            << withAdvance(advanceObject(R"("startDate": "2007-01-01", "stopDate": "2006-01-01",)"
                                         R"( "startTime": "10:00:00", "stopTime": "09:00:00")"))
            << u"advance[0].stopDate"_s
            << u"Date Setup Error! (the stop date 2006-01-01 is before the start date "
               "2007-01-01)"_s;
        QTest::newRow("equal times")
            << withAdvance(advanceObject(ValidPeriod + R"(, "startTime": "10:00:00",)"
                                                       R"( "stopTime": "10:00:00")"))
            << u"advance[0].stopTime"_s
            << u"Time Setup Error! (the stop time 10:00:00 is not after the start time "
               "10:00:00)"_s;
        QTest::newRow("night window across midnight")
            << withAdvance(advanceObject(R"("startDate": "2006-01-01", "stopDate": "2006-01-02",)"
                                         R"( "startTime": "22:00:00", "stopTime": "06:00:00")"))
            << u"advance[0].stopTime"_s
            << u"Time Setup Error! (the stop time 06:00:00 is not after the start time "
               "22:00:00)"_s;

        // Paths deep in the document.
        const QByteArray goodAdvance = advanceObject(ValidPeriod);
        QTest::newRow("third advance entry, first detail")
            << withAdvance(goodAdvance + ", " + goodAdvance + ", {" + ValidPeriod +
                           R"(, "details": [{"name": "MY CLIP", "extension": "AVI"}]})")
            << u"advance[2].details[0].name"_s
            << u"File Name Error! (\"MY CLIP\" holds a space; a media file name has only A-Z, "
               "a-z, 0-9, '.', '_' and '-')"_s;
        QTest::newRow("details not a list")
            << withAdvance("{" + ValidPeriod + R"(, "details": null})") << u"advance[0].details"_s
            << u"must be a list in [ ], not null"_s;

        // The limits: the first entry beyond a limit is refused.
        const QString tooMany = u"Too many basic schedules!! (%1)"_s;
        QTest::newRow("251 basic entries")
            << withBasic(repeated(OneMedia, 251)) << u"basic[250]"_s
            << tooMany.arg(u"the basic list has 251 entries; it holds at most 250"_s);
        QTest::newRow("251 advance entries")
            << withAdvance(repeated(goodAdvance, 251)) << u"advance[250]"_s
            << tooMany.arg(u"the advance list has 251 entries; it holds at most 250"_s);
        QTest::newRow("101 details")
            << withAdvance("{" + ValidPeriod + ", \"details\": [" + repeated(OneMedia, 101) + "]}")
            << u"advance[0].details[100]"_s
            << tooMany.arg(u"this advance entry has 101 details; it holds at most 100"_s);

        // The checks before saving, with the program's messages.
        QTest::newRow("nothing to save") << QByteArray(R"({"basic": [], "advance": []})")
                                         << QString() << u"No any schedule!\nCan't save!"_s;
        QTest::newRow("second advance entry without details")
            << withAdvance(goodAdvance + ", {" + ValidPeriod + "}, {" + ValidPeriod + "}")
            << u"advance[1].details"_s
            << u"No any schedule file in advance schedule! Can't Save!2 !\n"_s + QString(25, u' ') +
                   u"Can't save!"_s;
        const QByteArray hundredDetails =
            "{" + ValidPeriod + ", \"details\": [" + repeated(OneMedia, 100) + "]}";
        QTest::newRow("size estimate 30200")
            << withAdvance(repeated(hundredDetails, 10)) << QString() << u"Too many schedules!!"_s;
    }

    void buildRefusals() {
        QFETCH(QByteArray, json);
        QFETCH(QString, path);
        QFETCH(QString, error);
        const JsonScheduleResult result = ScheduleFromJson(json);
        QVERIFY(!result.ok);
        QVERIFY(!result.malformed);
        QCOMPARE(result.path, path);
        QCOMPARE(result.error, error);
    }

    void sizeJustBelowTheBudgetIsAccepted() {
        const QByteArray details99 =
            "{" + ValidPeriod + ", \"details\": [" + repeated(OneMedia, 99) + "]}";
        const JsonScheduleResult result = ScheduleFromJson(withAdvance(repeated(details99, 10)));
        QVERIFY2(result.ok, qPrintable(result.error));
        QCOMPARE(ScheduleSizeEstimate(result.document), 29900);
    }

    void malformedJson_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("where");

        QTest::newRow("empty") << QByteArray() << u"at line 1, column 1 (byte offset 0)"_s;
        QTest::newRow("trailing comma on line 3")
            << QByteArray("{\n  \"basic\": [\n    {\"name\": \"A\",}\n  ]\n}\n")
            << u"at line 3, column 19 (byte offset 33)"_s;
        QTest::newRow("cut short") << QByteArray("{\"basic\": [") << u"(byte offset 11)"_s;
        QTest::newRow("invalid UTF-8") << QByteArray("{\"basic\": \"\xFF\"}") << u"line 1"_s;
    }

    void malformedJson() {
        QFETCH(QByteArray, json);
        QFETCH(QString, where);
        const JsonScheduleResult result = ScheduleFromJson(json);
        QVERIFY(!result.ok);
        QVERIFY(result.malformed);
        QVERIFY(result.path.isEmpty());
        QVERIFY2(result.error.startsWith(u"not valid JSON: "_s), qPrintable(result.error));
        QVERIFY2(result.error.contains(where), qPrintable(result.error));
    }

    void problems_data() {
        QTest::addColumn<DocumentChange>("change");
        QTest::addColumn<qint64>("trailingBytes");
        QTest::addColumn<QStringList>("problems");

        const auto basic = [](qsizetype row, std::function<void(MediaEntry&)> edit) {
            return DocumentChange([row, edit](ScheduleDocument& document) {
                MediaEntry entry = document.basicEntries()[row];
                edit(entry);
                document.replaceBasic(row, entry);
            });
        };
        const auto advance = [](qsizetype row, std::function<void(AdvanceEntry&)> edit) {
            return DocumentChange([row, edit](ScheduleDocument& document) {
                AdvanceEntry entry = document.advanceEntries()[row];
                edit(entry);
                document.replaceAdvance(row, entry);
            });
        };
        const auto none = DocumentChange([](ScheduleDocument&) {});

        QTest::newRow("clean") << none << qint64(0) << QStringList();
        QTest::newRow("highest values the editors offer")
            << basic(2, [](MediaEntry& e) { e = Media("ABCDEFGHIJKLMNOP", "JPEG", 100, 17); })
            << qint64(0) << QStringList();
        QTest::newRow("play times 120")
            << basic(2, [](MediaEntry& e) { e.playTimes = 120; }) << qint64(0)
            << QStringList{u"basic entry 3: play times 120 is above 100"_s};
        QTest::newRow("volume 18") << basic(0, [](MediaEntry& e) { e.volume = 18; }) << qint64(0)
                                   << QStringList{u"basic entry 1: volume 18 is above 17"_s};
        QTest::newRow("lower-case name")
            << basic(1, [](MediaEntry& e) { SetFieldBytes(e.name, "Song"); }) << qint64(0)
            << QStringList{u"basic entry 2: name \"Song\": byte 2 is 0x6F ('o'), which the "
                           "editor never stores (it stores A-Z, 0-9, '.', '_' and '-')"_s};
        QTest::newRow("byte 0xE9 and a space")
            << basic(0,
                     [](MediaEntry& e) {
                         SetFieldBytes(e.name, "CAF\xE9");
                         SetFieldBytes(e.extension, "A B");
                     })
            << qint64(0)
            << QStringList{u"basic entry 1: name \"CAF\u00E9\": byte 4 is 0xE9, which the editor "
                           "never stores (it stores A-Z, 0-9, '.', '_' and '-')"_s,
                           u"basic entry 1: extension \"A B\": byte 2 is 0x20, which the editor "
                           "never stores (it stores A-Z, 0-9, '_' and '-')"_s};
        QTest::newRow("percent signs kept as they are")
            << basic(0, [](MediaEntry& e) { SetFieldBytes(e.name, "%2%1%3"); }) << qint64(0)
            << QStringList{u"basic entry 1: name \"%2%1%3\": byte 1 is 0x25 ('%'), which the "
                           "editor never stores (it stores A-Z, 0-9, '.', '_' and '-')"_s};
        QTest::newRow("inner 0 byte")
            << basic(0, [](MediaEntry& e) { SetFieldBytes(e.name, QByteArray("AB\0C", 4)); })
            << qint64(0)
            << QStringList{u"basic entry 1: name \"AB\\u0000C\": byte 4 follows a 0 byte; the "
                           "editor pads only at the end"_s};
        QTest::newRow("dot in the extension")
            << basic(0, [](MediaEntry& e) { SetFieldBytes(e.extension, "M.P"); }) << qint64(0)
            << QStringList{u"basic entry 1: extension \"M.P\": byte 2 is 0x2E ('.'), which the "
                           "editor never stores (it stores A-Z, 0-9, '_' and '-')"_s};
        QTest::newRow("reserved bytes")
            << DocumentChange([](ScheduleDocument& d) {
                   MediaEntry entry = d.advanceEntries()[0].details[1];
                   entry.reserved = {0, 0, 1, 0, 0, 0};
                   d.replaceDetail(0, 1, entry);
               })
            << qint64(0)
            << QStringList{u"detail 2 of advance entry 1: reserved bytes [0, 0, 1, 0, 0, 0] are "
                           "not all 0"_s};
        QTest::newRow("week day, year, hour, minute, second")
            << advance(0,
                       [](AdvanceEntry& e) {
                           e.weekDay = 9;
                           e.stopYear = 100;
                           e.startMinute = 60;
                           e.stopHour = 24;
                           e.stopSecond = 255;
                       })
            << qint64(0)
            << QStringList{u"advance entry 1: start minute 60 is above 59"_s,
                           u"advance entry 1: stop year 2100 (byte 100) is after 2099"_s,
                           u"advance entry 1: stop hour 24 is above 23"_s,
                           u"advance entry 1: stop second 255 is above 59"_s,
                           u"advance entry 1: week day 9 is above 7"_s};
        QTest::newRow("29 February 2100")
            << advance(1, [](AdvanceEntry& e) { e.stopYear = 100; }) << qint64(0)
            << QStringList{u"advance entry 2: stop year 2100 (byte 100) is after 2099"_s,
                           u"advance entry 2: stop day 29 is not from 1 to 28 (the days of "
                           "2100-02)"_s};
        QTest::newRow("months and days")
            << advance(0,
                       [](AdvanceEntry& e) {
                           e.startMonth = 0;
                           e.startDay = 0;
                           e.stopYear = 6;
                           e.stopMonth = 2;
                           e.stopDay = 29;
                       })
            << qint64(0)
            << QStringList{u"advance entry 1: start month 0 is not from 1 to 12"_s,
                           u"advance entry 1: start day 0 is not from 1 to 31"_s,
                           u"advance entry 1: stop day 29 is not from 1 to 28 (the days of "
                           "2006-02)"_s};
        QTest::newRow("stop before start")
            << advance(0,
                       [](AdvanceEntry& e) {
                           e = Advance("2006-02-01", "22:00:00", "2006-01-01", "06:00:00", 7,
                                       e.details);
                       })
            << qint64(0)
            << QStringList{u"advance entry 1: stop date 2006-01-01 is before start date "
                           "2006-02-01"_s,
                           u"advance entry 1: stop time 06:00:00 is not after start time "
                           "22:00:00"_s};
        QTest::newRow("advance entry without details")
            << advance(1, [](AdvanceEntry& e) { e.details.clear(); }) << qint64(0)
            << QStringList{u"advance entry 2: no details; the editor does not save an advance "
                           "entry without them"_s};
        QTest::newRow("trailing bytes") << none << qint64(12)
                                        << QStringList{u"the file: 12 bytes after the last "
                                                       "record"_s};
        QTest::newRow("one trailing byte") << none << qint64(1)
                                           << QStringList{u"the file: 1 byte after the last "
                                                          "record"_s};
        QTest::newRow("empty schedule")
            << DocumentChange([](ScheduleDocument& d) { d.clear(); }) << qint64(0)
            << QStringList{u"the schedule: no entries; the editor does not save an empty one"_s};
        QTest::newRow("251 basic entries")
            << DocumentChange([](ScheduleDocument& d) {
                   while (d.basicCount() < 251)
                       d.appendBasic(Media("A", ""));
               })
            << qint64(0)
            << QStringList{u"the basic list: 251 entries; the editor allows at most 250"_s};
        QTest::newRow("251 advance entries and 101 details")
            << DocumentChange([](ScheduleDocument& d) {
                   while (d.advanceCount() < 251)
                       d.appendAdvance(d.advanceEntries()[0]);
                   while (d.advanceEntries()[1].detailCount() < 101)
                       d.appendDetail(1, Media("A", ""));
               })
            << qint64(0)
            << QStringList{u"the advance list: 251 entries; the editor allows at most 250"_s,
                           u"advance entry 2: 101 details; the editor allows at most 100"_s};
        QTest::newRow("size estimate 30200")
            << DocumentChange([](ScheduleDocument& d) {
                   d.clear();
                   for (int i = 0; i < 10; ++i) {
                       d.appendAdvance(
                           Advance("2006-01-01", "00:00:00", "2006-01-01", "23:59:59", 7, {}));
                       for (int j = 0; j < 100; ++j)
                           d.appendDetail(i, Media("A", ""));
                   }
               })
            << qint64(0)
            << QStringList{u"the schedule: size estimate 30200 is not below 30000; the editor "
                           "refuses to save it"_s};
    }

    void problems() {
        QFETCH(DocumentChange, change);
        QFETCH(qint64, trailingBytes);
        QFETCH(QStringList, problems);
        // Three basic entries and two advance entries with details: clean.
        ScheduleDocument document(
            {Media("SONG", "MP3", 5), Media("X.Y", "", 0, 0), Media("", "JPG", 1, 16)},
            {Advance("2006-12-28", "00:00:00", "2007-01-05", "23:59:59", 7,
                     {Media("CLIP", ""), Media("CLIP2", "AVI", 2, 3)}),
             Advance("2000-02-29", "12:00:00", "2000-02-29", "12:00:01", 0,
                     {Media("A_1-B", "MPEG")})});
        change(document);
        QCOMPARE(ScheduleProblems(document, trailingBytes), problems);
    }

    // Damaged JSON of every kind: never a crash, and whatever is accepted is a
    // document the editors could have made.
    void damagedJsonIsRefusedOrClean() {
        QRandomGenerator random(2006);
        const QByteArray pieces[] = {"{",    "}",        "[",           "]",       ",",
                                     ":",    "\"",       "0",           "-1",      "1e999",
                                     "null", "\"name\"", "\"details\"", "\\u0000", "\xFF"};
        for (int round = 0; round < 3000; ++round) {
            QByteArray json = ScheduleToJson(RandomEditorDocument(random));
            const int edits = random.bounded(1, 4);
            for (int e = 0; e < edits; ++e) {
                const qsizetype at = random.bounded(qsizetype(json.size()));
                switch (random.bounded(3)) {
                case 0:
                    json.remove(at, random.bounded(1, 12));
                    break;
                case 1:
                    json.insert(at, pieces[random.bounded(int(std::size(pieces)))]);
                    break;
                default:
                    json[at] = char(random.bounded(32, 127));
                    break;
                }
            }
            const JsonScheduleResult result = ScheduleFromJson(json);
            if (!result.ok) {
                QVERIFY2(!result.error.isEmpty(), json.constData());
                QCOMPARE(result.document, ScheduleDocument());
                continue;
            }
            for (const QString& problem : ScheduleProblems(result.document))
                QVERIFY2(problem.contains(u"reserved bytes"_s),
                         qPrintable(problem + u'\n' + QString::fromUtf8(json)));
        }
    }

    void documentsBuildAcceptsHaveNoProblems() {
        QRandomGenerator random(7);
        for (int round = 0; round < 200; ++round) {
            const ScheduleDocument document = RandomEditorDocument(random);
            // Reserved bytes are the one thing build keeps that the editor never sets.
            const JsonScheduleResult built = ScheduleFromJson(ScheduleToJson(document));
            QVERIFY(built.ok);
            for (const QString& problem : ScheduleProblems(built.document))
                QVERIFY2(problem.contains(u"reserved bytes"_s), qPrintable(problem));
        }
    }
};

QTEST_GUILESS_MAIN(TestScheduleJson)
#include "tst_schedulejson.moc"
