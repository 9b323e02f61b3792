#include "ArtKit.h"
#include "Drawings.h"

#include "core/keys/KeyTable.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace artgen
{

namespace
{

constexpr int kWidth = 699;
constexpr int kHeight = 242;

// The cap of key i in picture coordinates: the area that selects the key on
// the CUSTOMIZE page, and where the key lamps of both pages shine.
QRect cellRect(int i)
{
    const orvanta::KeyRect c = orvanta::keyCapRect(i);
    return QRect(c.x - kKeyboardX, c.y - kKeyboardY, c.w, c.h);
}

void drawCase(QPainter &p)
{
    const QRectF body(1.5, 1.5, kWidth - 3, kHeight - 3);
    const QPainterPath shape = roundedRect(body, 14);

    // Drop shadow hugging the case, inside the picture.
    p.setPen(QPen(QColor(0, 0, 0, 90), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);

    QLinearGradient metal(body.topLeft(), body.bottomLeft());
    metal.setColorAt(0, QColor(0x38, 0x3A, 0x40));
    metal.setColorAt(0.12, QColor(0x2A, 0x2C, 0x31));
    metal.setColorAt(1, QColor(0x15, 0x16, 0x19));
    p.setPen(Qt::NoPen);
    p.setBrush(metal);
    p.drawPath(shape);
    brushed(p, shape, 9, 5);

    // Edge highlight: bright along the top, fading down the sides.
    QLinearGradient edge(body.topLeft(), body.bottomLeft());
    edge.setColorAt(0, QColor(255, 255, 255, 90));
    edge.setColorAt(0.3, QColor(255, 255, 255, 25));
    edge.setColorAt(1, QColor(255, 255, 255, 8));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(edge), 1));
    p.drawRoundedRect(body.adjusted(1, 1, -1, -1), 13, 13);
    p.setPen(QPen(QColor(0x08, 0x08, 0x0A), 1));
    p.drawPath(shape);

    // A bevel a few pixels in, where the top plate meets the frame.
    QLinearGradient bevel(body.topLeft(), body.bottomLeft());
    bevel.setColorAt(0, QColor(0, 0, 0, 110));
    bevel.setColorAt(1, QColor(255, 255, 255, 20));
    p.setPen(QPen(QBrush(bevel), 1));
    p.drawRoundedRect(body.adjusted(5, 5, -5, -5), 10, 10);
}

void drawPlate(QPainter &p)
{
    // The dark plate the keys sit in, a little larger than every cap.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0B, 0x0C, 0x0E));
    for (int i = 0; i < orvanta::kKeyCount; ++i)
        p.drawRoundedRect(QRectF(cellRect(i)).adjusted(-4, -4, 4, 4), 4, 4);
    // A faint lip around the plate's outline.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int i = 0; i < orvanta::kKeyCount; ++i)
        p.drawRoundedRect(QRectF(cellRect(i)).adjusted(-4.5, -4.5, 4.5, 4.5), 4.5, 4.5);
    p.setBrush(QColor(0x0B, 0x0C, 0x0E));
    p.setPen(Qt::NoPen);
    for (int i = 0; i < orvanta::kKeyCount; ++i)
        p.drawRoundedRect(QRectF(cellRect(i)).adjusted(-4, -4, 4, 4), 4, 4);
}

void drawRims(QPainter &p)
{
    // A 1 px keycap edge just outside each cap: lit from above, so the top and
    // left sides are brighter than the bottom and right.
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor lit(255, 255, 255, 80);
    const QColor shade(255, 255, 255, 30);
    for (int i = 0; i < orvanta::kKeyCount; ++i) {
        const QRect r = cellRect(i);
        p.fillRect(QRect(r.left(), r.top() - 1, r.width(), 1), lit);
        p.fillRect(QRect(r.left() - 1, r.top(), 1, r.height()), lit);
        p.fillRect(QRect(r.left(), r.bottom() + 1, r.width(), 1), shade);
        p.fillRect(QRect(r.right() + 1, r.top(), 1, r.height()), shade);
    }
    p.setRenderHint(QPainter::Antialiasing, true);
}

void clearCells(QPainter &p)
{
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    for (int i = 0; i < orvanta::kKeyCount; ++i)
        p.fillRect(cellRect(i), Qt::transparent);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

void drawLegends(QPainter &p)
{
    const QFont legend = font(8, true);
    p.setFont(legend);
    const QFontMetricsF fm(legend);
    p.setPen(QColor(255, 255, 255, 180));
    for (int i = 0; i < orvanta::kKeyCount; ++i) {
        const char *label = orvanta::KEY_TABLE[size_t(i)].label;
        if (!label)
            continue;
        const QString text = QString::fromLatin1(label).trimmed();
        const QRect r = cellRect(i);
        // The legend stays in the upper part of its own cap, so the middle of
        // every key stays clear for the lamp behind it.
        const QRectF room(r.left() + 3, r.top() + 2, r.width() - 5, r.height() / 2.0 - 3);
        p.save();
        p.setClipRect(room);
        p.translate(room.left(), room.top() + fm.ascent());
        const qreal advance = fm.horizontalAdvance(text);
        if (advance > room.width())
            p.scale(room.width() / advance, 1.0);
        p.drawText(QPointF(0, 0), text);
        p.restore();
    }
}

void drawBranding(QPainter &p)
{
    // Above the number pad: the name and the three lock lights.
    const QRect pad = cellRect(87).united(cellRect(101));
    const qreal cx = pad.center().x() + 0.5;
    p.setFont(font(10, true, 2.2));
    const QFontMetricsF fm(p.font());
    const QString name = QStringLiteral("ORVANTA");
    const qreal w = fm.horizontalAdvance(name) - 2.2;
    p.setPen(QColor(255, 255, 255, 150));
    p.drawText(QPointF(cx - w / 2, 40), name);
    p.fillRect(QRectF(cx - w / 2, 44, w, 1), QColor(0xE0, 0x1B, 0x24, 170));

    for (int k = 0; k < 3; ++k) {
        const QPointF led(cx - 24 + k * 24, 55);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1));
        p.setBrush(QColor(0x0A, 0x0A, 0x0C));
        p.drawRoundedRect(QRectF(led.x() - 5, led.y() - 2, 10, 4), 2, 2);
    }
}

