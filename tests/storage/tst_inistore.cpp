// The storage layer: exact file contents, round trips, and the defaults that
// missing or damaged files give.

#include "TestSupport.h"
#include "core/storage/IniStore.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

static IniGroupMap one(const QString &outer, std::initializer_list<std::pair<QString, QString>> kv)
{
    IniGroupMap m;
    for (const auto &p : kv)
        m[outer][p.first] = p.second;
    return m;
}

static QString numbers(int count, int value)
{
    return (QString::number(value) + ',').repeated(count).chopped(1);
}

class IniStoreTest : public QObject
{
    Q_OBJECT
private slots:
    void languageMissingReadsEmptyAndRoundTrips()
    {
        TempWorkDir wd;
        QCOMPARE(IniStore::readLanguage(), QString());
        IniStore::writeLanguage(2);
        QCOMPARE(IniStore::readLanguage(), QStringLiteral("2"));
        QCOMPARE(readText("system/language.ini"), QStringLiteral("[Setting]\nlanguage=2\n"));
    }

    void patternFileDefaultsAreQuotedLists()
    {
        TempWorkDir wd;
        IniStore::createPatternFile(1, "Game");
        QCOMPARE(readText("lightfile/Game/light/pattern1.ini"),
                 QStringLiteral("[Setting]\n"
                                "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                "GColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\n"
                                "VColor=\"255,0,0\"\n"
                                "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n"));
        // Index 0 is pattern file 1.
        IniStore::writeIniFile(0, one("pattern", {{"VColor", "1,2,3"}, {"RColor", "9"}}), "Game");
        // A key the map lacks is written empty.
        QCOMPARE(IniStore::readLightFile(0, "Game"), (QStringList{"9", "", "", "1,2,3", ""}));
    }

