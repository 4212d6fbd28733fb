#include "MainForm.h"

#include "ColourBar.h"
#include "Fonts.h"
#include "LogoPicture.h"
#include "ScheduleListModel.h"
#include "ScheduleListView.h"
#include "SystemInfoFile.h"
#include "AboutCompanyForm.h"
#include "AboutMorvaScheduleGeneratorForm.h"
#include "CopyForm.h"
#include "DialogEntryEditors.h"
#include "EditingCommands.h"
#include "SafeFileWrite.h"
#include "CurrentTexts.h"

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

// A command button used as a column heading: it shows a caption and does
// nothing, so it takes no focus either.
QPushButton* makeHeading(const QString& name, int columns, QWidget* parent) {
    QPushButton* heading = makeButton(name, parent);
    heading->setFocusPolicy(Qt::NoFocus);
    heading->setFixedWidth(QFontMetrics(ListFont()).horizontalAdvance(QString(columns, u'0')));
    return heading;
}

// Headings over a list, each as wide as the columns it names.
QHBoxLayout* headingRow(std::initializer_list<std::pair<const char16_t*, int>> headings,
                        QWidget* parent) {
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    for (const auto& [name, columns] : headings)
        row->addWidget(makeHeading(QString::fromUtf16(name), columns, parent));
    row->addStretch();
    return row;
}

ScheduleListView* makeList(const QString& name, QAbstractItemModel* model, QWidget* parent) {
    auto* list = new ScheduleListView(parent);
    list->setObjectName(name);
    list->setModel(model);
    return list;
}

// Add, Modify, Remove, Move Up and Move Down of one list, in a row or a column.
QBoxLayout* listButtons(const QString& prefix, QWidget* parent, QBoxLayout::Direction direction) {
    auto* layout = new QBoxLayout(direction);
    for (const char16_t* command :
         {u"AddCmd", u"ModifyCmd", u"RemoveCmd", u"MoveUpCmd", u"MoveDownCmd"})
        layout->addWidget(makeButton(prefix + QString::fromUtf16(command), parent));
    layout->addStretch();
    return layout;
}

} // namespace

MainForm::MainForm(UserDialogs& dialogs, const QString& appFolder, QWidget* parent)
    : QMainWindow(parent)
    , m_dialogs(dialogs)
    , m_context(SetupAppPaths(appFolder))
    , m_random(SeededRandomSource::fromClock()) {
    setObjectName(u"MainForm"_s);
    m_commands = new DocumentCommands(m_context, m_document, m_dialogs, m_random, this);
    m_normalModel = new ScheduleListModel(&m_document, ScheduleList::Basic, this);
    m_advanceModel = new ScheduleListModel(&m_document, ScheduleList::Advance, this);
    m_dialogEditors = std::make_unique<DialogEntryEditors>(m_dialogs, m_context.mediaFolder, this);
    m_editing = std::make_unique<EditingCommands>(m_document, m_dialogs, *m_dialogEditors,
                                                  static_cast<ListSelection&>(*this));
    // Copy to... opens on top of the media entry editor.
    m_dialogEditors->setCopyHandler([this](const QString& fileName) {
        CopyForm form(m_dialogs, m_context, {}, QApplication::activeModalWidget());
        form.setFileName(fileName);
        form.Form_Load();
        form.exec();
    });
    buildControls();
    buildMenus();

    connect(m_commands, &DocumentCommands::currentFileChanged, this, &MainForm::updateCaption);
    connect(&m_document, &EditableDocument::modifiedChanged, this, &QWidget::setWindowModified);
}

MainForm::~MainForm() = default;

void MainForm::setEntryEditors(EntryEditors* editors) {
    m_editing = std::make_unique<EditingCommands>(m_document, m_dialogs,
                                                  editors ? *editors : *m_dialogEditors,
                                                  static_cast<ListSelection&>(*this));
}

