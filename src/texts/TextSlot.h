#pragma once

// Every caption and message the program shows has one numbered slot. The
// numbers are fixed: both text tables fill the same slots, and slots added
// later go after the last one.
enum class TextSlot : int {
    FileMenu = 0,
    HelpMenu = 1,
    AboutProgramMenu = 2,
    AboutCompanyMenu = 3,
    New = 4,
    Open = 5,
    Save = 6,
    SaveAs = 7,
    Exit = 8,
    BasicScheduleFrame = 9,
    AdvanceScheduleFrame = 10,
    DetailFrame = 11,
    Add = 12,
    Modify = 13,
    Remove = 14,
    MoveUp = 15,
    MoveDown = 16,
    FileName = 17,
    PlayTimes = 18,
    Volume = 19,
    StartDay = 20,
    StopDay = 21,
    WeekDay = 22,
    ProgramTitle = 23,
    MediaEditorCaption = 24,
    FileEditFrame = 25,
    Browse = 26,
    Ok = 27,
    CopyTo = 28,
    Cancel = 29,
    DefaultVolumeItem = 30,
    DateSetup = 31,
    Year = 32,
    Month = 33,
    Day = 34,
    Sunday = 35,
    Monday = 36,
    Tuesday = 37,
    Wednesday = 38,
    Thursday = 39,
    Friday = 40,
    Saturday = 41,
    AllDay = 42,
    TimeSetup = 43,
    StartTime = 44,
    StopTime = 45,
    Hour = 46,
    Minute = 47,
    Second = 48,
    AdvanceEditorCaption = 49,
    SoftwareVersion = 50,
    ScheduleKernelVersion = 51,
    ProgramRunning = 52,
    SystemInformationError = 53,
    FileNotFound = 54,
    NoAnySchedule = 55,
    CantSave = 56,
    AdvanceWithoutDetails = 57,
    TooManySchedules = 58,
    FileAlreadyExisted = 59,
    TooManyBasicSchedules = 60,
    DateSetupError = 61,
    TimeSetupError = 62,
    LinkError = 63,
    FileNameError = 64,
    FileCopied = 65,
    FileCopyError = 66,

    // Slots of our own, after the historical 67.
    ScheduleReadError = 67,   // "%1" is the file, "%2" the reason
    ScheduleWriteError = 68,  // "%1" is the file, "%2" the reason
    SaveChangesQuestion = 69, // "%1" is the file
    LanguageMenu = 70,
    EnglishLanguage = 71,
    SecondLanguage = 72,
    SystemInfoWriteError = 73, // "%1" is the file, "%2" the reason
    FileChangedOnDisk = 74,    // "%1" is the file
    SystemInfoReadError = 75,  // "%1" is the file, "%2" the reason
    EditMenu = 76,
    UndoCommand = 77,
    UndoNamedCommand = 78, // "%1" is the change
    RedoCommand = 79,
    RedoNamedCommand = 80, // "%1" is the change
    Duplicate = 81,
    EntryChange = 82,      // "%1" is the command, "%2" the entry
    BasicCapacity = 83,    // "%1" is the count, "%2" the limit
    PeriodCapacity = 84,   // "%1" is the count, "%2" the limit
    DetailCapacity = 85,   // "%1" is the count, "%2" the limit
    SizeCapacity = 86,     // "%1" is the size estimate, "%2" the budget
    PeriodTimeWindow = 87, // "%1" is the start time, "%2" the stop time
    DetailCountTip = 88,   // "%1" is the count
    OverLimitsOnOpen = 89, // "%1" is the file, "%2" one line per limit
    OverLimitLine = 90,    // "%1" is the list, "%2" the count, "%3" the limit
    OverBudgetLine = 91,   // "%1" is the size estimate, "%2" the budget
    DetailListName = 92,   // "%1" is the period's number
    CopyWindowCaption = 93,
    CopyButton = 94,
    DriveError = 95, // "%1" is the drive
    AboutProgramCaption = 96,
    AboutCompanyCaption = 97,

    Count
};

constexpr int TextSlotCount = static_cast<int>(TextSlot::Count);