void drawFrontLight(QPainter &p)
{
    // A thin red light strip along the front edge of the case.
    const qreal y = kHeight - 8.5;
    QLinearGradient g(QPointF(60, y), QPointF(kWidth - 60, y));
    g.setColorAt(0, QColor(0xE0, 0x1B, 0x24, 0));
    g.setColorAt(0.5, QColor(0xFF, 0x3B, 0x3B, 200));
    g.setColorAt(1, QColor(0xE0, 0x1B, 0x24, 0));
    p.setPen(QPen(QBrush(g), 1.2));
    p.drawLine(QPointF(60, y), QPointF(kWidth - 60, y));
    QLinearGradient soft(QPointF(60, y), QPointF(kWidth - 60, y));
    soft.setColorAt(0, QColor(0xE0, 0x1B, 0x24, 0));
    soft.setColorAt(0.5, QColor(0xE0, 0x1B, 0x24, 50));
    soft.setColorAt(1, QColor(0xE0, 0x1B, 0x24, 0));
    p.setPen(QPen(QBrush(soft), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(80, y), QPointF(kWidth - 80, y));
}

} // namespace

QImage keyboardPicture()
{
    QImage img = canvas(kWidth, kHeight);
    QPainter p;
    beginPaint(p, img);
    drawCase(p);
    drawFrontLight(p);
    drawPlate(p);
    drawRims(p);
    clearCells(p);
    drawLegends(p);
    drawBranding(p);
    p.end();
    return img;
}

QVector<int> opaqueKeyCentres(const QImage &img)
{
    QVector<int> wrong;
    for (int i = 0; i < orvanta::kKeyCount; ++i) {
        const QRect r = cellRect(i);
        const QPoint centre(r.left() + r.width() / 2, r.top() + r.height() / 2);
        if (!img.rect().contains(centre) || qAlpha(img.pixel(centre)) != 0)
            wrong.append(i);
    }
    return wrong;
}

} // namespace artgen
