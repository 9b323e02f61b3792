#pragma once
// What the main window does with a command map from the control socket, and
// the reports that paint the whole keyboard in one colour.

#include "core/device/DeviceOperation.h"

#include <QMetaType>
#include <QVariantMap>
#include <QtGlobal>

namespace orvanta
{

struct SocketAction {
    enum Kind {
        None,          // unknown group or command, or values that do not convert
        SwitchProfile, // "Data" 1..5: as the profile buttons do
        PaintColour,   // "Data" 6: static lighting in one colour, sent only
        PulseStart,    // "Data" 7: start the light pulse if idle, always set its value
        PulseStop,     // "Data" 8
    };
    Kind kind = None;
    int profile = 0;
    quint8 red = 0;
    quint8 green = 0;
    quint8 blue = 0;
    quint8 pulseValue = 0;
};

// Only "command" 7 is acted upon. Values may be ints, whole numbers or numeric
// texts; a colour needs all three components within 0..255, a pulse needs
// "app_cmd" (its low byte is used).
SocketAction socketActionFor(const QVariantMap &command);

// Static lighting of the whole keyboard in one colour at full brightness,
// stamped for on-board profile `profile`: sent only, never stored.
DeviceOperation staticColourOperation(quint8 red, quint8 green, quint8 blue, quint8 profile);

} // namespace orvanta

Q_DECLARE_METATYPE(orvanta::SocketAction)
