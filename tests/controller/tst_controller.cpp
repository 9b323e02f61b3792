// The console's use cases on its controller, without a widget, against the
// virtual keyboard: saved profiles, the light pulse, the factory reset,
// CUSTOMIZE APPLY and the macro collection, with what the keyboard then holds
// and the files they leave.

#include "TestSupport.h"
#include "core/assign/KeyAssignment.h"
#include "core/controller/ConsoleController.h"
#include "core/device/DeviceCommands.h"
#include "core/keys/KeyTable.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/AssignmentFile.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DataPaths.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/RecordedMacroFile.h"
#include "core/storage/StoredList.h"
#include "core/virtual/VirtualKeyboardDevice.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <limits>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// A controller whose operations reach a virtual keyboard at once.
struct Rig {
    TempWorkDir wd;
    VirtualKeyboardDevice keyboard;
    PauseRecorder pauses;
    RecordingQueue queue{keyboard, pauses};
    ConsoleController controller{&queue};
    QSignalSpy shown{&controller, &ConsoleController::activeSlotChanged};

    Rig() { wd.seedFromDataTree(); }
    QList<int> shownSlots()
    {
        QList<int> seen;
        for (const QList<QVariant> &call : shown)
            seen << call.at(0).toInt();
        return seen;
    }
};

} // namespace

class ControllerTest : public QObject
{
    Q_OBJECT

private slots:
    // New, Copy, rename, Delete, Export and Import of saved profiles: what each
    // makes, what it refuses (leaving the folders, the bindings and the
    // keyboard as they were) and which profile it gives the active slot.
    void profileManagementKeepsFoldersAndBindingsInStep()
    {
        Rig r;
        r.controller.bindings().read();
        ProfileLibrary &lib = r.controller.profiles();
        QCOMPARE(lib.copy("PROFILE 2").profile, QStringLiteral("PROFILE 2_01"));
        const QStringList before = profileList();
        const VirtualKeyboardState keyboard = r.keyboard.state();
        QStringList kept;
        lib.setKeepForUndo([&kept](const QString &kind, const QString &name, const QStringList &p) {
            kept << kind + "|" + name + "|" + p.join(",");
            return false; // not kept: nothing is deleted
        });
        QCOMPARE(lib.remove("PROFILE 2_01").status, ProfileResult::Status::Failed);
        QCOMPARE(kept, QStringList{"profile|PROFILE 2_01|lightfile/PROFILE 2_01,"
                                   "system/profile_connect.ini"});
        QCOMPARE(profileList(), before);
        QVERIFY(r.keyboard.state().sameMemory(keyboard));

        // Every slot bound to a renamed profile follows it; the active slot takes it.
        r.controller.bindings().names[3] = "PROFILE 2_01";
        const ProfileResult cut = lib.rename("PROFILE 2_01", QString(70, 'G'));
        QCOMPARE(cut.profile, QString(64, 'G'));
        for (const char *slot : {"Setting/1", "Setting/4"})
            QCOMPARE(iniText("system/profile_connect.ini", slot), cut.profile);
        lib.setKeepForUndo({});
        r.controller.activateSlot(3);
        r.controller.chooseSavedProfile(QString(64, 'G'));
        QCOMPARE(lib.remove(QString(64, 'G')).profile, QStringLiteral("PROFILE 3"));
        QCOMPARE(iniText("system/profile_connect.ini", "Setting/3"), QStringLiteral("PROFILE 3"));
        QCOMPARE(profileList(), before.mid(0, 2) + before.mid(3));

        // Export appends a block each time (to "My.ini"); import makes the profile once.
        const QString target = QDir::current().filePath("My.ini");
        QVERIFY(lib.exportTo("PROFILE 5", "My").done() && lib.exportTo("PROFILE 5", target).done());
        QCOMPARE(readText(target), exportText("PROFILE 5").repeated(2));
        QCOMPARE(lib.importFrom(target).profile, QStringLiteral("My"));
        const QString signal = "lightfile/My/singal/signal.ini";
        QCOMPARE(readText(signal), readText("lightfile/PROFILE 5/singal/signal.ini"));
        QVERIFY(writeText(signal, "[x]\n"));
        QCOMPARE(lib.importFrom(target).status, ProfileResult::Status::Refused);
        QCOMPARE(readText(signal), QStringLiteral("[x]\n"));

        QCOMPARE(lib.copy("PROFILE 2").profile, QStringLiteral("PROFILE 2_01"));
        QCOMPARE(lib.copy("PROFILE 2_01").profile, QStringLiteral("PROFILE 2_02"));
    }

