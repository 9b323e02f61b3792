// How long the window's event loop stalls while the keyboard is paced, and how
// long a new control-socket client waits for its greeting meanwhile: a Static
// APPLY, a factory reset, two seconds of the light pulse and a burst of socket
// commands. Each is run twice, side by side: "paced here" sends every report on
// the window's thread and sleeps there (the command set without a link), "link"
// queues it on the keyboard link's worker. Pauses are real in both.
//
//   bench_responsiveness [burst size, default 300] [modes: both, before, after]

#include "TestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/socket/SocketHelper.h"
#include "ui/lighting/LightingPage.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <atomic>
#include <cstdio>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

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

// The way the console once sent: every report on the window's thread, which
// sleeps for each pause.
class PacedHereQueue : public CommandQueue
{
public:
    explicit PacedHereQueue(HidDevice &device) : m_device(device) {}
    quint64 enqueue(DeviceOperation operation, Origin) override
    {
        for (const DeviceStep &step : operation.steps) {
            m_device.sendFeatureReport(step.report.data(), step.report.size());
            std::this_thread::sleep_for(std::chrono::milliseconds(step.pauseMs));
        }
        return ++m_id;
    }

private:
    HidDevice &m_device;
    quint64 m_id = 0;
};

// The longest gap between ticks of a 1 ms timer on the window's thread.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_clock.start();
        m_last = 0;
        m_longest = 0;
        m_timer.start();
    }
    double stop()
    {
        m_timer.stop();
        return double(qMax<qint64>(0, m_longest - 1000000)) / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0, m_longest = 0;
};

