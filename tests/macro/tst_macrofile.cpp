// Macro files: the exact stored text, bounded reading of damaged files, the
// comma key's label, the export text and its import, and the collection's
// naming rules and limits.

#include "TestSupport.h"
#include "macro/MacroCodec.h"
#include "macro/MacroFile.h"
#include "storage/readini.h"

#include <QDir>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::test;

namespace
{

QString zeros(int count)
{
    QStringList l;
    for (int i = 0; i < count; ++i)
        l << QStringLiteral("0");
    return l.join(',');
}

void touch(const QString &name)
{
    QDir().mkpath(QStringLiteral("macrofile"));
    QVERIFY(writeText(QStringLiteral("macrofile/") + name, "[Setting]\nmacro_key_count=0\n"));
}

void touchMacros(int count, const QString &prefix = QStringLiteral("M"))
{
    for (int i = 1; i <= count; ++i)
        touch(prefix + QString::number(i) + QStringLiteral(".ini"));
}

// "a" down 100 ms, "a" up, as the recorder stores it.
MacroRecord recordedA()
{
    MacroRecord rec;
    rec.image.fill(0);
    writeEvent(rec.image, 0, 100, 4, true);
    writeEvent(rec.image, 3, 0, 4, false);
    rec.rows = {{"a", "down", "100"}, {"a", "up", "0"}};
    return rec;
}

} // namespace

class MacroFileTest : public QObject
{
    Q_OBJECT
private slots:
    void emptyMacroIsStoredWithEmptyLists()
    {
        TempWorkDir wd;
        Report image{};
        image.fill(0);
        readini::writeini_file(QStringLiteral("Macro 1"), buildMacroMap({}, image));
        QCOMPARE(readText("macrofile/Macro 1.ini"),
                 QStringLiteral("[Setting]\nmacro_cmd_str=\"") + zeros(264) +
                     QStringLiteral("\"\nmacro_key=\nmacro_key_count=0\nmacro_key_delaytime=\n"
                                    "macro_key_state=\n"));
        const MacroRecord back = parseMacro(readini::readini_macro_file(QStringLiteral("Macro 1")));
        QVERIFY(back.rows.isEmpty());
        QVERIFY(back.image == image);
    }

    void recordedMacroIsStoredExactlyAndReadsBack()
    {
        TempWorkDir wd;
        const MacroRecord rec = recordedA();
        readini::writeini_file(QStringLiteral("Rec"), buildMacroMap(rec.rows, rec.image));
        const QString cmd = QStringLiteral("0,0,0,0,0,0,0,0,0,0,128,0,4,0,2,4,") + zeros(248);
        QCOMPARE(readText("macrofile/Rec.ini"),
                 QStringLiteral("[Setting]\nmacro_cmd_str=\"") + cmd +
                     QStringLiteral("\"\nmacro_key=\"a,a\"\nmacro_key_count=2\n"
                                    "macro_key_delaytime=\"100,0\"\n"
                                    "macro_key_state=\"down,up\"\n"));
        const MacroRecord back = parseMacro(readini::readini_macro_file(QStringLiteral("Rec")));
        QCOMPARE(back.rows, rec.rows);
        QVERIFY(back.image == rec.image);
    }

    void damagedFilesAreReadWithinTheirLists_data()
    {
        QTest::addColumn<QStringList>("five");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("firstBytes"); // bytes 0..5 as decimal list
        QTest::newRow("count beyond lists")
            << QStringList{"5", "a,b", "down,up,down", "10,20,30", "1,2,3"} << 2 << "1,2,3,0,0,0";
        QTest::newRow("short delay list")
            << QStringList{"3", "a,b,c", "down,up,down", "10", "7"} << 1 << "7,0,0,0,0,0";
        QTest::newRow("bad numbers")
            << QStringList{"x", "a", "down", "0", "300,-1,x,255"} << 0 << "0,0,0,255,0,0";
        QTest::newRow("negative count")
            << QStringList{"-2", "a", "down", "0", ""} << 0 << "0,0,0,0,0,0";
        QTest::newRow("missing keys") << QStringList{"2"} << 0 << "0,0,0,0,0,0";
        QTest::newRow("new macro")
            << QStringList{"0", "0", "0", "0", zeros(264)} << 0 << "0,0,0,0,0,0";
        QTest::newRow("huge count")
            << QStringList{"99999", "a,a", "down,up", "0,0", "9"} << 2 << "9,0,0,0,0,0";
    }
    void damagedFilesAreReadWithinTheirLists()
    {
        QFETCH(QStringList, five);
        QFETCH(int, rows);
        QFETCH(QString, firstBytes);
        const MacroRecord rec = parseMacro(five);
        QCOMPARE(rec.rows.size(), rows);
        QStringList first;
        for (int i = 0; i < 6; ++i)
            first << QString::number(rec.image[std::size_t(i)]);
        QCOMPARE(first.join(','), firstBytes);
    }

