#include "lighting/preview/keyboard_draw_rect.h"

#include <QBitmap>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <QtDebug>

keyboard_draw_rect::keyboard_draw_rect(QWidget *parent) : QWidget(parent)
{
    setGeometry(0, 0, 730, 260);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    // The picture only gives the overlay its shape; without it the overlay is
    // a plain transparent rectangle.
    const QPixmap back(QStringLiteral("Image/other_back.png"));
    if (!back.isNull()) {
        const QBitmap shape = back.scaled(size()).createHeuristicMask();
        // A picture of one flat colour would mask out the whole overlay.
        if (!QRegion(shape).isEmpty())
            setMask(shape);
    }
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255, 0));
    setPalette(pal);
}

void keyboard_draw_rect::change_draw_rect(int x, int y, int width, int height)
{
    qDebug("change_draw_rect()");
    m_rect = QRect(x - 100, y, width, height);
    update();
}

void keyboard_draw_rect::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 2, Qt::DashDotLine, Qt::RoundCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rect);
}
