#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// Layout of a schedule file: a 50-byte header, a block of random bytes that
// hides the key, then the scrambled entries.
namespace FileFormat {

inline constexpr QByteArrayView Magic = "MORVA";
// The schedule kernel version; the About window shows the same constant.
inline constexpr QByteArrayView KernelVersion = "0100KERNEL0000061018";
inline constexpr QByteArrayView BasicMarker = "#1";
inline constexpr QByteArrayView AdvanceMarker = "#2";

inline constexpr int HeaderSize = 50;
inline constexpr int KeyBlockLengthOffset = 30; // L
inline constexpr int KeyOffsetOffset = 32;      // S
inline constexpr int KeyLengthOffset = 34;      // N
inline constexpr int BasicCountOffset = 40;
inline constexpr int AdvanceCountOffset = 41;

// The writer draws the block length, the key length and the key's place in
// the block so that the key always lies inside its block.
inline constexpr int MinKeyBlockLength = 100;
inline constexpr int MaxKeyBlockLength = 255;
inline constexpr int MinKeyLength = 30;
inline constexpr int MaxKeyLength = 50;

inline constexpr int MediaRecordSize = 30;
inline constexpr int AdvanceRecordSize = 17;

// The largest count one header or record byte can carry.
inline constexpr int MaxStoredCount = 255;

// The most bytes a file with these records takes: with the longest key block.
constexpr qint64 MostFileBytes(qint64 mediaRecords, qint64 advanceRecords) {
    return HeaderSize + MaxKeyBlockLength + BasicMarker.size() + MediaRecordSize * mediaRecords +
           AdvanceRecordSize * advanceRecords;
}

} // namespace FileFormat
