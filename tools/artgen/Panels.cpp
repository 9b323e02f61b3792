#include "ArtKit.h"
#include "Drawings.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace artgen
{

namespace
{

// A thin horizontal accent line that fades out towards both ends, with a soft glow.
void accentLine(QPainter &p, qreal x0, qreal x1, qreal y, const QColor &c)
{
    QLinearGradient g(QPointF(x0, y), QPointF(x1, y));
    QColor edge = c;
    edge.setAlpha(0);
    g.setColorAt(0, edge);
    g.setColorAt(0.15, c);
    g.setColorAt(0.85, c);
    g.setColorAt(1, edge);
    p.fillRect(QRectF(x0, y, x1 - x0, 1), g);

    QColor soft = c;
    soft.setAlpha(60);
    QLinearGradient h(QPointF(x0, y), QPointF(x1, y));
    edge = soft;
    edge.setAlpha(0);
    h.setColorAt(0, edge);
    h.setColorAt(0.2, soft);
    h.setColorAt(0.8, soft);
    h.setColorAt(1, edge);
    p.fillRect(QRectF(x0, y - 1, x1 - x0, 1), h);
    p.fillRect(QRectF(x0, y + 1, x1 - x0, 1), h);
}

} // namespace

QImage windowBackground()
{
    const int w = 1200, h = 800;
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);

    // Graphite backdrop: a gentle top-to-bottom gradient, brushed, darker corners.
    QLinearGradient base(0, 0, 0, h);
    base.setColorAt(0, QColor(0x22, 0x23, 0x27));
    base.setColorAt(0.45, QColor(0x17, 0x18, 0x1B));
    base.setColorAt(1, QColor(0x0F, 0x10, 0x12));
    p.fillRect(img.rect(), base);
    QPainterPath all;
    all.addRect(img.rect());
    brushed(p, all, 7, 11);

    QRadialGradient vignette(QPointF(w * 0.5, h * 0.42), w * 0.75);
    vignette.setColorAt(0, QColor(0, 0, 0, 0));
    vignette.setColorAt(0.7, QColor(0, 0, 0, 30));
    vignette.setColorAt(1, QColor(0, 0, 0, 110));
    p.fillRect(img.rect(), vignette);

    // A faint red warmth behind the keyboard area, like light from the keys.
    QRadialGradient warmth(QPointF(700, 260), 420);
    warmth.setColorAt(0, QColor(0xE0, 0x1B, 0x24, 22));
    warmth.setColorAt(1, QColor(0xE0, 0x1B, 0x24, 0));
    p.fillRect(img.rect(), warmth);

    // Window edge: a dark outline with a light top rim.
    p.setPen(QPen(QColor(0x05, 0x05, 0x06), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    p.setPen(QPen(QColor(255, 255, 255, 18), 1));
    p.drawLine(QPointF(1, 1.5), QPointF(w - 1, 1.5));

    // Product title.
    p.setFont(font(15, true, 2.5));
    const QFontMetricsF fm(p.font());
    const qreal baseline = 10 + fm.ascent();
    p.setPen(QColor(0xF2, 0xF2, 0xF4));
    p.drawText(QPointF(32, baseline), QStringLiteral("ORVANTA"));
    const qreal titleW = fm.horizontalAdvance(QStringLiteral("ORVANTA "));
    p.setPen(tone::kRed);
    p.drawText(QPointF(32 + titleW, baseline), QStringLiteral("RGB"));
    const qreal rgbW = fm.horizontalAdvance(QStringLiteral("RGB"));
    p.fillRect(QRectF(32, baseline + 5, titleW + rgbW - 2, 1), QColor(255, 255, 255, 25));
    p.fillRect(QRectF(32, baseline + 5, 26, 1), tone::kRed);

    // The red accent line under the tab rows.
    accentLine(p, 15, 1185, 133, tone::kRed);

    // Left menu panel.
    const QRectF menu(15.5, 140.5, 200, 640);
    QLinearGradient menuFill(menu.topLeft(), menu.bottomLeft());
    menuFill.setColorAt(0, QColor(0x25, 0x26, 0x2B, 235));
    menuFill.setColorAt(1, QColor(0x1A, 0x1B, 0x1F, 235));
    p.setPen(QPen(QColor(0x33, 0x35, 0x3B), 1));
    p.setBrush(menuFill);
    p.drawRoundedRect(menu, 10, 10);
    p.setPen(QPen(QColor(255, 255, 255, 22), 1));
    p.drawLine(QPointF(menu.left() + 10, menu.top() + 1),
               QPointF(menu.right() - 10, menu.top() + 1));

    // Page area frame.
    const QRectF page(230.5, 140.5, 959, 619);
    QLinearGradient pageFill(page.topLeft(), page.bottomLeft());
    pageFill.setColorAt(0, QColor(0x13, 0x14, 0x17, 240));
    pageFill.setColorAt(1, QColor(0x0E, 0x0F, 0x11, 240));
    p.setPen(QPen(QColor(0x2C, 0x2E, 0x34), 1));
    p.setBrush(pageFill);
    p.drawRoundedRect(page, 12, 12);
    p.setPen(QPen(QColor(0, 0, 0, 120), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(page.adjusted(1, 1, -1, -1), 11, 11);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawLine(QPointF(page.left() + 12, page.bottom() + 1),
               QPointF(page.right() - 12, page.bottom() + 1));

    p.end();
    return img;
}

QImage pagePanel()
{
    const int w = 960, h = 620;
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);

    const QRectF r(0.5, 0.5, w - 1, h - 1);
    const QPainterPath shape = roundedRect(r, 12);
    // No pure black inside: the window is cut out along the corner colour.
    QLinearGradient fill(r.topLeft(), r.bottomLeft());
    fill.setColorAt(0, QColor(0x1C, 0x1D, 0x21));
    fill.setColorAt(1, QColor(0x12, 0x13, 0x16));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);
    brushed(p, shape, 5, 23);

    QRadialGradient corner(QPointF(w, 0), 520);
    corner.setColorAt(0, QColor(0xE0, 0x1B, 0x24, 18));
    corner.setColorAt(1, QColor(0xE0, 0x1B, 0x24, 0));
    p.setBrush(corner);
    p.drawPath(shape);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x35, 0x37, 0x3E), 1));
    p.drawPath(shape);
    p.setPen(QPen(QColor(255, 255, 255, 16), 1));
    p.drawRoundedRect(r.adjusted(1, 1, -1, -1), 11, 11);
    accentLine(p, 24, w - 24, 1, tone::kRed);

    p.end();
    return img;
}

