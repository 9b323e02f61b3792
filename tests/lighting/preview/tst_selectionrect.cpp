// The marking rectangle keeps the page rectangle shifted onto its own area.

#include "ui/lighting/SelectionRect.h"

#include <QtTest>

class SelectionRectTest : public QObject
{
    Q_OBJECT
private slots:
    void storesPageRectShiftedLeft_data()
    {
        QTest::addColumn<QRect>("given");
        QTest::addColumn<QRect>("stored");
        QTest::newRow("drag right-down") << QRect(300, 50, 40, 20) << QRect(200, 50, 40, 20);
        QTest::newRow("left edge") << QRect(100, 0, 10, 10) << QRect(0, 0, 10, 10);
        // A leftwards drag gives a negative width; it is kept as given.
        QTest::newRow("drag left-up") << QRect(400, 120, -60, -30) << QRect(300, 120, -60, -30);
    }
    void storesPageRectShiftedLeft()
    {
        QFETCH(QRect, given);
        QFETCH(QRect, stored);
        SelectionRect rect;
        QTest::ignoreMessage(QtDebugMsg, "change_draw_rect()");
        rect.setSelection(given.x(), given.y(), given.width(), given.height());
        QCOMPARE(rect.rectangle(), stored);
    }
};

QTEST_MAIN(SelectionRectTest)
#include "tst_selectionrect.moc"
