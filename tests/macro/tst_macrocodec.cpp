// The device form of a macro: key codes, delay steps, event bytes, and the image
// edits that follow row insertion, deletion and delay edits.

#include "TestSupport.h"
#include "macro/MacroCodec.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::macro;
using namespace orvanta::test;

namespace
{

// Bytes from..to of an image as hex.
QString slice(const Report &r, int from, int to)
{
    return hex(toBytes(r).mid(from, to - from + 1));
}

Report imageFromHex(int at, const QString &bytes)
{
    Report r = zeroReport();
    const QByteArray b = fromHex(bytes);
    for (int i = 0; i < b.size(); ++i)
        r[std::size_t(at + i)] = quint8(b[i]);
    return r;
}

// Four events: "a" down 100 ms, "a" up 200 ms, "b" down 50 ms, "b" up.
const char *kFourEvents = "80 00 04 00 02 04 80 04 05 00 01 05 00";

} // namespace

class MacroCodecTest : public QObject
{
    Q_OBJECT
private slots:
    void keyCodesAndLabels_data()
    {
        QTest::addColumn<int>("input");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("label"); // empty: the key's own text is kept
        QTest::newRow("A") << int(Qt::Key_A) << 4 << QString();
        QTest::newRow("Z") << int(Qt::Key_Z) << 29 << QString();
        QTest::newRow("1") << int(Qt::Key_1) << 30 << QString();
        QTest::newRow("0") << int(Qt::Key_0) << 39 << QString();
        QTest::newRow("F1") << int(Qt::Key_F1) << 58 << "F1";
        QTest::newRow("F12") << int(Qt::Key_F12) << 69 << "F12";
        QTest::newRow("Return") << int(Qt::Key_Return) << 88 << "Enter";
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 88 << "Enter";
        QTest::newRow("minus") << int(Qt::Key_Minus) << 86 << "-";
        QTest::newRow("comma") << int(Qt::Key_Comma) << 54 << ",";
        QTest::newRow("backslash") << int(Qt::Key_Backslash) << 49 << "|";
        QTest::newRow("grave") << int(Qt::Key_QuoteLeft) << 53 << "~";
        QTest::newRow("Delete") << int(Qt::Key_Delete) << 76 << "Del";
        QTest::newRow("Control") << int(Qt::Key_Control) << 224 << "Ctrl";
        QTest::newRow("Meta") << int(Qt::Key_Meta) << 227 << "Win";
        QTest::newRow("Backtab") << int(Qt::Key_Backtab) << 43 << "Tab";
        QTest::newRow("mouse left") << kMouseLeft << 206 << QString();
        QTest::newRow("mouse right") << kMouseRight << 207 << QString();
        QTest::newRow("mouse middle") << kMouseMiddle << 208 << QString();
        QTest::newRow("mouse back") << 8 << 0 << QString();
        QTest::newRow("F13") << int(Qt::Key_F13) << 0 << QString();
        QTest::newRow("percent") << int(Qt::Key_Percent) << 0 << QString();
    }
    void keyCodesAndLabels()
    {
        QFETCH(int, input);
        QFETCH(int, code);
        QFETCH(QString, label);
        const CharKey k = charKeyCode(input);
        QCOMPARE(int(k.code), code);
        QCOMPARE(k.label ? QString::fromLatin1(k.label) : QString(), label);
    }

    void delayStepsAndRounding_data()
    {
        QTest::addColumn<int>("ms");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("rounded");
        QTest::addColumn<int>("edited");
        QTest::newRow("0") << 0 << 0 << 0 << 0;
        QTest::newRow("44") << 44 << 0 << 40 << 40;
        QTest::newRow("45") << 45 << 0 << 50 << 50;
        QTest::newRow("50") << 50 << 1 << 50 << 50;
        QTest::newRow("1234") << 1234 << 24 << 1230 << 1230;
        QTest::newRow("1235") << 1235 << 24 << 1240 << 1240;
        QTest::newRow("12000") << 12000 << 240 << 12000 << 12000;
        QTest::newRow("12345") << 12345 << 240 << 12350 << 12000;
        QTest::newRow("negative") << -7 << 0 << -10 << 0;
    }
    void delayStepsAndRounding()
    {
        QFETCH(int, ms);
        QFETCH(int, step);
        QFETCH(int, rounded);
        QFETCH(int, edited);
        QCOMPARE(int(delayByte(ms)), step);
        if (ms >= 0)
            QCOMPARE(roundToTen(ms), rounded);
        QCOMPARE(editedDelay(ms), edited);
    }

    void pressAndReleaseOfAEncodeAsDocumented()
    {
        Report image = zeroReport();
        // "a" down is closed by its release 100 ms later, then STOP closes "a" up.
        writeEvent(image, 0, 100, 4, true);
        writeEvent(image, 3, 0, 4, false);
        QCOMPARE(slice(image, 10, 16), QStringLiteral("80000400020400"));
        QCOMPARE(slice(image, 0, 9), QStringLiteral("00000000000000000000"));
        QCOMPARE(slice(image, 17, 263), QString(247 * 2, QLatin1Char('0')));
    }