void MainForm::connectListCommands(const QString& prefix, ScheduleList list,
                                   ScheduleListView* view) {
    const std::pair<const char16_t*, void (EditingCommands::*)(ScheduleList)> commands[] = {
        {u"AddCmd", &EditingCommands::add},           {u"ModifyCmd", &EditingCommands::modify},
        {u"RemoveCmd", &EditingCommands::remove},     {u"MoveUpCmd", &EditingCommands::moveUp},
        {u"MoveDownCmd", &EditingCommands::moveDown},
    };
    for (const auto& [name, handler] : commands) {
        QPushButton* button = findChild<QPushButton*>(prefix + QString::fromUtf16(name));
        const auto command = handler; // a lambda cannot capture a structured binding
        connect(button, &QPushButton::clicked, this,
                [this, list, command] { (m_editing.get()->*command)(list); });
    }
    // Enter or a double-click on a row modifies it, Delete removes it, each
    // only while its button is enabled.
    QPushButton* modify = findChild<QPushButton*>(prefix + u"ModifyCmd"_s);
    QPushButton* remove = findChild<QPushButton*>(prefix + u"RemoveCmd"_s);
    connect(view, &ScheduleListView::modifyRequested, modify, [modify] {
        if (modify->isEnabled())
            modify->click();
    });
    connect(view, &ScheduleListView::removeRequested, remove, [remove] {
        if (remove->isEnabled())
            remove->click();
    });
    // The commands fit the rows shown, whatever changed them: an edit, a new
    // document, or another period selected.
    const QAbstractItemModel* model = view->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &MainForm::ButtonStatusSetup);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &MainForm::ButtonStatusSetup);
    connect(model, &QAbstractItemModel::modelReset, this, &MainForm::ButtonStatusSetup);
}

ScheduleListView* MainForm::listView(ScheduleList list) const {
    switch (list) {
    case ScheduleList::Basic:
        return m_normalList;
    case ScheduleList::Advance:
        return m_advanceList;
    case ScheduleList::Detail:
        return m_detailList;
    }
    return nullptr;
}

int MainForm::selectedRow(ScheduleList list) const {
    return listView(list)->selectedRow();
}

void MainForm::selectRow(ScheduleList list, int row) {
    listView(list)->selectRow(row);
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
    top->addWidget(buildNormalFrame(), 1);
    top->addWidget(buildDocumentButtons());
    layout->addLayout(top);
    layout->addWidget(buildAdvanceFrame(), 1);
    setCentralWidget(central);

    connectListCommands(u"Normal"_s, ScheduleList::Basic, m_normalList);
    connectListCommands(u"Advance"_s, ScheduleList::Advance, m_advanceList);
    connectListCommands(u"Detail"_s, ScheduleList::Detail, m_detailList);
    const std::pair<const char16_t*, void (MainForm::*)()> documentButtons[] = {
        {u"NewCmd", &MainForm::NewCmd_Click},   {u"OpenCmd", &MainForm::OpenCmd_Click},
        {u"SaveCmd", &MainForm::SaveCmd_Click}, {u"SaveAsCmd", &MainForm::SaveAsCmd_Click},
        {u"ExitCmd", &MainForm::ExitCmd_Click},
    };
    for (const auto& [name, handler] : documentButtons)
        connect(findChild<QPushButton*>(QString::fromUtf16(name)), &QPushButton::clicked, this,
                handler);
}

QGroupBox* MainForm::buildNormalFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"NormalFrame"_s);
    frame->setFont(CaptionFont());
    auto* layout = new QGridLayout(frame);

    layout->addLayout(
        headingRow({{u"BasicFileNameCmd", 24}, {u"BasicPlayTimesCmd", 8}, {u"BasicVolumeCmd", 9}},
                   frame),
        0, 0);

    m_normalList = makeList(u"NormalList"_s, m_normalModel, frame);
    layout->addWidget(m_normalList, 1, 0);
    layout->addLayout(listButtons(u"Normal"_s, frame, QBoxLayout::TopToBottom), 1, 1);
    return frame;
}

