#pragma once

#include "AppContext.h"
#include "CommandAvailability.h"
#include "DocumentCommands.h"
#include "UserDialogs.h"
#include "ListSelection.h"
#include "EditableDocument.h"
#include "RandomSource.h"

#include <QMainWindow>
#include <memory>

class ColourBar;
class DialogEntryEditors;
class EditingCommands;
class EntryEditors;
class QAction;
class QGroupBox;
class QMenu;
class QPushButton;
class ScheduleListModel;
class ScheduleListView;

// The program's main window: the three lists, their commands, the document
// commands and the menus.
class MainForm final : public QMainWindow, private ListSelection {
    Q_OBJECT

public:
    // appFolder is where SystemInfo.txt lives and new schedules are named.
    MainForm(UserDialogs& dialogs, const QString& appFolder, QWidget* parent = nullptr);
    ~MainForm() override;

    // Start-up, in its fixed order. Call once, before the window is shown.
    void Form_Load();

    const AppContext& context() const { return m_context; }
    AppContext& context() { return m_context; }
    EditableDocument& document() { return m_document; }
    ColourBar* colourBar() const { return m_colourBar; }
    EditingCommands& editing() { return *m_editing; }
    // Tests replace the modal entry editors with scripted ones.
    void setEntryEditors(EntryEditors* editors);

    // Puts the texts of the current table on the window's controls.
    void InitMainFormOsd();
    // Enables the list commands from the row counts of the three lists.
    void ButtonStatusSetup();
    // Switches the text table at once and remembers the choice.
    void selectLanguage(quint16 languageSelector);

public Q_SLOTS:
    void NewCmd_Click();
    void OpenCmd_Click();
    void SaveCmd_Click();
    void SaveAsCmd_Click();
    void ExitCmd_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    QGroupBox* buildNormalFrame();
    QGroupBox* buildAdvanceFrame();
    QWidget* buildDocumentButtons();
    void applyAvailability(const CommandAvailability& availability);
    void updateCaption();
    void Form_Unload();
    void connectListCommands(const QString& prefix, ScheduleList list, ScheduleListView* view);
    ScheduleListView* listView(ScheduleList list) const;

    // ListSelection, for the editing commands.
    int selectedRow(ScheduleList list) const override;
    void selectRow(ScheduleList list, int row) override;

    UserDialogs& m_dialogs;
    AppContext m_context;
    EditableDocument m_document;
    SeededRandomSource m_random;
    DocumentCommands* m_commands = nullptr;
    std::unique_ptr<DialogEntryEditors> m_dialogEditors;
    std::unique_ptr<EditingCommands> m_editing;
    bool m_unloaded = false;
    // SystemInfo.txt could not be read at start; Exit must not write over it.
    bool m_keepSystemInfo = false;

    ScheduleListModel* m_normalModel = nullptr;
    ScheduleListModel* m_advanceModel = nullptr;
    ScheduleListModel* m_detailModel = nullptr;
    ScheduleListView* m_normalList = nullptr;
    ScheduleListView* m_advanceList = nullptr;
    ScheduleListView* m_detailList = nullptr;
    ColourBar* m_colourBar = nullptr;
};
