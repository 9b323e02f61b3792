#include "FlowPreview.h"

#include <QLinearGradient>
#include <QPainter>
#include <QtDebug>

FlowPreview::FlowPreview(QWidget *parent) : QWidget(parent)
{
    for (int k = 0; k < kZones; ++k) {
        zoneOrder[k] = k;
        zoneColours[k] = QColor(0, 0, 0, 255);
    }
    resize(parent ? parent->size() : QSize(699, 242));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    connect(&timer, &QTimer::timeout, this, &FlowPreview::slotTimeOut);
}

void FlowPreview::setZoneColours(const std::array<int, kZones> &red,
                                 const std::array<int, kZones> &green,
                                 const std::array<int, kZones> &blue)
{
    for (int k = 0; k < kZones; ++k) {
        qDebug("%d :: %d %d %d", k, red[k], green[k], blue[k]);
        // The keyboard takes the low byte of each zone value; show the same.
        zoneColours[k] = QColor(red[k] & 0xff, green[k] & 0xff, blue[k] & 0xff, 255);
    }
    update();
}

void FlowPreview::startFlow(int level)
{
    speedLevel = level < 2 ? 1 : level > 8 ? 9 : level;
    timer.start(speedLevel * 150);
}

void FlowPreview::stopFlow()
{
    timer.stop();
}

void FlowPreview::slotTimeOut()
{
    // The colours move on the tick, not in the paint, so an extra repaint
    // (an exposed window, a restyled neighbour) never speeds the flow up.
    for (int &e : zoneOrder)
        e = (e + kZones - 1) % kZones;
    update();
}

void FlowPreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setOpacity(kOverlayOpacity);
    QLinearGradient gradient(0, 0, width(), height());
    for (int k = 0; k < kZones; ++k)
        gradient.setColorAt(qreal(k) / kZones, zoneColours[zoneOrder[k]]);
    painter.setBrush(gradient);
    painter.drawRect(QRect(0, 0, width(), height()));
}
