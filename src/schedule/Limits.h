#pragma once

#include <QtGlobal>

// The limits that the editing commands and the save checks keep.
inline constexpr int MaxBasicEntries = 250;
inline constexpr int MaxAdvanceEntries = 250;
inline constexpr int MaxDetailEntries = 100;
inline constexpr qint64 ScheduleSizeBudget = 30000;

inline constexpr int MaxPlayTimes = 100;
inline constexpr int MaxVolumeLevel = 16;
// A volume of 17 means "use the player's default volume".
inline constexpr quint8 DefaultVolume = 17;
// A week day of 7 means every day of the week.
inline constexpr quint8 EveryWeekDay = 7;

inline constexpr int FirstYear = 2000;
inline constexpr int LastYear = 2099;
