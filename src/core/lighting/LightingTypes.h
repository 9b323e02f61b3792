#pragma once
// Plain value types of the lighting page, shared by its core builders, the
// colour-stop editor and the previews.

#include <QtGlobal>
#include <array>

namespace orvanta
{

struct Rgb {
    int r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb &a, const Rgb &b)
    {
        return a.r == b.r && a.g == b.g && a.b == b.b;
    }
    friend bool operator!=(const Rgb &a, const Rgb &b) { return !(a == b); }
};

// Effect index: the EFFECT combo index, the record index and the stored command type.
enum Effect : int {
    EffectStatic = 0,
    EffectReactive = 1,
    EffectArrowFlow = 2,
    EffectWave = 3,
    EffectRipple = 4
};
constexpr int kEffectCount = 5;

// The settings record of one effect.
struct EffectFlag {
    qint32 comboCount = 0;
    bool fullFlag = false;
    bool customized = false;
    bool left = false;
    bool right = false;
    qint32 speed = 16;
    bool yes = false;
    bool no = false;
    bool staticFlag = false;
    bool pulse = false;
    qint32 pulseSpeed = 0;
    bool spectrum = false;
    qint32 spectrumSpeed = 0;
    qint32 speediness = 3;
    qint32 mode = 0;
    qint32 modeSpeed = 0;

    friend bool operator==(const EffectFlag &a, const EffectFlag &b)
    {
        return a.comboCount == b.comboCount && a.fullFlag == b.fullFlag &&
               a.customized == b.customized && a.left == b.left && a.right == b.right &&
               a.speed == b.speed && a.yes == b.yes && a.no == b.no &&
               a.staticFlag == b.staticFlag && a.pulse == b.pulse && a.pulseSpeed == b.pulseSpeed &&
               a.spectrum == b.spectrum && a.spectrumSpeed == b.spectrumSpeed &&
               a.speediness == b.speediness && a.mode == b.mode && a.modeSpeed == b.modeSpeed;
    }
};

// One of the 11 colour-stop slots of the gradient strip; slot i sits at
// gradient position i/10 and at zone 2i of the 22 zones. Slots 0 and 10 are
// always present.
struct ColorStop {
    bool present = false;
    Rgb color;
};
constexpr int kStopSlots = 11;
using StopSlots = std::array<ColorStop, kStopSlots>;

// Start-up stops: red at slot 0, black at slot 10.
inline StopSlots defaultStops()
{
    StopSlots s{};
    s[0] = {true, {255, 0, 0}};
    s[10] = {true, {0, 0, 0}};
    return s;
}

} // namespace orvanta
