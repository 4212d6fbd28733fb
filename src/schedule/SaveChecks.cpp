#include "SaveChecks.h"

using namespace Qt::StringLiterals;

bool CheckScheduleSize(const ScheduleDocument& document) {
    return ScheduleSizeEstimate(document) < ScheduleSizeBudget;
}

SaveCheckFinding CheckBeforeSave(const ScheduleDocument& document) {
    if (document.isEmpty())
        return {SaveCheck::NoSchedule};
    for (qsizetype i = 0; i < document.advanceCount(); ++i) {
        if (document.advanceEntries()[i].detailCount() == 0)
            return {SaveCheck::AdvanceWithoutDetails, int(i + 1)};
    }
    if (!CheckScheduleSize(document))
        return {SaveCheck::TooLarge};
    return {};
}

QString ApplyScheduleExtension(const QString& fileName) {
    if (fileName.size() >= 5 && fileName[fileName.size() - 4] == u'.')
        return fileName;
    return fileName + u".mvs"_s;
}
