#include "RandomSource.h"

#include <QDateTime>
#include <cmath>

int RandomSource::nextScaled(int span) {
    const double r = nextUnit();
    // A misbehaving source must not push a value outside its range.
    const long value = std::lround(qBound(0.0, r, 1.0) * span);
    return int(qBound(0L, value, long(span)));
}

quint8 RandomSource::nextByte() {
    return quint8(nextScaled(255));
}

quint8 RandomSource::nextKeyByte() {
    return quint8(nextScaled(127));
}

SeededRandomSource SeededRandomSource::fromClock() {
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    return SeededRandomSource(quint32(now) ^ quint32(now >> 32));
}
