// The storage layer: exact file contents, round trips, and the defaults that
// missing or damaged files give.

#include "TestSupport.h"
#include "storage/StoredList.h"
#include "storage/readini.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

IniGroupMap one(const QString &outer, std::initializer_list<std::pair<QString, QString>> kv)
{
    IniGroupMap m;
    for (const auto &p : kv)
        m[outer][p.first] = p.second;
    return m;
}

QString numbers(int count, int value)
{
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << QString::number(value);
    return l.join(',');
}

} // namespace

class ReadIniTest : public QObject
{
    Q_OBJECT
private slots:
    void languageMissingReadsEmptyAndRoundTrips()
    {
        TempWorkDir wd;
        QCOMPARE(readini::read_language(), QString());
        readini::write_language(2);
        QCOMPARE(readini::read_language(), QStringLiteral("2"));
        QCOMPARE(readText("system/language.ini"), QStringLiteral("[Setting]\nlanguage=2\n"));
    }

    void patternFileDefaultsAreQuotedLists()
    {
        TempWorkDir wd;
        readini::newini_lightfile(1, "Game");
        QCOMPARE(readText("lightfile/Game/light/pattern1.ini"),
                 // The settings library writes the keys of a group in name order.
                 QStringLiteral("[Setting]\n"
                                "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                "GColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\n"
                                "VColor=\"255,0,0\"\n"
                                "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n"));
        // Index 0 reads pattern file 1.
        QCOMPARE(readini::readini_light_pattern_file(0, "Game"),
                 (QStringList{"255,0,0,0,0,0,0,0,0,0,0", "0,0,0,0,0,0,0,0,0,0,0",
                              "0,0,0,0,0,0,0,0,0,0,0", "255,0,0", "1,0,0,0,0,0,0,0,0,0,1"}));
        readini::writeini_file(0, one("pattern", {{"VColor", "1,2,3"}, {"RColor", "9"}}), "Game");
        const QStringList back = readini::readini_light_pattern_file(0, "Game");
        QCOMPARE(back[0], QStringLiteral("9"));
        QCOMPARE(back[3], QStringLiteral("1,2,3"));
        QCOMPARE(back[4], QString()); // a key the map lacks is written empty
    }

