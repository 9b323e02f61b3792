// The colour-flow and ripple previews: pacing, tick sequences, centre snapping
// and what they paint.

#include "TestSupport.h"
#include "lighting/preview/rainbowWidget.h"
#include "lighting/preview/rippleWidget.h"

#include <QImage>
#include <QtTest>

using orvanta::test::PauseRecorder;

namespace
{
template <std::size_t N> std::array<int, N> filled(int first, int second, std::size_t split)
{
    std::array<int, N> a{};
    for (std::size_t i = 0; i < N; ++i)
        a[i] = i < split ? first : second;
    return a;
}

QImage renderOf(QWidget &w)
{
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// A ripple preview with a counting random source and recorded pauses.
struct Ripple {
    Ripple()
    {
        QTest::ignoreMessage(QtDebugMsg, "setUpShineCenter :: 699 :: 198");
        w.reset(new rippleWidget);
        w->setPauseFunction(pauses.function());
        w->setRandomSource([this] { return next++; });
    }
    std::unique_ptr<rippleWidget> w;
    PauseRecorder pauses;
    quint32 next = 3;
};

std::array<int, 11> allOff()
{
    std::array<int, 11> a;
    a.fill(rippleWidget::kOff);
    return a;
}
} // namespace

class tst_previews : public QObject
{
    Q_OBJECT
private slots:
    void flowLevelClampedAndPaced_data()
    {
        QTest::addColumn<int>("given");
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("interval");
        QTest::newRow("negative") << -3 << 1 << 150;
        QTest::newRow("0") << 0 << 1 << 150;
        QTest::newRow("2") << 2 << 2 << 300;
        QTest::newRow("8") << 8 << 8 << 1200;
        QTest::newRow("9") << 9 << 9 << 1350;
        QTest::newRow("12") << 12 << 9 << 1350;
    }

    void flowLevelClampedAndPaced()
    {
        QFETCH(int, given);
        QFETCH(int, level);
        QFETCH(int, interval);
        rainbowWidget w;
        QVERIFY(!w.isFlowing());
        w.startFlow(given);
        QCOMPARE(w.level(), level);
        QCOMPARE(w.timerInterval(), interval);
        QVERIFY(w.isFlowing());
        w.stopFlow();
        QVERIFY(!w.isFlowing());
    }

    void flowMovesOneZonePerTick()
    {
        rainbowWidget w;
        for (int k = 0; k < 22; ++k)
            QCOMPARE(w.order()[k], k);
        w.slotTimeOut();
        QCOMPARE(w.order()[0], 21);
        QCOMPARE(w.order()[1], 0);
        QCOMPARE(w.order()[21], 20);
        for (int t = 1; t < 22; ++t)
            w.slotTimeOut();
        for (int k = 0; k < 22; ++k)
            QCOMPARE(w.order()[k], k);
        // Painting alone does not move the flow.
        w.resize(220, 60);
        renderOf(w);
        renderOf(w);
        QCOMPARE(w.order()[5], 5);
    }

    void flowPaintsShiftedGradient()
    {
        QWidget parent;
        parent.resize(440, 120);
        rainbowWidget w(&parent);
        QCOMPARE(w.size(), QSize(440, 120));
        // Zones 0..10 red, 11..21 blue.
        w.setZoneColours(filled<22>(255, 0, 11), filled<22>(0, 0, 11), filled<22>(0, 255, 11));
        QImage img = renderOf(w);
        QColor tl = img.pixelColor(3, 3), br = img.pixelColor(436, 116);
        QVERIFY2(tl.red() > 100 && tl.blue() < 30, qPrintable(tl.name(QColor::HexArgb)));
        QVERIFY2(br.blue() > 100 && br.red() < 30, qPrintable(br.name(QColor::HexArgb)));
        // See-through: the keyboard below stays visible.
        QVERIFY(tl.alpha() > 60 && tl.alpha() < 230);

        // Eleven ticks later the halves have swapped places.
        for (int t = 0; t < 11; ++t)
            w.slotTimeOut();
        img = renderOf(w);
        tl = img.pixelColor(3, 3);
        br = img.pixelColor(436, 116);
        QVERIFY2(tl.blue() > 100 && tl.red() < 30, qPrintable(tl.name(QColor::HexArgb)));
        QVERIFY2(br.red() > 100 && br.blue() < 30, qPrintable(br.name(QColor::HexArgb)));
    }

