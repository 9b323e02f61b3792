#pragma once
// What the keyboard keeps in its memory: five on-board profiles, each with its
// lighting (effect, options, per-LED colours, surface, zone tables), its key map
// and its macros, plus the active profile. The virtual keyboard fills this from
// the reports it receives; the same values survive a restart through the
// saved state file.

#include "core/device/Report.h"
#include "core/storage/AtomicFile.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QVector>
#include <array>
#include <map>

namespace orvanta
{

constexpr int kOnboardProfiles = 5;
constexpr int kLedPlaneSize = 264; // a colour plane is addressed by report byte (LED slot)
constexpr int kMacroKeyPositions = 128;

// What a lighting mode report chose. Fields that the effect does not use stay 0.
struct LightingMode {
    int effect = -1;     // Effect index 0..4; -1 before any lighting was received
    int staticMode = 0;  // Static: 0 steady or pulse, 5 spectrum cycling
    int staticSpeed = 0; // Static: 0 steady, 6/4/2 pulse speeds
    int direction = 0;   // Arrow Flow: 0 both, 1 left, 2 right; Wave: 0 left, 1 right
    int rolling = 0;     // Arrow Flow, Ripple
    int speediness = 0;  // Wave
    friend bool operator==(const LightingMode &a, const LightingMode &b)
    {
        return a.effect == b.effect && a.staticMode == b.staticMode &&
               a.staticSpeed == b.staticSpeed && a.direction == b.direction &&
               a.rolling == b.rolling && a.speediness == b.speediness;
    }
};

using ColourPlane = std::array<quint8, kLedPlaneSize>;
using ZoneTable = std::array<std::array<quint8, kZoneCount>, 3>; // red, green, blue

// One macro as the keyboard holds it: repeat bytes and the event area.
struct StoredMacro {
    std::array<quint8, 2> repeat{};
    std::array<quint8, kReportSize - 10> events{}; // report bytes 10..263
    friend bool operator==(const StoredMacro &a, const StoredMacro &b)
    {
        return a.repeat == b.repeat && a.events == b.events;
    }
};

struct OnboardProfile {
    LightingMode mode;
    std::array<ColourPlane, 3> staticLeds{};   // per-LED colours of Static (CMD_LED_PAGE)
    std::array<ColourPlane, 3> reactiveLeds{}; // per-LED colours of Reactive (bank 1)
    // SURFACE colour per LED slot (zone pages): [0] Arrow Flow, [1] Ripple.
    std::array<std::array<ColourPlane, 3>, 2> surfaces{};
    std::array<ZoneTable, 3> zoneTables{};             // Wave, Arrow Flow, Ripple tables
    std::array<std::array<quint8, 2>, 3> rippleEnds{}; // bank 4: zones 20, 21 per channel
    std::array<quint8, 256> keyMap{};
    std::map<int, StoredMacro> macros; // by key number (matrix position)
    friend bool operator==(const OnboardProfile &a, const OnboardProfile &b)
    {
        return a.mode == b.mode && a.staticLeds == b.staticLeds &&
               a.reactiveLeds == b.reactiveLeds && a.surfaces == b.surfaces &&
               a.zoneTables == b.zoneTables && a.rippleEnds == b.rippleEnds &&
               a.keyMap == b.keyMap && a.macros == b.macros;
    }
};

struct VirtualKeyboardState {
    int activeProfile = 1;
    std::array<OnboardProfile, kOnboardProfiles> profiles;
    // Reports the keyboard did not understand, newest last (bounded).
    QVector<QByteArray> undecoded;

    // The keyboard's memory: everything but the undecoded reports.
    bool sameMemory(const VirtualKeyboardState &o) const
    {
        return activeProfile == o.activeProfile && profiles == o.profiles;
    }
    OnboardProfile &profile(int n) { return profiles[size_t(n - 1)]; }
    const OnboardProfile &profile(int n) const { return profiles[size_t(n - 1)]; }
};

constexpr int kMaxUndecoded = 32;

// The memory of a new keyboard: each profile n holds the factory lighting of
// effect n - 1 and the factory key map, no macros, profile 1 active.
VirtualKeyboardState factoryState();

// The saved form. fromJson returns false (and leaves `out` untouched) when the
// text is not a complete state; every list is bounded and every value range-checked.
QJsonObject toJson(const VirtualKeyboardState &state);
bool fromJson(const QJsonObject &json, VirtualKeyboardState &out);

// Atomic save (temporary file, flush, rename); on failure the old file stays and
// the failure says why.
SaveResult saveState(const VirtualKeyboardState &state, const QString &path);

// What reading a state file came to: not loaded for a missing or unreadable
// file, with `error` saying why.
struct [[nodiscard]] StateLoadResult {
    bool loaded = false;
    QString error;
};
StateLoadResult loadState(const QString &path, VirtualKeyboardState &out);

} // namespace orvanta