// From another thread: a new client every 50 ms, timed from connect to the
// end of its greeting. Keeps the longest wait.
class GreetingProbe
{
public:
    explicit GreetingProbe(quint16 port) : m_port(port) {}
    void start()
    {
        m_running = true;
        m_longestUs = 0;
        m_thread = std::thread([this] {
            while (m_running) {
                QElapsedTimer t;
                t.start();
                if (greeted())
                    m_longestUs = qMax<qint64>(m_longestUs, t.nsecsElapsed() / 1000);
                else
                    ++m_lost;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    double stop()
    {
        m_running = false;
        m_thread.join();
        return m_longestUs / 1000.0;
    }
    // Clients that got nothing within 10 s (left out of the slowest greeting).
    int lost() const { return m_lost; }

private:
    // Plain sockets: this thread has no event loop of its own.
    bool greeted() const
    {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(m_port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bool ok = ::connect(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        QByteArray got;
        while (ok && !got.endsWith('&')) {
            pollfd p{fd, POLLIN, 0};
            char buffer[256];
            const ssize_t n =
                ::poll(&p, 1, kGiveUpMs) == 1 ? ::recv(fd, buffer, sizeof buffer, 0) : -1;
            ok = n > 0;
            if (ok)
                got.append(buffer, int(n));
        }
        ::close(fd);
        return ok;
    }

    static constexpr int kGiveUpMs = 10000;
    quint16 m_port;
    std::atomic<bool> m_running{false};
    std::atomic<qint64> m_longestUs{0};
    std::atomic<int> m_lost{0};
    std::thread m_thread;
};

void spin(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// `count` profile switches from another thread, each on its own connection as
// orvanta-ctl sends them; the window's thread keeps running its event loop.
void burst(quint16 port, int count)
{
    std::atomic<bool> done{false};
    std::thread sender([port, count, &done] {
        for (int i = 0; i < count; ++i) {
            QTcpSocket s;
            s.connectToHost(QStringLiteral("127.0.0.1"), port);
            if (!s.waitForConnected(60000) || !s.waitForReadyRead(60000))
                break;
            s.write(i % 2 ? "072" : "073");
            s.waitForBytesWritten(60000);
            s.disconnectFromHost();
        }
        done = true;
    });
    while (!done)
        spin(5);
    sender.join();
}

struct Figures {
    double stallMs = 0, greetingMs = 0;
    double totalMs = 0; // the action itself, on the window's thread
    int lost = 0;
};

template <typename Action>
Figures measure(const CommandSender &sender, quint16 port, Action action, int settleMs)
{
    StallMeter meter;
    GreetingProbe probe(port);
    meter.start();
    probe.start();
    spin(60);
    QElapsedTimer t;
    t.start();
    action();
    const double actionMs = t.nsecsElapsed() / 1e6;
    spin(settleMs);
    Figures f;
    f.totalMs = actionMs;
    f.stallMs = meter.stop();
    f.greetingMs = probe.stop();
    f.lost = probe.lost();
    // Whatever is still queued is not part of the next figure.
    if (auto *link = dynamic_cast<KeyboardLink *>(sender.queue()))
        while (!link->isIdle())
            spin(20);
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("ORVANTA_DATA_DIR"))
        qputenv("ORVANTA_DATA_DIR", ORVANTA_BENCH_DATA_DIR);
    QApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    const int burstSize = argc > 1 ? qMax(1, atoi(argv[1])) : 300;

    const char *scenarios[4] = {"Static APPLY", "factory reset", "pulse, 2 s", "socket burst"};
    Figures results[2][4];
    const QString modes = argc > 2 ? QString::fromLatin1(argv[2]) : QStringLiteral("both");
    for (int mode = 0; mode < 2; ++mode) {
        if ((mode == 0 && modes == QLatin1String("after")) ||
            (mode == 1 && modes == QLatin1String("before")))
            continue;
        TempWorkDir wd;
        if (!wd.seedFromDataTree()) {
            std::printf("no data tree (set ORVANTA_DATA_DIR)\n");
            return 1;
        }
        ConsoleOptions options;
        options.checkForUpdates = false;
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        options.port = probe.serverPort();
        probe.close();
        MainWindow w(options);
        w.show();
        NullDevice device;
        PacedHereQueue pacedHere(device);
        KeyboardLink *link = w.keyboardLink();
        while (!link->isIdle())
            spin(20);
        if (mode == 0) {
            w.context().sender->setQueue(&pacedHere); // every report sent and slept here
        } else {
            link->useVirtualDevice(&device);
        }
        const quint16 port = w.context().socket->serverPort();
        LightingPage *lighting = w.context().lighting;
        lighting->findChild<QComboBox *>(QStringLiteral("effect_combo"))->setCurrentIndex(0);
        // One unmeasured APPLY first: the first notice loads its font.
        measure(
            *w.context().sender, port, [lighting] { lighting->applyClicked(); }, 200);
        results[mode][0] = measure(
            *w.context().sender, port, [lighting] { lighting->applyClicked(); }, 200);
        bool resetDone = false;
        QObject::connect(&w, &MainWindow::factoryResetFinished, [&resetDone] { resetDone = true; });
        results[mode][1] = measure(
            *w.context().sender, port, [&w] { w.factoryResetClicked(); }, 200);
        while (!resetDone) // its files are saved by a worker thread
            spin(20);
        results[mode][2] = measure(
            *w.context().sender, port,
            [&w] {
                w.context().controller->startPulse(3);
                spin(2000);
                w.context().controller->stopPulse();
            },
            200);
        results[mode][3] = measure(
            *w.context().sender, port, [port, burstSize] { burst(port, burstSize); }, 500);
        if (mode == 1)
            link->useVirtualDevice(nullptr);
    }
    std::printf("Window responsiveness while the keyboard is paced (goal: stall <= 20 ms, "
                "greeting <= 50 ms)\n");
    std::printf("  %-16s %28s   %28s\n", "", "paced here (before)", "link (after)");
    std::printf("  %-16s %13s %14s   %13s %14s\n", "", "longest stall", "slowest greet",
                "longest stall", "slowest greet");
    for (int s = 0; s < 4; ++s)
        std::printf("  %-16s %10.1f ms %11.1f ms   %10.1f ms %11.1f ms   (call returned after "
                    "%.1f / %.1f ms)\n",
                    scenarios[s], results[0][s].stallMs, results[0][s].greetingMs,
                    results[1][s].stallMs, results[1][s].greetingMs, results[0][s].totalMs,
                    results[1][s].totalMs);
    std::printf("  (burst of %d profile switches)\n", burstSize);
    for (int s = 0; s < 4; ++s)
        for (int mode = 0; mode < 2; ++mode)
            if (results[mode][s].lost)
                std::printf("  %s, %s: %d clients got no greeting within 10 s\n", scenarios[s],
                            mode ? "link" : "paced here", results[mode][s].lost);
    return 0;
}
