#pragma once
// A main window in a fresh data directory seeded from the installed data tree,
// sending through its own keyboard link to an in-memory keyboard, with the
// link's pauses recorded instead of slept.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/keys/KeyTable.h"
#include "core/virtual/ReportDecoder.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/shell/ConsoleContext.h"
#include "ui/shell/MainWindow.h"

#include <QTest>
#include <functional>
#include <memory>

namespace orvanta::test
{

struct LinkedShell {
    TempWorkDir wd;
    RecordingDevice device;
    PauseRecorder pauses;
    RecordingDesktop desktop;
    std::unique_ptr<MainWindow> w;

    // `seed` runs in the data directory before the window starts.
    explicit LinkedShell(const std::function<void()> &seed = {})
    {
        wd.seedFromDataTree();
        if (seed)
            seed();
        ConsoleOptions options;
        options.checkForUpdates = false;
        options.port = 0;
        w = std::make_unique<MainWindow>(options);
        (void)settle();
        KeyboardLink *link = w->keyboardLink();
        link->setPauseFunction(pauses.function());
        link->setDiscovery(
            [](std::unique_ptr<HidDevice> &, std::unique_ptr<HidDevice> &) { return false; });
        link->useVirtualDevice(&device);
        ctx().desktop = &desktop;
        (void)settle();
        clear();
    }
    ~LinkedShell()
    {
        (void)settle();
        w.reset();
    }
    ConsoleContext &ctx() { return w->context(); }
    CustomizePanel &panel() { return *w->customize(); }
    ProfileMenu &menu() { return *w->profileMenu(); }
    // Waits until the keyboard has everything queued so far.
    bool settle()
    {
        return QTest::qWaitFor([this] { return w->keyboardLink()->isIdle(); }, 10000);
    }
    void clear()
    {
        (void)settle();
        device.reports.clear();
        pauses.pauses.clear();
    }
    // What a keyboard that received the reports so far keeps.
    VirtualKeyboardState decoded(VirtualKeyboardState state = {})
    {
        (void)settle();
        for (const QByteArray &r : device.reports)
            applyReport(state, reinterpret_cast<const quint8 *>(r.constData()), size_t(r.size()));
        return state;
    }
};

inline QPoint keyCentre(int cell)
{
    const KeyRange &r = KEY_TABLE[cell].hit;
    return {(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2};
}

} // namespace orvanta::test
