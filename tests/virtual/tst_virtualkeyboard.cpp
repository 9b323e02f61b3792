// The virtual keyboard's decoder on single reports, refusals that keep the
// memory as it was, macro bookkeeping and the saved state; its
// window (keys lit from the memory, also when reports come from another
// thread, the active profile named); and switching the console
// between the USB keyboard (the fake one here) and the virtual one.

#include "TestSupport.h"
#include "core/assign/KeyAssignment.h"
#include "core/device/DeviceCommands.h"
#include "core/device/KeyboardLink.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroCodec.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "core/virtual/VirtualLighting.h"
#include "ui/virtual/VirtualKeyboardHost.h"
#include "ui/virtual/VirtualKeyboardWindow.h"

#include <QAccessible>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(orvanta::Report)

class VirtualKeyboardTest : public QObject
{
    Q_OBJECT

private slots:
    void reportsItCannotReadChangeNothingAndAreKept_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<int>("length");
        const auto row = [](const char *name, std::initializer_list<std::pair<int, int>> bytes,
                            int length = int(kReportSize)) {
            QTest::newRow(name) << reportOf(bytes) << length;
        };
        row("short", {{0, 7}, {1, 1}, {2, 2}}, 200);
        row("other report id", {{0, 6}, {1, 1}, {2, 2}});
        row("profile 6", {{0, 7}, {1, 1}, {2, 6}});
        row("unknown command", {{0, 7}, {1, 4}, {2, 1}});
        row("mode for another profile", {{0, 7}, {1, 2}, {2, 2}, {8, 3}, {16, 8}, {22, 2}});
        row("led page 4", {{0, 7}, {1, 9}, {2, 2}, {3, 4}, {8, 1}});
        row("bank 4 with colour data", {{0, 7}, {1, 10}, {2, 2}, {3, 4}, {4, 1}, {40, 9}});
        row("surface page 3", {{0, 7}, {1, 12}, {2, 2}, {4, 3}});
        row("zone table half marked", {{0, 7}, {1, 13}, {2, 2}, {74, 1}, {75, 0x15}});
        row("macro for key 128", {{0, 7}, {1, 5}, {2, 2}, {3, 128}, {4, 1}});
        row("key map with header bytes", {{0, 7}, {1, 3}, {2, 2}, {5, 1}});
    }
    void reportsItCannotReadChangeNothingAndAreKept()
    {
        QFETCH(Report, report);
        QFETCH(int, length);
        VirtualKeyboardDevice keyboard;
        QVERIFY(keyboard.sendFeatureReport(report.data(), std::size_t(length)));
        const VirtualKeyboardState after = keyboard.state();
        QVERIFY(after.sameMemory(factoryState()));
        QCOMPARE(after.undecoded.size(), 1);
        QCOMPARE(after.undecoded[0], toBytes(report).left(length));
        QCOMPARE(keyboard.recentReports().last(), QStringLiteral("undecoded report"));
    }

    // Macros for keys no key plays any more are dropped by a key map write; a
    // reset to the factory map keeps the lighting (a pulse: tst_controller).
    void macroBookkeepingAndReset()
    {
        VirtualKeyboardDevice keyboard;
        Report image = zeroReport();
        macro::writeEvent(image, 0, 100, 4, true);
        macro::writeEvent(image, 3, 0, 4, false);
        const QString cmd = commandString(image);
        KeyMap map = DEFAULT_KEY_MAP;
        setKeyCode(map, 0x04, kMacroKeyCode); // A, matrix 40
        setKeyCode(map, 0x05, kMacroKeyCode); // B, matrix 37
        QVector<Report> macros(1, buildMacroReport(cmd, 2, 40, RepeatMode::Once, 1));
        macros << buildMacroReport(cmd, 2, 37, RepeatMode::MultipleTimes, 7);
        sendTo(keyboard, commands::writeKeyMapAndMacros(2, map, macros, 2));
        QCOMPARE(int(keyboard.state().profile(2).macros.size()), 2);
        resetKeyCode(map, 0x04);
        sendTo(keyboard, commands::writeKeyMap(2, map));
        const OnboardProfile after = keyboard.state().profile(2);
        QCOMPARE(int(after.macros.size()), 1);
        QVERIFY(after.macros.count(37) && !isMacroKey(after, 42));

        sendTo(keyboard, commands::writeKeyMap(3, map)); // B still plays a macro
        sendTo(keyboard, commands::resetProfileToDefault(3));
        const VirtualKeyboardState s = keyboard.state();
        QVERIFY(s.undecoded.isEmpty());
        QCOMPARE(s.activeProfile, 3);
        QVERIFY(s.profile(3).keyMap == DEFAULT_KEY_MAP);
        QVERIFY(s.profile(3).mode == factoryState().profile(3).mode); // lighting stays
    }

    void damagedStateFileIsSetAsideNotTrusted()
    {
        QJsonObject profile9 = toJson(factoryState());
        profile9["activeProfile"] = 9;
        for (const QByteArray &content : {QByteArray("{nope"), QJsonDocument(profile9).toJson()}) {
            TempWorkDir dir;
            const QString path = dir.path() + "/state.json";
            QVERIFY(writeText(path, content));
            VirtualKeyboardDevice keyboard(path);
            QVERIFY2(!keyboard.lastError().isEmpty(), content.left(40).constData());
            QVERIFY(keyboard.state().sameMemory(factoryState()));
            QCOMPARE(readText(path + ".broken").toUtf8(), content);
        }
    }

    // A link in the state file's place is replaced, not written through (a
    // save that fails: tst_queueflood).
    void stateFileSaves()
    {
        TempWorkDir dir;
        const QString target = dir.path() + "/elsewhere.txt", path = dir.path() + "/state.json";
        QVERIFY(writeText(target, "keep me"));
        QVERIFY(QFile::link(target, path));
        VirtualKeyboardDevice keyboard(path);
        sendTo(keyboard, commands::selectProfile(2));
        QCOMPARE(readText(target), QStringLiteral("keep me"));
        QVERIFY(!QFileInfo(path).isSymLink());
        VirtualKeyboardState saved;
        QVERIFY(loadState(path, saved).loaded);
        QCOMPARE(saved.activeProfile, 2);
    }

    void followsReportsSentFromAnotherThread()
    {
        VirtualKeyboardDevice keyboard;
        VirtualKeyboardWindow window(&keyboard);
        QCOMPARE(window.profileText(), QStringLiteral("ON-BOARD PROFILE 1"));
        QThread *worker = QThread::create([&] {
            sendTo(keyboard, commands::selectProfile(3));
            LightingState s; // every key blue
            s.ledB.fill(200);
            sendTo(keyboard, lightingOperation(buildLightCommandSet(EffectStatic, s), 3));
        });
        worker->start();
        QVERIFY(worker->wait(5000));
        delete worker;
        QTRY_COMPARE(window.profileText(), QStringLiteral("ON-BOARD PROFILE 3"));
        VirtualKeyboardCanvas *canvas = window.canvas();
        for (const QColor &key : canvas->keyColoursAt(canvas->now()))
            QCOMPARE(key, QColor(0, 0, 200));
    }

    // A screen reader names every part of the window but its texts.
    void everyControlIsNamed()
    {
        VirtualKeyboardWindow window(nullptr);
        QStringList unnamed;
        for (QWidget *w : window.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
            if (!qobject_cast<QLabel *>(w) &&
                QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
                unnamed << w->metaObject()->className();
        QCOMPARE(unnamed, QStringList());
    }

    void hostSwitchesBothWaysThroughTheLink()
    {
        test::TempWorkDir dir;
        qputenv("ORVANTA_FAKEHID_DEVICES", "keyboard");
        KeyboardLink link;
        link.setPauseFunction([](unsigned) {});
        QVERIFY(link.discover());
        {
            VirtualKeyboardHost host(&link);
            host.showWindow(); // a USB keyboard is connected: only shown, with the offer
            QVERIFY(!host.inUse());
            auto *offer = host.window()->findChild<QPushButton *>();
            QVERIFY(offer && offer->isVisible());
            QTest::mouseClick(offer, Qt::LeftButton);
            QVERIFY(host.inUse() && !offer->isVisible());
            QCOMPARE(link.state(), KeyboardLink::State::Virtual);
            QVERIFY(host.useUsbKeyboard()); // what each then receives: tst_keyboardsync
            QCOMPARE(link.state(), KeyboardLink::State::Connected);
            QVERIFY(offer->isVisible());

            qputenv("ORVANTA_FAKEHID_DEVICES", "none");
            host.use();
            QVERIFY(!host.useUsbKeyboard() && host.inUse()); // unplugged: the virtual one stays
        }
        // The host takes its keyboard with it: the link never sends to it again.
        QVERIFY(link.state() != KeyboardLink::State::Virtual);
    }
};

QTEST_MAIN(VirtualKeyboardTest)
#include "tst_virtualkeyboard.moc"
