#include "MainForm.h"

#include "AboutCompanyForm.h"
#include "AboutMorvaScheduleGeneratorForm.h"
#include "AccessKeys.h"
#include "ActionButton.h"
#include "CapacityStatus.h"
#include "ColourBar.h"
#include "CompactButton.h"
#include "CopyForm.h"
#include "CurrentTexts.h"
#include "DayPlanForm.h"
#include "DialogEntryEditors.h"
#include "ExportForm.h"
#include "Fonts.h"
#include "LogoPicture.h"
#include "ProblemsPanel.h"
#include "ScheduleListModel.h"
#include "ScheduleListView.h"
#include "WindowLanguage.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton* makeButton(const QString& name, QWidget* parent) {
    auto* button = new CompactButton(parent);
    button->setObjectName(name);
    button->setFont(CaptionFont());
    return button;
}

// A button that shows and triggers a command.
QPushButton* makeCommandButton(const QString& name, QAction* action, QWidget* parent) {
    QPushButton* button = makeButton(name, parent);
    BindButtonToAction(button, action);
    return button;
}

} // namespace

MainForm::MainForm(UserDialogs& dialogs, const QString& appFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_editor(dialogs, *this, appFolder) {
    setObjectName(u"MainForm"_s);
    m_dialogEditors =
        std::make_unique<DialogEntryEditors>(m_dialogs, m_editor.context().mediaFolder, this);
    m_editor.setEntryEditors(*m_dialogEditors);
    // Copy to... opens on top of the media entry editor.
    m_dialogEditors->setCopyHandler([this](const QString& fileName) {
        CopyForm form(m_dialogs, m_editor.context(), {}, QApplication::activeModalWidget());
        form.setFileName(fileName);
        form.Form_Load();
        form.exec();
    });
    setWindowIcon(LogoIcon());
    buildActions();
    buildControls();
    buildProblemsPanel();
    buildMenus();
    m_status = new CapacityStatus(statusBar());

    connect(&m_editor, &ScheduleEditor::currentFileChanged, this, &MainForm::updateCaption);
    EditableDocument* document = &m_editor.document();
    connect(document, &EditableDocument::modifiedChanged, this, &QWidget::setWindowModified);
    // A changed period changes its time window; rows added or removed, and
    // another period selected, reach the status through ButtonStatusSetup.
    connect(document, &EditableDocument::rowChanged, this, &MainForm::updateStatus);
    // Every change, undo and redo moves the history; Open and New reset it.
    connect(&document->history(), &QUndoStack::indexChanged, this,
            &MainForm::refreshSchedulePreview);
    connect(document, &EditableDocument::documentReset, this, &MainForm::refreshSchedulePreview);
}

MainForm::~MainForm() = default;

void MainForm::setEntryEditors(EntryEditors* editors) {
    m_editor.setEntryEditors(editors ? *editors : *m_dialogEditors);
}

void MainForm::buildActions() {
    // The menu items' names, which the File menu shows. The buttons show the
    // same texts, access keys included. The shortcuts are spelled out: some
    // desktops have no standard one for Save As or Quit.
    const std::tuple<QAction**, const char16_t*, TextSlot, char16_t, QKeySequence,
                     void (MainForm::*)()>
        documentCommands[] = {
            {&m_newAction, u"subNew", TextSlot::New, u'N', QKeySequence(Qt::CTRL | Qt::Key_N),
             &MainForm::NewCmd_Click},
            {&m_openAction, u"subOpen", TextSlot::Open, u'O', QKeySequence(Qt::CTRL | Qt::Key_O),
             &MainForm::OpenCmd_Click},
            {&m_saveAction, u"subSave", TextSlot::Save, u'S', QKeySequence(Qt::CTRL | Qt::Key_S),
             &MainForm::SaveCmd_Click},
            {&m_saveAsAction, u"subSaveAs", TextSlot::SaveAs, u'A',
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), &MainForm::SaveAsCmd_Click},
            {&m_exitAction, u"subExit", TextSlot::Exit, u'x', QKeySequence(Qt::CTRL | Qt::Key_Q),
             &MainForm::ExitCmd_Click},
            {&m_exportAction, u"subExport", TextSlot::ExportCommand, u'E',
             QKeySequence(Qt::CTRL | Qt::Key_E), &MainForm::ExportCmd_Click},
        };
    for (const auto& [action, name, slot, key, shortcut, handler] : documentCommands) {
        *action = new QAction(this);
        (*action)->setObjectName(QString::fromUtf16(name));
        (*action)->setShortcut(shortcut);
        m_texts.add(*action, slot, QChar(key));
        connect(*action, &QAction::triggered, this, handler);
    }
    // The buttons beside the lists act on their own list and show no access
    // keys: three lists would share each one. The Edit menu reaches them all.
    m_basic.commands = makeListCommands(u"Normal"_s, ScheduleList::Basic);
    m_advance.commands = makeListCommands(u"Advance"_s, ScheduleList::Advance);
    m_detail.commands = makeListCommands(u"Detail"_s, ScheduleList::Detail);
    buildHistoryActions();
    buildFocusedListCommands();
}