    void zoneColoursTakeLowByte()
    {
        rainbowWidget w;
        std::array<int, 22> r{}, g{}, b{};
        r[0] = 255;
        g[0] = 256 + 7;
        b[21] = 128;
        r[21] = -1;
        w.setZoneColours(r, g, b);
        QCOMPARE(w.colours()[0], QColor(255, 7, 0, 255));
        QCOMPARE(w.colours()[21], QColor(255, 0, 128, 255));
        QCOMPARE(w.colours()[10], QColor(0, 0, 0, 255));
    }

    void rippleTimerAndDefaults()
    {
        Ripple r;
        QCOMPARE(r.w->size(), QSize(699, 198));
        QVERIFY(!r.w->isActive() && !r.w->isRowMode());
        r.w->startRipple();
        QVERIFY(r.w->isRunning());
        QCOMPARE(r.w->timerInterval(), 50);
        r.w->stopRipple();
        QVERIFY(!r.w->isRunning());
    }

    void firstRippleEndsAtFirstTick()
    {
        Ripple r;
        r.w->setUpShineCenter(100, 50);
        QVERIFY(r.w->isActive());
        QCOMPARE(r.w->centre(), QPoint(100, 50));
        const std::array<int, 11> before = r.w->rings();
        r.w->slotTimeOut();
        QVERIFY(!r.w->isActive());
        QCOMPARE(r.w->step(), 0);
        QCOMPARE(r.w->rings(), before); // no ring lit by this ripple
        QCOMPARE(r.pauses.pauses, QVector<unsigned>{50});
        r.w->slotTimeOut();
        QCOMPARE(r.w->rings(), allOff());
        QCOMPARE(r.pauses.pauses.size(), 1); // an idle tick does not pause
    }

    void laterRippleLightsTenRingsThenGoesDark()
    {
        Ripple r;
        r.w->setUpShineCenter(100, 50);
        r.w->slotTimeOut(); // the short first ripple
        r.pauses.pauses.clear();
        const quint32 firstDraw = r.next;

        r.w->setUpShineCenter(300, 120);
        for (int t = 0; t < 10; ++t) {
            r.w->slotTimeOut();
            std::array<int, 11> expected = allOff();
            expected[t] = int((firstDraw + t) % 11);
            QCOMPARE(r.w->rings(), expected);
            QVERIFY(r.w->isActive());
            QCOMPARE(r.w->step(), t + 1);
        }
        // Eleventh tick: the ripple ends with ring 9 still lit.
        const std::array<int, 11> last = r.w->rings();
        r.w->slotTimeOut();
        QVERIFY(!r.w->isActive());
        QCOMPARE(r.w->rings(), last);
        QCOMPARE(r.w->step(), 0);
        // Twelfth: dark, and it stays dark.
        r.w->slotTimeOut();
        QCOMPARE(r.w->rings(), allOff());
        r.w->slotTimeOut();
        QCOMPARE(r.w->rings(), allOff());
        QCOMPARE(r.pauses.pauses, QVector<unsigned>(11, 50));
    }

