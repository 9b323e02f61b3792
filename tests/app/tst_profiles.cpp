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

namespace
{

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

    void newAndCopyNamesAndLimits()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        QVERIFY(copyDirectory("lightfile/PROFILE 1", "lightfile/PROFILE 7"));
        w.newProfileClicked(); // the first free number, bound to slot 1
        QCOMPARE(w.profileNames[0], QStringLiteral("PROFILE 6"));
        w.profileCombo->setCurrentText("PROFILE 2");
        w.copyProfileClicked();
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 2_01"));
        QCOMPARE(readText("lightfile/PROFILE 2_01/cmd/light_cmd.ini"),
                 readText("lightfile/PROFILE 2/cmd/light_cmd.ini"));
        w.copyProfileClicked();
        QCOMPARE(w.profileCombo->currentText(), QStringLiteral("PROFILE 2_02"));
        // COPY stops at thirteen entries, NEW at fifteen.
        for (int i = 0; i < 4; ++i)
            QVERIFY(QDir().mkpath(QStringLiteral("lightfile/x%1").arg(i)));
        QCOMPARE(countEntries("lightfile"), 13);
        w.copyProfileClicked();
        QCOMPARE(countEntries("lightfile"), 13);
        w.newProfileClicked();
        w.newProfileClicked();
        QCOMPARE(countEntries("lightfile"), 15);
        w.newProfileClicked();
        QCOMPARE(countEntries("lightfile"), 15);
    }

    void renameDeleteExportImportRules()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.profileCombo->setCurrentText("PROFILE 2");
        w.copyProfileClicked(); // PROFILE 2_01, selected and bound to slot 1
        const QStringList before = profileList();
        for (const char *bad : {"a?b", "PROFILE 3", "", "PROFILE 1", "a/b", ".."}) {
            w.profileNameEdit->setText(QString::fromUtf8(bad));
            w.profileNameEntered();
            QCOMPARE(profileList(), before);
        }
        w.profileNameEdit->setText("Game");
        w.profileNameEntered();
        QVERIFY(QFileInfo("lightfile/Game").isDir() &&
                !QFileInfo::exists("lightfile/PROFILE 2_01"));
        QCOMPARE(IniStore::readProfileConnect()[0], QStringLiteral("Game"));
        // Built-in profiles can be neither renamed nor deleted.
        w.profileCombo->setCurrentText("PROFILE 4");
        w.profileNameEdit->setText("Other");
        w.profileNameEntered();
        w.deleteProfileClicked();
        QVERIFY(QFileInfo("lightfile/PROFILE 4").isDir() && !QFileInfo::exists("lightfile/Other"));
        // Deleting the profile bound to a slot gives the slot its built-in profile back.
        w.profile3Clicked();
        w.profileCombo->setCurrentText("Game"); // now bound to slot 3
        w.deleteProfileClicked();
        QVERIFY(!QFileInfo::exists("lightfile/Game"));
        QCOMPARE(IniStore::readProfileConnect()[2], QStringLiteral("PROFILE 3"));

        // Export appends a block each time; import recreates the files.
        const QString target = QDir(f.wd.path()).filePath("out/My.Profile.ini");
        QDir().mkpath("out");
        answerDialogs(target);
        w.profileCombo->setCurrentText("PROFILE 5");
        w.exportProfileClicked();
        const QString once = readText(target);
        QCOMPARE(once, exportText("PROFILE 5"));
        w.exportProfileClicked();
        QCOMPARE(readText(target), once + once);

        const QString current = w.profileCombo->currentText();
        w.importProfileClicked();
        QVERIFY(QFileInfo("lightfile/My").isDir());
        for (int n = 1; n <= 5; ++n)
            QCOMPARE(readText(IniStore::patternPath(n, "My")),
                     readText(IniStore::patternPath(n, "PROFILE 5")));
        QCOMPARE(readText(IniStore::signalPath("My")), readText(IniStore::signalPath("PROFILE 5")));
        QCOMPARE(w.profileCombo->currentText(), current); // the import chooses nothing
        // Importing again changes nothing.
        QVERIFY(writeText(IniStore::patternPath(1, "My"), "[Setting]\nVColor=\"9,9,9\"\n"));
        w.importProfileClicked();
        QCOMPARE(IniStore::readLightFile(0, "My")[3], QStringLiteral("9,9,9"));
    }
};

QTEST_MAIN(ProfilesTest)
#include "tst_profiles.moc"
