#pragma once
// The factory lighting shipped in the data tree: each built-in profile's stored
// lighting command set and the system-wide effect records and key colours that
// agree with it.

#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"

#include <QString>

namespace orvanta
{

// The five effect records of the factory lighting: Static full red steady,
// Reactive full red, Arrow Flow both ways without rolling, Wave to the left at
// speediness 3, Ripple's factory gradient without rolling.
EffectRecords factoryEffectRecords();
// Every key red, every LED slot red, for Static and Reactive alike.
KeyColorSet factoryKeyColors();

// Writes, below the current directory, "lightfile/PROFILE n/cmd/light_cmd.ini"
// for n = 1..5 (as sent to profile n, stamped), "system/light_flag.ini" and
// "system/light_color.ini". Nothing is sent anywhere and nothing waits.
SaveResult writeFactoryLighting();

} // namespace orvanta
