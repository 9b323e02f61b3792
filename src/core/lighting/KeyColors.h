#pragma once
// Per-key colours of the Static and Reactive effects: where the 104 key widgets
// sit on the lighting page, which keys a press or a dragged band hits, the
// working LED buffers they paint, and the remembered sets kept in
// ./system/light_color.ini.

#include "LightingBuilders.h"
#include "core/keys/KeyLedSlots.h"

#include <QPoint>
#include <QRect>
#include <QVector>
#include <array>

namespace orvanta
{

using KeyPlane = std::array<int, kKeyLightCount>;

// What one effect remembers: the colours shown on the keys and the LED slots.
struct KeyColorSet {
    KeyPlane keyR{}, keyG{}, keyB{};
    LedBuffer ledR{}, ledG{}, ledB{};
    Rgb keyColor(int key) const { return {keyR[key], keyG[key], keyB[key]}; }
    friend bool operator==(const KeyColorSet &a, const KeyColorSet &b)
    {
        return a.keyR == b.keyR && a.keyG == b.keyG && a.keyB == b.keyB && a.ledR == b.ledR &&
               a.ledG == b.ledG && a.ledB == b.ledB;
    }
};

// The working LED buffers the Static and Reactive builders send.
struct LedPlanes {
    LedBuffer ledR{}, ledG{}, ledB{};
    void clear();
};

// The keyboard picture's key caps moved onto the page.
constexpr QPoint kKeyCellOffset{-236, -140};
QRect keyWidgetRect(int key);
// Presses and releases count only over the pictured keyboard.
bool inKeyPressArea(const QPoint &p);   // x 83..872, y 1..228
bool inKeyReleaseArea(const QPoint &p); // x 83..872, y 1..278
// The key whose widget holds the point, or -1.
int keyAtPoint(const QPoint &p);
// Keys whose widget's top-left corner lies strictly inside the band from the
// press point to the release point; a band dragged leftwards or upwards holds none.
QVector<int> keysInBand(const QPoint &press, const QPoint &release);

// Paints one key into the working buffers and, when given, the remembered set.
void paintKey(int key, const Rgb &colour, LedPlanes &working, KeyColorSet *remembered);
// Every key and every one of the 264 slots takes the colour.
void fillAll(const Rgb &colour, LedPlanes &working, KeyColorSet *remembered);

// light_color.ini: index 0 the Static set ("fully"), 1 the Reactive set
// ("reactive"). Short or broken lists read as 0 where they lack a number.
const QStringList &keyColorKeys(int group); // the six keys of a group
std::array<KeyColorSet, 2> readKeyColorSets();
SaveResult writeKeyColorSets(const KeyColorSet &fully, const KeyColorSet &reactive);

} // namespace orvanta
