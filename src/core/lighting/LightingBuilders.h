#pragma once
// Turning the lighting page's settings into the keyboard's report sets: the mode
// reports of each effect, per-LED colour pages, SURFACE pages and zone colours,
// and the stored form of what was sent (the profile's cmd/light_cmd.ini).
// Everything here takes plain values; nothing reads a widget.

#include "LightingTypes.h"
#include "core/device/HidDevice.h"
#include "core/device/Report.h"
#include "core/storage/IniStore.h"

#include <QString>
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
struct LightCommandSet {
    int type = -1;
    QVector<Report> reports;
};

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

// Hands the set to the effect's sender, which stamps the buffers in place.
void sendLightCommandSet(CommandSender &sender, HidDevice *handle, LightCommandSet &set,
                         quint8 profile);
IniGroupMap lightCommandMap(const LightCommandSet &set);
// Stores the set as the profile's cmd/light_cmd.ini; an incomplete set is not stored.
SaveResult storeLightCommandSet(const LightCommandSet &set, const QString &profileName);
// Reads a profile's stored set back (bounded: missing numbers read as 0);
// type -1 when the file holds no known type.
LightCommandSet readLightCommandSet(const QString &profileName);

// APPLY: build, send and store; returns the set as sent. A failed save is
// added to `saved`.
LightCommandSet applyLighting(int effect, const LightingState &state, CommandSender &sender,
                              HidDevice *handle, int profile, const QString &profileName,
                              SaveResult *saved = nullptr);
// LED RESET and the factory reset: profile n's factory lighting, sent to profile n.
LightCommandSet resetLighting(int n, int staticMode, int staticModeSpeed, CommandSender &sender,
                              HidDevice *handle, const QString &profileName,
                              SaveResult *saved = nullptr);

} // namespace orvanta
