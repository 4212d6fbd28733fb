#pragma once

#include <QtGlobal>
#include <optional>

// One step of the stream scrambling: the stored byte is the plain byte plus
// the key byte at the running key index, which then moves on and wraps at the
// key length. The index is never reset inside one file.
//
// Both return nothing and leave keyIndex alone when the byte cannot be
// represented (a sum above 255, a difference below 0) or the key is empty.
std::optional<quint8> ScrambleByte(quint8 plain, quint8 keyByte, int keyLength, int& keyIndex);
std::optional<quint8> UnscrambleByte(quint8 stored, quint8 keyByte, int keyLength, int& keyIndex);