    void eventsStopAtTheEndOfTheImage()
    {
        Report image = zeroReport();
        writeEvent(image, 3 * 83, 12000, 207, true);
        QCOMPARE(slice(image, 259, 263), QStringLiteral("8000cf00f0"));
        // A group that would start beyond the last event never reaches past byte 263.
        Report edge = zeroReport();
        writeEvent(edge, 3 * 84, 100, 9, false);
        writeEvent(edge, 3 * 200, 100, 9, false);
        writeEvent(edge, -100, 100, 9, true);
        QCOMPARE(slice(edge, 0, 263), QString(264 * 2, QLatin1Char('0')));
    }

    void insertMergePutsNewEventsAtTheInsertionPoint()
    {
        const Report committed = imageFromHex(10, kFourEvents);
        // The recorder starts from the committed image and writes "c" down
        // (150 ms, closed by a release) and "c" up (closed by STOP) at 2 and 3.
        Report recording = committed;
        writeEvent(recording, 6, 150, 6, true);
        writeEvent(recording, 9, 0, 6, false);
        const Report merged = mergeInsert(committed, recording, 2, 3);
        QCOMPARE(slice(merged, 10, 30),
                 QStringLiteral("800004000204800406000306800005000105000000"));
        QCOMPARE(slice(merged, 0, 9), QString(20, QLatin1Char('0')));
        QCOMPARE(slice(merged, 31, 263), QString(233 * 2, QLatin1Char('0')));
    }

    void insertMergeBeforeTheFirstEvent()
    {
        const Report committed = imageFromHex(10, kFourEvents);
        Report recording = committed;
        writeEvent(recording, 0, 0, 7, false); // one new event, closed by STOP
        const Report merged = mergeInsert(committed, recording, 0, 0);
        // "d" then the four old events, each with its state, code and delay.
        QCOMPARE(slice(merged, 10, 25), QStringLiteral("00000780000400020480040500010500"));
    }

    void insertMergeDropsEventsPastTheEightyFourth()
    {
        Report committed = zeroReport();
        for (int i = 0; i < kMaxEvents; ++i)
            writeEvent(committed, 3 * i, 50 * (i % 5), quint8(i + 1), i % 2 == 0);
        Report recording = committed;
        writeEvent(recording, 3 * 10, 0, 200, false);
        const Report merged = mergeInsert(committed, recording, 10, 10);
        QCOMPARE(int(merged[12 + 3 * 10]), 200);
        QCOMPARE(int(merged[12 + 3 * 11]), 11); // old event 10
        QCOMPARE(int(merged[12 + 3 * 83]), 83); // old event 82 is now the last
        QCOMPARE(int(merged[14 + 3 * 83]), int(delayByte(50 * (82 % 5))));
        QCOMPARE(int(merged[10 + 3 * 83]), 0x80); // event 82 was written as a release
    }

    void removingAnEventKeepsEveryOtherEventWhole_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("expected"); // bytes 10..22
        QTest::newRow("first") << 0 << "00000480040500010500000000";
        QTest::newRow("second") << 1 << "80000480020500010500000000";
        QTest::newRow("last") << 3 << "80000400020480040500010000";
        QTest::newRow("beyond the image") << 84 << "80000400020480040500010500";
        QTest::newRow("negative") << -1 << "80000400020480040500010500";
    }
    void removingAnEventKeepsEveryOtherEventWhole()
    {
        QFETCH(int, row);
        QFETCH(QString, expected);
        Report image = imageFromHex(10, kFourEvents);
        removeEvent(image, row);
        QCOMPARE(slice(image, 10, 22), expected.remove(QLatin1Char(' ')));
    }

    void removingFromAFullImageClearsTheLastEvent()
    {
        Report image = zeroReport();
        for (int i = 0; i < kMaxEvents; ++i)
            writeEvent(image, 3 * i, 100, quint8(i + 1), true);
        removeEvent(image, 0);
        QCOMPARE(int(image[12]), 2);
        QCOMPARE(int(image[12 + 3 * 82]), 84);
        // Event 83 is gone; the delay after the new last event (byte 260) stays.
        QCOMPARE(slice(image, 259, 263), QStringLiteral("0002000000"));
    }

    void delayEditSetsTheByteAfterTheEvent()
    {
        Report image = imageFromHex(10, kFourEvents);
        setEventDelay(image, 1, 12000);
        setEventDelay(image, 3, 50);
        QCOMPARE(slice(image, 10, 23), QStringLiteral("80000400020480f0050001050001"));
        const Report before = image;
        setEventDelay(image, 84, 500);
        setEventDelay(image, -1, 500);
        QVERIFY(image == before);
    }
};

QTEST_APPLESS_MAIN(MacroCodecTest)
#include "tst_macrocodec.moc"
