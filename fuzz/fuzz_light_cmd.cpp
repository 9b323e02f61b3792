// A profile's stored lighting command set (cmd/light_cmd.ini): the type, then one
// line of 264 numbers per report, replayed into an on-board profile.

#include "FuzzSupport.h"

#include "core/device/LightCommandReplay.h"
#include "core/storage/IniStore.h"

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList stored = fuzz::inputLines(data, size);
    const StoredLighting lighting = parseStoredLighting(stored);
    const int needed = IniStore::lightCmdReportCount(lighting.type);
    FUZZ_CHECK(lighting.buffers.size() == (stored.isEmpty() ? 0 : needed));
    if (lighting.complete)
        FUZZ_CHECK(needed > 0 && stored.size() > needed);

    CommandSender sender;
    unsigned paused = 0;
    sender.setPauseFunction([&paused](unsigned ms) { paused += ms; });
    const quint8 profile = quint8(1 + fuzz::inputByte(data, size, size / 2) % 5);

    // Once without a keyboard, once with one that checks every report.
    const bool sent = replayStoredLighting(sender, nullptr, lighting, profile);
    FUZZ_CHECK(sent == lighting.complete);
    FUZZ_CHECK(sent == (paused > 0));

    fuzz::CheckingDevice keyboard;
    keyboard.expectedProfile = profile;
    FUZZ_CHECK(replayStoredLighting(sender, &keyboard, lighting, profile) == sent);
    FUZZ_CHECK(sent == (keyboard.reports > 0));
    return 0;
}
