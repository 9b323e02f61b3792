// A profile's stored lighting command set (cmd/light_cmd.ini): the type, then one
// line of 264 numbers per report, replayed into an on-board profile.

#include "FuzzSupport.h"

#include "core/lighting/LightingBuilders.h"

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList stored = fuzz::inputLines(data, size);
    const StoredLighting lighting = parseStoredLighting(stored);
    const int needed = storedReportCount(lighting.set.type);
    FUZZ_CHECK(lighting.set.reports.size() == needed);
    if (lighting.complete)
        FUZZ_CHECK(needed > 0 && stored.size() > needed);

    // The console sends only a complete set (every caller checks), and a
    // complete set becomes reports, each framed for the profile.
    if (!lighting.complete)
        return 0;
    const quint8 profile = quint8(1 + fuzz::inputByte(data, size, size / 2) % 5);
    const DeviceOperation op = lightingOperation(lighting.set, profile);
    FUZZ_CHECK(!op.steps.empty());
    fuzz::CheckingDevice keyboard;
    keyboard.expectedProfile = profile;
    keyboard.send(op);
    return 0;
}
