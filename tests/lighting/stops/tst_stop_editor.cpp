// The colour-stop model, the colour code and the style texts that show stops.

#include "../LightingTestSupport.h"
#include "lighting/stops/ColorCode.h"
#include "lighting/stops/StripStyle.h"

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(orvanta::Rgb)
Q_DECLARE_METATYPE(orvanta::StopSlots)

class tst_stop_editor : public QObject
{
    Q_OBJECT
private slots:
    void colorCodeText_data()
    {
        QTest::addColumn<Rgb>("color");
        QTest::addColumn<QString>("code");
        QTest::newRow("palette pick") << Rgb{0, 128, 255} << "0080ff";
        QTest::newRow("small values padded") << Rgb{1, 10, 15} << "010a0f";
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

    void hitZones_data()
    {
        // x -> slot at the edges of every kind of zone and gap
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("slot");
        const QVector<QPair<int, int>> cases{
            {524, -1}, {525, 0},  {534, 0},  {535, -1}, {566, -1}, {567, 1},  {576, 1},
            {605, 2},  {880, 9},  {912, -1}, {913, 10}, {922, 10}, {923, -1}};
        for (const auto &c : cases)
            QTest::addRow("x %d", c.first) << c.first << c.second;
    }
    void hitZones()
    {
        QFETCH(int, x);
        QFETCH(int, slot);
        QCOMPARE(stopSlotAtX(x), slot);
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
        QCOMPARE(ed.presentCount(), 11);
        ed.recolourSelected({9, 9, 9}); // nothing selected: no change
        const StopSlots before = ed.stops();
        QCOMPARE(ed.addStop(), -1);
        for (int i = 0; i < kStopSlots; ++i)
            QCOMPARE(ed.stops()[i].color, before[i].color);
    }

    void deleteOnlyMiddleStops_data()
    {
        QTest::addColumn<int>("selectX");
        QTest::addColumn<int>("freed");
        QTest::addColumn<QVector<int>>("left");
        QTest::newRow("middle stop") << slotX(4) << 4 << QVector<int>{0, 7, 10};
        QTest::newRow("left end") << slotX(0) << -1 << QVector<int>{0, 4, 7, 10};
        QTest::newRow("right end") << slotX(10) << -1 << QVector<int>{0, 4, 7, 10};
        QTest::newRow("nothing selected") << 540 << -1 << QVector<int>{0, 4, 7, 10};
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
        QCOMPARE(ed.presentCount(), left.size());
        if (freed >= 0)
            QVERIFY(!ed.hasSelection());
    }

    void selectionRecordsNeighbours_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<QList<int>>("result"); // selected, left, right
        QTest::newRow("middle 4") << 4 << QList<int>{4, 2, 6};
        QTest::newRow("middle 2") << 2 << QList<int>{2, 0, 4};
        QTest::newRow("middle 6") << 6 << QList<int>{6, 4, 10};
        QTest::newRow("end 0") << 0 << QList<int>{0, -1, -1};
        QTest::newRow("end 10") << 10 << QList<int>{10, -1, -1};
        QTest::newRow("free slot") << 5 << QList<int>{-1, -1, -1};
    }
    void selectionRecordsNeighbours()
    {
        QFETCH(int, slot);
        QFETCH(QList<int>, result);
        StopEditor ed(stopsAt({{2, {}}, {4, {}}, {6, {}}}));
        QCOMPARE(ed.selectAtX(slotX(slot)), result[0]);
        QCOMPARE((QList<int>{ed.selectedSlot(), ed.leftNeighbour(), ed.rightNeighbour()}),
                 result);
    }

