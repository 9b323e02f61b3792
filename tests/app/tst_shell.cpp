// The main window shell: start-up, closing, the tray, page switching and its
// gating, the language switch, key cells and the status band.

#include "ShellFixture.h"
#include "core/device/KeyboardLink.h"
#include "core/profiles/ProfileStore.h"
#include "core/settings/WebLinks.h"
#include "core/storage/IniStore.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/shell/KeyPopup.h"
#include "ui/shell/ResetProgressView.h"
#include "ui/shell/WindowScale.h"

#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void constructionSendsOnlyProfileOne()
    {
        ShellFixture f;
        const QStringList lines = readText(f.constructionLog).trimmed().split('\n');
        QCOMPARE(lines, QStringList{lines.value(0)});
        QCOMPARE(lines[0].split(' ').value(3), hex(selectReport(1)));
        f.w->show();
        QVERIFY(!f.w->close()); // a close request only hides the window
        QVERIFY(f.w->isHidden());
        QCOMPARE(fitScaleFactor({1366, 768}, {1200, 800}), 0.95); // a smaller screen
    }

    // The tray's profiles do what the PROFILE buttons do; its check mark
    // follows the console, and it brings the hidden window back.
    void trayIcon()
    {
        ShellFixture f;
        ConsoleTray *tray = f.w->createTray();
        auto action = [tray](const QString &text) {
            const QList<QAction *> all = tray->menu()->actions();
            auto it =
                std::find_if(all.begin(), all.end(), [&](QAction *a) { return a->text() == text; });
            return it == all.end() ? nullptr : *it;
        };
        f.clear();
        action("PROFILE 3")->trigger();
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(3)});
        QCOMPARE(f.w->profileButtons[2]->styleSheet(), f.w->styles.tabOn);
        f.w->profile5Clicked();
        QVERIFY(action("PROFILE 5")->isChecked() && !action("PROFILE 3")->isChecked());
        f.w->close(); // the window manager's close
        action("Show window")->trigger();
        QVERIFY(f.w->isVisible());
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
            {&MainWindow::showSettingsPage, c.settings},
            {&MainWindow::showKeyboardPage, nullptr}};
        for (const auto &step : steps) {
            (w.*step.first)();
            for (QWidget *page : QList<QWidget *>{c.lighting, c.macros, c.settings})
                QCOMPARE(page->isVisible(), page == step.second);
            QCOMPARE(w.tabLighting->isVisible(),
                     step.second != c.macros && step.second != c.settings);
        }
        QCOMPARE(c.lighting->geometry(), QRect(230, 140, 960, 620));

        // While a macro is recorded every page, profile and menu button is gated.
        int opened = 0;
        WebLinks::open = [&](const QUrl &) { return ++opened, true; };
        c.macros->startRecording();
        f.clear();
        for (auto action : {&MainWindow::showLightingPage, &MainWindow::showMacrosPage,
                            &MainWindow::showSettingsPage, &MainWindow::profile3Clicked,
                            &MainWindow::factoryResetClicked, &MainWindow::openProductInformation,
                            &MainWindow::openCustomerService})
            (w.*action)();
        f.menu().newProfileClicked();
        QVERIFY(c.lighting->isHidden() && c.macros->isHidden() && c.settings->isHidden());
        QCOMPARE(opened, 0);
        QVERIFY(f.device.reports.isEmpty());
        QCOMPARE(profileList().size(), 5);
        c.macros->stopRecording();
        w.openProductInformation();
        QCOMPARE(opened, 1);
        WebLinks::restoreDefaults();
    }

    // The language switch relabels the shell, rebuilds the pages and keeps every
    // tab's look; the left menu's captions are shown whole in every language.
    void languageSwitch()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        w.profile3Clicked();
        QList<QPushButton *> tabs{w.tabKeyboard, w.tabMacros, w.tabCustomize, w.tabLighting};
        for (QPushButton *b : w.profileButtons)
            tabs << b;
        const auto looks = [&] {
            QString out;
            for (QPushButton *b : tabs)
                out += b->styleSheet() == w.styles.tabOn ? '1' : '0';
            return out;
        };
        const struct {
            void (MainWindow::*open)();
            const char *language, *looks, *macros;
        } steps[] = {{&MainWindow::showSettingsPage, "1", "000000100", "巨集設定"},
                     {&MainWindow::showMacrosPage, "2", "010000100", nullptr},
                     {&MainWindow::showKeyboardPage, "1", "101000100", nullptr},
                     {&MainWindow::showLightingPage, "0", "100100100", "MACROS"}};
        for (const auto &s : steps) {
            (w.*s.open)();
            LightingPage *light = f.ctx().lighting;
            w.switchLanguage(s.language);
            QVERIFY(f.ctx().lighting != light);
            QCOMPARE(looks(), QString(s.looks));
            if (s.macros)
                QCOMPARE(w.tabMacros->text(), QString::fromUtf8(s.macros));
            const ProfileMenu &m = f.menu();
            for (QLabel *l : {m.captionSelectProfile, m.captionProfileName, m.captionShortcut})
                QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(),
                         qPrintable(l->text()));
        }
        QCOMPARE(IniStore::readLanguage(), QStringLiteral("0"));
        QCOMPARE(f.panel().captionRepeat->text(), QStringLiteral("REPEAT OPTION"));
    }

    void hoverPopupSelectionAndCellColours()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        CustomizePanel &p = f.panel();
        KeyPopup *popup = f.ctx().keyPopup;
        w.show();
        auto move = [&](const QPoint &pos) {
            QMouseEvent e(QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(&w, &e);
        };
        auto colour = [&](int cell) { return p.keyCells[cell]->styleSheet().mid(21).chopped(2); };
        move(centreOf(28)); // Q
        QCOMPARE(popup->keyName() + colour(28), QStringLiteral("Q255,0,0"));
        QCOMPARE(popup->pos(), QPoint(405 - 40, 239 - 108));
        move({410, 185}); // a gap
        QVERIFY(popup->isHidden());
        QCOMPARE(colour(28), QStringLiteral("0,0,0"));
        QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(28));
        QTest::mousePress(&w, Qt::LeftButton, {}, {413, 342}); // left Windows key: no region
        QCOMPARE(p.selectedKey, 28);
        // A macro key and a single key keep their colours; the selection moves on.
        p.keyTable[5] = "1";
        p.keyTable[6] = "2";
        QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(29));
        const QStringList colours{"0,130,0", "0,171,190", "0,0,0", "255,0,0"};
        for (int i = 0; i < 4; ++i) {
            const int cell = QVector<int>{5, 6, 28, 29}[i];
            p.colourKeyCell(5, cell);
            QCOMPARE(colour(cell), colours[i]);
        }
        w.showLightingPage(); // another page in front takes the mouse
        move(centreOf(0));
        QVERIFY(popup->isHidden());
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
        QTRY_COMPARE(f.w->statusBand->stateText(), QStringLiteral("Virtual keyboard"));

        f.w->profileButtons[1]->click();
        QCOMPARE(f.ctx().bindings.active, 2); // at once, before the keyboard has it
        QTRY_COMPARE(f.w->statusBand->noticeText(), QStringLiteral("Sent to PROFILE 2"));
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(2)});
        QCOMPARE(f.pauses.pauses, QVector<unsigned>{100});
        QCOMPARE(f.w->statusReply(), QByteArray(R"({"keyboard":"virtual","profile":2,)"
                                                R"("profileName":"PROFILE 2","queued":0})"
                                                "\n"));

        // The factory reset's bar closes only when the keyboard has every step.
        f.clear();
        f.w->factoryResetClicked();
        QVERIFY(!f.ctx().resetView->isHidden());
        QTRY_VERIFY(f.ctx().resetView->isHidden());
        QCOMPARE(f.device.reports.last(), selectReport(1));

        link->useVirtualDevice(nullptr);
        QTRY_COMPARE(f.w->statusBand->stateText(), QStringLiteral("No keyboard connected"));
        f.clear();
        f.w->profileButtons[2]->click();
        QTRY_COMPARE(f.w->statusBand->noticeText(),
                     QStringLiteral("Saved; the keyboard is not connected"));
        QVERIFY(f.device.reports.isEmpty());
        QVERIFY(f.w->statusReply().startsWith(R"({"keyboard":"absent","profile":3,)"));

        // A failed save is told, and the keyboard's outcome does not cover it.
        emit f.w->saveFailed("./system/light_color.ini", "No space left on device");
        f.w->profileButtons[3]->click();
        QTest::qWait(50);
        QCOMPARE(f.w->statusBand->noticeText(),
                 QStringLiteral("Not saved: light_color.ini (No space left on device). It keeps "
                                "its earlier content."));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
