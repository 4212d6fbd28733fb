#pragma once

#include "ScheduleDocument.h"

#include <QString>

// Why a document may not be saved, in the order the checks run.
enum class SaveCheck {
    Passed,
    NoSchedule,            // neither basic nor advance entries
    AdvanceWithoutDetails, // the first advance entry with an empty detail list
    TooLarge,              // the size estimate reached ScheduleSizeBudget
};

// What the checks before saving found; SaveCheckMessage words it.
struct SaveCheckFinding {
    SaveCheck failed = SaveCheck::Passed;
    int advancePosition = 0; // 1-based, for AdvanceWithoutDetails

    bool passed() const { return failed == SaveCheck::Passed; }
    friend bool operator==(const SaveCheckFinding&, const SaveCheckFinding&) = default;
};

// True when the size estimate is below ScheduleSizeBudget.
bool CheckScheduleSize(const ScheduleDocument& document);

// The checks before every save, first failure wins.
SaveCheckFinding CheckBeforeSave(const ScheduleDocument& document);

// A name that ends in a dot and three characters (at least 5 characters in
// all) is kept; any other gets ".mvs" appended.
QString ApplyScheduleExtension(const QString& fileName);
