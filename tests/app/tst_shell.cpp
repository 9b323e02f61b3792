// The main window shell: start-up, closing, the language switch, page switching
// and its gating, dragging and key cell colours.

#include "ShellFixture.h"
#include "core/device/KeyboardLink.h"
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
#include <QFocusFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
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
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].split(' ').value(3), hex(selectReport(1)));
        QCOMPARE(f.w->size(), QSize(1200, 800));
        QVERIFY(f.w->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(f.w->windowTitle(), QStringLiteral("ORVANTA RGB"));
        f.w->show();
        QVERIFY(!f.w->close()); // a close request only hides the window
        QVERIFY(f.w->isHidden());

        // The language switch relabels and rebuilds the pages.
        LightingPage *light = gLightView;
        f.w->switchLanguage("1");
        QVERIFY(gLightView != light);
        QCOMPARE(IniStore::readLanguage(), QStringLiteral("1"));
        QCOMPARE(f.w->tabMacros->text(), QStringLiteral("巨集設定"));
        f.w->switchLanguage("0");
        QCOMPARE(f.w->tabMacros->text(), QStringLiteral("MACROS"));
        QCOMPARE(f.w->captionRepeat->text(), QStringLiteral("REPEAT OPTION"));
    }

    // The tray's profiles do what the PROFILE buttons do; its check mark and
    // status follow the console, and it brings the hidden window back.
    void trayIcon()
    {
        ShellFixture f;
        ConsoleTray *tray = f.w->createTray();
        QCOMPARE(tray->keyboardStatus(), KeyboardLink::stateText(f.w->keyboardLink()->state()));
        auto action = [tray](const QString &text) {
            for (QAction *a : tray->menu()->actions())
                if (a->text() == text)
                    return a;
            return static_cast<QAction *>(nullptr);
        };
        QVERIFY(action("PROFILE 3") && action("Show window") && action("Quit"));
        f.clear();
        action("PROFILE 3")->trigger();
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(3)});
        QCOMPARE(f.w->profileButtons[2]->styleSheet(), f.w->styleTabOn);
        QVERIFY(action("PROFILE 3")->isChecked());
        f.w->profile5Clicked();
        QVERIFY(action("PROFILE 5")->isChecked() && !action("PROFILE 3")->isChecked());

        const QString absent = KeyboardLink::stateText(KeyboardLink::State::Absent);
        tray->setKeyboardStatus(absent);
        QVERIFY(tray->trayIcon()->toolTip().endsWith(absent));
        f.w->show();
        f.w->close(); // the window manager's close
        QVERIFY(f.w->isHidden());
        action("Show window")->trigger();
        QVERIFY(f.w->isVisible());
    }

    // Tab walks the buttons and fields; a frame shows which one has the focus.
    void focusFrameFollowsTab()
    {
        ShellFixture f;
        f.w->show();
        QApplication::setActiveWindow(f.w.get());
        f.w->profileCombo->setFocus(Qt::TabFocusReason);
        QVERIFY(f.w->focusFrame);
        QCOMPARE(f.w->focusFrame->widget(), f.w->profileCombo);
        for (QWidget *next : std::initializer_list<QWidget *>{f.w->btnNew, f.w->btnDelete}) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), next);
            QCOMPARE(f.w->focusFrame->widget(), next);
            QVERIFY(f.w->focusFrame->isVisible());
        }
    }

    void scaleFactorFitsTheWindow_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<double>("factor");
        QTest::newRow("1920 x 1080: full size") << QSize(1920, 1080) << 1.0;
        QTest::newRow("1280 x 800: full size") << QSize(1280, 800) << 1.0;
        QTest::newRow("1366 x 768") << QSize(1366, 768) << 0.95;
        QTest::newRow("1280 x 720") << QSize(1280, 720) << 0.9;
        QTest::newRow("1024 x 768: width decides") << QSize(1024, 768) << 0.85;
        QTest::newRow("640 x 400: no smaller than half") << QSize(640, 400) << 0.5;
    }
    void scaleFactorFitsTheWindow()
    {
        QFETCH(QSize, screen);
        QFETCH(double, factor);
        QCOMPARE(fitScaleFactor(screen, QSize(1200, 800)), factor);
    }

    void pageSwitchingAndGating()
    {
        ShellFixture f;
        f.w->show();
        const QVector<QPair<void (MainWindow::*)(), QWidget *>> steps{
            {&MainWindow::showKeyboardPage, nullptr}, // in front already: changes nothing
            {&MainWindow::showLightingPage, gLightView},
            {&MainWindow::showCustomizePage, nullptr},
            {&MainWindow::showMacrosPage, gMacroView},
            {&MainWindow::showLightingPage, gMacroView}, // MACROS in front: changes nothing
            {&MainWindow::showKeyboardPage, nullptr},
            {&MainWindow::showSettingsPage, gSettingView},
            {&MainWindow::showKeyboardPage, nullptr}};
        const QList<QWidget *> pages{gLightView, gMacroView, gSettingView};
        for (const auto &step : steps) {
            (f.w.get()->*step.first)();
            for (QWidget *page : pages)
                QCOMPARE(page->isVisible(), page == step.second);
            QCOMPARE(f.w->tabLighting->isVisible(),
                     step.second != gMacroView && step.second != gSettingView);
        }
        QCOMPARE(gLightView->geometry(), QRect(230, 140, 960, 620));

        // While a macro is recorded every page, profile and menu button is gated.
        MainWindow &w = *f.w;
        int opened = 0;
        WebLinks::open = [&](const QUrl &) { return ++opened, true; };
        gMacroView->startRecording();
        f.clear();
        w.showLightingPage();
        w.showMacrosPage();
        w.showSettingsPage();
        w.profile3Clicked();
        w.factoryResetClicked();
        w.openProductInformation();
        w.openCustomerService();
        QVERIFY(gLightView->isHidden() && gMacroView->isHidden() && gSettingView->isHidden());
        QCOMPARE(opened, 0);
        QVERIFY(f.device.reports.isEmpty());
        gMacroView->stopRecording();
        w.openProductInformation();
        QCOMPARE(opened, 1);
        WebLinks::restoreDefaults();
    }

    void languageSwitchKeepsTabLooks()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        w.profile3Clicked();
        QPushButton *const tabs[] = {w.tabKeyboard,       w.tabMacros,         w.tabCustomize,
                                     w.tabLighting,       w.profileButtons[0], w.profileButtons[1],
                                     w.profileButtons[2], w.profileButtons[3], w.profileButtons[4]};
        const auto looks = [&] {
            QString out;
            for (QPushButton *b : tabs) {
                const QString sheet = b->styleSheet();
                out += sheet == w.styleTabOn ? '1' : sheet == w.styleTabOff ? '0' : '?';
            }
            return out.insert(4, ' ');
        };
        // the page put in front, the language chosen there, and the looks of
        // KEYBOARD, MACROS, CUSTOMIZE, LIGHTING and PROFILE 1..5
        const struct {
            void (MainWindow::*open)();
            const char *language, *looks;
        } steps[] = {{&MainWindow::showSettingsPage, "1", "0000 00100"},
                     {&MainWindow::showMacrosPage, "2", "0100 00100"},
                     {&MainWindow::showSettingsPage, "0", "0000 00100"},
                     {&MainWindow::showKeyboardPage, "1", "1010 00100"},
                     {&MainWindow::showLightingPage, "0", "1001 00100"}};
        for (const auto &s : steps) {
            (w.*s.open)();
            QCOMPARE(looks(), QString(s.looks));
            w.switchLanguage(s.language);
            QCOMPARE(looks(), QString(s.looks));
            // the left menu's captions are shown whole in every language
            for (QLabel *l : {w.captionSelectProfile, w.captionProfileName, w.captionShortcut}) {
                QVERIFY(l->isVisible());
                QVERIFY2(QFontMetrics(l->font()).horizontalAdvance(l->text()) <= l->width(),
                         qPrintable(l->text()));
            }
        }
        QCOMPARE(w.captionShortcut->geometry(), QRect(56, 322, 72, 9));
        QVERIFY(w.shortcutCombo->isHidden() && w.linkButton->isHidden());
    }

    void dragBandMovesTheWindow()
    {
        ShellFixture f;
        f.w->move(100, 100);
        f.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        const QPoint start = f.w->pos();
        const auto drag = [&](QPoint from, QPoint to) {
            QTest::mousePress(f.w.get(), Qt::LeftButton, {}, from);
            QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, {});
            QApplication::sendEvent(f.w.get(), &move);
        };
        drag({600, 50}, {640, 70});
        QCOMPARE(f.w->pos(), start + QPoint(40, 20));
        drag({600, 150}, {650, 170}); // below the band nothing moves
        QCOMPARE(f.w->pos(), start + QPoint(40, 20));
    }

    void keyColourStates()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.keyTable[5] = "1"; // a macro key
        w.keyTable[6] = "2"; // a single key
        // state, cell, the cell looked at afterwards (-1: none) and its colour
        // clang-format off
        const struct { int state, cell, shown; const char *rgb; } steps[] = {
            {2, 3, 3, "0,130,0"}, {3, 3, 3, "0,171,190"}, {5, 5, 5, "0,130,0"},
            {5, 6, 6, "0,171,190"}, {4, 10, 10, "255,0,0"},
            {5, 10, 10, "255,0,0"}, // the highlight stays
            {4, 11, 10, "0,0,0"}, // the previous key gets its own colour back
            {4, 0, -1, ""}, {4, 12, 0, "0,0,0"}, // cell 0 as the highlighted cell is none
            {0, 12, 12, "0,0,0"}};
        // clang-format on
        for (const auto &s : steps) {
            w.colourKeyCell(s.state, s.cell);
            if (s.shown >= 0)
                QCOMPARE(w.keyCells[s.shown]->styleSheet(),
                         QStringLiteral("background-color:rgb(%1);").arg(s.rgb));
        }
    }

    void hoverPopupAndSelection()
    {
        ShellFixture f;
        MainWindow &w = *f.w;
        w.show();
        auto move = [&](const QPoint &p) {
            QMouseEvent e(QEvent::MouseMove, p, Qt::NoButton, Qt::NoButton, {});
            QApplication::sendEvent(&w, &e);
        };
        move(centreOf(28)); // Q
        QVERIFY(gKeyPopup->isVisible());
        QCOMPARE(gKeyPopup->keyName(), QStringLiteral("Q"));
        QCOMPARE(gKeyPopup->pos(), QPoint(405 - 40, 239 - 108));
        move({410, 185}); // a gap
        QVERIFY(gKeyPopup->isHidden());
        QCOMPARE(w.keyCells[28]->styleSheet(), QStringLiteral("background-color:rgb(0,0,0);"));
        QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(28));
        QCOMPARE(w.selectedKey, 28);
        QCOMPARE(int(w.selectedUsage), 0x14);
        QTest::mousePress(&w, Qt::LeftButton, {}, {413, 342}); // left Windows key: no region
        QCOMPARE(w.selectedKey, 28);
        w.showLightingPage(); // another page in front takes the mouse
        move(centreOf(0));
        QVERIFY(gKeyPopup->isHidden());
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
        gCommandSender->setLink(link);
        QTRY_COMPARE(f.w->statusBand->stateText(), QStringLiteral("Virtual keyboard"));

        f.w->profileButtons[1]->click();
        QCOMPARE(f.w->currentProfile, 2); // at once, before the keyboard has it
        QTRY_COMPARE(f.w->statusBand->noticeText(), QStringLiteral("Sent to PROFILE 2"));
        QCOMPARE(f.device.reports, QVector<QByteArray>{selectReport(2)});
        QCOMPARE(f.pauses.pauses, QVector<unsigned>{100});
        QCOMPARE(f.w->statusReply(),
                 QByteArray(R"({"keyboard":"virtual","profile":2,"profileName":"PROFILE 2",)"
                            R"("queued":0})"
                            "\n"));

        // The factory reset's bar closes only when the keyboard has every step.
        f.clear();
        QSignalSpy resetDone(f.w.get(), &MainWindow::factoryResetFinished);
        f.w->factoryResetClicked();
        QVERIFY(!gResetView->isHidden());
        QTRY_VERIFY(gResetView->isHidden());
        QTRY_COMPARE(resetDone.count(), 1);
        QVERIFY(f.device.reports.size() > 25);
        QCOMPARE(f.device.reports.last(), selectReport(1));

        link->useVirtualDevice(nullptr);
        QTRY_COMPARE(f.w->statusBand->stateText(), QStringLiteral("No keyboard connected"));
        f.clear();
        f.w->profileButtons[2]->click();
        QCOMPARE(f.w->currentProfile, 3);
        QTRY_COMPARE(f.w->statusBand->noticeText(),
                     QStringLiteral("Saved; the keyboard is not connected"));
        QVERIFY(f.device.reports.isEmpty());
        QVERIFY(f.w->statusReply().startsWith(R"({"keyboard":"absent","profile":3,)"));

        // A failed save is told, and the keyboard's outcome does not cover it.
        emit f.w->saveFailed(QStringLiteral("./system/light_color.ini"),
                             QStringLiteral("No space left on device"));
        f.w->profileButtons[3]->click();
        QTest::qWait(50);
        QCOMPARE(f.w->statusBand->noticeText(),
                 QStringLiteral("Not saved: light_color.ini (No space left on device). It keeps "
                                "its earlier content."));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
