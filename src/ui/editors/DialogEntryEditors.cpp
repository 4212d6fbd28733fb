#include "DialogEntryEditors.h"

#include "AdvanceScheduleEditForm.h"
#include "ScheduleEditForm.h"

DialogEntryEditors::DialogEntryEditors(UserDialogs& dialogs, QString& mediaFolder, QWidget* parent)
    : m_dialogs(dialogs)
    , m_mediaFolder(mediaFolder)
    , m_parent(parent) {}

DialogEntryEditors::~DialogEntryEditors() = default;

void DialogEntryEditors::setCopyHandler(std::function<void(const QString&)> handler) {
    m_copyHandler = std::move(handler);
    if (m_mediaEditor)
        m_mediaEditor->setCopyHandler(m_copyHandler);
}

std::optional<MediaEntry> DialogEntryEditors::editMediaEntry(EditMode mode,
                                                             const MediaEntry& entry) {
    if (!m_mediaEditor) {
        m_mediaEditor = new ScheduleEditForm(m_dialogs, m_mediaFolder, m_parent);
        m_mediaEditor->setCopyHandler(m_copyHandler);
    }
    m_mediaEditor->MediaEditSetup(mode, entry);
    if (m_mediaEditor->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_mediaEditor->entry();
}

std::optional<AdvancePeriod> DialogEntryEditors::editAdvanceEntry(EditMode mode,
                                                                  const AdvancePeriod& period) {
    if (!m_advanceEditor)
        m_advanceEditor = new AdvanceScheduleEditForm(m_dialogs, m_parent);
    m_advanceEditor->AdvanceEditSetup(mode, period);
    if (m_advanceEditor->exec() != QDialog::Accepted)
        return std::nullopt;
    return m_advanceEditor->period();
}
