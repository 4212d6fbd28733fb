#pragma once

#include "ScheduleDocument.h"

#include <QString>

class TextTable;

// Why a document may not be saved, in the order the checks run.
enum class SaveCheck {
    Passed,
    NoSchedule,            // neither basic nor advance entries
    AdvanceWithoutDetails, // the first advance entry with an empty detail list
    TooLarge,              // the size estimate reached ScheduleSizeBudget
};

struct SaveCheckResult {
    SaveCheck failed = SaveCheck::Passed;
    int advancePosition = 0; // 1-based, for AdvanceWithoutDetails
    QString message;         // exactly what the message box shows

    bool passed() const { return failed == SaveCheck::Passed; }
};

// True when the size estimate is below ScheduleSizeBudget.
bool CheckScheduleSize(const ScheduleDocument& document);

// The checks before every save, first failure wins; the message comes from the
// given text table.
SaveCheckResult CheckBeforeSave(const ScheduleDocument& document, const TextTable& texts);

// A name that ends in a dot and three characters (at least 5 characters in
// all) is kept; any other gets ".mvs" appended.
QString ApplyScheduleExtension(const QString& fileName);
