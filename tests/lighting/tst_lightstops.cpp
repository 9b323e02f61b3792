// The colour stops, patterns and SURFACE of the LIGHTING page, driven through
// its buttons, fields, combo boxes and mouse events on the page.

#include "LightPageSupport.h"
#include "app/Globals.h"
#include "device/key_main_sand_cmd.h"
#include "lighting/keyboard_light_view.h"
#include "lighting/stops/PatternStore.h"
#include "lighting/stops/StripStyle.h"
#include "storage/readini.h"

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
        readini::newini_lightfile(n, kProfile);
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
    return readText(readini::patternPath(number, kProfile));
}

} // namespace

class LightStopsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    RecordingDevice device;
    PauseRecorder pauses;
    key_main_sand_cmd sender;

    // A page editing kProfile's patterns, showing `effect` with pattern entry `pattern`.
    std::unique_ptr<keyboard_light_view> openPage(int effect, int pattern)
    {
        std::unique_ptr<keyboard_light_view> page(new keyboard_light_view);
        page->profile_name = kProfile;
        page->key_r_insertcombo();
        combo(*page, "effect_combo")->setCurrentIndex(effect);
        combo(*page, "pattern_combo")->setCurrentIndex(pattern);
        return page;
    }

private slots:
    void init()
    {
        dir.reset(new TempWorkDir);
        device.reports.clear();
        sender.setPauseFunction(pauses.function());
        gCommandSender = &sender;
        gDeviceHandle = &device;
    }
    void cleanup()
    {
        gCommandSender = nullptr;
        gDeviceHandle = nullptr;
        dir.reset();
    }

    void stopButtonsAndDragsEditTheStripAndItsFile()
    {
        makePatterns(6);
        auto page = openPage(EffectArrowFlow, 5);
        QSlider *strip = child<QSlider>(*page, "stops_slider");
        QCOMPARE(strip->styleSheet(), stripStyleSheet(defaultStops()));
        click(*page, "btn_add_stop");
        QVERIFY(page->stops()[1].present);
        QVERIFY(handle(*page, 1)->isVisibleTo(page.get()));
        QCOMPARE(handle(*page, 1)->styleSheet(), newStopHandleStyle());

        dragStop(*page, 1, {2, 3, 4, 9});
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 9, 10}));
        QCOMPARE(handle(*page, 9)->x(), stop_x[9]);
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 9, 10}));
        QCOMPARE(presentSlots(readPattern(5, kProfile).stops), (QVector<int>{0, 9, 10}));
        // moves off the strip's drag band change nothing
        sendMouse(page.get(), QEvent::MouseButtonPress, onStrip(9), Qt::LeftButton,
                  Qt::LeftButton);
        sendMouse(page.get(), QEvent::MouseMove, {slotX(5), 383}, Qt::NoButton, Qt::LeftButton);
        sendMouse(page.get(), QEvent::MouseButtonRelease, {slotX(5), 383}, Qt::LeftButton,
                  Qt::NoButton);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 9, 10}));

        dragStop(*page, 9, {});
        enterColour(*page, {0, 128, 255});
        QCOMPARE(page->stops()[9].color, (Rgb{0, 128, 255}));
        QCOMPARE(strip->styleSheet(), stripStyleSheet(page->stops()));
        QCOMPARE(handle(*page, 9)->styleSheet(), stopHandleStyle({0, 128, 255}, true));
        QCOMPARE(child<QLineEdit>(*page, "edit_code")->text(), QString("0080ff"));
        QCOMPARE(readPattern(5, kProfile).stops[9].color, (Rgb{0, 128, 255}));

        click(*page, "btn_del_stop");
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 10}));
        QVERIFY(handle(*page, 9)->isHidden());
        QCOMPARE(presentSlots(readPattern(5, kProfile).stops), (QVector<int>{0, 10}));
    }

    void builtInPatternsRefuseEdits()
    {
        makePatterns(6);
        savePattern(5, stopsAt({{5, {0, 255, 0}}}), {0, 0, 0}, kProfile);
        readini::writeini_file(2, patternMap(stopsAt({{3, {10, 20, 30}}}), {1, 2, 3}), kProfile);
        const QString builtInFile = patternFile(3);

        auto page = openPage(EffectArrowFlow, 5);
        dragStop(*page, 5, {});                             // a user stop is selected ...
        combo(*page, "pattern_combo")->setCurrentIndex(2); // ... then a built-in is chosen
        QCOMPARE(page->effect_flag.combo_count, 2);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 3, 10}));
        for (int i = 0; i < kStopSlots; ++i)
            QVERIFY(handle(*page, i)->isHidden());
        QVERIFY(button(*page, "btn_add_stop")->isHidden());
        QVERIFY(button(*page, "btn_del_stop")->isHidden());

        dragStop(*page, 3, {});
        enterColour(*page, {0, 0, 255});
        click(*page, "btn_add_stop");
        click(*page, "btn_del_stop");
        sendMouse(page.get(), QEvent::MouseButtonPress, {600, 500}, Qt::LeftButton,
                  Qt::LeftButton); // palette
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 3, 10}));
        QCOMPARE(page->stops()[3].color, (Rgb{10, 20, 30}));
        click(*page, "btn_pattern_del");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 6);
        QCOMPARE(patternFile(3), builtInFile);
    }

    void surfaceColourGoesIntoThePatternFile()
    {
        makePatterns(6);
        QVERIFY(QDir().mkpath("Image"));
        QImage palette(140, 140, QImage::Format_RGB32);
        palette.fill(QColor(7, 8, 9));
        QVERIFY(palette.save("Image/palette.png"));
        auto page = openPage(EffectRipple, 5);
        dragStop(*page, 10, {});
        enterColour(*page, {1, 2, 3});
        // a press elsewhere lets go of the stop; the surface takes the palette colour
        sendMouse(page.get(), QEvent::MouseButtonPress, {20, 600}, Qt::LeftButton,
                  Qt::LeftButton);
        QVERIFY(!page->stop_editor.hasSelection());
        click(*page, "btn_surface");
        click(*page, "btn_surface_color");
        QVERIFY(page->surface_selected_ripple);
        sendMouse(page.get(), QEvent::MouseButtonPress, {600, 500}, Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(page->surface_color, (Rgb{7, 8, 9}));
        QCOMPARE(page->stops()[10].color, (Rgb{1, 2, 3}));
        QCOMPARE(patternFile(6), QStringLiteral("[Setting]\nBColor=\"0,0,0,0,0,0,0,0,0,0,3\"\n"
                                                "GColor=\"0,0,0,0,0,0,0,0,0,0,2\"\n"
                                                "RColor=\"255,0,0,0,0,0,0,0,0,0,1\"\n"
                                                "VColor=\"7,8,9\"\n"
                                                "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n"));
    }

    void patternAddAndDelFollowTheList()
    {
        makePatterns(14);
        auto page = openPage(EffectWave, 5);
        QCOMPARE(combo(*page, "pattern_combo")->count(), 14);
        click(*page, "btn_pattern_add");
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 14);
        QCOMPARE(page->effect_flag.combo_count, 14);
        click(*page, "btn_pattern_add");
        click(*page, "btn_pattern_add");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 16);
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 15);

        savePattern(6, stopsAt({{6, {6, 0, 0}}}), {6, 6, 6}, kProfile);
        combo(*page, "pattern_combo")->setCurrentIndex(5);
        const QString seventh = patternFile(7);
        click(*page, "btn_pattern_del");
        QCOMPARE(combo(*page, "pattern_combo")->count(), 15);
        QCOMPARE(patternFile(6), seventh);
        // the entry before the deleted one is chosen and shown
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 4);
        QCOMPARE(page->effect_flag.combo_count, 4);

        const QBrush brush =
            combo(*page, "pattern_combo")->itemData(5, Qt::BackgroundRole).value<QBrush>();
        QVERIFY(brush.gradient());
        QCOMPARE(brush.gradient()->stops(),
                 patternEntryGradient(stopsAt({{6, {6, 0, 0}}})).stops());
    }

    void savedGradientIsAppliedAsZoneTable()
    {
        makePatterns(6);
        auto page = openPage(EffectWave, 5);
        page->profile_number = 3;
        click(*page, "btn_add_stop");
        dragStop(*page, 1, {});
        enterColour(*page, {0, 0, 255});
        dragStop(*page, 1, {3, 5});
        // another pattern and back: the stops come from the file
        combo(*page, "pattern_combo")->setCurrentIndex(0);
        combo(*page, "pattern_combo")->setCurrentIndex(5);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 5, 10}));
        click(*page, "btn_apply");
        QCOMPARE(device.reports.size(), 3);
        Report table = reportOf({{0, 7}, {1, 0x0D}, {2, 3}});
        const int red[11] = {255, 230, 205, 180, 155, 130, 105, 80, 55, 30, 0};
        const int blue[20] = {0,   25,  50,  75,  100, 125, 150, 175, 200, 225,
                              255, 230, 205, 180, 155, 130, 105, 80,  55,  30};
        for (int z = 0; z < 20; ++z) {
            table[8 + z] = quint8(z < 11 ? red[z] : 0);
            table[52 + z] = quint8(blue[z]);
        }
        QCOMPARE(hex(device.reports[1]), hex(toBytes(table)));
        QCOMPARE(readLightCommandSet(kProfile).reports.size(), 5);
    }

    void effectsKeepTheirRememberedStops()
    {
        makePatterns(7);
        savePattern(6, stopsAt({{8, {0, 9, 0}}}), {4, 4, 4}, kProfile);
        auto page = openPage(EffectArrowFlow, 5);
        click(*page, "btn_add_stop");
        dragStop(*page, 1, {2});
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 2, 10}));

        // Static leaves the editor alone, so Arrow Flow gets its stops back.
        combo(*page, "effect_combo")->setCurrentIndex(EffectStatic);
        combo(*page, "effect_combo")->setCurrentIndex(EffectArrowFlow);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 2, 10}));

        // Ripple shows its chosen pattern; its remembered set is its own.
        combo(*page, "effect_combo")->setCurrentIndex(EffectRipple);
        combo(*page, "pattern_combo")->setCurrentIndex(6);
        QCOMPARE(page->effect_flag.combo_count, 6);
        dragStop(*page, 8, {7});
        QCOMPARE(presentSlots(page->ripple_stops), (QVector<int>{0, 7, 10}));
        QCOMPARE(page->ripple_surface, (Rgb{4, 4, 4}));
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 2, 10}));

        // Wave takes over the gradient being edited, Arrow Flow's set stays.
        combo(*page, "effect_combo")->setCurrentIndex(EffectWave);
        QCOMPARE(presentSlots(page->wave_stops), (QVector<int>{0, 7, 10}));
        QCOMPARE(presentSlots(page->arrow_stops), (QVector<int>{0, 2, 10}));

        // Ripple comes back on its own pattern entry.
        combo(*page, "effect_combo")->setCurrentIndex(EffectRipple);
        QCOMPARE(combo(*page, "pattern_combo")->currentIndex(), 6);
        QCOMPARE(presentSlots(page->stops()), (QVector<int>{0, 7, 10}));
    }

    void surfaceSwitchLookFollowsItsFlag()
    {
        makePatterns(6);
        auto page = openPage(EffectArrowFlow, 5);
        QPushButton *swatch = button(*page, "btn_surface_color");
        QVERIFY(!lit(*page, "btn_surface") && swatch->isHidden());
        click(*page, "btn_surface");
        QVERIFY(page->surface_on_arrow && lit(*page, "btn_surface") && !swatch->isHidden());
        click(*page, "btn_surface_color");
        QVERIFY(page->surface_selected_arrow);

        // the row hidden and shown again: still on, and it says so
        click(*page, "btn_full");
        QVERIFY(button(*page, "btn_surface")->isHidden());
        click(*page, "btn_customized");
        QVERIFY(page->surface_on_arrow && lit(*page, "btn_surface") && !swatch->isHidden());
        QVERIFY(!page->surface_selected_arrow);

        // Ripple has its own switch
        combo(*page, "effect_combo")->setCurrentIndex(EffectRipple);
        QVERIFY(!page->surface_on_ripple && !lit(*page, "btn_surface") && swatch->isHidden());
        combo(*page, "effect_combo")->setCurrentIndex(EffectArrowFlow);
        QVERIFY(lit(*page, "btn_surface"));
        click(*page, "btn_surface");
        QVERIFY(!page->surface_on_arrow && !lit(*page, "btn_surface") && swatch->isHidden());
    }

    void patternListFollowsTheProfile()
    {
        makePatterns(7);
        keyboard_light_view page;
        QCOMPARE(combo(page, "pattern_combo")->count(), 0);
        page.profile_name = kProfile; // set by a profile change
        sendMouse(&page, QEvent::MouseButtonPress, {20, 600}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(combo(page, "pattern_combo")->count(), 7);
    }
};

QTEST_MAIN(LightStopsTest)
#include "tst_lightstops.moc"
