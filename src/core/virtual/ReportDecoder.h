#pragma once
// Reads the console's feature reports the way the keyboard does and applies them
// to its memory. A report that does not match one of the known layouts exactly
// changes nothing: it is kept among the undecoded reports.

#include "VirtualKeyboardState.h"

#include <QString>
#include <cstddef>

namespace orvanta
{

enum class ReportKind {
    SelectProfile,
    LightMode,       // an effect's opening or closing mode report
    AppLight,        // one beat of the application-driven light pulse
    ProfileDefaults, // the mode report of a profile's factory defaults
    LedPage,         // Static per-LED colours
    ReactivePage,    // Reactive per-LED colours
    RippleEnds,      // Ripple's last two zones (bank 4)
    SurfacePage,
    ZoneTable,
    KeyMap,
    Macro,
    EndOfWrite, // the empty report that closes a key-map and macro write
    Undecoded,
};

struct DecodedReport {
    ReportKind kind = ReportKind::Undecoded;
    int profile = 0;      // the profile the report addressed (0 when none)
    quint8 appLight = 0;  // AppLight: the light value
    bool closing = false; // LightMode: the report that ends a lighting sequence
};

DecodedReport applyReport(VirtualKeyboardState &state, const quint8 *data, std::size_t length);

// A short line for the window's report list, e.g. "profile 2: key map".
QString describe(const DecodedReport &report);

} // namespace orvanta
