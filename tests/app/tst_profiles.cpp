// The left menu's saved profiles on real directories.

#include "ShellFixture.h"
#include "app/FileDialogs.h"
#include "lighting/keyboard_light_view.h"
#include "macro/micro_view.h"
#include "storage/DirectoryOps.h"
#include "storage/ProfileStore.h"
#include "storage/readini.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

QStringList profiles()
{
    return profileList();
}

void answerDialogs(const QString &path)
{
    FileDialogs::saveFileName = [path](QWidget *, const QString &, const QString &,
                                       const QString &) { return path; };
    FileDialogs::openFileName = FileDialogs::saveFileName;
}

} // namespace

class ProfilesTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileDialogs::restoreDefaults(); }

    void newCopiesProfileOneUntilFifteen()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        QVERIFY(copyDirectory("lightfile/PROFILE 1", "lightfile/PROFILE 6"));
        QVERIFY(copyDirectory("lightfile/PROFILE 1", "lightfile/PROFILE 7"));
        w.leftmenu_select_btn_new_function();
        QVERIFY(QFileInfo("lightfile/PROFILE 8/singal/signal.ini").isFile());
        QCOMPARE(readText("lightfile/PROFILE 8/light/pattern1.ini"),
                 readText("lightfile/PROFILE 1/light/pattern1.ini"));
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 8"));
        QCOMPARE(w.profileNames[0], QStringLiteral("PROFILE 8"));
        for (int i = 0; i < 6; ++i)
            QVERIFY(QDir().mkpath(QStringLiteral("lightfile/extra%1").arg(i)));
        QCOMPARE(countEntries("lightfile"), 14);
        w.leftmenu_select_btn_new_function();
        QCOMPARE(countEntries("lightfile"), 15);
        w.leftmenu_select_btn_new_function();
        QCOMPARE(countEntries("lightfile"), 15);
    }

    void copyStopsAtThirteenWhileNewStillWorks()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        for (int i = 0; i < 8; ++i)
            QVERIFY(QDir().mkpath(QStringLiteral("lightfile/x%1").arg(i)));
        QCOMPARE(countEntries("lightfile"), 13);
        w.profileCombo->setCurrentText("PROFILE 2");
        w.leftmenu_select_btn_copy_function();
        QCOMPARE(countEntries("lightfile"), 13);
        w.leftmenu_select_btn_new_function();
        QCOMPARE(countEntries("lightfile"), 14);
    }

    void copyNamesAndSelection()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        w.profileCombo->setCurrentText("PROFILE 2");
        w.leftmenu_select_btn_copy_function();
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 2_01"));
        QCOMPARE(readText("lightfile/PROFILE 2_01/cmd/light_cmd.ini"),
                 readText("lightfile/PROFILE 2/cmd/light_cmd.ini"));
        w.leftmenu_select_btn_copy_function();
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 2_02"));
        QVERIFY(!QFileInfo::exists(".staging/PROFILE 2_02"));
    }

    void renameRules()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        w.profileCombo->setCurrentText("PROFILE 2");
        w.leftmenu_select_btn_copy_function(); // PROFILE 2_01, selected and bound to slot 1
        const QStringList before = profiles();
        for (const char *bad : {"a?b", "PROFILE 3", "", "PROFILE 1", "a/b", ".."}) {
            w.profileNameEdit->setText(QString::fromUtf8(bad));
            w.leftmenu_profile_name_function();
            QCOMPARE(profiles(), before);
        }
        w.profileNameEdit->setText("Game");
        w.leftmenu_profile_name_function();
        QVERIFY(QFileInfo("lightfile/Game").isDir());
        QVERIFY(!QFileInfo::exists("lightfile/PROFILE 2_01"));
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("Game"));
        QCOMPARE(readini::readini_profile_connect()[0], QStringLiteral("Game"));
        // An existing name, and renaming a built-in profile, are refused.
        w.profileNameEdit->setText("PROFILE 2");
        w.leftmenu_profile_name_function();
        QVERIFY(QFileInfo("lightfile/Game").isDir());
        w.profileCombo->setCurrentText("PROFILE 1");
        w.profileNameEdit->setText("Other");
        w.leftmenu_profile_name_function();
        QVERIFY(!QFileInfo::exists("lightfile/Other"));
    }

    void deleteRules()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        w.profileCombo->setCurrentText("PROFILE 4");
        w.leftmenu_select_btn_dle_function();
        QVERIFY(QFileInfo("lightfile/PROFILE 4").isDir());
        w.main_set_profile3();
        w.profileCombo->setCurrentText("PROFILE 2");
        w.leftmenu_select_btn_copy_function(); // PROFILE 2_01 bound to slot 3
        QCOMPARE(w.profileNames[2], QStringLiteral("PROFILE 2_01"));
        w.leftmenu_select_btn_dle_function();
        QVERIFY(!QFileInfo::exists("lightfile/PROFILE 2_01"));
        QCOMPARE(w.profileNames[2], QStringLiteral("PROFILE 3"));
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 3"));
        QCOMPARE(readini::readini_profile_connect()[2], QStringLiteral("PROFILE 3"));
    }

    void exportAppendsAndImportRecreates()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        const QString target = QDir(f.wd.path()).filePath("out/My.Profile.ini");
        QDir().mkpath("out");
        answerDialogs(target);
        w.profileCombo->setCurrentText("PROFILE 5");
        w.leftmenu_select_btn_up_fanction();
        const QString once = readText(target);
        QCOMPARE(once, exportText("PROFILE 5"));
        QCOMPARE(once.count('\n'), 2 + 6 * 5 + 4);
        w.leftmenu_select_btn_up_fanction();
        QCOMPARE(readText(target), once + once);

        const QString current = w.profileCombo->currentText();
        w.leftmenu_select_btn_load_fanction();
        QVERIFY(QFileInfo("lightfile/My").isDir());
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(readText(readini::patternPath(n, "My")), readText(readini::patternPath(n, "PROFILE 5")));
        QCOMPARE(readText(readini::signalPath("My")), readText(readini::signalPath("PROFILE 5")));
        QVERIFY(profiles().contains("My"));
        QCOMPARE(w.profileCombo->currentText(), current); // the import chooses nothing
        // Importing again changes nothing.
        QVERIFY(writeText(readini::patternPath(1, "My"), "[Setting]\nVColor=\"9,9,9\"\n"));
        w.leftmenu_select_btn_load_fanction();
        QCOMPARE(readini::readini_light_pattern_file(0, "My")[3], QStringLiteral("9,9,9"));
        // A refused dialog does nothing.
        answerDialogs(QString());
        w.leftmenu_select_btn_up_fanction();
        QCOMPARE(readText(target), once + once);
    }

    void importNameCannotLeaveTheProfiles()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        QVERIFY(writeText("evil/...ini", "[Setting]\npattern=\"1\"\n"));
        answerDialogs(QDir(f.wd.path()).filePath("evil/...ini"));
        const QStringList before = profiles();
        w.leftmenu_select_btn_load_fanction();
        QCOMPARE(profiles(), before);
    }

    void gatedWhileRecordingButTheListStillWorks()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        gMacroView->macro_r_record_function();
        const QStringList before = profiles();
        w.leftmenu_select_btn_new_function();
        w.profileCombo->setCurrentText("PROFILE 2");
        w.leftmenu_select_btn_copy_function();
        QCOMPARE(profiles(), before);
        QCOMPARE(w.profileNames[0], QStringLiteral("PROFILE 2"));
        gMacroView->macro_r_stop_function();
    }
};

QTEST_MAIN(ProfilesTest)
#include "tst_profiles.moc"
