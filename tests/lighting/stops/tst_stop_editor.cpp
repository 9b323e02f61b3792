// The colour-stop model, the colour code and the style texts that show stops.

#include "lighting/stops/ColorCode.h"
#include "lighting/stops/StopEditor.h"
#include "lighting/stops/StripStyle.h"

#include <QtTest>

using namespace orvanta;

Q_DECLARE_METATYPE(orvanta::Rgb)
Q_DECLARE_METATYPE(orvanta::StopSlots)

namespace
{
StopSlots stopsWith(std::initializer_list<std::pair<int, Rgb>> middle)
{
    StopSlots s = defaultStops();
    for (const auto &m : middle)
        s[m.first] = {true, m.second};
    return s;
}

QVector<int> presentSlots(const StopSlots &s)
{
    QVector<int> out;
    for (int i = 0; i < kStopSlots; ++i)
        if (s[i].present)
            out << i;
    return out;
}

// x in the middle of slot i's hit zone.
int zoneX(int slot)
{
    return slot == 0 ? 530 : slot == 10 ? 917 : stop_x[slot] + 5;
}
} // namespace

class tst_stop_editor : public QObject
{
    Q_OBJECT
private slots:
    void colorCodeText_data();
    void colorCodeText();
    void parseColorCode_data();
    void parseColorCode();

    void hitZones_data();
    void hitZones();
    void addStopFillsLowestFreeSlot();
    void addStopRefusedWhenFull();
    void deleteOnlyMiddleStops_data();
    void deleteOnlyMiddleStops();
    void selectionRecordsNeighbours_data();
    void selectionRecordsNeighbours();
    void dragStaysStrictlyBetweenNeighbours_data();
    void dragStaysStrictlyBetweenNeighbours();
    void dragCarriesColour();
    void recolourSelected();
    void builtInPatternRefusesEdits();
    void loadedSetKeepsItsEnds();

    void stripStyleSheet_data();
    void stripStyleSheet();
    void patternEntryGradient();
    void handleStyles();
};

void tst_stop_editor::colorCodeText_data()
{
    QTest::addColumn<Rgb>("color");
    QTest::addColumn<QString>("code");
    QTest::newRow("palette pick") << Rgb{0, 128, 255} << "0080ff";
    QTest::newRow("start-up red") << Rgb{255, 0, 0} << "ff0000";
    QTest::newRow("small values padded") << Rgb{1, 10, 15} << "010a0f";
    QTest::newRow("out of range clamped") << Rgb{300, -4, 17} << "ff0011";
}

void tst_stop_editor::colorCodeText()
{
    QFETCH(Rgb, color);
    QFETCH(QString, code);
    QCOMPARE(orvanta::colorCodeText(color), code);
}

void tst_stop_editor::parseColorCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<Rgb>("color");
    QTest::newRow("six digits") << "0080ff" << Rgb{0, 128, 255};
    QTest::newRow("upper case") << "FF8000" << Rgb{255, 128, 0};
    QTest::newRow("three digits") << "f80" << Rgb{255, 136, 0};
    QTest::newRow("empty") << "" << Rgb{0, 0, 0};
    QTest::newRow("five digits") << "12345" << Rgb{0, 0, 0};
    QTest::newRow("not hex") << "gg0000" << Rgb{0, 0, 0};
    QTest::newRow("colour word") << "red" << Rgb{0, 0, 0};
    QTest::newRow("eight digits") << "ff112233" << Rgb{0, 0, 0};
    QTest::newRow("with hash") << "#ff00" << Rgb{0, 0, 0};
    QTest::newRow("blank inside") << "ff 000" << Rgb{0, 0, 0};
}

void tst_stop_editor::parseColorCode()
{
    QFETCH(QString, text);
    QFETCH(Rgb, color);
    QCOMPARE(orvanta::parseColorCode(text), color);
}

void tst_stop_editor::hitZones_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("slot");
    QTest::newRow("before strip") << 524 << -1;
    QTest::newRow("slot 0 first") << 525 << 0;
    QTest::newRow("slot 0 last") << 534 << 0;
    QTest::newRow("gap after 0") << 535 << -1;
    QTest::newRow("slot 1 edge") << 566 << -1;
    QTest::newRow("slot 1 first") << 567 << 1;
    QTest::newRow("slot 1 last") << 576 << 1;
    QTest::newRow("slot 2") << 605 << 2;
    QTest::newRow("slot 9 last") << 880 << 9;
    QTest::newRow("gap before 10") << 912 << -1;
    QTest::newRow("slot 10 first") << 913 << 10;
    QTest::newRow("slot 10 last") << 922 << 10;
    QTest::newRow("past strip") << 923 << -1;
}

void tst_stop_editor::hitZones()
{
    QFETCH(int, x);
    QFETCH(int, slot);
    QCOMPARE(stopSlotAtX(x), slot);
}

