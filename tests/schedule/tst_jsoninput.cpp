#include "JsonShapeCheck.h"
#include "ScheduleJson.h"
#include "TestEntries.h"

#include <QJsonDocument>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The largest document the checks let through: every list as long as the
// size estimate allows (50 + 30 * 250 + 15 * 250 + 30 * 623 = 29990), every
// field at its longest, reserved bytes in use.
ScheduleDocument largestAcceptedDocument() {
    MediaEntry longest = media("ABCDEFGHIJKLMNOP", "JPEG", 100, DefaultVolume);
    longest.reserved.fill(255);
    QList<AdvanceEntry> advance(
        250, AdvanceEntry{{0, 12, 31, 23, 59, 58, 99, 12, 31, 23, 59, 59, 6}, {longest}});
    for (int d = 250; d < 623; ++d)
        advance[d % 250].details.append(longest);
    return ScheduleDocument(QList<MediaEntry>(250, longest), advance);
}

} // namespace

class TestJsonInput final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shape_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("path"); // empty: nothing found
        QTest::addColumn<QString>("message");

        const auto fine = [](const char* row, const QByteArray& json) {
            QTest::newRow(row) << json << QString() << QString();
        };
        const QString twice = u"appears more than once in this object"_s;
        const QString deep = u"nests lists and objects more than 6 deep"_s;
        fine("six deep", R"({"a": [{"b": [{"c": [1, 2]}]}]})");
        QTest::newRow("seven deep")
            << QByteArray(R"({"a": [{"b": [{"c": [1, [2]]}]}]})") << u"a[0].b[0].c[1]"_s << deep;
        // The root list and its empty lists.
        const auto lists = [](int count) {
            return '[' + QByteArray("[],").repeated(count - 2) + "[]]";
        };
        fine("as many lists as allowed", lists(ScheduleJsonContainers));
        QTest::newRow("one list too many") << lists(ScheduleJsonContainers + 1) << u"[9999]"_s
                                           << u"the text holds more than 10000 lists and objects"_s;
        fine("brackets and quotes inside strings",
             "{\"a\": \"[[[[[[[{{{{\", \"b\\\"[[[[[[[[\": \"\\\\\", \"c\": \"\\\\\\\"{{{{{{{{\"}");
        fine("the same key in other objects", R"([{"a": 1}, {"a": {"a": 2}}])");
        fine("a value that equals a later key", R"({"name": "extension", "extension": ""})");
        fine("keys that differ in case", R"({"name": 1, "Name": 2})");
        QTest::newRow("key twice, deep in the document")
            << QByteArray(R"({"advance": [{}, {"details": [{"name": "A", "name": "B"}]}]})")
            << u"advance[1].details[0].name"_s << twice;
        QTest::newRow("escaped slash, tab and quote")
            << QByteArray("{\"a/\\t\\\"\": 1, \"a\\/\\u0009\\\"\": 2}") << u"a/\\u0009\\\""_s
            << twice;
        QTest::newRow("surrogate pair") << QByteArray(R"({"\uD83D\uDE00": 1, ")"
                                                      "\xF0\x9F\x98\x80"
                                                      R"(": 2})")
                                        << u"\U0001F600"_s << twice;
        QTest::newRow("long key, cut in the path")
            << "{\"" + QByteArray(100, 'k') + "\": 1, \"" + QByteArray(100, 'k') + "\": 2}"
            << QString(60, u'k') + u"…"_s << u"the key \""_s + QString(60, u'k') + u"\"…"_s;
        // Text that is not JSON is the parser's to report.
        fine("unbalanced brackets", "{\"a\": 1], \"a\": 2, [[[[[[[[[[]]]]]]]]]]");
        fine("unterminated string", "{\"a\": \"[[[[[[[[[[]]]]]]]]]]");
        fine("bad escape", R"({"\x": 1, "\x": 2})");
        fine("text after the document", R"({} {"a": 1, "a": 2})");
    }

    void shape() {
        QFETCH(QByteArray, json);
        QFETCH(QString, path);
        QFETCH(QString, message);
        const auto problem = CheckJsonShape(json, {ScheduleJsonDepth, ScheduleJsonContainers});
        QCOMPARE(problem.has_value(), !path.isEmpty());
        if (problem) {
            QCOMPARE(problem->path, path);
            QVERIFY2(problem->message.contains(message), qPrintable(problem->message));
        }
    }

    // The size limit leaves room for the largest document, even written one
    // value a line.
    void largestDocumentFitsTheSizeLimit() {
        const QByteArray json = QJsonDocument::fromJson(ScheduleToJson(largestAcceptedDocument()))
                                    .toJson(QJsonDocument::Indented);
        QVERIFY2(json.size() * 2 < MaxScheduleJsonSize, qPrintable(QString::number(json.size())));
        const JsonScheduleResult result = ScheduleFromJson(json);
        QVERIFY2(result.ok(), qPrintable(result.failure().path + u": "_s + result.error()));
        QCOMPARE(result.value(), largestAcceptedDocument());
    }

    // Text too large or too deep for any schedule is refused before it is
    // parsed, and a message quotes at most 60 characters of a value, never a
    // whole huge one.
    void refused_data() {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("malformed");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("error");
        QTest::newRow("one byte over the limit")
            << QByteArray(MaxScheduleJsonSize + 1, ' ') << true << QString()
            << u"is larger than 1 MiB, too large for the JSON of a schedule"_s;
        QTest::newRow("deep lists filling the limit")
            << QByteArray(MaxScheduleJsonSize, '[') << false << u"[0][0][0][0][0][0]"_s
            << u"nests lists and objects more than 6 deep, deeper than any schedule"_s;
        // The JSON with a value of 500000 characters at '@'.
        const auto withLongValue = [](const char* json) {
            return QByteArray(json).replace('@', QByteArray(500000, 'A'));
        };
        const QString shown = u"\""_s + QString(60, u'A') + u"\"…"_s;
        QTest::newRow("long date")
            << withLongValue(R"({"advance": [{"startDate": "@", "stopDate": "2006-01-01"}]})")
            << false << u"advance[0].startDate"_s
            << u"must be a date written YYYY-MM-DD, not %1"_s.arg(shown);
        QTest::newRow("long unknown key")
            << withLongValue(R"({"basic": [], "@": 1})") << false << QString(60, u'A') + u"…"_s
            << u"unknown key %1; the keys here are basic, advance"_s.arg(shown);
        // The cut never splits a character made of two UTF-16 units.
        QTest::newRow("surrogate pair at the cut")
            << "{\"basic\": [{\"name\": \"" + QByteArray(59, 'A') +
                   QByteArray("\xF0\x9F\x98\x80").repeated(9) + "\", \"extension\": \"\"}]}"
            << false << u"basic[0].name"_s
            << u"File Name Error! (\"%1\"… holds '\U0001F600'; a media file name has only A-Z, "
               "a-z, 0-9, '.', '_' and '-')"_s.arg(QString(59, u'A'));
    }

    void refused() {
        QFETCH(QByteArray, json);
        const JsonScheduleResult result = ScheduleFromJson(json);
        QVERIFY(!result.ok());
        QTEST(result.failure().malformed, "malformed");
        QTEST(result.failure().path, "path");
        QTEST(result.error(), "error");
    }
};

QTEST_GUILESS_MAIN(TestJsonInput)
#include "tst_jsoninput.moc"
