#pragma once

#include "ControlTexts.h"
#include "ListSelection.h"
#include "ScheduleEditor.h"

#include <QBoxLayout>
#include <QMainWindow>
#include <memory>
#include <tuple>

class CapacityStatus;
class ColourBar;
class DayPlanForm;
class ProblemsPanel;
class QToolButton;
class DialogEntryEditors;
class EntryEditors;
class QAction;
class QGroupBox;
class ScheduleListModel;
class ScheduleListView;
class UserDialogs;

// The program's main window: the three lists, their commands, the document
// commands and the menus, over the editor that does the work.
class MainForm final : public QMainWindow, private ListSelection {
    Q_OBJECT

public:
    // appFolder is where SystemInfo.txt lives and new schedules are named.
    MainForm(UserDialogs& dialogs, const QString& appFolder, QWidget* parent = nullptr);
    ~MainForm() override;

    // Start-up, in its fixed order. Call once, before the window is shown.
    // A file given on the command line is opened instead of the remembered
    // schedule.
    void Form_Load(const QString& commandLineFile = QString());
    // A file handed over by a second start (empty: none): the window comes to
    // the front, then opens it as Open would, once no dialog is open.
    void openHandedFile(const QString& path);

    ScheduleEditor& editor() { return m_editor; }
    const AppContext& context() const { return m_editor.context(); }
    AppContext& context() { return m_editor.context(); }
    EditableDocument& document() { return m_editor.document(); }
    ColourBar* colourBar() const { return m_colourBar; }
    EditingCommands& editing() { return m_editor.editing(); }
    // Tests replace the modal entry editors with scripted ones.
    void setEntryEditors(EntryEditors* editors);

    // "Osd", on-screen display: the texts of the current table put on the
    // window's controls, at start and after every switch of language.
    void InitMainFormOsd();
    // Enables the list commands from the rows of the three lists.
    void ButtonStatusSetup();
    // Switches the text table at once and remembers the choice.
    void selectLanguage(quint16 languageSelector);

    ProblemsPanel* problemsPanel() const { return m_problems; }
    // View > Day Plan: opens the day plan window, or raises it.
    DayPlanForm* showDayPlan();

public Q_SLOTS:
    void NewCmd_Click();
    void OpenCmd_Click();
    void SaveCmd_Click();
    void SaveAsCmd_Click();
    void ExitCmd_Click();
    // File > Export to Drive...: the saved schedule and its media files onto
    // a drive, in a window-modal window that returns at once.
    void ExportCmd_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    // Coming back to the window on another day refreshes what has ended.
    void changeEvent(QEvent* event) override;

private:
    // Add, Modify, Remove, Move Up, Move Down and Duplicate of one list.
    struct ListCommands {
        QAction* add;
        QAction* modify;
        QAction* remove;
        QAction* moveUp;
        QAction* moveDown;
        QAction* duplicate;
    };
    // One of the three lists with its commands.
    struct ListControls {
        ScheduleListModel* model = nullptr;
        ScheduleListView* view = nullptr;
        ListCommands commands{};
    };

    void buildActions();
    ListCommands makeListCommands(const QString& prefix, ScheduleList list);
    void buildHistoryActions();
    void buildFocusedListCommands();
    void buildControls();
    void buildMenus();
    // File > Open Recent, filled from the list each time it opens.
    void fillRecentFilesMenu();
    void openHandedFiles();
    void buildViewMenu();
    void buildProblemsPanel();
    // After every change: the warnings, and the day plan if it is open.
    void refreshSchedulePreview();
    // Selects the period in the advance list and gives that list the focus.
    void showPeriod(int advanceRow);
    QGroupBox* buildBasicFrame();
    QGroupBox* buildAdvanceFrame();
    QWidget* buildDocumentButtons();
    QHBoxLayout*
    headingRow(std::initializer_list<std::tuple<const char16_t*, int, TextSlot>> headings,
               QWidget* parent);
    QBoxLayout* listButtons(const QString& prefix, const ListCommands& commands, QWidget* parent,
                            QBoxLayout::Direction direction);
    ScheduleListView* makeList(const QString& name, ScheduleListModel* model, QWidget* parent);
    void connectListView(ScheduleList list);
    void updateCaption();
    void updateHistoryTexts();
    void updateStatus();
    // The Edit menu's list commands act on the list that has, or last had, focus.
    void setActiveList(ScheduleList list);
    void updateFocusedListCommands();
    // Size, place and maximized state, kept in the settings beside SystemInfo.txt.
    void restoreWindowState();
    void saveWindowState() const;
    void Form_Unload();
    const ListControls& controls(ScheduleList list) const;

    // ListSelection, for the editing commands.
    int selectedRow(ScheduleList list) const override;
    void selectRow(ScheduleList list, int row) override;

    UserDialogs& m_dialogs;
    std::unique_ptr<DialogEntryEditors> m_dialogEditors;
    ScheduleEditor m_editor;
    bool m_unloaded = false;

    QAction* m_newAction = nullptr;
    QAction* m_openAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_saveAsAction = nullptr;
    QAction* m_exitAction = nullptr;
    QAction* m_exportAction = nullptr;
    QMenu* m_recentMenu = nullptr;
    QStringList m_handedFiles; // waiting for the dialogs to close
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;
    QAction* m_englishAction = nullptr;
    QAction* m_secondLanguageAction = nullptr;
    ListControls m_basic;
    ListControls m_advance;
    ListControls m_detail;
    ListCommands m_focusedList{};
    ScheduleList m_activeList = ScheduleList::Basic;
    ColourBar* m_colourBar = nullptr;
    CapacityStatus* m_status = nullptr;
    ProblemsPanel* m_problems = nullptr;
    QToolButton* m_warningCount = nullptr;
    QAction* m_dayPlanAction = nullptr;
    DayPlanForm* m_dayPlan = nullptr;
    QDate m_warningsDay; // the day the warnings were computed for
    ControlTexts m_texts;
};
