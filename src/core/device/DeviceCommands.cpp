#include "DeviceCommands.h"

#include "core/keys/DefaultKeyMap.h"

namespace orvanta::commands
{

namespace
{

DeviceOperation operationOf(int profile, std::initializer_list<Report> reports,
                            unsigned pauseMs = kPauseMs)
{
    DeviceOperation op;
    op.profile = profile;
    for (const Report &r : reports)
        op.steps.push_back({r, pauseMs});
    return op;
}

Report modeReport(quint8 profile)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_LIGHT_MODE;
    r[2] = profile;
    r[8] = profile;
    return r;
}

} // namespace

Report selectProfileReport(int profile)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_SELECT_PROFILE;
    r[2] = quint8(profile);
    return r;
}

Report keyMapReport(int profile, const KeyMap &map)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_KEY_MAP;
    r[2] = quint8(profile);
    std::copy(map.begin(), map.end(), r.begin() + 8);
    return r;
}

Report zoneTableReport(int table, const Report &red, const Report &green, const Report &blue,
                       quint8 profile)
{
    Report r = zeroReport();
    r[0] = kReportId;
    r[1] = CMD_ZONE_TABLE;
    r[2] = profile;
    const int base = kZoneTableOffsets[table];
    for (int z = 0; z < kZoneCount; ++z) {
        r[base + z] = red[z];
        r[base + kZoneCount + z] = green[z];
        r[base + 2 * kZoneCount + z] = blue[z];
    }
    if (table > 0) {
        r[74] = 0x01;
        r[75] = 0x15;
        r[142] = 0x01;
        r[143] = 0x15;
    }
    return r;
}

DeviceOperation selectProfile(int profile)
{
    DeviceOperation op = operationOf(profile, {selectProfileReport(profile)});
    op.purpose = DeviceOperation::Purpose::ProfileSwitch;
    return op;
}

DeviceOperation writeKeyMap(int profile, const KeyMap &map)
{
    return operationOf(profile, {selectProfileReport(profile), keyMapReport(profile, map),
                                 selectProfileReport(profile)});
}

DeviceOperation writeKeyMapAndMacros(int profile, const KeyMap &map, const QVector<Report> &macros,
                                     int count)
{
    DeviceOperation op = operationOf(
        profile, {selectProfileReport(profile), keyMapReport(profile, map)}, kLongPauseMs);
    const int n = qBound(0, count, macros.size());
    for (int i = 0; i < n; ++i)
        op.steps.push_back({macros[i], kLongPauseMs});
    op.steps.push_back({zeroReport(), kLongPauseMs});
    return op;
}

DeviceOperation resetProfileToDefault(int profile)
{
    Report mode = modeReport(quint8(profile));
    mode[16] = 8;
    mode[18] = 4;
    mode[19] = 8;
    mode[22] = 2;
    Report closing = mode;
    closing[13] = 4;
    return operationOf(profile,
                       {selectProfileReport(profile), mode, keyMapReport(profile, DEFAULT_KEY_MAP),
                        closing, selectProfileReport(profile)});
}

DeviceOperation lightPulse(quint8 value)
{
    Report r = modeReport(1);
    r[13] = value;
    r[16] = 8;
    r[22] = 0;
    DeviceOperation op = operationOf(1, {r, r});
    op.quiet = true;
    op.tickSeries = kLightPulseTicks;
    return op;
}

} // namespace orvanta::commands
