#include "CliTestSupport.h"

#include "schedule/DateRules.h"

namespace {

int number(const char* text, int from, int length) {
    return QByteArray(text + from, length).toInt();
}

QByteArray randomName(QRandomGenerator& random, int maxLength, bool dotAllowed) {
    static const QByteArray characters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-.";
    const int choices = int(characters.size()) - (dotAllowed ? 0 : 1);
    QByteArray name;
    const int length = random.bounded(maxLength + 1);
    for (int i = 0; i < length; ++i)
        name.append(characters[random.bounded(choices)]);
    return name;
}

MediaEntry randomEditorMedia(QRandomGenerator& random) {
    MediaEntry entry = Media(randomName(random, MediaEntry::NameWidth, true),
                             randomName(random, MediaEntry::ExtensionWidth, false),
                             random.bounded(MaxPlayTimes + 1), random.bounded(DefaultVolume + 1));
    // Not from the editor, but build keeps reserved bytes it is given.
    if (random.bounded(8) == 0)
        entry.reserved[std::size_t(random.bounded(MediaEntry::ReservedWidth))] =
            quint8(random.bounded(1, 256));
    return entry;
}

// Zero bytes are frequent, so inner 0 bytes and padding both occur.
quint8 randomByte(QRandomGenerator& random, int highest) {
    return quint8(random.bounded(4) == 0 ? 0 : random.bounded(highest + 1));
}

template <std::size_t N>
void randomBytes(QRandomGenerator& random, std::array<quint8, N>& field, int highest) {
    for (quint8& byte : field)
        byte = randomByte(random, highest);
}

MediaEntry randomByteMedia(QRandomGenerator& random, int highest) {
    MediaEntry entry;
    randomBytes(random, entry.name, highest);
    randomBytes(random, entry.extension, highest);
    randomBytes(random, entry.reserved, highest);
    entry.playTimes = randomByte(random, highest);
    entry.volume = randomByte(random, highest);
    return entry;
}

} // namespace

MediaEntry Media(const QByteArray& name, const QByteArray& extension, int playTimes, int volume) {
    MediaEntry entry;
    SetFieldBytes(entry.name, name);
    SetFieldBytes(entry.extension, extension);
    entry.playTimes = quint8(playTimes);
    entry.volume = quint8(volume);
    return entry;
}

AdvanceEntry Advance(const char* startDate, const char* startTime, const char* stopDate,
                     const char* stopTime, int weekDay, QList<MediaEntry> details) {
    AdvanceEntry entry;
    entry.startYear = quint8(number(startDate, 0, 4) - FirstYear);
    entry.startMonth = quint8(number(startDate, 5, 2));
    entry.startDay = quint8(number(startDate, 8, 2));
    entry.startHour = quint8(number(startTime, 0, 2));
    entry.startMinute = quint8(number(startTime, 3, 2));
    entry.startSecond = quint8(number(startTime, 6, 2));
    entry.stopYear = quint8(number(stopDate, 0, 4) - FirstYear);
    entry.stopMonth = quint8(number(stopDate, 5, 2));
    entry.stopDay = quint8(number(stopDate, 8, 2));
    entry.stopHour = quint8(number(stopTime, 0, 2));
    entry.stopMinute = quint8(number(stopTime, 3, 2));
    entry.stopSecond = quint8(number(stopTime, 6, 2));
    entry.weekDay = quint8(weekDay);
    entry.details = std::move(details);
    return entry;
}

QByteArray DesignExampleJson() {
    return R"({
  "basic": [
    {"name": "SONG", "extension": "MP3", "playTimes": 5, "volume": 17}
  ],
  "advance": [
    {"startDate": "2006-12-28", "startTime": "00:00:00",
     "stopDate": "2007-01-05", "stopTime": "23:59:59",
     "weekDay": 7,
     "details": [{"name": "CLIP", "extension": "", "playTimes": 1, "volume": 0}]}
  ]
}
)";
}

ScheduleDocument DesignExampleDocument() {
    return ScheduleDocument({Media("SONG", "MP3", 5, 17)},
                            {Advance("2006-12-28", "00:00:00", "2007-01-05", "23:59:59", 7,
                                     {Media("CLIP", "", 1, 0)})});
}

