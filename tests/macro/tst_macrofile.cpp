// Macro files: the exact stored text, bounded reading of damaged files, the
// comma key's label, export and import, and the collection's naming rules.

#include "TestSupport.h"
#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QDir>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::test;

namespace
{

QString zeros(int count)
{
    return QStringLiteral(",0").repeated(count).mid(1);
}

void touch(const QString &name)
{
    QDir().mkpath(QStringLiteral("macrofile"));
    QVERIFY(writeText(QStringLiteral("macrofile/") + name, "[Setting]\nmacro_key_count=0\n"));
}

void touchMacros(int count)
{
    for (int i = 1; i <= count; ++i)
        touch(QStringLiteral("M%1.ini").arg(i));
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

QString kRecordedCmd()
{
    return QStringLiteral("0,0,0,0,0,0,0,0,0,0,128,0,4,0,2,4,") + zeros(248);
}

} // namespace

class MacroFileTest : public QObject
{
    Q_OBJECT
private slots:
    void storedTextIsExactAndReadsBack_data()
    {
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<QString>("text");
        QTest::newRow("no rows") << false
                                 << "[Setting]\nmacro_cmd_str=\"" + zeros(264) +
                                        "\"\nmacro_key=\nmacro_key_count=0\n"
                                        "macro_key_delaytime=\nmacro_key_state=\n";
        QTest::newRow("recorded") << true
                                  << "[Setting]\nmacro_cmd_str=\"" + kRecordedCmd() +
                                         "\"\nmacro_key=\"a,a\"\nmacro_key_count=2\n"
                                         "macro_key_delaytime=\"100,0\"\n"
                                         "macro_key_state=\"down,up\"\n";
    }
    void storedTextIsExactAndReadsBack()
    {
        QFETCH(bool, recorded);
        QFETCH(QString, text);
        TempWorkDir wd;
        MacroRecord rec;
        rec.image.fill(0);
        if (recorded)
            rec = recordedA();
        IniStore::writeIniFile(QStringLiteral("Rec"), buildMacroMap(rec.rows, rec.image));
        QCOMPARE(readText("macrofile/Rec.ini"), text);
        const MacroRecord back = parseMacro(IniStore::readMacroFile(QStringLiteral("Rec")));
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
        QTest::newRow("bad numbers")
            << QStringList{"x", "a", "down", "0", "300,-1,x,255"} << 0 << "0,0,0,255,0,0";
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
        QCOMPARE(joinNumbers(rec.image).left(firstBytes.size() + 1), firstBytes + ',');
    }

    void commaKeyRowsSurviveSaveAndReload()
    {
        TempWorkDir wd;
        Report image{};
        image.fill(0);
        // a key without text (F13) keeps its empty row too
        const QVector<MacroRow> rows{
            {",", "down", "50"}, {",", "up", "0"}, {"", "down", "0"}, {"a", "up", "0"}};
        IniStore::writeIniFile(QStringLiteral("Comma"), buildMacroMap(rows, image));
        const QStringList five = IniStore::readMacroFile(QStringLiteral("Comma"));
        QCOMPARE(five[1], QStringLiteral("%2C,%2C,,a"));
        QCOMPARE(parseMacro(five).rows, rows);
        // Older files wrote the comma bare: ",,a" holds two rows.
        const MacroRecord old = parseMacro({"2", ",,a", "down,up", "0,0", ""});
        QCOMPARE(old.rows, (QVector<MacroRow>{{",", "down", "0"}, {"a", "up", "0"}}));
    }

    void exportAppendsBlocksThatImportReads()
    {
        TempWorkDir wd;
        const MacroRecord rec = recordedA();
        IniStore::writeIniFile(QStringLiteral("Rec"), buildMacroMap(rec.rows, rec.image));
        const QStringList five = IniStore::readMacroFile(QStringLiteral("Rec"));
        const QString cmd = kRecordedCmd();
        const QString block = QStringLiteral("[Setting]\nmacro_key_count=\"2\"\n"
                                             "macro_key=\"a,a\"\nmacro_key_state=\"down,up\"\n"
                                             "macro_key_delaytime=\"100,0\"\nmacro_cmd_str=\"") +
                              cmd + QStringLiteral("\"\n");
        QVERIFY(appendExport(QStringLiteral("out.ini"), five));
        QCOMPARE(readText("out.ini"), block);
        QVERIFY(appendExport(QStringLiteral("out.ini"), five));
        QCOMPARE(readText("out.ini"), block + block);
        QVERIFY(!appendExport(QStringLiteral("no/such/dir/out.ini"), five));

        QVERIFY(QFile::copy("out.ini", "My.Macro.ini"));
        const QString name = importedName(QDir::current().filePath("My.Macro.ini"));
        QCOMPARE(name, QStringLiteral("My"));
        IniStore::importMacroFile(QStringLiteral("My.Macro.ini"), name);
        QCOMPARE(IniStore::readMacroFile(name), five);
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
    }

    void copyNamesCountOnFromTheSuffix()
    {
        TempWorkDir wd;
        touch("Macro 1.ini");
        QCOMPARE(copyName(QStringLiteral("Macro 1")), QStringLiteral("Macro 1_01"));
        touch("Macro 1_01.ini");
        QCOMPARE(copyName(QStringLiteral("Macro 1_01")), QStringLiteral("Macro 1_02"));
        for (int k = 2; k <= 9; ++k)
            touch(QStringLiteral("Macro 1_0%1.ini").arg(k));
        QCOMPARE(copyName(QStringLiteral("Macro 1_05")), QStringLiteral("Macro 1_10"));

        TempWorkDir limit; // 13 files refuse a copy
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
        QTest::newRow("twenty characters") << QString(20, 'x') << "Macro 1" << true;
        QTest::newRow("twenty-one characters") << QString(21, 'x') << "Macro 1" << false;
        for (const char *c : {"/", "*", "|", "\\", ":", "\"", "<", ">", "?", "."})
            QTest::addRow("with %s", c) << QString("a%1b").arg(c) << "Macro 1" << false;
        QTest::newRow("existing") << "Macro 2"
                                  << "Macro 1" << false;
        QTest::newRow("empty") << ""
                               << "Macro 1" << false;
        QTest::newRow("protected name") << "Default Macro"
                                        << "Macro 1" << false;
        QTest::newRow("protected macro") << "Other"
                                         << "Default Macro" << false;
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
        QTest::newRow("no partner") << 4 << -1;
        QTest::newRow("out of range") << 7 << -1;
    }
    void deletionPartners()
    {
        QFETCH(int, row);
        QFETCH(int, partner);
        QVector<MacroRow> rows;
        for (const char *r : {"a down", "b down", "a up", "b up", "c down"})
            rows.append({QString(r).section(' ', 0, 0), QString(r).section(' ', 1), "0"});
        QCOMPARE(partnerRow(rows, row), partner);
    }
};

QTEST_GUILESS_MAIN(MacroFileTest)
#include "tst_macrofile.moc"
