#include "DocumentCommands.h"

#include "CurrentTexts.h"
#include "FileLocation.h"
#include "LimitNotice.h"
#include "SafeFileWrite.h"
#include "SaveCheckMessage.h"
#include "ScheduleReader.h"
#include "ScheduleWriter.h"

#include <QDir>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// A path chosen in a dialog as a schedule file: the extension added where
// the name has none.
void splitChosenPath(const QString& path, QString& folder, QString& fileName) {
    const FileLocation chosen = FileLocation::ofPath(path);
    folder = chosen.folder;
    fileName = ApplyScheduleExtension(chosen.fileName);
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
    m_context.setScheduleLocation(
        {m_context.appFolder, FirstFreeScheduleName(m_context.appFolder)});
    m_document.reset(ScheduleDocument());
    m_knownVersion.reset();
    Q_EMIT currentFileChanged();
}

bool DocumentCommands::openSchedule() {
    FileLocation chosen{m_context.openFolder, QString()};
    if (!showOpenDialog(chosen.folder, chosen.fileName) || !readIntoDocument(chosen))
        return false;
    m_context.openFolder = chosen.folder;
    m_context.setScheduleLocation(chosen);
    Q_EMIT currentFileChanged();
    return true;
}

bool DocumentCommands::openScheduleFile(const QString& path) {
    const FileLocation location =
        FileLocation::ofPath(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
    if (!readIntoDocument(location))
        return false;
    m_context.openFolder = location.folder;
    m_context.setScheduleLocation(location);
    Q_EMIT currentFileChanged();
    return true;
}

void DocumentCommands::openDefaultSchedule() {
    const FileLocation current = m_context.scheduleLocation();
    RemoveStaleSavingFiles(current.folder, current.fileName);
    if (FileExists(current) && readIntoDocument(current)) {
        m_context.openFolder = current.folder;
        Q_EMIT currentFileChanged();
        return;
    }
    newSchedule();
}

bool DocumentCommands::saveBeforeExport() {
    if (!m_document.isModified() && FileExists(m_context.scheduleLocation()))
        return true;
    return m_dialogs.askOkCancel(Text(TextSlot::ExportSaveFirst)) && saveSchedule(false);
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
    const FileLocation current = m_context.scheduleLocation();
    if (!saveAs && FileExists(current)) {
        if (!mayOverwriteCurrentFile() || !writeDocument(current))
            return false;
        Q_EMIT currentFileChanged();
        return true;
    }
    FileLocation chosen{m_context.saveFolder, current.fileName};
    if (!showSaveDialog(chosen.folder, chosen.fileName) || !writeDocument(chosen))
        return false;
    m_context.setScheduleLocation(chosen);
    m_context.saveFolder = chosen.folder;
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

bool DocumentCommands::readIntoDocument(const FileLocation& location) {
    // Taken before reading: a change while the file is read then counts as a
    // change since it was opened, and Save asks rather than overwrite it.
    const std::optional<FileIdentity> version = IdentityOfPath(location.path());
    DecodeResult read = ReadScheduleFileAt(location.path());
    if (!read) {
        m_dialogs.showMessage(Text(TextSlot::ScheduleReadError).arg(location.path(), read.error()));
        return false;
    }
    m_document.reset(std::move(read->document));
    m_knownVersion = version;
    Q_EMIT scheduleFileUsed(location.path());
    // Once, as it opens: editing stays possible, but Save will refuse.
    if (const QList<LimitExcess> excesses = LimitExcesses(m_document.document());
        !excesses.isEmpty())
        m_dialogs.showMessage(LimitNotice(location.path(), excesses));
    return true;
}

bool DocumentCommands::writeDocument(const FileLocation& location) {
    const Result<void> written =
        WriteScheduleFile(location.path(), m_document.document(), m_random);
    if (!written) {
        m_dialogs.showMessage(
            Text(TextSlot::ScheduleWriteError).arg(location.path(), written.error()));
        return false;
    }
    m_document.markSaved();
    m_knownVersion = IdentityOfPath(location.path());
    Q_EMIT scheduleFileUsed(location.path());
    return true;
}
