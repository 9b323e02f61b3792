// A keyboard that refuses reports or vanishes halfway: every page action still
// runs to its end, saves exactly what it saves with a working keyboard, nothing
// more is paced for work that can no longer reach it, and a keyboard that comes
// back is found, given every profile it missed, brought to the active profile
// and used.

#include "TestSupport.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/device/SlotSync.h"
#include "core/keys/KeyTable.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/MainWindow.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

struct Outcome {
    QMap<QString, QByteArray> files; // the data directory after the run
    QVector<unsigned> pauses;
    std::array<quint8, 256> keyMap{};
    int profile = 0, accepted = 0; // accepted: reports the keyboard took during the actions
    bool idle = false;             // the queue ran dry after the actions
    QStringList after;             // reports once the fault is gone, PROFILE 4 pressed last
};

QStringList logged(const QString &log)
{
    return readText(log).split('\n', Qt::SkipEmptyParts);
}

// Every page action that reaches the keyboard, in one fixed order.
void runActions(MainWindow &w)
{
    ConsoleContext &c = w.context();
    CustomizePanel &p = *w.customize();
    w.activateProfile(2);
    c.macros->newMacroClicked(); // a macro key
    w.activateProfile(1);
    const KeyRange &key = KEY_TABLE[42].hit;
    QTest::mousePress(&w, Qt::LeftButton, {}, {(key.x0 + key.x1) / 2, (key.y0 + key.y1) / 2});
    p.widgets().keyAssignCombo->setCurrentIndex(1);
    p.widgets().assignMacroCombo->setCurrentIndex(
        p.widgets().assignMacroCombo->findText(c.macros->selectedMacro()));
    p.widgets().repeatCombo->setCurrentIndex(1);
    p.widgets().repeatCountEdit->setText(QStringLiteral("3"));
    p.applyKeyAssignment();
    w.activateProfile(3); // LIGHTING: APPLY, LED RESET, APPLY; then the control socket
    c.lighting->applyClicked();
    c.lighting->ledResetClicked();
    c.lighting->applyClicked();
    ConsoleController &controller = *c.controller;
    controller.runSocketCommand(socketActionFor(
        {{"command", 7}, {"Data", 6}, {"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}}));
    controller.runSocketCommand(socketActionFor({{"command", 7}, {"Data", 7}, {"app_cmd", 3}}));
    QMetaObject::invokeMethod(controller.findChild<QTimer *>("pulse"), "timeout"); // one tick
    controller.runSocketCommand(socketActionFor({{"command", 7}, {"Data", 8}}));
    w.activateProfile(5);
    QSignalSpy resetDone(&w, &MainWindow::factoryResetFinished);
    w.factoryResetClicked();
    QVERIFY(resetDone.wait());
    w.activateProfile(2);
}

Outcome run(bool failSend, int failAfter)
{
    static int earlierReports = 0; // the fake keyboard counts every report of this process
    Outcome out;
    TempWorkDir wd;
    QTemporaryDir logDir;
    const QString log = logDir.filePath(QStringLiteral("reports.log"));
    qputenv("ORVANTA_FAKEHID_LOG", log.toUtf8());
    if (failSend)
        qputenv("ORVANTA_FAKEHID_FAIL_SEND", "1");
    if (!wd.seedFromDataTree())
        return out;
    {
        ConsoleOptions options;
        options.checkForUpdates = false;
        options.port = 0; // any free port
        MainWindow w(options);
        PauseRecorder pauses;
        KeyboardLink *link = w.keyboardLink();
        const auto idle = [link] { return link->isIdle(); };
        const bool startedIdle = QTest::qWaitFor(idle, 5000);
        link->setPauseFunction(pauses.function());
        const int atStart = logged(log).size();
        if (failAfter >= 0)
            qputenv("ORVANTA_FAKEHID_FAIL_AFTER",
                    QByteArray::number(failAfter + atStart + earlierReports));
        runActions(w);
        out.idle = startedIdle && QTest::qWaitFor(idle, 10000);
        out.accepted = logged(log).size() - atStart;
        out.pauses = pauses.pauses;
        out.keyMap = w.context().controller->keyMap();
        out.profile = w.context().controller->bindings().active;
        w.context().slotSync->writeMarks(); // saved a moment later otherwise
        out.files = filesBelow(wd.path());
        // The fault goes away: the keyboard is found again within the scan
        // interval, brought to the active profile, and the next press reaches it.
        qunsetenv("ORVANTA_FAKEHID_FAIL_SEND");
        qunsetenv("ORVANTA_FAKEHID_FAIL_AFTER");
        const int before = logged(log).size();
        if (failSend || failAfter >= 0)
            (void)QTest::qWaitFor([&] { return idle() && logged(log).size() > before; },
                                  3 * KeyboardLink::kScanIntervalMs);
        w.activateProfile(4);
        (void)QTest::qWaitFor(idle, 5000);
        for (const QString &line : logged(log).mid(before))
            out.after << line.section(' ', 3);
        earlierReports += logged(log).size();
    }
    qunsetenv("ORVANTA_FAKEHID_LOG");
    return out;
}

} // namespace

class DeviceFaultsTest : public QObject
{
    Q_OBJECT
private slots:
    void actionsEndAndSaveAsWithAWorkingKeyboard()
    {
        Outcome ref = run(false, -1);
        QVERIFY(ref.idle && !ref.files.isEmpty());
        QCOMPARE(ref.after, QStringList{hex(selectBytes(4))});
        // Only the record of what each keyboard holds differs with a fault: the
        // working keyboard has everything, the virtual one misses all five.
        const QString syncRecord = SlotSync::stateFile();
        QCOMPARE(QString(ref.files.take(syncRecord)),
                 QString("[usb]\n1=0\n2=0\n3=0\n4=0\n5=0\n\n"
                         "[virtual]\n1=1\n2=1\n3=1\n4=1\n5=1\n"));
        // The actions send plenty, so the vanishing point below lies inside them.
        QVERIFY2(ref.accepted > 60, qPrintable(QString::number(ref.accepted)));
        QCOMPARE(ref.pauses.size(), ref.accepted);
        QCOMPARE(ref.profile, 2);
        const struct {
            const char *name;
            bool failSend;
            int failAfter;
        } faults[] = {{"every report refused", true, -1}, {"gone after 40 reports", false, 40}};
        for (const auto &fault : faults) {
            Outcome out = run(fault.failSend, fault.failAfter);
            const int accepted = qMax(fault.failAfter, 0);
            QVERIFY2(QString(out.files.take(syncRecord)) == "[usb]\n1=1\n2=1\n3=1\n4=1\n5=1\n\n"
                                                            "[virtual]\n1=1\n2=1\n3=1\n4=1\n5=1\n",
                     fault.name);
            QVERIFY2(out.idle && out.accepted == accepted, fault.name);
            QCOMPARE(out.files.keys(), ref.files.keys());
            for (auto it = ref.files.begin(); it != ref.files.end(); ++it)
                QVERIFY2(out.files.value(it.key()) == it.value(), qPrintable(it.key()));
            // Each accepted report got its pause; nothing was paced for dropped work.
            QVERIFY2(out.pauses == ref.pauses.mid(0, accepted), fault.name);
            QVERIFY2(out.keyMap == ref.keyMap && out.profile == ref.profile, fault.name);
            // A keyboard that comes back gets profiles 1 to 5 whole (the factory
            // reset never reached it), is switched to the active profile and used again.
            QVERIFY2(out.after.size() > 2, fault.name);
            QCOMPARE(out.after.mid(out.after.size() - 2),
                     QStringList({hex(selectBytes(2)), hex(selectBytes(4))}));
            QStringList profiles;
            for (const QString &report : out.after.mid(0, out.after.size() - 2))
                if (report.mid(2, 2) != "00" &&
                    (profiles.isEmpty() || profiles.last() != report.mid(4, 2)))
                    profiles << report.mid(4, 2);
            QCOMPARE(profiles, (QStringList{"01", "02", "03", "04", "05"}));
        }
    }
};

QTEST_MAIN(DeviceFaultsTest)
#include "tst_devicefaults.moc"
