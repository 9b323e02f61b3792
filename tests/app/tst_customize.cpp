// The CUSTOMIZE page in the window: assignments, resets, instant shift, slots.

#include "ShellFixture.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/macro/MacroFile.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

void select(MainWindow &w, int cell, int kind)
{
    QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(cell));
    QCOMPARE(w.selectedKey, cell);
    w.keyAssignCombo->setCurrentIndex(kind); // Default, Macro Key, Single Key
}

// A macro file whose image holds one marker byte at 10.
void assignMacro(MainWindow &w, int cell, const QString &macro, int marker, int repeat,
                 const QString &count = "1")
{
    IniStore::writeIniFile(macro, macro::buildMacroMap({}, reportOf({{10, marker}})));
    select(w, cell, 1);
    w.assignMacroCombo->setCurrentIndex(w.assignMacroCombo->findText(macro));
    w.repeatCombo->setCurrentIndex(repeat);
    w.repeatCountEdit->setText(count);
    w.applyKeyAssignment();
}

void assignSingle(MainWindow &w, int cell, Qt::Key key)
{
    select(w, cell, 2);
    QTest::keyClick(&w, key);
    w.applyKeyAssignment();
}

// What the CUSTOMIZE panel shows: assignment / CURRENT / ASSIGN MACRO / REPATE
// OPTION / count, each blank while hidden.
QString panel(const MainWindow &w)
{
    auto shown = [](const QWidget *wdg, const QString &text) {
        return wdg->isVisible() ? text : QString();
    };
    return QStringList{w.keyAssignCombo->currentText(),
                       shown(w.currentAssignment, w.currentAssignment->text()),
                       shown(w.assignMacroCombo, w.assignMacroCombo->currentText()),
                       shown(w.repeatCombo, w.repeatCombo->currentText()),
                       shown(w.repeatCountEdit, w.repeatCountEdit->text())}
        .join('/');
}

QString macroKeys()
{
    return IniStore::readMacroCmdNumber("PROFILE 1");
}

} // namespace

class CustomizeTest : public QObject
{
    Q_OBJECT
private slots:
    void macroKeyWritesEntryKeyMapAndReports()
    {
        ShellFixture f;
        f.w->show();
        f.clear();
        assignMacro(*f.w, 42, "Jump", 0x80, 1, "7"); // A, Multiple Times 7
        QCOMPARE(macroKeys(), QStringLiteral("40"));
        const Report stored = macro::parseCommandString(IniStore::readMacroCmdFile("PROFILE 1")[0]);
        QCOMPARE(stored, reportOf({{0, 7}, {1, 5}, {2, 1}, {3, 40}, {4, 1}, {9, 7}, {10, 0x80}}));
        // select, key map, the macro, the closing zeros, 300 ms apart
        QCOMPARE(f.device.reports.size(), 4);
        QCOMPARE(f.device.reports.value(2), toBytes(stored));
        QCOMPARE(f.pauses.pauses, QVector<unsigned>(4, 300));
        QCOMPARE(takeItems(IniStore::readMacroAssignFile("PROFILE 1")[0], 108)[42],
                 QStringLiteral("1"));

        // Re-assigning keeps the entry; a second key adds one.
        assignMacro(*f.w, 43, "Dash", 0x81, 3);
        assignMacro(*f.w, 42, "Dash", 0x81, 2);
        QCOMPARE(macroKeys(), QStringLiteral("40,48"));
        QCOMPARE(IniStore::readMacroCmdFile("PROFILE 1")[0].section(',', 8, 10),
                 QStringLiteral("255,255,129"));

        // Back to Default: the entry goes, the rest renumber, the code returns.
        f.clear();
        select(*f.w, 42, 0);
        f.w->applyKeyAssignment();
        QCOMPARE(macroKeys(), QStringLiteral("48"));
        QCOMPARE(int(gCommandSender->keyMap[40]), 0x04);
        QCOMPARE(f.device.reports.size(), 3); // select, key map, select
    }

