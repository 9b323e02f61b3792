// Macros without their page: codes and delays, the command image, the stored file,
// export and import, naming rules, and the recorder.

#include "TestSupport.h"
#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"
#include "core/macro/MacroRecorder.h"
#include "core/storage/StoredList.h"

#include <QDir>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::test;

namespace
{

using Rows = QVector<MacroRow>;

QString slice(const Report &r, int from, int to)
{
    return hex(toBytes(r).mid(from, to - from + 1));
}

QString zeros(int count)
{
    return QStringLiteral(",0").repeated(count).mid(1);
}

void touch(const QString &name)
{
    QDir().mkpath("macrofile");
    QVERIFY(writeText("macrofile/" + name, "[Setting]\nmacro_key_count=0\n"));
}

void touchMacros(int count, const QString &pattern = QStringLiteral("M%1.ini"))
{
    for (int i = 1; i <= count; ++i)
        touch(pattern.arg(i));
}

// "a" down 100 ms, "a" up 200 ms, "b" down 50 ms, "b" up.
MacroRecord fourRows()
{
    MacroRecord rec{
        {{"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"}, {"b", "up", "0"}},
        zeroReport()};
    writeEvent(rec.image, 0, 100, 4, true);
    writeEvent(rec.image, 3, 200, 4, false);
    writeEvent(rec.image, 6, 50, 5, true);
    writeEvent(rec.image, 9, 0, 5, false);
    return rec;
}

void ticks(MacroRecorder &r, int count)
{
    for (int i = 0; i < count; ++i)
        r.advanceClock();
}

void tap(MacroRecorder &r, int key, const QString &text)
{
    r.press(text, key);
    r.release(text, key);
}

// A recorder whose rows the signals mirror, as the page's list does.
struct Mirrored {
    MacroRecorder r;
    Rows shown;
    Mirrored()
    {
        r.useManualClock(true);
        QObject::connect(&r, &MacroRecorder::rowsReset, [this] { shown = r.rows(); });
        QObject::connect(&r, &MacroRecorder::rowInserted,
                         [this](int i, const MacroRow &row) { shown.insert(i, row); });
        QObject::connect(&r, &MacroRecorder::rowRemoved, [this](int i) { shown.remove(i); });
        QObject::connect(&r, &MacroRecorder::delayChanged,
                         [this](int i, const QString &d) { shown[i].delay = d; });
        r.load(fourRows());
    }
};

} // namespace

class MacroTest : public QObject
{
    Q_OBJECT
private slots:
    void keyCodesAndLabels()
    {
        // Qt key or mouse button -> key code and row label (none: the key's own text is kept)
        const struct {
            int input, code;
            const char *label;
        } cases[] = {{Qt::Key_A, 4, nullptr},        {Qt::Key_0, 39, nullptr},
                     {Qt::Key_F1, 58, "F1"},         {Qt::Key_Return, 88, "Enter"},
                     {Qt::Key_Enter, 88, "Enter"},   {Qt::Key_Minus, 86, "-"},
                     {Qt::Key_Control, 224, "Ctrl"}, {8 /* mouse back */, 0, nullptr},
                     {Qt::Key_F13, 0, nullptr}};
        for (const auto &c : cases) {
            const CharKey k = charKeyCode(c.input);
            QCOMPARE(int(k.code), c.code);
            QCOMPARE(QString::fromLatin1(k.label), QString::fromLatin1(c.label));
        }
    }

    void delayStepsAndRounding()
    {
        // ms -> delay byte, rounded to ten, as a delay edit keeps it
        // clang-format off
        const std::array<int, 4> cases[] = {
            {44, 0, 40, 40}, {45, 0, 50, 50}, {49, 0, 50, 50}, {50, 1, 50, 50},
            {1234, 24, 1230, 1230}, {1235, 24, 1240, 1240}, {12000, 240, 12000, 12000},
            {12345, 240, 12350, 12000}, {-7, 0, -10, 0}};
        // clang-format on
        for (const auto &c : cases) {
            QCOMPARE(int(delayByte(c[0])), c[1]);
            if (c[0] >= 0)
                QCOMPARE(roundToTen(c[0]), c[2]);
            QCOMPARE(editedDelay(c[0]), c[3]);
        }
    }

