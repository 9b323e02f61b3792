// The CUSTOMIZE panel in the window: assignments, resets, instant shift, the
// profile shown, activation and the factory reset.

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

void select(ShellFixture &f, int cell, int kind) // kind: Default, Macro Key, Single Key
{
    QTest::mousePress(f.w.get(), Qt::LeftButton, {}, centreOf(cell));
    QCOMPARE(f.panel().selectedKey, cell);
    f.panel().keyAssignCombo->setCurrentIndex(kind);
}

// A macro file whose image holds one marker byte at 10.
void assignMacro(ShellFixture &f, int cell, const QString &macro, int marker, int repeat,
                 const QString &count = "1")
{
    CustomizePanel &p = f.panel();
    IniStore::writeIniFile(macro, macro::buildMacroMap({}, reportOf({{10, marker}})));
    select(f, cell, 1);
    p.assignMacroCombo->setCurrentIndex(p.assignMacroCombo->findText(macro));
    p.repeatCombo->setCurrentIndex(repeat);
    p.repeatCountEdit->setText(count);
    p.applyKeyAssignment();
}

void assignSingle(ShellFixture &f, int cell, Qt::Key key)
{
    select(f, cell, 2);
    QTest::keyClick(f.w.get(), key);
    f.panel().applyKeyAssignment();
}

// The panel as shown: assignment / CURRENT / ASSIGN MACRO / REPATE OPTION /
// count, each blank while hidden.
QString shown(const CustomizePanel &p)
{
    auto text = [](const QWidget *w, const QString &t) { return w->isVisible() ? t : QString(); };
    return QStringList{p.keyAssignCombo->currentText(),
                       text(p.currentAssignment, p.currentAssignment->text()),
                       text(p.assignMacroCombo, p.assignMacroCombo->currentText()),
                       text(p.repeatCombo, p.repeatCombo->currentText()),
                       text(p.repeatCountEdit, p.repeatCountEdit->text())}
        .join('/');
}

