// The device form of a macro: key codes, delay steps, event bytes, and the image
// edit that follows a delay edit.

#include "TestSupport.h"
#include "core/macro/MacroCodec.h"

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
        QTest::newRow("0") << int(Qt::Key_0) << 39 << QString();
        QTest::newRow("F1") << int(Qt::Key_F1) << 58 << "F1";
        QTest::newRow("Return") << int(Qt::Key_Return) << 88 << "Enter";
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << 88 << "Enter";
        QTest::newRow("minus") << int(Qt::Key_Minus) << 86 << "-";
        QTest::newRow("Control") << int(Qt::Key_Control) << 224 << "Ctrl";
        QTest::newRow("mouse back") << 8 << 0 << QString();
        QTest::newRow("F13") << int(Qt::Key_F13) << 0 << QString();
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
        QTest::newRow("44") << 44 << 0 << 40 << 40;
        QTest::newRow("45") << 45 << 0 << 50 << 50;
        QTest::newRow("49") << 49 << 0 << 50 << 50;
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
        QCOMPARE(slice(image, 0, 263), QString(20, QLatin1Char('0')) +
                                           QStringLiteral("80000400020400") +
                                           QString(247 * 2, QLatin1Char('0')));
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
