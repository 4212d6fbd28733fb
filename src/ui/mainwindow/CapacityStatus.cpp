#include "CapacityStatus.h"

#include "CurrentTexts.h"
#include "PeriodTexts.h"
#include "ScheduleCapacity.h"

#include <QLabel>
#include <QStatusBar>

namespace {

QLabel* addLabel(QStatusBar* bar, const QString& name) {
    auto* label = new QLabel(bar);
    label->setObjectName(name);
    bar->addPermanentWidget(label);
    return label;
}

void showUse(QLabel* label, TextSlot slot, qint64 used, qint64 limit, bool full) {
    label->setText(Text(slot).arg(used).arg(limit));
    label->setProperty("full", full);
    label->setStyleSheet(full ? QStringLiteral("color: #b00020; font-weight: bold;") : QString());
}

} // namespace

CapacityStatus::CapacityStatus(QStatusBar* bar)
    : QObject(bar)
    , m_basic(addLabel(bar, QStringLiteral("BasicCapacity")))
    , m_periods(addLabel(bar, QStringLiteral("PeriodCapacity")))
    , m_details(addLabel(bar, QStringLiteral("DetailCapacity")))
    , m_size(addLabel(bar, QStringLiteral("SizeCapacity")))
    , m_timeWindow(addLabel(bar, QStringLiteral("PeriodTimeWindow"))) {}

void CapacityStatus::show(const ScheduleDocument& document, int advanceRow) {
    const bool chosen = advanceRow >= 0 && advanceRow < document.advanceCount();
    const qsizetype details = chosen ? document.advanceEntries()[advanceRow].detailCount() : 0;
    const qint64 estimate = ScheduleSizeEstimate(document);
    showUse(m_basic, TextSlot::BasicCapacity, document.basicCount(), MaxBasicEntries,
            document.basicCount() >= MaxBasicEntries);
    showUse(m_periods, TextSlot::PeriodCapacity, document.advanceCount(), MaxAdvanceEntries,
            document.advanceCount() >= MaxAdvanceEntries);
    showUse(m_details, TextSlot::DetailCapacity, details, MaxDetailEntries,
            details >= MaxDetailEntries);
    // Full once one more detail (the largest step) would not fit.
    showUse(m_size, TextSlot::SizeCapacity, estimate, ScheduleSizeBudget,
            !WithinSizeBudget(estimate + SizeEstimateGrowth(0, 0, 1)));
    m_timeWindow->setText(chosen ? PeriodTimeWindowText(document.advanceEntries()[advanceRow])
                                 : QString());
}