void MainForm::buildHistoryActions() {
    QUndoStack& history = m_editor.document().history();
    m_undoAction = new QAction(this);
    m_undoAction->setObjectName(u"subUndo"_s);
    m_undoAction->setShortcut(QKeySequence::Undo);
    connect(m_undoAction, &QAction::triggered, &history, &QUndoStack::undo);
    connect(&history, &QUndoStack::canUndoChanged, m_undoAction, &QAction::setEnabled);
    m_redoAction = new QAction(this);
    m_redoAction->setObjectName(u"subRedo"_s);
    m_redoAction->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(m_redoAction, &QAction::triggered, &history, &QUndoStack::redo);
    connect(&history, &QUndoStack::canRedoChanged, m_redoAction, &QAction::setEnabled);
    connect(&history, &QUndoStack::indexChanged, this, &MainForm::updateHistoryTexts);
    m_undoAction->setEnabled(false);
    m_redoAction->setEnabled(false);
}

void MainForm::buildFocusedListCommands() {
    const auto make = [this](const char16_t* name, TextSlot slot, char16_t key,
                             QList<QKeySequence> shortcuts, QAction* ListCommands::*command) {
        auto* action = new QAction(this);
        action->setObjectName(QString::fromUtf16(name));
        action->setShortcuts(shortcuts);
        m_texts.add(action, slot, QChar(key));
        connect(action, &QAction::triggered, this,
                [this, command] { (controls(m_activeList).commands.*command)->trigger(); });
        return action;
    };
    m_focusedList = {
        make(u"subAdd", TextSlot::Add, u'A', {QKeySequence(Qt::Key_Insert)}, &ListCommands::add),
        make(u"subModify", TextSlot::Modify, u'M', {QKeySequence(Qt::Key_F2)},
             &ListCommands::modify),
        make(u"subRemove", TextSlot::Remove, u'e', {QKeySequence(Qt::Key_Delete)},
             &ListCommands::remove),
        make(u"subMoveUp", TextSlot::MoveUp, u'p', {QKeySequence(Qt::ALT | Qt::Key_Up)},
             &ListCommands::moveUp),
        make(u"subMoveDown", TextSlot::MoveDown, u'w', {QKeySequence(Qt::ALT | Qt::Key_Down)},
             &ListCommands::moveDown),
        make(u"subDuplicate", TextSlot::Duplicate, u'D', {QKeySequence(Qt::CTRL | Qt::Key_D)},
             &ListCommands::duplicate),
    };
}

MainForm::ListCommands MainForm::makeListCommands(const QString& prefix, ScheduleList list) {
    const auto make = [this, &prefix, list](const char16_t* name, TextSlot slot,
                                            void (EditingCommands::*command)(ScheduleList)) {
        auto* action = new QAction(this);
        action->setObjectName(prefix + QString::fromUtf16(name) + u"Action"_s);
        m_texts.add(action, slot);
        connect(action, &QAction::triggered, this,
                [this, list, command] { (m_editor.editing().*command)(list); });
        return action;
    };
    return {make(u"Add", TextSlot::Add, &EditingCommands::add),
            make(u"Modify", TextSlot::Modify, &EditingCommands::modify),
            make(u"Remove", TextSlot::Remove, &EditingCommands::remove),
            make(u"MoveUp", TextSlot::MoveUp, &EditingCommands::moveUp),
            make(u"MoveDown", TextSlot::MoveDown, &EditingCommands::moveDown),
            make(u"Duplicate", TextSlot::Duplicate, &EditingCommands::duplicate)};
}

