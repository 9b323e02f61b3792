#include "ColorCode.h"

#include <QColor>

namespace orvanta
{

namespace
{
int clampByte(int v)
{
    return qBound(0, v, 255);
}

bool allHexDigits(const QString &text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool hex = (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F');
        if (!hex)
            return false;
    }
    return true;
}
} // namespace

QString colorCodeText(const Rgb &color)
{
    return QString::asprintf("%02x%02x%02x", clampByte(color.r), clampByte(color.g),
                             clampByte(color.b));
}

Rgb parseColorCode(const QString &text)
{
    // The colour-name reader would also take #AARRGGBB and 9 or 12 digits;
    // the field only ever means #RGB or #RRGGBB.
    if ((text.size() != 3 && text.size() != 6) || !allHexDigits(text))
        return {0, 0, 0};
    const QColor c(QLatin1Char('#') + text);
    if (!c.isValid())
        return {0, 0, 0};
    return {c.red(), c.green(), c.blue()};
}

} // namespace orvanta
