#pragma once
// A keyboard operation: a whole sequence of feature reports, each followed by
// the pause the firmware needs, sent contiguously; and the one interface that
// takes operations (the keyboard link, and a recording queue in tests).

#include "Report.h"

#include <QtGlobal>
#include <vector>

namespace orvanta
{

struct DeviceStep {
    Report report;
    unsigned pauseMs = kPauseMs;
};

// The series of the light pulse's ticks.
constexpr int kLightPulseTicks = 1;

struct DeviceOperation {
    std::vector<DeviceStep> steps;
    int profile = 0;    // the on-board profile it addresses, 0 for none
    bool quiet = false; // repeated ticks: no confirmation for each
    // Non-zero: one tick of a repeating series (the light pulse); at most one
    // tick of a series waits, a newer one takes the waiting one's place.
    int tickSeries = 0;
    // What an operation of another program stands for while it waits: only
    // the latest profile switch and the latest colour matter, so a newer one
    // takes the place of a waiting one (see KeyboardLink::enqueue).
    enum class Purpose { Other, ProfileSwitch, Colour };
    Purpose purpose = Purpose::Other;
};

// Who asked for an operation. The user's own operations go ahead of waiting
// operations of other programs (the control socket, the light pulse), which
// coalesce; the user's own are never dropped for other programs' sake.
enum class Origin { User, OtherProgram };

class CommandQueue
{
public:
    virtual ~CommandQueue() = default;
    // Queues `operation` whole; returns its id (ids grow, 0 is never used).
    virtual quint64 enqueue(DeviceOperation operation, Origin origin = Origin::User) = 0;
    // Takes the waiting ticks of `series` out of the queue (a tick being sent
    // finishes); returns how many. A queue that sends at once has none waiting.
    virtual int withdrawTicks(int series)
    {
        Q_UNUSED(series);
        return 0;
    }
};

} // namespace orvanta
