// Whole-directory copy and removal behind profile management.

#include "TestSupport.h"
#include "storage/DirectoryOps.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class DirectoryOpsTest : public QObject
{
    Q_OBJECT
private slots:
    void copyReproducesTheTreeWithHiddenEntries()
    {
        TempWorkDir wd;
        QVERIFY(writeText("src/a.ini", "A"));
        QVERIFY(writeText("src/sub/.hidden", "H"));
        QVERIFY(writeText("src/sub/deeper/b.ini", "B"));
        QVERIFY(copyDirectory("src", "dst"));
        QCOMPARE(readText("dst/a.ini"), QStringLiteral("A"));
        QCOMPARE(readText("dst/sub/.hidden"), QStringLiteral("H"));
        QCOMPARE(readText("dst/sub/deeper/b.ini"), QStringLiteral("B"));
        QCOMPARE(countEntries("dst"), 2);
    }

    void copyRefusesExistingTargetMissingSourceAndItself()
    {
        TempWorkDir wd;
        QVERIFY(writeText("src/a.ini", "A"));
        QVERIFY(writeText("taken/keep.ini", "K"));
        QVERIFY(!copyDirectory("src", "taken"));
        QCOMPARE(listEntries("taken"), QStringList{"keep.ini"});
        QVERIFY(!copyDirectory("missing", "x"));
        QVERIFY(!QFileInfo::exists("x"));
        QVERIFY(!copyDirectory("src", "src/inner"));
        QVERIFY(!copyDirectory("src", "./src/../src/inner/deeper"));
        QCOMPARE(listEntries("src"), QStringList{"a.ini"});
        // A sibling whose name merely starts with the source's is fine.
        QVERIFY(copyDirectory("src", "src2"));
    }

    void copyOfAFileFailsWhenTargetExists()
    {
        TempWorkDir wd;
        QVERIFY(writeText("f.ini", "1"));
        QVERIFY(copyDirectory("f.ini", "g.ini"));
        QVERIFY(!copyDirectory("f.ini", "g.ini"));
        QCOMPARE(readText("g.ini"), QStringLiteral("1"));
    }

    void removeDeletesTreeAndTreatsMissingAsDone()
    {
        TempWorkDir wd;
        QVERIFY(writeText("p/a/b/c.ini", "x"));
        QVERIFY(writeText("p/.h", "x"));
        QVERIFY(removeDirectory("p"));
        QVERIFY(!QFileInfo::exists("p"));
        QVERIFY(removeDirectory("never-there"));
    }
};

QTEST_GUILESS_MAIN(DirectoryOpsTest)
#include "tst_directoryops.moc"