    void commaKeyRowsSurviveSaveAndReload()
    {
        TempWorkDir wd;
        Report image{};
        image.fill(0);
        // a key without text (F13) keeps its empty row too
        const QVector<MacroRow> rows{
            {",", "down", "50"}, {",", "up", "0"}, {"", "down", "0"}, {"a", "up", "0"}};
        readini::writeini_file(QStringLiteral("Comma"), buildMacroMap(rows, image));
        const QStringList five = readini::readini_macro_file(QStringLiteral("Comma"));
        QCOMPARE(five[1], QStringLiteral("%2C,%2C,,a"));
        QCOMPARE(parseMacro(five).rows, rows);
    }

    void olderFilesWithABareCommaLabelReadAsOneRow_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("comma first") << ",,a" << 2 << QStringList{",", "a"};
        QTest::newRow("comma twice") << ",,,,a" << 3 << QStringList{",", ",", "a"};
        QTest::newRow("comma last") << "a,," << 2 << QStringList{"a", ","};
        QTest::newRow("empty labels as they are") << ",," << 3 << QStringList{"", "", ""};
        QTest::newRow("plain") << "a,b" << 2 << QStringList{"a", "b"};
    }
    void olderFilesWithABareCommaLabelReadAsOneRow()
    {
        QFETCH(QString, keys);
        QFETCH(int, count);
        QFETCH(QStringList, labels);
        QStringList states, delays;
        for (int i = 0; i < count; ++i) {
            states << "down";
            delays << "0";
        }
        const MacroRecord rec =
            parseMacro({QString::number(count), keys, states.join(','), delays.join(','), ""});
        QStringList got;
        for (const MacroRow &r : rec.rows)
            got << r.key;
        QCOMPARE(got, labels);
    }

    void exportAppendsBlocksThatImportReads()
    {
        TempWorkDir wd;
        const MacroRecord rec = recordedA();
        readini::writeini_file(QStringLiteral("Rec"), buildMacroMap(rec.rows, rec.image));
        const QStringList five = readini::readini_macro_file(QStringLiteral("Rec"));
        const QString cmd = QStringLiteral("0,0,0,0,0,0,0,0,0,0,128,0,4,0,2,4,") + zeros(248);
        const QString block = QStringLiteral("[Setting]\nmacro_key_count=\"2\"\n"
                                             "macro_key=\"a,a\"\nmacro_key_state=\"down,up\"\n"
                                             "macro_key_delaytime=\"100,0\"\nmacro_cmd_str=\"") +
                              cmd + QStringLiteral("\"\n");
        QVERIFY(appendExport(QStringLiteral("out.ini"), five));
        QCOMPARE(readText("out.ini"), block);
        QVERIFY(appendExport(QStringLiteral("out.ini"), five));
        QCOMPARE(readText("out.ini"), block + block);
        QVERIFY(!appendExport(QStringLiteral("no/such/dir/out.ini"), five));

        readini::import_macro_file(QStringLiteral("out.ini"), QStringLiteral("Back"));
        QCOMPARE(readini::readini_macro_file(QStringLiteral("Back")), five);
    }

    void exportKeepsQuotesAndBackslashesReadable()
    {
        TempWorkDir wd;
        Report image{};
        image.fill(0);
        const QVector<MacroRow> rows{{"\"", "down", "0"}, {"\\", "up", "0"}, {"é", "down", "0"}};
        readini::writeini_file(QStringLiteral("Odd"), buildMacroMap(rows, image));
        QVERIFY(appendExport(QStringLiteral("odd.ini"),
                             readini::readini_macro_file(QStringLiteral("Odd"))));
        readini::import_macro_file(QStringLiteral("odd.ini"), QStringLiteral("Odd2"));
        QCOMPARE(parseMacro(readini::readini_macro_file(QStringLiteral("Odd2"))).rows, rows);
    }

    void importNameIsTheFileNameUpToTheFirstDot_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("two dots") << "/home/u/My.Macro.ini" << "My";
        QTest::newRow("dotted folder") << "/tmp/x.y/Game Macro.ini" << "Game Macro";
        QTest::newRow("hidden") << "/tmp/.ini" << "";
    }
    void importNameIsTheFileNameUpToTheFirstDot()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(importedName(path), name);
    }

    void listShowsBaseNamesFoldersFirst()
    {
        TempWorkDir wd;
        touch("b.ini");
        touch("a.ini");
        touch("My.Macro.ini");
        QVERIFY(QDir().mkpath("macrofile/zdir"));
        QCOMPARE(macroNames(), (QStringList{"zdir", "My", "a", "b"}));
    }

    void newTakesTheFirstFreeNumberUpToFifteenEntries()
    {
        TempWorkDir wd;
        QCOMPARE(newMacroNumber(), 1);
        touch("Macro 1.ini");
        touch("Macro 3.ini");
        QCOMPARE(newMacroNumber(), 2);
        touchMacros(12); // 14 entries
        QCOMPARE(newMacroNumber(), 2);
        QVERIFY(QDir().mkpath("macrofile/folder")); // the 15th entry
        QCOMPARE(newMacroNumber(), 0);

        TempWorkDir full;
        for (int n = 1; n <= 14; ++n)
            touch(QStringLiteral("Macro %1.ini").arg(n));
        QCOMPARE(newMacroNumber(), 15);
        QDir().remove("macrofile/Macro 14.ini");
        QVERIFY(QDir().mkpath("macrofile/Macro 15.ini")); // a folder cannot be read as a file
        QCOMPARE(newMacroNumber(), 14);
    }

    void copyNamesCountOnFromTheSuffix()
    {
        TempWorkDir wd;
        touch("Macro 1.ini");
        QCOMPARE(copyName(QStringLiteral("Macro 1")), QStringLiteral("Macro 1_01"));
        touch("Macro 1_01.ini");
        QCOMPARE(copyName(QStringLiteral("Macro 1_01")), QStringLiteral("Macro 1_02"));
        QCOMPARE(copyName(QStringLiteral("Macro 1")), QStringLiteral("Macro 1_02"));
        for (int k = 2; k <= 9; ++k)
            touch(QStringLiteral("Macro 1_0%1.ini").arg(k));
        QCOMPARE(copyName(QStringLiteral("Macro 1_05")), QStringLiteral("Macro 1_10"));
        QCOMPARE(copyName(QString()), QString());
    }

    void copyRefusesAtThirteenFilesOrWithoutFreeSuffix()
    {
        TempWorkDir wd;
        touchMacros(12);
        QCOMPARE(copyName(QStringLiteral("M1")), QStringLiteral("M1_01"));
        touch("M13.ini");
        QCOMPARE(copyName(QStringLiteral("M1")), QString());

        TempWorkDir other;
        touch("X.ini");
        for (int k = 1; k <= 11; ++k) // _01.._11 exist; only _12.._14 are free
            touch(QStringLiteral("X_%1.ini").arg(k, 2, 10, QLatin1Char('0')));
        QCOMPARE(copyName(QStringLiteral("X_03")), QStringLiteral("X_12"));
    }

    void renameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("selected");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("plain") << "Combo" << "Macro 1" << true;
        QTest::newRow("twenty characters") << QString(20, 'x') << "Macro 1" << true;
        QTest::newRow("twenty-one characters") << QString(21, 'x') << "Macro 1" << false;
        for (const char *c : {"/", "*", "|", "\\", ":", "\"", "<", ">", "?", "."})
            QTest::addRow("with %s", c) << QString("a%1b").arg(c) << "Macro 1" << false;
        QTest::newRow("existing") << "Macro 2" << "Macro 1" << false;
        QTest::newRow("empty") << "" << "Macro 1" << false;
        QTest::newRow("protected name") << "Default Macro" << "Macro 1" << false;
        QTest::newRow("protected macro") << "Other" << "Default Macro" << false;
    }
    void renameRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, selected);
        QFETCH(bool, allowed);
        TempWorkDir wd;
        touch("Macro 1.ini");
        touch("Macro 2.ini");
        touch("Default Macro.ini");
        QCOMPARE(renameAllowed(name, selected), allowed);
    }

    void deletionPartners_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("partner");
        // a down, b down, a up, b up, c down
        QTest::newRow("down finds the next below") << 0 << 2;
        QTest::newRow("up finds the nearest above") << 3 << 1;
        QTest::newRow("up of a") << 2 << 0;
        QTest::newRow("no partner") << 4 << -1;
        QTest::newRow("out of range") << 7 << -1;
    }
    void deletionPartners()
    {
        QFETCH(int, row);
        QFETCH(int, partner);
        const QVector<MacroRow> rows{{"a", "down", "0"},
                                     {"b", "down", "0"},
                                     {"a", "up", "0"},
                                     {"b", "up", "0"},
                                     {"c", "down", "0"}};
        QCOMPARE(partnerRow(rows, row), partner);
    }
};

QTEST_GUILESS_MAIN(MacroFileTest)
#include "tst_macrofile.moc"
