#pragma once
// Helpers shared by the lighting tests: option sets written as letters and
// stop sets.

#include "TestSupport.h"
#include "core/lighting/LightingTypes.h"
#include "core/lighting/StopEditor.h"

#include <QtTest>

namespace orvanta::test
{

// The option switches by letter: l(eft) r(ight) f(ull) c(ustomized) y(es) n(o).
inline EffectFlag flagOf(const QString &on)
{
    EffectFlag f;
    bool EffectFlag::*const switches[] = {&EffectFlag::left,     &EffectFlag::right,
                                          &EffectFlag::fullFlag, &EffectFlag::customized,
                                          &EffectFlag::yes,      &EffectFlag::no};
    for (int i = 0; i < 6; ++i)
        f.*switches[i] = on.contains(QLatin1Char("lrfcyn"[i]));
    return f;
}

inline StopSlots stopsAt(std::initializer_list<std::pair<int, Rgb>> middle)
{
    StopSlots s = defaultStops();
    for (const auto &m : middle)
        s[m.first] = {true, m.second};
    return s;
}

inline QVector<int> presentSlots(const StopSlots &s)
{
    QVector<int> out;
    for (int i = 0; i < kStopSlots; ++i)
        if (s[i].present)
            out << i;
    return out;
}

// x in the middle of slot i's hit zone on the strip.
inline int slotX(int slot)
{
    return slot == 0 ? 530 : slot == 10 ? 917 : stopX[slot] + 5;
}

} // namespace orvanta::test
