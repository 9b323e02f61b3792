#pragma once
// Style texts and gradients that show a stop set: the STOPS CONTROL strip,
// the PATTERN entries and the stop handles.

#include "LightingTypes.h"

#include <QLinearGradient>
#include <QString>

namespace orvanta
{

// The stops as a left-to-right style-sheet gradient (slot i at i/10):
// "qlineargradient(x1 : 0, ... stop : 0.0 rgb(r,g,b), ..., stop : 1 rgb(r,g,b))".
QString gradientText(const StopSlots &stops);

// Style sheet of the strip slider: its groove shows the stops as a left-to-right
// gradient (slot i at i/10), its handle the bright bar picture.
QString stripStyleSheet(const StopSlots &stops);

// Background of a PATTERN combo entry: a gradient from x 0 to x 150 with colour
// stops at 0, i/10 for each present middle slot, and 1.
QLinearGradient patternEntryGradient(const StopSlots &stops);

// Style of the PATTERN combo: the closed box shows the chosen entry's gradient.
QString patternComboStyle(const StopSlots &stops);

// Handle of a stop: white border when selected, grey otherwise.
QString stopHandleStyle(const Rgb &color, bool selected);
// Handle of a stop just added by ADD STOP.
QString newStopHandleStyle();

// The surface swatch: white border when it is the target of the picked colour.
QString surfaceSwatchStyle(const Rgb &color, bool selected);

} // namespace orvanta
