#pragma once

#include "ScheduleDocument.h"

#include <QByteArrayView>

// A media entry from its name and extension bytes.
inline MediaEntry media(QByteArrayView name, QByteArrayView extension = "MP3", quint8 playTimes = 1,
                        quint8 volume = DefaultVolume) {
    MediaEntry entry;
    SetFieldBytes(entry.name, name.toByteArray());
    SetFieldBytes(entry.extension, extension.toByteArray());
    entry.playTimes = playTimes;
    entry.volume = volume;
    return entry;
}