    void storedTextReadBackExportAndImport()
    {
        TempWorkDir wd;
        QVERIFY(RecordedMacroFile::write("None", macroTexts({}, zeroReport())).ok());
        QCOMPARE(readText("macrofile/None.ini"),
                 "[Setting]\nmacro_cmd_str=\"" + zeros(264) +
                     "\"\nmacro_key=\nmacro_key_count=0\nmacro_key_delaytime=\nmacro_key_state=\n");
        const MacroRecord rec = fourRows();
        const QString cmd = "0,0,0,0,0,0,0,0,0,0,128,0,4,0,2,4,128,4,5,0,1,5," + zeros(242);
        QVERIFY(RecordedMacroFile::write("Rec", macroTexts(rec.rows, rec.image)).ok());
        QCOMPARE(readText("macrofile/Rec.ini"),
                 "[Setting]\nmacro_cmd_str=\"" + cmd +
                     "\"\nmacro_key=\"a,a,b,b\"\nmacro_key_count=4\nmacro_key_delaytime="
                     "\"100,200,50,0\"\nmacro_key_state=\"down,up,down,up\"\n");
        const MacroTexts five = RecordedMacroFile::read("Rec");
        QCOMPARE(parseMacro(five).rows, rec.rows);
        QVERIFY(parseMacro(five).image == rec.image);
        const MacroRecord none = parseMacro(RecordedMacroFile::read("None"));
        QVERIFY(none.rows.isEmpty() && none.image == zeroReport());
        // A comma key is stored escaped; a key without text (F13) keeps its empty row.
        const Rows comma{
            {",", "down", "50"}, {",", "up", "0"}, {"", "down", "0"}, {"a", "up", "0"}};
        QVERIFY(RecordedMacroFile::write("Comma", macroTexts(comma, zeroReport())).ok());
        QCOMPARE(RecordedMacroFile::read("Comma").keys, QStringLiteral("%2C,%2C,,a"));
        QCOMPARE(parseMacro(RecordedMacroFile::read("Comma")).rows, comma);

        // Export appends a block per macro; import reads it back under the name before the dot.
        const QString block = "[Setting]\nmacro_key_count=\"4\"\nmacro_key=\"a,a,b,b\"\n"
                              "macro_key_state=\"down,up,down,up\"\nmacro_key_delaytime=\"100,"
                              "200,50,0\"\nmacro_cmd_str=\"" +
                              cmd + "\"\n";
        QVERIFY(appendExport("out.ini", five) && appendExport("out.ini", five));
        QCOMPARE(readText("out.ini"), block + block);
        QVERIFY(!appendExport("no/such/dir/out.ini", five));
        QVERIFY(QFile::copy("out.ini", "My.Macro.ini"));
        QCOMPARE(importedName(QDir::current().filePath("My.Macro.ini")), QStringLiteral("My"));
        QVERIFY(RecordedMacroFile::import("My.Macro.ini", "My").ok());
        QVERIFY(RecordedMacroFile::read("My") == five);
    }

    void damagedFilesAreReadWithinTheirLists()
    {
        // the five stored lists -> rows read, and bytes 0..5 of the image
        const std::tuple<MacroTexts, int, QString> cases[] = {
            {{"5", "a,b", "down,up,down", "10,20,30", "1,2,3"}, 2, "1,2,3,0,0,0"}, // count too big
            {{"x", "a", "down", "0", "300,-1,x,255"}, 0, "0,0,0,255,0,0"},         // bad numbers
            {{"99999", "a,a", "down,up", "0,0", "9"}, 2, "9,0,0,0,0,0"}};          // huge count
        for (const auto &[five, rows, firstBytes] : cases) {
            const MacroRecord rec = parseMacro(five);
            QCOMPARE(rec.rows.size(), rows);
            QCOMPARE(joinNumbers(rec.image).left(firstBytes.size() + 1), firstBytes + ',');
        }
        // Older files wrote the comma key bare: ",,a" holds two rows.
        QCOMPARE(parseMacro({"2", ",,a", "down,up", "0,0", ""}).rows,
                 (Rows{{",", "down", "0"}, {"a", "up", "0"}}));
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
        touchMacros(14, "Macro %1.ini");
        QCOMPARE(newMacroNumber(), 15);
    }

