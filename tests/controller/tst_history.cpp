// The document's history without a window: every change on every list undone
// and redone, the row each shows, and the saved state that the "*" mark
// follows. Then the limits as a file opens.

#include "CurrentTexts.h"
#include "EditableDocument.h"
#include "LimitNotice.h"
#include "ScheduleCapacity.h"
#include "TestEntries.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

using Change = std::function<bool(EditableDocument&)>;

// Two basic entries; two periods of two and one details.
ScheduleDocument start() {
    return documentWith(2, {2, 1});
}

// The start with one list rebuilt.
ScheduleDocument with(const std::function<void(QList<MediaEntry>&, QList<AdvanceEntry>&)>& edit) {
    ScheduleDocument document = start();
    QList<MediaEntry> basic = document.basicEntries();
    QList<AdvanceEntry> advance = document.advanceEntries();
    edit(basic, advance);
    return ScheduleDocument(basic, advance);
}

} // namespace

class TestHistory final : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void undoAndRedo_data() {
        QTest::addColumn<Change>("change");
        QTest::addColumn<ScheduleDocument>("after");
        QTest::addColumn<QString>("shown"); // "list row" after the change, then after its undo
        const MediaEntry clip = media("CLIP", "MPG");
        const AdvancePeriod may{26, 5, 1, 8, 0, 0, 26, 5, 31, 20, 0, 0, 3};
        const ListAddress details1 = ListAddress::details(0);
        QTest::newRow("basic insert")
            << Change([=](EditableDocument& d) { return d.insert(ListAddress::basic(), 1, clip); })
            << with([&](auto& b, auto&) { b.insert(1, clip); }) << u"b1 b0"_s;
        QTest::newRow("detail append")
            << Change([=](EditableDocument& d) { return d.append(details1, clip); })
            << with([&](auto&, auto& a) { a[0].details.append(clip); }) << u"d2 d1"_s;
        QTest::newRow("basic replace")
            << Change([=](EditableDocument& d) { return d.replace(ListAddress::basic(), 0, clip); })
            << with([&](auto& b, auto&) { b[0] = clip; }) << u"b0 b0"_s;
        QTest::newRow("detail remove")
            << Change([=](EditableDocument& d) { return d.remove(details1, 1); })
            << with([&](auto&, auto& a) { a[0].details.removeAt(1); }) << u"d0 d1"_s;
        QTest::newRow("detail swap")
            << Change([=](EditableDocument& d) { return d.swap(details1, 0, 1); })
            << with([&](auto&, auto& a) { a[0].details.swapItemsAt(0, 1); }) << u"d1 d0"_s;
        // A period leaves with its details and comes back with them, at its place.
        QTest::newRow("period remove")
            << Change([=](EditableDocument& d) { return d.remove(ListAddress::advance(), 0); })
            << with([&](auto&, auto& a) { a.removeAt(0); }) << u"a0 a0"_s;
        QTest::newRow("period insert") << Change([=](EditableDocument& d) {
            return d.insertAdvance(1, AdvanceEntry{may, {clip}});
        }) << with([&](auto&, auto& a) {
            a.insert(1, AdvanceEntry{may, {clip}});
        }) << u"a1 a0"_s;
        QTest::newRow("period changed")
            << Change([=](EditableDocument& d) { return d.setAdvancePeriod(1, may); })
            << with([&](auto&, auto& a) { a[1].setPeriod(may); }) << u"a1 a1"_s;
        QTest::newRow("period swap")
            << Change([=](EditableDocument& d) { return d.swap(ListAddress::advance(), 1, 0); })
            << with([&](auto&, auto& a) { a.swapItemsAt(0, 1); }) << u"a0 a1"_s;
    }

    void undoAndRedo() {
        QFETCH(Change, change);
        QFETCH(ScheduleDocument, after);
        QFETCH(QString, shown);
        EditableDocument document;
        document.reset(start());
        QStringList rows;
        connect(&document, &EditableDocument::changeShown, this, [&](ListAddress list, int row) {
            rows.append(QChar(u"bad"[int(list.list)]) + QString::number(row));
        });
        QSignalSpy modified(&document, &EditableDocument::modifiedChanged);
        QVERIFY(change(document));
        QCOMPARE(document.document(), after);
        QVERIFY(document.isModified());
        document.history().undo();
        QCOMPARE(document.document(), start());
        QVERIFY(!document.isModified());
        QCOMPARE(rows.join(u' '), shown);
        document.history().redo();
        QCOMPARE(document.document(), after);
        QCOMPARE(rows.last(), shown.section(u' ', 0, 0));
        QCOMPARE(modified.size(), 3);
    }

    // Rows that are not there and values that are already there make no step.
    void nothingChangedIsNoStep() {
        EditableDocument document;
        document.reset(start());
        QVERIFY(!document.remove(ListAddress::details(5), 0));
        QVERIFY(!document.insert(ListAddress::basic(), 3, media("X")));
        QVERIFY(!document.swap(ListAddress::advance(), 0, 2));
        QVERIFY(document.replace(ListAddress::basic(), 0, start().basicEntries()[0]));
        QCOMPARE(document.history().count(), 0);
        QVERIFY(!document.isModified());
    }

    // Undoing back to the saved state clears the mark; a new change after an
    // undo past it can never get back there. New and Open start afresh.
    void theMarkFollowsTheSavedState() {
        EditableDocument document;
        document.reset(start());
        document.remove(ListAddress::basic(), 0);
        document.markSaved();
        QVERIFY(!document.isModified());
        document.history().undo();
        QVERIFY(document.isModified());
        document.history().redo();
        QVERIFY(!document.isModified());
        document.history().undo();
        document.remove(ListAddress::advance(), 1);
        QVERIFY(document.isModified());
        QVERIFY(!document.history().canRedo());
        document.reset(ScheduleDocument());
        QVERIFY(!document.isModified());
        QVERIFY(!document.history().canUndo());
    }

    // A file beyond the limits says so once, every limit with its numbers.
    void limitsBeyondWhenOpened() {
        const QList<MediaEntry> basic(251, media("SONG"));
        const ScheduleDocument document(basic,
                                        {AdvanceEntry{{}, QList<MediaEntry>(101, media("A"))},
                                         AdvanceEntry{{}, QList<MediaEntry>(100, media("B"))}});
        LoadEnglishTexts();
        QCOMPARE(LimitNotice(u"/s/BIG.mvs"_s, LimitExcesses(document)),
                 u"The schedule /s/BIG.mvs is over the limits of this editor:\n"
                 "Basic Schedule: 251, at most 250\n"
                 "Details of period 1: 101, at most 100\n"
                 "It cannot be saved until it fits within them again."_s);
        // 10 periods of 100 details: the estimate is 30200.
        const ScheduleDocument large(
            {}, QList<AdvanceEntry>(10, AdvanceEntry{{}, QList<MediaEntry>(100, media("C"))}));
        const QList<LimitExcess> tooLarge{{LimitExcess::SizeEstimate, -1, 30200, 30000}};
        QCOMPARE(LimitExcesses(large), tooLarge);
        QVERIFY(LimitExcesses(documentWith(250, {100, 99})).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
