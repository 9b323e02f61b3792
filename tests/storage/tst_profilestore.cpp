// Saved profiles: naming rules, safe copies, the export text and import names.

#include "TestSupport.h"
#include "storage/DirectoryOps.h"
#include "storage/ProfileStore.h"
#include "storage/readini.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ProfileStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void listIsSortedIgnoringCase()
    {
        TempWorkDir wd;
        for (const char *n : {"beta", "Alpha", "PROFILE 1", "gamma"})
            QVERIFY(QDir().mkpath(QStringLiteral("lightfile/") + n));
        QCOMPARE(profileList(), (QStringList{"Alpha", "beta", "gamma", "PROFILE 1"}));
    }

    void copyNames_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("copy");
        QTest::newRow("first copy") << QStringList{"Game"} << "Game" << "Game_01";
        QTest::newRow("copy of a copy") << QStringList{"Game", "Game_01"} << "Game_01" << "Game_02";
        QTest::newRow("first free suffix") << QStringList{"Game_03"} << "Game_03" << "Game_01";
        QTest::newRow("built-in") << QStringList{"PROFILE 2"} << "PROFILE 2" << "PROFILE 2_01";
        QTest::newRow("two-digit suffix") << QStringList{"A_09"} << "A_09" << "A_01";
    }
    void copyNames()
    {
        QFETCH(QStringList, existing);
        QFETCH(QString, entry);
        QFETCH(QString, copy);
        TempWorkDir wd;
        for (const QString &n : existing)
            QVERIFY(QDir().mkpath("lightfile/" + n));
        QCOMPARE(copyNameFor(entry), copy);
    }

    void allFourteenCopiesTaken()
    {
        TempWorkDir wd;
        QVERIFY(QDir().mkpath("lightfile/G"));
        for (int k = 1; k <= 14; ++k)
            QVERIFY(QDir().mkpath("lightfile/G" + copySuffix(k)));
        QCOMPARE(copySuffix(14), QStringLiteral("_14"));
        QCOMPARE(copyNameFor("G"), QString());
    }

    void newProfileTakesFirstFreeNumber()
    {
        TempWorkDir wd;
        for (int n = 1; n <= 7; ++n)
            QVERIFY(QDir().mkpath(QStringLiteral("lightfile/PROFILE %1").arg(n)));
        QCOMPARE(newProfileName(), QStringLiteral("PROFILE 8"));
    }

    void namesAreChecked_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("usable");
        QTest::newRow("plain") << "My Game" << true;
        QTest::newRow("non-ASCII") << "Spiel ä" << true;
        for (const char *c : {"*", "|", "\\", ":", "\"", "<", ">", "?", "/"})
            QTest::addRow("forbidden %s", c) << QStringLiteral("a%1b").arg(QLatin1String(c)) << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
    }
    void namesAreChecked()
    {
        QFETCH(QString, name);
        QFETCH(bool, usable);
        QCOMPARE(isUsableProfileName(name), usable);
    }

    void importNameComesFromTheFileName()
    {
        QCOMPARE(importNameFromPath("/x/My.Profile.ini"), QStringLiteral("My"));
        QCOMPARE(importNameFromPath("/x/plain"), QStringLiteral("plain"));
        QCOMPARE(importNameFromPath("/x/.ini"), QString());
        QCOMPARE(importNameFromPath("/x/a?b.ini"), QString());
        QCOMPARE(importNameFromPath("/x/..ini"), QString());
    }

    void copyProfileIsAllOrNothing()
    {
        TempWorkDir wd;
        QVERIFY(writeText("lightfile/A/light/pattern1.ini", "[Setting]\nVColor=\"1,2,3\"\n"));
        QVERIFY(writeText("lightfile/A/singal/signal.ini", "[Setting]\nsignle=\"4\"\n"));
        QVERIFY(copyProfile("A", "A_01"));
        QCOMPARE(readText("lightfile/A_01/light/pattern1.ini"), readText("lightfile/A/light/pattern1.ini"));
        QVERIFY(!QFileInfo::exists(".staging/A_01"));
        QVERIFY(!copyProfile("A", "A_01")); // exists
        QVERIFY(!copyProfile("missing", "B"));
        QVERIFY(!QFileInfo::exists("lightfile/B"));
        // An interrupted copy's leftovers are cleared and never listed.
        QVERIFY(writeText(".staging/C/half.ini", "x"));
        QCOMPARE(profileList(), (QStringList{"A", "A_01"}));
        removeStaleStaging();
        QVERIFY(!QFileInfo::exists(".staging"));
    }

    void exportTextOfThreePatterns()
    {
        TempWorkDir wd;
        for (int n = 1; n <= 3; ++n)
            readini::newini_lightfile(n, "P");
        IniGroupMap m;
        m["pattern"]["RColor"] = "1,2,3,4,5,6,7,8,9,10,11";
        m["pattern"]["GColor"] = "0,0,0,0,0,0,0,0,0,0,0";
        m["pattern"]["BColor"] = "9,0,0,0,0,0,0,0,0,0,9";
        m["pattern"]["VColor"] = "7,8,9";
        m["pattern"]["YValue"] = "1,1,0,0,0,0,0,0,0,0,1";
        readini::writeini_file(1, m, "P");
        IniGroupMap s;
        s["singal"]["macro_singal"] = "44,0,0";
        s["singal"]["macro_singal_oldkey"] = "0,2";
        s["singal"]["macro_singal_newkey"] = ",F5";
        readini::writeini_ini_file(s, "P");

        const QString text = exportText("P");
        const QStringList lines = text.split('\n');
        QCOMPARE(lines.size(), 25); // 24 lines, each ending in a line feed
        QVERIFY(lines.last().isEmpty());
        const QString def = "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                            "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\nVColor=\"255,0,0\"\n"
                            "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n";
        QCOMPARE(text,
                 "[Setting]\npattern=\"3\"\n[pattern1]\n" + def +
                     "[pattern2]\nRColor=\"1,2,3,4,5,6,7,8,9,10,11\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                     "BColor=\"9,0,0,0,0,0,0,0,0,0,9\"\nVColor=\"7,8,9\"\nYValue=\"1,1,0,0,0,0,0,0,0,0,1\"\n"
                     "[pattern3]\n" + def +
                     "[signal]\nsignle=\"44,0,0\"\nmacro_singal_oldkey=\"0,2\"\nmacro_singal_newkey=\",F5\"\n");

        // Importing the export reproduces the files exactly.
        QVERIFY(writeText("out/Copy.ini", text.toUtf8() + text.toUtf8()));
        readini::import_profile_file("out/Copy.ini", "Copy");
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(readText(readini::patternPath(n, "Copy")), readText(readini::patternPath(n, "P")));
        QCOMPARE(readText(readini::signalPath("Copy")), readText(readini::signalPath("P")));
    }
};

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "tst_profilestore.moc"
