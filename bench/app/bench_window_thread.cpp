// The window thread's time for what users do most: a profile switch (PROFILE
// button), an effect switch on LIGHTING, a language switch and an APPLY of
// Ripple on LIGHTING. Each call is timed from the click until it returns
// (the keyboard's part goes to the link's worker, which is not timed), with a
// keyboard that takes reports at once. A processEvents round stands beside
// them as the floor of one window-thread turn.
//
//   bench_window_thread [rounds, default 40]

#include "TestSupport.h"
#include "core/device/KeyboardLink.h"
#include "ui/lighting/LightingPage.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

class NullDevice : public HidDevice
{
public:
    bool sendFeatureReport(const quint8 *, std::size_t) override { return true; }
};

struct Figures {
    double median = 0, worst = 0;
};

// Times `action` `rounds` times; the keyboard's queue empties between rounds.
Figures timeIt(MainWindow &w, int rounds, const std::function<void(int)> &action)
{
    QVector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer t;
        t.start();
        action(i);
        ms << t.nsecsElapsed() / 1e6;
        (void)QTest::qWaitFor([&w] { return w.keyboardLink()->isIdle(); }, 10000);
        QApplication::processEvents();
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.last()};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("ORVANTA_DATA_DIR", ORVANTA_BENCH_DATA_DIR);
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? qMax(2, atoi(argv[1])) : 40;
    qInstallMessageHandler(quiet);

    TempWorkDir wd;
    wd.seedFromDataTree();
    ConsoleOptions options;
    options.checkForUpdates = false;
    options.port = 0;
    MainWindow w(options);
    NullDevice keyboard;
    KeyboardLink *link = w.keyboardLink();
    (void)QTest::qWaitFor([link] { return link->isIdle(); }, 5000);
    link->setPauseFunction([](unsigned) {});
    link->setDiscovery(
        [](std::unique_ptr<HidDevice> &, std::unique_ptr<HidDevice> &) { return false; });
    link->useVirtualDevice(&keyboard);
    w.show();
    (void)QTest::qWaitForWindowExposed(&w);

    auto lighting = [&w] { return w.context().lighting; };
    auto effects = [&] { return lighting()->findChild<QComboBox *>("effect_combo"); };
    std::printf("window thread, ms per action (%d rounds)   median    worst\n", rounds);
    auto row = [](const char *what, Figures f) {
        std::printf("%-40s %8.2f %8.2f\n", what, f.median, f.worst);
    };
    row("one event-loop turn (floor)",
        timeIt(w, rounds, [](int) { QApplication::processEvents(); }));
    row("profile switch (PROFILE button)",
        timeIt(w, rounds, [&w](int i) { w.profileButtons()[(i + 1) % 5]->click(); }));
    w.showLightingPage();
    row("effect switch (LIGHTING)",
        timeIt(w, rounds, [&](int i) { effects()->setCurrentIndex((i + 1) % 5); }));
    effects()->setCurrentIndex(4);
    row("APPLY, Ripple (LIGHTING)", timeIt(w, rounds, [&](int) {
            emit lighting()->findChild<QPushButton *>("btn_apply")->released();
        }));
    row("language switch", timeIt(w, rounds, [&w](int i) {
            w.switchLanguage(i % 2 ? QStringLiteral("0") : QStringLiteral("1"));
        }));
    w.switchLanguage(QStringLiteral("0"));
    return 0;
}
