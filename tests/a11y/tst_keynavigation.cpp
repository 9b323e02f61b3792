// The key cursor's moves over the pictured keyboard: the nearest key in the
// physical layout, worked out by hand from the key caps of the picture (the keys'
// regions), and the
// keys a Shift+arrow marking spans.

#include "core/keys/KeyNavigation.h"

#include <QtTest>

using namespace orvanta;

class KeyNavigationTest : public QObject
{
    Q_OBJECT
private slots:
    void movesToTheNearestKeyThatWay_data()
    {
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("to");
        const int left = int(KeyDirection::Left), right = int(KeyDirection::Right),
                  up = int(KeyDirection::Up), down = int(KeyDirection::Down);
        // key indices: F 45, R 31, D 44, G 46, V 58, ESC 0, ~ 13, Caps 41,
        // Enter 53, keypad 4 95, Space 69, B 59, Up 83, Down 85, Left 84,
        // Del 80, keypad 0 102, keypad . 103, F12 12, PrtSc 74, Back 26, F11 11
        QTest::newRow("up from F is R") << 45 << up << 31;
        QTest::newRow("down from F is V (centre 13 px right, C 17 left)") << 45 << down << 58;
        QTest::newRow("left from F is D") << 45 << left << 44;
        QTest::newRow("right from F is G") << 45 << right << 46;
        QTest::newRow("nothing above ESC") << 0 << up << 0;
        QTest::newRow("down from ESC is ~") << 0 << down << 13;
        QTest::newRow("nothing left of Caps") << 41 << left << 41;
        QTest::newRow("right from Enter keeps the row: keypad 4") << 53 << right << 95;
        QTest::newRow("up from Space is B") << 69 << up << 59;
        QTest::newRow("down from the Up arrow") << 83 << down << 85;
        QTest::newRow("up from Left keeps the column: Del") << 84 << up << 80;
        QTest::newRow("keypad 0 to keypad .") << 102 << right << 103;
        QTest::newRow("F12 to PrtSc") << 12 << right << 74;
        QTest::newRow("up from Back is F11") << 26 << up << 11;
        QTest::newRow("a cell without a key starts at ESC") << 67 << right << 0;
    }
    void movesToTheNearestKeyThatWay()
    {
        QFETCH(int, from);
        QFETCH(int, direction);
        QFETCH(int, to);
        QCOMPARE(keyInDirection(from, KeyDirection(direction)), to);
    }

    void markingSpansTheKeysBetween()
    {
        QCOMPARE(firstNavigableKey(), 0);
        // Q (28) to S (43): Q, W, A, S; not E, Tab or Caps.
        QCOMPARE(keysSpannedBy(28, 43), (QVector<int>{28, 29, 42, 43}));
        QCOMPARE(keysSpannedBy(43, 28), (QVector<int>{28, 29, 42, 43}));
        QCOMPARE(keysSpannedBy(45, 45), QVector<int>{45});
        QVERIFY(keysSpannedBy(28, 67).isEmpty()); // no key in that cell
        // Ctrl (66) to Alt (68) along the bottom row: the empty cell between is skipped.
        QCOMPARE(keysSpannedBy(66, 68), (QVector<int>{66, 68}));
    }
};

QTEST_GUILESS_MAIN(KeyNavigationTest)
#include "tst_keynavigation.moc"