void tst_stop_editor::addStopFillsLowestFreeSlot()
{
    StopEditor ed(stopsWith({{2, {1, 2, 3}}}));
    QCOMPARE(ed.presentCount(), 3);
    QCOMPARE(ed.addStop(), 1);
    QCOMPARE(ed.addStop(), 3);
    QCOMPARE(ed.presentCount(), 5);
    QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 1, 2, 3, 10}));
    QCOMPARE(ed.stops()[1].color, (Rgb{255, 0, 0}));
    QCOMPARE(ed.stops()[3].color, (Rgb{255, 0, 0}));
    QCOMPARE(ed.stops()[2].color, (Rgb{1, 2, 3}));

    // From the start-up stops: slot 1, then slot 2.
    StopEditor fresh;
    QCOMPARE(fresh.addStop(), 1);
    QCOMPARE(fresh.addStop(), 2);
}

void tst_stop_editor::addStopRefusedWhenFull()
{
    StopEditor ed;
    for (int i = 1; i <= 9; ++i)
        QCOMPARE(ed.addStop(), i);
    QCOMPARE(ed.presentCount(), 11);
    ed.recolourSelected({9, 9, 9}); // nothing selected: no change
    const StopSlots before = ed.stops();
    QCOMPARE(ed.addStop(), -1);
    QCOMPARE(ed.presentCount(), 11);
    for (int i = 0; i < kStopSlots; ++i)
        QCOMPARE(ed.stops()[i].color, before[i].color);
}

void tst_stop_editor::deleteOnlyMiddleStops_data()
{
    QTest::addColumn<int>("selectX");
    QTest::addColumn<int>("freed");
    QTest::addColumn<QVector<int>>("left");
    QTest::newRow("middle stop") << zoneX(4) << 4 << QVector<int>{0, 7, 10};
    QTest::newRow("left end") << zoneX(0) << -1 << QVector<int>{0, 4, 7, 10};
    QTest::newRow("right end") << zoneX(10) << -1 << QVector<int>{0, 4, 7, 10};
    QTest::newRow("nothing selected") << 540 << -1 << QVector<int>{0, 4, 7, 10};
}

void tst_stop_editor::deleteOnlyMiddleStops()
{
    QFETCH(int, selectX);
    QFETCH(int, freed);
    QFETCH(QVector<int>, left);
    StopEditor ed(stopsWith({{4, {1, 1, 1}}, {7, {2, 2, 2}}}));
    ed.selectAtX(selectX);
    QCOMPARE(ed.deleteSelected(), freed);
    QCOMPARE(presentSlots(ed.stops()), left);
    QCOMPARE(ed.presentCount(), left.size());
    if (freed >= 0)
        QVERIFY(!ed.hasSelection());
}

void tst_stop_editor::selectionRecordsNeighbours_data()
{
    QTest::addColumn<int>("slot");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");
    QTest::newRow("middle 4") << 4 << 4 << 2 << 6;
    QTest::newRow("middle 2") << 2 << 2 << 0 << 4;
    QTest::newRow("middle 6") << 6 << 6 << 4 << 10;
    QTest::newRow("end 0") << 0 << 0 << -1 << -1;
    QTest::newRow("end 10") << 10 << 10 << -1 << -1;
    QTest::newRow("free slot") << 5 << -1 << -1 << -1;
}

void tst_stop_editor::selectionRecordsNeighbours()
{
    QFETCH(int, slot);
    QFETCH(int, selected);
    QFETCH(int, left);
    QFETCH(int, right);
    StopEditor ed(stopsWith({{2, {}}, {4, {}}, {6, {}}}));
    QCOMPARE(ed.selectAtX(zoneX(slot)), selected);
    QCOMPARE(ed.selectedSlot(), selected);
    QCOMPARE(ed.leftNeighbour(), left);
    QCOMPARE(ed.rightNeighbour(), right);
}

void tst_stop_editor::dragStaysStrictlyBetweenNeighbours_data()
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

void tst_stop_editor::dragStaysStrictlyBetweenNeighbours()
{
    QFETCH(int, target);
    QFETCH(bool, moves);
    StopEditor ed(stopsWith({{2, {}}, {4, {}}, {6, {}}}));
    QCOMPARE(ed.selectAtX(zoneX(4)), 4);
    QCOMPARE(ed.dragToX(zoneX(target)), moves);
    const int at = moves ? target : 4;
    QCOMPARE(ed.selectedSlot(), at);
    QVector<int> expected{0, 2, at, 6, 10};
    std::sort(expected.begin(), expected.end());
    QCOMPARE(presentSlots(ed.stops()), expected);
}

void tst_stop_editor::dragCarriesColour()
{
    StopEditor ed(stopsWith({{2, {10, 20, 30}}, {6, {40, 50, 60}}}));
    QCOMPARE(ed.selectAtX(zoneX(2)), 2);
    QVERIFY(ed.dragToX(zoneX(3)));
    QVERIFY(ed.dragToX(zoneX(5)));
    QVERIFY(!ed.dragToX(zoneX(7))); // right neighbour stays at 6
    QVERIFY(!ed.dragToX(600));      // between zones
    QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 5, 6, 10}));
    QCOMPARE(ed.stops()[5].color, (Rgb{10, 20, 30}));
    QCOMPARE(ed.stops()[6].color, (Rgb{40, 50, 60}));
    QCOMPARE(ed.presentCount(), 4);
    // An end stop is never dragged.
    QCOMPARE(ed.selectAtX(zoneX(0)), 0);
    QVERIFY(!ed.dragToX(zoneX(1)));
    QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 5, 6, 10}));
}

