// The LIGHTING page driven like a user: effect switching with stored records,
// option buttons, the per-key editor with the mouse, APPLY and LED RESET.

#include "LightPageSupport.h"
#include "app/Globals.h"
#include "device/key_main_sand_cmd.h"
#include "lighting/EffectRecords.h"
#include "lighting/LightingBuilders.h"
#include "lighting/keyboard_light_view.h"
#include "lighting/preview/keyboard_draw_rect.h"
#include "lighting/preview/rainbowWidget.h"
#include "lighting/preview/rippleWidget.h"

#include <QLabel>
#include <QSlider>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

class LightPageTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    RecordingDevice device;
    PauseRecorder pauses;
    key_main_sand_cmd sender;

private slots:
    void init()
    {
        dir.reset(new TempWorkDir);
        device.reports.clear();
        pauses.pauses.clear();
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

    void startsOnStaticWithStoredRecords()
    {
        QVERIFY(writeText("system/light_flag.ini",
                          "[fully]\nfull=0\ncustomized=1\npulse=1\npulse_speed=2\nmode_speed=2\n"
                          "[wave]\nright=1\nspeediness=8\n"));
        keyboard_light_view page;
        QCOMPARE(page.shown_effect, 0);
        QCOMPARE(combo(page, "effect_combo")->count(), 5);
        QVERIFY(lit(page, "btn_customized"));
        QVERIFY(lit(page, "btn_pulse"));
        QVERIFY(!lit(page, "btn_static"));
        QCOMPARE(page.effect_flag.mode_speed, 2);
        QCOMPARE(child<QSlider>(page, "speed_slider")->value(), 2);
        QVERIFY(!child<QSlider>(page, "speed_slider")->isHidden());
        QCOMPARE(page.saved_effect_flags[3].speediness, 8);
        QCOMPARE(page.stops()[0].color, (Rgb{255, 0, 0}));
        QVERIFY(page.stops()[10].present);
        QCOMPARE(child<QLineEdit>(page, "edit_code")->text(), QString("ff0000"));
        QVERIFY(device.reports.isEmpty());
    }

    void switchingRoundTripsEveryRecord()
    {
        QVERIFY(writeText("system/light_flag.ini",
                          "[fully]\nfull=1\nspectrum=1\nspectrum_speed=1\nmode=5\nmode_speed=4\n"
                          "[reactive]\ncustomized=1\n"
                          "[arrow]\ncustomized=1\nleft=1\nright=1\nno=1\n"
                          "[wave]\ncustomized=1\nright=1\nspeediness=5\n"
                          "[ripple]\nfull=1\nyes=1\ncombo_count=0\n"));
        keyboard_light_view page;
        const EffectRecords before = page.saved_effect_flags;
        QComboBox *effects = combo(page, "effect_combo");
        for (int k : {3, 0, 2, 4, 1, 3, 2, 0}) {
            effects->setCurrentIndex(k);
            QCOMPARE(page.shown_effect, k);
            QVERIFY2(page.effect_flag == before[k], qPrintable(QString::number(k)));
        }
        for (int k = 0; k < kEffectCount; ++k)
            QVERIFY2(page.saved_effect_flags[k] == before[k], qPrintable(QString::number(k)));
        // Static came back in SPECTRUM CYCLING: no zones, no colour controls.
        QVERIFY(lit(page, "btn_spectrum"));
        QVERIFY(button(page, "btn_full")->isHidden());
        QVERIFY(child<QLabel>(page, "palette")->isHidden());
        effects->setCurrentIndex(2);
        QVERIFY(lit(page, "btn_left") && lit(page, "btn_right") && lit(page, "btn_no"));
        QVERIFY(!lit(page, "btn_yes"));
        effects->setCurrentIndex(3);
        QVERIFY(lit(page, "btn_right") && !lit(page, "btn_left"));
        QCOMPARE(child<QSlider>(page, "speediness_slider")->value(), 2);
    }

    void neverEditedRecordsComeBackCustomizedAndRolling()
    {
        keyboard_light_view page;
        QVERIFY(lit(page, "btn_customized"));
        QVERIFY(page.effect_flag.customized);
        combo(page, "effect_combo")->setCurrentIndex(4);
        QVERIFY(page.effect_flag.customized && page.effect_flag.yes && !page.effect_flag.no);
        QVERIFY(lit(page, "btn_yes"));
        QVERIFY(!combo(page, "pattern_combo")->isHidden());
    }

    void optionButtons()
    {
        keyboard_light_view page;
        click(page, "btn_pulse");
        child<QSlider>(page, "speed_slider")->setValue(2);
        QCOMPARE(page.effect_flag.pulse_speed, 2);
        click(page, "btn_spectrum");
        QCOMPARE(page.effect_flag.mode, 5);
        QCOMPARE(child<QSlider>(page, "speed_slider")->value(), 0); // SPECTRUM still at SLOW
        QVERIFY(child<QLabel>(page, "zones_label")->isHidden());
        QVERIFY(child<QLineEdit>(page, "edit_r")->isHidden());
        click(page, "btn_pulse");
        QVERIFY(!child<QLabel>(page, "zones_label")->isHidden());
        QVERIFY(!child<QLineEdit>(page, "edit_r")->isHidden());
        click(page, "btn_static");
        QVERIFY(child<QSlider>(page, "speed_slider")->isHidden());

        combo(page, "effect_combo")->setCurrentIndex(3);
        click(page, "btn_right");
        click(page, "btn_left");
        QVERIFY(page.effect_flag.left && !page.effect_flag.right);
        child<QSlider>(page, "speediness_slider")->setValue(0);
        QCOMPARE(page.effect_flag.speediness, 16);
    }

    void applyStoresEverything()
    {
        keyboard_light_view page;
        page.profile_number = 2;
        page.profile_name = "Mine";
        combo(page, "effect_combo")->setCurrentIndex(3);
        click(page, "btn_left");
        child<QSlider>(page, "speediness_slider")->setValue(1);
        click(page, "btn_apply");
        QCOMPARE(device.reports.size(), 3);
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(quint8(r[2])), 2);
        QCOMPARE(int(quint8(device.reports[0][18])), 8);
        QCOMPARE(pauses.pauses, QVector<unsigned>(3, 100));
        QCOMPARE(readLightCommandSet("Mine").type, 3);
        QCOMPARE(page.saved_effect_flags[3].speediness, 8);

        QCOMPARE(readEffectRecords()[3], page.saved_effect_flags[3]);
        QCOMPARE(QSettings("system/light_color.ini", QSettings::IniFormat).allKeys().size(), 12);
    }

    void ledResetAddressesTheEffectsProfile()
    {
        keyboard_light_view page;
        page.profile_number = 2;
        page.profile_name = "Mine";
        combo(page, "effect_combo")->setCurrentIndex(3);
        click(page, "btn_right");
        const EffectFlag working = page.effect_flag;
        const EffectRecords records = page.saved_effect_flags;
        click(page, "btn_led_reset");
        QCOMPARE(device.reports.size(), 3);
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(quint8(r[2])), 4);
        QCOMPARE(int(quint8(device.reports[0][10])), 0); // factory Wave runs left
        QVERIFY(page.effect_flag == working);
        for (int k = 0; k < kEffectCount; ++k)
            QVERIFY(page.saved_effect_flags[k] == records[k]);
        QVERIFY(!QFile::exists("system/light_flag.ini"));
        QCOMPARE(readLightCommandSet("Mine").type, 3);

        page.reset_profile_lighting(5, "PROFILE 5");
        QCOMPARE(readLightCommandSet("PROFILE 5").type, 4);
        QCOMPARE(int(quint8(device.reports.last()[2])), 5);
    }

    void perKeyEditor()
    {
        keyboard_light_view page;
        QVERIFY(page.effect_flag.customized);
        enter(page, "edit_code", "00ff00");
        const QPoint esc = keyWidgetRect(0).center();
        press(&page, esc);
        QCOMPARE(page.leds.led_g[8], 255);
        QCOMPARE(page.keyColour(0), (Rgb{0, 255, 0}));
        QCOMPARE(page.static_colors.keyColor(0), (Rgb{0, 255, 0}));

        const QPoint one = keyWidgetRect(14).center();
        page.leds.led_r[17] = 9;
        press(&page, one, Qt::RightButton);
        QCOMPARE((QList<int>{page.leds.led_r[17], page.leds.led_g[17], page.leds.led_b[17]}),
                 (QList<int>{0, 0, 0}));
        QCOMPARE(page.keyColour(14), (Rgb{0, 0, 0}));

        // upwards and leftwards bands paint nothing
        const LedPlanes before = page.leds;
        drag(&page, {560, 20}, {{340, 40}, {120, 60}}); // presses outside any key
        drag(&page, {120, 60}, {{340, 40}, {560, 20}});
        QVERIFY(page.leds.led_g == before.led_g);

        drag(&page, {120, 20}, {{340, 30}, {560, 40}});
        for (int k = 0; k <= 12; ++k) {
            QCOMPARE(page.leds.led_g[8 * (k + 1)], 255);
            QCOMPARE(page.keyColour(k), (Rgb{0, 255, 0}));
        }
        QCOMPARE(page.leds.led_g[9], 0); // "~" lies below the band
        QVERIFY(page.findChild<keyboard_draw_rect *>()->isHidden());

        // Reactive keeps its own colours; Static gets its own back.
        QComboBox *effects = combo(page, "effect_combo");
        effects->setCurrentIndex(1);
        QCOMPARE(page.keyColour(0), (Rgb{0, 0, 0}));
        QCOMPARE(page.leds.led_g[8], 0);
        effects->setCurrentIndex(0);
        QCOMPARE(page.keyColour(5), (Rgb{0, 255, 0}));
        QCOMPARE(page.leds.led_g[48], 255);
    }

    void palettePick()
    {
        QVERIFY(QDir().mkpath("Image"));
        QImage palette(140, 140, QImage::Format_RGB32);
        palette.fill(Qt::white);
        palette.setPixelColor(10, 10, QColor(0, 128, 255));
        QVERIFY(palette.save("Image/palette.png"));
        keyboard_light_view page;
        combo(page, "effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        sendMouse(&page, QEvent::MouseButtonPress, {534, 450}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(page.current_color, (Rgb{0, 128, 255}));
        QCOMPARE(child<QLineEdit>(page, "edit_code")->text(), QString("0080ff"));
        QCOMPARE(child<QLineEdit>(page, "edit_g")->text(), QString("128"));
        QCOMPARE(page.leds.led_g[3], 128); // FULL fills every slot
        // with SPECTRUM CYCLING the palette is out of play
        combo(page, "effect_combo")->setCurrentIndex(0);
        click(page, "btn_spectrum");
        sendMouse(&page, QEvent::MouseButtonPress, {600, 500}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(page.current_color, (Rgb{0, 128, 255}));
    }

    void previewsFollowTheEffect()
    {
        keyboard_light_view page;
        rainbowWidget *flow = page.findChild<rainbowWidget *>();
        rippleWidget *ripple = page.findChild<rippleWidget *>();
        QVERIFY(flow && ripple);
        QVERIFY(!flow->isFlowing() && !ripple->isRunning());
        QComboBox *effects = combo(page, "effect_combo");
        effects->setCurrentIndex(3);
        QVERIFY(flow->isFlowing());
        // the default red-to-black stops, as the keyboard gets them
        QCOMPARE(flow->colours()[1], QColor(243, 0, 0));
        QCOMPARE(flow->colours()[21], QColor(0, 0, 0));
        child<QSlider>(page, "speediness_slider")->setValue(0); // SLOW: code 16
        QCOMPARE(flow->timerInterval(), 8 * 150);
        effects->setCurrentIndex(4);
        QVERIFY(!flow->isFlowing() && flow->isHidden());
        QVERIFY(ripple->isRunning());
        QCOMPARE(ripple->colours()[1], QColor(230, 0, 0)); // 11-zone steps of 25
        click(page, "btn_full");
        QCOMPARE(ripple->colours()[5], QColor(255, 0, 0)); // FULL: current colour everywhere
        effects->setCurrentIndex(0);
        QVERIFY(!ripple->isRunning() && ripple->isHidden());
    }

    void fullPaintsEverySlot()
    {
        keyboard_light_view page;
        combo(page, "effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        // no per-key painting with FULL
        sendMouse(&page, QEvent::MouseButtonPress, keyWidgetRect(0).center(), Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(page.leds.led_r[8], 0);
        enter(page, "edit_b", "255");
        enter(page, "edit_r", "0");
        QCOMPARE(page.current_color, (Rgb{0, 0, 255}));
        QCOMPARE(child<QLineEdit>(page, "edit_code")->text(), QString("0000ff"));
        for (int s = 0; s < 264; ++s) {
            QCOMPARE(page.leds.led_r[s], 0);
            QCOMPARE(page.leds.led_g[s], 0);
            QCOMPARE(page.leds.led_b[s], 255);
            QCOMPARE(page.reactive_colors.led_b[s], 255);
        }
        QCOMPARE(page.keyColour(103), (Rgb{0, 0, 255}));
        // leaving an effect with FULL on clears the keys to red
        combo(page, "effect_combo")->setCurrentIndex(3);
        QCOMPARE(page.keyColour(50), (Rgb{255, 0, 0}));
        QCOMPARE(page.leds.led_b[50], 0);
    }
};

QTEST_MAIN(LightPageTest)
#include "tst_lightpage.moc"
