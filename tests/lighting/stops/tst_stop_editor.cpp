// The colour-stop model and the colour code.

#include "../LightingTestSupport.h"
#include "core/lighting/ColorCode.h"

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(orvanta::Rgb)

class StopEditorTest : public QObject
{
    Q_OBJECT
private slots:
    void colorCodeText_data()
    {
        QTest::addColumn<Rgb>("color");
        QTest::addColumn<QString>("code");
        QTest::newRow("palette pick") << Rgb{0, 128, 255} << "0080ff";
        QTest::newRow("out of range clamped") << Rgb{300, -4, 17} << "ff0011";
    }
    void colorCodeText()
    {
        QFETCH(Rgb, color);
        QFETCH(QString, code);
        QCOMPARE(orvanta::colorCodeText(color), code);
    }

    void parseColorCode_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<Rgb>("color");
        QTest::newRow("six digits") << "0080ff" << Rgb{0, 128, 255};
        QTest::newRow("upper case") << "FF8000" << Rgb{255, 128, 0};
        QTest::newRow("three digits") << "f80" << Rgb{255, 136, 0};
        for (const char *bad : {"", "12345", "gg0000", "red", "ff112233", "#ff00", "ff 000"})
            QTest::addRow("bad '%s'", bad) << bad << Rgb{0, 0, 0};
    }
    void parseColorCode()
    {
        QFETCH(QString, text);
        QFETCH(Rgb, color);
        QCOMPARE(orvanta::parseColorCode(text), color);
    }

    void addStopFillsLowestFreeSlotUntilEleven()
    {
        StopEditor ed(stopsAt({{2, {1, 2, 3}}}));
        QCOMPARE(ed.addStop(), 1);
        QCOMPARE(ed.addStop(), 3);
        QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 1, 2, 3, 10}));
        QCOMPARE(ed.stops()[3].color, (Rgb{255, 0, 0}));
        QCOMPARE(ed.stops()[2].color, (Rgb{1, 2, 3}));
        for (int i = 4; i <= 9; ++i)
            QCOMPARE(ed.addStop(), i);
        QCOMPARE(ed.addStop(), -1); // eleven stops
        QCOMPARE(ed.presentCount(), 11);
    }

    void deleteOnlyMiddleStops_data()
    {
        QTest::addColumn<int>("selectX");
        QTest::addColumn<int>("freed");
        QTest::addColumn<QVector<int>>("left");
        QTest::newRow("middle stop") << slotX(4) << 4 << QVector<int>{0, 7, 10};
        QTest::newRow("left end") << slotX(0) << -1 << QVector<int>{0, 4, 7, 10};
        QTest::newRow("right end") << slotX(10) << -1 << QVector<int>{0, 4, 7, 10};
    }
    void deleteOnlyMiddleStops()
    {
        QFETCH(int, selectX);
        QFETCH(int, freed);
        QFETCH(QVector<int>, left);
        StopEditor ed(stopsAt({{4, {1, 1, 1}}, {7, {2, 2, 2}}}));
        ed.selectAtX(selectX);
        QCOMPARE(ed.deleteSelected(), freed);
        QCOMPARE(presentSlots(ed.stops()), left);
        if (freed >= 0)
            QVERIFY(!ed.hasSelection());
    }

    void dragStaysStrictlyBetweenNeighbours_data()
    {
        // A stop at slot 4 between stops at 2 and 6.
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("moves");
        QTest::newRow("onto left neighbour") << 2 << false;
        QTest::newRow("own slot") << 4 << false;
        QTest::newRow("5") << 5 << true;
        QTest::newRow("onto right neighbour") << 6 << false;
        QTest::newRow("beyond right") << 8 << false;
    }
    void dragStaysStrictlyBetweenNeighbours()
    {
        QFETCH(int, target);
        QFETCH(bool, moves);
        StopEditor ed(stopsAt({{2, {}}, {4, {}}, {6, {}}}));
        QCOMPARE(ed.selectAtX(slotX(4)), 4);
        QCOMPARE(ed.dragToX(slotX(target)), moves);
        const int at = moves ? target : 4;
        QCOMPARE(ed.selectedSlot(), at);
        QVector<int> expected{0, 2, at, 6, 10};
        std::sort(expected.begin(), expected.end());
        QCOMPARE(presentSlots(ed.stops()), expected);
    }
};

QTEST_APPLESS_MAIN(StopEditorTest)
#include "tst_stop_editor.moc"
