#pragma once

#include "Limits.h"

#include <QByteArray>
#include <algorithm>
#include <array>

// One media file to play. The fields keep the widths of the file record so an
// entry is stored and read byte for byte.
struct MediaEntry {
    static constexpr int NameWidth = 16;
    static constexpr int ExtensionWidth = 4;
    static constexpr int ReservedWidth = 6;

    std::array<quint8, NameWidth> name{};           // upper case, 0-padded
    std::array<quint8, ExtensionWidth> extension{}; // without the dot, 0-padded
    std::array<quint8, ReservedWidth> reserved{};   // always 0 from the editor
    quint8 playTimes = 1;                           // 0 to 100
    quint8 volume = DefaultVolume;                  // 0 to 16, or DefaultVolume

    friend bool operator==(const MediaEntry&, const MediaEntry&) = default;
};

// The editor always stores 0 in the reserved bytes; other values come only
// from a foreign file or from JSON that sets them.
inline bool ReservedBytesInUse(const MediaEntry& entry) {
    return std::any_of(entry.reserved.begin(), entry.reserved.end(),
                       [](quint8 b) { return b != 0; });
}

// The bytes of a fixed-width field without its trailing 0 bytes; inner 0 bytes
// stay.
template <std::size_t N> QByteArray FieldBytes(const std::array<quint8, N>& field) {
    std::size_t length = N;
    while (length > 0 && field[length - 1] == 0)
        --length;
    return QByteArray(reinterpret_cast<const char*>(field.data()), static_cast<qsizetype>(length));
}

// Fills a fixed-width field from bytes, padding with 0. Returns false, leaving
// the field alone, when the bytes do not fit.
template <std::size_t N> bool SetFieldBytes(std::array<quint8, N>& field, const QByteArray& bytes) {
    if (bytes.size() > static_cast<qsizetype>(N))
        return false;
    field.fill(0);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        field[static_cast<std::size_t>(i)] = static_cast<quint8>(bytes[i]);
    return true;
}
