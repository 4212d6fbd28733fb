#include "TestSupport.h"
#include "schedule/PathHelpers.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestPathHelpers final : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString folder() const { return m_dir.path(); }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        for (const QString& name : {u"a.mvs"_s, u"b.mvs"_s, u"x*y.mvs"_s, u"a;b.mvs"_s,
                                    u"sub/inner.mvs"_s, u"UPPER.MVS"_s}) {
            QVERIFY(QDir(folder()).mkpath(QFileInfo(m_dir.filePath(name)).path()));
            QVERIFY(WriteFileContent(m_dir.filePath(name), "x"));
        }
        QVERIFY(QDir(folder()).mkdir(u"d.mvs"_s));
    }

    void splitPath_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("fileName");

        const QChar backslash(u'\\');
        const QChar slash(u'/');
        QTest::newRow("drive path")
            << u"C:\\DIR\\FILE.MVS"_s << backslash << u"C:\\DIR\\"_s << u"FILE.MVS"_s;
        QTest::newRow("drive root") << u"E:\\FILE.MVS"_s << backslash << u"E:\\"_s << u"FILE.MVS"_s;
        QTest::newRow("unix path")
            << u"/home/user/spring.mvs"_s << slash << u"/home/user/"_s << u"spring.mvs"_s;
        QTest::newRow("unix root") << u"/spring.mvs"_s << slash << u"/"_s << u"spring.mvs"_s;
        QTest::newRow("no separator") << u"FILE.MVS"_s << backslash << QString() << u"FILE.MVS"_s;
        QTest::newRow("trailing separator")
            << u"C:\\DIR\\"_s << backslash << u"C:\\DIR\\"_s << QString();
        QTest::newRow("empty") << QString() << backslash << QString() << QString();
        QTest::newRow("slash is no backslash")
            << u"C:/DIR/FILE.MVS"_s << backslash << QString() << u"C:/DIR/FILE.MVS"_s;
        QTest::newRow("backslash is no slash")
            << u"dir/a\\b.mvs"_s << slash << u"dir/"_s << u"a\\b.mvs"_s;
        QTest::newRow("colon does not split")
            << u"C:FILE.MVS"_s << backslash << QString() << u"C:FILE.MVS"_s;
        QTest::newRow("double separator") << u"a//b"_s << slash << u"a//"_s << u"b"_s;
    }

    void splitPath() {
        QFETCH(QString, path);
        QFETCH(QChar, separator);
        QFETCH(QString, folder);
        QFETCH(QString, fileName);
        QCOMPARE(FolderOfPath(path, separator), folder);
        QCOMPARE(FileNameOfPath(path, separator), fileName);
        QCOMPARE(FolderOfPath(path, separator) + FileNameOfPath(path, separator), path);
    }

    void withTrailingSeparator_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<QString>("result");
        QTest::newRow("added") << u"/home/user"_s << QChar(u'/') << u"/home/user/"_s;
        QTest::newRow("kept") << u"/home/user/"_s << QChar(u'/') << u"/home/user/"_s;
        QTest::newRow("backslash added") << u"C:\\DIR"_s << QChar(u'\\') << u"C:\\DIR\\"_s;
        QTest::newRow("drive") << u"E:"_s << QChar(u'\\') << u"E:\\"_s;
        QTest::newRow("empty stays empty") << QString() << QChar(u'/') << QString();
    }

    void withTrailingSeparator() {
        QFETCH(QString, folder);
        QFETCH(QChar, separator);
        QFETCH(QString, result);
        QCOMPARE(WithTrailingSeparator(folder, separator), result);
    }

    void fileExists_data() {
        QTest::addColumn<QString>("subFolder"); // appended to the test folder
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("exists");

        QTest::newRow("file") << QString() << u"a.mvs"_s << true;
        QTest::newRow("folder with separator") << u"/"_s << u"a.mvs"_s << true;
        QTest::newRow("other file") << QString() << u"b.mvs"_s << true;
        QTest::newRow("missing file") << QString() << u"c.mvs"_s << false;
        QTest::newRow("exact case") << u"/"_s << u"UPPER.MVS"_s << true;
        QTest::newRow("star is no wildcard") << QString() << u"*.mvs"_s << false;
        QTest::newRow("question mark is no wildcard") << QString() << u"?.mvs"_s << false;
        QTest::newRow("semicolon is no list") << QString() << u"c.mvs;a.mvs"_s << false;
        QTest::newRow("star taken literally") << QString() << u"x*y.mvs"_s << true;
        QTest::newRow("semicolon taken literally") << QString() << u"a;b.mvs"_s << true;
        QTest::newRow("a folder is no file") << QString() << u"d.mvs"_s << false;
        QTest::newRow("name with a slash") << QString() << u"sub/inner.mvs"_s << false;
        QTest::newRow("dot") << QString() << u"."_s << false;
        QTest::newRow("dot dot") << u"/sub"_s << u".."_s << false;
        QTest::newRow("empty name") << QString() << QString() << false;
        QTest::newRow("missing folder") << u"/missing"_s << u"a.mvs"_s << false;
        QTest::newRow("missing folder with separator") << u"/missing/"_s << u"a.mvs"_s << false;
        QTest::newRow("folder through a file") << u"/a.mvs/"_s << u"a.mvs"_s << false;
        QTest::newRow("file in sub folder") << u"/sub/"_s << u"inner.mvs"_s << true;
    }

    void fileExists() {
        QFETCH(QString, subFolder);
        QFETCH(QString, fileName);
        QFETCH(bool, exists);
        QCOMPARE(FileExists(folder() + subFolder, fileName), exists);
    }

    void emptyFolderHoldsNothing() {
        // Not even a file of that name in the working folder.
        const QString previous = QDir::currentPath();
        QVERIFY(QDir::setCurrent(folder()));
        const bool found = FileExists(QString(), u"a.mvs"_s);
        QVERIFY(QDir::setCurrent(previous));
        QVERIFY(!found);
    }
};

QTEST_GUILESS_MAIN(TestPathHelpers)
#include "tst_pathhelpers.moc"
