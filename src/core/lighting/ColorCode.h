#pragma once
// The six-digit colour code shown in the COLOR CODE field, and its reading.

#include "LightingTypes.h"

#include <QString>

namespace orvanta
{

// Two lower-case hex digits per component, R then G then B: (0, 128, 255) is
// "0080ff". Components are clamped to 0..255 so the code is always six digits.
QString colorCodeText(const Rgb &color);

// Reads "#" + text as a colour name: three hex digits (#RGB) or six (#RRGGBB).
// Any other text gives black.
Rgb parseColorCode(const QString &text);

} // namespace orvanta
