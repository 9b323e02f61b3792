#pragma once
// The keyboard's command set: every device operation as its fixed sequence of
// reports with their pauses. Everything here is pure: it builds operations
// and sends nothing.

#include "DeviceOperation.h"
#include "core/keys/DefaultKeyMap.h"

#include <QVector>

namespace orvanta
{
namespace commands
{

Report selectProfileReport(int profile);
Report keyMapReport(int profile, const KeyMap &map);
// The zone colour table `table` (0 Wave, 1 Arrow Flow, 2 Ripple) from three
// zone entries (bytes 0..21 of each are read).
Report zoneTableReport(int table, const Report &red, const Report &green, const Report &blue,
                       quint8 profile);

// Switches the keyboard to on-board profile `profile`.
DeviceOperation selectProfile(int profile);
// The key map: select, map, select, 100 ms after each.
DeviceOperation writeKeyMap(int profile, const KeyMap &map);
// The key map and the first `count` macro reports, then an empty report, 300 ms after each.
DeviceOperation writeKeyMapAndMacros(int profile, const KeyMap &map,
                                     const QVector<Report> &macros, int count);
// The factory lighting mode and key map of one on-board profile.
DeviceOperation resetProfileToDefault(int profile);
// One tick of the light pulse (always on profile 1; quiet).
DeviceOperation lightPulse(quint8 value);

} // namespace commands
} // namespace orvanta