void MainForm::connectListView(ScheduleList which) {
    const ListControls& list = controls(which);
    // Enter or a double-click on a row modifies it, only while Modify is
    // enabled: a disabled action ignores a trigger.
    connect(list.view, &ScheduleListView::modifyRequested, list.commands.modify, &QAction::trigger);
    connect(list.view, &ScheduleListView::focusEntered, this,
            [this, which] { setActiveList(which); });
    // A right-click offers the list's own commands.
    list.view->setContextMenuPolicy(Qt::ActionsContextMenu);
    list.view->addActions({list.commands.add, list.commands.modify, list.commands.duplicate,
                           list.commands.remove, list.commands.moveUp, list.commands.moveDown});
    // The commands fit the rows shown, whatever changed them: an edit, a new
    // document, or another period selected.
    const QAbstractItemModel* model = list.model;
    connect(model, &QAbstractItemModel::rowsInserted, this, &MainForm::ButtonStatusSetup);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &MainForm::ButtonStatusSetup);
    connect(model, &QAbstractItemModel::modelReset, this, &MainForm::ButtonStatusSetup);
}

const MainForm::ListControls& MainForm::controls(ScheduleList list) const {
    switch (list) {
    case ScheduleList::Basic:
        return m_basic;
    case ScheduleList::Advance:
        return m_advance;
    case ScheduleList::Detail:
        break;
    }
    return m_detail;
}

int MainForm::selectedRow(ScheduleList list) const {
    return controls(list).view->selectedRow();
}

void MainForm::selectRow(ScheduleList list, int row) {
    controls(list).view->selectRow(row);
}

void MainForm::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    auto* line = new QFrame(central);
    line->setObjectName(u"Line1"_s);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(line);

    auto* top = new QHBoxLayout;
    top->addWidget(buildBasicFrame(), 1);
    top->addWidget(buildDocumentButtons());
    // The advance frame holds two lists, one inside a frame of its own: it
    // gets the larger share of the height.
    layout->addLayout(top, 2);
    layout->addWidget(buildAdvanceFrame(), 3);
    setCentralWidget(central);

    for (ScheduleList list : {ScheduleList::Basic, ScheduleList::Advance, ScheduleList::Detail})
        connectListView(list);
}

// A command button used as a column heading: it shows a caption and does
// nothing, so it takes no focus either. Each is as wide as the columns it
// names, and narrower only when the window is too narrow for the whole row.
QHBoxLayout*
MainForm::headingRow(std::initializer_list<std::tuple<const char16_t*, int, TextSlot>> headings,
                     QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (const auto& [name, columns, slot] : headings) {
        QPushButton* heading = makeButton(QString::fromUtf16(name), parent);
        heading->setFocusPolicy(Qt::NoFocus);
        const QFontMetrics list(ListFont());
        heading->setMaximumWidth(list.horizontalAdvance(QString(columns, u'0')));
        heading->setMinimumWidth(list.horizontalAdvance(u"000"_s));
        heading->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        m_texts.add(heading, slot);
        row->addWidget(heading, columns);
    }
    row->addStretch();
    return row;
}

// The buttons of one list's commands, in a row or a column.
QBoxLayout* MainForm::listButtons(const QString& prefix, const ListCommands& commands,
                                  QWidget* parent, QBoxLayout::Direction direction) {
    auto* layout = new QBoxLayout(direction);
    for (const auto& [name, action] :
         {std::pair{u"AddCmd", commands.add}, std::pair{u"ModifyCmd", commands.modify},
          std::pair{u"RemoveCmd", commands.remove}, std::pair{u"MoveUpCmd", commands.moveUp},
          std::pair{u"MoveDownCmd", commands.moveDown}})
        layout->addWidget(makeCommandButton(prefix + QString::fromUtf16(name), action, parent));
    layout->addStretch();
    return layout;
}

ScheduleListView* MainForm::makeList(const QString& name, ScheduleListModel* model,
                                     QWidget* parent) {
    auto* list = new ScheduleListView(parent);
    list->setObjectName(name);
    list->setModel(model);
    return list;
}

