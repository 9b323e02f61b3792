// Saved profiles: copy names, safe copies and the export text.

#include "TestSupport.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/IniStore.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ProfileStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void copyNames_data()
    {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("copy");
        QTest::newRow("copy of a copy") << QStringList{"Game", "Game_01"} << "Game_01"
                                        << "Game_02";
        QTest::newRow("first free suffix") << QStringList{"A_09"} << "A_09"
                                           << "A_01";
        QStringList all{"G"};
        for (int k = 1; k <= 14; ++k)
            all << "G" + copySuffix(k);
        QTest::newRow("all fourteen taken") << all << "G"
                                            << "";
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

    void copyProfileIsAllOrNothing()
    {
        TempWorkDir wd;
        QVERIFY(writeText("lightfile/A/light/pattern1.ini", "[Setting]\nVColor=\"1,2,3\"\n"));
        QVERIFY(copyProfile("A", "A_01"));
        QCOMPARE(readText("lightfile/A_01/light/pattern1.ini"),
                 readText("lightfile/A/light/pattern1.ini"));
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
            IniStore::createPatternFile(n, "P");
        const QString p2 = "RColor=\"1,2,3,4,5,6,7,8,9,10,11\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                           "BColor=\"9,0,0,0,0,0,0,0,0,0,9\"\nVColor=\"7,8,9\"\n"
                           "YValue=\"1,1,0,0,0,0,0,0,0,0,1\"\n";
        QVERIFY(writeText(IniStore::patternPath(2, "P"), ("[Setting]\n" + p2).toUtf8()));
        IniGroupMap s;
        s["singal"]["macro_singal"] = "44,0,0";
        s["singal"]["macro_singal_oldkey"] = "0,2";
        s["singal"]["macro_singal_newkey"] = ",F5";
        IniStore::writeFlagFile(s, "P");
        QCOMPARE(IniStore::readFlagFile("P"), (QStringList{"44,0,0", "0,2", ",F5"}));

        const QString text = exportText("P");
        const QString def = "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                            "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\nVColor=\"255,0,0\"\n"
                            "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n";
        QCOMPARE(text, "[Setting]\npattern=\"3\"\n[pattern1]\n" + def + "[pattern2]\n" + p2 +
                           "[pattern3]\n" + def +
                           "[signal]\nsignle=\"44,0,0\"\nmacro_singal_oldkey=\"0,2\"\nmacro_singal_"
                           "newkey=\",F5\"\n");
    }
};

QTEST_GUILESS_MAIN(ProfileStoreTest)
#include "tst_profilestore.moc"
