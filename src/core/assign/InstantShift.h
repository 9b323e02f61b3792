#pragma once
// The instant-shift system: a left modifier key turned into a direct switch to
// another on-board profile.

#include "core/storage/AtomicFile.h"

#include <QString>
#include <QStringList>
#include <array>

namespace orvanta
{

constexpr int kShift = 0, kCtrl = 1, kAlt = 2;
constexpr std::array<quint8, 3> kModifierCodes = {0xE1, 0xE0, 0xE2};

// Code written in place of the modifier for a target profile 1..5 (185..189), 0 for none.
quint8 profileShiftCode(int target);

// The number after the space of "PROFILE n", or 0.
int targetOfComboText(const QString &text);

enum class ShiftLook { Off, On, Disabled };
// The look of a modifier bound to `bound` (0 = unbound) while `selected` is chosen.
ShiftLook shiftLook(int bound, int selected);

using ShiftTargets = std::array<std::array<int, 6>, 3>; // [modifier][profile 1..5]

// ./system/iss_flag.ini: the "shift", "ctrl" and "alt" lists. A missing or
// out-of-range target reads as 0 (none).
ShiftTargets readShiftTargets();
SaveResult writeShiftTargets(const ShiftTargets &targets);

} // namespace orvanta