    void lightCmdHoldsTypeAndItsReportCount_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("count");
        QTest::newRow("wave") << 3 << 5;
        QTest::newRow("ripple") << 4 << 7;
    }
    void lightCmdHoldsTypeAndItsReportCount()
    {
        QFETCH(int, type);
        QFETCH(int, count);
        TempWorkDir wd;
        // A stale key from an earlier, longer set must not survive: the file is cleared.
        QVERIFY(writeText("lightfile/P/cmd/light_cmd.ini", "[Setting]\n6=old\nstale=1\n"));
        IniGroupMap map;
        map["profile_light_cmd"]["type"] = QString::number(type);
        for (int i = 0; i < 8; ++i)
            map["profile_light_cmd"][QString::number(i)] = numbers(264, i);
        IniStore::writeLightCmd(map, "P");
        QString text = "[Setting]\n";
        QStringList back{QString::number(type)};
        for (int i = 0; i < count; ++i) {
            text += QStringLiteral("%1=\"%2\"\n").arg(i).arg(numbers(264, i));
            back << numbers(264, i);
        }
        QCOMPARE(readText("lightfile/P/cmd/light_cmd.ini"), text + "type=" + back[0] + "\n");
        QCOMPARE(IniStore::readLightCmd("P"), back);
    }

    void lightCmdOutsideTheTypesIsNeitherWrittenNorReadPast()
    {
        TempWorkDir wd;
        IniStore::writeLightCmd(one("profile_light_cmd", {{"type", "9"}, {"0", "1"}}), "P");
        QVERIFY(!QFileInfo::exists("lightfile/P/cmd/light_cmd.ini"));
        QVERIFY(writeText("lightfile/P/cmd/light_cmd.ini", "[Setting]\ntype=7\n0=\"1,2\"\n"));
        QCOMPARE(IniStore::readLightCmd("P"), QStringList{"7"});
        QCOMPARE(IniStore::readLightCmd("Missing"), (QStringList{"", "", "", "", "", ""}));
    }

    void removingAMacroEntryRenumbersTheRest()
    {
        TempWorkDir wd;
        IniStore::createMacroCmdFile("P");
        for (int i = 1; i <= 4; ++i)
            IniStore::writeMacroCmdFile(one("singal", {{"cmd", numbers(264, i)}}), "P", 10 * i, i,
                                        i);
        IniStore::removeMacroCmdEntry("P", 2, 3);
        QCOMPARE(IniStore::readMacroCmdCount("P"), 3);
        QCOMPARE(IniStore::readMacroCmdNumber("P"), QStringLiteral("10,30,40"));
        QCOMPARE(IniStore::readMacroCmdFile("P"),
                 (QStringList{numbers(264, 1), numbers(264, 3), numbers(264, 4)}));
        QSettings s("lightfile/P/cmd/macro.ini", QSettings::IniFormat);
        QVERIFY(!s.childGroups().contains("4"));
    }

    void macroCmdResetAndDamagedCounts()
    {
        TempWorkDir wd;
        IniStore::writeMacroCmdFile(one("singal", {{"cmd", "1,2"}}), "P", 5, 1, 1);
        IniStore::createMacroCmdFile("P");
        QCOMPARE(readText("lightfile/P/cmd/macro.ini"),
                 QStringLiteral("[Setting]\ncount=0\nmacro_number=0\n"));
        QCOMPARE(IniStore::readMacroCmdFile("P"), QStringList{});
        // A count beyond the entries gives empty texts, a huge one is bounded.
        QVERIFY(writeText("lightfile/P/cmd/macro.ini",
                          "[Setting]\ncount=2\n[1]\nnumber=4\ncmd=\"1,2\"\n"));
        QCOMPARE(IniStore::readMacroCmdFile("P"), (QStringList{"1,2", ""}));
        QCOMPARE(IniStore::readMacroCmdNumber("P"), QStringLiteral("4,"));
        QVERIFY(writeText("lightfile/Q/cmd/macro.ini", "[Setting]\ncount=99999999\n"));
        QCOMPARE(IniStore::readMacroCmdFile("Q").size(), 108);
        QCOMPARE(IniStore::readMacroCmdCount("Q"), 108);
        QVERIFY(writeText("lightfile/R/cmd/macro.ini", "[Setting]\ncount=-4\n"));
        QCOMPARE(IniStore::readMacroCmdCount("R"), 0);
    }

    void systemFilesRoundTrip()
    {
        TempWorkDir wd;
        IniGroupMap flags;
        for (const QString &g : IniStore::effectGroups())
            for (const QString &k : IniStore::effectKeys())
                flags[g][k] = QString::number(g.size() + k.size());
        IniStore::writeIniFile(flags);
        const QStringList back = IniStore::readLightFile();
        QCOMPARE(back.size(), 80);
        QCOMPARE(back[0], QString::number(QString("fully").size() + QString("full").size()));
        QCOMPARE(back[79],
                 QString::number(QString("ripple").size() + QString("spectrum_speed").size()));

        IniStore::writeFlagFile(
            one("iss",
                {{"iss_shift", "3,0,0,0,0"}, {"iss_ctrl", "0,0,0,0,0"}, {"iss_alt", "0,1,0,0,0"}}));
        QCOMPARE(IniStore::readFlagFile(), (QStringList{"3,0,0,0,0", "0,0,0,0,0", "0,1,0,0,0"}));
        QCOMPARE(readText("system/iss_flag.ini"),
                 QStringLiteral(
                     "[Setting]\nalt=\"0,1,0,0,0\"\nctrl=\"0,0,0,0,0\"\nshift=\"3,0,0,0,0\"\n"));

        const QStringList names{"PROFILE 1", "PROFILE 2", "Spiel Ä,ö", "PROFILE 4", "PROFILE 5"};
        IniGroupMap links;
        for (int i = 0; i < 5; ++i) // non-ASCII and a comma in the third
            links["profile_file"][QString::number(i + 1)] = names[i];
        IniStore::writeProfileConnect(links);
        QCOMPARE(IniStore::readProfileConnect(), names);
    }
};

QTEST_GUILESS_MAIN(IniStoreTest)
#include "tst_inistore.moc"
