#pragma once
// How the keyboard lights its keys from what a profile holds: Static and
// Reactive per-key colours through the LED slots, Arrow Flow, Wave and Ripple
// from their zone tables, options and surface colour, moving with time. Also
// the texts that explain a key's assignment.

#include "VirtualKeyboardState.h"
#include "core/keys/KeyTable.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <array>

namespace orvanta
{

using KeyColours = std::array<QColor, kKeyCount>;

// The zone (0..21, left to right) under the middle of key cell k.
int zoneOfKey(int key);
// The key's own colour in a per-LED plane set (slot from the LED-slot table).
QColor ledColour(const std::array<ColourPlane, 3> &planes, int key);

// Milliseconds the Arrow Flow and Wave colours take to move on by one zone.
int flowStepMs(const LightingMode &mode);

// Every key's colour at time `ms` (any monotonic clock). `rippleOrigin` is where
// the ripples start, in key-table coordinates.
KeyColours lightKeys(const OnboardProfile &profile, qint64 ms,
                     QPointF rippleOrigin = QPointF(700, 262));

// The effect's name as the LIGHTING page shows it, with its options.
QString describeLighting(const LightingMode &mode);

// What key cell k does in this profile, for the hover text: empty for a key
// that sends its own code; otherwise e.g. "Sends F5", "Profile 3 shift" or the
// macro's repeat mode and events.
QString describeAssignment(const OnboardProfile &profile, int key);
bool isRemapped(const OnboardProfile &profile, int key);
bool isMacroKey(const OnboardProfile &profile, int key);

// The name of a key code as the console shows it (labels of the key tables).
QString keyCodeName(quint8 code);
// A macro's events, one per line: "A down", "wait 100 ms", "A up", ...
QStringList macroEventLines(const StoredMacro &macro);
QString repeatText(const std::array<quint8, 2> &repeat);

} // namespace orvanta
