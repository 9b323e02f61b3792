#include "CommandSender.h"

#include <QDebug>

using namespace orvanta;

quint64 CommandSender::send(DeviceOperation operation, Origin origin)
{
    if (!m_queue || operation.steps.empty())
        return m_lastOperation;
    for (const DeviceStep &step : operation.steps) {
        if (step.pauseMs == kLongPauseMs)
            qDebug() << "sand_L_cmd()";
        else
            qDebug() << "sand_cmd()";
    }
    m_lastOperation = m_queue->enqueue(std::move(operation), origin);
    return m_lastOperation;
}
