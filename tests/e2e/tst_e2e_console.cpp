// The real console, offscreen, with the fake keyboard and the control socket;
// with a keyboard plugged in after it started (found within the scan interval,
// brought to the active profile, and orvanta-ctl tells); and on an X screen
// (Xvfb) of a laptop's size: the whole window is on the screen, scaled alike in
// both directions, and full size where it fits; SIGTERM during a factory reset
// ends it as Close does.

#include "ConsoleProcess.h"

#include <QHostInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <csignal>

#include <X11/Xlib.h> // after Qt's headers: its macros take names Qt uses

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// An X screen of `size` (Xvfb) for as long as it lives, with a minimal system
// tray (the XEmbed tray protocol without the embedding): it owns the tray
// selection, so programs started on the screen show their tray icons, and it
// maps an icon that asks to dock at the top left corner, where xdotool clicks it.
struct XScreen {
    QProcess server;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    Display *display = nullptr;
    Window tray = 0;

    bool start(const QSize &size)
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty() || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            return false;
        // Xvfb takes the first free display and names it once it accepts clients.
        server.start(xvfb, {"-displayfd", "1", "-screen", "0",
                            QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
                            "-noreset", "-nolisten", "tcp"});
        if (!server.waitForReadyRead(10000))
            return false;
        env.insert(QStringLiteral("DISPLAY"), ':' + server.readLine().trimmed());
        env.remove(QStringLiteral("LD_PRELOAD")); // xdotool meets no fake keyboard
        display = XOpenDisplay(qPrintable(env.value(QStringLiteral("DISPLAY"))));
        if (!display)
            return false;
        tray = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 64, 32, 0, 0, 0);
        XMapWindow(display, tray);
        const Atom selection = XInternAtom(display, "_NET_SYSTEM_TRAY_S0", False);
        XSetSelectionOwner(display, selection, tray, CurrentTime);
        return XGetSelectionOwner(display, selection) == tray;
    }
    ~XScreen()
    {
        if (display)
            XCloseDisplay(display);
        server.terminate();
        server.waitForFinished(5000);
    }
    // The first icon that asks to dock, mapped on the tray, or 0 when none came.
    Window waitForIcon()
    {
        const Atom opcode = XInternAtom(display, "_NET_SYSTEM_TRAY_OPCODE", False);
        Window icon = 0;
        (void)QTest::qWaitFor(
            [&] {
                for (XEvent event; !icon && XPending(display);) {
                    XNextEvent(display, &event);
                    if (event.type == ClientMessage && event.xclient.message_type == opcode &&
                        event.xclient.data.l[1] == 0) // asking to dock
                        icon = Window(event.xclient.data.l[2]);
                }
                return icon != 0;
            },
            10000);
        if (icon) {
            XReparentWindow(display, icon, tray, 0, 0);
            XMapRaised(display, icon);
            XSync(display, False);
        }
        return icon;
    }
    // Starts `console` on this screen, full size unless it has to be scaled.
    bool startOn(ConsoleProcess &console) const
    {
        QProcessEnvironment consoleEnv = console.environment();
        consoleEnv.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        consoleEnv.insert(QStringLiteral("DISPLAY"), env.value(QStringLiteral("DISPLAY")));
        consoleEnv.remove(QStringLiteral("QT_SCALE_FACTOR"));
        console.setEnvironment(consoleEnv);
        return console.start();
    }
    QString xdo(const QStringList &arguments) const
    {
        return runProgram(QStandardPaths::findExecutable(QStringLiteral("xdotool")), arguments,
                          env, 5000)
            .out;
    }
    // The console's window once shown, or empty.
    QString consoleWindow() const
    {
        QString id;
        (void)QTest::qWaitFor(
            [&] {
                id = xdo({"search", "--onlyvisible", "--name", "^ORVANTA RGB$"}).section('\n', 0, 0);
                return !id.isEmpty();
            },
            15000);
        return id;
    }
    // Where the window lies on the screen.
    QRect geometry(const QString &id) const
    {
        const auto m = QRegularExpression("Position: (-?\\d+),(-?\\d+).*Geometry: (\\d+)x(\\d+)",
                                          QRegularExpression::DotMatchesEverythingOption)
                           .match(xdo({"getwindowgeometry", id}));
        return m.hasMatch() ? QRect(m.captured(1).toInt(), m.captured(2).toInt(),
                                    m.captured(3).toInt(), m.captured(4).toInt())
                            : QRect();
    }
};

// Sends `message` as a client does and returns the reports logged after it,
// once `count` of them came (or 5 s passed).
QVector<LoggedReport> exchange(ConsoleProcess &console, const QByteArray &message, int count)
{
    const int before = console.reports().size();
    if (console.send(message))
        console.waitForReports(before + count, 5000);
    return console.reports().mid(before);
}

QVector<QByteArray> bytesOf(const QVector<LoggedReport> &reports)
{
    QVector<QByteArray> out;
    for (const LoggedReport &r : reports)
        out << r.bytes;
    return out;
}

} // namespace

class ConsoleEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void greetingThenProfileSwitchColourAndPulse()
    {
        ConsoleProcess console;
        QVERIFY(console.start() && console.waitForReports(1));
        QTcpSocket client;
        client.connectToHost("127.0.0.1", console.port());
        QVERIFY(client.waitForConnected(5000));
        QByteArray greeting;
        QTRY_VERIFY((greeting += client.readAll()).endsWith('&'));
        QCOMPARE(greeting, "VoDezivuv!" + QHostInfo::localHostName().toUtf8() + "&");
        QCOMPARE(bytesOf(exchange(console, "072", 1)), QVector<QByteArray>{selectBytes(2)});

        const int start = console.reports().size();
        exchange(console, "0773", 6);
        QVERIFY(console.send("078"));
        // A switch marks the end of the pulses; the colour after it takes longer
        // than a pulse's period, so a pulse that went on would show among them.
        QVERIFY(!exchange(console, "073", 1).isEmpty());
        exchange(console, "076#01#02#03", 5);
        exchange(console, "074", 1);
        const QVector<LoggedReport> all = console.reports().mid(start);
        const QByteArray pulse =
            toBytes(reportOf({{0, 7}, {1, 2}, {2, 1}, {8, 1}, {13, 3}, {16, 8}}));
        int n = 0;
        while (n < all.size() && all[n].bytes == pulse)
            ++n;
        QCOMPARE(all.size() - n, 7); // then only the switch, the colour and the switch
        QCOMPARE(all.value(n).bytes, selectBytes(3));
        QCOMPARE(all.last().bytes, selectBytes(4));
        QVERIFY(n >= 6 && n % 2 == 0);
        const qint64 gap = all[2].ms - all[0].ms; // a pair about every 500 ms
        QVERIFY2(gap >= 450 && gap <= 900, qPrintable(QString::number(gap)));
    }

    void keyboardPluggedInAfterStartIsFoundAndBroughtToTheActiveProfile()
    {
        ConsoleProcess unplugged;
        QTemporaryDir dir;
        const QString plug = dir.filePath("plugged");
        QProcessEnvironment env = unplugged.environment();
        env.insert("ORVANTA_FAKEHID_PLUGGED", plug);
        unplugged.setEnvironment(env);
        const auto ctl = [&](const QStringList &arguments) {
            return runProgram(binDir() + "/orvanta-ctl",
                              QStringList{"--port", QString::number(unplugged.port())} + arguments);
        };
        QVERIFY(unplugged.start());
        QTRY_VERIFY_WITH_TIMEOUT(ctl({"status"}).exitCode == 0, 10000);
        QCOMPARE(ctl({"status"}).out,
                 QString("keyboard: absent\nprofile: 1\nprofile name: PROFILE 1\nqueued: 0\n"));
        const RunResult refused = ctl({"profile", "4"});
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.err.contains("no keyboard connected"), qPrintable(refused.err));

        QVERIFY(unplugged.send("073")); // the console switches; the keyboard is not there
        QTRY_VERIFY(ctl({"status"}).out.contains("profile: 3\n"));
        QCOMPARE(unplugged.reports().size(), 0);

        QVERIFY(writeText(plug, ""));
        QVERIFY(unplugged.waitForReports(1, 4000)); // scanned every 2 s
        QCOMPARE(unplugged.reports()[0].bytes, selectBytes(3));
        const RunResult status = ctl({"status"});
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.startsWith("keyboard: connected\nprofile: 3\n"));
    }

    // The log file holds what helps a user and a maintainer: the start (version,
    // keyboard mode, port, data directory), each operation's outcome, the
    // keyboard found and lost, and the quit; debugging lines only with --verbose.
    void logTellsTheRun_data()
    {
        QTest::addColumn<bool>("verbose");
        QTest::newRow("plain") << false;
        QTest::newRow("--verbose") << true;
    }
    void logTellsTheRun()
    {
        QFETCH(bool, verbose);
        ConsoleProcess console;
        QTemporaryDir dir;
        const QString plug = dir.filePath("plugged");
        QFile::remove(plug);
        QProcessEnvironment env = console.environment();
        env.insert("ORVANTA_FAKEHID_PLUGGED", plug);
        console.setEnvironment(env);
        const QString version =
            runProgram(ConsoleProcess::executable(), {"--version"}).out.section(' ', 1).trimmed();
        QVERIFY(!version.isEmpty());
        QVERIFY(console.start(verbose ? QStringList{"--verbose"} : QStringList()));
        const QString log =
            QFileInfo(console.dataDir()).dir().filePath("state/orvanta-console/console.log");
        // Each line after its time: the level, then the text.
        const auto lines = [&log] {
            QStringList out;
            for (const QString &line : readText(log).split('\n', Qt::SkipEmptyParts))
                out << line.section(' ', 1);
            return out;
        };
        const auto logged = [&lines](const QString &pattern) {
            return !lines().filter(QRegularExpression('^' + pattern + '$')).isEmpty();
        };
        QTRY_VERIFY_WITH_TIMEOUT(console.send("073"), 15000); // once it listens; no keyboard yet
        QTRY_VERIFY(logged("info operation \\d+ for profile 3: NotConnected"));
        QVERIFY(writeText(plug, ""));
        QVERIFY(console.waitForReports(1, 4000));
        QTRY_VERIFY(logged("info keyboard: connected"));
        QVERIFY(QFile::remove(plug));
        QVERIFY(console.send("074"));
        QTRY_VERIFY(logged("info operation \\d+ for profile 4: (Failed|Lost)"));
        QTRY_VERIFY(logged("info keyboard: absent"));
        QCOMPARE(console.stop(), 0);

        QVERIFY2(logged(QRegularExpression::escape(
                     QString("info start: version %1, keyboard usb, port %2, data directory %3")
                         .arg(version)
                         .arg(console.port())
                         .arg(console.dataDir()))),
                 qPrintable(lines().join('\n')));
        QCOMPARE(lines().last(), QString("info quit, status 0"));
        QCOMPARE(!lines().filter(QRegularExpression("^debug ")).isEmpty(), verbose);
    }

    // On screens of a laptop's size the whole window is shown, scaled alike in
    // both directions, full size where it fits; both ways of quitting, the Close
    // button and the tray menu's Quit, end the console cleanly.
    void windowFitsTheScreenAndQuitEndsWithExitStatusZero_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::addColumn<bool>("throughTray");
        QTest::newRow("1280 x 720, Close") << QSize(1280, 720) << QSize(1080, 720) << false;
        QTest::newRow("1280 x 720, tray Quit") << QSize(1280, 720) << QSize(1080, 720) << true;
        QTest::newRow("1920 x 1080, Close") << QSize(1920, 1080) << QSize(1200, 800) << false;
    }
    void windowFitsTheScreenAndQuitEndsWithExitStatusZero()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        QFETCH(bool, throughTray);
        XScreen x;
        QVERIFY2(x.start(screen), "Xvfb and xdotool (run scripts/deps), or the tray");
        ConsoleProcess console;
        QVERIFY(x.startOn(console));
        const QString id = x.consoleWindow();
        QVERIFY2(!id.isEmpty(), "no window shown");
        const QRect shown = x.geometry(id);
        QVERIFY2(QRect(QPoint(0, 0), screen).contains(shown),
                 qPrintable(QString("%1,%2").arg(shown.x()).arg(shown.y())));
        QCOMPARE(shown.size(), window);
        const double scale = shown.width() / 1200.0;
        const unsigned long icon = x.waitForIcon();
        QVERIFY2(icon != 0, "no tray icon");
        if (throughTray) {
            // The tray menu opens on the icon; its last entry is Quit.
            const auto shownWindows = [&] {
                return x.xdo({"search", "--onlyvisible", "--class", "orvanta-console"})
                    .split('\n', Qt::SkipEmptyParts)
                    .size();
            };
            const int before = shownWindows();
            x.xdo({"mousemove", "--window", QString::number(icon), "8", "8"});
            x.xdo({"click", "3"});
            QTRY_VERIFY_WITH_TIMEOUT(shownWindows() > before, 5000); // the menu
            x.xdo({"key", "Up", "Return"});
        } else {
            // The Close button: 32 x 33 at (1141, 16) of the 1200 x 800 window.
            x.xdo({"mousemove", "--window", id, QString::number(qRound(1157 * scale)),
                            QString::number(qRound(32 * scale))});
            x.xdo({"click", "1"});
        }
        QTRY_VERIFY2_WITH_TIMEOUT(!console.isRunning(), "the console did not end", 10000);
        QCOMPARE(console.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.process().exitCode(), 0);
    }

    // SIGTERM once a factory reset has started: the console finishes the
    // reset's 52 reports and its files, exits with 0, and leaves no profile out
    // of date.
    void sigtermDuringAFactoryResetFinishesIt()
    {
        XScreen x;
        QVERIFY2(x.start(QSize(1920, 1080)), "Xvfb and xdotool (run scripts/deps), or the tray");
        ConsoleProcess console;
        QVERIFY(x.startOn(console) && console.waitForReports(1));
        const QString id = x.consoleWindow();
        QVERIFY2(!id.isEmpty(), "no window shown");
        // The reset button: 32 x 33 at (985, 16) of the full-size window.
        x.xdo({"mousemove", "--window", id, "1001", "32"});
        x.xdo({"click", "1"});
        QVERIFY(console.waitForReports(3)); // the reset has started
        QCOMPARE(::kill(pid_t(console.process().processId()), SIGTERM), 0);
        QTRY_VERIFY_WITH_TIMEOUT(!console.isRunning(), 40000);
        QCOMPARE(console.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(console.process().exitCode(), 0);
        QCOMPARE(console.reports().size(), 1 + 52);
        QCOMPARE(console.reports().last().bytes, selectBytes(1));

        // No profile is left out of date: the next start only selects profile 1.
        QVERIFY(console.start() && console.waitForReports(1 + 52 + 1));
        exchange(console, "072", 1); // after the start-up's own reports
        QCOMPARE(bytesOf(console.reports().mid(1 + 52)),
                 (QVector<QByteArray>{selectBytes(1), selectBytes(2)}));
    }
};

QTEST_GUILESS_MAIN(ConsoleEndToEnd)
#include "tst_e2e_console.moc"