    void lightCmdHoldsTypeAndItsReportCount_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("count");
        QTest::newRow("static") << 0 << 5;
        QTest::newRow("reactive") << 1 << 5;
        QTest::newRow("arrow") << 2 << 7;
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
        readini::write_profile_light_cmd(map, "P");
        QSettings s("lightfile/P/cmd/light_cmd.ini", QSettings::IniFormat);
        QStringList keys{"type"};
        for (int i = 0; i < count; ++i)
            keys << QString::number(i);
        QStringList actual = s.allKeys();
        for (QString &k : actual)
            k.remove("Setting/");
        std::sort(actual.begin(), actual.end());
        std::sort(keys.begin(), keys.end());
        QCOMPARE(actual, keys);
        const QStringList back = readini::readini_profile_light_cmd("P");
        QCOMPARE(back.size(), count + 1);
        QCOMPARE(back[0], QString::number(type));
        QCOMPARE(back.last(), numbers(264, count - 1));
    }

    void lightCmdOutsideTheTypesIsNeitherWrittenNorReadPast()
    {
        TempWorkDir wd;
        readini::write_profile_light_cmd(one("profile_light_cmd", {{"type", "9"}, {"0", "1"}}), "P");
        QVERIFY(!QFileInfo::exists("lightfile/P/cmd/light_cmd.ini"));
        QVERIFY(writeText("lightfile/P/cmd/light_cmd.ini", "[Setting]\ntype=7\n0=\"1,2\"\n"));
        QCOMPARE(readini::readini_profile_light_cmd("P"), QStringList{"7"});
        QCOMPARE(readini::readini_profile_light_cmd("Missing"), (QStringList{"", "", "", "", "", ""}));
    }

    void removingAMacroEntryRenumbersTheRest()
    {
        TempWorkDir wd;
        readini::def_macro_ini_cmd_file("P");
        for (int i = 1; i <= 4; ++i)
            readini::write_macro_ini_cmd_file(one("singal", {{"cmd", numbers(264, i)}}), "P", 10 * i,
                                              i, i);
        QCOMPARE(readini::read_macro_count_ini_cmd_file("P"), 4);
        readini::remove_macro_ini_cmd_file("P", 2, 3);
        QCOMPARE(readini::read_macro_count_ini_cmd_file("P"), 3);
        QCOMPARE(readini::read_macro_number_ini_cmd_file("P"), QStringLiteral("10,30,40"));
        QCOMPARE(readini::read_macro_ini_cmd_file("P"),
                 (QStringList{numbers(264, 1), numbers(264, 3), numbers(264, 4)}));
        QSettings s("lightfile/P/cmd/macro.ini", QSettings::IniFormat);
        QVERIFY(!s.childGroups().contains("4"));
    }

    void macroCmdResetClearsTheFile()
    {
        TempWorkDir wd;
        readini::write_macro_ini_cmd_file(one("singal", {{"cmd", "1,2"}}), "P", 5, 1, 1);
        readini::def_macro_ini_cmd_file("P");
        QCOMPARE(readText("lightfile/P/cmd/macro.ini"),
                 QStringLiteral("[Setting]\ncount=0\nmacro_number=0\n"));
        QCOMPARE(readini::read_macro_ini_cmd_file("P"), QStringList{});
        QCOMPARE(readini::read_macro_number_ini_cmd_file("P"), QString());
    }

    void macroCmdCountBeyondEntriesGivesEmptyTexts()
    {
        TempWorkDir wd;
        QVERIFY(writeText("lightfile/P/cmd/macro.ini", "[Setting]\ncount=2\n[1]\nnumber=4\ncmd=\"1,2\"\n"));
        QCOMPARE(readini::read_macro_ini_cmd_file("P"), (QStringList{"1,2", ""}));
        QCOMPARE(readini::read_macro_number_ini_cmd_file("P"), QStringLiteral("4,"));
        QVERIFY(writeText("lightfile/Q/cmd/macro.ini", "[Setting]\ncount=99999999\n"));
        QCOMPARE(readini::read_macro_ini_cmd_file("Q").size(), 108);
        QVERIFY(writeText("lightfile/R/cmd/macro.ini", "[Setting]\ncount=-4\n"));
        QCOMPARE(readini::read_macro_count_ini_cmd_file("R"), 0);
    }

    void systemFilesRoundTrip()
    {
        TempWorkDir wd;
        IniGroupMap flags;
        for (const QString &g : readini::effectGroups())
            for (const QString &k : readini::effectKeys())
                flags[g][k] = QString::number(g.size() + k.size());
        readini::writeini_file(flags);
        const QStringList back = readini::readini_light_pattern_file();
        QCOMPARE(back.size(), 80);
        QCOMPARE(back[0], QString::number(QString("fully").size() + QString("full").size()));
        QCOMPARE(back[79], QString::number(QString("ripple").size() + QString("spectrum_speed").size()));
        QSettings s("system/light_flag.ini", QSettings::IniFormat);
        QCOMPARE(s.childGroups().size(), 5);

        IniGroupMap colors;
        colors["fully"]["re_full_color_rgb_r"] = numbers(104, 255);
        colors["reactive"]["re_active_UsbBuf_B"] = numbers(264, 7);
        readini::writeini_light_system_color_file(colors);
        const QStringList c = readini::readini_light_system_color_file();
        QCOMPARE(c.size(), 12);
        QCOMPARE(c[0], numbers(104, 255));
        QCOMPARE(c[11], numbers(264, 7));
        QSettings cs("system/light_color.ini", QSettings::IniFormat);
        QCOMPARE(cs.childGroups(), (QStringList{"fully", "reactive"}));

        readini::writeini_ini_file(one("iss", {{"iss_shift", "3,0,0,0,0"}, {"iss_ctrl", "0,0,0,0,0"},
                                               {"iss_alt", "0,1,0,0,0"}}));
        QCOMPARE(readini::readini_ini_file(), (QStringList{"3,0,0,0,0", "0,0,0,0,0", "0,1,0,0,0"}));
        QCOMPARE(readText("system/iss_flag.ini"),
                 QStringLiteral("[Setting]\nalt=\"0,1,0,0,0\"\nctrl=\"0,0,0,0,0\"\nshift=\"3,0,0,0,0\"\n"));

        IniGroupMap links;
        for (int i = 1; i <= 5; ++i)
            links["profile_file"][QString::number(i)] = QStringLiteral("PROFILE %1").arg(i);
        links["profile_file"]["3"] = QStringLiteral("Spiel Ä,ö"); // non-ASCII and a comma
        readini::write_profile_connect(links);
        QCOMPARE(readini::readini_profile_connect(),
                 (QStringList{"PROFILE 1", "PROFILE 2", "Spiel Ä,ö", "PROFILE 4", "PROFILE 5"}));
    }

    void onlyTheClearingWritersClearTheirFile()
    {
        TempWorkDir wd;
        QVERIFY(writeText("lightfile/P/singal/signal.ini", "[Setting]\nextra=kept\n"));
        readini::writeini_ini_file(one("singal", {{"macro_singal", "1,2"},
                                                  {"macro_singal_oldkey", "0,1"},
                                                  {"macro_singal_newkey", "a,b"}}),
                                   "P");
        QCOMPARE(readini::readini_ini_file("P"), (QStringList{"1,2", "0,1", "a,b"}));
        QSettings s("lightfile/P/singal/signal.ini", QSettings::IniFormat);
        QCOMPARE(s.value("Setting/extra").toString(), QStringLiteral("kept"));

        readini::writeini_macro_system_file(one("macro_file", {{"type", "0,1"}, {"file", ",m"},
                                                               {"once", "1,0"}}),
                                            "P");
        QCOMPARE(readini::readini_macro_system_file("P"), (QStringList{"0,1", ",m", "1,0"}));
    }

    void emptyMacroFileHasItsExactText()
    {
        TempWorkDir wd;
        readini::newini_file(3);
        QCOMPARE(readText("macrofile/Macro 3.ini"),
                 QStringLiteral("[Setting]\nmacro_cmd_str=\"") + numbers(264, 0) +
                     QStringLiteral("\"\nmacro_key=0\nmacro_key_count=0\nmacro_key_delaytime=0\n"
                                    "macro_key_state=0\n"));
        QCOMPARE(readini::readini_macro_file("Macro 3"),
                 (QStringList{"0", "0", "0", "0", numbers(264, 0)}));
    }

    void macroWriteClearsAndImportCopiesKeyByKey()
    {
        TempWorkDir wd;
        QVERIFY(writeText("macrofile/M.ini", "[Setting]\nstale=1\n"));
        readini::writeini_file(QStringLiteral("M"),
                               one("macro", {{"macro_key", "a,a"}, {"macro_key_state", "down,up"},
                                             {"macro_key_delaytime", "100,0"},
                                             {"macro_cmd_str", numbers(264, 1)},
                                             {"macro_key_count", "2"}}));
        QVERIFY(!readText("macrofile/M.ini").contains("stale"));
        QCOMPARE(readini::readini_macro_file("M"),
                 (QStringList{"2", "a,a", "down,up", "100,0", numbers(264, 1)}));
        // A hand-written export: quoted values, read back as single texts.
        QVERIFY(writeText("in/My.Macro.ini",
                          "[Setting]\nmacro_key_count=\"1\"\nmacro_key=\"b\"\nmacro_key_state=\"down\"\n"
                          "macro_key_delaytime=\"0\"\nmacro_cmd_str=\"0,0,5\"\n"));
        readini::import_macro_file("in/My.Macro.ini", "My");
        QCOMPARE(readini::readini_macro_file("My"), (QStringList{"1", "b", "down", "0", "0,0,5"}));
    }

    void profileImportReadsExportBlocks()
    {
        TempWorkDir wd;
        QVERIFY(writeText("My.Profile.ini",
                          "[Setting]\npattern=\"2\"\n"
                          "[pattern1]\nRColor=\"1,2\"\nGColor=\"3\"\nBColor=\"4\"\nVColor=\"5,6,7\"\nYValue=\"1,1\"\n"
                          "[pattern2]\nRColor=\"9\"\nGColor=\"9\"\nBColor=\"9\"\nVColor=\"9,9,9\"\nYValue=\"0\"\n"
                          "[signal]\nsignle=\"44,0\"\nmacro_singal_oldkey=\"0,2\"\nmacro_singal_newkey=\",A\"\n"));
        readini::import_profile_file("My.Profile.ini", "My");
        QCOMPARE(readini::readini_light_pattern_file(0, "My"),
                 (QStringList{"1,2", "3", "4", "5,6,7", "1,1"}));
        QCOMPARE(readini::readini_light_pattern_file(1, "My")[3], QStringLiteral("9,9,9"));
        QVERIFY(!QFileInfo::exists("lightfile/My/light/pattern3.ini"));
        QCOMPARE(readini::readini_ini_file("My"), (QStringList{"44,0", "0,2", ",A"}));
    }

    void unquotedHandWrittenListIsNotLost()
    {
        TempWorkDir wd;
        QVERIFY(writeText("lightfile/P/light/pattern1.ini", "[Setting]\nVColor=1,2,3\n"));
        QCOMPARE(readini::readini_light_pattern_file(0, "P")[3], QStringLiteral("1,2,3"));
    }

    void writingCreatesMissingFolders()
    {
        TempWorkDir wd;
        readini::writeini_ini_file(one("singal", {{"macro_singal", "1"}}), "New Profile");
        QVERIFY(QFileInfo::exists("lightfile/New Profile/singal/signal.ini"));
    }
};

QTEST_GUILESS_MAIN(ReadIniTest)
#include "tst_readini.moc"
