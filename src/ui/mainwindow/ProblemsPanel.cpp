#include "ProblemsPanel.h"

#include "CurrentTexts.h"
#include "WarningTexts.h"

#include <QListWidget>
#include <QStyle>

namespace {

// The advance row an item names; absent on lines about the whole schedule.
constexpr int AdvanceRowRole = Qt::UserRole;

// Opened, the panel asks for a few lines only, so the lists above keep their
// room; the user may drag it taller.
class ProblemList final : public QListWidget {
public:
    using QListWidget::QListWidget;
    QSize sizeHint() const override {
        return {QListWidget::sizeHint().width(), fontMetrics().height() * 5 + 2 * frameWidth()};
    }
};

} // namespace

ProblemsPanel::ProblemsPanel(QWidget* parent)
    : QDockWidget(parent)
    , m_list(new ProblemList(this)) {
    setObjectName(QStringLiteral("ProblemsPanel"));
    setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    m_list->setObjectName(QStringLiteral("ProblemList"));
    m_list->setWordWrap(true);
    m_list->setIconSize(QSize(16, 16));
    m_list->setUniformItemSizes(false);
    setWidget(m_list);
    // A click is enough, as in a build tool's problem list; Enter does the
    // same from the keyboard.
    connect(m_list, &QListWidget::itemClicked, this, &ProblemsPanel::activate);
    connect(m_list, &QListWidget::itemActivated, this, &ProblemsPanel::activate);
}

void ProblemsPanel::setWarnings(const ScheduleDocument& document,
                                const QList<ScheduleWarning>& warnings) {
    const int current = m_list->currentRow();
    m_list->clear();
    const QIcon icon = style()->standardIcon(QStyle::SP_MessageBoxWarning);
    for (const ScheduleWarning& warning : warnings) {
        auto* item = new QListWidgetItem(icon, WarningText(document, warning), m_list);
        if (warning.advanceRow >= 0)
            item->setData(AdvanceRowRole, warning.advanceRow);
    }
    if (warnings.isEmpty()) {
        auto* item = new QListWidgetItem(Text(TextSlot::NoProblems), m_list);
        item->setFlags(Qt::NoItemFlags);
    } else {
        // Working through the list line by line keeps its place.
        m_list->setCurrentRow(std::min(std::max(current, 0), m_list->count() - 1),
                              QItemSelectionModel::NoUpdate);
    }
}

void ProblemsPanel::activate(const QListWidgetItem* item) {
    const QVariant row = item ? item->data(AdvanceRowRole) : QVariant();
    if (row.isValid())
        Q_EMIT periodActivated(row.toInt());
}
