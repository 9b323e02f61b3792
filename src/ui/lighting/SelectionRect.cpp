#include "SelectionRect.h"

#include "core/app/PictureCache.h"

#include <QBitmap>
#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QRegion>
#include <QtDebug>

SelectionRect::SelectionRect(QWidget *parent) : QWidget(parent)
{
    setGeometry(0, 0, 730, 260);
    setAutoFillBackground(false);
    setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255, 0));
    setPalette(pal);
}

void SelectionRect::showEvent(QShowEvent *)
{
    // The overlay is shaped when it first shows: it starts hidden, and most
    // runs never show it. The picture only gives it its shape; without it the
    // overlay is a plain transparent rectangle.
    if (m_shaped)
        return;
    m_shaped = true;
    const QBitmap shape = orvanta::cachedMask(QStringLiteral("Image/other_back.png"), size());
    // A picture of one flat colour would mask out the whole overlay.
    if (!shape.isNull() && !QRegion(shape).isEmpty())
        setMask(shape);
}

void SelectionRect::setSelection(int x, int y, int width, int height)
{
    qDebug("change_draw_rect()");
    m_rect = QRect(x - 100, y, width, height);
    update();
}

void SelectionRect::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::white, 2, Qt::DashDotLine, Qt::RoundCap, Qt::BevelJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(m_rect);
}
