#pragma once

#include "AppContext.h"
#include "CommandAvailability.h"
#include "DocumentCommands.h"
#include "EditableDocument.h"
#include "EditingCommands.h"
#include "EntryEditors.h"
#include "RandomSource.h"
#include "RecentFiles.h"

#include <QObject>

class ListSelection;
class UserDialogs;

// The editor without its windows: the document, the remembered folders and
// language, the document and list commands, and what start-up and exit do
// with SystemInfo.txt. The main window shows it and lends it the lists'
// selection and the entry editors; tests drive it with no widget at all.
class ScheduleEditor final : public QObject {
    Q_OBJECT

public:
    // appFolder is where SystemInfo.txt lives and new schedules are named.
    // The random source is seeded from the clock. Until setEntryEditors, an
    // entry editor answers Cancel: the real editors need the context made here.
    ScheduleEditor(UserDialogs& dialogs, ListSelection& lists, const QString& appFolder,
                   QObject* parent = nullptr);
    ~ScheduleEditor() override;

    // Start-up, first half: clears what a killed save left behind, reads
    // SystemInfo.txt (telling the user, in English, what went wrong) and
    // selects its language.
    void loadSettings();
    // Start-up, second half: the schedule given on the command line; when
    // there is none, or it cannot be read, the remembered schedule, or a new
    // one.
    void openStartSchedule(const QString& commandLineFile = QString());
    // At exit: writes SystemInfo.txt, unless it could not be read at start.
    void saveSettings();

    // Switches the text table at once and remembers the choice.
    void selectLanguage(quint16 languageSelector);

    // New and Open first ask about unsaved changes.
    void newSchedule();
    void openSchedule();
    // A schedule file named without a dialog: handed over by a second start,
    // or picked from the recent files. A listed file that is gone leaves the
    // list.
    void openScheduleFile(const QString& path);
    RecentFiles& recentFiles() { return m_recent; }
    void saveSchedule() { m_documentCommands.saveSchedule(false); }
    void saveScheduleAs() { m_documentCommands.saveSchedule(true); }
    // True when the schedule file on disk holds the document, after a save
    // the user agreed to where needed.
    bool saveBeforeExport() { return m_documentCommands.saveBeforeExport(); }
    // False when the user kept the document (Cancel, or a save that failed).
    bool mayDiscardDocument() { return m_documentCommands.mayDiscardDocument(); }

    // From the document and the advance entry selected.
    CommandAvailability commandAvailability() const;

    const AppContext& context() const { return m_context; }
    AppContext& context() { return m_context; }
    EditableDocument& document() { return m_document; }
    EditingCommands& editing() { return m_editing; }
    // The list commands use these editors from now on.
    void setEntryEditors(EntryEditors& editors);

Q_SIGNALS:
    // The current file's name or folder changed.
    void currentFileChanged();

private:
    UserDialogs& m_dialogs;
    ListSelection& m_lists;
    AppContext m_context;
    EditableDocument m_document;
    SeededRandomSource m_random;
    DocumentCommands m_documentCommands;
    RecentFiles m_recent;
    // Forwards to the editors set last; Cancel while there are none.
    struct ChosenEntryEditors final : EntryEditors {
        EntryEditors* chosen = nullptr;
        std::optional<MediaEntry> editMediaEntry(EditMode mode, const MediaEntry& entry) override {
            return chosen ? chosen->editMediaEntry(mode, entry) : std::nullopt;
        }
        std::optional<AdvancePeriod> editAdvanceEntry(EditMode mode,
                                                      const AdvancePeriod& period) override {
            return chosen ? chosen->editAdvanceEntry(mode, period) : std::nullopt;
        }
    } m_entryEditors;
    EditingCommands m_editing;
    // SystemInfo.txt could not be read at start; exit must not write over it.
    bool m_keepSystemInfo = false;
};