    void singleKeyAndTheResets()
    {
        ShellFixture f;
        f.w->show();
        assignMacro(*f.w, 42, "Jump", 0x80, 0);
        assignSingle(*f.w, 103, Qt::Key_F5); // keypad "."
        QCOMPARE(int(gCommandSender->keyMap[107]), 0x3E);

        // SINGLE RESET leaves the macro key; it clears the last key too.
        f.clear();
        f.w->resetSingleAssignments();
        QCOMPARE(f.w->keyTable[103] + f.w->keyTable[42], QStringLiteral("01"));
        QCOMPARE(int(gCommandSender->keyMap[107]), 0x63);
        QCOMPARE(f.device.reports.size(), 4); // with the one stored macro

        // MACRO RESET leaves single keys.
        assignSingle(*f.w, 0, Qt::Key_Q);
        f.clear();
        f.w->resetMacroAssignments();
        QCOMPARE(f.w->keyTable[0] + f.w->keyTable[42], QStringLiteral("20"));
        QCOMPARE(macroKeys(), QString());
        QCOMPARE(int(gCommandSender->keyMap[40]), 0x04);
        QCOMPARE(f.device.reports.size(), 3); // key map without macros
    }

    // The key being assigned comes only from keys pressed for it, not from keys
    // typed into another field; while assigning, Tab is a key like the others.
    void keyCaptureOnlyWhileAssigning_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("inProfileName");
        QTest::addColumn<QString>("pending");
        QTest::newRow("Enter in PROFILE NAME") << int(Qt::Key_Return) << true << "b";
        QTest::newRow("Tab in PROFILE NAME") << int(Qt::Key_Tab) << true << "b";
        QTest::newRow("Tab while assigning") << int(Qt::Key_Tab) << false << "Tab";
    }
    void keyCaptureOnlyWhileAssigning()
    {
        QFETCH(int, key);
        QFETCH(bool, inProfileName);
        QFETCH(QString, pending);
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        select(w, 42, 2);
        QTest::keyClick(&w, Qt::Key_B);
        QCOMPARE(w.newKeyEdit->text(), QStringLiteral("b"));
        QWidget *target = &w;
        if (inProfileName) {
            w.profileNameEdit->setFocus();
            target = w.profileNameEdit;
        }
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(w.newKeyEdit->text(), pending);
        QCOMPARE(int(w.capturedUsage), pending == "b" ? 0x05 : 0x2B);
    }

    // The panel shows what the selected key does in the profile shown, after every
    // change of profile, and a macro key with its macro and repeat.
    void panelFollowsTheProfileShown()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        assignMacro(w, 43, "Jump", 0x80, 2);      // S: When Perss & Hold
        assignMacro(w, 44, "Jump", 0x80, 1, "7"); // D: Multiple Times 7
        assignSingle(w, 42, Qt::Key_B);           // A sends b
        const QVector<QPair<std::function<void()>, QString>> steps{
            {[&] { w.profile2Clicked(); }, "Default////"},
            {[&] { w.profile1Clicked(); }, "Single Key/b///"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(43)); },
             "Macro Key//Jump/When Perss & Hold/"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(44)); },
             "Macro Key//Jump/Multiple Times/7"},
            {[&] { w.profileCombo->setCurrentText("PROFILE 3"); }, "Default////"},
            {[&] { w.profileCombo->setCurrentText("PROFILE 1"); },
             "Macro Key//Jump/Multiple Times/7"},
        };
        for (const auto &step : steps) {
            step.first();
            QCOMPARE(panel(w), step.second);
        }
    }

    void instantShift()
    {
        ShellFixture f;
        f.w->show();
        MainWindow &w = *f.w;
        w.shiftCombo->setCurrentIndex(w.shiftCombo->findText("PROFILE 3"));
        f.clear();
        w.toggleShiftInstantShift();
        QCOMPARE(int(gCommandSender->keyMap[121]), 187);
        QCOMPARE(IniStore::readFlagFile()[0], QStringLiteral("3,0,0,0,0"));
        QCOMPARE(int(quint8(f.device.reports.value(1)[8 + 121])), 187);

        // CTRL while SHIFT is on only writes the flags again.
        f.clear();
        QFile::remove("system/iss_flag.ini");
        w.toggleCtrlInstantShift();
        QVERIFY(f.device.reports.isEmpty());
        QVERIFY(QFileInfo::exists("system/iss_flag.ini"));

        // Bound elsewhere: disabled for another target.
        w.shiftCombo->setCurrentIndex(w.shiftCombo->findText("PROFILE 2"));
        QVERIFY(!w.shiftEnabled[0]);
        w.toggleShiftInstantShift();
        QCOMPARE(int(gCommandSender->keyMap[121]), 187);

        // Off again restores the modifier.
        w.shiftCombo->setCurrentIndex(w.shiftCombo->findText("PROFILE 3"));
        w.toggleShiftInstantShift();
        QCOMPARE(int(gCommandSender->keyMap[121]), 225);
        QCOMPARE(IniStore::readFlagFile()[0], QStringLiteral("0,0,0,0,0"));
    }

    void profileSlotsSwitchRepairAndReplay()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        const QDateTime stamp = QFileInfo("system/profile_connect.ini").lastModified();
        f.clear();
        w.profile3Clicked();
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(3)});
        QCOMPARE(QFileInfo("system/profile_connect.ini").lastModified(), stamp);

        // A linked folder that is gone falls back to the slot's built-in profile.
        w.profileNames[3] = "Gone";
        w.profile4Clicked();
        QCOMPARE(IniStore::readProfileConnect()[3], QStringLiteral("PROFILE 4"));

        // Choosing PROFILE 3 (the factory Arrow Flow set) in slot 2 replays it there.
        w.profile2Clicked();
        f.clear();
        w.profileCombo->setCurrentText("PROFILE 3");
        QCOMPARE(f.device.reports.size(), 5);
        for (const QByteArray &r : f.device.reports)
            QCOMPARE(int(r[2]), 2);
        QCOMPARE(int(quint8(f.device.reports[3][1])), 0x0D);
        QCOMPARE(int(quint8(f.device.reports[4][13])), 4);
        QCOMPARE(IniStore::readProfileConnect()[1], QStringLiteral("PROFILE 3"));
    }

    void choosingAProfileBringsItsOwnMacroKeys()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        assignMacro(w, 42, "Jump", 0x80, 0); // A is a macro key in PROFILE 1
        w.profileCombo->setCurrentText("PROFILE 2");
        QCOMPARE(w.keyTable[42], QStringLiteral("0"));
        assignSingle(w, 0, Qt::Key_Q); // an APPLY on PROFILE 2 ...
        // ... writes PROFILE 2's own tables, not PROFILE 1's macro key.
        QCOMPARE(takeItems(IniStore::readMacroAssignFile("PROFILE 2")[0], 108)[42],
                 QStringLiteral("0"));
        w.profileCombo->setCurrentText("PROFILE 1");
        QCOMPARE(w.keyTable[42], QStringLiteral("1"));
    }

    void factoryReset()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        assignMacro(w, 42, "Jump", 0x80, 0);
        w.shiftCombo->setCurrentIndex(0);
        w.toggleAltInstantShift();
        w.profile3Clicked();
        f.clear();
        QSignalSpy resetDone(&w, &MainWindow::factoryResetFinished);
        w.factoryResetClicked();
        QVERIFY(resetDone.wait());
        QCOMPARE(IniStore::readFlagFile()[2], QStringLiteral("0,0,0,0,0"));
        QCOMPARE(macroKeys(), QString());
        QCOMPARE(gCommandSender->keyMap, DEFAULT_KEY_MAP);
        // Lighting resets (5+5+5+3+8), 25 default reports, then the select of slot 1.
        const int lighting = 5 + 5 + 5 + 3 + 8;
        QCOMPARE(f.device.reports.size(), lighting + 25 + 1);
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(f.device.reports[lighting + 5 * (slot - 1)], selectReport(slot));
            QCOMPARE(f.device.reports[lighting + 5 * (slot - 1) + 2].mid(8),
                     QByteArray(reinterpret_cast<const char *>(DEFAULT_KEY_MAP.data()), 256));
        }
        QCOMPARE(f.device.reports.last(), selectReport(1));
        QCOMPARE(panel(w), QStringLiteral("////")); // nothing selected, nothing stale
        // Each slot's factory lighting is stored with the profile linked to it.
        QCOMPARE(IniStore::readLightCmd("PROFILE 4")[0], QStringLiteral("3"));
        QCOMPARE(IniStore::readLightCmd("PROFILE 1")[0], QStringLiteral("0"));
    }
};

QTEST_MAIN(CustomizeTest)
#include "tst_customize.moc"
