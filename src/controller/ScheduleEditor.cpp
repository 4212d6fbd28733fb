#include "ScheduleEditor.h"

#include "CurrentTexts.h"
#include "SafeFileWrite.h"
#include "SystemInfoFile.h"

#include <QFileInfo>

ScheduleEditor::ScheduleEditor(UserDialogs& dialogs, ListSelection& lists, const QString& appFolder,
                               QObject* parent)
    : QObject(parent)
    , m_dialogs(dialogs)
    , m_lists(lists)
    , m_context(SetupAppPaths(appFolder))
    , m_random(SeededRandomSource::fromClock())
    , m_documentCommands(m_context, m_document, m_dialogs, m_random)
    , m_editing(m_document, m_dialogs, m_entryEditors, m_lists) {
    connect(&m_documentCommands, &DocumentCommands::currentFileChanged, this,
            &ScheduleEditor::currentFileChanged);
    connect(&m_documentCommands, &DocumentCommands::scheduleFileUsed, this,
            [this](const QString& path) { m_recent.add(path); });
    // A change made, undone or redone is selected and shown; a detail row
    // with its period.
    connect(&m_document, &EditableDocument::changeShown, this, [this](ListAddress list, int row) {
        if (list.list == ScheduleList::Detail)
            m_lists.selectRow(ScheduleList::Advance, list.advanceRow);
        m_lists.selectRow(list.list, row);
    });
}

ScheduleEditor::~ScheduleEditor() = default;

void ScheduleEditor::setEntryEditors(EntryEditors& editors) {
    m_entryEditors.chosen = &editors;
}

void ScheduleEditor::loadSettings() {
    const QString infoPath = m_context.appFolder + QString::fromUtf16(SystemInfoFileName);
    // An editor killed while saving may have left a name behind; clear it
    // before anything is read.
    RemoveStaleSavingFiles(m_context.appFolder, QString::fromUtf16(SystemInfoFileName));
    // No table is loaded yet, so these messages are always in English.
    const TextTable& english = EnglishTexts();
    const SystemInfoReading reading = ReadSystemInfo(m_context);
    switch (reading.status) {
    case SystemInfoStatus::Damaged:
        m_dialogs.showMessage(english.text(TextSlot::SystemInformationError));
        break;
    case SystemInfoStatus::Unreadable:
        m_keepSystemInfo = true;
        m_dialogs.showMessage(
            english.text(TextSlot::SystemInformationError) + u'\n' +
            english.text(TextSlot::SystemInfoReadError).arg(infoPath, reading.reason));
        break;
    case SystemInfoStatus::Missing:
    case SystemInfoStatus::Read:
        break;
    }
    SelectTextTable(m_context.languageSelector);
    m_recent.load(m_context.editorSettingsPath());
}

void ScheduleEditor::openStartSchedule(const QString& commandLineFile) {
    if (commandLineFile.isEmpty() || !m_documentCommands.openScheduleFile(commandLineFile))
        m_documentCommands.openDefaultSchedule();
}

void ScheduleEditor::openScheduleFile(const QString& path) {
    if (!m_documentCommands.mayDiscardDocument() || m_documentCommands.openScheduleFile(path))
        return;
    if (!QFileInfo::exists(path))
        m_recent.remove(path);
}

void ScheduleEditor::saveSettings() {
    if (m_keepSystemInfo)
        return;
    if (const Result<void> written = WriteSystemInfo(m_context); !written)
        m_dialogs.showMessage(Text(TextSlot::SystemInfoWriteError)
                                  .arg(m_context.appFolder + QString::fromUtf16(SystemInfoFileName),
                                       written.error()));
}

void ScheduleEditor::selectLanguage(quint16 languageSelector) {
    m_context.languageSelector = languageSelector;
    SelectTextTable(languageSelector);
}

void ScheduleEditor::newSchedule() {
    if (m_documentCommands.mayDiscardDocument())
        m_documentCommands.newSchedule();
}

void ScheduleEditor::openSchedule() {
    if (m_documentCommands.mayDiscardDocument())
        m_documentCommands.openSchedule();
}

CommandAvailability ScheduleEditor::commandAvailability() const {
    const ScheduleDocument& document = m_document.document();
    const int advanceRow = m_lists.selectedRow(ScheduleList::Advance);
    const bool chosen = advanceRow >= 0 && advanceRow < document.advanceCount();
    return AvailableCommands(int(document.basicCount()), int(document.advanceCount()),
                             chosen ? int(document.advanceEntries()[advanceRow].detailCount()) : 0);
}
