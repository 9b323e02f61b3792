// A keyboard that refuses reports, vanishes halfway or was never there: every
// page action still runs to its end, saves exactly what it saves with a working
// keyboard, nothing more is paced for work that can no longer reach it, and a
// keyboard that comes back is found, brought to the active profile and used.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/keys/KeyTable.h"
#include "core/storage/IniStore.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/Globals.h"
#include "ui/shell/MainWindow.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QTcpServer>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

struct Fault {
    QString devices; // ORVANTA_FAKEHID_DEVICES
    bool failSend = false;
    int failAfter = -1; // reports accepted before the keyboard vanishes
};

struct Outcome {
    QMap<QString, QByteArray> files; // the data directory after the run
    QVector<unsigned> pauses;
    std::array<quint8, 256> keyMap{};
    int currentProfile = 0;
    int accepted = 0;             // reports the keyboard took during the actions
    bool idle = false;            // the queue ran dry after the actions
    QByteArray broughtInLine;     // what a keyboard found again got first
    bool laterSwitchSent = false; // a profile button works once the fault is gone
};

QMap<QString, QByteArray> treeContent(const QString &root)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    const QDir base(root);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        out.insert(base.relativeFilePath(path), f.readAll());
    }
    return out;
}

int loggedReports(const QString &log)
{
    return readText(log).count(QLatin1Char('\n'));
}

// Reports the fake keyboard accepted in earlier runs of this process: it counts
// them all when deciding to vanish.
int &previousAccepted()
{
    static int n = 0;
    return n;
}

