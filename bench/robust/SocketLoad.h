#pragma once
// Many clients at once on the console's control socket: garbage from all of
// them together, profile switches one at a time (each checked against the
// report the keyboard receives), some clients dropping mid-message.

#include "ConsoleProcess.h"

#include <QString>

namespace orvanta::test
{

struct LoadPlan {
    int clients = 50;
    int messagesPerClient = 200;
    int validPerClient = 8; // profile switches among each client's messages
    quint32 seed = 1;
};

struct LoadResult {
    QString failure; // empty when every check held
    int messagesSent = 0;
    int validSent = 0;
    int validCarriedOut = 0; // switches whose report arrived in the client's order
    int garbageSent = 0;
    int droppedMidMessage = 0;
    qint64 rssBeforeKb = 0;
    qint64 rssAfterKb = 0;
    qint64 elapsedMs = 0;
    qint64 lastGreetingMs = -1; // how long a fresh client waited for its greeting at the end
};

// The console must already run (started by the caller) and have sent its first report.
LoadResult runSocketLoad(ConsoleProcess &console, const LoadPlan &plan);

} // namespace orvanta::test
