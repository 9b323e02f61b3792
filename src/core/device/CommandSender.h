#pragma once
// Hands whole keyboard operations to the command queue (the keyboard link in
// the console) and remembers the last one queued.

#include "DeviceOperation.h"

#include <QtGlobal>

class CommandSender
{
public:
    explicit CommandSender(orvanta::CommandQueue *queue = nullptr) : m_queue(queue) {}

    void setQueue(orvanta::CommandQueue *queue) { m_queue = queue; }
    orvanta::CommandQueue *queue() const { return m_queue; }

    // Queues `operation` (nothing without a queue or without steps); returns
    // its id, or the last id when nothing was queued.
    quint64 send(orvanta::DeviceOperation operation,
                 orvanta::Origin origin = orvanta::Origin::User);
    // Takes the waiting ticks of `series` out of the queue.
    int withdrawTicks(int series) { return m_queue ? m_queue->withdrawTicks(series) : 0; }
    // The id of the operation queued last (0 before the first).
    quint64 lastOperation() const { return m_lastOperation; }

private:
    orvanta::CommandQueue *m_queue;
    quint64 m_lastOperation = 0;
};
