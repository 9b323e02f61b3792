// The macro recorder without its page: the rows and command bytes a recording
// gives in each delay mode, the caps, insertion, row deletion with its
// partner, delay edits and the operations it refuses.

#include "TestSupport.h"
#include "core/macro/MacroRecorder.h"

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

class MacroRecorderTest : public QObject
{
    Q_OBJECT
private slots:
    void recordingInEachDelayMode_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QStringList>("delays");
        QTest::addColumn<QString>("bytes"); // 10..22
        QTest::newRow("auto-detect")
            << 0 << QStringList{"100", "150", "50", "0"} << "80000400020480 03cf0001cf00";
        QTest::newRow("default delay")
            << 1 << QStringList{"10", "10", "10", "0"} << "80000400000480 00cf0000cf00";
        QTest::newRow("no delay") << 2 << QStringList{"0", "0", "0", "0"}
                                  << "80000400000480 00cf0000cf00";
    }
    void recordingInEachDelayMode()
    {
        QFETCH(int, mode);
        QFETCH(QStringList, delays);
        QFETCH(QString, bytes);
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
        QCOMPARE(m.r.fileMap(), buildMacroMap(expected, m.r.commandImage()));
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
        QCOMPARE(m.r.setDefaultDelay(-3), 0);
        QCOMPARE(m.r.setDefaultDelay(1235), 1240);
    }

    void insertAfterRowTwo()
    {
        Mirrored m;
        m.r.setDelayMode(MacroRecorder::NoDelay);
        QVERIFY(!m.r.toggleInsertMode()); // no row chosen yet
        QVERIFY(m.r.selectRow() && m.r.toggleInsertMode());
        QVERIFY(m.r.insertsAfter());
        m.r.start(2);
        tap(m.r, Qt::Key_C, "c");
        m.r.stop();
        const Rows expected{{"a", "down", "100"}, {"a", "up", "200"}, {"b", "down", "50"},
                            {"c", "down", "0"},   {"c", "up", "0"},   {"b", "up", "0"}};
        QCOMPARE(m.r.rows(), expected);
        QCOMPARE(m.shown, expected);
        // a down, a up, b down (its 50 ms kept), c down, c up, b up.
        QCOMPARE(slice(m.r.commandImage(), 10, 29),
                 QStringLiteral("8000040002048004058001060000060000050000"));
        QVERIFY(m.r.canDeleteRow() && m.r.canEditRow()); // the rows around it stay editable
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
        QCOMPARE(e.shown[1].delay, QStringLiteral("12000"));
        QCOMPARE(slice(e.r.commandImage(), 10, 22), QStringLiteral("80000400020480f00500010500"));
        e.r.selectRow();
        e.r.endRowEditing();
        QVERIFY(!e.r.canDeleteRow() && !e.r.canEditRow() && !e.r.isInsertMode());
    }
};

QTEST_GUILESS_MAIN(MacroRecorderTest)
#include "tst_macrorecorder.moc"
