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
    void copyAndRemove()
    {
        TempWorkDir wd;
        QVERIFY(writeText("src/a.ini", "A"));
        QVERIFY(writeText("src/sub/deeper/.hidden", "H"));
        QVERIFY(copyDirectory("src", "dst"));
        QCOMPARE(readText("dst/a.ini"), QStringLiteral("A"));
        QCOMPARE(readText("dst/sub/deeper/.hidden"), QStringLiteral("H"));
        QVERIFY(removeDirectory("dst"));
        QVERIFY(!QFileInfo::exists("dst"));
        QVERIFY(removeDirectory("never-there"));
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
};

QTEST_GUILESS_MAIN(DirectoryOpsTest)
#include "tst_directoryops.moc"
