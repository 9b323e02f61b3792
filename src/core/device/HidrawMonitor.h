#pragma once
// Tells the keyboard link at once when a hidraw device comes or goes (udev),
// so a plug-in or an unplug is acted upon without waiting for the link's next
// two-second look. Without udev it does nothing and the link's own looks remain.

#include <QObject>

class QSocketNotifier;
struct udev;
struct udev_monitor;

namespace orvanta
{

class KeyboardLink;

class HidrawMonitor : public QObject
{
public:
    explicit HidrawMonitor(KeyboardLink *link, QObject *parent = nullptr);
    ~HidrawMonitor() override;

    bool isWatching() const { return m_notifier != nullptr; }

private:
    void deviceEvent();

    KeyboardLink *m_link;
    udev *m_udev = nullptr;
    udev_monitor *m_monitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace orvanta
