// The LIGHTING page driven like a user: effect switching with stored records,
// option buttons, the per-key editor with the mouse, APPLY and LED RESET.

#include "LightPageSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/EffectRecords.h"
#include "core/lighting/LightingBuilders.h"
#include "ui/lighting/LightingPage.h"
#include "ui/shell/Globals.h"

#include <memory>

using namespace orvanta;
using namespace orvanta::test;

class LightPageTest : public QObject
{
    Q_OBJECT

    PageRig rig;

private slots:
    void init() { rig.init(); }
    void cleanup() { rig.cleanup(); }

    void switchingRoundTripsEveryRecord()
    {
        QVERIFY(writeText("system/light_flag.ini",
                          "[fully]\nfull=1\nspectrum=1\nspectrum_speed=1\nmode=5\nmode_speed=4\n"
                          "[reactive]\ncustomized=1\n"
                          "[arrow]\ncustomized=1\nleft=1\nright=1\nno=1\n"
                          "[wave]\ncustomized=1\nright=1\nspeediness=5\n"
                          "[ripple]\nfull=1\nyes=1\ncombo_count=0\n"));
        LightingPage page;
        const EffectRecords before = page.model().records();
        QComboBox *effects = combo(page, "effect_combo");
        for (int k : {3, 0, 2, 4, 1, 3, 2, 0}) {
            effects->setCurrentIndex(k);
            QCOMPARE(page.model().shownEffect(), k);
            QVERIFY2(page.model().flag() == before[k], qPrintable(QString::number(k)));
        }
        for (int k = 0; k < kEffectCount; ++k)
            QVERIFY2(page.model().records()[k] == before[k], qPrintable(QString::number(k)));
        // the buttons show the record that came back
        effects->setCurrentIndex(2);
        QVERIFY(lit(page, "btn_left") && lit(page, "btn_right") && lit(page, "btn_no"));
    }

    void ledResetAddressesTheEffectsProfile()
    {
        LightingPage page;
        page.profileNumber = 2;
        page.editedProfile = "Mine";
        combo(page, "effect_combo")->setCurrentIndex(3);
        click(page, "btn_right");
        const EffectFlag working = page.model().flag();
        const EffectRecords records = page.model().records();
        click(page, "btn_led_reset");
        QCOMPARE(rig.device.reports.size(), 3);
        for (const QByteArray &r : rig.device.reports)
            QCOMPARE(int(quint8(r[2])), 4);
        QCOMPARE(int(quint8(rig.device.reports[0][10])), 0); // factory Wave runs left
        QVERIFY(page.model().flag() == working);
        for (int k = 0; k < kEffectCount; ++k)
            QVERIFY(page.model().records()[k] == records[k]);
        QVERIFY(!QFile::exists("system/light_flag.ini"));
        QCOMPARE(readLightCommandSet("Mine").type, 3);
    }

    void perKeyEditor()
    {
        LightingPage page;
        QVERIFY(page.model().flag().customized);
        enter(page, "edit_code", "00ff00");
        const QPoint esc = keyWidgetRect(0).center();
        press(&page, esc);
        QCOMPARE(page.model().leds().ledG[8], 255);
        QCOMPARE(page.keyColour(0), (Rgb{0, 255, 0}));
        QCOMPARE(page.model().staticColors().keyColor(0), (Rgb{0, 255, 0}));

        const QPoint one = keyWidgetRect(14).center();

        press(&page, one, Qt::RightButton);
        QCOMPARE((QList<int>{page.model().leds().ledR[17], page.model().leds().ledG[17],
                             page.model().leds().ledB[17]}),
                 (QList<int>{0, 0, 0}));
        QCOMPARE(page.keyColour(14), (Rgb{0, 0, 0}));

        // upwards and leftwards bands paint nothing
        const LedPlanes before = page.model().leds();
        drag(&page, {560, 20}, {{340, 40}, {120, 60}}); // presses outside any key
        drag(&page, {120, 60}, {{340, 40}, {560, 20}});
        QVERIFY(page.model().leds().ledG == before.ledG);

        drag(&page, {120, 20}, {{340, 30}, {560, 40}});
        for (int k = 0; k <= 12; ++k) {
            QCOMPARE(page.model().leds().ledG[8 * (k + 1)], 255);
            QCOMPARE(page.keyColour(k), (Rgb{0, 255, 0}));
        }
        QCOMPARE(page.model().leds().ledG[9], 0); // "~" lies below the band
    }

    void palettePick()
    {
        QVERIFY(QDir().mkpath("Image"));
        QImage palette(140, 140, QImage::Format_RGB32);
        palette.fill(Qt::white);
        palette.setPixelColor(10, 10, QColor(0, 128, 255));
        QVERIFY(palette.save("Image/palette.png"));
        LightingPage page;
        combo(page, "effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        sendMouse(&page, QEvent::MouseButtonPress, {534, 450}, Qt::LeftButton, Qt::LeftButton);
        QCOMPARE(page.model().currentColor(), (Rgb{0, 128, 255}));
        QCOMPARE(child<QLineEdit>(page, "edit_code")->text(), QString("0080ff"));
        QCOMPARE(page.model().leds().ledG[3], 128); // FULL fills every slot
    }

    void fullPaintsEverySlot()
    {
        LightingPage page;
        combo(page, "effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        // no per-key painting with FULL
        sendMouse(&page, QEvent::MouseButtonPress, keyWidgetRect(0).center(), Qt::LeftButton,
                  Qt::LeftButton);
        QCOMPARE(page.model().leds().ledR[8], 0);
        enter(page, "edit_b", "255");
        enter(page, "edit_r", "0");
        QCOMPARE(page.model().currentColor(), (Rgb{0, 0, 255}));
        QCOMPARE(child<QLineEdit>(page, "edit_code")->text(), QString("0000ff"));
        for (int s = 0; s < 264; ++s) // the slots below the keys too
            QCOMPARE(page.model().leds().ledR[s] + page.model().leds().ledG[s] +
                         page.model().reactiveColors().ledB[s],
                     255);
        QCOMPARE(page.keyColour(103), (Rgb{0, 0, 255}));
    }
};

QTEST_MAIN(LightPageTest)
#include "tst_lightpage.moc"
