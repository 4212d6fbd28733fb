#include "SaveChecks.h"

#include "TextTable.h"

using namespace Qt::StringLiterals;

bool CheckScheduleSize(const ScheduleDocument& document) {
    return ScheduleSizeEstimate(document) < ScheduleSizeBudget;
}

SaveCheckResult CheckBeforeSave(const ScheduleDocument& document, const TextTable& texts) {
    const QString lineBreak = u"\r\n"_s;
    if (document.isEmpty())
        return {SaveCheck::NoSchedule, 0,
                texts.text(TextSlot::NoAnySchedule) + lineBreak + texts.text(TextSlot::CantSave)};
    for (qsizetype i = 0; i < document.advanceCount(); ++i) {
        if (document.advanceEntries()[i].detailCount() == 0) {
            const int position = int(i + 1);
            return {SaveCheck::AdvanceWithoutDetails, position,
                    texts.text(TextSlot::AdvanceWithoutDetails) + QString::number(position) +
                        u" !"_s + lineBreak + QString(25, u' ') + texts.text(TextSlot::CantSave)};
        }
    }
    if (!CheckScheduleSize(document))
        return {SaveCheck::TooLarge, 0, texts.text(TextSlot::TooManySchedules)};
    return {};
}

QString ApplyScheduleExtension(const QString& fileName) {
    if (fileName.size() >= 5 && fileName[fileName.size() - 4] == u'.')
        return fileName;
    return fileName + u".mvs"_s;
}
