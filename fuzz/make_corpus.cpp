// Writes the seed corpora of the fuzz harnesses: valid schedule files of every
// shape, SystemInfo.txt files and mvstool JSON inputs.
#include "AppContext.h"
#include "SystemInfoFile.h"
#include "MediaNameRules.h"
#include "RandomSource.h"
#include "ScheduleJson.h"
#include "ScheduleWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

MediaEntry media(const QString& name, quint8 playTimes, quint8 volume) {
    MediaEntry entry;
    StoreMediaName(name, entry);
    entry.playTimes = playTimes;
    entry.volume = volume;
    return entry;
}

AdvanceEntry period(quint8 startYear, quint8 weekDay, int details) {
    AdvanceEntry entry;
    entry.startYear = startYear;
    entry.stopYear = quint8(startYear + 1);
    entry.startMonth = 12;
    entry.startDay = 28;
    entry.stopMonth = 1;
    entry.stopDay = 5;
    entry.weekDay = weekDay;
    for (int d = 0; d < details; ++d)
        entry.details.append(media(u"CLIP%1.MPG"_s.arg(d), quint8(d % 101), quint8(d % 18)));
    return entry;
}

bool write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_corpus OUTPUT-FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (const QString& sub : {u"schedule"_s, u"systeminfo"_s, u"json"_s})
        out.mkpath(sub);

    QList<std::pair<QString, ScheduleDocument>> documents;
    documents.append({u"empty"_s, ScheduleDocument()});
    documents.append(
        {u"basic-only"_s,
         ScheduleDocument({media(u"song.mp3"_s, 5, 17), media(u"a.b.avi"_s, 0, 0)}, {})});
    documents.append({u"advance-only"_s, ScheduleDocument({}, {period(6, 7, 2), period(7, 3, 1)})});
    documents.append({u"advance-without-details"_s,
                      ScheduleDocument({media(u"x.jpg"_s, 1, 16)}, {period(6, 0, 0)})});
    QList<MediaEntry> basic;
    QList<AdvanceEntry> advance;
    for (int i = 0; i < 250; ++i) {
        basic.append(media(u"BASIC%1.MP3"_s.arg(i), quint8(i % 101), quint8(i % 18)));
        advance.append(period(quint8(i % 99), quint8(i % 8), 100));
    }
    documents.append({u"largest"_s, ScheduleDocument(basic, advance)});
    // Bytes only a foreign file brings: every field at 255.
    MediaEntry high;
    high.name.fill(255);
    high.extension.fill(255);
    high.reserved.fill(255);
    high.playTimes = high.volume = 255;
    AdvanceEntry highPeriod{{255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
                            {high, high}};
    documents.append({u"foreign-bytes"_s, ScheduleDocument({high}, {highPeriod})});

    SeededRandomSource random(20061228);
    bool ok = true;
    for (const auto& [name, document] : documents) {
        ok = ok && write(out.filePath(u"schedule/"_s + name + u".mvs"_s),
                         EncodeSchedule(document, random).value());
        if (name == u"basic-only"_s || name == u"advance-only"_s)
            ok =
                ok && write(out.filePath(u"json/"_s + name + u".json"_s), ScheduleToJson(document));
    }
    ok = ok &&
         write(out.filePath(u"json/design-example.json"_s),
               R"({"basic": [{"name": "SONG", "extension": "MP3", "playTimes": 5, "volume": 17}],
 "advance": [{"startDate": "2006-12-28", "startTime": "00:00:00", "stopDate": "2007-01-05",
 "stopTime": "23:59:59", "weekDay": 7,
 "details": [{"name": "CLIP", "extension": "", "playTimes": 1, "volume": 0}]}]})");

    AppContext context = SetupAppPaths(u"/opt/morva/"_s);
    ok = ok && write(out.filePath(u"systeminfo/start-values.txt"_s), FormatSystemInfo(context));
    context.scheduleFolder = u"/home/user/with, comma/"_s;
    context.languageSelector = 2;
    ok = ok && write(out.filePath(u"systeminfo/comma-language.txt"_s), FormatSystemInfo(context));
    context.openFolder = u"/home/user/say \"hi\", twice/"_s;
    context.mediaFolder = u"/home/user/two\nlines\r\n/"_s;
    context.scheduleFileName = u"tab\there.mvs"_s;
    ok = ok && write(out.filePath(u"systeminfo/quotes-line-ends.txt"_s), FormatSystemInfo(context));
    // As an older writer left such folders: unescaped, one value broken.
    ok = ok &&
         write(out.filePath(u"systeminfo/unescaped-line-end.txt"_s),
               "\"/a\nb/\"\r\n\"/s\"q/\"\r\n\"/c/\r\n\"d.mvs\"\r\n\"/m/\"\r\n\"/\",\"/f/\"\r\n");
    ok = ok && write(out.filePath(u"systeminfo/short.txt"_s), "\"/a/\"\r\n\"/b/\"\r\n\"/c/\"\r\n");
    ok = ok && write(out.filePath(u"systeminfo/unquoted.txt"_s),
                     " /a/ , /b/\r\n/c/\nmorva.mvs\n/m/\n/,/x/\n");
    if (!ok) {
        std::fprintf(stderr, "make_corpus: could not write the corpus\n");
        return 1;
    }
    return 0;
}
