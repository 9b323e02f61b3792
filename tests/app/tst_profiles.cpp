// The left menu's saved profiles on real directories.

#include "ShellFixture.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/IniStore.h"
#include "ui/shell/FileDialogs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ProfilesTest : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { FileDialogs::restoreDefaults(); }

    void newAndCopyNamesAndLimits()
    {
        ShellFixture f;
        ProfileMenu &m = f.menu();
        QVERIFY(copyDirectory("lightfile/PROFILE 1", "lightfile/PROFILE 7"));
        m.newProfileClicked(); // the first free number, bound to slot 1
        QCOMPARE(f.ctx().bindings.names[0], QStringLiteral("PROFILE 6"));
        m.profileCombo->setCurrentText("PROFILE 2");
        m.copyProfileClicked();
        m.copyProfileClicked();
        QCOMPARE(m.profileCombo->currentText(), QStringLiteral("PROFILE 2_02"));
        QCOMPARE(readText("lightfile/PROFILE 2_02/cmd/light_cmd.ini"),
                 readText("lightfile/PROFILE 2/cmd/light_cmd.ini"));
        // COPY stops at thirteen entries, NEW at fifteen.
        for (int i = 0; i < 4; ++i)
            QVERIFY(QDir().mkpath(QStringLiteral("lightfile/x%1").arg(i)));
        m.copyProfileClicked();
        QCOMPARE(countEntries("lightfile"), 13);
        for (int i = 0; i < 3; ++i)
            m.newProfileClicked();
        QCOMPARE(countEntries("lightfile"), 15);
    }

    void renameDeleteExportImportRules()
    {
        ShellFixture f;
        ProfileMenu &m = f.menu();
        m.profileCombo->setCurrentText("PROFILE 2");
        m.copyProfileClicked(); // PROFILE 2_01, selected and bound to slot 1
        const QStringList before = profileList();
        for (const char *bad : {"a?b", "PROFILE 3", "", "PROFILE 1", "a/b", ".."}) {
            m.profileNameEdit->setText(QString::fromUtf8(bad));
            m.profileNameEntered();
            QCOMPARE(profileList(), before);
        }
        m.profileNameEdit->setText("Game");
        m.profileNameEntered();
        QVERIFY(QFileInfo("lightfile/Game").isDir() &&
                !QFileInfo::exists("lightfile/PROFILE 2_01"));
        QCOMPARE(IniStore::readProfileConnect()[0], QStringLiteral("Game"));
        // Built-in profiles can be neither renamed nor deleted.
        m.profileCombo->setCurrentText("PROFILE 4");
        m.profileNameEdit->setText("Other");
        m.profileNameEntered();
        m.deleteProfileClicked();
        QVERIFY(QFileInfo("lightfile/PROFILE 4").isDir() && !QFileInfo::exists("lightfile/Other"));
        // Deleting the profile bound to a slot gives the slot its built-in profile back.
        f.w->profile3Clicked();
        m.profileCombo->setCurrentText("Game"); // now bound to slot 3
        m.deleteProfileClicked();
        QVERIFY(!QFileInfo::exists("lightfile/Game"));
        QCOMPARE(IniStore::readProfileConnect()[2], QStringLiteral("PROFILE 3"));

        // Export appends a block each time; import recreates the files once.
        const QString target = QDir(f.wd.path()).filePath("out/My.Profile.ini");
        QDir().mkpath("out");
        FileDialogs::saveFileName = [target](QWidget *, const QString &, const QString &,
                                             const QString &) { return target; };
        FileDialogs::openFileName = FileDialogs::saveFileName;
        m.profileCombo->setCurrentText("PROFILE 5");
        m.exportProfileClicked();
        m.exportProfileClicked();
        QCOMPARE(readText(target), exportText("PROFILE 5").repeated(2));

        m.importProfileClicked();
        QCOMPARE(readText(IniStore::signalPath("My")), readText(IniStore::signalPath("PROFILE 5")));
        QCOMPARE(m.profileCombo->currentText(), QStringLiteral("PROFILE 5")); // chooses nothing
        QVERIFY(writeText(IniStore::patternPath(1, "My"), "[Setting]\nVColor=\"9,9,9\"\n"));
        m.importProfileClicked();
        QCOMPARE(IniStore::readLightFile(0, "My")[3], QStringLiteral("9,9,9"));
    }
};

QTEST_MAIN(ProfilesTest)
#include "tst_profiles.moc"
