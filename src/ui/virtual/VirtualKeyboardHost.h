#pragma once
// The console's side of the virtual keyboard: creates it with its state file in
// the data directory, makes it the keyboard the link sends to, shows its
// window, and notices a USB keyboard plugged in meanwhile so the console can
// offer to switch.

#include <QObject>
#include <QPointer>
#include <functional>

class QTimer;

namespace orvanta
{

class KeyboardLink;
class VirtualKeyboardDevice;
class VirtualKeyboardWindow;

class VirtualKeyboardHost : public QObject
{
    Q_OBJECT
public:
    // How often a USB keyboard is looked for while the virtual one is in use.
    static constexpr int kUsbCheckMs = 2000;

    explicit VirtualKeyboardHost(KeyboardLink *link, QObject *parent = nullptr);
    ~VirtualKeyboardHost() override;

    // True while the console's reports go to the virtual keyboard.
    bool inUse() const;
    // Sends every report to the virtual keyboard from now on.
    void use();
    // Sends every report to the USB keyboard again when one is found (the
    // offer to switch when a keyboard is plugged in); false, with the virtual
    // keyboard still in use, when none is.
    bool useUsbKeyboard();
    // Shows the window. Without a USB keyboard the virtual one is taken first;
    // while the USB keyboard is in use the window offers to switch.
    void showWindow();

    // Called with the window before it is first shown, to put it in its place.
    void setPlacement(std::function<void(QWidget *window)> place) { m_place = std::move(place); }

    VirtualKeyboardDevice *device();
    VirtualKeyboardWindow *window() const;

signals:
    // Reports go to another keyboard from now on (the virtual one, or the USB
    // one after useUsbKeyboard).
    void switched();
    // A USB keyboard is there while the virtual one is in use (once per arrival).
    void usbKeyboardAvailable();
    // The virtual keyboard's memory could not be saved (logged).
    void saveFailed(QString path, QString reason);

private:
    void checkForUsbKeyboard();

    QPointer<KeyboardLink> m_link;
    VirtualKeyboardDevice *m_device = nullptr; // child
    QPointer<VirtualKeyboardWindow> m_window;  // a top-level window, deleted with the host
    QTimer *m_usbCheck;
    bool m_usbSeen = false;
    std::function<void(QWidget *)> m_place;
};

} // namespace orvanta
