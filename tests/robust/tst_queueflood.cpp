// Other programs flooding the keyboard's queue, the user's own operations
// going ahead of them (also at the end of the console), and saves that fail
// where nobody looks: a factory reset on a full disk and the virtual keyboard's
// memory. Nothing dropped is shown as done, orvanta-ctl says when its command
// did not reach the keyboard, and every failed save is told.

#include "TestSupport.h"
#include "WindowFixture.h"
#include "core/device/DeviceCommands.h"
#include "core/socket/SocketCommand.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/AtomicFile.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "ui/shell/ResetProgressView.h"
#include "ui/virtual/VirtualKeyboardHost.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QSemaphore>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <thread>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

SocketAction switchTo(int profile)
{
    return socketActionFor({{"command", 7}, {"Data", profile}});
}

SocketAction colour(int red)
{
    return socketActionFor(
        {{"command", 7}, {"Data", 6}, {"Color_r", red}, {"Color_g", 0}, {"Color_b", 0}});
}

// Holds the keyboard's worker in the pause after the next report until released.
struct HeldKeyboard {
    struct Gate {
        QSemaphore semaphore;
        std::atomic<bool> hold{true}, held{false};
    };
    std::shared_ptr<Gate> gate = std::make_shared<Gate>();
    explicit HeldKeyboard(WindowFixture &f)
    {
        f.keyboard.afterPause = [g = gate] {
            if (g->hold.exchange(false)) {
                g->held = true;
                g->semaphore.acquire();
            }
        };
    }
    bool held() const { return gate->held; }
    void release() { gate->semaphore.release(); }
    ~HeldKeyboard() { release(); }
};

// 1,000 commands of other programs: colours and switches, the last a switch to 1.
void flood(ConsoleController &controller)
{
    for (int i = 0; i < 1000; ++i)
        controller.runSocketCommand(i % 2 ? colour(i % 256) : switchTo(5 - (i / 2) % 5));
}

// Another program's colour holds the keyboard in its first pause, and 1,000
// more commands of other programs wait behind it.
bool holdBehindAFlood(WindowFixture &f, HeldKeyboard &k)
{
    f.ctx().controller->runSocketCommand(colour(1));
    if (!QTest::qWaitFor([&k] { return k.held(); }, 5000))
        return false;
    flood(*f.ctx().controller);
    return true;
}

int statusProfile(MainWindow &w)
{
    return QJsonDocument::fromJson(w.statusReply()).object().value("profile").toInt();
}

int commandOf(const QByteArray &report)
{
    return quint8(report.at(1));
}

} // namespace

class QueueFlood : public QObject
{
    Q_OBJECT

private slots:
    // orvanta-ctl profile 5 after a flood: the switch reaches the keyboard, or
    // ctl fails and the keyboard gets the profile the window shows once back.
    void floodThenCtlSwitch_data()
    {
        QTest::addColumn<bool>("unplugged");
        QTest::newRow("keyboard takes it") << false;
        QTest::newRow("keyboard gone before its turn") << true;
    }
    void floodThenCtlSwitch()
    {
        QFETCH(bool, unplugged);
        WindowFixture f(Plug::ByTest);
        QVERIFY(f.plug());
        f.clear();
        HeldKeyboard k(f);
        f.activate(2);
        QTRY_VERIFY(k.held());
        flood(*f.ctx().controller);
        QVERIFY(f.link()->pending() <= 3); // only the latest switch and colour wait

        QProcess ctl;
        ctl.start(
            binDir() + "/orvanta-ctl",
            QStringList{"--port", QString::number(f.ctx().socket->serverPort()), "profile", "5"});
        QTRY_COMPARE_WITH_TIMEOUT(f.ctx().controller->bindings().active, 5, 10000);
        f.ctx().controller->runSocketCommand(colour(7)); // behind the switch: for profile 5
        if (unplugged)
            f.unplug();
        k.release();
        QTRY_COMPARE_WITH_TIMEOUT(ctl.state(), QProcess::NotRunning, 20000);
        QCOMPARE(ctl.exitCode(), unplugged ? 4 : 0);
        if (unplugged) {
            QVERIFY(QString(ctl.readAllStandardError())
                        .startsWith("orvanta-ctl: the console did not carry out the command: "));
            QVERIFY(f.plug()); // back: brought to what the window shows
        }
        QCOMPARE(statusProfile(*f.w), 5);
        QCOMPARE(f.ctx().controller->bindings().active, 5);
        // The held click, the switch, then (unless gone) the colour painted on profile 5:
        // mode, three pages (red 7), closing. The flood's stale commands never went out.
        const QVector<QByteArray> sent = f.sent();
        QCOMPARE(sent.mid(0, 2), (QVector<QByteArray>{selectReport(2), selectReport(5)}));
        QCOMPARE(sent.size(), unplugged ? 2 : 7);
        for (int i = 2; i < sent.size(); ++i) {
            QCOMPARE(commandOf(sent[i]), i == 2 || i == 6 ? 0x02 : 0x09);
            QCOMPARE(int(sent[i].at(2)), 5);
        }
        if (!unplugged)
            QCOMPARE(quint8(sent[3].at(8)), quint8(7));
    }

