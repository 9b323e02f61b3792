#pragma once
// What the main window does with a command map from the control socket, and
// the reports that paint the whole keyboard in one colour.

#include "core/device/HidDevice.h"
#include "core/device/Report.h"

#include <QVariantMap>
#include <QtGlobal>

class CommandSender;

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

// The five buffers of a one-colour static lighting, in the order that
// CommandSender::sendLightStatic takes them (it stamps the headers).
struct StaticColourReports {
    Report first;
    Report page1;
    Report page2;
    Report page3;
    Report closing;
};

StaticColourReports staticColourReports(quint8 red, quint8 green, quint8 blue);

// Builds the five buffers and sends them on `profile` (the lighting page's).
void sendStaticColour(CommandSender &sender, HidDevice *handle, quint8 red, quint8 green,
                      quint8 blue, quint8 profile);

} // namespace orvanta
