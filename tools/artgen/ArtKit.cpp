#include "ArtKit.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QLinearGradient>

namespace artgen
{

QImage canvas(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    // A fixed 96 dpi, so the files do not depend on the screen of the machine.
    img.setDotsPerMeterX(3780);
    img.setDotsPerMeterY(3780);
    return img;
}

void beginPaint(QPainter &p, QImage &img)
{
    p.begin(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QFont font(int pixelSize, bool bold, qreal letterSpacing)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferNoHinting);
    if (letterSpacing != 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    return f;
}

QPainterPath roundedRect(const QRectF &r, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(r, radius, radius);
    return path;
}

int hash8(quint32 x, quint32 y, quint32 seed)
{
    quint32 h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return int(h & 0xFF);
}

void brushed(QPainter &p, const QPainterPath &shape, int maxAlpha, quint32 seed)
{
    const QRect box = shape.boundingRect().toAlignedRect();
    p.save();
    p.setClipPath(shape, Qt::IntersectClip);
    p.setPen(Qt::NoPen);
    for (int y = box.top(); y <= box.bottom(); ++y) {
        // Each row is split into long streaks of slightly different brightness.
        int x = box.left();
        int segment = 0;
        while (x <= box.right()) {
            const int len = 40 + hash8(quint32(y), quint32(segment), seed + 1) * 2;
            const int v = hash8(quint32(y), quint32(segment), seed);
            const int alpha = v * maxAlpha / 255;
            const QColor c = (v & 1) ? QColor(255, 255, 255, alpha) : QColor(0, 0, 0, alpha);
            p.fillRect(QRect(x, y, len, 1), c);
            x += len;
            ++segment;
        }
    }
    p.restore();
}

void darkFace(QPainter &p, const QRectF &r, qreal radius, const QColor &top, const QColor &bottom,
              const QColor &border)
{
    const QRectF face = r.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(fill);
    p.drawRoundedRect(face, radius, radius);

    // A soft light along the upper edge, fading down the face.
    QLinearGradient shine(face.topLeft(), QPointF(face.left(), face.top() + face.height() * 0.5));
    shine.setColorAt(0, QColor(255, 255, 255, 40));
    shine.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawRoundedRect(face.adjusted(1, 1, -1, -1), radius - 1, radius - 1);

    QLinearGradient rim(face.topLeft(), face.topRight());
    rim.setColorAt(0, QColor(255, 255, 255, 0));
    rim.setColorAt(0.5, QColor(255, 255, 255, 70));
    rim.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(QPen(QBrush(rim), 1));
    p.drawLine(QPointF(face.left() + radius, face.top() + 1),
               QPointF(face.right() - radius, face.top() + 1));
}

void glow(QPainter &p, const QPainterPath &shape, const QColor &c, int steps, qreal maxAlpha)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    for (int i = steps; i >= 1; --i) {
        QColor g = c;
        g.setAlphaF(maxAlpha * (1.0 - qreal(i - 1) / steps) / steps * 2);
        p.setPen(QPen(g, i * 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.restore();
}

static bool hasSeeThroughPixel(const QImage &img)
{
    if (!img.hasAlphaChannel())
        return false;
    const QImage argb = img.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x)
            if (qAlpha(line[x]) != 255)
                return true;
    }
    return false;
}

bool savePng(const QImage &img, const QString &dir, const QString &relPath)
{
    const QString path = dir + QLatin1Char('/') + relPath;
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    // A picture without a see-through pixel is stored without an alpha channel:
    // it shows the same pixels and decodes much faster (the window background
    // is decoded at every start).
    QImage out =
        img.convertToFormat(hasSeeThroughPixel(img) ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    out.setDotsPerMeterX(3780);
    out.setDotsPerMeterY(3780);
    QImageWriter writer(path, "png");
    return writer.write(out);
}

} // namespace artgen