QGroupBox* MainForm::buildBasicFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"NormalFrame"_s);
    frame->setFont(CaptionFont());
    // A frame's access key takes the focus to its list.
    m_texts.add(frame, TextSlot::BasicScheduleFrame, u'B');
    auto* layout = new QGridLayout(frame);

    layout->addLayout(headingRow({{u"BasicFileNameCmd", 24, TextSlot::FileName},
                                  {u"BasicPlayTimesCmd", 8, TextSlot::PlayTimes},
                                  {u"BasicVolumeCmd", 9, TextSlot::Volume}},
                                 frame),
                      0, 0);

    m_basic.model = new ScheduleListModel(&m_editor.document(), ScheduleList::Basic, this);
    m_basic.view = makeList(u"NormalList"_s, m_basic.model, frame);
    layout->addWidget(m_basic.view, 1, 0);
    // The buttons start beside the headings: the frame stays low enough for
    // a small screen at a high scale.
    layout->addLayout(listButtons(u"Normal"_s, m_basic.commands, frame, QBoxLayout::TopToBottom), 0,
                      1, 2, 1);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(0, 1);
    FocusOnAccessKey(frame, m_basic.view);
    return frame;
}

QGroupBox* MainForm::buildAdvanceFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"AdvanceFrame"_s);
    frame->setFont(CaptionFont());
    m_texts.add(frame, TextSlot::AdvanceScheduleFrame, u'v');
    auto* layout = new QHBoxLayout(frame);

    auto* advanceColumn = new QVBoxLayout;
    advanceColumn->addLayout(headingRow({{u"StartDateCmd", 13, TextSlot::StartDay},
                                         {u"StopDateCmd", 13, TextSlot::StopDay},
                                         {u"WeekDayCmd", 11, TextSlot::WeekDay}},
                                        frame));
    m_advance.model = new ScheduleListModel(&m_editor.document(), ScheduleList::Advance, this);
    m_advance.view = makeList(u"AdvanceList"_s, m_advance.model, frame);
    // The details shown are always those of the advance entry selected there.
    m_detail.model =
        new ScheduleListModel(&m_editor.document(), m_advance.view->selectionModel(), this);
    advanceColumn->addWidget(m_advance.view, 1);
    advanceColumn->addLayout(
        listButtons(u"Advance"_s, m_advance.commands, frame, QBoxLayout::LeftToRight));
    layout->addLayout(advanceColumn, 1);

    auto* detailFrame = new QGroupBox(frame);
    detailFrame->setObjectName(u"DetailFrame"_s);
    m_texts.add(detailFrame, TextSlot::DetailFrame, u'D');
    auto* detailColumn = new QVBoxLayout(detailFrame);
    detailColumn->addLayout(headingRow({{u"DetailFileNameCmd", 24, TextSlot::FileName},
                                        {u"DetailPlayTimesCmd", 8, TextSlot::PlayTimes},
                                        {u"DetailVolumeCmd", 9, TextSlot::Volume}},
                                       detailFrame));
    m_detail.view = makeList(u"DetailList"_s, m_detail.model, detailFrame);
    detailColumn->addWidget(m_detail.view, 1);
    detailColumn->addLayout(
        listButtons(u"Detail"_s, m_detail.commands, detailFrame, QBoxLayout::LeftToRight));
    layout->addWidget(detailFrame, 1);
    FocusOnAccessKey(frame, m_advance.view);
    FocusOnAccessKey(detailFrame, m_detail.view);
    return frame;
}

QWidget* MainForm::buildDocumentButtons() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    auto* logo = new QLabel(panel);
    logo->setObjectName(u"MorvaLogoImage"_s);
    logo->setPixmap(LogoPicture(QSize(220, 70)));
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    m_colourBar = new ColourBar(panel);
    layout->addWidget(m_colourBar);

    auto* grid = new QGridLayout;
    grid->addWidget(makeCommandButton(u"NewCmd"_s, m_newAction, panel), 0, 0);
    grid->addWidget(makeCommandButton(u"OpenCmd"_s, m_openAction, panel), 0, 1);
    grid->addWidget(makeCommandButton(u"SaveCmd"_s, m_saveAction, panel), 1, 0);
    grid->addWidget(makeCommandButton(u"SaveAsCmd"_s, m_saveAsAction, panel), 1, 1);
    grid->addWidget(makeCommandButton(u"ExitCmd"_s, m_exitAction, panel), 2, 0);
    layout->addLayout(grid);
    layout->addStretch();
    return panel;
}

