#include "InstantShift.h"

#include "core/storage/IniFile.h"
#include "core/storage/StoredList.h"

namespace orvanta
{

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

namespace
{
const QString kShiftPath = QStringLiteral("./system/iss_flag.ini");
const char *const kShiftKeys[3] = {"Setting/shift", "Setting/ctrl", "Setting/alt"};
} // namespace

ShiftTargets readShiftTargets()
{
    const IniFile s = IniFile::load(kShiftPath);
    ShiftTargets t{};
    for (int m = 0; m < 3; ++m) {
        const QVector<int> v = takeNumbers(s.text(QLatin1String(kShiftKeys[m])), 5);
        for (int p = 1; p <= 5; ++p)
            t[m][p] = (v[p - 1] >= 1 && v[p - 1] <= 5) ? v[p - 1] : 0;
    }
    return t;
}

SaveResult writeShiftTargets(const ShiftTargets &targets)
{
    IniFile s = IniFile::load(kShiftPath);
    for (int m = 0; m < 3; ++m) {
        QStringList items;
        for (int p = 1; p <= 5; ++p)
            items << QString::number(targets[m][p]);
        s.setValue(QLatin1String(kShiftKeys[m]), joinList(items));
    }
    return s.save(kShiftPath);
}

} // namespace orvanta