QGroupBox* MainForm::buildAdvanceFrame() {
    auto* frame = new QGroupBox(this);
    frame->setObjectName(u"AdvanceFrame"_s);
    frame->setFont(CaptionFont());
    auto* layout = new QHBoxLayout(frame);

    auto* advanceColumn = new QVBoxLayout;
    advanceColumn->addLayout(
        headingRow({{u"StartDateCmd", 13}, {u"StopDateCmd", 13}, {u"WeekDayCmd", 11}}, frame));
    m_advanceList = makeList(u"AdvanceList"_s, m_advanceModel, frame);
    // The details shown are always those of the advance entry selected there.
    m_detailModel = new ScheduleListModel(&m_document, m_advanceList->selectionModel(), this);
    advanceColumn->addWidget(m_advanceList);
    advanceColumn->addLayout(listButtons(u"Advance"_s, frame, QBoxLayout::LeftToRight));
    layout->addLayout(advanceColumn, 1);

    auto* detailFrame = new QGroupBox(frame);
    detailFrame->setObjectName(u"DetailFrame"_s);
    auto* detailColumn = new QVBoxLayout(detailFrame);
    detailColumn->addLayout(headingRow(
        {{u"DetailFileNameCmd", 24}, {u"DetailPlayTimesCmd", 8}, {u"DetailVolumeCmd", 9}},
        detailFrame));
    m_detailList = makeList(u"DetailList"_s, m_detailModel, detailFrame);
    detailColumn->addWidget(m_detailList);
    detailColumn->addLayout(listButtons(u"Detail"_s, detailFrame, QBoxLayout::LeftToRight));
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
    grid->addWidget(makeButton(u"NewCmd"_s, panel), 0, 0);
    grid->addWidget(makeButton(u"OpenCmd"_s, panel), 0, 1);
    grid->addWidget(makeButton(u"SaveCmd"_s, panel), 1, 0);
    grid->addWidget(makeButton(u"SaveAsCmd"_s, panel), 1, 1);
    grid->addWidget(makeButton(u"ExitCmd"_s, panel), 2, 0);
    layout->addLayout(grid);
    layout->addStretch();
    return panel;
}

void MainForm::buildMenus() {
    QMenu* file = menuBar()->addMenu(QString());
    file->setObjectName(u"subFile"_s);
    const std::pair<const char16_t*, void (MainForm::*)()> fileItems[] = {
        {u"subNew", &MainForm::NewCmd_Click},
        {u"subOpen", &MainForm::OpenCmd_Click},
        {nullptr, nullptr},
        {u"subSave", &MainForm::SaveCmd_Click},
        {u"subSaveAs", &MainForm::SaveAsCmd_Click},
        {nullptr, nullptr},
        {u"subExit", &MainForm::ExitCmd_Click},
    };
    for (const auto& [name, handler] : fileItems) {
        if (!name) {
            file->addSeparator();
            continue;
        }
        QAction* action = file->addAction(QString(), this, handler);
        action->setObjectName(QString::fromUtf16(name));
    }
    findChild<QAction*>(u"subNew"_s)->setShortcut(QKeySequence::New);
    findChild<QAction*>(u"subOpen"_s)->setShortcut(QKeySequence::Open);
    findChild<QAction*>(u"subSave"_s)->setShortcut(QKeySequence::Save);
    findChild<QAction*>(u"subSaveAs"_s)->setShortcut(QKeySequence::SaveAs);

    QMenu* language = menuBar()->addMenu(QString());
    language->setObjectName(u"subLanguage"_s);
    auto* languages = new QActionGroup(this);
    for (const auto& [name, selector] : {std::pair{u"subEnglish", EnglishLanguageSelector},
                                         std::pair{u"subSecondLanguage", SecondLanguageSelector}}) {
        QAction* action = language->addAction(QString());
        action->setObjectName(QString::fromUtf16(name));
        action->setCheckable(true);
        action->setActionGroup(languages);
        const quint16 chosen = selector;
        connect(action, &QAction::triggered, this, [this, chosen] { selectLanguage(chosen); });
    }

    QMenu* help = menuBar()->addMenu(QString());
    help->setObjectName(u"subHelp"_s);
    help->addAction(QString(), this,
                    [this] {
                        AboutMorvaScheduleGeneratorForm about(this);
                        about.exec();
                    })
        ->setObjectName(u"subAboutMorvaScheduleGenerator"_s);
    help->addAction(QString(), this,
                    [this] {
                        AboutCompanyForm about(m_dialogs, {}, this);
                        about.exec();
                    })
        ->setObjectName(u"subAboutCompany"_s);
}

