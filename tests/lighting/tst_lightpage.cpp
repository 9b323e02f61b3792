// The LIGHTING page wired to its model: mouse painting, palette, stop strip,
// APPLY and LED RESET.

#include "LightPageSupport.h"
#include "core/lighting/PatternStore.h"
#include "ui/lighting/LightingPage.h"

#include <QComboBox>
#include <QLabel>

using namespace orvanta;
using namespace orvanta::test;

class LightPageTest : public QObject
{
    Q_OBJECT

    PageRig rig;

private slots:
    void init() { rig.init(); }
    void cleanup() { rig.cleanup(); }

    void mousePaintsKeysAndPicksColours()
    {
        QVERIFY(QDir().mkpath("Image"));
        QImage palette(140, 140, QImage::Format_RGB32);
        palette.fill(Qt::white);
        palette.setPixelColor(10, 10, QColor(0, 128, 255));
        QVERIFY(palette.save("Image/palette.png"));
        LightingPage page(&rig.context);
        enter(page, "edit_code", "00ff00");
        drag(&page, keyWidgetRect(0).center(), {});
        drag(&page, keyWidgetRect(14).center(), {}, Qt::RightButton);
        QCOMPARE(page.keyColour(0), (Rgb{0, 255, 0}));
        QCOMPARE(page.keyColour(14), (Rgb{0, 0, 0}));
        drag(&page, {120, 20}, {{340, 30}, {560, 40}}); // the function row
        QCOMPARE(page.keyColour(12), (Rgb{0, 255, 0}));
        QCOMPARE(page.model().staticColors().keyColor(12), (Rgb{0, 255, 0}));

        child<QComboBox>(page, "effect_combo")->setCurrentIndex(1);
        click(page, "btn_full");
        drag(&page, {534, 450}, {}); // palette pixel (10, 10)
        QCOMPARE(child<QLineEdit>(page, "edit_code")->text(), QString("0080ff"));
        QCOMPARE(page.keyColour(103), (Rgb{0, 128, 255}));
        drag(&page, keyWidgetRect(0).center(), {}); // no per-key painting with FULL
        QCOMPARE(page.keyColour(0), (Rgb{0, 128, 255}));
    }

    void stopsStripAndLedReset()
    {
        for (int n = 1; n <= 6; ++n)
            QCOMPARE(addPattern("Mine").value, n - 1);
        LightingPage page(&rig.context);
        page.showSavedProfile("Mine");
        child<QComboBox>(page, "effect_combo")->setCurrentIndex(EffectArrowFlow);
        child<QComboBox>(page, "pattern_combo")->setCurrentIndex(5);
        click(page, "btn_add_stop");
        drag(&page, {slotX(1), 375}, {{slotX(3), 375}, {slotX(9), 375}});
        drag(&page, {slotX(9), 375}, {});
        enterColour(page, {0, 128, 255});
        const StopSlots saved = readPattern(5, "Mine").stops;
        QCOMPARE(presentSlots(saved), (QVector<int>{0, 9, 10}));
        QCOMPARE(saved[9].color, (Rgb{0, 128, 255}));

        child<QComboBox>(page, "pattern_combo")
            ->setCurrentIndex(2); // built-in: no handles, no edits
        QVERIFY(child<QLabel>(page, "stop_handle_0")->isHidden());
        QVERIFY(child<QPushButton>(page, "btn_add_stop")->isHidden());

        click(page, "btn_led_reset"); // profile 3's factory lighting, sent to profile 3
        QCOMPARE(rig.sent().size(), 5);
        QCOMPARE(int(quint8(rig.sent()[0][2])), 3);
        QCOMPARE(rig.paused(), QVector<unsigned>(5, 100));
    }
};

QTEST_MAIN(LightPageTest)
#include "tst_lightpage.moc"