    void bulkResetsTakeBackOneKindOfAssignment()
    {
        Rig r;
        r.controller.bindings().read(); // slot 1 shows "PROFILE 1"
        AssignmentTable &a = r.controller.assignments();
        a[103].kind = KeyKind::Single; // the last key (keypad .) is reset too
        setKeyCode(r.controller.keyMap(), KEY_TABLE[103].usage, 0x05);
        a[9].kind = KeyKind::Macro;
        setKeyCode(r.controller.keyMap(), KEY_TABLE[9].usage, kMacroKeyCode);
        KeyMap macroOnly = DEFAULT_KEY_MAP;
        setKeyCode(macroOnly, KEY_TABLE[9].usage, kMacroKeyCode);

        QCOMPARE(r.controller.resetSingleKeys("PROFILE 1"), QVector<int>{103});
        QVERIFY(r.keyboard.state().profile(1).keyMap == macroOnly);
        QCOMPARE(a[9].kind, KeyKind::Macro);
        r.pauses.pauses.clear();
        a[103].kind = KeyKind::Macro;
        setKeyCode(r.controller.keyMap(), KEY_TABLE[103].usage, kMacroKeyCode);
        QCOMPARE(r.controller.resetMacroKeys("PROFILE 1"), (QVector<int>{9, 103}));
        QVERIFY(r.keyboard.state().profile(1).keyMap == DEFAULT_KEY_MAP);
        QCOMPARE(r.pauses.pauses, QVector<unsigned>(3, 100)); // select, map, select
        QCOMPARE(MacroReportsFile::count("PROFILE 1"), 0);
        QVERIFY(r.controller.resetMacroKeys("PROFILE 1").isEmpty()); // nothing left
    }

    // CUSTOMIZE APPLY: the key map (with the profile's macro reports when a
    // key needs them) goes to the active slot, and the macro commands, the key
    // map and the assignment files are saved once each, as applied.
    void customizeApplySendsTheKeyAndSavesEachFileOnce()
    {
        Rig r;
        const QString profile = QStringLiteral("PROFILE 1");
        QVERIFY(
            RecordedMacroFile::write("Jump", macro::macroTexts({}, reportOf({{10, 0x80}}))).ok());
        KeyAssignmentEditor &editor = r.controller.keyAssignmentEditor();
        const auto onKeyboard = [&r] { return r.keyboard.state().profile(1); };
        {
            SimulatedDisk disk(std::numeric_limits<qint64>::max());
            QVERIFY(editor.applyMacro(42, "Jump", RepeatMode::MultipleTimes, 7, profile).ok());
            qint64 sizes = 0; // each file once
            for (const QString &file :
                 {DataPaths::signalPath(profile), DataPaths::macroSystemPath(profile),
                  DataPaths::macroCmdPath(profile)})
                sizes += QFileInfo(file).size();
            QCOMPARE(disk.written(), sizes);
        }
        // A (key number 40) sends the macro code; its report, 7 times.
        QCOMPARE(macro::parseCommandString(MacroReportsFile::commands(profile)[0]),
                 reportOf({{0, 7}, {1, 5}, {2, 1}, {3, 40}, {4, 1}, {9, 7}, {10, 0x80}}));
        QCOMPARE(int(onKeyboard().keyMap[40]), 0xB4);
        QCOMPARE(int(onKeyboard().macros.at(40).events[0]), 0x80);
        QCOMPARE(r.pauses.pauses, QVector<unsigned>(4, 300)); // select, map, macro, zeros
        // Re-assigning keeps the entry; a second key adds one (held: 255,255).
        QVERIFY(editor.applyMacro(43, "Jump", RepeatMode::PressAndHold, 1, profile).ok());
        QVERIFY(editor.applyMacro(42, "Jump", RepeatMode::Once, 1, profile).ok());
        QCOMPARE(MacroReportsFile::keyNumbers(profile), QStringLiteral("40,48"));
        QCOMPARE(MacroReportsFile::commands(profile)[1].section(',', 8, 9), QString("255,255"));
        QVERIFY(editor.applyDefault(43, profile).ok()); // the entry goes, the code returns
        QCOMPARE(MacroReportsFile::keyNumbers(profile), QStringLiteral("40"));
        QCOMPARE(int(onKeyboard().keyMap[48]), int(DEFAULT_KEY_MAP[48]));
        QVERIFY(editor.applySingle(103, 0x3E, "F5", profile).ok()); // keypad "." sends F5
        QCOMPARE(int(onKeyboard().keyMap[107]), 0x3E);
        QCOMPARE(takeItems(AssignmentFile::read(profile).kinds, 108).mid(42, 2),
                 QStringList({"1", "0"}));

        // Incomplete requests change and send nothing.
        const VirtualKeyboardState before = r.keyboard.state();
        QVERIFY(!editor.applyMacro(5, "", RepeatMode::Once, 1, profile).applied);
        QVERIFY(!editor.applySingle(5, 0, "F5", profile).applied); // no key captured
        QVERIFY(r.keyboard.state().sameMemory(before));
    }