QImage keyPopup()
{
    const int w = 108, h = 120;
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);

    // A balloon: rounded body with a pointer at the bottom centre.
    const QRectF body(1.5, 1.5, w - 3, 104);
    QPainterPath shape = roundedRect(body, 8);
    QPainterPath pointer;
    pointer.moveTo(w / 2.0 - 9, body.bottom() - 1);
    pointer.lineTo(w / 2.0, h - 2.5);
    pointer.lineTo(w / 2.0 + 9, body.bottom() - 1);
    pointer.closeSubpath();
    shape = shape.united(pointer);

    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, QColor(0x2A, 0x2B, 0x30));
    fill.setColorAt(1, QColor(0x15, 0x16, 0x19));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shape);

    // Two wells for the key name and the assignment.
    p.setBrush(QColor(0x0F, 0x10, 0x12, 160));
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawRoundedRect(QRectF(7.5, 17.5, 93, 28), 4, 4);
    p.drawRoundedRect(QRectF(7.5, 53.5, 93, 28), 4, 4);

    QLinearGradient shine(0, 2, 0, 16);
    shine.setColorAt(0, QColor(255, 255, 255, 40));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(body.adjusted(2, 2, -2, -80), 6, 6);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(tone::kRed, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(shape);

    p.end();
    return img;
}

} // namespace artgen
