// The marking rectangle: stored geometry and what it draws.

#include "lighting/preview/keyboard_draw_rect.h"

#include <QImage>
#include <QtTest>

class tst_keyboard_draw_rect : public QObject
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
        keyboard_draw_rect rect;
        QTest::ignoreMessage(QtDebugMsg, "change_draw_rect()");
        rect.change_draw_rect(given.x(), given.y(), given.width(), given.height());
        QCOMPARE(rect.rectangle(), stored);
    }

    void placedOverKeyboardDrawingAnOutlineOnly()
    {
        QWidget page;
        page.resize(960, 620);
        keyboard_draw_rect rect(&page);
        QCOMPARE(rect.geometry(), QRect(0, 0, 730, 260));
        QCOMPARE(rect.palette().color(QPalette::Window), QColor(255, 255, 255, 0));
        QTest::ignoreMessage(QtDebugMsg, "change_draw_rect()");
        rect.change_draw_rect(300, 50, 100, 60);
        QImage img(rect.size(), QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        rect.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);

        // The left edge at x 200 carries white ink along its dash-dot pattern.
        int inkOnEdge = 0;
        for (int y = 50; y <= 110; ++y) {
            const QColor c = img.pixelColor(200, y);
            inkOnEdge += c.alpha() > 100 && c.red() > 200 && c.green() > 200 && c.blue() > 200;
        }
        QVERIFY(inkOnEdge > 10);
        QVERIFY(inkOnEdge < 61); // not a solid line
        // Nothing is filled inside and nothing drawn far outside.
        QCOMPARE(img.pixelColor(250, 80).alpha(), 0);
        QCOMPARE(img.pixelColor(100, 80).alpha(), 0);
        QCOMPARE(img.pixelColor(600, 200).alpha(), 0);
    }
};

QTEST_MAIN(tst_keyboard_draw_rect)
#include "tst_keyboard_draw_rect.moc"
