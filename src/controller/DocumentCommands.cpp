#include "DocumentCommands.h"

#include "CurrentTexts.h"
#include "PathHelpers.h"
#include "SafeFileWrite.h"
#include "SaveCheckMessage.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"

using namespace Qt::StringLiterals;

namespace {

void splitChosenPath(const QString& path, QString& folder, QString& fileName) {
    folder = FolderOfPath(path);
    fileName = ApplyScheduleExtension(FileNameOfPath(path));
}

// The texts in use, as one table for the save checks.
TextTable currentTextTable() {
    std::array<QString, TextSlotCount> texts;
    for (int slot = 0; slot < TextSlotCount; ++slot)
        texts[std::size_t(slot)] = Text(TextSlot(slot));
    return TextTable(texts);
}

} // namespace

QString FirstFreeScheduleName(const QString& folder) {
    const QString base = QString::fromUtf16(DefaultScheduleBaseName);
    QString name = base + u".mvs"_s;
    for (int n = 1; FileExists(folder, name); ++n)
        name = base + QString::number(n) + u".mvs"_s;
    return name;
}

DocumentCommands::DocumentCommands(AppContext& context, EditableDocument& document,
                                   UserDialogs& dialogs, RandomSource& random, QObject* parent)
    : QObject(parent)
    , m_context(context)
    , m_document(document)
    , m_dialogs(dialogs)
    , m_random(random) {}

bool DocumentCommands::mayDiscardDocument() {
    if (!m_document.isModified())
        return true;
    switch (m_dialogs.askSaveChanges(
        Text(TextSlot::SaveChangesQuestion).arg(m_context.scheduleFileName))) {
    case SaveChangesAnswer::Save:
        return saveSchedule(false);
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void DocumentCommands::newSchedule() {
    m_context.scheduleFolder = m_context.appFolder;
    m_context.scheduleFileName = FirstFreeScheduleName(m_context.appFolder);
    m_document.reset(ScheduleDocument());
    m_knownVersion.reset();
    Q_EMIT currentFileChanged();
}

bool DocumentCommands::openSchedule() {
    QString folder = m_context.openFolder;
    QString fileName;
    if (!showOpenDialog(folder, fileName))
        return false;
    if (!readIntoDocument(folder, fileName))
        return false;
    m_context.openFolder = folder;
    m_context.scheduleFolder = folder;
    m_context.scheduleFileName = fileName;
    Q_EMIT currentFileChanged();
    return true;
}

void DocumentCommands::openDefaultSchedule() {
    RemoveStaleSavingFiles(m_context.scheduleFolder, m_context.scheduleFileName);
    if (FileExists(m_context.scheduleFolder, m_context.scheduleFileName) &&
        readIntoDocument(m_context.scheduleFolder, m_context.scheduleFileName)) {
        m_context.openFolder = m_context.scheduleFolder;
        Q_EMIT currentFileChanged();
        return;
    }
    newSchedule();
}

bool DocumentCommands::showOpenDialog(QString& folder, QString& fileName) {
    const QString filter = QString::fromUtf16(OpenDialogFilter);
    for (;;) {
        const std::optional<QString> chosen = m_dialogs.chooseOpenFile(folder, fileName, filter);
        if (!chosen)
            return false;
        splitChosenPath(*chosen, folder, fileName);
        if (FileExists(folder, fileName))
            return true;
        m_dialogs.showMessage(Text(TextSlot::FileNotFound));
    }
}

bool DocumentCommands::showSaveDialog(QString& folder, QString& fileName) {
    const QString filter = QString::fromUtf16(SaveDialogFilter);
    for (;;) {
        const std::optional<QString> chosen = m_dialogs.chooseSaveFile(folder, fileName, filter);
        if (!chosen)
            return false;
        splitChosenPath(*chosen, folder, fileName);
        if (!FileExists(folder, fileName) || m_dialogs.askYesNo(Text(TextSlot::FileAlreadyExisted)))
            return true;
    }
}

bool DocumentCommands::saveSchedule(bool saveAs) {
    const SaveCheckFinding check = CheckBeforeSave(m_document.document());
    if (!check.passed()) {
        m_dialogs.showMessage(SaveCheckMessage(check, currentTextTable()));
        return false;
    }
    if (!saveAs && FileExists(m_context.scheduleFolder, m_context.scheduleFileName)) {
        if (!mayOverwriteCurrentFile() ||
            !writeDocument(m_context.scheduleFolder, m_context.scheduleFileName))
            return false;
        Q_EMIT currentFileChanged();
        return true;
    }
    QString folder = m_context.saveFolder;
    QString fileName = m_context.scheduleFileName;
    if (!showSaveDialog(folder, fileName) || !writeDocument(folder, fileName))
        return false;
    m_context.scheduleFolder = folder;
    m_context.scheduleFileName = fileName;
    m_context.saveFolder = folder;
    Q_EMIT currentFileChanged();
    return true;
}

bool DocumentCommands::mayOverwriteCurrentFile() {
    const QString path = m_context.schedulePath();
    const std::optional<FileIdentity> onDisk = IdentityOfPath(path);
    if (!m_knownVersion || !onDisk || *onDisk == *m_knownVersion)
        return true;
    return m_dialogs.askYesNo(Text(TextSlot::FileChangedOnDisk).arg(path));
}

bool DocumentCommands::readIntoDocument(const QString& folder, const QString& fileName) {
    // Taken before reading: a change while the file is read then counts as a
    // change since it was opened, and Save asks rather than overwrite it.
    const std::optional<FileIdentity> version = IdentityOfPath(folder + fileName);
    DecodeResult read = ReadScheduleFileAt(folder + fileName);
    if (!read.ok) {
        m_dialogs.showMessage(Text(TextSlot::ScheduleReadError).arg(folder + fileName, read.error));
        return false;
    }
    m_document.reset(std::move(read.document));
    m_knownVersion = version;
    return true;
}

bool DocumentCommands::writeDocument(const QString& folder, const QString& fileName) {
    const Result<void> written =
        WriteScheduleFile(folder, fileName, m_document.document(), m_random);
    if (!written) {
        m_dialogs.showMessage(
            Text(TextSlot::ScheduleWriteError).arg(folder + fileName, written.error()));
        return false;
    }
    m_document.markSaved();
    m_knownVersion = IdentityOfPath(folder + fileName);
    return true;
}
