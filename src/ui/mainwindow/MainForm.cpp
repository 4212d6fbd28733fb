#include "MainForm.h"

#include "AboutCompanyForm.h"
#include "AboutMorvaScheduleGeneratorForm.h"
#include "ActionButton.h"
#include "ColourBar.h"
#include "CopyForm.h"
#include "CurrentTexts.h"
#include "DialogEntryEditors.h"
#include "Fonts.h"
#include "LogoPicture.h"
#include "ScheduleListModel.h"
#include "ScheduleListView.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPushButton* makeButton(const QString& name, QWidget* parent) {
    auto* button = new QPushButton(parent);
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
    buildActions();
    buildControls();
    buildMenus();

    connect(&m_editor, &ScheduleEditor::currentFileChanged, this, &MainForm::updateCaption);
    connect(&m_editor.document(), &EditableDocument::modifiedChanged, this,
            &QWidget::setWindowModified);
}

MainForm::~MainForm() = default;

void MainForm::setEntryEditors(EntryEditors* editors) {
    m_editor.setEntryEditors(editors ? *editors : *m_dialogEditors);
}

void MainForm::buildActions() {
    // The menu items' names, which the File menu shows.
    const std::tuple<QAction**, const char16_t*, TextSlot, void (MainForm::*)()>
        documentCommands[] = {
            {&m_newAction, u"subNew", TextSlot::New, &MainForm::NewCmd_Click},
            {&m_openAction, u"subOpen", TextSlot::Open, &MainForm::OpenCmd_Click},
            {&m_saveAction, u"subSave", TextSlot::Save, &MainForm::SaveCmd_Click},
            {&m_saveAsAction, u"subSaveAs", TextSlot::SaveAs, &MainForm::SaveAsCmd_Click},
            {&m_exitAction, u"subExit", TextSlot::Exit, &MainForm::ExitCmd_Click},
        };
    for (const auto& [action, name, slot, handler] : documentCommands) {
        *action = new QAction(this);
        (*action)->setObjectName(QString::fromUtf16(name));
        m_texts.add(*action, slot);
        connect(*action, &QAction::triggered, this, handler);
    }
    m_newAction->setShortcut(QKeySequence::New);
    m_openAction->setShortcut(QKeySequence::Open);
    m_saveAction->setShortcut(QKeySequence::Save);
    m_saveAsAction->setShortcut(QKeySequence::SaveAs);

    m_basic.commands = makeListCommands(u"Normal"_s, ScheduleList::Basic);
    m_advance.commands = makeListCommands(u"Advance"_s, ScheduleList::Advance);
    m_detail.commands = makeListCommands(u"Detail"_s, ScheduleList::Detail);
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
            make(u"MoveDown", TextSlot::MoveDown, &EditingCommands::moveDown)};
}

void MainForm::connectListView(const ListControls& list) {
    // Enter or a double-click on a row modifies it, Delete removes it, each
    // only while the command is enabled: a disabled action ignores a trigger.
    connect(list.view, &ScheduleListView::modifyRequested, list.commands.modify, &QAction::trigger);
    connect(list.view, &ScheduleListView::removeRequested, list.commands.remove, &QAction::trigger);
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
    layout->addLayout(top);
    layout->addWidget(buildAdvanceFrame(), 1);
    setCentralWidget(central);

    for (const ListControls* list : {&m_basic, &m_advance, &m_detail})
        connectListView(*list);
}

// A command button used as a column heading: it shows a caption and does
// nothing, so it takes no focus either. Each is as wide as the columns it
// names.
QHBoxLayout*
MainForm::headingRow(std::initializer_list<std::tuple<const char16_t*, int, TextSlot>> headings,
                     QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (const auto& [name, columns, slot] : headings) {
        QPushButton* heading = makeButton(QString::fromUtf16(name), parent);
        heading->setFocusPolicy(Qt::NoFocus);
        heading->setFixedWidth(QFontMetrics(ListFont()).horizontalAdvance(QString(columns, u'0')));
        m_texts.add(heading, slot);
        row->addWidget(heading);
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
    m_texts.add(frame, TextSlot::BasicScheduleFrame);
    auto* layout = new QGridLayout(frame);

    layout->addLayout(headingRow({{u"BasicFileNameCmd", 24, TextSlot::FileName},
                                  {u"BasicPlayTimesCmd", 8, TextSlot::PlayTimes},
                                  {u"BasicVolumeCmd", 9, TextSlot::Volume}},
                                 frame),
                      0, 0);

    m_basic.model = new ScheduleListModel(&m_editor.document(), ScheduleList::Basic, this);
    m_basic.view = makeList(u"NormalList"_s, m_basic.model, frame);
    layout->addWidget(m_basic.view, 1, 0);
    layout->addLayout(listButtons(u"Normal"_s, m_basic.commands, frame, QBoxLayout::TopToBottom), 1,
                      1);
    return frame;
}

QGroupBox* MainForm::buildAdvanceFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"AdvanceFrame"_s);
    frame->setFont(CaptionFont());
    m_texts.add(frame, TextSlot::AdvanceScheduleFrame);
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
    advanceColumn->addWidget(m_advance.view);
    advanceColumn->addLayout(
        listButtons(u"Advance"_s, m_advance.commands, frame, QBoxLayout::LeftToRight));
    layout->addLayout(advanceColumn, 1);

    auto* detailFrame = new QGroupBox(frame);
    detailFrame->setObjectName(u"DetailFrame"_s);
    m_texts.add(detailFrame, TextSlot::DetailFrame);
    auto* detailColumn = new QVBoxLayout(detailFrame);
    detailColumn->addLayout(headingRow({{u"DetailFileNameCmd", 24, TextSlot::FileName},
                                        {u"DetailPlayTimesCmd", 8, TextSlot::PlayTimes},
                                        {u"DetailVolumeCmd", 9, TextSlot::Volume}},
                                       detailFrame));
    m_detail.view = makeList(u"DetailList"_s, m_detail.model, detailFrame);
    detailColumn->addWidget(m_detail.view);
    detailColumn->addLayout(
        listButtons(u"Detail"_s, m_detail.commands, detailFrame, QBoxLayout::LeftToRight));
    layout->addWidget(detailFrame, 1);
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
    file->addSeparator();
    file->addActions({m_saveAction, m_saveAsAction});
    file->addSeparator();
    file->addAction(m_exitAction);

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
        m_texts.add(*action, slot);
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
    m_texts.add(aboutProgram, TextSlot::AboutProgramMenu);
    QAction* aboutCompany = help->addAction(QString(), this, [this] {
        AboutCompanyForm about(m_dialogs, {}, this);
        about.exec();
    });
    aboutCompany->setObjectName(u"subAboutCompany"_s);
    m_texts.add(aboutCompany, TextSlot::AboutCompanyMenu);
}

void MainForm::InitMainFormOsd() {
    m_texts.apply();
    const bool english = m_editor.context().languageSelector != SecondLanguageSelector;
    m_englishAction->setChecked(english);
    m_secondLanguageAction->setChecked(!english);
}

void MainForm::Form_Load() {
    // The random source was seeded from the clock when the window was made,
    // and the start values of the context set.
    m_editor.loadSettings();
    InitMainFormOsd();
    m_editor.openDefaultSchedule();
    ButtonStatusSetup();
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
    }
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

void MainForm::closeEvent(QCloseEvent* event) {
    if (!m_unloaded && !m_editor.mayDiscardDocument()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

void MainForm::Form_Unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    m_colourBar->keepTimer()->stop();
    m_editor.saveSettings();
}