void MainForm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QString());
    file->setObjectName(u"subFile"_s);
    m_texts.add(file, TextSlot::FileMenu);
    file->addActions({m_newAction, m_openAction});
    m_recentMenu = file->addMenu(QString());
    m_recentMenu->setObjectName(u"subOpenRecent"_s);
    m_texts.add(m_recentMenu->menuAction(), TextSlot::OpenRecent, u'R');
    // Filled as it opens: never while one of its items is being triggered,
    // and always in the language in use.
    connect(m_recentMenu, &QMenu::aboutToShow, this, &MainForm::fillRecentFilesMenu);
    file->addSeparator();
    file->addActions({m_saveAction, m_saveAsAction});
    file->addSeparator();
    file->addAction(m_exportAction);
    file->addSeparator();
    file->addAction(m_exitAction);

    QMenu* edit = menuBar()->addMenu(QString());
    edit->setObjectName(u"subEdit"_s);
    m_texts.add(edit, TextSlot::EditMenu);
    edit->addActions({m_undoAction, m_redoAction});
    edit->addSeparator();
    edit->addActions(
        {m_focusedList.add, m_focusedList.modify, m_focusedList.duplicate, m_focusedList.remove});
    edit->addSeparator();
    edit->addActions({m_focusedList.moveUp, m_focusedList.moveDown});

    buildViewMenu();

    QMenu* language = menuBar()->addMenu(QString());
    language->setObjectName(u"subLanguage"_s);
    m_texts.add(language, TextSlot::LanguageMenu);
    auto* languages = new QActionGroup(this);
    for (const auto& [action, name, slot, selector] :
         {std::tuple{&m_englishAction, u"subEnglish", TextSlot::EnglishLanguage,
                     EnglishLanguageSelector},
          std::tuple{&m_secondLanguageAction, u"subSecondLanguage", TextSlot::SecondLanguage,
                     SecondLanguageSelector}}) {
        *action = language->addAction(QString());
        (*action)->setObjectName(QString::fromUtf16(name));
        (*action)->setCheckable(true);
        (*action)->setActionGroup(languages);
        m_texts.add(*action, slot, slot == TextSlot::EnglishLanguage ? u'E' : u'J');
        const quint16 chosen = selector;
        connect(*action, &QAction::triggered, this, [this, chosen] { selectLanguage(chosen); });
    }

    QMenu* help = menuBar()->addMenu(QString());
    help->setObjectName(u"subHelp"_s);
    m_texts.add(help, TextSlot::HelpMenu);
    QAction* aboutProgram = help->addAction(QString(), this, [this] {
        AboutMorvaScheduleGeneratorForm about(this);
        about.exec();
    });
    aboutProgram->setObjectName(u"subAboutMorvaScheduleGenerator"_s);
    m_texts.add(aboutProgram, TextSlot::AboutProgramMenu, u'A');
    QAction* aboutCompany = help->addAction(QString(), this, [this] {
        AboutCompanyForm about(m_dialogs, {}, this);
        about.exec();
    });
    aboutCompany->setObjectName(u"subAboutCompany"_s);
    m_texts.add(aboutCompany, TextSlot::AboutCompanyMenu, u'C');
}

void MainForm::buildProblemsPanel() {
    m_problems = new ProblemsPanel(this);
    m_texts.addWindowTitle(m_problems, TextSlot::ProblemsPanel);
    addDockWidget(Qt::BottomDockWidgetArea, m_problems);
    m_problems->hide();
    connect(m_problems, &ProblemsPanel::periodActivated, this, &MainForm::showPeriod);

    // The count stays in sight while the panel is closed; a click opens it.
    m_warningCount = new QToolButton(statusBar());
    m_warningCount->setObjectName(u"WarningCount"_s);
    m_warningCount->setAutoRaise(true);
    m_warningCount->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_warningCount->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_warningCount->setIconSize(QSize(16, 16));
    m_warningCount->hide();
    statusBar()->addWidget(m_warningCount);
    connect(m_warningCount, &QToolButton::clicked, this, [this] {
        m_problems->show();
        m_problems->raise();
        m_problems->list()->setFocus();
    });
}

void MainForm::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(QString());
    view->setObjectName(u"subView"_s);
    m_texts.add(view, TextSlot::ViewMenu);
    // The dock names its action after its title; this text, set after the
    // title, adds the access key.
    QAction* problems = m_problems->toggleViewAction();
    problems->setObjectName(u"subProblems"_s);
    m_texts.add(problems, TextSlot::ProblemsPanel, u'P');
    view->addAction(problems);
    m_dayPlanAction = view->addAction(QString(), this, [this] { showDayPlan(); });
    m_dayPlanAction->setObjectName(u"subDayPlan"_s);
    m_texts.add(m_dayPlanAction, TextSlot::DayPlanCommand, u'D');
}