void tst_stop_editor::recolourSelected()
{
    StopEditor ed(stopsWith({{3, {1, 1, 1}}}));
    QVERIFY(!ed.recolourSelected({7, 8, 9}));
    QCOMPARE(ed.selectAtX(zoneX(10)), 10);
    QVERIFY(ed.recolourSelected({7, 8, 9}));
    QCOMPARE(ed.stops()[10].color, (Rgb{7, 8, 9}));
    QCOMPARE(ed.stops()[3].color, (Rgb{1, 1, 1}));
    QCOMPARE(ed.stops()[0].color, (Rgb{255, 0, 0}));
}

void tst_stop_editor::builtInPatternRefusesEdits()
{
    const StopSlots original = stopsWith({{5, {0, 200, 0}}});
    StopEditor ed(original);
    QCOMPARE(ed.selectAtX(zoneX(5)), 5);
    ed.setReadOnly(true);
    QVERIFY(!ed.hasSelection());
    QCOMPARE(ed.selectAtX(zoneX(5)), -1);
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

void tst_stop_editor::loadedSetKeepsItsEnds()
{
    StopSlots broken{};
    broken[0].color = {1, 2, 3};
    broken[4] = {true, {4, 4, 4}};
    StopEditor ed;
    QCOMPARE(ed.selectAtX(zoneX(0)), 0);
    ed.setStops(broken);
    QVERIFY(!ed.hasSelection());
    QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 4, 10}));
    QCOMPARE(ed.stops()[0].color, (Rgb{1, 2, 3}));
}

void tst_stop_editor::stripStyleSheet_data()
{
    const QString tail =
        QStringLiteral("height: 10px; margin: -5px 5px 0px 5px; left: 5px; right: 0px; top:-7px;} "
                       "QSlider::handle:horizontal {border-image: url(\"Image/bar_bright.png\"); "
                       "width: 20px; height: 20px; margin: -10px -1px -15px -5px; top:15px;}");
    const QString head = QStringLiteral("QSlider::groove:horizontal {background:"
                                        "qlineargradient(x1 : 0, y1 : 0, x2 : 1, y2 : 0, ");
    QTest::addColumn<StopSlots>("stops");
    QTest::addColumn<QString>("style");
    QTest::newRow("start-up stops")
        << defaultStops() << head + "stop : 0.0 rgb(255,0,0), stop : 1 rgb(0,0,0)); " + tail;
    StopSlots middle = stopsWith({{3, {0, 128, 255}}});
    middle[10].color = {12, 34, 56};
    QTest::newRow("one middle stop")
        << middle
        << head + "stop : 0.0 rgb(255,0,0), stop : 0.3 rgb(0,128,255), stop : 1 rgb(12,34,56)); " +
               tail;
    StopSlots two = stopsWith({{9, {9, 9, 9}}, {1, {1, 1, 1}}});
    two[5].color = {5, 5, 5}; // colour of a free slot is not shown
    QTest::newRow("slots 1 and 9 in order")
        << two
        << head +
               "stop : 0.0 rgb(255,0,0), stop : 0.1 rgb(1,1,1), stop : 0.9 rgb(9,9,9), "
               "stop : 1 rgb(0,0,0)); " +
               tail;
}

void tst_stop_editor::stripStyleSheet()
{
    QFETCH(StopSlots, stops);
    QFETCH(QString, style);
    QCOMPARE(orvanta::stripStyleSheet(stops), style);
}

void tst_stop_editor::patternEntryGradient()
{
    const QLinearGradient g = orvanta::patternEntryGradient(stopsWith({{4, {0, 128, 255}}}));
    QCOMPARE(g.start(), QPointF(0, 0));
    QCOMPARE(g.finalStop(), QPointF(150, 0));
    const QGradientStops s = g.stops();
    QCOMPARE(s.size(), 3);
    QCOMPARE(s[0], QGradientStop(0.0, QColor(255, 0, 0)));
    QCOMPARE(s[1], QGradientStop(0.4, QColor(0, 128, 255)));
    QCOMPARE(s[2], QGradientStop(1.0, QColor(0, 0, 0)));
}

void tst_stop_editor::handleStyles()
{
    QCOMPARE(stopHandleStyle({0, 128, 255}, true),
             QStringLiteral("background-color:rgb(0,128,255); border:1px solid white"));
    QCOMPARE(stopHandleStyle({0, 128, 255}, false),
             QStringLiteral("background-color:rgb(0,128,255); border:1px solid gray;"));
    QCOMPARE(newStopHandleStyle(), QStringLiteral("background-color:red; border:1px solid gray;"));
    QCOMPARE(surfaceSwatchStyle({1, 2, 3}, true),
             QStringLiteral("background-color:rgb(1,2,3); border:2px solid white"));
}

QTEST_APPLESS_MAIN(tst_stop_editor)
#include "tst_stop_editor.moc"
