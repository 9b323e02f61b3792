// Whole-directory copy and removal behind profile management.

#include "TestSupport.h"
#include "core/app/ConsoleOptions.h"
#include "core/storage/DirectoryOps.h"

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

    void copyNewFileCopiesExactlyAndNeverReplaces()
    {
        TempWorkDir wd;
        QByteArray bytes(200 * 1024, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7 % 251);
        QFile big("big.bin");
        QVERIFY(big.open(QIODevice::WriteOnly) && big.write(bytes) == bytes.size());
        big.close();
        QVERIFY(big.setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));

        QVERIFY(copyNewFile("big.bin", "copy.bin"));
        QFile copy("copy.bin");
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), bytes);
        // A read-only source gives a copy its owner can write.
        QCOMPARE(copy.permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                         QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);

        QVERIFY(writeText("taken.ini", "K"));
        QVERIFY(!copyNewFile("big.bin", "taken.ini"));
        QCOMPARE(readText("taken.ini"), QStringLiteral("K"));
        QVERIFY(!copyNewFile("missing.ini", "new.ini"));
        QVERIFY(!QFileInfo::exists("new.ini"));
    }

    void firstUseSeedsTheDataDirectoryWithoutOverwriting()
    {
        TempWorkDir wd;
        QVERIFY(writeText("tree/lightfile/PROFILE 1/light/pattern1.ini", "P1"));
        QVERIFY(writeText("tree/system/language.ini", "tree"));
        QVERIFY(writeText("data/system/language.ini", "mine"));
        const QString tree = QDir::current().absoluteFilePath("tree");
        const QString data = QDir::current().absoluteFilePath("data");

        QVERIFY(prepareDataDirectory(data, tree));
        QCOMPARE(QDir::currentPath(), data);
        QCOMPARE(readText("lightfile/PROFILE 1/light/pattern1.ini"), QStringLiteral("P1"));
        QCOMPARE(readText("system/language.ini"), QStringLiteral("mine"));
    }

    // Pictures and catalogs are read from the installed tree through a link, not
    // copied; a data directory's own copy wins, and a link an install that moved
    // left dangling follows the install.
    void readOnlyTreesAreLinkedUnlessTheDataDirectoryHasItsOwn()
    {
        TempWorkDir wd;
        QVERIFY(writeText("tree/lightfile/PROFILE 1/light/pattern1.ini", "P1"));
        QVERIFY(writeText("tree/Image/back.png", "installed"));
        QVERIFY(writeText("tree/Language/en.qm", "catalog"));
        QVERIFY(writeText("older/Image/back.png", "older copy"));
        const QDir top = QDir::current();
        const QString tree = top.absoluteFilePath("tree");

        QVERIFY(prepareDataDirectory(top.absoluteFilePath("fresh"), tree));
        QVERIFY(QFileInfo("Image").isSymLink() && QFileInfo("Language").isSymLink());
        QCOMPARE(readText("Image/back.png"), QStringLiteral("installed"));
        QCOMPARE(readText("Language/en.qm"), QStringLiteral("catalog"));
        QCOMPARE(readText("lightfile/PROFILE 1/light/pattern1.ini"), QStringLiteral("P1"));

        QVERIFY(prepareDataDirectory(top.absoluteFilePath("older"), tree));
        QVERIFY(!QFileInfo("Image").isSymLink());
        QCOMPARE(readText("Image/back.png"), QStringLiteral("older copy"));
        QCOMPARE(readText("Language/en.qm"), QStringLiteral("catalog"));

        QVERIFY(QDir().rename(tree, top.absoluteFilePath("moved")));
        QVERIFY(prepareDataDirectory(top.absoluteFilePath("fresh"), top.absoluteFilePath("moved")));
        QCOMPARE(readText("Image/back.png"), QStringLiteral("installed"));
    }
};

QTEST_GUILESS_MAIN(DirectoryOpsTest)
#include "tst_directoryops.moc"
