#pragma once
// Small drawing helpers shared by every picture of the console: canvases with a
// fixed resolution, the console's palette, fonts, rounded shapes and a
// hash-based brushed-metal texture (reproducible: no random source is used).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>
#include <QString>

namespace artgen
{

// The console's colours.
namespace tone
{
const QColor kRed(0xE0, 0x1B, 0x24);       // accent
const QColor kRedBright(0xFF, 0x3B, 0x3B); // hover, glow
const QColor kRedDeep(0x6E, 0x0A, 0x0E);   // shaded red
const QColor kSymbol(0xC8, 0xCA, 0xD0);    // light-grey line symbols
const QColor kFaceTop(0x2C, 0x2E, 0x34);
const QColor kFaceBottom(0x17, 0x18, 0x1C);
const QColor kBorder(0x3C, 0x3E, 0x45);
} // namespace tone

// A transparent canvas of w x h pixels.
QImage canvas(int w, int h);

// A painter on img with antialiasing for shapes and text.
void beginPaint(QPainter &p, QImage &img);

// A generic sans-serif face at a pixel size.
QFont font(int pixelSize, bool bold = false, qreal letterSpacing = 0);

QPainterPath roundedRect(const QRectF &r, qreal radius);

// A reproducible pseudo-random value 0..255 for (x, y, seed).
int hash8(quint32 x, quint32 y, quint32 seed);

// Fine horizontal streaks over the shape, like brushed metal; maxAlpha bounds
// the strength of the lightest streak.
void brushed(QPainter &p, const QPainterPath &shape, int maxAlpha, quint32 seed);

// The dark rounded face of the console's buttons, with a soft top highlight.
void darkFace(QPainter &p, const QRectF &r, qreal radius, const QColor &top, const QColor &bottom,
              const QColor &border);

// A glow around a shape: strokes of growing width and falling alpha.
void glow(QPainter &p, const QPainterPath &shape, const QColor &c, int steps, qreal maxAlpha);

// Writes img as PNG to dir/relPath, creating folders; false on failure.
bool savePng(const QImage &img, const QString &dir, const QString &relPath);

} // namespace artgen
