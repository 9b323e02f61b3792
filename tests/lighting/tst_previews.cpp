// The colour-flow and ripple previews: pacing, tick sequences and centre snapping.

#include "TestSupport.h"
#include "ui/lighting/FlowPreview.h"
#include "ui/lighting/RipplePreview.h"

#include <QtTest>

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

class PreviewsTest : public QObject
{
    Q_OBJECT
private slots:
    void flowLevelClampedAndPaced()
    {
        // level given -> level kept, 150 ms a level
        for (const auto &c :
             {std::array<int, 3>{-3, 1, 150}, {2, 2, 300}, {9, 9, 1350}, {12, 9, 1350}}) {
            FlowPreview w;
            QVERIFY(!w.isFlowing());
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
        for (int t = 0; t < 10; ++t) {
            r.w->slotTimeOut();
            std::array<int, 11> expected = kAllOff;
            expected[t] = int((firstDraw + t) % 11);
            QCOMPARE(r.w->rings(), expected);
            QVERIFY(r.w->isActive());
            QCOMPARE(r.w->step(), t + 1);
        }
        // Eleventh tick: the ripple ends with ring 9 still lit; twelfth: dark, and it stays dark.
        const std::array<int, 11> last = r.w->rings();
        r.w->slotTimeOut();
        QVERIFY(!r.w->isActive());
        QCOMPARE(r.w->rings(), last);
        QCOMPARE(r.w->step(), 0);
        for (int t = 0; t < 2; ++t) {
            r.w->slotTimeOut();
            QCOMPARE(r.w->rings(), kAllOff);
        }
    }

    void rowModeCentreSnapsToKeyRow_data()
    {
        // press y -> centre row; 77 (the previous centre) where y is between or below the rows
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("centreY");
        const QVector<QPair<int, int>> cases{
            {0, 77},    {3, 15},   {28, 15},   {30, 77},   {41, 53},   {63, 53},
            {64, 77},   {69, 83},  {95, 83},   {101, 114}, {124, 114}, {130, 142},
            {156, 142}, {158, 77}, {159, 176}, {186, 176}, {190, 77}};
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
        QTest::ignoreMessage(
            QtDebugMsg, qPrintable(QString("setUpShineCenter :: 40 :: %1 :: 699 :: 198").arg(y)));
        r.w->setUpShineCenter(40, y);
        QCOMPARE(r.w->centre(), QPoint(40, centreY));
        QVERIFY(r.w->isActive());
    }
};

QTEST_MAIN(PreviewsTest)
#include "tst_previews.moc"
