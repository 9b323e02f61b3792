#include "VirtualKeyboardHost.h"

#include "VirtualKeyboardWindow.h"
#include "app/Globals.h"
#include "device/HidapiDevice.h"
#include "virtual/VirtualKeyboardDevice.h"

#include <QDir>

namespace orvanta
{

VirtualKeyboardHost::VirtualKeyboardHost(QObject *parent) : QObject(parent) {}

VirtualKeyboardHost::~VirtualKeyboardHost()
{
    delete m_window;
    if (m_device && gDeviceHandle == m_device)
        gDeviceHandle = nullptr;
    delete m_usbVendor;
    delete m_usbConsumer;
}

VirtualKeyboardDevice *VirtualKeyboardHost::device()
{
    // The console works inside its data directory: the memory is kept there.
    if (!m_device)
        m_device = new VirtualKeyboardDevice(
            QDir::current().absoluteFilePath(VirtualKeyboardDevice::defaultStateFile()), this);
    return m_device;
}

VirtualKeyboardWindow *VirtualKeyboardHost::window() const
{
    return m_window;
}

bool VirtualKeyboardHost::inUse() const
{
    return m_device && gDeviceHandle == m_device;
}

void VirtualKeyboardHost::use()
{
    if (inUse())
        return;
    // The USB interfaces stay open, unused, until the console goes back to them.
    m_usbVendor = gDeviceHandle;
    m_usbConsumer = gConsumerHandle;
    gDeviceHandle = device();
    // The consumer interface is only held open; the virtual keyboard has none.
    gConsumerHandle = nullptr;
    if (m_window)
        m_window->setInUse(true);
    emit switched();
}

bool VirtualKeyboardHost::useUsbKeyboard()
{
    if (!inUse())
        return gDeviceHandle != nullptr;
    // Open afresh: the keyboard may have been unplugged since.
    delete m_usbVendor;
    delete m_usbConsumer;
    m_usbVendor = m_usbConsumer = nullptr;
    HidDevice *vendor = nullptr;
    HidDevice *consumer = nullptr;
    findKeyboard(vendor, consumer);
    if (!vendor) {
        delete consumer;
        return false;
    }
    gDeviceHandle = vendor;
    gConsumerHandle = consumer;
    if (m_window)
        m_window->setInUse(false);
    emit switched();
    return true;
}

void VirtualKeyboardHost::showWindow()
{
    // With no keyboard connected there is nothing to lose: take the virtual one.
    if (!gDeviceHandle)
        use();
    if (!m_window) {
        m_window = new VirtualKeyboardWindow(device());
        // Closing it never ends the console, nor does it keep a closed console running.
        m_window->setAttribute(Qt::WA_QuitOnClose, false);
        connect(m_window, &VirtualKeyboardWindow::useRequested, this, &VirtualKeyboardHost::use);
    }
    m_window->setInUse(inUse());
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace orvanta