    void rowModeCentreSnapsToKeyRow_data()
    {
        // press y -> centre row; 77 (the previous centre) where y is between or below the rows
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("centreY");
        const QVector<QPair<int, int>> cases{
            {0, 77},    {3, 15},    {28, 15},   {30, 77},   {41, 53},   {63, 53},
            {64, 77},   {69, 83},   {95, 83},   {101, 114}, {124, 114}, {130, 142},
            {156, 142}, {158, 77},  {159, 176}, {186, 176}, {190, 77}};
        for (const auto &c : cases)
            QTest::addRow("y %d", c.first) << c.first << c.second;
    }
    void rowModeCentreSnapsToKeyRow()
    {
        QFETCH(int, y);
        QFETCH(int, centreY);
        Ripple r;
        r.w->setUpShineCenter(5, 77);
        r.w->slotTimeOut();
        QVERIFY(!r.w->isActive());
        r.w->setRowMode(true, 24);
        const QString log = QString("setUpShineCenter :: 40 :: %1 :: 699 :: 198").arg(y);
        QTest::ignoreMessage(QtDebugMsg, qPrintable(log));
        r.w->setUpShineCenter(40, y);
        QCOMPARE(r.w->centre(), QPoint(40, centreY));
        QVERIFY(r.w->isActive());
    }

    void pressMovesCentre_data()
    {
        QTest::addColumn<bool>("rowMode");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("centre");
        QTest::newRow("free") << false << QPoint(10, 190) << QPoint(10, 190);
        QTest::newRow("row 2") << true << QPoint(200, 50) << QPoint(200, 53);
        QTest::newRow("between rows") << true << QPoint(250, 30) << QPoint(250, 77);
    }

    void pressMovesCentre()
    {
        QFETCH(bool, rowMode);
        QFETCH(QPoint, press);
        QFETCH(QPoint, centre);
        Ripple r;
        r.w->setUpShineCenter(5, 77);
        r.w->slotTimeOut();
        r.w->setRowMode(rowMode, 20);
        const QString log = QString("event2222 :: %1 :: %2").arg(press.x()).arg(press.y());
        QTest::ignoreMessage(QtDebugMsg, qPrintable(log));
        QTest::ignoreMessage(QtDebugMsg,
                             qPrintable(QString("X: %1 Y: %2").arg(centre.x()).arg(centre.y())));
        QTest::mousePress(r.w.get(), Qt::LeftButton, Qt::NoModifier, press);
        QCOMPARE(r.w->centre(), centre);
        QVERIFY(r.w->isActive());
    }

    void rowModeShowsOnlyTheBand()
    {
        Ripple r;
        const auto g = filled<11>(255, 255, 11), zero = filled<11>(0, 0, 11);
        r.w->setRingColours(zero, g, zero); // every ring green
        r.w->setUpShineCenter(350, 90);
        QImage img = renderOf(*r.w);
        QColor inside = img.pixelColor(360, 90);
        QVERIFY2(inside.green() > 100 && inside.red() < 30,
                 qPrintable(inside.name(QColor::HexArgb)));
        QColor far = img.pixelColor(360, 20);
        QVERIFY(far.green() > 100); // whole area shows the rings without row mode

        r.w->setRowMode(true, 20);
        r.w->setUpShineCenter(350, 45); // snaps to row centre 53
        img = renderOf(*r.w);
        inside = img.pixelColor(360, 53);
        QVERIFY2(inside.green() > 100, qPrintable(inside.name(QColor::HexArgb)));
        for (int y : {20, 40, 66, 120}) {
            const QColor c = img.pixelColor(360, y);
            QVERIFY2(c.green() < 10 && c.red() < 10 && c.alpha() > 60,
                     qPrintable(QString("y %1: %2").arg(y).arg(c.name(QColor::HexArgb))));
        }
        // A dark preview is drawn in the ring-off colour, not left empty.
        r.w->slotTimeOut();
        r.w->slotTimeOut();
        r.w->setRowMode(false, 20);
        img = renderOf(*r.w);
        const QColor dark = img.pixelColor(360, 53);
        QVERIFY(dark.green() < 10 && dark.alpha() > 60);
    }
};

QTEST_MAIN(tst_previews)
#include "tst_previews.moc"