    // The user's click goes ahead of a flood.
    void userGoesAheadOfAFlood()
    {
        WindowFixture f;
        HeldKeyboard k(f);
        QVERIFY(holdBehindAFlood(f, k));
        f.ctx().controller->runSocketCommand(colour(9));
        f.link()->enqueue(commands::lightPulse(3), Origin::OtherProgram); // a pulse's tick
        f.activate(4);
        k.release();
        // The held colour's 5 reports, the click's switch, then only the tick's
        // two reports: the flood's switches and colours are out of date.
        const QVector<QByteArray> sent = f.sent();
        QCOMPARE(sent.size(), 8);
        QCOMPARE(sent[5], selectReport(4));
        for (int i = 6; i < sent.size(); ++i)
            QVERIFY2(commandOf(sent[i]) == CMD_LIGHT_MODE && quint8(sent[i].at(13)) == 3,
                     qPrintable(hex(sent[i])));
        QCOMPARE(statusProfile(*f.w), 4);
    }

    // Close with the user's APPLY queued behind a flood and the keyboard busy:
    // Close drops the flood and waits for the keyboard, so the APPLY still
    // reaches it before the console ends.
    void closeWaitsToSendTheUsersApply()
    {
        WindowFixture f;
        HeldKeyboard k(f);
        QVERIFY(holdBehindAFlood(f, k));
        f.w->showLightingPage();
        auto *effects = f.lighting().findChild<QComboBox *>(QStringLiteral("effect_combo"));
        effects->setCurrentIndex(EffectWave);
        f.lighting().applyClicked();
        // The keyboard comes back once Close has dropped the flood: left are the
        // APPLY and the held colour.
        std::thread keyboard([&f, &k] {
            (void)QTest::qWaitFor([&f] { return f.link()->pending() <= 2; }, 30000);
            k.release();
        });
        // Close ends the application's loop, as in the console.
        QTimer::singleShot(0, f.w->closeButton(), &QPushButton::released);
        QCOMPARE(QCoreApplication::exec(), 0);
        keyboard.join();
        f.w.reset();
        // The held colour's 5 reports, then the Wave of profile 1 and nothing else.
        const QVector<QByteArray> sent = f.keyboard.take();
        QVERIFY2(sent.size() > 6 && sent.size() < 20, qPrintable(QString::number(sent.size())));
        QCOMPARE(commandOf(sent[5]), int(CMD_LIGHT_MODE));
        QCOMPARE(commandOf(sent[6]), int(CMD_ZONE_TABLE));
        QCOMPARE(quint8(sent[6].at(2)), quint8(1));
    }

    // A factory reset on a full disk: one lasting notice, after the reset's
    // window, names what was not saved; the keyboard gets those profiles back
    // as their files keep them.
    void factoryResetOnAFullDisk()
    {
        WindowFixture f;
        FileSystemCalls calls = systemFileCalls();
        const auto open = calls.open;
        calls.open = [open](const char *path, int flags, mode_t mode) {
            const QString p = QString::fromLocal8Bit(path);
            if ((flags & O_CREAT) && !p.contains("undo") &&
                (p.contains("lightfile/") || p.contains("iss_flag"))) {
                errno = ENOSPC;
                return -1;
            }
            return open(path, flags, mode);
        };
        QSignalSpy lasting(f.ctx().notices, &Notices::lastingPosted);
        QSignalSpy done(f.w.get(), &MainWindow::factoryResetFinished);
        {
            FileCallsOverride full(calls);
            f.w->factoryResetClicked();
            // Not done.wait(): its event loop ends at once while a quit from an
            // earlier test's Close is pending.
            QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 10000);
            QVERIFY(f.settled());
        }
        QCOMPARE(lasting.size(), 1);
        auto *notice = f.w->findChild<QMessageBox *>("lastingNotice");
        QVERIFY(notice && notice->isVisible());
        QVERIFY(f.ctx().resetView->isHidden());
        QCOMPARE(notice->text(), QString("The factory reset could not save profile PROFILE 1, "
                                         "profile PROFILE 2, profile PROFILE 3, profile PROFILE "
                                         "4, profile PROFILE 5, iss_flag.ini (No space left on "
                                         "device). These keep their earlier settings, on the "
                                         "keyboard too."));
        // The reset's key map for each profile, then each profile's saved state again.
        int keyMaps = 0;
        for (const QByteArray &r : f.sent())
            keyMaps += commandOf(r) == CMD_KEY_MAP;
        QCOMPARE(keyMaps, 10);
    }

    // The virtual keyboard's memory that cannot be saved is logged and shown
    // once, and the keyboard keeps it in memory.
    void virtualKeyboardSaveFailure()
    {
        WindowFixture f;
        f.w->virtualKeyboard()->use();
        QVERIFY(f.settled());
        QSignalSpy failed(f.w.get(), &MainWindow::saveFailed);
        const QString state = QDir::current().absoluteFilePath("virtual_keyboard.json");
        QVERIFY(QFile::remove(state) && QDir().mkdir(state)); // cannot be replaced now
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^virtual keyboard: not saved: .*/"
                                                              "virtual_keyboard.json - "));
        f.activate(3);
        f.activate(4);
        QVERIFY(f.settled());
        QTRY_COMPARE(failed.size(), 1);
        QCOMPARE(failed[0][0].toString(), state);
        QVERIFY(f.ctx().notices->last().startsWith("Not saved: virtual_keyboard.json ("));
        QCOMPARE(f.w->virtualKeyboard()->device()->state().activeProfile, 4);
    }
};

QTEST_MAIN(QueueFlood)
#include "tst_queueflood.moc"