void MainForm::InitMainFormOsd() {
    findChild<QMenu*>(u"subFile"_s)->setTitle(Text(TextSlot::FileMenu));
    findChild<QMenu*>(u"subHelp"_s)->setTitle(Text(TextSlot::HelpMenu));
    findChild<QMenu*>(u"subLanguage"_s)->setTitle(Text(TextSlot::LanguageMenu));
    const std::pair<const char16_t*, TextSlot> actions[] = {
        {u"subNew", TextSlot::New},
        {u"subOpen", TextSlot::Open},
        {u"subSave", TextSlot::Save},
        {u"subSaveAs", TextSlot::SaveAs},
        {u"subExit", TextSlot::Exit},
        {u"subAboutMorvaScheduleGenerator", TextSlot::AboutProgramMenu},
        {u"subAboutCompany", TextSlot::AboutCompanyMenu},
        {u"subEnglish", TextSlot::EnglishLanguage},
        {u"subSecondLanguage", TextSlot::SecondLanguage},
    };
    for (const auto& [name, slot] : actions)
        findChild<QAction*>(QString::fromUtf16(name))->setText(Text(slot));

    const std::pair<const char16_t*, TextSlot> captions[] = {
        {u"NewCmd", TextSlot::New},
        {u"OpenCmd", TextSlot::Open},
        {u"SaveCmd", TextSlot::Save},
        {u"SaveAsCmd", TextSlot::SaveAs},
        {u"ExitCmd", TextSlot::Exit},
        {u"BasicFileNameCmd", TextSlot::FileName},
        {u"BasicPlayTimesCmd", TextSlot::PlayTimes},
        {u"BasicVolumeCmd", TextSlot::Volume},
        {u"DetailFileNameCmd", TextSlot::FileName},
        {u"DetailPlayTimesCmd", TextSlot::PlayTimes},
        {u"DetailVolumeCmd", TextSlot::Volume},
        {u"StartDateCmd", TextSlot::StartDay},
        {u"StopDateCmd", TextSlot::StopDay},
        {u"WeekDayCmd", TextSlot::WeekDay},
    };
    for (const auto& [name, slot] : captions)
        findChild<QPushButton*>(QString::fromUtf16(name))->setText(Text(slot));
    for (const QString& prefix : {u"Normal"_s, u"Advance"_s, u"Detail"_s}) {
        const std::pair<const char16_t*, TextSlot> commands[] = {
            {u"AddCmd", TextSlot::Add},           {u"ModifyCmd", TextSlot::Modify},
            {u"RemoveCmd", TextSlot::Remove},     {u"MoveUpCmd", TextSlot::MoveUp},
            {u"MoveDownCmd", TextSlot::MoveDown},
        };
        for (const auto& [command, slot] : commands)
            findChild<QPushButton*>(prefix + QString::fromUtf16(command))->setText(Text(slot));
    }
    findChild<QGroupBox*>(u"NormalFrame"_s)->setTitle(Text(TextSlot::BasicScheduleFrame));
    findChild<QGroupBox*>(u"AdvanceFrame"_s)->setTitle(Text(TextSlot::AdvanceScheduleFrame));
    findChild<QGroupBox*>(u"DetailFrame"_s)->setTitle(Text(TextSlot::DetailFrame));

    const bool english = m_context.languageSelector != SecondLanguageSelector;
    findChild<QAction*>(u"subEnglish"_s)->setChecked(english);
    findChild<QAction*>(u"subSecondLanguage"_s)->setChecked(!english);
}

