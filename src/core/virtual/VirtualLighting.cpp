#include "VirtualLighting.h"
#include "core/app/TranslationContexts.h"

#include "core/assign/KeyAssignment.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/keys/KeyLedSlots.h"
#include "core/lighting/LightingTypes.h"
#include "core/macro/MacroCodec.h"

#include <QCoreApplication>
#include <QLineF>
#include <cmath>

namespace orvanta
{

namespace
{

// The key cells span x = 361..1039 on the keyboard picture.
constexpr int kLeftEdge = 361;
constexpr int kRightEdge = 1039;
constexpr int kRingWidth = 30; // pixels of keyboard per Ripple zone
constexpr int kRippleStepMs = 100;
constexpr int kArrowStepMs = 120;

QString translated(const char *text)
{
    return context::VirtualKeyboard::tr(text);
}

int wrap(qint64 v, int n)
{
    const int m = int(v % n);
    return m < 0 ? m + n : m;
}

QColor zoneColour(const ZoneTable &t, int z)
{
    return QColor(t[0][size_t(z)], t[1][size_t(z)], t[2][size_t(z)]);
}

QColor scaled(const QColor &c, double f)
{
    return QColor(int(std::lround(c.red() * f)), int(std::lround(c.green() * f)),
                  int(std::lround(c.blue() * f)));
}

// Arrow Flow and Ripple show the zone colours as a band; with rolling on the
// bands follow each other without a gap, otherwise one band of the surface
// colour lies between two bands of zone colours.
QColor banded(const ZoneTable &t, qint64 index, bool rolling, const QColor &surface)
{
    if (rolling)
        return zoneColour(t, wrap(index, kZoneCount));
    const int i = wrap(index, 2 * kZoneCount);
    return i < kZoneCount ? zoneColour(t, i) : surface;
}

QPointF centreOf(int key)
{
    const KeyRect &c = KEY_TABLE[size_t(key)].cell;
    return QPointF(c.x + c.w / 2.0, c.y + c.h / 2.0);
}

} // namespace

int zoneOfKey(int key)
{
    const double x = centreOf(key).x();
    const int z = int((x - kLeftEdge) * kZoneCount / (kRightEdge - kLeftEdge + 1));
    return qBound(0, z, kZoneCount - 1);
}

QColor ledColour(const std::array<ColourPlane, 3> &planes, int key)
{
    const size_t slot = size_t(keyToLedSlot[size_t(key)]);
    return QColor(planes[0][slot], planes[1][slot], planes[2][slot]);
}

int flowStepMs(const LightingMode &mode)
{
    if (mode.effect == EffectWave)
        return qBound(1, mode.speediness, 9) * 150; // the LIGHTING page's preview pace
    return kArrowStepMs;
}

KeyColours lightKeys(const OnboardProfile &profile, qint64 ms, QPointF rippleOrigin)
{
    KeyColours out;
    const LightingMode &m = profile.mode;
    const qint64 step = ms / flowStepMs(m);
    for (int k = 0; k < kKeyCount; ++k) {
        QColor c(Qt::black);
        const int z = zoneOfKey(k);
        switch (m.effect) {
        case EffectStatic: {
            c = ledColour(profile.staticLeds, k);
            if (m.staticMode == 5) {
                // Spectrum cycling runs through every hue; the speed byte sets the pace.
                const int periodMs = (m.staticSpeed > 0 ? m.staticSpeed : 6) * 1000;
                c = QColor::fromHsv(int(wrap(ms, periodMs) * 360LL / periodMs) % 360, 255, 255);
            } else if (m.staticSpeed > 0) {
                // Pulse: the key colours breathe; 2 is the fastest.
                const double period = m.staticSpeed * 500.0;
                c = scaled(c,
                           0.5 - 0.5 * std::cos(2 * M_PI * double(wrap(ms, int(period))) / period));
            }
            break;
        }
        case EffectReactive:
            c = ledColour(profile.reactiveLeds, k);
            break;
        case EffectArrowFlow: {
            const QColor surface = ledColour(profile.surfaces[0], k);
            qint64 index;
            if (m.direction == 1)
                index = z + step; // flows to the left
            else if (m.direction == 2)
                index = z - step; // flows to the right
            else
                index = (z < kZoneCount / 2 ? kZoneCount / 2 - 1 - z : z - kZoneCount / 2) - step;
            c = banded(profile.zoneTables[1], index, m.rolling != 0, surface);
            break;
        }
        case EffectWave:
            c = zoneColour(profile.zoneTables[0],
                           wrap(m.direction == 0 ? z + step : z - step, kZoneCount));
            break;
        case EffectRipple: {
            const QColor surface = ledColour(profile.surfaces[1], k);
            const int ring = int(QLineF(rippleOrigin, centreOf(k)).length() / kRingWidth);
            c = banded(profile.zoneTables[2], ring - ms / kRippleStepMs, m.rolling != 0, surface);
            break;
        }
        default:
            break;
        }
        out[size_t(k)] = c;
    }
    return out;
}

QString describeLighting(const LightingMode &m)
{
    switch (m.effect) {
    case EffectStatic:
        if (m.staticMode == 5)
            return translated("Static, spectrum cycling");
        return m.staticSpeed ? translated("Static, pulse (speed %1)").arg(m.staticSpeed)
                             : translated("Static");
    case EffectReactive:
        return translated("Reactive");
    case EffectArrowFlow: {
        const QString dir = m.direction == 1   ? translated("left")
                            : m.direction == 2 ? translated("right")
                                               : translated("both ways");
        return translated("Arrow Flow, %1, rolling %2")
            .arg(dir, m.rolling ? translated("on") : translated("off"));
    }
    case EffectWave:
        return translated("Wave, %1, speed %2")
            .arg(m.direction == 0 ? translated("left") : translated("right"))
            .arg(m.speediness);
    case EffectRipple:
        return translated("Ripple, rolling %1")
            .arg(m.rolling ? translated("on") : translated("off"));
    default:
        return translated("No lighting received");
    }
}

QString keyCodeName(quint8 code)
{
    if (code >= 4 && code <= 29)
        return QString(QChar('A' + code - 4));
    if (code >= 30 && code <= 38)
        return QString(QChar('1' + code - 30));
    if (code == 39)
        return QStringLiteral("0");
    if (code >= 185 && code <= 189)
        return translated("Profile %1 shift").arg(code - 184);
    switch (code) {
    case 206:
        return QStringLiteral("Mouse L");
    case 207:
        return QStringLiteral("Mouse R");
    case 208:
        return QStringLiteral("Mouse Mid");
    case kMacroKeyCode:
        return translated("Macro");
    default:
        break;
    }
    for (const macro::CharKeyRow &row : macro::CHAR_KEY_TABLE)
        if (row.code == code && row.label)
            return QString::fromLatin1(row.label);
    const int cell = cellOfUsage(code);
    if (cell >= 0)
        return QString::fromLatin1(KEY_TABLE[size_t(cell)].label).trimmed();
    return QStringLiteral("0x%1").arg(code, 2, 16, QLatin1Char('0'));
}

QStringList macroEventLines(const StoredMacro &macro)
{
    const auto &e = macro.events;
    int count = 0;
    for (int g = 0; g < macro::kMaxEvents; ++g)
        if (e[size_t(3 * g)] || e[size_t(3 * g + 2)])
            count = g + 1;
    QStringList lines;
    for (int g = 0; g < count; ++g) {
        const int wait = e[size_t(3 * g + 1)] * macro::kDelayStepMs;
        if (g > 0 && wait > 0)
            lines << translated("wait %1 ms").arg(wait);
        // The state byte of an event tells whether the next one is a release.
        const bool release = g > 0 && e[size_t(3 * (g - 1))] == macro::kStateRelease;
        lines << (release ? translated("%1 up") : translated("%1 down"))
                     .arg(keyCodeName(e[size_t(3 * g + 2)]));
    }
    return lines;
}

QString repeatText(const std::array<quint8, 2> &r)
{
    if (r[0] == 0xFF && r[1] == 0xFF)
        return translated("While held");
    if (r[0] == 0 && r[1] == 0)
        return translated("Until pressed again");
    if (r[0] == 0 && r[1] == 1)
        return translated("Once");
    if (r[0] == 0)
        return translated("%1 times").arg(r[1]);
    return translated("Repeat %1 %2").arg(r[0]).arg(r[1]);
}

static int matrixOf(int key)
{
    return KEY_TABLE[size_t(key)].matrix;
}

bool isMacroKey(const OnboardProfile &profile, int key)
{
    const int m = matrixOf(key);
    return m >= 0 && profile.keyMap[size_t(m)] == kMacroKeyCode;
}

bool isRemapped(const OnboardProfile &profile, int key)
{
    const int m = matrixOf(key);
    return m >= 0 && !isMacroKey(profile, key) &&
           profile.keyMap[size_t(m)] != DEFAULT_KEY_MAP[size_t(m)];
}

QString describeAssignment(const OnboardProfile &profile, int key)
{
    const int m = matrixOf(key);
    if (m < 0)
        return QString();
    if (isMacroKey(profile, key)) {
        const auto it = profile.macros.find(m);
        if (it == profile.macros.end())
            return translated("Macro key without a macro");
        QStringList lines{translated("Macro, %1").arg(repeatText(it->second.repeat))};
        lines << macroEventLines(it->second);
        return lines.join(QLatin1Char('\n'));
    }
    if (isRemapped(profile, key)) {
        const quint8 code = profile.keyMap[size_t(m)];
        if (code == 0)
            return translated("Disabled");
        if (code >= 185 && code <= 189)
            return keyCodeName(code);
        return translated("Sends %1").arg(keyCodeName(code));
    }
    return QString();
}

} // namespace orvanta
