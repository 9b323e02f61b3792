#include "VirtualKeyboardHost.h"

#include "VirtualKeyboardWindow.h"
#include "app/Globals.h"
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
    gDeviceHandle = device();
    // The consumer interface is only held open; the virtual keyboard has none.
    gConsumerHandle = nullptr;
    if (m_window)
        m_window->setInUse(true);
    emit switched();
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
