#pragma once
// The application-driven light pulse: while running, every 500 ms it hands the
// current light value to its callback (the main window sends it to the
// keyboard). Another program starts it, retunes it and stops it through the
// control socket; it keeps running after that program disconnects.

#include <QObject>
#include <QTimer>
#include <functional>

namespace orvanta
{

class AppPulse : public QObject
{
    Q_OBJECT
public:
    using Tick = std::function<void(quint8 value)>;
    static constexpr int kIntervalMs = 500;

    explicit AppPulse(Tick tick, QObject *parent = nullptr);

    // Starts the ticks only when they are not running, so a new value never
    // delays the next tick; the value is taken in every case.
    void start(quint8 value);
    void stop();

    bool isActive() const { return m_timer->isActive(); }
    quint8 value() const { return m_value; }

private:
    void tick();

    Tick m_tick;
    QTimer *m_timer; // child
    quint8 m_value = 0;
};

} // namespace orvanta
