#include "ArtKit.h"
#include "Drawings.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace artgen
{

namespace
{

QPointF polar(const QPointF &c, qreal r, qreal degrees)
{
    const qreal a = qDegreesToRadians(degrees);
    return QPointF(c.x() + r * qCos(a), c.y() - r * qSin(a));
}

// A filled arrow head whose tip is at tip, pointing along dir (unit vector).
void arrowHead(QPainter &p, const QPointF &tip, const QPointF &dir, qreal len, qreal half,
               const QColor &c)
{
    const QPointF n(-dir.y(), dir.x());
    const QPointF base = tip - dir * len;
    QPainterPath head;
    head.moveTo(tip);
    head.lineTo(base + n * half);
    head.lineTo(base - n * half);
    head.closeSubpath();
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(head);
    p.restore();
}

// The gear outline: eight teeth around a hub.
QPainterPath gearPath(const QPointF &c, qreal rOut, qreal rIn)
{
    QPainterPath path;
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * 45.0;
        const QPointF pts[] = {polar(c, rIn, a - 15), polar(c, rOut, a - 8), polar(c, rOut, a + 8),
                               polar(c, rIn, a + 15)};
        if (i == 0)
            path.moveTo(pts[0]);
        else
            path.lineTo(pts[0]);
        for (int k = 1; k < 4; ++k)
            path.lineTo(pts[k]);
    }
    path.closeSubpath();
    return path;
}

// Draws symbol s centred on c with line colour ink over a face of colour face.
void drawSymbol(QPainter &p, Symbol s, const QPointF &c, const QColor &ink, const QColor &face)
{
    QPen pen(ink, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    const qreal x = c.x(), y = c.y();
    switch (s) {
    case Symbol::Reset: {
        const QRectF ring(x - 6, y - 6, 12, 12);
        QPainterPath arc;
        arc.arcMoveTo(ring, 10);
        arc.arcTo(ring, 10, -300);
        p.drawPath(arc);
        // The ring runs clockwise; the head carries it on past its end.
        const qreal a = qDegreesToRadians(10.0 - 300.0);
        const QPointF dir(qSin(a), qCos(a));
        arrowHead(p, polar(c, 6, 10.0 - 300.0) + dir * 2.2, dir, 4.6, 3.2, ink);
        break;
    }
    case Symbol::Service: {
        QPainterPath band;
        const QRectF head(x - 6, y - 7, 12, 12);
        band.arcMoveTo(head, 180);
        band.arcTo(head, 180, -180);
        p.drawPath(band);
        p.setBrush(ink);
        p.setPen(Qt::NoPen);
        p.drawRoundedRect(QRectF(x - 7.6, y - 1.8, 3.6, 6.2), 1.2, 1.2);
        p.drawRoundedRect(QRectF(x + 4.0, y - 1.8, 3.6, 6.2), 1.2, 1.2);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        QPainterPath boom;
        boom.moveTo(x + 5.8, y + 4.4);
        boom.quadTo(x + 5.6, y + 7.6, x + 1.5, y + 7.6);
        p.drawPath(boom);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRoundedRect(QRectF(x - 1.6, y + 6.3, 3.2, 2.6), 1.2, 1.2);
        break;
    }
    case Symbol::Info:
        p.drawEllipse(c, 7, 7);
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawEllipse(QPointF(x, y - 3.6), 1.15, 1.15);
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x, y - 0.8), QPointF(x, y + 3.9));
        break;
    case Symbol::Settings:
        p.drawPath(gearPath(c, 7.4, 5.4));
        p.drawEllipse(c, 2.3, 2.3);
        break;
    case Symbol::Close:
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x - 5, y - 5), QPointF(x + 5, y + 5));
        p.drawLine(QPointF(x - 5, y + 5), QPointF(x + 5, y - 5));
        break;
    case Symbol::New:
        p.setPen(QPen(ink, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x - 5.5, y), QPointF(x + 5.5, y));
        p.drawLine(QPointF(x, y - 5.5), QPointF(x, y + 5.5));
        break;
    case Symbol::Delete: {
        p.drawLine(QPointF(x - 5.5, y - 3.8), QPointF(x + 5.5, y - 3.8));
        p.drawRoundedRect(QRectF(x - 2, y - 6.2, 4, 2.4), 0.8, 0.8);
        QPainterPath can;
        can.moveTo(x - 4.2, y - 2.2);
        can.lineTo(x - 3.4, y + 5.8);
        can.lineTo(x + 3.4, y + 5.8);
        can.lineTo(x + 4.2, y - 2.2);
        p.drawPath(can);
        p.setPen(QPen(ink, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(x - 1.3, y - 0.6), QPointF(x - 1.1, y + 4));
        p.drawLine(QPointF(x + 1.3, y - 0.6), QPointF(x + 1.1, y + 4));
        break;
    }
    case Symbol::Copy:
        p.drawRoundedRect(QRectF(x - 5.5, y - 6, 8, 9.5), 1.2, 1.2);
        p.setBrush(face);
        p.drawRoundedRect(QRectF(x - 2.2, y - 3, 8, 9.5), 1.2, 1.2);
        p.setBrush(Qt::NoBrush);
        break;
    case Symbol::Import:
    case Symbol::Export: {
        QPainterPath tray;
        tray.moveTo(x - 6, y + 0.5);
        tray.lineTo(x - 6, y + 5.8);
        tray.lineTo(x + 6, y + 5.8);
        tray.lineTo(x + 6, y + 0.5);
        p.drawPath(tray);
        const bool in = s == Symbol::Import;
        const QPointF from(x, in ? y - 6.8 : y + 2.6);
        const QPointF to(x, in ? y + 0.6 : y - 4.6);
        p.drawLine(from, to);
        arrowHead(p, to + QPointF(0, in ? 2.4 : -2.4), QPointF(0, in ? 1 : -1), 4.2, 3.2, ink);
        break;
    }
    case Symbol::Link: {
        // Two chain links at 45 degrees, interlocked.
        p.save();
        p.translate(c);
        p.rotate(-45);
        p.setPen(QPen(ink, 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawRoundedRect(QRectF(-7.2, -2.6, 8.6, 5.2), 2.6, 2.6);
        p.drawRoundedRect(QRectF(-1.4, -2.6, 8.6, 5.2), 2.6, 2.6);
        p.restore();
        break;
    }
    }
}

} // namespace

