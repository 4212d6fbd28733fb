#pragma once

#include "ScheduleWarnings.h"

#include <QDockWidget>

class QListWidget;
class QListWidgetItem;

// The schedule's warnings, one line each, docked under the lists. A click or
// Enter on a line that names a period asks for that period to be selected.
class ProblemsPanel final : public QDockWidget {
    Q_OBJECT

public:
    explicit ProblemsPanel(QWidget* parent);

    // Rebuilds the lines in the current language.
    void setWarnings(const ScheduleDocument& document, const QList<ScheduleWarning>& warnings);
    QListWidget* list() const { return m_list; }

Q_SIGNALS:
    void periodActivated(int advanceRow);

private:
    void activate(const QListWidgetItem* item);

    QListWidget* m_list;
};