void MainForm::Form_Load() {
    // The random source was seeded from the clock when the window was made,
    // and the start values of the context set.
    // An editor killed while saving may have left a name behind; clear it
    // before anything is read.
    RemoveStaleSavingFiles(m_context.appFolder, QString::fromUtf16(SystemInfoFileName));
    // No table is loaded yet, so these messages are always in English.
    const TextTable& english = EnglishTexts();
    QString reason;
    switch (ReadSystemInfo(m_context, &reason)) {
    case SystemInfoStatus::Damaged:
        m_dialogs.showMessage(english.text(TextSlot::SystemInformationError));
        break;
    case SystemInfoStatus::Unreadable:
        m_keepSystemInfo = true;
        m_dialogs.showMessage(
            english.text(TextSlot::SystemInformationError) + u'\n' +
            english.text(TextSlot::SystemInfoReadError)
                .arg(m_context.appFolder + QString::fromUtf16(SystemInfoFileName), reason));
        break;
    case SystemInfoStatus::Missing:
    case SystemInfoStatus::Read:
        break;
    }
    SelectTextTable(m_context.languageSelector);
    InitMainFormOsd();
    m_commands->openDefaultSchedule();
    ButtonStatusSetup();
}

void MainForm::selectLanguage(quint16 languageSelector) {
    m_context.languageSelector = languageSelector;
    SelectTextTable(languageSelector);
    InitMainFormOsd();
    updateCaption();
}

void MainForm::updateCaption() {
    // A "[*]" in a folder name is shown as it is, not taken for the mark.
    QString path = m_context.schedulePath();
    path.replace(u"[*]"_s, u"[*][*]"_s);
    setWindowTitle(Text(TextSlot::ProgramTitle) + u" - "_s + path + u"[*]"_s);
    setWindowModified(m_document.isModified());
}

void MainForm::ButtonStatusSetup() {
    m_normalList->setEnabled(true);
    m_advanceList->setEnabled(true);
    applyAvailability(::ButtonStatusSetup(m_normalModel->rowCount(), m_advanceModel->rowCount(),
                                          m_detailModel->rowCount()));
}

void MainForm::applyAvailability(const CommandAvailability& availability) {
    const std::pair<QString, const ListCommandState*> lists[] = {
        {u"Normal"_s, &availability.basic},
        {u"Advance"_s, &availability.advance},
        {u"Detail"_s, &availability.detail},
    };
    for (const auto& [prefix, state] : lists) {
        findChild<QPushButton*>(prefix + u"AddCmd"_s)->setEnabled(state->add);
        findChild<QPushButton*>(prefix + u"ModifyCmd"_s)->setEnabled(state->modify);
        findChild<QPushButton*>(prefix + u"RemoveCmd"_s)->setEnabled(state->remove);
        findChild<QPushButton*>(prefix + u"MoveUpCmd"_s)->setEnabled(state->moveUp);
        findChild<QPushButton*>(prefix + u"MoveDownCmd"_s)->setEnabled(state->moveDown);
    }
}

void MainForm::NewCmd_Click() {
    if (m_commands->mayDiscardDocument())
        m_commands->newSchedule();
}

void MainForm::OpenCmd_Click() {
    if (m_commands->mayDiscardDocument())
        m_commands->openSchedule();
}

void MainForm::SaveCmd_Click() {
    m_commands->saveSchedule(false);
}

void MainForm::SaveAsCmd_Click() {
    m_commands->saveSchedule(true);
}

void MainForm::ExitCmd_Click() {
    close();
}

void MainForm::closeEvent(QCloseEvent* event) {
    if (!m_unloaded && !m_commands->mayDiscardDocument()) {
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
    if (m_keepSystemInfo)
        return;
    QString error;
    if (!WriteSystemInfo(m_context, &error))
        m_dialogs.showMessage(
            Text(TextSlot::SystemInfoWriteError)
                .arg(m_context.appFolder + QString::fromUtf16(SystemInfoFileName), error));
}
