#pragma once
// Style texts and gradients that show a stop set: the STOPS CONTROL strip,
// the PATTERN entries and the stop handles.

#include "lighting/LightingTypes.h"

#include <QLinearGradient>
#include <QString>

namespace orvanta
{

// Style sheet of the strip slider: its groove shows the stops as a left-to-right
// gradient (slot i at i/10), its handle the bright bar picture.
QString stripStyleSheet(const StopSlots &stops);

// Background of a PATTERN combo entry: a gradient from x 0 to x 150 with colour
// stops at 0, i/10 for each present middle slot, and 1.
QLinearGradient patternEntryGradient(const StopSlots &stops);

// Handle of a stop: white border when selected, grey otherwise.
QString stopHandleStyle(const Rgb &color, bool selected);
// Handle of a stop just added by ADD STOP.
QString newStopHandleStyle();

// The surface swatch: white border when it is the target of the picked colour.
QString surfaceSwatchStyle(const Rgb &color, bool selected);

} // namespace orvanta
