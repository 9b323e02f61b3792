#include "StripStyle.h"

#include "core/app/PictureCache.h"

namespace orvanta
{

namespace
{
QString rgbText(const Rgb &c)
{
    return QStringLiteral("rgb(") + QString::number(c.r) + QLatin1Char(',') + QString::number(c.g) +
           QLatin1Char(',') + QString::number(c.b) + QLatin1Char(')');
}

QColor toColor(const Rgb &c)
{
    return QColor(qBound(0, c.r, 255), qBound(0, c.g, 255), qBound(0, c.b, 255));
}
} // namespace

QString gradientText(const StopSlots &stops)
{
    QString s = QStringLiteral("qlineargradient(x1 : 0, y1 : 0, x2 : 1, y2 : 0, ");
    s += QStringLiteral("stop : 0.0 ") + rgbText(stops[0].color) + QStringLiteral(", ");
    for (int i = 1; i <= 9; ++i) {
        if (stops[i].present)
            s += QStringLiteral("stop : 0.") + QString::number(i) + QLatin1Char(' ') +
                 rgbText(stops[i].color) + QStringLiteral(", ");
    }
    s += QStringLiteral("stop : 1 ") + rgbText(stops[10].color) + QLatin1Char(')');
    return s;
}

QString stripStyleSheet(const StopSlots &stops)
{
    return QStringLiteral("QSlider::groove:horizontal {background:") + gradientText(stops) +
           QStringLiteral("; "
                          "height: 10px; margin: -5px 5px 0px 5px; left: 5px; right: 0px; "
                          "top:-7px;} QSlider::handle:horizontal {border-image: url(\"") +
           picturePath(QStringLiteral("Image/bar_bright.png")) +
           QStringLiteral("\"); width: 20px; height: 20px; "
                          "margin: -10px -1px -15px -5px; top:15px;}");
}

QLinearGradient patternEntryGradient(const StopSlots &stops)
{
    QLinearGradient g(0, 0, 150, 0);
    g.setColorAt(0.0, toColor(stops[0].color));
    for (int i = 1; i <= 9; ++i) {
        if (stops[i].present)
            g.setColorAt(i / 10.0, toColor(stops[i].color));
    }
    g.setColorAt(1.0, toColor(stops[10].color));
    return g;
}

QString patternComboStyle(const StopSlots &stops)
{
    return QStringLiteral("QComboBox{background:") + gradientText(stops) +
           QStringLiteral(";border:1px solid #5a5a60;padding-left:6px;}"
                          "QComboBox:hover{border:1px solid #d02020;}"
                          "QComboBox::drop-down{background:#2b2b2e;width:20px;}"
                          "QComboBox QAbstractItemView{background:#2b2b2e;"
                          "selection-background-color:#b01818;outline:0;}");
}

QString stopHandleStyle(const Rgb &color, bool selected)
{
    const QString head = QStringLiteral("background-color:") + rgbText(color);
    return selected ? head + QStringLiteral("; border:1px solid white")
                    : head + QStringLiteral("; border:1px solid gray;");
}

QString newStopHandleStyle()
{
    return QStringLiteral("background-color:red; border:1px solid gray;");
}

QString surfaceSwatchStyle(const Rgb &color, bool selected)
{
    const QString head = QStringLiteral("background-color:") + rgbText(color);
    return selected ? head + QStringLiteral("; border:2px solid white")
                    : head + QStringLiteral("; border:2px solid gray;");
}

} // namespace orvanta
