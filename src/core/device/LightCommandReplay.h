#pragma once
// Replaying a saved profile's stored lighting into an on-board profile.

#include "HidDevice.h"
#include "Report.h"

#include <QStringList>
#include <QVector>

class CommandSender;

namespace orvanta {

struct StoredLighting
{
    int type = -1;
    QVector<Report> buffers; // in stored order
    bool complete = false;   // every buffer the type needs, each with 264 numbers
};

// The stored lines (type first, then one line per report) as report buffers;
// each byte is the low 8 bits of its number.
StoredLighting parseStoredLighting(const QStringList &stored);

// Sends a set of reports with the sender of its lighting type (the senders
// stamp the buffers in place), addressed to `profile`. The arrow sender takes
// its closing report before the zone arrays, so a type 2 set goes over as
// 0, 1, 2, 6, 3, 4, 5. Returns false, sending nothing, for an unknown type or
// a report count that does not match the type.
bool sendLightSet(CommandSender &sender, HidDevice *handle, int type, QVector<Report> &reports,
                  quint8 profile);

// Sends a complete stored set with the sender of its type, addressed to
// `profile`. Returns false (and sends nothing) for an unknown type or an
// incomplete set: replaying zeros would blank the keyboard.
bool replayStoredLighting(CommandSender &sender, HidDevice *handle, StoredLighting lighting,
                          quint8 profile);

} // namespace orvanta
