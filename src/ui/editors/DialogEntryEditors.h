#pragma once

#include "EntryEditors.h"

#include <QPointer>
#include <QString>
#include <functional>

class AdvanceScheduleEditForm;
class QWidget;
class ScheduleEditForm;
class UserDialogs;

// The real editors: one window of each kind, created on first use and shown
// modally over the main window.
class DialogEntryEditors final : public EntryEditors {
public:
    DialogEntryEditors(UserDialogs& dialogs, QString& mediaFolder, QWidget* parent);
    ~DialogEntryEditors() override;

    std::optional<MediaEntry> editMediaEntry(EditMode mode, const MediaEntry& entry) override;
    std::optional<AdvancePeriod> editAdvanceEntry(EditMode mode,
                                                  const AdvancePeriod& period) override;

    // What the media editor's Copy to... runs.
    void setCopyHandler(std::function<void(const QString& fileName)> handler);

private:
    UserDialogs& m_dialogs;
    QString& m_mediaFolder;
    QPointer<QWidget> m_parent;
    QPointer<ScheduleEditForm> m_mediaEditor;
    QPointer<AdvanceScheduleEditForm> m_advanceEditor;
    std::function<void(const QString&)> m_copyHandler;
};
