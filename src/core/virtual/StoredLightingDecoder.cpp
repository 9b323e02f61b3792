#include "StoredLightingDecoder.h"

#include "ReportDecoder.h"
#include "core/lighting/LightingBuilders.h"

namespace orvanta
{

bool decodeStoredLighting(const QString &profile, int slot, OnboardProfile &out)
{
    if (slot < 1 || slot > kOnboardProfiles)
        return false;
    const StoredLighting stored = readStoredLighting(profile);
    if (!stored.complete)
        return false;
    // The reports as the keyboard would take them, decoded as the virtual
    // keyboard decodes them.
    VirtualKeyboardState state;
    for (const DeviceStep &step : lightingOperation(stored.set, quint8(slot)).steps)
        applyReport(state, step.report.data(), step.report.size());
    if (state.profile(slot).mode.effect < 0)
        return false;
    out = state.profile(slot);
    return true;
}

} // namespace orvanta
