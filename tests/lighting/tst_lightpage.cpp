// The LIGHTING page driven like a user: effect switching with stored records,
// option buttons, the per-key editor with the mouse, APPLY and LED RESET.

#include "TestSupport.h"
#include "app/Globals.h"
#include "device/key_main_sand_cmd.h"
#include "lighting/LightingBuilders.h"
#include "lighting/keyboard_light_view.h"
#include "lighting/preview/keyboard_draw_rect.h"
#include "lighting/preview/rainbowWidget.h"
#include "lighting/preview/rippleWidget.h"
#include "storage/readini.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QtTest>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

void sendMouse(QWidget *w, QEvent::Type type, QPoint p, Qt::MouseButton button,
               Qt::MouseButtons held)
{
    QMouseEvent e(type, p, w->mapToGlobal(p), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

void drag(QWidget *w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonPress, from, button, button);
    sendMouse(w, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button);
    sendMouse(w, QEvent::MouseMove, to, Qt::NoButton, button);
    sendMouse(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

bool lit(keyboard_light_view &page, const char *name)
{
    return page.findChild<QPushButton *>(name)->property("lit").toBool();
}

void click(keyboard_light_view &page, const char *name)
{
    QPushButton *b = page.findChild<QPushButton *>(name);
    QVERIFY(b);
    emit b->released();
}

void enter(QLineEdit *edit, const QString &text)
{
    edit->setText(text);
    emit edit->returnPressed();
}

} // namespace

class LightPageTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    std::unique_ptr<RecordingDevice> device;
    std::unique_ptr<PauseRecorder> pauses;
    std::unique_ptr<key_main_sand_cmd> sender;

private slots:
    void init()
    {
        dir.reset(new TempWorkDir);
        device.reset(new RecordingDevice);
        pauses.reset(new PauseRecorder);
        sender.reset(new key_main_sand_cmd);
        sender->setPauseFunction(pauses->function());
        gCommandSender = sender.get();
        gDeviceHandle = device.get();
    }
    void cleanup()
    {
        gCommandSender = nullptr;
        gDeviceHandle = nullptr;
        sender.reset();
        dir.reset();
    }

    void startsOnStaticWithStoredRecords()
    {
        QVERIFY(writeText("system/light_flag.ini",
                          "[fully]\nfull=0\ncustomized=1\npulse=1\npulse_speed=2\nmode_speed=2\n"
                          "[wave]\nright=1\nspeediness=8\n"));
        keyboard_light_view page;
        QCOMPARE(page.shown_effect, 0);
        QCOMPARE(page.findChild<QComboBox *>("effect_combo")->count(), 5);
        QVERIFY(lit(page, "btn_customized"));
        QVERIFY(lit(page, "btn_pulse"));
        QVERIFY(!lit(page, "btn_static"));
        QCOMPARE(page.effect_flag.mode_speed, 2);
        QCOMPARE(page.findChild<QSlider *>("speed_slider")->value(), 2);
        QVERIFY(!page.findChild<QSlider *>("speed_slider")->isHidden());
        QCOMPARE(page.saved_effect_flags[3].speediness, 8);
        QCOMPARE(page.stops()[0].color, (Rgb{255, 0, 0}));
        QVERIFY(page.stops()[10].present);
        QCOMPARE(page.findChild<QLineEdit *>("edit_code")->text(), QString("ff0000"));
        QVERIFY(device->reports.isEmpty());
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
        QComboBox *combo = page.findChild<QComboBox *>("effect_combo");
        for (int k : {3, 0, 2, 4, 1, 3, 2, 0}) {
            combo->setCurrentIndex(k);
            QCOMPARE(page.shown_effect, k);
            QVERIFY2(page.effect_flag == before[k], qPrintable(QString::number(k)));
        }
        for (int k = 0; k < kEffectCount; ++k)
            QVERIFY2(page.saved_effect_flags[k] == before[k], qPrintable(QString::number(k)));
        // Static came back in SPECTRUM CYCLING: no zones, no colour controls.
        QVERIFY(lit(page, "btn_spectrum"));
        QVERIFY(page.findChild<QPushButton *>("btn_full")->isHidden());
        QVERIFY(page.findChild<QLabel *>("palette")->isHidden());
        combo->setCurrentIndex(2);
        QVERIFY(lit(page, "btn_left") && lit(page, "btn_right") && lit(page, "btn_no"));
        QVERIFY(!lit(page, "btn_yes"));
        combo->setCurrentIndex(3);
        QVERIFY(lit(page, "btn_right") && !lit(page, "btn_left"));
        QCOMPARE(page.findChild<QSlider *>("speediness_slider")->value(), 2);
    }

    void neverEditedRecordsComeBackCustomizedAndRolling()
    {
        keyboard_light_view page;
        QVERIFY(lit(page, "btn_customized"));
        QVERIFY(page.effect_flag.customized);
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(4);
        QVERIFY(page.effect_flag.customized && page.effect_flag.yes && !page.effect_flag.no);
        QVERIFY(lit(page, "btn_yes"));
        QVERIFY(!page.findChild<QComboBox *>("pattern_combo")->isHidden());
    }

    void optionButtons()
    {
        keyboard_light_view page;
        click(page, "btn_pulse");
        page.findChild<QSlider *>("speed_slider")->setValue(2);
        QCOMPARE(page.effect_flag.mode, 0);
        QCOMPARE(page.effect_flag.mode_speed, 2);
        QCOMPARE(page.effect_flag.pulse_speed, 2);
        click(page, "btn_spectrum");
        QCOMPARE(page.effect_flag.mode, 5);
        QCOMPARE(page.effect_flag.mode_speed, 6); // SPECTRUM still at SLOW
        QCOMPARE(page.findChild<QSlider *>("speed_slider")->value(), 0);
        QVERIFY(page.findChild<QLabel *>("zones_label")->isHidden());
        QVERIFY(page.findChild<QLineEdit *>("edit_r")->isHidden());
        click(page, "btn_pulse");
        QCOMPARE(page.effect_flag.mode_speed, 2);
        QVERIFY(!page.findChild<QLabel *>("zones_label")->isHidden());
        QVERIFY(!page.findChild<QLineEdit *>("edit_r")->isHidden());
        click(page, "btn_static");
        QCOMPARE(page.effect_flag.mode_speed, 0);
        QVERIFY(page.findChild<QSlider *>("speed_slider")->isHidden());

        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(2);
        click(page, "btn_left"); // neither on: Arrow Flow refuses
        QVERIFY(!page.effect_flag.left);
        click(page, "btn_right");
        QVERIFY(!page.effect_flag.right);
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(3);
        click(page, "btn_right");
        click(page, "btn_left");
        QVERIFY(page.effect_flag.left && !page.effect_flag.right);
        page.findChild<QSlider *>("speediness_slider")->setValue(0);
        QCOMPARE(page.effect_flag.speediness, 16);
    }

    void applyStoresEverything()
    {
        keyboard_light_view page;
        page.profile_number = 2;
        page.profile_name = "Mine";
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(3);
        click(page, "btn_left");
        page.findChild<QSlider *>("speediness_slider")->setValue(1);
        click(page, "btn_apply");
        QCOMPARE(device->reports.size(), 3);
        for (const QByteArray &r : device->reports)
            QCOMPARE(int(quint8(r[2])), 2);
        QCOMPARE(int(quint8(device->reports[0][18])), 8);
        QCOMPARE(pauses->pauses, QVector<unsigned>(3, 100));
        QCOMPARE(readLightCommandSet("Mine").type, 3);
        QCOMPARE(page.saved_effect_flags[3].speediness, 8);

        QSettings flags("system/light_flag.ini", QSettings::IniFormat);
        QCOMPARE(flags.childGroups().size(), 5);
        QCOMPARE(flags.allKeys().size(), 80);
        QCOMPARE(flags.value("wave/speediness").toString(), QString("8"));
        QCOMPARE(flags.value("wave/left").toString(), QString("1"));
        QSettings colours("system/light_color.ini", QSettings::IniFormat);
        QCOMPARE(colours.childGroups(), (QStringList{"fully", "reactive"}));
        QCOMPARE(colours.allKeys().size(), 12);
    }

    void ledResetAddressesTheEffectsProfile()
    {
        keyboard_light_view page;
        page.profile_number = 2;
        page.profile_name = "Mine";
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(3);
        click(page, "btn_right");
        const EffectFlag working = page.effect_flag;
        const EffectRecords records = page.saved_effect_flags;
        click(page, "btn_led_reset");
        QCOMPARE(device->reports.size(), 3);
        for (const QByteArray &r : device->reports)
            QCOMPARE(int(quint8(r[2])), 4);
        QCOMPARE(int(quint8(device->reports[0][10])), 0); // factory Wave runs left
        QVERIFY(page.effect_flag == working);
        for (int k = 0; k < kEffectCount; ++k)
            QVERIFY(page.saved_effect_flags[k] == records[k]);
        QVERIFY(!QFile::exists("system/light_flag.ini"));
        QCOMPARE(readLightCommandSet("Mine").type, 3);

        page.reset_profile_lighting(5, "PROFILE 5");
        QCOMPARE(readLightCommandSet("PROFILE 5").type, 4);
        QCOMPARE(int(quint8(device->reports.last()[2])), 5);
    }

    void perKeyEditor()
    {
        keyboard_light_view page;
        QVERIFY(page.effect_flag.customized);
        enter(page.findChild<QLineEdit *>("edit_code"), "00ff00");
        const QPoint esc = keyWidgetRect(0).center();
        sendMouse(&page, QEvent::MouseButtonPress, esc, Qt::LeftButton, Qt::LeftButton);
        sendMouse(&page, QEvent::MouseButtonRelease, esc, Qt::LeftButton, Qt::NoButton);
        QCOMPARE(page.leds.led_g[8], 255);
        QCOMPARE(page.keyColour(0), (Rgb{0, 255, 0}));
        QCOMPARE(page.static_colors.keyColor(0), (Rgb{0, 255, 0}));

        const QPoint one = keyWidgetRect(14).center();
        page.leds.led_r[17] = 9;
        sendMouse(&page, QEvent::MouseButtonPress, one, Qt::RightButton, Qt::RightButton);
        sendMouse(&page, QEvent::MouseButtonRelease, one, Qt::RightButton, Qt::NoButton);
        QCOMPARE((QList<int>{page.leds.led_r[17], page.leds.led_g[17], page.leds.led_b[17]}),
                 (QList<int>{0, 0, 0}));
        QCOMPARE(page.keyColour(14), (Rgb{0, 0, 0}));

        // upwards and leftwards bands paint nothing
        const LedPlanes before = page.leds;
        drag(&page, {560, 20}, {120, 60}); // presses outside any key
        drag(&page, {120, 60}, {560, 20});
        QVERIFY(page.leds.led_g == before.led_g);

        drag(&page, {120, 20}, {560, 40});
        for (int k = 0; k <= 12; ++k) {
            QCOMPARE(page.leds.led_g[8 * (k + 1)], 255);
            QCOMPARE(page.keyColour(k), (Rgb{0, 255, 0}));
        }
        QCOMPARE(page.leds.led_g[9], 0); // "~" lies below the band
        QVERIFY(page.findChild<keyboard_draw_rect *>()->isHidden());

        // Reactive keeps its own colours; Static gets its own back.
        QComboBox *combo = page.findChild<QComboBox *>("effect_combo");
        combo->setCurrentIndex(1);
        QCOMPARE(page.keyColour(0), (Rgb{0, 0, 0}));
        QCOMPARE(page.leds.led_g[8], 0);
        combo->setCurrentIndex(0);
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
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        sendMouse(&page, QEvent::MouseButtonPress, {534, 450}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(page.current_color, (Rgb{0, 128, 255}));
        QCOMPARE(page.findChild<QLineEdit *>("edit_code")->text(), QString("0080ff"));
        QCOMPARE(page.findChild<QLineEdit *>("edit_g")->text(), QString("128"));
        QCOMPARE(page.leds.led_g[3], 128); // FULL fills every slot
        // with SPECTRUM CYCLING the palette is out of play
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(0);
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
        QComboBox *combo = page.findChild<QComboBox *>("effect_combo");
        combo->setCurrentIndex(3);
        QVERIFY(flow->isFlowing());
        // the default red-to-black stops, as the keyboard gets them
        QCOMPARE(flow->colours()[1], QColor(243, 0, 0));
        QCOMPARE(flow->colours()[21], QColor(0, 0, 0));
        page.findChild<QSlider *>("speediness_slider")->setValue(0); // SLOW: code 16
        QCOMPARE(flow->timerInterval(), 8 * 150);
        combo->setCurrentIndex(4);
        QVERIFY(!flow->isFlowing() && flow->isHidden());
        QVERIFY(ripple->isRunning());
        QCOMPARE(ripple->colours()[1], QColor(230, 0, 0)); // 11-zone steps of 25
        click(page, "btn_full");
        QCOMPARE(ripple->colours()[5], QColor(255, 0, 0)); // FULL: current colour everywhere
        combo->setCurrentIndex(0);
        QVERIFY(!ripple->isRunning() && ripple->isHidden());
    }

    void fullPaintsEverySlot()
    {
        keyboard_light_view page;
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        // no per-key painting with FULL
        sendMouse(&page, QEvent::MouseButtonPress, keyWidgetRect(0).center(), Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(page.leds.led_r[8], 0);
        enter(page.findChild<QLineEdit *>("edit_b"), "255");
        enter(page.findChild<QLineEdit *>("edit_r"), "0");
        QCOMPARE(page.current_color, (Rgb{0, 0, 255}));
        QCOMPARE(page.findChild<QLineEdit *>("edit_code")->text(), QString("0000ff"));
        for (int s = 0; s < 264; ++s) {
            QCOMPARE(page.leds.led_r[s], 0);
            QCOMPARE(page.leds.led_g[s], 0);
            QCOMPARE(page.leds.led_b[s], 255);
            QCOMPARE(page.reactive_colors.led_b[s], 255);
        }
        QCOMPARE(page.keyColour(103), (Rgb{0, 0, 255}));
        // leaving an effect with FULL on clears the keys to red
        page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(3);
        QCOMPARE(page.keyColour(50), (Rgb{255, 0, 0}));
        QCOMPARE(page.leds.led_b[50], 0);
        // a bad colour code reads as black
        enter(page.findChild<QLineEdit *>("edit_code"), "12345");
        QCOMPARE(page.current_color, (Rgb{0, 0, 0}));
        enter(page.findChild<QLineEdit *>("edit_code"), "f0a");
        QCOMPARE(page.current_color, (Rgb{255, 0, 170}));
    }
};

QTEST_MAIN(LightPageTest)
#include "tst_lightpage.moc"
