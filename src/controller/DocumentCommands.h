#pragma once

#include "AppContext.h"
#include "EditableDocument.h"
#include "RandomSource.h"
#include "RegularFile.h"
#include "UserDialogs.h"

#include <QObject>
#include <optional>

// New, Open, Save and Save As on the one document, with their dialogs, the
// checks before saving and the folders they remember. Nothing on disk or in
// the document changes unless the whole command succeeds. Save asks before
// overwriting a file that changed on disk since this editor read or wrote it
// (another editor's work, for example).
class DocumentCommands final : public QObject {
    Q_OBJECT

public:
    DocumentCommands(AppContext& context, EditableDocument& document, UserDialogs& dialogs,
                     RandomSource& random, QObject* parent = nullptr);

    void newSchedule();
    bool openSchedule();
    // Opens the schedule file at path (given on the command line, handed over
    // by a second start, or picked from the recent files) without a dialog.
    // False, after telling the user why, when it cannot be read.
    bool openScheduleFile(const QString& path);
    // True when the document was written.
    bool saveSchedule(bool saveAs);
    // Before an export, which copies the file on disk: true when that file
    // holds the document, after a save the user agreed to where it did not.
    bool saveBeforeExport();
    // At start: reopen the remembered schedule, or begin a new one.
    void openDefaultSchedule();

    // Before the document is given up (New, Open, Exit): asks about unsaved
    // changes and saves when asked to. False when the user cancelled or the
    // save did not happen.
    bool mayDiscardDocument();

    // folder and fileName in: where to start; out: the chosen existing file.
    bool showOpenDialog(QString& folder, QString& fileName);
    // folder and fileName in: where to start; out: the chosen name, whose
    // overwriting the user confirmed when it exists.
    bool showSaveDialog(QString& folder, QString& fileName);

Q_SIGNALS:
    // The current file's name or folder changed.
    void currentFileChanged();
    // A schedule file was read into the document or written from it.
    void scheduleFileUsed(const QString& path);

private:
    bool readIntoDocument(const FileLocation& location);
    bool writeDocument(const FileLocation& location);
    // False when the current file changed on disk and the user declined to
    // overwrite it.
    bool mayOverwriteCurrentFile();

    AppContext& m_context;
    EditableDocument& m_document;
    UserDialogs& m_dialogs;
    RandomSource& m_random;
    // The current file as this editor last read or wrote it; nothing for a
    // document that has no file yet.
    std::optional<FileIdentity> m_knownVersion;
};

// The first of morva.mvs, morva1.mvs, morva2.mvs, ... that does not exist in
// folder.
QString FirstFreeScheduleName(const QString& folder);

inline constexpr char16_t OpenDialogFilter[] = u"Morva Schedule Reference File(*.mvs)|*.mvs";
inline constexpr char16_t SaveDialogFilter[] = u"Schedule File(*.mvs)|*.mvs";
