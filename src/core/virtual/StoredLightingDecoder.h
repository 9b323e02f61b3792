#pragma once
// What a saved profile's stored lighting holds, read the way the keyboard
// reads it: its reports are built as they would be sent and decoded by the
// virtual keyboard's decoder.

#include "VirtualKeyboardState.h"

#include <QString>

namespace orvanta
{

// Fills `out` with what the stored lighting of `profile` would put into
// on-board profile `slot`; false when the profile has no complete stored
// lighting (nothing decodable).
bool decodeStoredLighting(const QString &profile, int slot, OnboardProfile &out);

} // namespace orvanta