QImage iconButton(Symbol s, QSize size, bool hover)
{
    QImage img = canvas(size.width(), size.height());
    QPainter p;
    beginPaint(p, img);
    const QColor top = hover ? QColor(0x30, 0x24, 0x26) : tone::kFaceTop;
    const QColor bottom = hover ? QColor(0x1A, 0x13, 0x14) : tone::kFaceBottom;
    const QColor border = hover ? QColor(0x7A, 0x22, 0x27) : tone::kBorder;
    darkFace(p, QRectF(QPointF(0, 0), size), 5, top, bottom, border);
    const QColor ink = hover ? tone::kRedBright : tone::kSymbol;
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    drawSymbol(p, s, c, ink, QColor(0x22, 0x23, 0x28));
    p.end();
    return img;
}

namespace
{

QImage logo(void (*drawMark)(QPainter &, const QPointF &), const QString &text)
{
    const int w = 142, h = 35;
    QImage img = canvas(w, h);
    QPainter p;
    beginPaint(p, img);
    // The button draws its own grey border: the face fills the whole picture.
    QLinearGradient fill(0, 0, 0, h);
    fill.setColorAt(0, QColor(0x26, 0x27, 0x2C));
    fill.setColorAt(1, QColor(0x14, 0x15, 0x18));
    p.fillRect(img.rect(), fill);
    p.fillRect(QRectF(0, 0, w, 1), QColor(255, 255, 255, 24));
    p.fillRect(QRectF(0, 0, 3, h), tone::kRed);

    drawMark(p, QPointF(26, h / 2.0));

    p.setFont(font(12, true, 1.2));
    p.setPen(QColor(0xF0, 0xF0, 0xF2));
    const QFontMetricsF fm(p.font());
    const qreal baseline = (h + fm.ascent() - fm.descent()) / 2.0;
    p.drawText(QPointF(46, baseline), text);
    p.end();
    return img;
}

void globeMark(QPainter &p, const QPointF &c)
{
    const qreal r = 11;
    QRadialGradient shade(c + QPointF(-3, -3), r * 1.4);
    shade.setColorAt(0, QColor(0x5A, 0x12, 0x16));
    shade.setColorAt(1, QColor(0x22, 0x08, 0x0A));
    p.setBrush(shade);
    p.setPen(QPen(tone::kRedBright, 1.6));
    p.drawEllipse(c, r, r);
    p.save();
    QPainterPath clip;
    clip.addEllipse(c, r - 0.5, r - 0.5);
    p.setClipPath(clip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xF0, 0xF0, 0xF2), 1.1));
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(QPointF(c.x(), c.y() - r), QPointF(c.x(), c.y() + r));
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.drawLine(QPointF(c.x() - r, c.y() - r * 0.5), QPointF(c.x() + r, c.y() - r * 0.5));
    p.drawLine(QPointF(c.x() - r, c.y() + r * 0.5), QPointF(c.x() + r, c.y() + r * 0.5));
    p.restore();
}