DayPlanForm* MainForm::showDayPlan() {
    if (!m_dayPlan) {
        m_dayPlan = new DayPlanForm(m_editor.document().document(), this);
        const QSettings settings(m_editor.context().editorSettingsPath(), QSettings::IniFormat);
        m_dayPlan->restoreGeometry(settings.value(u"dayPlan/geometry"_s).toByteArray());
        connect(m_dayPlan, &DayPlanForm::periodClicked, this,
                [this](int advanceRow) { selectRow(ScheduleList::Advance, advanceRow); });
        connect(m_dayPlan, &DayPlanForm::periodActivated, this, &MainForm::showPeriod);
    }
    m_dayPlan->show();
    m_dayPlan->raise();
    m_dayPlan->activateWindow();
    return m_dayPlan;
}

void MainForm::refreshSchedulePreview() {
    const ScheduleDocument& document = m_editor.document().document();
    m_warningsDay = QDate::currentDate();
    const QList<ScheduleWarning> warnings = ScheduleWarnings(document, m_warningsDay);
    m_problems->setWarnings(document, warnings);
    m_warningCount->setText(Text(TextSlot::WarningCount).arg(warnings.size()));
    m_warningCount->setVisible(!warnings.isEmpty());
    if (m_dayPlan)
        m_dayPlan->refresh();
}

void MainForm::showPeriod(int advanceRow) {
    if (advanceRow < 0 || advanceRow >= m_editor.document().document().advanceCount())
        return;
    selectRow(ScheduleList::Advance, advanceRow);
    activateWindow();
    m_advance.view->setFocus();
}

void MainForm::InitMainFormOsd() {
    m_texts.apply();
    ApplyLanguageToWindow(this);
    const bool english = m_editor.context().languageSelector != SecondLanguageSelector;
    m_englishAction->setChecked(english);
    m_secondLanguageAction->setChecked(!english);
    updateHistoryTexts();
    updateStatus();
    if (m_dayPlan)
        m_dayPlan->applyTexts();
    refreshSchedulePreview(); // the day plan's rows too
}

void MainForm::Form_Load(const QString& commandLineFile) {
    // The random source was seeded from the clock when the window was made,
    // and the start values of the context set.
    m_editor.loadSettings();
    restoreWindowState();
    InitMainFormOsd();
    m_editor.openStartSchedule(commandLineFile);
    ButtonStatusSetup();
    // The keys act on the basic list until another list takes the focus.
    m_basic.view->setFocus();
}

void MainForm::selectLanguage(quint16 languageSelector) {
    m_editor.selectLanguage(languageSelector);
    InitMainFormOsd();
    updateCaption();
}

void MainForm::updateCaption() {
    // A "[*]" in a folder name is shown as it is, not taken for the mark.
    QString path = m_editor.context().schedulePath();
    path.replace(u"[*]"_s, u"[*][*]"_s);
    setWindowTitle(Text(TextSlot::ProgramTitle) + u" - "_s + path + u"[*]"_s);
    setWindowModified(m_editor.document().isModified());
}

void MainForm::ButtonStatusSetup() {
    m_basic.view->setEnabled(true);
    m_advance.view->setEnabled(true);
    const CommandAvailability availability = m_editor.commandAvailability();
    for (const auto& [list, state] :
         {std::pair{&m_basic, availability.basic}, std::pair{&m_advance, availability.advance},
          std::pair{&m_detail, availability.detail}}) {
        list->commands.add->setEnabled(state.add);
        list->commands.modify->setEnabled(state.modify);
        list->commands.remove->setEnabled(state.remove);
        list->commands.moveUp->setEnabled(state.moveUp);
        list->commands.moveDown->setEnabled(state.moveDown);
        list->commands.duplicate->setEnabled(state.duplicate);
    }
    updateFocusedListCommands();
    updateStatus();
}

void MainForm::setActiveList(ScheduleList list) {
    m_activeList = list;
    updateFocusedListCommands();
}

void MainForm::updateFocusedListCommands() {
    const ListCommands& active = controls(m_activeList).commands;
    for (QAction* ListCommands::*command :
         {&ListCommands::add, &ListCommands::modify, &ListCommands::remove, &ListCommands::moveUp,
          &ListCommands::moveDown, &ListCommands::duplicate})
        (m_focusedList.*command)->setEnabled((active.*command)->isEnabled());
}

