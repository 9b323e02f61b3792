#include "StoredLightingDecoder.h"

#include "ReportDecoder.h"
#include "core/device/CommandSender.h"
#include "core/device/LightCommandReplay.h"
#include "core/storage/IniStore.h"

namespace orvanta
{

namespace
{

class DecodingDevice : public HidDevice
{
public:
    explicit DecodingDevice(VirtualKeyboardState &state) : m_state(state) {}
    bool sendFeatureReport(const quint8 *data, std::size_t length) override
    {
        applyReport(m_state, data, length);
        return true;
    }

private:
    VirtualKeyboardState &m_state;
};

} // namespace

bool decodeStoredLighting(const QString &profile, int slot, OnboardProfile &out)
{
    if (slot < 1 || slot > kOnboardProfiles)
        return false;
    VirtualKeyboardState state;
    DecodingDevice device(state);
    CommandSender sender;
    sender.setPauseFunction([](unsigned) {});
    const StoredLighting stored = parseStoredLighting(IniStore::readLightCmd(profile));
    if (!replayStoredLighting(sender, &device, stored, quint8(slot)))
        return false;
    if (state.profile(slot).mode.effect < 0)
        return false;
    out = state.profile(slot);
    return true;
}

} // namespace orvanta