    void dragStaysStrictlyBetweenNeighbours_data()
    {
        // A stop at slot 4 between stops at 2 and 6.
        QTest::addColumn<int>("target");
        QTest::addColumn<bool>("moves");
        QTest::newRow("onto left neighbour") << 2 << false;
        QTest::newRow("3") << 3 << true;
        QTest::newRow("own slot") << 4 << false;
        QTest::newRow("5") << 5 << true;
        QTest::newRow("onto right neighbour") << 6 << false;
        QTest::newRow("beyond right") << 8 << false;
        QTest::newRow("beyond left") << 1 << false;
        QTest::newRow("end slot") << 10 << false;
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

    void dragCarriesColour()
    {
        StopEditor ed(stopsAt({{2, {10, 20, 30}}, {6, {40, 50, 60}}}));
        QCOMPARE(ed.selectAtX(slotX(2)), 2);
        QVERIFY(ed.dragToX(slotX(3)));
        QVERIFY(ed.dragToX(slotX(5)));
        QVERIFY(!ed.dragToX(slotX(7))); // right neighbour stays at 6
        QVERIFY(!ed.dragToX(600));      // between zones
        QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 5, 6, 10}));
        QCOMPARE(ed.stops()[5].color, (Rgb{10, 20, 30}));
        QCOMPARE(ed.stops()[6].color, (Rgb{40, 50, 60}));
        QCOMPARE(ed.selectAtX(slotX(0)), 0); // an end stop is never dragged
        QVERIFY(!ed.dragToX(slotX(1)));
        QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 5, 6, 10}));
    }

    void recolourSelected()
    {
        StopEditor ed(stopsAt({{3, {1, 1, 1}}}));
        QVERIFY(!ed.recolourSelected({7, 8, 9}));
        QCOMPARE(ed.selectAtX(slotX(10)), 10);
        QVERIFY(ed.recolourSelected({7, 8, 9}));
        QCOMPARE(ed.stops()[10].color, (Rgb{7, 8, 9}));
        QCOMPARE(ed.stops()[3].color, (Rgb{1, 1, 1}));
        QCOMPARE(ed.stops()[0].color, (Rgb{255, 0, 0}));
    }

    void builtInPatternRefusesEdits()
    {
        const StopSlots original = stopsAt({{5, {0, 200, 0}}});
        StopEditor ed(original);
        QCOMPARE(ed.selectAtX(slotX(5)), 5);
        ed.setReadOnly(true);
        QVERIFY(!ed.hasSelection());
        QCOMPARE(ed.selectAtX(slotX(5)), -1);
        QCOMPARE(ed.selectSlot(0), -1);
        QVERIFY(!ed.recolourSelected({1, 2, 3}));
        QCOMPARE(ed.addStop(), -1);
        QCOMPARE(ed.deleteSelected(), -1);
        QVERIFY(!ed.moveSelectedTo(4));
        for (int i = 0; i < kStopSlots; ++i) {
            QCOMPARE(ed.stops()[i].present, original[i].present);
            QCOMPARE(ed.stops()[i].color, original[i].color);
        }
        ed.setReadOnly(false);
        QCOMPARE(ed.addStop(), 1);
    }

    void loadedSetKeepsItsEnds()
    {
        StopSlots broken{};
        broken[0].color = {1, 2, 3};
        broken[4] = {true, {4, 4, 4}};
        StopEditor ed;
        QCOMPARE(ed.selectAtX(slotX(0)), 0);
        ed.setStops(broken);
        QVERIFY(!ed.hasSelection());
        QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 4, 10}));
        QCOMPARE(ed.stops()[0].color, (Rgb{1, 2, 3}));
    }

    void stripStyleSheet_data()
    {
        const QString head = "QSlider::groove:horizontal {background:qlineargradient(x1 : 0, "
                             "y1 : 0, x2 : 1, y2 : 0, stop : 0.0 rgb(255,0,0), ";
        const QString tail =
            "height: 10px; margin: -5px 5px 0px 5px; left: 5px; right: 0px; top:-7px;} "
            "QSlider::handle:horizontal {border-image: url(\"Image/bar_bright.png\"); "
            "width: 20px; height: 20px; margin: -10px -1px -15px -5px; top:15px;}";
        QTest::addColumn<StopSlots>("stops");
        QTest::addColumn<QString>("style");
        QTest::newRow("start-up stops") << defaultStops() << head + "stop : 1 rgb(0,0,0)); " + tail;
        StopSlots middle = stopsAt({{3, {0, 128, 255}}});
        middle[10].color = {12, 34, 56};
        QTest::newRow("one middle stop")
            << middle << head + "stop : 0.3 rgb(0,128,255), stop : 1 rgb(12,34,56)); " + tail;
        StopSlots two = stopsAt({{9, {9, 9, 9}}, {1, {1, 1, 1}}});
        two[5].color = {5, 5, 5}; // colour of a free slot is not shown
        QTest::newRow("slots 1 and 9 in order") << two
            << head + "stop : 0.1 rgb(1,1,1), stop : 0.9 rgb(9,9,9), stop : 1 rgb(0,0,0)); " + tail;
    }
    void stripStyleSheet()
    {
        QFETCH(StopSlots, stops);
        QFETCH(QString, style);
        QCOMPARE(orvanta::stripStyleSheet(stops), style);
    }

    void patternEntryGradientAndHandleStyles()
    {
        const QLinearGradient g = orvanta::patternEntryGradient(stopsAt({{4, {0, 128, 255}}}));
        QCOMPARE(g.start(), QPointF(0, 0));
        QCOMPARE(g.finalStop(), QPointF(150, 0));
        QCOMPARE(g.stops(), (QGradientStops{{0.0, QColor(255, 0, 0)},
                                            {0.4, QColor(0, 128, 255)},
                                            {1.0, QColor(0, 0, 0)}}));
        QCOMPARE(stopHandleStyle({0, 128, 255}, true),
                 QStringLiteral("background-color:rgb(0,128,255); border:1px solid white"));
        QCOMPARE(stopHandleStyle({0, 128, 255}, false),
                 QStringLiteral("background-color:rgb(0,128,255); border:1px solid gray;"));
        QCOMPARE(newStopHandleStyle(), QString("background-color:red; border:1px solid gray;"));
        QCOMPARE(surfaceSwatchStyle({1, 2, 3}, true),
                 QStringLiteral("background-color:rgb(1,2,3); border:2px solid white"));
    }
};

QTEST_APPLESS_MAIN(tst_stop_editor)
#include "tst_stop_editor.moc"