QString macroKeys(const char *profile = "PROFILE 1")
{
    return IniStore::readMacroCmdNumber(profile);
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
        assignMacro(f, 42, "Jump", 0x80, 1, "7"); // A, Multiple Times 7
        QCOMPARE(macroKeys(), QStringLiteral("40"));
        const Report stored = macro::parseCommandString(IniStore::readMacroCmdFile("PROFILE 1")[0]);
        QCOMPARE(stored, reportOf({{0, 7}, {1, 5}, {2, 1}, {3, 40}, {4, 1}, {9, 7}, {10, 0x80}}));
        // select, key map, the macro, the closing zeros, 300 ms apart
        QCOMPARE(f.device.reports.size(), 4);
        QCOMPARE(f.device.reports.value(2), toBytes(stored));
        QCOMPARE(f.pauses.pauses, QVector<unsigned>(4, 300));
        QCOMPARE(takeItems(IniStore::readMacroAssignFile("PROFILE 1")[0], 108)[42], QString("1"));

        // Re-assigning keeps the entry; a second key adds one.
        assignMacro(f, 43, "Dash", 0x81, 3);
        assignMacro(f, 42, "Dash", 0x81, 2);
        QCOMPARE(macroKeys(), QStringLiteral("40,48"));
        QCOMPARE(IniStore::readMacroCmdFile("PROFILE 1")[0].section(',', 8, 10),
                 QStringLiteral("255,255,129"));

        // Back to Default: the entry goes, the rest renumber, the code returns.
        f.clear();
        select(f, 42, 0);
        f.panel().applyKeyAssignment();
        QCOMPARE(macroKeys(), QStringLiteral("48"));
        QCOMPARE(int(f.ctx().sender->keyMap[40]), 0x04);
        QCOMPARE(f.device.reports.size(), 3); // select, key map, select
    }

    void singleKeyAndTheResets()
    {
        ShellFixture f;
        f.w->show();
        CustomizePanel &p = f.panel();
        const auto &keyMap = f.ctx().sender->keyMap;
        assignMacro(f, 42, "Jump", 0x80, 0);
        assignSingle(f, 103, Qt::Key_F5); // keypad "."
        QCOMPARE(int(keyMap[107]), 0x3E);

        // SINGLE RESET leaves the macro key; it clears the last key too.
        f.clear();
        p.resetSingleAssignments();
        QCOMPARE(p.keyTable[103] + p.keyTable[42], QStringLiteral("01"));
        QCOMPARE(int(keyMap[107]), 0x63);
        QCOMPARE(f.device.reports.size(), 4); // with the one stored macro

        // MACRO RESET leaves single keys.
        assignSingle(f, 0, Qt::Key_Q);
        f.clear();
        p.resetMacroAssignments();
        QCOMPARE(p.keyTable[0] + p.keyTable[42], QStringLiteral("20"));
        QCOMPARE(macroKeys(), QString());
        QCOMPARE(int(keyMap[40]), 0x04);
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
        f.w->show();
        select(f, 42, 2);
        QTest::keyClick(f.w.get(), Qt::Key_B);
        QCOMPARE(f.panel().newKeyEdit->text(), QStringLiteral("b"));
        QWidget *target = f.w.get();
        if (inProfileName) {
            target = f.menu().profileNameEdit;
            target->setFocus();
        }
        QTest::keyClick(target, Qt::Key(key));
        QCOMPARE(f.panel().newKeyEdit->text(), pending);
        QCOMPARE(int(f.panel().capturedUsage), pending == "b" ? 0x05 : 0x2B);
    }

    // The panel shows what the selected key does in the profile shown, after every
    // change of profile; an APPLY writes the shown profile's own tables.
    void panelFollowsTheProfileShown()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        QComboBox *list = f.menu().profileCombo;
        w.show();
        assignMacro(f, 43, "Jump", 0x80, 2);      // S: When Perss & Hold
        assignMacro(f, 44, "Jump", 0x80, 1, "7"); // D: Multiple Times 7
        assignSingle(f, 42, Qt::Key_B);           // A sends b
        const QVector<QPair<std::function<void()>, QString>> steps{
            {[&] { w.profile2Clicked(); }, "Default////"},
            {[&] { w.profile1Clicked(); }, "Single Key/b///"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(43)); },
             "Macro Key//Jump/When Perss & Hold/"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(44)); },
             "Macro Key//Jump/Multiple Times/7"},
            {[&] { list->setCurrentText("PROFILE 3"); }, "Default////"},
            {[&] { assignSingle(f, 0, Qt::Key_Q); }, "Single Key/q///"},
            {[&] { list->setCurrentText("PROFILE 1"); }, "Default////"},
            {[&] { QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(44)); },
             "Macro Key//Jump/Multiple Times/7"},
        };
        for (const auto &step : steps) {
            step.first();
            QCOMPARE(shown(f.panel()), step.second);
        }
        QCOMPARE(takeItems(IniStore::readMacroAssignFile("PROFILE 3")[0], 108).mid(42, 3),
                 QStringList({"0", "0", "0"}));
    }

    void instantShift()
    {
        ShellFixture f;
        f.w->show();
        CustomizePanel &p = f.panel();
        const auto &keyMap = f.ctx().sender->keyMap;
        p.shiftCombo->setCurrentIndex(p.shiftCombo->findText("PROFILE 3"));
        f.clear();
        p.toggleShiftInstantShift();
        QCOMPARE(int(keyMap[121]), 187);
        QCOMPARE(IniStore::readFlagFile()[0], QStringLiteral("3,0,0,0,0"));
        QCOMPARE(int(quint8(f.device.reports.value(1)[8 + 121])), 187);

        // CTRL while SHIFT is on only writes the flags again.
        f.clear();
        QFile::remove("system/iss_flag.ini");
        p.toggleCtrlInstantShift();
        QVERIFY(f.device.reports.isEmpty() && QFileInfo::exists("system/iss_flag.ini"));

        // Bound elsewhere: disabled for another target.
        p.shiftCombo->setCurrentIndex(p.shiftCombo->findText("PROFILE 2"));
        QVERIFY(!p.shiftEnabled[0]);
        p.toggleShiftInstantShift();
        QCOMPARE(int(keyMap[121]), 187);

        // Off again restores the modifier.
        p.shiftCombo->setCurrentIndex(p.shiftCombo->findText("PROFILE 3"));
        p.toggleShiftInstantShift();
        QCOMPARE(int(keyMap[121]), 225);
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
        f.ctx().bindings.names[3] = "Gone";
        w.profile4Clicked();
        QCOMPARE(IniStore::readProfileConnect()[3], QStringLiteral("PROFILE 4"));

        // Choosing PROFILE 3 (the factory Arrow Flow set) in slot 2 replays it there.
        w.profile2Clicked();
        f.clear();
        f.menu().profileCombo->setCurrentText("PROFILE 3");
        QCOMPARE(f.device.reports.size(), 5);
        for (const QByteArray &r : f.device.reports)
            QCOMPARE(int(r[2]), 2);
        QCOMPARE(int(quint8(f.device.reports[3][1])), 0x0D);
        QCOMPARE(int(quint8(f.device.reports[4][13])), 4);
        QCOMPARE(IniStore::readProfileConnect()[1], QStringLiteral("PROFILE 3"));
    }

    void factoryReset()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        assignMacro(f, 42, "Jump", 0x80, 0);
        f.panel().shiftCombo->setCurrentIndex(0);
        f.panel().toggleAltInstantShift();
        w.profile3Clicked();
        f.clear();
        w.factoryResetClicked();
        QCOMPARE(IniStore::readFlagFile()[2], QStringLiteral("0,0,0,0,0"));
        QCOMPARE(macroKeys(), QString());
        QCOMPARE(f.ctx().sender->keyMap, DEFAULT_KEY_MAP);
        // Lighting resets (5+5+5+3+8), 25 default reports, then the select of slot 1.
        const int lighting = 5 + 5 + 5 + 3 + 8;
        QCOMPARE(f.device.reports.size(), lighting + 25 + 1);
        for (int slot = 1; slot <= 5; ++slot) {
            QCOMPARE(f.device.reports[lighting + 5 * (slot - 1)], selectReport(slot));
            QCOMPARE(f.device.reports[lighting + 5 * (slot - 1) + 2].mid(8),
                     QByteArray(reinterpret_cast<const char *>(DEFAULT_KEY_MAP.data()), 256));
        }
        QCOMPARE(f.device.reports.last(), selectReport(1));
        QCOMPARE(shown(f.panel()), QStringLiteral("////")); // nothing selected, nothing stale
        // Each slot's factory lighting is stored with the profile linked to it.
        QCOMPARE(IniStore::readLightCmd("PROFILE 4")[0], QStringLiteral("3"));
        QCOMPARE(IniStore::readLightCmd("PROFILE 1")[0], QStringLiteral("0"));
    }
};

QTEST_MAIN(CustomizeTest)
#include "tst_customize.moc"
