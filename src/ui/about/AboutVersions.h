#pragma once

#include <QString>

// The program's own version, shown whole in its About window.
inline constexpr char16_t SoftwareVersionNumber[] = u"01000000000020070103";

// The program's name and the player its schedules are made for.
inline constexpr char16_t ProgramName[] = u"Morva Schedule Generator";
inline constexpr char16_t PlayerModelLine[] = u"Schedule editor for the Lumbra LX-200 media player";

// "Software Version 01000000000020070103" with the current texts.
QString SoftwareVersionText();
// "Schedule Kernel Version " and the version every saved schedule file carries.
QString ScheduleKernelVersionText();
