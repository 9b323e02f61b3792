#pragma once
// A main window in a fresh data directory seeded from the installed data tree,
// talking through its keyboard link to an in-memory keyboard, with the link's
// pauses recorded (not slept), and recording desktop services.

#include "TestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/keys/KeyTable.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/shell/MainWindow.h"

#include <QTest>
#include <memory>

namespace orvanta::test
{

struct ShellFixture {
    TempWorkDir wd;
    RecordingDevice device;
    PauseRecorder pauses;
    RecordingDesktop desktop;
    std::unique_ptr<MainWindow> w;

    ShellFixture()
    {
        wd.seedFromDataTree();
        ConsoleOptions options;
        options.checkForUpdates = false;
        options.port = 0; // any free port for the console's socket
        w = std::make_unique<MainWindow>(options);
        // The start-up report goes out from the link's thread first.
        KeyboardLink *link = w->keyboardLink();
        (void)QTest::qWaitFor([link] { return link->isIdle(); }, 5000);
        link->setPauseFunction(pauses.function());
        link->useVirtualDevice(&device);
        ctx().desktop = &desktop;
    }
    ~ShellFixture()
    {
        settle();
        w->keyboardLink()->useVirtualDevice(nullptr);
    }
    ConsoleContext &ctx() { return w->context(); }
    CustomizePanel &panel() { return *w->customize(); }
    ProfileMenu &menu() { return *w->profileMenu(); }
    // Waits until the link has sent everything queued so far.
    void settle()
    {
        KeyboardLink *link = w->keyboardLink();
        QVERIFY(QTest::qWaitFor([link] { return link->isIdle(); }, 30000));
    }
    // The reports the keyboard has, and the pauses that followed them, once
    // everything queued is sent.
    const QVector<QByteArray> &sent() { return settle(), device.reports; }
    const QVector<unsigned> &paused() { return settle(), pauses.pauses; }
    void clear() { settle(), device.reports.clear(), pauses.pauses.clear(); }
};

inline QPoint centreOf(int cell)
{
    const KeyRange &r = KEY_TABLE[cell].hit;
    return {(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2};
}

inline QByteArray selectReport(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

} // namespace orvanta::test
