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

struct DeviceOperation {
    std::vector<DeviceStep> steps;
    int profile = 0;    // the on-board profile it addresses, 0 for none
    bool quiet = false; // repeated ticks: no confirmation for each
};

// Who asked for an operation. Another program's operations are bounded by the
// queue's limit and dropped beyond it; the user's own never are.
enum class Origin { User, OtherProgram };

class CommandQueue
{
public:
    virtual ~CommandQueue() = default;
    // Queues `operation` whole; returns its id (ids grow, 0 is never used).
    virtual quint64 enqueue(DeviceOperation operation, Origin origin = Origin::User) = 0;
};

} // namespace orvanta
