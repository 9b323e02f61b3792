#include "ArtKit.h"
#include "Drawings.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace artgen
{

namespace
{

// A glossy rounded button: a vertical gradient through the given stops, a
// glassy upper half and a light rim at the top.
QImage glossyButton(int w, int h, qreal radius, const QColor &top, const QColor &middle,
                    const QColor &bottom, const QColor &border, int gloss)
{
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    const QRectF face(0.5, 0.5, w - 1, h - 1);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(0.5, middle);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, radius, radius);

    QLinearGradient shine(0, 1, 0, h * 0.5);
    shine.setColorAt(0, QColor(255, 255, 255, gloss));
    shine.setColorAt(1, QColor(255, 255, 255, gloss / 6));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(QRectF(1.5, 1.5, w - 3, h * 0.5 - 1.5), radius - 1, radius - 1);

    // A faint light at the bottom edge, as if the face were lit from below too.
    QLinearGradient under(QPointF(0, 0), QPointF(w, 0));
    under.setColorAt(0, QColor(255, 255, 255, 0));
    under.setColorAt(0.5, QColor(255, 255, 255, 35));
    under.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(under), 1));
    p.drawLine(QPointF(radius, h - 1.5), QPointF(w - radius, h - 1.5));
    p.end();
    return img;
}

} // namespace

QImage tabFace()
{
    QImage img = canvas(103, 24);
    QPainter p;
    beginPaint(p, img);
    darkFace(p, QRectF(0, 0, 103, 24), 4, tone::kFaceTop, tone::kFaceBottom, tone::kBorder);
    p.end();
    return img;
}

QImage actionFace()
{
    return glossyButton(120, 28, 5, QColor(0xB3, 0x17, 0x1E), QColor(0x6A, 0x0B, 0x0F),
                        QColor(0x1C, 0x05, 0x06), QColor(0xD0, 0x2A, 0x30), 70);
}

QImage inactiveFace()
{
    QImage img = canvas(120, 28);
    QPainter p;
    beginPaint(p, img);
    const QRectF face(0.5, 0.5, 119, 27);
    p.setPen(QPen(QColor(0x4A, 0x4B, 0x50), 1));
    p.setBrush(QColor(0x34, 0x35, 0x39));
    p.drawRoundedRect(face, 5, 5);
    p.end();
    return img;
}

QImage redFace()
{
    return glossyButton(120, 28, 5, QColor(0xFF, 0x4A, 0x4A), QColor(0xE8, 0x14, 0x14),
                        QColor(0xA8, 0x06, 0x06), QColor(0xFF, 0x80, 0x80), 90);
}

QImage checkMark(bool on)
{
    QImage img = canvas(16, 16);
    QPainter p;
    beginPaint(p, img);
    const QPointF c(8, 8);
    QRadialGradient well(c, 7);
    well.setColorAt(0, QColor(0x1A, 0x1B, 0x1F));
    well.setColorAt(1, QColor(0x0C, 0x0D, 0x0F));
    p.setBrush(well);
    p.setPen(QPen(on ? tone::kRedBright : QColor(0x9A, 0x9C, 0xA3), 1.5));
    p.drawEllipse(c, 6.25, 6.25);
    if (on) {
        QRadialGradient dot(c, 3.6);
        dot.setColorAt(0, QColor(0xFF, 0x7A, 0x7A));
        dot.setColorAt(1, tone::kRed);
        p.setPen(Qt::NoPen);
        p.setBrush(dot);
        p.drawEllipse(c, 3.4, 3.4);
    }
    p.end();
    return img;
}

QImage toggleFace(bool on)
{
    const int w = 110, h = 26;
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    const QRectF face(0.5, 0.5, w - 1, h - 1);
    if (!on) {
        darkFace(p, QRectF(0, 0, w, h), 4, QColor(0x24, 0x25, 0x2A), QColor(0x16, 0x17, 0x1A),
                 QColor(0x5A, 0x5C, 0x63));
        p.end();
        return img;
    }
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, QColor(0x2E, 0x17, 0x19));
    fill.setColorAt(1, QColor(0x17, 0x0C, 0x0D));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawRoundedRect(face, 4, 4);

    // The red glow spreads inwards from the border.
    const QPainterPath inner = roundedRect(face, 4);
    p.save();
    p.setClipPath(inner);
    glow(p, inner, tone::kRedBright, 4, 0.35);
    p.restore();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tone::kRedBright, 1));
    p.drawRoundedRect(face, 4, 4);

    // The lit bar along the bottom.
    QLinearGradient bar(QPointF(4, 0), QPointF(w - 4, 0));
    bar.setColorAt(0, QColor(0xE0, 0x1B, 0x24, 120));
    bar.setColorAt(0.5, QColor(0xFF, 0x3B, 0x3B));
    bar.setColorAt(1, QColor(0xE0, 0x1B, 0x24, 120));
    p.setPen(Qt::NoPen);
    p.setBrush(bar);
    p.drawRoundedRect(QRectF(4, h - 4, w - 8, 2.5), 1.2, 1.2);
    p.end();
    return img;
}