    void copyNamesCountOnFromTheSuffix()
    {
        TempWorkDir wd;
        touch("Macro 1.ini");
        QCOMPARE(copyName("Macro 1"), QStringLiteral("Macro 1_01"));
        touch("Macro 1_01.ini");
        QCOMPARE(copyName("Macro 1_01"), QStringLiteral("Macro 1_02"));
        for (int k = 2; k <= 9; ++k)
            touch(QStringLiteral("Macro 1_0%1.ini").arg(k));
        QCOMPARE(copyName("Macro 1_05"), QStringLiteral("Macro 1_10"));

        TempWorkDir limit; // 13 files refuse a copy
        touchMacros(12);
        QCOMPARE(copyName("M1"), QStringLiteral("M1_01"));
        touch("M13.ini");
        QCOMPARE(copyName("M1"), QString());
    }

    void renameRules()
    {
        TempWorkDir wd;
        for (const char *f : {"Macro 1.ini", "Macro 2.ini", "Default Macro.ini"})
            touch(f);
        QVERIFY(renameAllowed(QString(20, 'x'), "Macro 1"));
        QVERIFY(!renameAllowed(QString(21, 'x'), "Macro 1"));
        for (const char *c : {"/", "*", "|", "\\", ":", "\"", "<", ">", "?", "."})
            QVERIFY2(!renameAllowed(QString("a%1b").arg(c), "Macro 1"), c);
        for (const char *taken : {"Macro 2", "", "Default Macro"}) // existing, empty, protected
            QVERIFY2(!renameAllowed(taken, "Macro 1"), taken);
        QVERIFY(!renameAllowed("Other", "Default Macro")); // the protected macro keeps its name
    }

    void deletionPartners()
    {
        const Rows rows{{"a", "down", "0"},
                        {"b", "down", "0"},
                        {"a", "up", "0"},
                        {"b", "up", "0"},
                        {"c", "down", "0"}};
        // a down finds the next "a up" below, b up the nearest "b down" above
        const QList<int> partners{partnerRow(rows, 0), partnerRow(rows, 3), partnerRow(rows, 4),
                                  partnerRow(rows, 7)};
        QCOMPARE(partners, (QList<int>{2, 1, -1, -1}));
    }

    void recordingInEachDelayMode()
    {
        // auto-detect, default delay, no delay: the rows' delays and bytes 10..22
        const std::tuple<int, QStringList, QString> modes[] = {
            {0, {"100", "150", "50", "0"}, "80000400020480 03cf0001cf00"},
            {1, {"10", "10", "10", "0"}, "80000400000480 00cf0000cf00"},
            {2, {"0", "0", "0", "0"}, "80000400000480 00cf0000cf00"}};
        for (auto [mode, delays, bytes] : modes) {
            Mirrored m;
            m.r.setDelayMode(mode);
            QVERIFY(m.r.start(-1));
            QVERIFY(!m.r.isIdle() && !m.r.start(-1)); // one recording at a time
            m.r.press("a", Qt::Key_A);
            ticks(m.r, 2);
            m.r.release("a", Qt::Key_A);
            ticks(m.r, 3);
            m.r.press("Mouse R", Qt::RightButton);
            ticks(m.r, 1);
            m.r.release("Mouse R", Qt::RightButton);
            ticks(m.r, 7);
            QVERIFY(m.r.stop());
            QVERIFY(m.r.isIdle() && !m.r.stop());
            const Rows expected{{"a", "down", delays[0]},
                                {"a", "up", delays[1]},
                                {"Mouse R", "down", delays[2]},
                                {"Mouse R", "up", delays[3]}};
            QCOMPARE(m.r.rows(), expected);
            QCOMPARE(m.shown, expected);
            QCOMPARE(slice(m.r.commandImage(), 10, 263),
                     bytes.remove(QLatin1Char(' ')) + QString(241 * 2, QLatin1Char('0')));
        }
    }

