#include "SocketCommand.h"

#include "SocketMessage.h"
#include "core/lighting/LightingBuilders.h"

#include <algorithm>
#include <optional>

namespace orvanta
{

namespace
{

std::optional<int> member(const QVariantMap &map, const char *key)
{
    const auto it = map.constFind(QLatin1String(key));
    if (it == map.constEnd())
        return std::nullopt;
    return commandInt(it.value());
}

std::optional<quint8> colourComponent(const QVariantMap &map, const char *key)
{
    const std::optional<int> n = member(map, key);
    if (!n || *n < 0 || *n > 255)
        return std::nullopt;
    return quint8(*n);
}

} // namespace

SocketAction socketActionFor(const QVariantMap &command)
{
    SocketAction action;
    const std::optional<int> group = member(command, "command");
    const std::optional<int> data = member(command, "Data");
    if (!group || *group != kSocketCommandGroup || !data)
        return action;
    switch (*data) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
        action.kind = SocketAction::SwitchProfile;
        action.profile = *data;
        break;
    case 6: {
        const auto r = colourComponent(command, "Color_r");
        const auto g = colourComponent(command, "Color_g");
        const auto b = colourComponent(command, "Color_b");
        if (!r || !g || !b)
            break;
        action.kind = SocketAction::PaintColour;
        action.red = *r;
        action.green = *g;
        action.blue = *b;
        break;
    }
    case 7: {
        const std::optional<int> value = member(command, "app_cmd");
        if (!value)
            break;
        action.kind = SocketAction::PulseStart;
        action.pulseValue = quint8(*value & 0xff);
        break;
    }
    case 8:
        action.kind = SocketAction::PulseStop;
        break;
    default:
        break;
    }
    return action;
}

DeviceOperation staticColourOperation(quint8 red, quint8 green, quint8 blue, quint8 profile)
{
    LightCommandSet set;
    set.type = EffectStatic;
    Report mode = zeroReport();
    // Static effect (code 0) at full brightness 8, every LED from the pages.
    mode[16] = 8;
    mode[22] = 2;
    Report closing = mode;
    closing[13] = 4;
    set.reports << mode;
    for (quint8 channel : {red, green, blue}) {
        Report page = zeroReport();
        std::fill(page.begin() + 8, page.end(), channel);
        set.reports << page;
    }
    set.reports << closing;
    DeviceOperation op = lightingOperation(set, profile);
    op.purpose = DeviceOperation::Purpose::Colour;
    return op;
}

} // namespace orvanta