    // The macro collection: NEW, COPY, rename, DELETE, EXPORT and IMPORT, the
    // files each leaves, and refusals that change nothing and say why.
    void macroCollectionUseCases()
    {
        Rig r;
        macro::MacroLibrary &macros = r.controller.macros();
        QSignalSpy renamed(&macros, &macro::MacroLibrary::renamed);
        QStringList deleted;
        macros.setKeepForUndo([&deleted](const QString &name) { return deleted << name, true; });
        const auto shown = [](const macro::MacroChange &c) { return c.done() ? c.show : "-"; };
        QCOMPARE(shown(macros.create()), QStringLiteral("Macro 1"));
        const QVector<macro::MacroRow> rows{{"a", "down", "10"}, {"a", "up", "0"}};
        QVERIFY(macros.save("Macro 1", rows, reportOf({{10, 0x80}})).done());
        QCOMPARE(shown(macros.copy("Macro 1")), QStringLiteral("Macro 1_01"));
        QCOMPARE(shown(macros.rename("Macro 1_01", "Jump")), QStringLiteral("Jump"));
        QCOMPARE(renamed.size(), 1);
        QVERIFY(macros.exportTo("Jump", "out.ini").done());
        QCOMPARE(macros.exportTo("Jump", "no/such/folder/out.ini").outcome,
                 macro::MacroChange::Outcome::Failed);
        QCOMPARE(r.controller.notices().last(),
                 QStringLiteral("Could not export Jump to no/such/folder/out.ini"));
        QCOMPARE(shown(macros.remove("Jump")), QStringLiteral("Default Macro"));
        QCOMPARE(deleted, QStringList{"Jump"});
        QCOMPARE(shown(macros.importFile("out.ini")), QStringLiteral("out"));
        QVERIFY(macros.save("out", {}, zeroReport()).done()); // edited, then imported again:
        QCOMPARE(macros.importFile("out.ini").outcome, macro::MacroChange::Outcome::Refused);
        QCOMPARE(r.controller.notices().last(), QStringLiteral("A macro named out already exists"));
        QCOMPARE(macros.read("out").rows.size(), 0); // the edit stays

        // Refusals: the protected macro, a taken name.
        QCOMPARE(macros.remove("Default Macro").outcome, macro::MacroChange::Outcome::Unchanged);
        QCOMPARE(macros.rename("Macro 1", "out").outcome, macro::MacroChange::Outcome::Refused);
        QCOMPARE(macros.names(), (QStringList{"Default Macro", "Macro 1", "out"}));
    }

