#pragma once
// Helpers shared by the lighting tests: option sets written as text, stop sets
// and zone tables.

#include "TestSupport.h"
#include "core/device/Report.h"
#include "core/lighting/LightingTypes.h"
#include "core/lighting/StopEditor.h"

#include <QtTest>
#include <functional>

namespace orvanta::test
{

struct FlagName {
    const char *name;
    bool EffectFlag::*member;
};
inline const FlagName kFlagNames[] = {
    {"left", &EffectFlag::left},     {"right", &EffectFlag::right},
    {"full", &EffectFlag::fullFlag}, {"customized", &EffectFlag::customized},
    {"yes", &EffectFlag::yes},       {"no", &EffectFlag::no}};

// "left,yes,mode=5,ms=6,sp=16" -> an option set.
inline EffectFlag flagOf(const QString &options)
{
    EffectFlag f;
    const QStringList o = options.split(',', Qt::SkipEmptyParts);
    for (const FlagName &n : kFlagNames)
        f.*n.member = o.contains(n.name);
    for (const QString &item : o) {
        const int v = item.section('=', 1).toInt();
        if (item.startsWith("mode="))
            f.mode = v;
        else if (item.startsWith("ms="))
            f.modeSpeed = v;
        else if (item.startsWith("sp="))
            f.speediness = v;
    }
    return f;
}

inline QString flagsText(const EffectFlag &f)
{
    QStringList out;
    for (const FlagName &n : kFlagNames)
        if (f.*n.member)
            out << n.name;
    return out.join(',');
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

// The 22 zone bytes of a zone table starting at `offset`.
inline std::array<int, kZoneCount> zonesIn(const QByteArray &report, int offset)
{
    std::array<int, kZoneCount> z{};
    for (int i = 0; i < kZoneCount; ++i)
        z[i] = quint8(report[offset + i]);
    return z;
}

// x in the middle of slot i's hit zone on the strip.
inline int slotX(int slot)
{
    return slot == 0 ? 530 : slot == 10 ? 917 : stopX[slot] + 5;
}

} // namespace orvanta::test
