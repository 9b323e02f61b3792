#include "LightingBuilders.h"

#include "core/device/CommandSender.h"
#include "core/device/DeviceCommands.h"
#include "core/storage/DataPaths.h"
#include "core/storage/IniFile.h"
#include "core/storage/StoredList.h"

#include <QDebug>
#include <cstdlib>

namespace orvanta
{

namespace
{

// Zone colours the keyboard ships with for Wave (zone 0..21).
constexpr std::array<int, kZoneCount> kWaveFactoryR = {
    255, 200, 153, 34, 0, 0, 0, 0, 0, 0, 56, 0, 26, 75, 129, 181, 135, 153, 153, 129, 129, 110};
constexpr std::array<int, kZoneCount> kWaveFactoryG = {234, 255, 255, 255, 255, 255, 229, 132,
                                                       157, 166, 94,  200, 26,  26,  26,  26,
                                                       18,  0,   0,   42,  89,  100};
constexpr std::array<int, kZoneCount> kWaveFactoryB = {
    0, 0, 0, 0, 102, 183, 255, 248, 255, 246, 199, 244, 199, 199, 199, 199, 118, 46, 0, 24, 24, 43};

// The 11 factory colours of Ripple; they stand as stops at slots 0..10.
constexpr std::array<int, kStopSlots> kRippleFactoryR = {255, 200, 153, 34, 0, 0, 0, 0, 0, 0, 56};
constexpr std::array<int, kStopSlots> kRippleFactoryG = {234, 255, 255, 255, 255, 255,
                                                         229, 132, 157, 166, 94};
constexpr std::array<int, kStopSlots> kRippleFactoryB = {0,   0,   0,   0,   102, 183,
                                                         255, 248, 255, 246, 199};

quint8 low(int v)
{
    return quint8(v & 0xFF);
}

ModeReports modePair()
{
    return {zeroReport(), zeroReport()};
}

void setBoth(ModeReports &m, int offset, int value)
{
    m.opening[offset] = low(value);
    m.closing[offset] = low(value);
}

// One channel of the stop interpolation over N zones: stop slot i sits at zone
// K * i (K = N / 11: 2 for the keyboard's 22 zones, 1 for the previews' 11), and
// the zones between two stops step evenly from one to the next. The end slots
// always count as stops; the last zone takes the last stop's colour.
template <std::size_t N, typename Get>
std::array<int, N> spreadStops(const StopSlots &stops, Get channel)
{
    constexpr int k = int(N) / kStopSlots;
    std::array<int, N> zone{};
    zone[0] = channel(stops[0].color);
    zone[N - 1] = channel(stops[kStopSlots - 1].color);
    int prev = 0;
    for (int i = 1; i < kStopSlots; ++i) {
        if (!stops[i].present && i != kStopSlots - 1)
            continue;
        const int from = channel(stops[prev].color);
        const int to = channel(stops[i].color);
        const int step = std::abs(to - from) / (k * (i - prev));
        zone[k * i] = to;
        for (int z = k * prev + 1; z < k * i; ++z)
            zone[z] = to > from ? zone[z - 1] + step : zone[z - 1] - step;
        prev = i;
    }
    return zone;
}

template <typename Get>
std::array<int, kZoneCount> interpolateChannel(const StopSlots &stops, Get channel)
{
    std::array<int, kZoneCount> zone = spreadStops<kZoneCount>(stops, channel);
    for (int &v : zone)
        v = low(v);
    return zone;
}

LightCommandSet ledSet(int type, const ModeReports &mode, const Report &r, const Report &g,
                       const Report &b)
{
    LightCommandSet set;
    set.type = type;
    set.reports.reserve(5);
    for (const Report *report : {&mode.opening, &r, &g, &b, &mode.closing})
        set.reports.append(*report);
    return set;
}

LightCommandSet zoneSet(int type, const ModeReports &mode, const ZoneColors &zones,
                        const Rgb *surface)
{
    LightCommandSet set;
    set.type = type;
    set.reports.append(mode.opening);
    if (surface) {
        Report s1 = zeroReport();
        Report s2 = zeroReport();
        surfaceReports(*surface, s1, s2);
        set.reports.append(s1);
        set.reports.append(s2);
    }
    set.reports.append(zoneEntry(zones.r));
    set.reports.append(zoneEntry(zones.g));
    set.reports.append(zoneEntry(zones.b));
    set.reports.append(mode.closing);
    return set;
}

ZoneColors zonesOf(const std::array<int, kZoneCount> &r, const std::array<int, kZoneCount> &g,
                   const std::array<int, kZoneCount> &b)
{
    ZoneColors z;
    z.r = r;
    z.g = g;
    z.b = b;
    return z;
}

} // namespace

int arrowDirection(const EffectFlag &flag)
{
    if (flag.left && !flag.right)
        return 1;
    if (flag.right && !flag.left)
        return 2;
    return 0; // both; a never-edited record with neither goes out as the factory set does
}

int rollingOf(const EffectFlag &flag)
{
    return flag.no ? 0 : 1;
}

int waveDirection(const EffectFlag &flag)
{
    return flag.left ? 0 : 1;
}

ModeReports staticModeReports(int mode, int modeSpeed)
{
    ModeReports m = modePair();
    setBoth(m, 12, mode);
    m.closing[13] = 4;
    setBoth(m, 16, 8);
    setBoth(m, 21, modeSpeed);
    setBoth(m, 22, 2);
    return m;
}

ModeReports reactiveModeReports()
{
    ModeReports m = modePair();
    setBoth(m, 12, 1);
    m.closing[13] = 4;
    setBoth(m, 16, 8);
    setBoth(m, 18, 4);
    setBoth(m, 19, 8);
    setBoth(m, 22, 2);
    return m;
}

ModeReports arrowModeReports(int direction, int rolling)
{
    ModeReports m = modePair();
    m.closing[12] = 2;
    m.closing[13] = 4;
    setBoth(m, 15, direction);
    setBoth(m, 17, rolling);
    return m;
}

ModeReports waveModeReports(int direction, int speediness)
{
    ModeReports m = modePair();
    setBoth(m, 10, direction);
    setBoth(m, 12, 3);
    m.closing[13] = 4;
    setBoth(m, 16, 8);
    setBoth(m, 18, speediness);
    setBoth(m, 19, 80);
    return m;
}

ModeReports rippleModeReports(int rolling)
{
    ModeReports m = modePair();
    setBoth(m, 12, 4);
    m.closing[13] = 4;
    m.opening[16] = 8;
    m.closing[16] = 2;
    setBoth(m, 18, 4);
    m.opening[19] = 255;
    m.closing[19] = 2;
    setBoth(m, 20, rolling);
    setBoth(m, 22, 2);
    return m;
}

Report staticLedPage(const LedBuffer &plane)
{
    Report r = zeroReport();
    for (int s = 8; s < kLedBufferSize; ++s)
        r[s] = low(plane[s]);
    return r;
}

Report reactiveLedPage(const LedBuffer &plane)
{
    Report r = zeroReport();
    for (int s = 0; s < kLedBufferSize; ++s)
        r[s] = low(plane[s]);
    return r;
}

void surfaceReports(const Rgb &colour, Report &first, Report &second)
{
    first = zeroReport();
    second = zeroReport();
    for (int s = 8; s <= 135; ++s) {
        first[s] = low(colour.r);
        first[s + 128] = low(colour.g);
        second[s] = low(colour.b);
    }
}

Report zoneEntry(const std::array<int, kZoneCount> &zones)
{
    Report r = zeroReport();
    for (int z = 0; z < kZoneCount; ++z)
        r[z] = low(zones[z]);
    return r;
}

ZoneColors fullZones(const Rgb &colour)
{
    ZoneColors z;
    z.r.fill(low(colour.r));
    z.g.fill(low(colour.g));
    z.b.fill(low(colour.b));
    return z;
}

ZoneColors interpolateZones(const StopSlots &stops)
{
    ZoneColors z;
    z.r = interpolateChannel(stops, [](const Rgb &c) { return c.r; });
    z.g = interpolateChannel(stops, [](const Rgb &c) { return c.g; });
    z.b = interpolateChannel(stops, [](const Rgb &c) { return c.b; });
    return z;
}

PreviewZones previewZones(const StopSlots &stops, bool customized, const Rgb &current)
{
    PreviewZones z;
    if (!customized) {
        z.r.fill(current.r);
        z.g.fill(current.g);
        z.b.fill(current.b);
        return z;
    }
    z.r = spreadStops<kPreviewZones>(stops, [](const Rgb &c) { return c.r; });
    z.g = spreadStops<kPreviewZones>(stops, [](const Rgb &c) { return c.g; });
    z.b = spreadStops<kPreviewZones>(stops, [](const Rgb &c) { return c.b; });
    return z;
}

LightCommandSet buildLightCommandSet(int effect, const LightingState &state)
{
    const EffectFlag &f = state.flag;
    switch (effect) {
    case EffectStatic:
        return ledSet(EffectStatic, staticModeReports(f.mode, f.modeSpeed),
                      staticLedPage(state.ledR), staticLedPage(state.ledG),
                      staticLedPage(state.ledB));
    case EffectReactive:
        return ledSet(EffectReactive, reactiveModeReports(), reactiveLedPage(state.ledR),
                      reactiveLedPage(state.ledG), reactiveLedPage(state.ledB));
    case EffectArrowFlow: {
        const Rgb surface = state.surfaceOnArrow ? state.surfaceColor : Rgb{};
        const ZoneColors zones =
            f.fullFlag ? fullZones(state.currentColor) : interpolateZones(state.stops);
        return zoneSet(EffectArrowFlow, arrowModeReports(arrowDirection(f), rollingOf(f)), zones,
                       &surface);
    }
    case EffectWave:
        return zoneSet(EffectWave, waveModeReports(waveDirection(f), f.speediness),
                       interpolateZones(state.stops), nullptr);
    case EffectRipple: {
        const Rgb surface = state.surfaceOnRipple ? state.surfaceColor : Rgb{};
        const ZoneColors zones =
            f.fullFlag ? fullZones(state.currentColor) : interpolateZones(state.stops);
        return zoneSet(EffectRipple, rippleModeReports(rollingOf(f)), zones, &surface);
    }
    default:
        return {};
    }
}

LightCommandSet factoryLightCommandSet(int n, int staticMode, int staticModeSpeed)
{
    const Rgb black{};
    switch (n) {
    case 1: {
        LedBuffer red{};
        red.fill(255);
        const LedBuffer none{};
        return ledSet(EffectStatic, staticModeReports(staticMode, staticModeSpeed),
                      staticLedPage(red), staticLedPage(none), staticLedPage(none));
    }
    case 2: {
        LedBuffer red{};
        red.fill(255);
        const LedBuffer none{};
        return ledSet(EffectReactive, reactiveModeReports(), reactiveLedPage(red),
                      reactiveLedPage(none), reactiveLedPage(none));
    }
    case 3:
        return zoneSet(EffectArrowFlow, arrowModeReports(0, 0), fullZones({255, 0, 0}), &black);
    case 4:
        return zoneSet(EffectWave, waveModeReports(0, 3),
                       zonesOf(kWaveFactoryR, kWaveFactoryG, kWaveFactoryB), nullptr);
    case 5: {
        StopSlots stops{};
        for (int i = 0; i < kStopSlots; ++i)
            stops[i] = {true, {kRippleFactoryR[i], kRippleFactoryG[i], kRippleFactoryB[i]}};
        return zoneSet(EffectRipple, rippleModeReports(0), interpolateZones(stops), &black);
    }
    default:
        return {};
    }
}

namespace
{

void stampMode(Report &r, quint8 profile)
{
    r[0] = kReportId;
    r[1] = CMD_LIGHT_MODE;
    r[2] = profile;
    r[8] = profile;
}

void stampPage(Report &r, quint8 command, quint8 profile, int b3, int b4 = -1)
{
    r[0] = kReportId;
    r[1] = command;
    r[2] = profile;
    r[3] = quint8(b3);
    if (b4 >= 0)
        r[4] = quint8(b4);
}

} // namespace

bool isCompleteLightCommandSet(const LightCommandSet &set)
{
    const int count = storedReportCount(set.type);
    return count > 0 && set.reports.size() == count;
}

void stampLightCommandSet(LightCommandSet &set, quint8 profile)
{
    if (!isCompleteLightCommandSet(set))
        return;
    QVector<Report> &b = set.reports;
    stampMode(b[0], profile);
    switch (set.type) {
    case EffectStatic:
        for (int page = 1; page <= 3; ++page)
            stampPage(b[page], CMD_LED_PAGE, profile, page);
        stampMode(b[4], profile);
        break;
    case EffectReactive:
        for (int page = 1; page <= 3; ++page)
            stampPage(b[page], CMD_LED_PAGE_EX, profile, 1, page);
        stampMode(b[4], profile);
        break;
    case EffectArrowFlow:
        stampPage(b[1], CMD_ZONE_PAGE, profile, 0, 1);
        stampPage(b[2], CMD_ZONE_PAGE, profile, 0, 2);
        stampMode(b[6], profile);
        b[6][12] = 2;
        b[6][13] = 4;
        b[6][16] = 0;
        b[6][22] = 0;
        break;
    case EffectWave:
        stampMode(b[4], profile);
        break;
    case EffectRipple:
        stampPage(b[1], CMD_ZONE_PAGE, profile, 1, 1);
        stampPage(b[2], CMD_ZONE_PAGE, profile, 1, 2);
        b[6][3] = 0;
        stampMode(b[6], profile);
        break;
    default:
        break;
    }
}

DeviceOperation lightingOperation(LightCommandSet set, quint8 profile)
{
    DeviceOperation op;
    op.profile = profile;
    if (!isCompleteLightCommandSet(set))
        return op;
    stampLightCommandSet(set, profile);
    const QVector<Report> &b = set.reports;
    auto add = [&op](const Report &r) { op.steps.push_back({r, kPauseMs}); };
    switch (set.type) {
    case EffectStatic:
    case EffectReactive:
        for (const Report &r : b)
            add(r);
        break;
    case EffectArrowFlow:
        add(b[0]);
        add(b[1]);
        add(b[2]);
        add(commands::zoneTableReport(1, b[3], b[4], b[5], profile));
        add(b[6]);
        break;
    case EffectWave:
        add(b[0]);
        add(commands::zoneTableReport(0, b[1], b[2], b[3], profile));
        add(b[4]);
        break;
    case EffectRipple:
        add(b[0]);
        // The ripple's colour bank 4: the last two zones of each channel.
        for (int i = 0; i < 3; ++i) {
            Report bank = zeroReport();
            stampPage(bank, CMD_LED_PAGE_EX, profile, 4, i + 1);
            bank[28] = b[3 + i][20];
            bank[29] = b[3 + i][21];
            add(bank);
        }
        add(b[1]);
        add(b[2]);
        add(commands::zoneTableReport(2, b[3], b[4], b[5], profile));
        add(b[6]);
        break;
    default:
        break;
    }
    return op;
}

int storedReportCount(int type)
{
    return type == 0 || type == 1 || type == 3 ? 5 : type == 2 || type == 4 ? 7 : 0;
}

QStringList lightCommandTexts(const LightCommandSet &set)
{
    QStringList texts{QString::number(set.type)};
    for (const Report &r : set.reports)
        texts << joinNumbers(r);
    return texts;
}

SaveResult storeLightCommandSet(const LightCommandSet &set, const QString &profileName)
{
    if (!isCompleteLightCommandSet(set))
        return SaveResult(); // an incomplete set would be replayed wrongly later
    // The file is replaced whole: no key of an earlier, longer set survives.
    const QStringList texts = lightCommandTexts(set);
    IniFile s;
    s.setValue(QStringLiteral("Setting/type"), texts[0]);
    for (int i = 1; i < texts.size(); ++i)
        s.setValue(QStringLiteral("Setting/") + QString::number(i - 1), texts[i]);
    return s.save(DataPaths::lightCmdPath(profileName));
}

StoredLighting readStoredLighting(const QString &profileName)
{
    const IniFile s = IniFile::load(DataPaths::lightCmdPath(profileName));
    const QString type = s.text(QStringLiteral("Setting/type"));
    QStringList stored{type};
    for (int i = 0, n = storedReportCount(toNumber(type, 0)); i < n; ++i)
        stored << s.text(QStringLiteral("Setting/") + QString::number(i));
    return parseStoredLighting(stored);
}

StoredLighting parseStoredLighting(const QStringList &stored)
{
    qDebug() << "change_light_cmd_to_char()";
    StoredLighting out;
    if (stored.isEmpty())
        return out;
    const int type = toNumber(stored[0], -1);
    const int count = storedReportCount(type);
    if (count == 0)
        return out;
    out.set.type = type;
    bool complete = count > 0 && stored.size() >= count + 1;
    for (int i = 0; i < count; ++i) {
        const QStringList parts = splitList(stored.value(i + 1));
        if (parts.size() < int(kReportSize))
            complete = false;
        Report r = zeroReport();
        for (int b = 0; b < int(kReportSize) && b < parts.size(); ++b) {
            bool ok = false;
            const int v = parts[b].trimmed().toInt(&ok);
            if (!ok)
                complete = false;
            r[b] = low(v);
        }
        out.set.reports.append(r);
    }
    out.complete = complete;
    return out;
}

WithSaves<LightCommandSet> applyLighting(int effect, const LightingState &state,
                                         CommandSender *sender, int profile,
                                         const QString &profileName)
{
    switch (effect) {
    case EffectStatic:
        qDebug("%d aaa", profile);
        break;
    case EffectArrowFlow:
        qDebug() << "Light_arrow_function";
        break;
    case EffectWave:
        qDebug() << "Light_wave";
        break;
    case EffectRipple:
        qDebug() << "Light_ripple";
        break;
    default:
        break;
    }
    LightCommandSet set = buildLightCommandSet(effect, state);
    stampLightCommandSet(set, quint8(profile));
    if (sender)
        sender->send(lightingOperation(set, quint8(profile)));
    SaveResult saved = storeLightCommandSet(set, profileName);
    return {set, saved};
}

WithSaves<LightCommandSet> resetLighting(int n, int staticMode, int staticModeSpeed,
                                         CommandSender *sender, const QString &profileName)
{
    if (n < 1 || n > kEffectCount)
        return {};
    qDebug("reset %d", n);
    LightCommandSet set = factoryLightCommandSet(n, staticMode, staticModeSpeed);
    stampLightCommandSet(set, quint8(n));
    if (sender)
        sender->send(lightingOperation(set, quint8(n)));
    SaveResult saved = storeLightCommandSet(set, profileName);
    return {set, saved};
}

} // namespace orvanta
