// The LIGHTING page wired to its model (mouse painting, palette,
// stop strip, APPLY and LED RESET) and its colour-flow and ripple previews.

#include "LightPageSupport.h"
#include "core/lighting/PatternStore.h"
#include "ui/lighting/FlowPreview.h"
#include "ui/lighting/LightingPage.h"
#include "ui/lighting/RipplePreview.h"

#include <QComboBox>
#include <QLabel>

using namespace orvanta;
using namespace orvanta::test;

namespace
{
// A ripple preview with a counting random source.
struct Ripple {
    Ripple()
    {
        QTest::ignoreMessage(QtDebugMsg, "setUpShineCenter :: 699 :: 198");
        w.reset(new RipplePreview);
        w->setRandomSource([this] { return next++; });
    }
    std::unique_ptr<RipplePreview> w;
    quint32 next = 3;
};

// Every ring dark (colour index 11).
const std::array<int, 11> kAllOff{11, 11, 11, 11, 11, 11, 11, 11, 11, 11, 11};
} // namespace

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
        QCOMPARE(child<QLabel>(page, "stop_handle_9")->x(), stopX[9]);
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

    void flowLevelClampedAndPaced()
    {
        // level given -> level kept, 150 ms a level
        for (const auto &c :
             {std::array<int, 3>{-3, 1, 150}, {2, 2, 300}, {9, 9, 1350}, {12, 9, 1350}}) {
            FlowPreview w;
            w.startFlow(c[0]);
            QCOMPARE((QList<int>{w.level(), w.timerInterval()}), (QList<int>{c[1], c[2]}));
            QVERIFY(w.isFlowing());
            w.stopFlow();
            QVERIFY(!w.isFlowing());
        }
    }

    void laterRippleLightsTenRingsThenGoesDark()
    {
        Ripple r;
        r.w->setUpShineCenter(100, 50);
        r.w->slotTimeOut(); // the short first ripple
        const quint32 firstDraw = r.next;

        r.w->setUpShineCenter(300, 120);
        std::array<int, 11> expected;
        for (int t = 0; t < 10; ++t) { // tick t lights ring t alone, in the next drawn colour
            r.w->slotTimeOut();
            expected = kAllOff;
            expected[t] = int((firstDraw + t) % 11);
            QVERIFY(r.w->rings() == expected && r.w->isActive() && r.w->step() == t + 1);
        }
        r.w->slotTimeOut(); // the ripple ends with ring 9 still lit, then goes dark
        QVERIFY(!r.w->isActive() && r.w->rings() == expected && r.w->step() == 0);
        r.w->slotTimeOut();
        QCOMPARE(r.w->rings(), kAllOff);
    }

    void rowModeCentreSnapsToKeyRow()
    {
        // press y -> centre row; 77 (the previous centre) where y is between or below the rows
        const QVector<QPair<int, int>> cases{
            {0, 77},    {3, 15},   {28, 15},   {30, 77},   {41, 53},   {63, 53},
            {64, 77},   {69, 83},  {95, 83},   {101, 114}, {124, 114}, {130, 142},
            {156, 142}, {158, 77}, {159, 176}, {186, 176}, {190, 77}};
        for (const auto &[y, centreY] : cases) {
            Ripple r;
            r.w->setUpShineCenter(5, 77);
            r.w->slotTimeOut();
            QVERIFY(!r.w->isActive());
            r.w->setRowMode(true, 24);
            QTest::ignoreMessage(
                QtDebugMsg,
                qPrintable(QString("setUpShineCenter :: 40 :: %1 :: 699 :: 198").arg(y)));
            r.w->setUpShineCenter(40, y);
            QCOMPARE(r.w->centre(), QPoint(40, centreY));
            QVERIFY(r.w->isActive());
        }
    }
};

QTEST_MAIN(LightPageTest)
#include "tst_lightpage.moc"
