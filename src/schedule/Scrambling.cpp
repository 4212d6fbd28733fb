#include "Scrambling.h"

namespace {

void advanceKeyIndex(int keyLength, int& keyIndex) {
    ++keyIndex;
    if (keyIndex >= keyLength)
        keyIndex = 0;
}

} // namespace

std::optional<quint8> ScrambleByte(quint8 plain, quint8 keyByte, int keyLength, int& keyIndex) {
    const int stored = int(plain) + int(keyByte);
    if (keyLength <= 0 || stored > 255)
        return std::nullopt;
    advanceKeyIndex(keyLength, keyIndex);
    return quint8(stored);
}

std::optional<quint8> UnscrambleByte(quint8 stored, quint8 keyByte, int keyLength, int& keyIndex) {
    const int plain = int(stored) - int(keyByte);
    if (keyLength <= 0 || plain < 0)
        return std::nullopt;
    advanceKeyIndex(keyLength, keyIndex);
    return quint8(plain);
}
