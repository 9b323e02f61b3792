// The CUSTOMIZE page end to end inside the window: assignments, their files
// and reports, the bulk resets, and the instant-shift buttons.

#include "ShellFixture.h"
#include "app/KeyTable.h"
#include "app/reset_view.h"
#include "device/DefaultKeyMap.h"
#include "keyassign/KeyAssignment.h"
#include "macro/MacroFile.h"
#include "macro/micro_view.h"
#include "storage/StoredList.h"
#include "storage/readini.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

void select(LumoProject &w, int cell)
{
    QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(cell));
    QCOMPARE(w.selectedKey, cell);
}

void writeMacro(const QString &name, int marker)
{
    IniGroupMap m;
    QStringList bytes;
    for (int i = 0; i < 264; ++i)
        bytes << QString::number(i == 10 ? marker : 0);
    m["macro"]["macro_cmd_str"] = bytes.join(',');
    m["macro"]["macro_key_count"] = "0";
    readini::writeini_file(name, m);
}

void assignMacro(LumoProject &w, int cell, const QString &macro, int repeat, const QString &count = "1")
{
    select(w, cell);
    w.keyAssignCombo->setCurrentIndex(1);
    w.assignMacroCombo->setCurrentIndex(w.assignMacroCombo->findText(macro));
    QVERIFY(w.customizeApplyEnabled);
    w.repeatCombo->setCurrentIndex(repeat);
    w.repeatCountEdit->setText(count);
    w.custumize_apply_function();
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
        writeMacro("Jump", 0x80);
        f.clear();
        assignMacro(*f.w, 42, "Jump", 1, "7"); // A, Multiple Times 7
        const QString p = "PROFILE 1";
        QCOMPARE(readini::read_macro_count_ini_cmd_file(p), 1);
        QCOMPARE(readini::read_macro_number_ini_cmd_file(p), QStringLiteral("40"));
        const Report stored = macro::parseCommandString(readini::read_macro_ini_cmd_file(p)[0]);
        QCOMPARE(int(stored[1]), 5);
        QCOMPARE(int(stored[2]), 1);
        QCOMPARE(int(stored[3]), 40);
        QCOMPARE(int(stored[8]), 0);
        QCOMPARE(int(stored[9]), 7);
        QCOMPARE(int(stored[10]), 0x80);
        QCOMPARE(int(gCommandSender->keyMap[40]), 0xB4);
        // select, key map, the macro, the closing zeros, 300 ms apart
        QCOMPARE(f.device.reports.size(), 4);
        QCOMPARE(f.device.reports[2], toBytes(stored));
        QCOMPARE(f.pauses.pauses, QVector<unsigned>(4, 300));
        QCOMPARE(f.w->keyTable[42], QStringLiteral("1"));
        QCOMPARE(f.w->keyTable[108 + 42], QStringLiteral("Jump"));
        QCOMPARE(f.w->keyTable[216 + 42], QStringLiteral("7"));
        QCOMPARE(takeItems(readini::readini_macro_system_file(p)[0], 108)[42], QStringLiteral("1"));
        QCOMPARE(takeNumbers(readini::readini_ini_file(p)[0], 256)[40], 0xB4);

        // Re-assigning keeps the entry; a second key adds one.
        writeMacro("Dash", 0x81);
        assignMacro(*f.w, 43, "Dash", 3);
        assignMacro(*f.w, 42, "Dash", 2);
        QCOMPARE(readini::read_macro_count_ini_cmd_file(p), 2);
        QCOMPARE(readini::read_macro_number_ini_cmd_file(p), QStringLiteral("40,48"));
        const Report again = macro::parseCommandString(readini::read_macro_ini_cmd_file(p)[0]);
        QCOMPARE(int(again[8]), 0xFF);
        QCOMPARE(int(again[9]), 0xFF);
        QCOMPARE(int(again[10]), 0x81);

        // Back to Default: the entry goes, the rest renumber, the code returns.
        f.clear();
        select(*f.w, 42);
        f.w->keyAssignCombo->setCurrentIndex(0);
        f.w->custumize_apply_function();
        QCOMPARE(readini::read_macro_count_ini_cmd_file(p), 1);
        QCOMPARE(readini::read_macro_number_ini_cmd_file(p), QStringLiteral("48"));
        QCOMPARE(int(gCommandSender->keyMap[40]), 0x04);
        QCOMPARE(f.device.reports.size(), 3); // select, key map, select
        QCOMPARE(f.w->keyTable[42], QStringLiteral("0"));
    }

    void singleKeyAndTheResets()
    {
        ShellFixture f;
        f.w->show();
        writeMacro("Jump", 0x80);
        assignMacro(*f.w, 42, "Jump", 0);
        select(*f.w, 103); // keypad "."
        f.w->keyAssignCombo->setCurrentIndex(2);
        QTest::keyClick(f.w.get(), Qt::Key_F5);
        f.w->custumize_apply_function();
        QCOMPARE(int(gCommandSender->keyMap[107]), 0x3E);
        QCOMPARE(f.w->keyTable[103], QStringLiteral("2"));
        QCOMPARE(f.w->currentAssignment->text(), QStringLiteral("F5"));
        QVERIFY(f.w->newKeyEdit->text().isEmpty());

        // SINGLE RESET leaves the macro key; it clears the last key too.
        f.clear();
        f.w->signle_allreset_function();
        QCOMPARE(f.w->keyTable[103], QStringLiteral("0"));
        QCOMPARE(int(gCommandSender->keyMap[107]), 0x63);
        QCOMPARE(f.w->keyTable[42], QStringLiteral("1"));
        QCOMPARE(f.device.reports.size(), 4); // with the one stored macro

        // MACRO RESET leaves single keys.
        select(*f.w, 0);
        f.w->keyAssignCombo->setCurrentIndex(2);
        QTest::keyClick(f.w.get(), Qt::Key_Q);
        f.w->custumize_apply_function();
        f.clear();
        f.w->tkey_allreset_function();
        QCOMPARE(f.w->keyTable[42], QStringLiteral("0"));
        QCOMPARE(f.w->keyTable[0], QStringLiteral("2"));
        QCOMPARE(readini::read_macro_count_ini_cmd_file("PROFILE 1"), 0);
        QCOMPARE(int(gCommandSender->keyMap[40]), 0x04);
        QCOMPARE(f.device.reports.size(), 3); // key map without macros
    }

    void macroKeyTurnedSingleDropsItsEntry()
    {
        ShellFixture f;
        f.w->show();
        writeMacro("Jump", 0x80);
        assignMacro(*f.w, 42, "Jump", 0);
        select(*f.w, 42);
        f.w->keyAssignCombo->setCurrentIndex(2);
        QTest::keyClick(f.w.get(), Qt::Key_B);
        f.w->custumize_apply_function();
        QCOMPARE(readini::read_macro_count_ini_cmd_file("PROFILE 1"), 0);
        QCOMPARE(int(gCommandSender->keyMap[40]), 0x05);
    }

    void instantShift()
    {
        ShellFixture f;
        f.w->show();
        LumoProject &w = *f.w;
        QCOMPARE(w.issCombo->count(), 4);
        QCOMPARE(w.issCombo->itemText(0), QStringLiteral("PROFILE 2"));
        w.issCombo->setCurrentIndex(w.issCombo->findText("PROFILE 3"));
        f.clear();
        w.iss_shift_function();
        QCOMPARE(int(gCommandSender->keyMap[121]), 187);
        QCOMPARE(readini::readini_ini_file()[0], QStringLiteral("3,0,0,0,0"));
        QCOMPARE(f.device.reports.size(), 3);
        QCOMPARE(int(quint8(f.device.reports[1][8 + 121])), 187);
        QCOMPARE(takeNumbers(readini::readini_ini_file("PROFILE 1")[0], 256)[121], 187);
        QVERIFY(w.issOn[0]);

        // CTRL while SHIFT is on only writes the flags again.
        f.clear();
        QFile::remove("system/iss_flag.ini");
        w.iss_ctrl_function();
        QVERIFY(f.device.reports.isEmpty());
        QVERIFY(QFileInfo::exists("system/iss_flag.ini"));
        QVERIFY(!w.issOn[1]);

        // Bound elsewhere: disabled for another target.
        w.issCombo->setCurrentIndex(w.issCombo->findText("PROFILE 2"));
        QVERIFY(!w.issEnabled[0]);
        w.iss_shift_function();
        QCOMPARE(int(gCommandSender->keyMap[121]), 187);

        // Off again restores the modifier.
        w.issCombo->setCurrentIndex(w.issCombo->findText("PROFILE 3"));
        w.iss_shift_function();
        QCOMPARE(int(gCommandSender->keyMap[121]), 225);
        QCOMPARE(readini::readini_ini_file()[0], QStringLiteral("0,0,0,0,0"));

        // Gated while recording.
        gMacroView->macro_r_record_function();
        f.clear();
        w.iss_alt_function();
        QVERIFY(f.device.reports.isEmpty());
        gMacroView->macro_r_stop_function();
    }

    void profileSwitchAndRepair()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        const QString before = readText("system/profile_connect.ini");
        const QDateTime stamp = QFileInfo("system/profile_connect.ini").lastModified();
        f.clear();
        w.main_set_profile3();
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(3)});
        QCOMPARE(readText("system/profile_connect.ini"), before);
        QCOMPARE(QFileInfo("system/profile_connect.ini").lastModified(), stamp);
        QCOMPARE(w.profileButtons[2]->styleSheet(), w.styleTabOn);
        QCOMPARE(w.issCombo->findText("PROFILE 3"), -1);

        // A linked folder that is gone falls back to the slot's built-in profile.
        QVERIFY(QDir().mkpath("lightfile/Gone"));
        w.profileNames[3] = "Gone";
        QDir("lightfile/Gone").removeRecursively();
        w.main_set_profile4();
        QCOMPARE(w.profileNames[3], QStringLiteral("PROFILE 4"));
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 4"));
        QCOMPARE(readini::readini_profile_connect()[3], QStringLiteral("PROFILE 4"));
    }

    void choosingASavedProfileReplaysItsLighting()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        w.main_set_profile2();
        f.clear();
        // PROFILE 3 holds the factory Arrow Flow set (type 2).
        w.profileCombo->setCurrentText("PROFILE 3");
        QCOMPARE(f.device.reports.size(), 5);
        for (const QByteArray &r : f.device.reports)
            QCOMPARE(int(r[2]), 2);
        QCOMPARE(int(quint8(f.device.reports[3][1])), 0x0D);
        QCOMPARE(int(quint8(f.device.reports[4][13])), 4);
        QCOMPARE(readini::readini_profile_connect()[1], QStringLiteral("PROFILE 3"));
        QCOMPARE(w.profileNames[1], QStringLiteral("PROFILE 3"));
    }

    void factoryReset()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        writeMacro("Jump", 0x80);
        w.show();
        assignMacro(w, 42, "Jump", 0);
        w.issCombo->setCurrentIndex(0);
        w.iss_alt_function();
        w.main_set_profile3();
        f.clear();
        w.rmain_re_btn_fanction();
        QCOMPARE(w.currentProfile, 1);
        QCOMPARE(w.profileButtons[0]->styleSheet(), w.styleTabOn);
        for (QLabel *cell : w.keyCells)
            QVERIFY(cell->styleSheet() == "background-color:black" ||
                    cell->styleSheet() == "background-color:rgb(0,0,0);");
        QCOMPARE(readini::readini_ini_file()[2], QStringLiteral("0,0,0,0,0"));
        QCOMPARE(readini::read_macro_count_ini_cmd_file("PROFILE 1"), 0);
        QCOMPARE(gCommandSender->keyMap, DEFAULT_KEY_MAP);
        // Lighting resets (5+5+5+3+8), 25 default reports, then the select of slot 1.
        const int lighting = 5 + 5 + 5 + 3 + 8;
        QCOMPARE(f.device.reports.size(), lighting + 25 + 1);
        for (int slot = 1; slot <= 5; ++slot) {
            const QByteArray &first = f.device.reports[lighting + 5 * (slot - 1)];
            QCOMPARE(first, selectReport(slot));
            QCOMPARE(f.device.reports[lighting + 5 * (slot - 1) + 2].mid(8),
                     QByteArray(reinterpret_cast<const char *>(DEFAULT_KEY_MAP.data()), 256));
        }
        QCOMPARE(f.device.reports.last(), selectReport(1));
        QVERIFY(gResetView->isHidden());
        // Each slot's factory lighting is stored with the profile linked to it.
        QCOMPARE(readini::readini_profile_light_cmd("PROFILE 4")[0], QStringLiteral("3"));
        QCOMPARE(readini::readini_profile_light_cmd("PROFILE 1")[0], QStringLiteral("0"));
    }
};

QTEST_MAIN(CustomizeTest)
#include "tst_customize.moc"