QPoint centreOf(int cell)
{
    const KeyRange &r = KEY_TABLE[cell].hit;
    return {(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2};
}

// Every page action that reaches the keyboard, in one fixed order.
void runActions(MainWindow &w)
{
    w.profile2Clicked();

    // CUSTOMIZE: a macro key and a single key, each applied.
    gMacroView->newMacroClicked();
    const QString macro = gMacroView->selectedMacro();
    w.profile1Clicked();
    QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(42));
    w.keyAssignCombo->setCurrentIndex(1);
    w.assignMacroCombo->setCurrentIndex(w.assignMacroCombo->findText(macro));
    w.repeatCombo->setCurrentIndex(1);
    w.repeatCountEdit->setText(QStringLiteral("3"));
    w.applyKeyAssignment();
    QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(43));
    w.keyAssignCombo->setCurrentIndex(2);
    QTest::keyClick(&w, Qt::Key_F5);
    w.applyKeyAssignment();

    // LIGHTING: APPLY, then LED RESET, on on-board profile 3.
    w.profile3Clicked();
    gLightView->applyClicked();
    gLightView->ledResetClicked();
    gLightView->applyClicked();

    // MACROS: record a few keys and stop.
    gMacroView->useManualClock(true);
    gMacroView->startRecording();
    QTest::keyPress(gMacroView, Qt::Key_B);
    gMacroView->advanceDelayClock();
    QTest::keyRelease(gMacroView, Qt::Key_B);
    QTest::keyClick(gMacroView, Qt::Key_C);
    gMacroView->stopRecording();

    // The control socket's commands.
    w.socketHelperReceiveData(
        {{"command", 7}, {"Data", 6}, {"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}});
    w.socketHelperReceiveData({{"command", 7}, {"Data", 7}, {"app_cmd", 3}});
    w.pulseAppLight();
    w.socketHelperReceiveData({{"command", 7}, {"Data", 8}});

    // Factory reset last: it rewrites every profile.
    w.profile5Clicked();
    QSignalSpy resetDone(&w, &MainWindow::factoryResetFinished);
    w.factoryResetClicked();
    QVERIFY(resetDone.wait());
    w.profile2Clicked();
}

Outcome run(const Fault &fault)
{
    Outcome out;
    TempWorkDir wd;
    if (!wd.seedFromDataTree())
        return out;
    QTemporaryDir logDir;
    const QString log = logDir.filePath(QStringLiteral("reports.log"));
    qputenv("ORVANTA_FAKEHID_LOG", log.toUtf8());
    if (!fault.devices.isEmpty())
        qputenv("ORVANTA_FAKEHID_DEVICES", fault.devices.toUtf8());
    if (fault.failSend)
        qputenv("ORVANTA_FAKEHID_FAIL_SEND", "1");
    {
        ConsoleOptions options;
        options.checkForUpdates = false;
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        options.port = probe.serverPort();
        probe.close();
        MainWindow w(options);
        PauseRecorder pauses;
        KeyboardLink *link = w.keyboardLink();
        const bool startedIdle = QTest::qWaitFor([link] { return link->isIdle(); }, 5000);
        link->setPauseFunction(pauses.function());
        const int atStart = loggedReports(log);
        if (fault.failAfter >= 0) // the fake keyboard counts every report of this process
            qputenv("ORVANTA_FAKEHID_FAIL_AFTER",
                    QByteArray::number(qint64(fault.failAfter) + atStart + previousAccepted()));

        runActions(w);
        out.idle = startedIdle && QTest::qWaitFor([link] { return link->isIdle(); }, 10000);

        out.accepted = loggedReports(log) - atStart;
        out.pauses = pauses.pauses;
        out.keyMap = gCommandSender->keyMap;
        out.currentProfile = w.currentProfile;
        out.files = treeContent(wd.path());
        // The fault goes away; the keyboard is found again within the scan
        // interval and the next press reaches it.
        qunsetenv("ORVANTA_FAKEHID_FAIL_SEND");
        qunsetenv("ORVANTA_FAKEHID_FAIL_AFTER");
        const int before = loggedReports(log);
        const bool faulty = fault.failSend || fault.failAfter >= 0;
        const bool back =
            faulty && QTest::qWaitFor(
                          [link, &log, before] {
                              return link->state() == KeyboardLink::State::Connected &&
                                     link->isIdle() && loggedReports(log) > before;
                          },
                          3 * KeyboardLink::kScanIntervalMs);
        QStringList lines = readText(log).split('\n', Qt::SkipEmptyParts);
        if (back && lines.size() > before)
            out.broughtInLine = lines.at(before).section(' ', 3).toLatin1();
        const int beforeSwitch = lines.size();
        w.profile4Clicked();
        const bool switched = QTest::qWaitFor([link] { return link->isIdle(); }, 5000);
        lines = readText(log).split('\n', Qt::SkipEmptyParts);
        out.laterSwitchSent = switched && lines.size() == beforeSwitch + 1 &&
                              lines.last().section(' ', 3).toLatin1() ==
                                  toBytes(reportOf({{0, 7}, {1, 1}, {2, 4}})).toHex();
        previousAccepted() += loggedReports(log);
    }
    qunsetenv("ORVANTA_FAKEHID_LOG");
    qunsetenv("ORVANTA_FAKEHID_DEVICES");
    return out;
}

} // namespace

class DeviceFaultsTest : public QObject
{
    Q_OBJECT

private:
    Outcome reference;

private slots:
    void initTestCase()
    {
        reference = run({});
        QVERIFY(reference.idle);
        QVERIFY(reference.laterSwitchSent);
        QVERIFY(!reference.files.isEmpty());
        // The actions send plenty, so each vanishing point below lies inside them.
        QVERIFY2(reference.accepted > 60, qPrintable(QString::number(reference.accepted)));
        QCOMPARE(reference.pauses.size(), reference.accepted);
        QCOMPARE(reference.currentProfile, 2);
    }

    void actionsEndAndSaveAsWithAWorkingKeyboard_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<bool>("failSend");
        QTest::addColumn<int>("failAfter");
        QTest::addColumn<int>("accepted");
        QTest::newRow("every report refused") << QString() << true << -1 << 0;
        QTest::newRow("gone inside the lighting apply") << QString() << false << 40 << 40;
        QTest::newRow("no keyboard at all") << QStringLiteral("none") << false << -1 << 0;
    }

    void actionsEndAndSaveAsWithAWorkingKeyboard()
    {
        QFETCH(QString, devices);
        QFETCH(bool, failSend);
        QFETCH(int, failAfter);
        QFETCH(int, accepted);
        const Outcome out = run({devices, failSend, failAfter});
        const bool present = devices.isEmpty();
        QVERIFY(out.idle);
        QCOMPARE(out.accepted, accepted);

        QCOMPARE(out.files.keys(), reference.files.keys());
        for (auto it = reference.files.begin(); it != reference.files.end(); ++it)
            QVERIFY2(out.files.value(it.key()) == it.value(), qPrintable(it.key()));
        // Each accepted report got its pause; nothing was paced for dropped work.
        QCOMPARE(out.pauses, reference.pauses.mid(0, accepted));
        QVERIFY(out.keyMap == reference.keyMap);
        QCOMPARE(out.currentProfile, reference.currentProfile);
        // A keyboard that comes back is switched to the active profile and used
        // again; a missing one stays missing.
        QCOMPARE(out.broughtInLine,
                 present ? toBytes(reportOf({{0, 7}, {1, 1}, {2, 2}})).toHex() : QByteArray());
        QCOMPARE(out.laterSwitchSent, present);
    }
};

QTEST_MAIN(DeviceFaultsTest)
#include "tst_devicefaults.moc"
