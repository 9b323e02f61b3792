#include "AppPulse.h"

#include <utility>

namespace orvanta
{

AppPulse::AppPulse(Tick tick, QObject *parent)
    : QObject(parent), m_tick(std::move(tick)), m_timer(new QTimer(this))
{
    // Precise, so the light steps at an even pace.
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(kIntervalMs);
    connect(m_timer, &QTimer::timeout, this, &AppPulse::tick);
}

void AppPulse::start(quint8 value)
{
    m_value = value;
    if (!m_timer->isActive())
        m_timer->start(kIntervalMs);
}

void AppPulse::stop()
{
    m_timer->stop();
}

void AppPulse::tick()
{
    if (m_tick)
        m_tick(m_value);
}

} // namespace orvanta
