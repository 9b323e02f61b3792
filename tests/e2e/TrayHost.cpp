#include "TrayHost.h"

#include <QTest>

#include <X11/Xlib.h>

namespace orvanta::test
{

namespace
{

constexpr long kRequestDock = 0; // _NET_SYSTEM_TRAY_OPCODE message asking to dock

Display *displayOf(void *display)
{
    return static_cast<Display *>(display);
}

} // namespace

TrayHost::~TrayHost()
{
    if (m_display)
        XCloseDisplay(displayOf(m_display));
}

bool TrayHost::open(const QString &name)
{
    Display *d = XOpenDisplay(name.toLatin1().constData());
    if (!d)
        return false;
    m_display = d;
    const int screen = DefaultScreen(d);
    const Window root = RootWindow(d, screen);
    m_tray = XCreateSimpleWindow(d, root, 0, 0, 64, 32, 0, 0, 0);
    XMapWindow(d, m_tray);
    const Atom selection = XInternAtom(
        d, QStringLiteral("_NET_SYSTEM_TRAY_S%1").arg(screen).toLatin1().constData(), False);
    m_opcode = XInternAtom(d, "_NET_SYSTEM_TRAY_OPCODE", False);
    XSetSelectionOwner(d, selection, m_tray, CurrentTime);
    if (XGetSelectionOwner(d, selection) != m_tray)
        return false;
    // Programs already running learn of the new tray from this message.
    XEvent manager{};
    manager.xclient.type = ClientMessage;
    manager.xclient.window = root;
    manager.xclient.message_type = XInternAtom(d, "MANAGER", False);
    manager.xclient.format = 32;
    manager.xclient.data.l[0] = CurrentTime;
    manager.xclient.data.l[1] = long(selection);
    manager.xclient.data.l[2] = long(m_tray);
    XSendEvent(d, root, False, StructureNotifyMask, &manager);
    XFlush(d);
    return true;
}

unsigned long TrayHost::waitForIcon(int timeoutMs)
{
    Display *d = displayOf(m_display);
    if (!d)
        return 0;
    Window icon = 0;
    (void)QTest::qWaitFor(
        [&] {
            while (XPending(d)) {
                XEvent event;
                XNextEvent(d, &event);
                if (event.type == ClientMessage && event.xclient.message_type == m_opcode &&
                    event.xclient.data.l[1] == kRequestDock)
                    icon = Window(event.xclient.data.l[2]);
            }
            return icon != 0;
        },
        timeoutMs);
    if (icon) {
        XReparentWindow(d, icon, m_tray, 0, 0);
        XMapRaised(d, icon);
        XSync(d, False);
    }
    return icon;
}

} // namespace orvanta::test
