#include "InstantShift.h"

#include "core/storage/StoredList.h"

namespace orvanta {

quint8 profileShiftCode(int target)
{
    return target >= 1 && target <= 5 ? quint8(184 + target) : 0;
}

int targetOfComboText(const QString &text)
{
    const int space = text.lastIndexOf(QLatin1Char(' '));
    if (space < 0)
        return 0;
    const int n = toNumber(text.mid(space + 1), 0);
    return n >= 1 && n <= 5 ? n : 0;
}

ShiftLook shiftLook(int bound, int selected)
{
    if (bound == 0)
        return ShiftLook::Off;
    return bound == selected ? ShiftLook::On : ShiftLook::Disabled;
}

ShiftTargets parseShiftTargets(const QStringList &texts)
{
    ShiftTargets t{};
    for (int m = 0; m < 3; ++m) {
        const QVector<int> v = takeNumbers(texts.value(m), 5);
        for (int p = 1; p <= 5; ++p)
            t[m][p] = (v[p - 1] >= 1 && v[p - 1] <= 5) ? v[p - 1] : 0;
    }
    return t;
}

IniGroupMap makeShiftMap(const ShiftTargets &targets)
{
    IniGroupMap m;
    const char *keys[3] = {"iss_shift", "iss_ctrl", "iss_alt"};
    for (int i = 0; i < 3; ++i) {
        QStringList items;
        for (int p = 1; p <= 5; ++p)
            items << QString::number(targets[i][p]);
        m["iss"][QLatin1String(keys[i])] = joinList(items);
    }
    return m;
}

} // namespace orvanta
