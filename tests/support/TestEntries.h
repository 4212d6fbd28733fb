#pragma once

#include "ScheduleDocument.h"
#include "ScheduleJson.h"

#include <QByteArrayView>

// The one way tests build entries and documents.

inline MediaEntry media(QByteArrayView name, QByteArrayView extension = "MP3", int playTimes = 1,
                        int volume = DefaultVolume) {
    MediaEntry entry{.playTimes = quint8(playTimes), .volume = quint8(volume)};
    SetFieldBytes(entry.name, name.toByteArray());
    SetFieldBytes(entry.extension, extension.toByteArray());
    return entry;
}

// count entries named prefix0, prefix1, ... with varied values.
inline QList<MediaEntry> numbered(const QByteArray& prefix, int count) {
    QList<MediaEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.append(media(prefix + QByteArray::number(i), "MP3", i % 101, i % 18));
    return entries;
}

// basic entries B0, B1, ...; one advance entry per detail count, each on its
// own start date (so every row differs) with details Dk_0, Dk_1, ...
inline ScheduleDocument documentWith(int basic, const QList<int>& detailCounts) {
    QList<AdvanceEntry> advance;
    for (int k = 0; k < detailCounts.size(); ++k)
        advance.append({{.startYear = quint8(k / 28 % 100), .startDay = quint8(k % 28 + 1)},
                        numbered("D" + QByteArray::number(k) + "_", detailCounts[k])});
    return ScheduleDocument(numbered("B", basic), advance);
}

// How QCOMPARE shows a document: its JSON.
inline char* toString(const ScheduleDocument& document) {
    return qstrdup(ScheduleToJson(document).constData());
}
