#pragma once
// Turning the lighting page's settings into the keyboard's report sets: the mode
// reports of each effect, per-LED colour pages, SURFACE pages and zone colours,
// and the stored form of what was sent (the profile's cmd/light_cmd.ini).
// Everything here takes plain values; nothing reads a widget.

#include "LightingTypes.h"
#include "core/device/DeviceOperation.h"
#include "core/device/Report.h"
#include "core/storage/AtomicFile.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <array>

class CommandSender;

namespace orvanta
{

constexpr int kLedBufferSize = 264;
using LedBuffer = std::array<int, kLedBufferSize>;

// 22 zone colours per channel across the keyboard, zone 0 at the left end.
struct ZoneColors {
    std::array<int, kZoneCount> r{}, g{}, b{};
};

// The 11-zone form that the Arrow Flow and Ripple previews show.
constexpr int kPreviewZones = 11;
struct PreviewZones {
    std::array<int, kPreviewZones> r{}, g{}, b{};
};

struct ModeReports {
    Report opening{};
    Report closing{};
};

// Everything the builders read from the page.
struct LightingState {
    EffectFlag flag; // the working record of the effect being applied
    LedBuffer ledR{}, ledG{}, ledB{};
    StopSlots stops = defaultStops();
    Rgb currentColor{255, 0, 0};
    Rgb surfaceColor{255, 0, 0};
    bool surfaceOnArrow = false;
    bool surfaceOnRipple = false;
};

// The reports of one lighting apply in their stored order; type = effect index.
// The stored order keeps the zone entries (22 zone bytes each) that the
// keyboard takes as one zone table.
struct LightCommandSet {
    int type = -1;
    QVector<Report> reports;
};

// Every report the type needs: 5 for Static, Reactive and Wave, 7 for Arrow
// Flow and Ripple.
bool isCompleteLightCommandSet(const LightCommandSet &set);
// Stamps the header bytes the keyboard reads (report id, command, profile,
// page) into the set's reports, for on-board profile `profile`. The stored
// file keeps the set stamped; stamping again for another profile gives the
// set as that profile takes it. An incomplete set is left as it is.
void stampLightCommandSet(LightCommandSet &set, quint8 profile);
// The reports of a set in the keyboard's order with their pauses, stamped for
// `profile`: the zone entries go over as one zone table, and Ripple adds its
// colour bank 4. No steps for an incomplete set.
DeviceOperation lightingOperation(LightCommandSet set, quint8 profile);

// A stored set (the type, then one line of numbers per report; each byte the
// low 8 bits of its number). Missing numbers read as 0; an unknown type
// gives type -1 and no reports. `complete` tells whether every report the
// type needs has its 264 numbers.
struct StoredLighting {
    LightCommandSet set;
    bool complete = false;
};
StoredLighting parseStoredLighting(const QStringList &stored);
// The profile's cmd/light_cmd.ini.
StoredLighting readStoredLighting(const QString &profileName);

// Option bytes derived from a record.
int arrowDirection(const EffectFlag &flag); // 0 both (or neither), 1 left only, 2 right only
int rollingOf(const EffectFlag &flag);      // 1 unless NO is chosen
int waveDirection(const EffectFlag &flag);  // 0 with LEFT, else 1

ModeReports staticModeReports(int mode, int modeSpeed);
ModeReports reactiveModeReports();
ModeReports arrowModeReports(int direction, int rolling);
ModeReports waveModeReports(int direction, int speediness);
ModeReports rippleModeReports(int rolling);

// Per-LED colour page: Static leaves bytes 0..7 zero, Reactive carries all 264.
Report staticLedPage(const LedBuffer &plane);
Report reactiveLedPage(const LedBuffer &plane);
// SURFACE pages: red in 8..135 and green in 136..263 of the first, blue in 8..135
// of the second. Pass black when SURFACE is off.
void surfaceReports(const Rgb &colour, Report &first, Report &second);
// A zone entry: the 22 zone bytes, then zeros.
Report zoneEntry(const std::array<int, kZoneCount> &zones);

ZoneColors fullZones(const Rgb &colour);
// Stop slot i sits at zone 2i; the zones between two stops step evenly (integer
// steps, truncated) from the left stop towards the right one.
ZoneColors interpolateZones(const StopSlots &stops);
PreviewZones previewZones(const StopSlots &stops, bool customized, const Rgb &current);

// Builds the unsent set of an effect from the page state.
LightCommandSet buildLightCommandSet(int effect, const LightingState &state);
// The factory lighting of on-board profile n (1..5): effect n - 1 with its
// factory colours. The Static one keeps the given sub-mode.
LightCommandSet factoryLightCommandSet(int n, int staticMode, int staticModeSpeed);

// Reports stored per lighting command type: 5 for 0, 1, 3; 7 for 2, 4; 0 otherwise.
int storedReportCount(int type);
// The stored texts of a set: the type, then one list of numbers per report.
QStringList lightCommandTexts(const LightCommandSet &set);
// Stores the set as the profile's cmd/light_cmd.ini; an incomplete set is not stored.
SaveResult storeLightCommandSet(const LightCommandSet &set, const QString &profileName);

// APPLY: build and stamp for `profile`, queue on `sender` (when given) and
// store; returns the set as stored and how storing it went.
WithSaves<LightCommandSet> applyLighting(int effect, const LightingState &state,
                                         CommandSender *sender, int profile,
                                         const QString &profileName);
// LED RESET and the factory reset: profile n's factory lighting, sent to profile n.
WithSaves<LightCommandSet> resetLighting(int n, int staticMode, int staticModeSpeed,
                                         CommandSender *sender, const QString &profileName);

} // namespace orvanta
