#include "LimitNotice.h"

#include "CurrentTexts.h"

#include <QStringList>

namespace {

QString listName(const LimitExcess& excess) {
    switch (excess.kind) {
    case LimitExcess::BasicEntries:
        return Text(TextSlot::BasicScheduleFrame);
    case LimitExcess::AdvanceEntries:
        return Text(TextSlot::AdvanceScheduleFrame);
    case LimitExcess::DetailEntries:
    case LimitExcess::SizeEstimate:
        break;
    }
    return Text(TextSlot::DetailListName).arg(excess.advanceRow + 1);
}

} // namespace

QString LimitNotice(const QString& path, const QList<LimitExcess>& excesses) {
    QStringList lines;
    for (const LimitExcess& excess : excesses) {
        lines.append(excess.kind == LimitExcess::SizeEstimate
                         ? Text(TextSlot::OverBudgetLine).arg(excess.value).arg(excess.limit)
                         : Text(TextSlot::OverLimitLine)
                               .arg(listName(excess))
                               .arg(excess.value)
                               .arg(excess.limit));
    }
    return Text(TextSlot::OverLimitsOnOpen).arg(path, lines.join(u'\n'));
}