ScheduleDocument RandomEditorDocument(QRandomGenerator& random) {
    ScheduleDocument document;
    const int basicCount = random.bounded(1, 12);
    for (int i = 0; i < basicCount; ++i)
        document.appendBasic(randomEditorMedia(random));
    const int advanceCount = random.bounded(6);
    for (int i = 0; i < advanceCount; ++i) {
        AdvanceEntry entry;
        const int startYear = random.bounded(100);
        const int startMonth = random.bounded(1, 13);
        entry.startYear = quint8(startYear);
        entry.startMonth = quint8(startMonth);
        entry.startDay =
            quint8(random.bounded(1, DaysOfMonth(FirstYear + startYear, startMonth) + 1));
        // A later year keeps the stop date after the start whatever the days.
        const int stopYear = startYear == 99 ? 99 : random.bounded(startYear + 1, 100);
        entry.stopYear = quint8(stopYear);
        entry.stopMonth = quint8(stopYear == startYear ? 12 : random.bounded(1, 13));
        entry.stopDay =
            quint8(random.bounded(1, DaysOfMonth(FirstYear + stopYear, entry.stopMonth) + 1));
        if (stopYear == startYear)
            entry.stopDay = 31;
        entry.startHour = quint8(random.bounded(23));
        entry.startMinute = quint8(random.bounded(60));
        entry.startSecond = quint8(random.bounded(60));
        entry.stopHour = quint8(random.bounded(entry.startHour + 1, 24));
        entry.stopMinute = quint8(random.bounded(60));
        entry.stopSecond = quint8(random.bounded(60));
        entry.weekDay = quint8(random.bounded(EveryWeekDay + 1));
        const int details = random.bounded(1, 6);
        for (int d = 0; d < details; ++d)
            entry.details.append(randomEditorMedia(random));
        document.appendAdvance(entry);
    }
    return document;
}

ScheduleDocument RandomByteDocument(QRandomGenerator& random, int highestByte) {
    ScheduleDocument document;
    const int basicCount = random.bounded(6);
    for (int i = 0; i < basicCount; ++i)
        document.appendBasic(randomByteMedia(random, highestByte));
    const int advanceCount = random.bounded(4);
    for (int i = 0; i < advanceCount; ++i) {
        AdvanceEntry entry;
        for (quint8* field : {&entry.startYear, &entry.startMonth, &entry.startDay,
                              &entry.startHour, &entry.startMinute, &entry.startSecond,
                              &entry.stopYear, &entry.stopMonth, &entry.stopDay, &entry.stopHour,
                              &entry.stopMinute, &entry.stopSecond, &entry.weekDay})
            *field = randomByte(random, highestByte);
        const int details = random.bounded(4);
        for (int d = 0; d < details; ++d)
            entry.details.append(randomByteMedia(random, highestByte));
        document.appendAdvance(entry);
    }
    return document;
}

// Expected dumps, kept here because moc cannot read raw strings of several lines.

QByteArray SeveralEntriesDump() {
    return R"({
  "basic": [
    {"name": "SONG", "extension": "MP3", "playTimes": 5, "volume": 17},
    {"name": "B", "extension": "", "playTimes": 1, "volume": 0}
  ],
  "advance": [
    {"startDate": "2006-12-28", "startTime": "00:00:00",
     "stopDate": "2007-01-05", "stopTime": "23:59:59",
     "weekDay": 7,
     "details": [{"name": "CLIP", "extension": "", "playTimes": 1, "volume": 0},
                 {"name": "CLIP2", "extension": "AVI", "playTimes": 2, "volume": 3}]},
    {"startDate": "2099-02-01", "startTime": "08:30:00",
     "stopDate": "2099-02-28", "stopTime": "17:00:05",
     "weekDay": 0,
     "details": []}
  ]
}
)";
}

QByteArray AdvanceOnlyDump() {
    return R"({
  "basic": [],
  "advance": [
    {"startDate": "2000-01-01", "startTime": "00:00:00",
     "stopDate": "2000-01-01", "stopTime": "00:00:01",
     "weekDay": 3,
     "details": [{"name": "X", "extension": "", "playTimes": 1, "volume": 17}]}
  ]
}
)";
}

QByteArray DamagedPeriodDump() {
    return R"({
  "basic": [],
  "advance": [
    {"startDate": "2255-200-00", "startTime": "00:00:00",
     "stopDate": "2000-01-01", "stopTime": "99:07:255",
     "weekDay": 9,
     "details": []}
  ]
}
)";
}
