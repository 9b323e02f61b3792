// The colour stops, patterns and SURFACE of the LIGHTING page, driven through
// its buttons, fields, combo boxes and mouse events on the page.

#include "LightPageSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/PatternStore.h"
#include "core/lighting/StripStyle.h"
#include "core/storage/IniStore.h"
#include "ui/lighting/LightingPage.h"
#include "ui/shell/Globals.h"

#include <QLabel>
#include <QSlider>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

const QString kProfile = QStringLiteral("Mine");
constexpr int kStripY = 375;

void makePatterns(int count)
{
    for (int n = 1; n <= count; ++n)
        IniStore::createPatternFile(n, kProfile);
}

QPoint onStrip(int slot)
{
    return {slotX(slot), kStripY};
}

// Press on a stop, drag it through the slots of `path` and let go, all on the strip.
void dragStop(QWidget &page, int from, std::initializer_list<int> path)
{
    QVector<QPoint> points;
    for (int slot : path)
        points << onStrip(slot);
    sendMouse(&page, QEvent::MouseButtonPress, onStrip(from), Qt::LeftButton, Qt::LeftButton);
    for (QPoint p : points)
        sendMouse(&page, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    const QPoint last = points.isEmpty() ? onStrip(from) : points.last();
    sendMouse(&page, QEvent::MouseButtonRelease, last, Qt::LeftButton, Qt::NoButton);
}

QLabel *handle(QWidget &page, int slot)
{
    return child<QLabel>(page, QString("stop_handle_%1").arg(slot));
}

QString patternFile(int number)
{
    return readText(IniStore::patternPath(number, kProfile));
}

} // namespace

class LightStopsTest : public QObject
{
    Q_OBJECT

    PageRig rig;

    // A page editing kProfile's patterns, showing `effect` with pattern entry
    // `pattern` (-1: the one the effect's stored record chose).
    std::unique_ptr<LightingPage> openPage(int effect, int pattern = -1)
    {
        std::unique_ptr<LightingPage> page(new LightingPage);
        page->editedProfile = kProfile;
        page->refillPatternList();
        combo(*page, "effect_combo")->setCurrentIndex(effect);
        if (pattern >= 0)
            combo(*page, "pattern_combo")->setCurrentIndex(pattern);
        return page;
    }

private slots:
    void init() { rig.init(); }
    void cleanup() { rig.cleanup(); }

    void stopButtonsAndDragsEditTheStripAndItsFile()
    {
        makePatterns(6);
        auto page = openPage(EffectArrowFlow, 5);
        QSlider *strip = child<QSlider>(*page, "stops_slider");
        QCOMPARE(strip->styleSheet(), stripStyleSheet(defaultStops()));
        click(*page, "btn_add_stop");
        QCOMPARE(handle(*page, 1)->styleSheet(), newStopHandleStyle());

        dragStop(*page, 1, {2, 3, 4, 9});
        QCOMPARE(handle(*page, 9)->x(), stopX[9]);
        QCOMPARE(presentSlots(readPattern(5, kProfile).stops), (QVector<int>{0, 9, 10}));

        dragStop(*page, 9, {});
        enterColour(*page, {0, 128, 255});
        QCOMPARE(strip->styleSheet(), stripStyleSheet(page->model().stops()));
        QCOMPARE(handle(*page, 9)->styleSheet(), stopHandleStyle({0, 128, 255}, true));
        QCOMPARE(child<QLineEdit>(*page, "edit_code")->text(), QString("0080ff"));
        QCOMPARE(readPattern(5, kProfile).stops[9].color, (Rgb{0, 128, 255}));

        click(*page, "btn_del_stop");
        QVERIFY(handle(*page, 9)->isHidden());
        QCOMPARE(presentSlots(readPattern(5, kProfile).stops), (QVector<int>{0, 10}));
    }

    void builtInPatternsRefuseEdits()
    {
        makePatterns(6);
        savePattern(5, stopsAt({{5, {0, 255, 0}}}), {0, 0, 0}, kProfile);
        IniStore::writeIniFile(2, patternMap(stopsAt({{3, {10, 20, 30}}}), {1, 2, 3}), kProfile);
        const QString builtInFile = patternFile(3);

        auto page = openPage(EffectArrowFlow, 5);
        dragStop(*page, 5, {});                            // a user stop is selected ...
        combo(*page, "pattern_combo")->setCurrentIndex(2); // ... then a built-in is chosen
        QCOMPARE(page->model().flag().comboCount, 2);
        QCOMPARE(presentSlots(page->model().stops()), (QVector<int>{0, 3, 10}));
        QVERIFY(handle(*page, 3)->isHidden() && button(*page, "btn_add_stop")->isHidden());

        dragStop(*page, 3, {});
        enterColour(*page, {0, 0, 255});
        click(*page, "btn_add_stop");
        click(*page, "btn_del_stop");
        sendMouse(page.get(), QEvent::MouseButtonPress, {600, 500}, Qt::LeftButton,
                  Qt::LeftButton); // palette
        QCOMPARE(presentSlots(page->model().stops()), (QVector<int>{0, 3, 10}));
        QCOMPARE(page->model().stops()[3].color, (Rgb{10, 20, 30}));
        click(*page, "btn_pattern_del");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 6);
        QCOMPARE(patternFile(3), builtInFile);
    }

    void rippleWithFullPassesItsPatternOn()
    {
        // Ripple (FULL) and Arrow Flow (CUSTOMIZED) both chose user pattern 6.
        makePatterns(6);
        const StopSlots six = stopsAt({{4, {0, 255, 0}}, {7, {0, 0, 255}}});
        savePattern(5, six, {0, 0, 0}, kProfile);
        QVERIFY(writeText("system/light_flag.ini", "[arrow]\ncustomized=1\ncombo_count=5\n"
                                                   "[ripple]\nfull=1\ncombo_count=5\n"));
        auto page = openPage(EffectRipple);
        QVERIFY(lit(*page, "btn_full"));
        QCOMPARE(presentSlots(page->model().stops()), (QVector<int>{0, 4, 7, 10}));
        QVERIFY(handle(*page, 4)->isHidden() && handle(*page, 0)->isHidden());

        combo(*page, "effect_combo")->setCurrentIndex(EffectArrowFlow);
        rig.device.reports.clear();
        click(*page, "btn_apply");
        const ZoneColors z = interpolateZones(six);
        const QByteArray table = rig.device.reports.value(3);
        QCOMPARE(zonesIn(table, 76), z.r);
        QCOMPARE(zonesIn(table, 98), z.g);
        QCOMPARE(zonesIn(table, 120), z.b);
    }
};

QTEST_MAIN(LightStopsTest)
#include "tst_lightstops.moc"
