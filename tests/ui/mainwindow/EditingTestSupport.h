#pragma once

// Shared by the tests of the list commands and of the entry editors: scripted
// entry editors and the main window started on a document.

#include "EntryEditors.h"
#include "ListInput.h"
#include "MainForm.h"
#include "RandomSource.h"
#include "RowFormat.h"
#include "ScheduleWriter.h"
#include "ScriptedDialogs.h"
#include "TestEntries.h"

#include <QAbstractItemModelTester>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

// What the entry editors answer with OK.
inline const MediaEntry NewMedia = media("NEWCLIP", "MPG", 7, 3);
inline const AdvancePeriod NewPeriod{6, 5, 1, 6, 0, 0, 6, 12, 31, 21, 15, 30, 0}; // year minus 2000

// A document whose list has rows entries. Each advance entry has its own
// details, which must move and go with it; the detail rows belong to advance
// entry 1, so a command working on the wrong owner shows.
inline ScheduleDocument withRows(ScheduleList list, int rows) {
    return documentWith(list == ScheduleList::Basic ? rows : 2,
                        list == ScheduleList::Advance
                            ? QList<int>(rows, 1)
                            : QList{1, list == ScheduleList::Detail ? rows : 1});
}

// The document with the list rebuilt: order[i] is the old row now at i, -1
// the editor's answer (an edited advance entry keeps its details).
inline ScheduleDocument expected(const ScheduleDocument& before, ScheduleList list,
                                 const QList<int>& order) {
    QList<MediaEntry> basic = before.basicEntries();
    QList<AdvanceEntry> advance = before.advanceEntries();
    if (list == ScheduleList::Advance) {
        advance.clear();
        for (qsizetype i = 0; i < order.size(); ++i) {
            const QList<MediaEntry> kept = before.advanceEntries().value(i).details;
            advance.append(order[i] >= 0 ? before.advanceEntries()[order[i]]
                                         : AdvanceEntry{NewPeriod, kept});
        }
    } else {
        QList<MediaEntry>& media = list == ScheduleList::Basic ? basic : advance[1].details;
        const QList<MediaEntry> old = std::exchange(media, {});
        for (int i : order)
            media.append(i >= 0 ? old[i] : NewMedia);
    }
    return ScheduleDocument(basic, advance);
}

// The entry editors replaced by a script: each call is recorded and takes the
// next answer (an entry for OK, nothing for Cancel), or Cancel when none is
// left; with okUnchanged, OK without touching a field. Nothing ever opens.
struct ScriptedEntryEditors final : EntryEditors {
    QList<std::optional<MediaEntry>> mediaAnswers;
    QList<std::optional<AdvancePeriod>> advanceAnswers;
    bool okUnchanged = false;
    QList<EditMode> modes;
    QStringList shown; // what each call was given, in its row format

    template <typename T>
    std::optional<T> answer(EditMode mode, const T& given, QString row,
                            QList<std::optional<T>>& answers) {
        modes.append(mode);
        shown.append(row);
        if (okUnchanged)
            return given;
        return answers.isEmpty() ? std::nullopt : answers.takeFirst();
    }
    std::optional<MediaEntry> editMediaEntry(EditMode mode, const MediaEntry& entry) override {
        return answer(mode, entry, MediaRowText(entry), mediaAnswers);
    }
    std::optional<AdvancePeriod> editAdvanceEntry(EditMode mode, const AdvancePeriod& p) override {
        return answer(mode, p, AdvanceRowText(p), advanceAnswers);
    }
};

// The button names of the list commands; a list's name goes in front.
inline const QString ListNames[] = {u"Normal"_s, u"Advance"_s, u"Detail"_s};
inline const QString ListCommands[] = {u"AddCmd"_s, u"ModifyCmd"_s, u"RemoveCmd"_s, u"MoveUpCmd"_s,
                                       u"MoveDownCmd"_s};

// The main window started as the program starts: the document is written as
// morva.mvs into a fresh program folder and Form_Load opens it. The window is
// shown and active, for the mouse and the keys; every list model is checked
// against the rules of Qt's item models all the while.
struct EditingWindow final {
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    ScriptedEntryEditors editors;
    std::unique_ptr<MainForm> window;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> modelTesters;

    explicit EditingWindow(const ScheduleDocument& document = {}) {
        SeededRandomSource random(20061228);
        const QString appFolder = folder.path() + u'/';
        if (!document.isEmpty()) // the tests compare what they find with what they wrote
            WriteScheduleFile(appFolder + u"morva.mvs"_s, document, random);
        window = std::make_unique<MainForm>(dialogs, appFolder);
        for (ScheduleList l : {ScheduleList::Basic, ScheduleList::Advance, ScheduleList::Detail})
            modelTesters.push_back(std::make_unique<QAbstractItemModelTester>(
                list(l)->model(), QAbstractItemModelTester::FailureReportingMode::QtTest));
        window->Form_Load();
        window->setEntryEditors(&editors);
        window->show();
        if (!QTest::qWaitForWindowActive(window.get()))
            qFatal("the main window did not become active");
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
    void click(ScheduleList l, const QString& command) {
        QTest::mouseClick(button(l, command), Qt::LeftButton);
    }
    // A click on the row, brought into view first.
    void select(ScheduleList l, int row) {
        list(l)->scrollTo(list(l)->model()->index(row, 0));
        ClickRow(list(l), row);
    }
    // The row shown selected, -1 when none; -2 when more than one is.
    int selected(ScheduleList l) const {
        const QModelIndexList rows = list(l)->selectionModel()->selectedRows();
        return rows.size() > 1 ? -2 : rows.value(0).row();
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
            if (button(l, ListCommands[i])->isEnabled())
                letters += QChar(u"AMRUD"[i]);
        return letters;
    }
    // Empty when every row is the row format of its entry and DetailList shows
    // the details of the selected advance entry; otherwise the rows shown.
    QString listsMismatch() const {
        QStringList expected;
        const int owner = selected(ScheduleList::Advance);
        for (const MediaEntry& entry : document().basicEntries())
            expected.append(MediaRowText(entry));
        for (const AdvanceEntry& entry : document().advanceEntries())
            expected.append(AdvanceRowText(entry));
        if (const auto* details = document().mediaEntries(ListAddress::details(owner)))
            for (const MediaEntry& entry : *details)
                expected.append(MediaRowText(entry));
        const QStringList shown =
            rows(ScheduleList::Basic) + rows(ScheduleList::Advance) + rows(ScheduleList::Detail);
        return shown == expected ? QString() : shown.join(u'\n');
    }
};