void MainForm::updateHistoryTexts() {
    // Names such as "R&D.MPG" show their "&" rather than make it an access key.
    const QUndoStack& history = m_editor.document().history();
    const auto text = [](TextSlot plain, TextSlot named, const QString& change) {
        return change.isEmpty() ? Text(plain) : Text(named).arg(EscapedAmpersands(change));
    };
    m_undoAction->setText(
        text(TextSlot::UndoCommand, TextSlot::UndoNamedCommand, history.undoText()));
    m_redoAction->setText(
        text(TextSlot::RedoCommand, TextSlot::RedoNamedCommand, history.redoText()));
}

void MainForm::updateStatus() {
    m_status->show(m_editor.document().document(), selectedRow(ScheduleList::Advance));
}

void MainForm::restoreWindowState() {
    const QSettings settings(m_editor.context().editorSettingsPath(), QSettings::IniFormat);
    // A first start, or settings that cannot be read, keep the built-in size.
    if (!restoreGeometry(settings.value(u"window/geometry"_s).toByteArray()))
        resize(sizeHint().expandedTo(QSize(1000, 680)).boundedTo(screen()->availableSize()));
    restoreState(settings.value(u"window/state"_s).toByteArray());
}

void MainForm::saveWindowState() const {
    QSettings settings(m_editor.context().editorSettingsPath(), QSettings::IniFormat);
    settings.setValue(u"window/geometry"_s, saveGeometry());
    settings.setValue(u"window/state"_s, saveState());
    if (m_dayPlan)
        settings.setValue(u"dayPlan/geometry"_s, m_dayPlan->saveGeometry());
}

void MainForm::NewCmd_Click() {
    m_editor.newSchedule();
}

void MainForm::OpenCmd_Click() {
    m_editor.openSchedule();
}

void MainForm::SaveCmd_Click() {
    m_editor.saveSchedule();
}

void MainForm::SaveAsCmd_Click() {
    m_editor.saveScheduleAs();
}

void MainForm::ExitCmd_Click() {
    close();
}

void MainForm::fillRecentFilesMenu() {
    m_recentMenu->clear();
    const QStringList& paths = m_editor.recentFiles().paths();
    for (int index = 0; index < paths.size(); ++index) {
        const QString path = paths[index];
        // "&1 /folder/name.mvs": the number is the access key, any '&' in
        // the path is shown as it is.
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(u'&', u"&&"_s);
        QAction* item = m_recentMenu->addAction(u"&%1 %2"_s.arg(index + 1).arg(shown));
        item->setObjectName(u"subRecentFile%1"_s.arg(index + 1));
        connect(item, &QAction::triggered, this, [this, path] { m_editor.openScheduleFile(path); });
    }
    if (paths.isEmpty())
        m_recentMenu->addAction(Text(TextSlot::NoRecentFiles))->setEnabled(false);
    m_recentMenu->addSeparator();
    QAction* clear = m_recentMenu->addAction(Text(TextSlot::ClearRecent));
    clear->setObjectName(u"subClearRecent"_s);
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, this, [this] { m_editor.recentFiles().clear(); });
}

void MainForm::openHandedFile(const QString& path) {
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    if (path.isEmpty())
        return;
    m_handedFiles.append(path);
    QTimer::singleShot(0, this, &MainForm::openHandedFiles);
}

void MainForm::openHandedFiles() {
    // Never beneath an open dialog: an entry editor, an export or a question
    // works on the document as it is.
    if (QApplication::activeModalWidget()) {
        QTimer::singleShot(250, this, &MainForm::openHandedFiles);
        return;
    }
    while (!m_handedFiles.isEmpty() && !QApplication::activeModalWidget())
        m_editor.openScheduleFile(m_handedFiles.takeFirst());
}

void MainForm::ExportCmd_Click() {
    if (!m_editor.saveBeforeExport())
        return;
    auto* form = new ExportForm(m_dialogs, m_editor.context(), {}, this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->Form_Load();
    form->open();
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (!m_unloaded && !m_editor.mayDiscardDocument()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        m_warningsDay != QDate::currentDate())
        refreshSchedulePreview();
}

void MainForm::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_colourBar->keepTimer()->stop();
    saveWindowState();
    m_editor.saveSettings();
}
