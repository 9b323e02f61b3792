#include "RipplePreview.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtDebug>

RipplePreview::RipplePreview(QWidget *parent)
    : QWidget(parent), random([] { return QRandomGenerator::global()->generate(); })
{
    setFixedSize(kWidth, kHeight);
    setAttribute(Qt::WA_NoSystemBackground);
    for (int k = 0; k < kRings; ++k) {
        ringColours[k] = QColor(0, 0, 0, 255);
        ringIndex[k] = k;
    }
    ringColours[kOff] = QColor(0, 0, 0, 255);
    connect(&timer, &QTimer::timeout, this, &RipplePreview::slotTimeOut);
    qDebug("setUpShineCenter :: %d :: %d", kWidth, kHeight);
}

void RipplePreview::setRowMode(bool flag, int height)
{
    rowMode = flag;
    bandHeight = height;
    update();
}

void RipplePreview::setRingColours(const std::array<int, kRings> &red,
                                   const std::array<int, kRings> &green,
                                   const std::array<int, kRings> &blue)
{
    for (int k = 0; k < kRings; ++k)
        ringColours[k] = QColor(red[k] & 0xff, green[k] & 0xff, blue[k] & 0xff, 255);
    update();
}

int RipplePreview::keyRowCentre(int y)
{
    struct Row {
        int from, to, centre;
    };
    static constexpr Row rows[] = {{3, 28, 15},     {41, 63, 53},    {69, 95, 83},
                                   {101, 124, 114}, {130, 156, 142}, {159, 186, 176}};
    for (const Row &r : rows)
        if (y >= r.from && y <= r.to)
            return r.centre;
    return -1;
}

void RipplePreview::setUpShineCenter(int x, int y)
{
    rippleCentre.setX(x);
    if (!rowMode) {
        rippleCentre.setY(y);
    } else {
        qDebug("setUpShineCenter :: %d :: %d :: %d :: %d", x, y, kWidth, kHeight);
        const int row = keyRowCentre(y);
        if (row >= 0)
            rippleCentre.setY(row);
    }
    rippleActive = true;
}

void RipplePreview::startRipple()
{
    timer.start(kTickMs);
}

void RipplePreview::stopRipple()
{
    timer.stop();
}

void RipplePreview::setRandomSource(std::function<quint32()> source)
{
    random = std::move(source);
}

void RipplePreview::slotTimeOut()
{
    if (rippleActive) {
        const quint32 r = random();
        if (rippleStep < 10) {
            ringIndex.fill(kOff);
            ringIndex[rippleStep] = int(r % 11);
        } else {
            rippleActive = false;
        }
        rippleStep = (rippleStep + 1) % 11;
        qDebug("%d", rippleStep);
    } else {
        ringIndex.fill(kOff);
    }
    update();
}

void RipplePreview::paintEvent(QPaintEvent *)
{
    // The preview is composed opaque first, then laid over the keyboard picture
    // at reduced opacity, so the black outside a row band hides the rings fully.
    QImage layer(size(), QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing, true);
        QRadialGradient gradient(rippleCentre, rippleRadius, rippleCentre);
        for (int k = 0; k < kRings; ++k)
            gradient.setColorAt(k / 10.0, ringColours[ringIndex[k]]);
        painter.setPen(QPen(QColor(0, 160, 230), 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.setBrush(gradient);
        painter.drawRect(QRect(0, 0, kWidth, kHeight));
        if (rowMode) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            const int top = rippleCentre.y() - bandHeight / 2;
            const int bottom = rippleCentre.y() + bandHeight / 2;
            painter.drawRect(QRect(0, 0, kWidth, top));
            painter.drawRect(QRect(0, bottom, kWidth, kHeight));
        }
    }
    QPainter out(this);
    out.setOpacity(kOverlayOpacity);
    out.drawImage(0, 0, layer);
}

void RipplePreview::mousePressEvent(QMouseEvent *event)
{
    const int x = event->pos().x();
    const int y = event->pos().y();
    qDebug("event2222 :: %d :: %d", x, y);
    if (!rowMode) {
        rippleCentre = QPoint(x, y);
    } else {
        // A press picks the key row under it, as a centre set by the page does;
        // between rows the centre keeps its row.
        rippleCentre.setX(x);
        const int row = keyRowCentre(y);
        if (row >= 0)
            rippleCentre.setY(row);
    }
    qDebug("X: %d Y: %d", rippleCentre.x(), rippleCentre.y());
    rippleActive = true;
    event->accept();
}
