// Macros without their page: codes and delays, the command image, the stored file,
// export and import, naming rules, and the recorder.

#include "TestSupport.h"
#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"
#include "core/macro/MacroRecorder.h"

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

// Plays a script of steps, separated by spaces, on m's recorder:
//   rec, stop   RECORD and STOP (each refused while already so); rec2: RECORD
//               with row 2 chosen
//   +a, -a      a key pressed, released (a letter; R the right mouse button, E Return)
//   3           three ticks of the recorder's 50 ms clock
//   after, before   row clicked, insert mode on, events after or before it
//   del0        row clicked, row 0 deleted
//   d1=12345    row 1's delay edited
void play(Mirrored &m, const QString &script)
{
    for (const QString &step : script.split(' ')) {
        const QChar k = step.back();
        const QString label = k == 'R' ? "Mouse R" : k == 'E' ? "\r" : QString(k);
        const int input = k == 'R'   ? int(Qt::RightButton)
                          : k == 'E' ? int(Qt::Key_Return)
                                     : Qt::Key_A + (k.unicode() - 'a');
        if (step.startsWith("rec")) {
            QVERIFY(m.r.start(step == "rec2" ? 2 : -1));
            QVERIFY(!m.r.isIdle() && !m.r.start(-1)); // one recording at a time
        } else if (step == "stop") {
            QVERIFY(m.r.stop() && m.r.isIdle() && !m.r.stop());
        } else if (step[0] == '+' || step[0] == '-') {
            step[0] == '+' ? m.r.press(label, input) : m.r.release(label, input);
        } else if (step == "after" || step == "before") {
            QVERIFY(m.r.selectRow() && m.r.toggleInsertMode() && m.r.insertsAfter());
            QVERIFY(m.r.setInsertAfter(step == "after"));
        } else if (step == "del0") {
            QVERIFY(m.r.selectRow() && m.r.deleteRow(0));
        } else if (step[0] == 'd') {
            m.r.setDelay(step.mid(1, 1).toInt(), step.mid(3).toInt());
        } else {
            for (int i = step.toInt(); i > 0; --i)
                m.r.advanceClock();
        }
    }
}

} // namespace

class MacroTest : public QObject
{
    Q_OBJECT
private slots:
    void delayStepsAndRounding()
    {
        // ms -> delay byte, and the delay a delay edit keeps (rounded to ten, 12 s at most)
        // clang-format off
        const std::array<int, 3> cases[] = {
            {44, 0, 40}, {45, 0, 50}, {49, 0, 50}, {50, 1, 50}, {1234, 24, 1230}, {1235, 24, 1240},
            {12000, 240, 12000}, {12345, 240, 12000}, {-7, 0, 0}};
        // clang-format on
        for (const auto &c : cases) {
            QCOMPARE(int(delayByte(c[0])), c[1]);
            QCOMPARE(editedDelay(c[0]), c[2]);
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

        // Export appends a block per macro; import reads it back.
        const QString block = "[Setting]\nmacro_key_count=\"4\"\nmacro_key=\"a,a,b,b\"\n"
                              "macro_key_state=\"down,up,down,up\"\nmacro_key_delaytime=\"100,"
                              "200,50,0\"\nmacro_cmd_str=\"" +
                              cmd + "\"\n";
        QVERIFY(appendExport("out.ini", five) && appendExport("out.ini", five));
        QCOMPARE(readText("out.ini"), block + block);
        QVERIFY(!appendExport("no/such/dir/out.ini", five));
        QVERIFY(RecordedMacroFile::import("out.ini", "My").ok());
        QVERIFY(RecordedMacroFile::read("My") == five);
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

    // Delay mode, script, the rows after it ("key state delay|...") and bytes 10
    // on of the command image (zeros after them).
    void recorderScripts()
    {
        const QString mouse = "rec +a 2 -a 3 +R 1 -R 7 stop";
        const std::tuple<int, QString, QString, QString> cases[] = {
            {MacroRecorder::AutoDelay, mouse, "a down 100|a up 150|Mouse R down 50|Mouse R up 0",
             "80000400020480 03cf0001cf00"},
            {MacroRecorder::DefaultDelay, mouse, "a down 10|a up 10|Mouse R down 10|Mouse R up 0",
             "80000400000480 00cf0000cf00"},
            // a key held before RECORD has no row to close; 20 s are kept as 12
            {MacroRecorder::AutoDelay, "rec -x +E 400 -E stop", "Enter down 12000|Enter up 0",
             "80005800f05800"},
            // AFTER or BEFORE row 2 ("b" down); each event carries the delay of the row above it
            {MacroRecorder::NoDelay, "after rec2 +c -c stop",
             "a down 100|a up 200|b down 50|c down 0|c up 0|b up 0",
             "800004 000204 800405 800106 000006 000005"},
            {MacroRecorder::NoDelay, "before rec2 +c -c stop",
             "a down 100|a up 200|c down 0|c up 0|b down 50|b up 0",
             "800004 000204 800406 000006 800005 000105"},
            // "a" down goes with "a" up below it
            {MacroRecorder::AutoDelay, "del0", "b down 50|b up 0", "800005000105"},
            {MacroRecorder::AutoDelay, "d1=12345 d3=50", "a down 100|a up 12000|b down 50|b up 50",
             "80000400020480f0050001050001"}};
        for (auto [mode, script, rows, bytes] : cases) {
            Mirrored m;
            m.r.setDelayMode(mode);
            play(m, script);
            Rows expected;
            for (const QString &row : rows.split('|'))
                expected.append(
                    {row.section(' ', 0, -3), row.section(' ', -2, -2), row.section(' ', -1)});
            QVERIFY2(m.r.rows() == expected && m.shown == expected, qPrintable(script));
            bytes.remove(QLatin1Char(' '));
            QCOMPARE(slice(m.r.commandImage(), 10, 263), bytes + QString(508 - bytes.size(), '0'));
        }
    }

    // A recording keeps the events the image holds; the default delay stops at 12 s.
    void recordingAndDelayCaps()
    {
        Mirrored m;
        QCOMPARE(m.r.setDefaultDelay(12345), 12000);

        m.r.setDelayMode(MacroRecorder::NoDelay);
        QString taps = "rec";
        for (int i = 0; i < 43; ++i) // 86 events: the image holds 84
            taps += QStringLiteral(" +%1 -%1").arg(QChar('a' + i % 26));
        play(m, taps + " stop");
        QCOMPARE(m.r.rows().size(), kMaxEvents);
        // Event 83 is the release of the 42nd tap ("p"): state 0, code 19, no delay.
        QCOMPARE(slice(m.r.commandImage(), 259, 263), QStringLiteral("0000130000"));
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
};

QTEST_GUILESS_MAIN(MacroTest)
#include "tst_macro.moc"
