#pragma once
// The console's side of the virtual keyboard: creates it with its state file in
// the data directory, makes it the keyboard every report goes to, and shows its
// window.

#include <QObject>
#include <QPointer>

namespace orvanta
{

class HidDevice;
class VirtualKeyboardDevice;
class VirtualKeyboardWindow;

class VirtualKeyboardHost : public QObject
{
    Q_OBJECT
public:
    explicit VirtualKeyboardHost(QObject *parent = nullptr);
    ~VirtualKeyboardHost() override;

    // True while the console's reports go to the virtual keyboard.
    bool inUse() const;
    // Sends every report to the virtual keyboard from now on.
    void use();
    // Sends every report to the USB keyboard again when one is found (for the
    // offer to switch when a keyboard is plugged in); false when none is.
    bool useUsbKeyboard();
    // Shows the window. Without a USB keyboard the virtual one is taken first;
    // while the USB keyboard is in use the window offers to switch.
    void showWindow();

    VirtualKeyboardDevice *device();
    VirtualKeyboardWindow *window() const;

signals:
    // Reports go to another keyboard from now on (the virtual one, or the USB
    // one after useUsbKeyboard).
    void switched();

private:
    VirtualKeyboardDevice *m_device = nullptr; // child
    HidDevice *m_usbVendor = nullptr;          // set aside while the virtual one is in use
    HidDevice *m_usbConsumer = nullptr;
    QPointer<VirtualKeyboardWindow> m_window; // a top-level window, deleted with the host
};

} // namespace orvanta
