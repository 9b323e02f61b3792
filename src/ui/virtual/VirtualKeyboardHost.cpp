#include "VirtualKeyboardHost.h"

#include "VirtualKeyboardWindow.h"
#include "core/device/KeyboardLink.h"
#include "core/virtual/VirtualKeyboardDevice.h"

#include <QDir>
#include <QTimer>

namespace orvanta
{

VirtualKeyboardHost::VirtualKeyboardHost(KeyboardLink *link, QObject *parent)
    : QObject(parent), m_link(link), m_usbCheck(new QTimer(this))
{
    m_usbCheck->setInterval(kUsbCheckMs);
    connect(m_usbCheck, &QTimer::timeout, this, &VirtualKeyboardHost::checkForUsbKeyboard);
}

VirtualKeyboardHost::~VirtualKeyboardHost()
{
    delete m_window;
    // The link must never send to a keyboard that is gone.
    if (m_link && inUse())
        m_link->useVirtualDevice(nullptr);
}

VirtualKeyboardDevice *VirtualKeyboardHost::device()
{
    // The console works inside its data directory: the memory is kept there.
    if (!m_device) {
        m_device = new VirtualKeyboardDevice(
            QDir::current().absoluteFilePath(VirtualKeyboardDevice::defaultStateFile()), this);
        // Reports, and so saves, come on the link's thread.
        connect(m_device, &VirtualKeyboardDevice::saveFailed, this,
                &VirtualKeyboardHost::saveFailed, Qt::QueuedConnection);
    }
    return m_device;
}

VirtualKeyboardWindow *VirtualKeyboardHost::window() const
{
    return m_window;
}

bool VirtualKeyboardHost::inUse() const
{
    return m_device && m_link && m_link->state() == KeyboardLink::State::Virtual;
}

void VirtualKeyboardHost::use()
{
    if (inUse() || !m_link)
        return;
    m_link->useVirtualDevice(device());
    // A USB keyboard that is there is offered too: the user may switch back at any time.
    m_usbSeen = false;
    m_usbCheck->start();
    if (m_window)
        m_window->setInUse(true);
    emit switched();
}

bool VirtualKeyboardHost::useUsbKeyboard()
{
    if (!m_link)
        return false;
    if (!inUse())
        return m_link->state() == KeyboardLink::State::Connected;
    m_link->useVirtualDevice(nullptr);
    // Open afresh: the keyboard may have been unplugged since it was seen.
    if (!m_link->discover()) {
        m_link->useVirtualDevice(device());
        return false;
    }
    m_usbCheck->stop();
    if (m_window)
        m_window->setInUse(false);
    emit switched();
    return true;
}

void VirtualKeyboardHost::checkForUsbKeyboard()
{
    if (!inUse()) {
        m_usbCheck->stop();
        return;
    }
    const bool present = KeyboardLink::keyboardPresent();
    if (present && !m_usbSeen)
        emit usbKeyboardAvailable();
    m_usbSeen = present;
}

void VirtualKeyboardHost::showWindow()
{
    // With no keyboard connected there is nothing to lose: take the virtual one.
    if (m_link && m_link->state() == KeyboardLink::State::Absent)
        use();
    if (!m_window) {
        m_window = new VirtualKeyboardWindow(device());
        // Closing it never ends the console, nor does it keep a closed console running.
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_window, &VirtualKeyboardWindow::useRequested, this, &VirtualKeyboardHost::use);
        if (m_place)
            m_place(m_window);
    }
    m_window->setInUse(inUse());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace orvanta
