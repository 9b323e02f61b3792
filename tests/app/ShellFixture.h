#pragma once
// A main window in a fresh data directory seeded from the installed data tree,
// talking to an in-memory keyboard with recorded (not slept) pauses and
// recording desktop services.

#include "TestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
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
    RecordingQueue queue{device, pauses};
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
        (void)QTest::qWaitFor([this] { return w->keyboardLink()->isIdle(); }, 5000);
        ctx().sender->setQueue(&queue); // sends at once to the recording device
        ctx().desktop = &desktop;
    }
    ConsoleContext &ctx() { return w->context(); }
    CustomizePanel &panel() { return *w->customize(); }
    ProfileMenu &menu() { return *w->profileMenu(); }
    void clear() { device.reports.clear(), pauses.pauses.clear(), queue.origins.clear(); }
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
