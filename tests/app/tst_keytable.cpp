// The key table, the hit test and the new-key capture table.

#include "app/KeyCapture.h"
#include "app/KeyTable.h"
#include "device/DefaultKeyMap.h"

#include <QSet>
#include <QtTest>

using namespace orvanta;

class KeyTableTest : public QObject
{
    Q_OBJECT
private slots:
    void everyKeyMatchesTheFactoryKeyMap()
    {
        QSet<int> matrices;
        for (int i = 0; i < kKeyCount; ++i) {
            const KeyRow &k = KEY_TABLE[i];
            if (i == 67 || i == 71) {
                QVERIFY(k.label == nullptr);
                QVERIFY(k.hit.empty());
                continue;
            }
            QVERIFY2(k.matrix >= 0 && k.matrix < 128, qPrintable(QString::number(i)));
            QCOMPARE(int(DEFAULT_KEY_MAP[k.matrix]), int(k.usage));
            QVERIFY(!matrices.contains(k.matrix));
            matrices.insert(k.matrix);
        }
        QCOMPARE(matrices.size(), 102);
    }

    void centreOfEveryHitRegionSelectsItsKey()
    {
        for (int i = 0; i < kKeyCount; ++i) {
            const KeyRange &r = KEY_TABLE[i].hit;
            if (r.empty())
                continue;
            const int x = (r.x0 + r.x1) / 2, y = (r.y0 + r.y1) / 2;
            QVERIFY(inKeyboardArea(x, y));
            QCOMPARE(hitTestKey(x, y), i);
        }
        // Where two regions overlap, the key further left in its row wins.
        QCOMPARE(hitTestKey(1012, 340), 103);
        QCOMPARE(hitTestKey(1014, 340), 101);
    }

    void gapsAndOutsideSelectNothing_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::newRow("between Esc and F1") << QPoint(410, 185);
        QTest::newRow("between two rows") << QPoint(380, 206);
        QTest::newRow("left Windows key has no region") << QPoint(413, 342);
        QTest::newRow("key between right Alt and Menu") << QPoint(729, 342);
        QTest::newRow("left of the keyboard") << QPoint(100, 300);
        QTest::newRow("below the keyboard") << QPoint(600, 600);
    }
    void gapsAndOutsideSelectNothing()
    {
        QFETCH(QPoint, point);
        QCOMPARE(hitTestKey(point.x(), point.y()), kNoKey);
    }

    void capturedKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("usage"); // -1: the captured usage stays as it was
        QTest::newRow("F1") << int(Qt::Key_F1) << "" << false << "F1" << 0x3A;
        QTest::newRow("F12") << int(Qt::Key_F12) << "" << false << "F12" << 0x45;
        QTest::newRow("main 0") << int(Qt::Key_0) << "0" << false << "0" << 0x27;
        QTest::newRow("main 1") << int(Qt::Key_1) << "1" << false << "1" << 0x1E;
        QTest::newRow("main 9") << int(Qt::Key_9) << "9" << false << "9" << 0x26;
        QTest::newRow("keypad 0") << int(Qt::Key_0) << "0" << true << "0" << 0x62;
        QTest::newRow("keypad 1") << int(Qt::Key_1) << "1" << true << "1" << 0x59;
        QTest::newRow("keypad 9") << int(Qt::Key_9) << "9" << true << "9" << 0x61;
        QTest::newRow("a") << int(Qt::Key_A) << "a" << false << "a" << 0x04;
        QTest::newRow("Z") << int(Qt::Key_Z) << "Z" << false << "Z" << 0x1D;
        QTest::newRow("equals") << int(Qt::Key_Equal) << "=" << false << "=" << 0x2E;
        QTest::newRow("apostrophe") << int(Qt::Key_Apostrophe) << "'" << false << "'" << 0x34;
        QTest::newRow("backquote") << int(Qt::Key_QuoteLeft) << "`" << false << "`" << 0x35;
        QTest::newRow("Return") << int(Qt::Key_Return) << "\r" << false << "Enter" << 0x28;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r" << true << "Enter" << 0x58;
        QTest::newRow("Print") << int(Qt::Key_Print) << "" << false << "PrtScr" << 0x46;
        QTest::newRow("Page Down") << int(Qt::Key_PageDown) << "" << false << "PageDown" << 0x4E;
        QTest::newRow("Control") << int(Qt::Key_Control) << "" << false << "Ctrl" << 0xE0;
        QTest::newRow("Num Lock") << int(Qt::Key_NumLock) << "" << false << "Num" << 0x53;
        QTest::newRow("ampersand keeps the code") << int(Qt::Key_Ampersand) << "&" << false << "&" << -1;
        QTest::newRow("F13 keeps the code") << int(Qt::Key_F13) << "" << false << "" << -1;
    }
    void capturedKeys()
    {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, keypad);
        QFETCH(QString, label);
        QFETCH(int, usage);
        const CapturedKey c = captureKey(key, text, keypad);
        QCOMPARE(c.label, label);
        QCOMPARE(c.hasUsage, usage >= 0);
        if (usage >= 0)
            QCOMPARE(int(c.usage), usage);
    }
};

QTEST_GUILESS_MAIN(KeyTableTest)
#include "tst_keytable.moc"