void communityMark(QPainter &p, const QPointF &c)
{
    // A speech bubble with two people in front of it.
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(c.x() - 3, c.y() - 12, 16, 11), 3, 3);
    QPainterPath tail;
    tail.moveTo(c.x() + 2, c.y() - 1.5);
    tail.lineTo(c.x() + 1, c.y() + 2.5);
    tail.lineTo(c.x() + 6, c.y() - 1.5);
    tail.closeSubpath();
    bubble = bubble.united(tail);
    p.setPen(Qt::NoPen);
    p.setBrush(tone::kRed);
    p.drawPath(bubble);
    p.setBrush(QColor(0xF0, 0xF0, 0xF2));
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(c.x() + 1.5 + i * 3.5, c.y() - 6.5), 1.1, 1.1);

    const QColor person(0xE6, 0xE7, 0xEA);
    const QColor edge(0x1A, 0x1B, 0x1F);
    auto drawPerson = [&](const QPointF &at, qreal scale) {
        p.setPen(QPen(edge, 1.5));
        p.setBrush(person);
        p.drawEllipse(at + QPointF(0, -4.5 * scale), 3.2 * scale, 3.2 * scale);
        QPainterPath body;
        const QRectF shoulders(at.x() - 6 * scale, at.y() - 0.2 * scale, 12 * scale, 12 * scale);
        body.moveTo(shoulders.left(), at.y() + 6 * scale);
        body.arcTo(shoulders, 180, -180);
        body.closeSubpath();
        p.drawPath(body);
    };
    drawPerson(c + QPointF(-7, 5), 0.95);
    drawPerson(c + QPointF(-1, 7), 1.05);
}

} // namespace

QImage websiteLogo()
{
    return logo(globeMark, QStringLiteral("WEBSITE"));
}

QImage communityLogo()
{
    return logo(communityMark, QStringLiteral("COMMUNITY"));
}

QImage appIcon(int n)
{
    // Drawn on a 64-unit grid and scaled, so every size keeps the same shape:
    // a keycap whose rim glows in the colours of the spectrum.
    QImage img = canvas(n, n);
    QPainter p;
    beginPaint(p, img);
    p.scale(n / 64.0, n / 64.0);

    const QRectF outer(2, 2, 60, 60);
    QConicalGradient rgb(QPointF(32, 32), 90);
    const QColor ring[] = {QColor(0xFF, 0x20, 0x30), QColor(0xFF, 0xB0, 0x10),
                           QColor(0x30, 0xE0, 0x40), QColor(0x10, 0xC8, 0xFF),
                           QColor(0x40, 0x50, 0xFF), QColor(0xD0, 0x30, 0xFF)};
    for (int i = 0; i < 6; ++i)
        rgb.setColorAt(i / 6.0, ring[i]);
    rgb.setColorAt(1, ring[0]);
    p.setPen(Qt::NoPen);
    p.setBrush(rgb);
    p.drawRoundedRect(outer, 13, 13);

    // Keycap skirt and top face; the small sizes get a wider rim so the colours
    // still read at a glance.
    const qreal rim = n <= 16 ? 12 : n <= 32 ? 9 : 6;
    const QRectF skirtRect(2 + rim, 2 + rim, 60 - 2 * rim, 60 - 2 * rim);
    QLinearGradient skirt(skirtRect.topLeft(), skirtRect.bottomLeft());
    skirt.setColorAt(0, QColor(0x4A, 0x4C, 0x54));
    skirt.setColorAt(1, QColor(0x18, 0x19, 0x1C));
    p.setBrush(skirt);
    p.drawRoundedRect(skirtRect, 9, 9);
    if (n > 16) {
        QLinearGradient top(0, skirtRect.top() + 3, 0, skirtRect.bottom() - 9);
        top.setColorAt(0, QColor(0x34, 0x36, 0x3C));
        top.setColorAt(1, QColor(0x20, 0x21, 0x25));
        p.setBrush(top);
        p.setPen(QPen(QColor(255, 255, 255, 40), 1.2));
        p.drawRoundedRect(skirtRect.adjusted(5, 3, -5, -9), 7, 7);
    }

    // Legend: a bold red "O" on the larger sizes, a red bar on the smallest.
    if (n >= 32) {
        p.setPen(QPen(tone::kRedBright, 5.2));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(32, 29), 9, 9);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(tone::kRedBright);
        p.drawRoundedRect(QRectF(20, 25, 24, 8), 3, 3);
    }
    p.end();
    return img;
}

} // namespace artgen