    void capsAndIgnoredEvents()
    {
        Mirrored m;
        m.r.start(-1);
        m.r.release("x", Qt::Key_X); // held before RECORD: no row to close
        m.r.press("\r", Qt::Key_Return);
        ticks(m.r, 400); // 20 s
        m.r.release("\r", Qt::Key_Return);
        m.r.stop();
        QCOMPARE(m.r.rows(), (Rows{{"Enter", "down", "12000"}, {"Enter", "up", "0"}}));
        QCOMPARE(slice(m.r.commandImage(), 10, 16), QStringLiteral("80005800f05800"));

        m.r.setDelayMode(MacroRecorder::NoDelay);
        m.r.start(-1);
        for (int i = 0; i < 43; ++i) // 86 events: the image holds 84
            tap(m.r, Qt::Key_A + (i % 26), QString(QChar('a' + i % 26)));
        m.r.stop();
        QCOMPARE(m.r.rows().size(), kMaxEvents);
        // Event 83 is the release of the 42nd tap ("p"): state 0, code 19, no delay.
        QCOMPARE(slice(m.r.commandImage(), 259, 263), QStringLiteral("0000130000"));
        QCOMPARE(m.r.setDefaultDelay(12345), 12000);
    }

    // AFTER or BEFORE the chosen row 2 ("b" down); each event carries the delay
    // of the row above it.
    void insertAtRowTwo()
    {
        const std::tuple<bool, QString, QString> cases[] = {
            {true, "a down 100|a up 200|b down 50|c down 0|c up 0|b up 0",
             "800004 000204 800405 800106 000006 000005"},
            {false, "a down 100|a up 200|c down 0|c up 0|b down 50|b up 0",
             "800004 000204 800406 000006 800005 000105"}};
        for (const auto &[after, rows, bytes] : cases) {
            Mirrored m;
            m.r.setDelayMode(MacroRecorder::NoDelay);
            QVERIFY(!m.r.toggleInsertMode()); // no row chosen yet
            QVERIFY(m.r.selectRow() && m.r.toggleInsertMode());
            QVERIFY(m.r.insertsAfter());
            QVERIFY(m.r.setInsertAfter(after));
            m.r.start(2);
            tap(m.r, Qt::Key_C, "c");
            m.r.stop();
            Rows expected;
            for (const QString &row : rows.split('|'))
                expected.append(
                    {row.section(' ', 0, 0), row.section(' ', 1, 1), row.section(' ', 2)});
            QCOMPARE(m.r.rows(), expected);
            QCOMPARE(m.shown, expected);
            QCOMPARE(slice(m.r.commandImage(), 10, 29),
                     QString(bytes).remove(QLatin1Char(' ')) + QStringLiteral("0000"));
            QVERIFY(m.r.canDeleteRow() && m.r.canEditRow()); // the rows around it stay editable
        }
    }

    // With the recorder's own 50 ms clock, a key held for 300 ms shows a delay
    // counted in steps of 50 from the press.
    void autoDelayOnTheRealClock()
    {
        MacroRecorder r;
        QVERIFY(r.start(-1));
        QElapsedTimer held;
        r.press("a", Qt::Key_A);
        held.start();
        QVERIFY(QTest::qWaitFor([&] { return held.elapsed() >= 300; }));
        r.release("a", Qt::Key_A);
        const qint64 real = held.elapsed();
        QVERIFY(r.stop());
        const int delay = r.rows().value(0).delay.toInt();
        QVERIFY2(delay % 50 == 0 && delay >= 200 && delay <= real + 50,
                 qPrintable(QStringLiteral("%1 ms shown after %2 ms").arg(delay).arg(real)));
        QCOMPARE(quint8(r.commandImage()[13 + 1]), quint8(delay / 50));
    }

    void rowEdits()
    {
        Mirrored m;
        QVERIFY(!m.r.deleteRow(0)); // refused before a row is clicked
        m.r.selectRow();
        QVERIFY(m.r.deleteRow(0)); // "a" down goes with "a" up below it
        QCOMPARE(m.r.rows(), fourRows().rows.mid(2));
        QCOMPARE(m.shown, m.r.rows());
        QCOMPARE(slice(m.r.commandImage(), 10, 18), QStringLiteral("800005000105000000"));
        QVERIFY(!m.r.deleteRow(5));

        Mirrored e;
        QCOMPARE(e.r.setDelay(1, 12345), 12000);
        QCOMPARE(e.r.setDelay(3, 50), 50);
        QCOMPARE(e.shown[1].delay, QStringLiteral("12000"));
        QCOMPARE(slice(e.r.commandImage(), 10, 23), QStringLiteral("80000400020480f0050001050001"));
        e.r.selectRow();
        e.r.endRowEditing();
        QVERIFY(!e.r.canDeleteRow() && !e.r.canEditRow() && !e.r.isInsertMode());
    }
};

QTEST_GUILESS_MAIN(MacroTest)
#include "tst_macro.moc"
