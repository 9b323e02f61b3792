#include "HidrawMonitor.h"

#include "KeyboardLink.h"

#include <QDebug>
#include <QSocketNotifier>

#ifdef ORVANTA_HAVE_UDEV
#include <libudev.h>
#endif

namespace orvanta
{

HidrawMonitor::HidrawMonitor(KeyboardLink *link, QObject *parent) : QObject(parent), m_link(link)
{
#ifdef ORVANTA_HAVE_UDEV
    m_udev = udev_new();
    if (!m_udev)
        return;
    // The "udev" source reports a device after its rules ran, so its node
    // already carries the permissions the console needs.
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor ||
        udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "hidraw", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        qInfo() << "no udev monitor; looking for the keyboard every 2 s instead";
        return;
    }
    m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_monitor), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &HidrawMonitor::deviceEvent);
#endif
}

HidrawMonitor::~HidrawMonitor()
{
#ifdef ORVANTA_HAVE_UDEV
    delete m_notifier;
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
#endif
}

void HidrawMonitor::deviceEvent()
{
#ifdef ORVANTA_HAVE_UDEV
    udev_device *device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return;
    const QString action = QString::fromLatin1(udev_device_get_action(device));
    const QString node = QString::fromLocal8Bit(udev_device_get_devnode(device));
    udev_device_unref(device);
    if (action != QLatin1String("add") && action != QLatin1String("remove"))
        return;
    qInfo().noquote() << "hidraw" << action << node;
    // Either way the link looks now: for a keyboard when it has none, or
    // whether its own is still there.
    m_link->scanSoon();
#endif
}

} // namespace orvanta
