#include "ReportDecoder.h"
#include "core/app/TranslationContexts.h"

#include "core/assign/KeyAssignment.h"
#include "core/lighting/LightingTypes.h"

#include <QCoreApplication>
#include <algorithm>
#include <initializer_list>

namespace orvanta
{

namespace
{

// True when every byte in [from, to) is zero except the listed offsets.
bool zeroExcept(const quint8 *r, int from, int to, std::initializer_list<int> allowed = {})
{
    for (int i = from; i < to; ++i)
        if (r[i] != 0 && std::find(allowed.begin(), allowed.end(), i) == allowed.end())
            return false;
    return true;
}

struct ModeBytes {
    int b10, b12, b13, b15, b16, b17, b18, b19, b20, b21, b22;
};

// The lighting mode reports the console sends, each checked byte for byte; the
// report's other bytes between 9 and 263 must be zero (byte 8 repeats the profile).
DecodedReport decodeMode(VirtualKeyboardState &state, const quint8 *r, int p)
{
    DecodedReport out;
    if (r[8] != p ||
        !zeroExcept(r, 3, kReportSize, {8, 10, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22}))
        return out;
    const ModeBytes m{r[10], r[12], r[13], r[15], r[16], r[17], r[18], r[19], r[20], r[21], r[22]};
    auto onlyThese = [&](std::initializer_list<int> used) {
        const std::pair<int, int> all[] = {{10, m.b10}, {15, m.b15}, {17, m.b17}, {18, m.b18},
                                           {19, m.b19}, {20, m.b20}, {21, m.b21}};
        for (const auto &b : all)
            if (b.second != 0 && std::find(used.begin(), used.end(), b.first) == used.end())
                return false;
        return true;
    };

    // The light pulse always addresses profile 1 and carries its value in byte 13.
    if (p == 1 && m.b12 == 0 && m.b16 == 8 && m.b22 == 0 && onlyThese({})) {
        out.kind = ReportKind::AppLight;
        out.profile = 1;
        out.appLight = quint8(m.b13);
        return out;
    }
    if (m.b13 != 0 && m.b13 != 4)
        return out;
    const bool closing = m.b13 == 4;
    LightingMode mode;
    if (m.b12 == 0 && m.b16 == 8 && m.b18 == 4 && m.b19 == 8 && m.b22 == 2 && onlyThese({18, 19})) {
        out.kind = ReportKind::ProfileDefaults;
        out.profile = p;
        out.closing = closing;
        return out;
    }
    if ((m.b12 == 0 || m.b12 == 5) && m.b16 == 8 && m.b22 == 2 && onlyThese({21})) {
        mode.effect = EffectStatic;
        mode.staticMode = m.b12;
        mode.staticSpeed = m.b21;
    } else if (m.b12 == 1 && m.b16 == 8 && m.b18 == 4 && m.b19 == 8 && m.b22 == 2 &&
               onlyThese({18, 19})) {
        mode.effect = EffectReactive;
    } else if (m.b12 == (closing ? 2 : 0) && m.b16 == 0 && m.b22 == 0 && m.b15 <= 2 && m.b17 <= 1 &&
               onlyThese({15, 17})) {
        mode.effect = EffectArrowFlow;
        mode.direction = m.b15;
        mode.rolling = m.b17;
    } else if (m.b12 == 3 && m.b16 == 8 && m.b19 == 80 && m.b22 == 0 && m.b10 <= 1 &&
               onlyThese({10, 18, 19})) {
        mode.effect = EffectWave;
        mode.direction = m.b10;
        mode.speediness = m.b18;
    } else if (m.b12 == 4 && m.b16 == (closing ? 2 : 8) && m.b18 == 4 &&
               m.b19 == (closing ? 2 : 255) && m.b20 <= 1 && m.b22 == 2 &&
               onlyThese({18, 19, 20})) {
        mode.effect = EffectRipple;
        mode.rolling = m.b20;
    } else {
        return out;
    }
    state.profile(p).mode = mode;
    out.kind = ReportKind::LightMode;
    out.profile = p;
    out.closing = closing;
    return out;
}

// A key-map write leaves only the macros that a macro key still plays.
void dropUnreachableMacros(OnboardProfile &profile)
{
    for (auto it = profile.macros.begin(); it != profile.macros.end();) {
        const int k = it->first;
        const bool reachable = profile.keyMap[size_t(k)] == kMacroKeyCode ||
                               profile.keyMap[size_t(k + 128)] == kMacroKeyCode;
        it = reachable ? std::next(it) : profile.macros.erase(it);
    }
}

DecodedReport decodeKnown(VirtualKeyboardState &state, const quint8 *r)
{
    DecodedReport out;
    if (std::all_of(r, r + kReportSize, [](quint8 b) { return b == 0; })) {
        out.kind = ReportKind::EndOfWrite;
        return out;
    }
    const int p = r[2];
    if (r[0] != kReportId || p < 1 || p > kOnboardProfiles)
        return out;
    OnboardProfile &profile = state.profile(p);
    DecodedReport done;
    done.profile = p;

    switch (r[1]) {
    case CMD_SELECT_PROFILE:
        if (!zeroExcept(r, 3, kReportSize))
            return out;
        state.activeProfile = p;
        done.kind = ReportKind::SelectProfile;
        return done;
    case CMD_LIGHT_MODE:
        return decodeMode(state, r, p);
    case CMD_KEY_MAP:
        if (!zeroExcept(r, 3, 8))
            return out;
        std::copy(r + 8, r + kReportSize, profile.keyMap.begin());
        dropUnreachableMacros(profile);
        done.kind = ReportKind::KeyMap;
        return done;
    case CMD_MACRO: {
        if (r[3] >= kMacroKeyPositions || r[4] != 1 || !zeroExcept(r, 5, 8))
            return out;
        StoredMacro macro;
        macro.repeat = {r[8], r[9]};
        std::copy(r + 10, r + kReportSize, macro.events.begin());
        profile.macros[r[3]] = macro;
        done.kind = ReportKind::Macro;
        return done;
    }
    case CMD_LED_PAGE: {
        const int page = r[3];
        if (page < 1 || page > 3 || !zeroExcept(r, 4, 8))
            return out;
        ColourPlane &plane = profile.staticLeds[size_t(page - 1)];
        plane.fill(0);
        std::copy(r + 8, r + kReportSize, plane.begin() + 8);
        done.kind = ReportKind::LedPage;
        return done;
    }
    case CMD_LED_PAGE_EX: {
        const int bank = r[3], page = r[4];
        if (page < 1 || page > 3)
            return out;
        if (bank == 1) {
            // Bytes 5..7 carry the colour of slots 5..7 (no key sits there).
            ColourPlane &plane = profile.reactiveLeds[size_t(page - 1)];
            plane.fill(0);
            std::copy(r + 5, r + kReportSize, plane.begin() + 5);
            done.kind = ReportKind::ReactivePage;
            return done;
        }
        if (bank == 4 && zeroExcept(r, 5, kReportSize, {28, 29})) {
            profile.rippleEnds[size_t(page - 1)] = {r[28], r[29]};
            done.kind = ReportKind::RippleEnds;
            return done;
        }
        return out;
    }
    case CMD_ZONE_PAGE: {
        const int which = r[3], page = r[4];
        if (which > 1 || page < 1 || page > 2 || !zeroExcept(r, 5, 8))
            return out;
        auto &surface = profile.surfaces[size_t(which)];
        if (page == 1) {
            std::copy(r + 8, r + 136, surface[0].begin() + 8);
            std::copy(r + 136, r + kReportSize, surface[1].begin() + 8);
        } else {
            if (!zeroExcept(r, 136, kReportSize))
                return out;
            std::copy(r + 8, r + 136, surface[2].begin() + 8);
        }
        done.kind = ReportKind::SurfacePage;
        return done;
    }
    case CMD_ZONE_TABLE: {
        if (!zeroExcept(r, 3, 8) || !zeroExcept(r, 210, kReportSize))
            return out;
        const bool marked = r[74] == 0x01 && r[75] == 0x15 && r[142] == 0x01 && r[143] == 0x15;
        const bool unmarked = r[74] == 0 && r[75] == 0 && r[142] == 0 && r[143] == 0;
        // Without the markers only the first table is meant; anything behind it is noise.
        if (!(marked || (unmarked && zeroExcept(r, 74, 210))))
            return out;
        for (int t = 0; t < (marked ? 3 : 1); ++t)
            for (int c = 0; c < 3; ++c)
                for (int z = 0; z < kZoneCount; ++z)
                    profile.zoneTables[size_t(t)][size_t(c)][size_t(z)] =
                        r[kZoneTableOffsets[t] + c * kZoneCount + z];
        done.kind = ReportKind::ZoneTable;
        return done;
    }
    default:
        return out;
    }
}

} // namespace

DecodedReport applyReport(VirtualKeyboardState &state, const quint8 *data, std::size_t length)
{
    DecodedReport out;
    if (data && length == kReportSize)
        out = decodeKnown(state, data);
    if (out.kind == ReportKind::Undecoded) {
        state.undecoded.append(
            QByteArray(reinterpret_cast<const char *>(data), data ? int(length) : 0));
        while (state.undecoded.size() > kMaxUndecoded)
            state.undecoded.removeFirst();
    }
    return out;
}

QString describe(const DecodedReport &report)
{
    const auto text = [&](const char *source) {
        return context::VirtualKeyboard::tr(source).arg(report.profile);
    };
    switch (report.kind) {
    case ReportKind::SelectProfile:
        return text("profile %1: selected");
    case ReportKind::LightMode:
        return report.closing ? text("profile %1: lighting applied")
                              : text("profile %1: lighting mode");
    case ReportKind::AppLight:
        return context::VirtualKeyboard::tr("light pulse %1").arg(report.appLight);
    case ReportKind::ProfileDefaults:
        return text("profile %1: factory defaults");
    case ReportKind::LedPage:
        return text("profile %1: Static key colours");
    case ReportKind::ReactivePage:
        return text("profile %1: Reactive key colours");
    case ReportKind::RippleEnds:
        return text("profile %1: Ripple edge colours");
    case ReportKind::SurfacePage:
        return text("profile %1: surface colour");
    case ReportKind::ZoneTable:
        return text("profile %1: zone colours");
    case ReportKind::KeyMap:
        return text("profile %1: key map");
    case ReportKind::Macro:
        return text("profile %1: macro");
    case ReportKind::EndOfWrite:
        return context::VirtualKeyboard::tr("end of key-map write");
    case ReportKind::Undecoded:
        break;
    }
    return context::VirtualKeyboard::tr("undecoded report");
}

} // namespace orvanta