    // A rename carries the keys that play the macro in every saved profile;
    // when one file cannot be saved nothing changes, and the notices say so.
    void renamingAMacroCarriesItsKeys()
    {
        Rig r;
        QVERIFY(RecordedMacroFile::write("Jump", macro::macroTexts({}, zeroReport())).ok());
        KeyAssignmentEditor &editor = r.controller.keyAssignmentEditor();
        QVERIFY(editor.applyMacro(42, "Jump", RepeatMode::Once, 1, "PROFILE 1").ok()); // A
        r.controller.activateSlot(3);
        editor.loadMacroKeys("PROFILE 3");
        QVERIFY(editor.applyMacro(43, "Jump", RepeatMode::Once, 1, "PROFILE 3").ok()); // S
        const auto assignmentFiles = [] {
            QStringList texts;
            for (int n = 1; n <= 5; ++n)
                for (const char *file : {"macro/macro_file.ini", "singal/signal.ini"})
                    texts << readText(QStringLiteral("lightfile/PROFILE %1/").arg(n) + file);
            return texts;
        };
        QStringList expected = assignmentFiles();
        QVERIFY(expected[4].contains(",Jump,")); // PROFILE 3's macro keys
        QCOMPARE(r.controller.macros().rename("Jump", "Leap").show, QStringLiteral("Leap"));
        QCOMPARE(assignmentFiles(), expected.replaceInStrings("Jump", "Leap"));
        QVERIFY(QFile::exists("macrofile/Leap.ini") && !QFile::exists("macrofile/Jump.ini"));

        // PROFILE 3's macro folder is reached through a link: its file is not
        // saved, so PROFILE 1's is not either and the macro keeps its name.
        QVERIFY(QDir().rename("lightfile/PROFILE 3/macro", "profile3-macro"));
        QVERIFY(
            QFile::link(QDir::current().filePath("profile3-macro"), "lightfile/PROFILE 3/macro"));
        QSignalSpy failed(&r.controller.notices(), &Notices::saveFailed);
        QCOMPARE(r.controller.macros().rename("Leap", "Hop").outcome,
                 macro::MacroChange::Outcome::Failed);
        QCOMPARE(assignmentFiles(), expected);
        QVERIFY(QFile::exists("macrofile/Leap.ini") && !QFile::exists("macrofile/Hop.ini"));
        QVERIFY(failed.value(0).value(0).toString().endsWith("macro_file.ini"));
    }

    void thePulseTicksAndRetunesWithoutRestarting()
    {
        Rig r;
        QSignalSpy flashes(&r.keyboard, &VirtualKeyboardDevice::appLightPulsed);
        const VirtualKeyboardState memory = r.keyboard.state();
        QTimer *timer = r.controller.findChild<QTimer *>(QStringLiteral("pulse"));
        QVERIFY(timer && !r.controller.isPulsing());
        r.controller.startPulse(3);
        QCOMPARE(timer->interval(), 500);
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(flashes.size(), 2); // each tick is a pair of reports
        QCOMPARE(flashes[0][0].value<quint8>(), quint8(3));
        QCOMPARE(r.queue.origins, (QVector<Origin>{Origin::OtherProgram}));

        // A restart would push the next tick back to a full 500 ms.
        QTRY_VERIFY_WITH_TIMEOUT(timer->remainingTime() <= 420, 1000);
        r.controller.startPulse(7);
        QVERIFY2(timer->remainingTime() <= 440, // within the 5% of a coarse timer
                 qPrintable(QString::number(timer->remainingTime())));
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout"));
        QCOMPARE(flashes.last()[0].value<quint8>(), quint8(7));

        r.controller.stopPulse();
        QVERIFY(!r.controller.isPulsing());
        QVERIFY(r.keyboard.state().sameMemory(memory)); // a pulse is not memory
    }

    // The reset's files are saved in the background: one reset at a time, and
    // an activation meanwhile waits for them. (What the keyboard and the files
    // hold afterwards: tst_shell, through the keyboard link.)
    void factoryResetSavesInTheBackgroundOneAtATime()
    {
        Rig r;
        r.controller.keyMap()[40] = 0x05; // a map, a single key, instant shift, profile 4
        r.controller.assignments()[7].kind = KeyKind::Single;
        r.controller.shiftTargets()[0][4] = 2;
        r.controller.activateSlot(4);
        QSignalSpy cleared(&r.controller, &ConsoleController::keyAssignmentsReset);
        QSignalSpy saved(&r.controller, &ConsoleController::factoryResetSaved);
        r.shown.clear();

        const QVector<quint64> steps = r.controller.factoryReset(0, 0);
        QCOMPARE(steps.size(), 7); // the lighting, five profiles, the select
        QCOMPARE(cleared.size(), 1);
        QVERIFY(r.controller.factoryResetSaving());
        QVERIFY(r.controller.factoryReset(0, 0).isEmpty()); // one at a time
        r.controller.activateSlot(3);                       // waits for the files, as the pages do
        QCOMPARE(r.keyboard.state().activeProfile, 1);
        QVERIFY(saved.wait(10000));
        QCOMPARE(r.shownSlots(), (QList<int>{1, 3}));
        QCOMPARE(r.keyboard.state().activeProfile, 3);
        QVERIFY(r.controller.keyMap() == DEFAULT_KEY_MAP);
        QCOMPARE(r.controller.assignments()[7].kind, KeyKind::Default);
        QCOMPARE(r.controller.shiftTargets()[0][4], 0);
    }
};

QTEST_GUILESS_MAIN(ControllerTest)
#include "tst_controller.moc"
