#pragma once

// Shared by the tests of the list commands and of the entry editors: media
// entries, scripted entry editors, and the main window started on a document.

#include "ScriptedDialogs.h"
#include "editing/EntryEditors.h"
#include "mainwindow/MainForm.h"
#include "schedule/RandomSource.h"
#include "schedule/RowFormat.h"
#include "schedule/ScheduleJson.h"
#include "schedule/ScheduleWriter.h"

#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

inline MediaEntry Media(QByteArrayView name, QByteArrayView extension, int playTimes = 1,
                        int volume = DefaultVolume) {
    MediaEntry entry{.playTimes = quint8(playTimes), .volume = quint8(volume)};
    SetFieldBytes(entry.name, name.toByteArray());
    SetFieldBytes(entry.extension, extension.toByteArray());
    return entry;
}

inline char* toString(const ScheduleDocument& document) {
    return qstrdup(ScheduleToJson(document).constData());
}

// The entry editors replaced by a script: each call is recorded and takes the
// next answer (an entry for OK, nothing for Cancel), or Cancel when none is
// left; nothing ever opens.
struct ScriptedEntryEditors final : EntryEditors {
    QList<std::optional<MediaEntry>> mediaAnswers;
    QList<std::optional<AdvancePeriod>> advanceAnswers;
    QList<EditMode> modes;
    QStringList shown; // what each call was given, in its row format

    std::optional<MediaEntry> editMediaEntry(EditMode mode, const MediaEntry& entry) override {
        modes.append(mode);
        shown.append(MediaRowText(entry));
        return mediaAnswers.isEmpty() ? std::nullopt : mediaAnswers.takeFirst();
    }
    std::optional<AdvancePeriod> editAdvanceEntry(EditMode mode,
                                                  const AdvancePeriod& period) override {
        modes.append(mode);
        shown.append(AdvanceRowText(period));
        return advanceAnswers.isEmpty() ? std::nullopt : advanceAnswers.takeFirst();
    }
};

// The button names of the list commands; a list's name goes in front.
inline const QString ListNames[] = {u"Normal"_s, u"Advance"_s, u"Detail"_s};
inline const QString ListCommands[] = {u"AddCmd"_s, u"ModifyCmd"_s, u"RemoveCmd"_s, u"MoveUpCmd"_s,
                                       u"MoveDownCmd"_s};

// The main window started as the program starts: the document is written as
// morva.mvs into a fresh program folder and Form_Load opens it.
struct EditingWindow final {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    ScriptedEntryEditors editors;
    std::unique_ptr<MainForm> window;

    explicit EditingWindow(const ScheduleDocument& document = {}) {
        SeededRandomSource random(20061228);
        const QString appFolder = folder.path() + u'/';
        if (!document.isEmpty()) // the tests compare what they find with what they wrote
            WriteScheduleFile(appFolder, u"morva.mvs"_s, document, random);
        window = std::make_unique<MainForm>(dialogs, appFolder);
        window->Form_Load();
        window->setEntryEditors(&editors);
    }

    const ScheduleDocument& document() const { return window->document().document(); }
    bool isModified() const { return window->document().isModified(); }
    QListView* list(ScheduleList l) const {
        return window->findChild<QListView*>(ListNames[int(l)] + u"List"_s);
    }
    QPushButton* button(ScheduleList l, const QString& command) const {
        return window->findChild<QPushButton*>(ListNames[int(l)] + command);
    }
    // Does nothing on a disabled button.
    void click(ScheduleList l, const QString& command) { button(l, command)->click(); }
    // As a click on the row would; -1 leaves no row selected.
    void select(ScheduleList l, int row) {
        list(l)->setCurrentIndex(list(l)->model()->index(row, 0));
    }
    int selected(ScheduleList l) const {
        return list(l)->selectionModel()->selectedRows().value(0).row();
    }
    QStringList rows(ScheduleList l) const {
        QStringList texts;
        for (int row = 0; row < list(l)->model()->rowCount(); ++row)
            texts.append(list(l)->model()->index(row, 0).data().toString());
        return texts;
    }
    // The enabled commands of a list as letters: Add Modify Remove Up Down.
    QString enabled(ScheduleList l) const {
        QString letters;
        for (int i = 0; i < 5; ++i)
            letters +=
                button(l, ListCommands[i])->isEnabled() ? QString(QChar(u"AMRUD"[i])) : QString();
        return letters;
    }
    // Empty when every row is the row format of its entry and DetailList shows
    // the details of the selected advance entry; otherwise the rows shown.
    QString listsMismatch() const {
        QStringList expected;
        for (const MediaEntry& entry : document().basicEntries())
            expected.append(MediaRowText(entry));
        for (const AdvanceEntry& entry : document().advanceEntries())
            expected.append(AdvanceRowText(entry));
        const int owner = selected(ScheduleList::Advance);
        for (const MediaEntry& entry :
             owner < 0 ? QList<MediaEntry>() : document().advanceEntries()[owner].details)
            expected.append(MediaRowText(entry));
        const QStringList shown =
            rows(ScheduleList::Basic) + rows(ScheduleList::Advance) + rows(ScheduleList::Detail);
        return shown == expected ? QString() : shown.join(u'\n');
    }
};