QImage updateFace()
{
    return glossyButton(150, 22, 4, QColor(0x8E, 0x13, 0x18), QColor(0x5A, 0x0A, 0x0D),
                        QColor(0x2A, 0x05, 0x06), QColor(0xB8, 0x22, 0x28), 55);
}

QImage shiftFace(ShiftLook look)
{
    const int w = 80, h = 24;
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    const QRectF face(0.5, 0.5, w - 1, h - 1);
    const QPainterPath shape = roundedRect(face, 4);
    switch (look) {
    case ShiftLook::On: {
        QLinearGradient fill(face.topLeft(), face.bottomLeft());
        fill.setColorAt(0, QColor(0x8A, 0x12, 0x17));
        fill.setColorAt(1, QColor(0x3A, 0x07, 0x09));
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(shape);
        p.save();
        p.setClipPath(shape);
        glow(p, shape, tone::kRedBright, 4, 0.45);
        QLinearGradient shine(0, 1, 0, h * 0.5);
        shine.setColorAt(0, QColor(255, 255, 255, 60));
        shine.setColorAt(1, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(shine);
        p.drawRect(QRectF(0, 0, w, h * 0.5));
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0xFF, 0x6A, 0x6A), 1));
        p.drawPath(shape);
        break;
    }
    case ShiftLook::Off:
        darkFace(p, QRectF(0, 0, w, h), 4, QColor(0x28, 0x29, 0x2E), QColor(0x15, 0x16, 0x19),
                 QColor(0x4E, 0x50, 0x57));
        break;
    case ShiftLook::Disabled:
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x22, 0x22, 0x25));
        p.drawPath(shape);
        p.save();
        p.setClipPath(shape);
        p.setPen(QPen(QColor(255, 255, 255, 16), 1));
        for (int x = -h; x < w; x += 6)
            p.drawLine(QPointF(x, h), QPointF(x + h, 0));
        p.restore();
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(0x38, 0x39, 0x3D), 1));
        p.drawPath(shape);
        break;
    }
    p.end();
    return img;
}

QImage palette()
{
    // Hue 0..359 from left to right, brightness from full at the top to black at
    // the bottom, fully saturated; every pixel is computed, none is blended.
    const int size = 140;
    QImage img(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        const int value = 255 * (size - 1 - y) / (size - 1);
        auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const int hue = (359 * x + (size - 1) / 2) / (size - 1);
            line[x] = QColor::fromHsv(hue, 255, value).rgb();
        }
    }
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    return img;
}

QImage sliderKnob()
{
    QImage img = canvas(20, 20);
    QPainter p;
    beginPaint(p, img);
    const QPointF c(10, 10);
    // A soft shadow, a white ring and a bright brushed-silver centre.
    QRadialGradient shadow(c, 10);
    shadow.setColorAt(0.7, QColor(0, 0, 0, 120));
    shadow.setColorAt(1, QColor(0, 0, 0, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shadow);
    p.drawEllipse(c, 10, 10);

    QRadialGradient face(QPointF(8, 7), 9);
    face.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
    face.setColorAt(0.6, QColor(0xDA, 0xDC, 0xE0));
    face.setColorAt(1, QColor(0xA8, 0xAA, 0xB0));
    p.setBrush(face);
    p.setPen(QPen(Qt::white, 2));
    p.drawEllipse(c, 7.5, 7.5);
    p.setPen(QPen(QColor(0x50, 0x52, 0x58), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 8.8, 8.8);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::kRed);
    p.drawEllipse(c, 2.2, 2.2);
    p.end();
    return img;
}

} // namespace artgen
