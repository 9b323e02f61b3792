// The main window shell and its left profile menu: start-up, closing, the
// language switch, page switching and its gating, the status band, and the
// saved profiles on real directories.

#include "ShellFixture.h"
#include "core/device/KeyboardLink.h"
#include "core/profiles/ProfileStore.h"
#include "core/settings/WebLinks.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/IniStore.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/ResetProgressView.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void startUpClosingAndLanguage()
    {
        ShellFixture f;
        const QStringList lines = readText(f.constructionLog).trimmed().split('\n');
        QCOMPARE(lines, QStringList{lines.value(0)}); // only PROFILE 1 is selected
        QCOMPARE(lines[0].split(' ').value(3), hex(selectReport(1)));
        f.w->show();
        QVERIFY(!f.w->close()); // a close request only hides the window
        QVERIFY(f.w->isHidden());
        // The language switch relabels moved texts from the shipped catalogs.
        f.w->switchLanguage("1");
        QCOMPARE(f.w->tabMacros->text(), QStringLiteral("巨集設定"));
        const ProfileMenu &m = f.menu();
        for (QLabel *l : {m.captionSelectProfile, m.captionProfileName, m.captionShortcut})
            QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(),
                     qPrintable(l->text())); // shown whole
        f.w->switchLanguage("0");
        QCOMPARE(f.panel().captionRepeat->text(), QStringLiteral("REPEAT OPTION"));
        QCOMPARE(IniStore::readLanguage(), QStringLiteral("0"));
    }

    void pageSwitchingAndGating()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        const ConsoleContext &c = f.ctx();
        w.show();
        const QVector<QPair<void (MainWindow::*)(), QWidget *>> steps{
            {&MainWindow::showLightingPage, c.lighting},
            {&MainWindow::showCustomizePage, nullptr},
            {&MainWindow::showMacrosPage, c.macros},
            {&MainWindow::showLightingPage, c.macros}, // MACROS in front: changes nothing
            {&MainWindow::showKeyboardPage, nullptr},
            {&MainWindow::showSettingsPage, c.settings}};
        for (const auto &step : steps) {
            (w.*step.first)();
            for (QWidget *page : QList<QWidget *>{c.lighting, c.macros, c.settings})
                QCOMPARE(page->isVisible(), page == step.second);
            QCOMPARE(w.tabLighting->isVisible(),
                     step.second != c.macros && step.second != c.settings);
        }
        // While a macro is recorded every page, profile and menu button is gated.
        int opened = 0;
        WebLinks::open = [&](const QUrl &) { return ++opened, true; };
        c.macros->startRecording();
        f.clear();
        for (auto action : {&MainWindow::showLightingPage, &MainWindow::showKeyboardPage,
                            &MainWindow::profile3Clicked, &MainWindow::factoryResetClicked,
                            &MainWindow::openProductInformation})
            (w.*action)();
        f.menu().newProfileClicked();
        QVERIFY(c.lighting->isHidden() && c.settings->isVisible());
        QVERIFY(opened == 0 && f.device.reports.isEmpty() && profileList().size() == 5);
        c.macros->stopRecording();
        w.openProductInformation();
        QCOMPARE(opened, 1);
        WebLinks::restoreDefaults();
    }

    void statusAndNoticesFollowTheKeyboardLink()
    {
        ShellFixture f;
        KeyboardLink *link = f.w->keyboardLink();
        link->setPauseFunction(f.pauses.function());
        link->setDiscovery([](std::unique_ptr<HidDevice> &, std::unique_ptr<HidDevice> &) {
            return false; // no keyboard turns up once the virtual one is gone
        });
        link->useVirtualDevice(&f.device);
        f.ctx().sender->setLink(link);
        f.w->profileButtons[1]->click();
        QCOMPARE(f.ctx().bindings.active, 2); // at once, before the keyboard has it
        QTRY_COMPARE(f.w->statusBand->noticeText(), QStringLiteral("Sent to PROFILE 2"));
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(2)});
        QCOMPARE(f.pauses.pauses, QVector<unsigned>{100});
        QCOMPARE(f.w->statusReply(), QByteArray(R"({"keyboard":"virtual","profile":2,)"
                                                R"("profileName":"PROFILE 2","queued":0})"
                                                "\n"));
        // The factory reset's bar closes only when the keyboard has every step.
        f.w->factoryResetClicked();
        QVERIFY(!f.ctx().resetView->isHidden());
        QTRY_VERIFY(f.ctx().resetView->isHidden());
        QCOMPARE(f.device.reports.last(), selectReport(1));

        link->useVirtualDevice(nullptr);
        QTRY_COMPARE(f.w->statusBand->stateText(), QStringLiteral("No keyboard connected"));
        f.w->profileButtons[2]->click();
        QTRY_COMPARE(f.w->statusBand->noticeText(),
                     QStringLiteral("Saved; the keyboard is not connected"));
        QVERIFY(f.w->statusReply().startsWith(R"({"keyboard":"absent","profile":3,)"));
        // A failed save is told, and the keyboard's outcome does not cover it.
        emit f.w->saveFailed("./system/light_color.ini", "No space left on device");
        f.w->profileButtons[3]->click();
        QTest::qWait(50);
        QCOMPARE(f.w->statusBand->noticeText(),
                 QStringLiteral("Not saved: light_color.ini (No space left on device). It keeps "
                                "its earlier content."));
    }

    void newAndCopyNamesAndLimits()
    {
        ShellFixture f;
        ProfileMenu &m = f.menu();
        QVERIFY(copyDirectory("lightfile/PROFILE 1", "lightfile/PROFILE 7"));
        m.newProfileClicked(); // the first free number, bound to slot 1
        QCOMPARE(f.ctx().bindings.names[0], QStringLiteral("PROFILE 6"));
        m.profileCombo->setCurrentText("PROFILE 2");
        m.copyProfileClicked();
        m.copyProfileClicked(); // a copy of the copy, selected in turn
        QCOMPARE(m.profileCombo->currentText(), QStringLiteral("PROFILE 2_02"));
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
        for (const char *bad : {"a?b", "PROFILE 3", "", "a/b", ".."}) {
            m.profileNameEdit->setText(QString::fromUtf8(bad));
            m.profileNameEntered();
            QCOMPARE(profileList(), before);
        }
        m.profileNameEdit->setText("Game");
        m.profileNameEntered();
        QCOMPARE(IniStore::readProfileConnect()[0], QStringLiteral("Game"));
        m.profileCombo->setCurrentText("PROFILE 4"); // built in: kept whole
        m.deleteProfileClicked();
        QCOMPARE(profileList(), QStringList({"Game", "PROFILE 1", "PROFILE 2", "PROFILE 3",
                                             "PROFILE 4", "PROFILE 5"}));
        // Deleting the profile bound to a slot gives the slot its built-in profile back.
        f.w->profile3Clicked();
        m.profileCombo->setCurrentText("Game"); // now bound to slot 3
        m.deleteProfileClicked();
        QCOMPARE(IniStore::readProfileConnect()[2], QStringLiteral("PROFILE 3"));
        QVERIFY(!profileList().contains("Game"));

        // Export appends a block each time; import recreates the files once.
        const QString target = QDir(f.wd.path()).filePath("My.Profile.ini");
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
        FileDialogs::restoreDefaults();
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
