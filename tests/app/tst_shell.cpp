// The main window shell: start-up, page switching and its gating, dragging,
// closing, key cells and the new-key capture.

#include "ShellFixture.h"
#include "app/KeyTable.h"
#include "app/key_show_img.h"
#include "lighting/keyboard_light_view.h"
#include "macro/micro_view.h"
#include "settings/WebLinks.h"
#include "settings/setting_view.h"
#include "storage/readini.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

QString style(int r, int g, int b)
{
    return QStringLiteral("background-color:rgb(%1,%2,%3);").arg(r).arg(g).arg(b);
}

} // namespace

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
        QCOMPARE(f.w->currentProfile, 1);
        QCOMPARE(f.w->profileCombo->currentText(), QStringLiteral("PROFILE 1"));
        QCOMPARE(f.w->profileButtons[0]->styleSheet(), f.w->styleTabOn);
        QVERIFY(f.w->readCmdTimer->isSingleShot());
        QCOMPARE(f.w->readCmdTimer->interval(), 1000);
        for (QWidget *page : std::initializer_list<QWidget *>{gLightView, gMacroView, gSettingView})
            QVERIFY(page->isHidden());
    }

    void pageSwitchingTable()
    {
        ShellFixture f;
        f.w->show();
        LumoProject &w = *f.w;
        // KEYBOARD while it is in front changes nothing.
        w.main_keyboard_function();
        QVERIFY(gLightView->isHidden());
        w.main_lighting_function();
        QVERIFY(gLightView->isVisible());
        QCOMPARE(gLightView->geometry(), QRect(230, 140, 960, 620));
        QCOMPARE(w.tabLighting->styleSheet(), w.styleTabOn);
        QCOMPARE(w.tabCustomize->styleSheet(), w.styleTabOff);
        w.main_customize_fanction();
        QVERIFY(gLightView->isHidden());
        QCOMPARE(w.tabCustomize->styleSheet(), w.styleTabOn);
        w.main_macros_function();
        QVERIFY(gMacroView->isVisible());
        QVERIFY(!w.keyboardTabActive);
        QVERIFY(w.tabLighting->isHidden());
        // LIGHTING while MACROS is in front changes nothing.
        w.main_lighting_function();
        QVERIFY(gLightView->isHidden());
        QVERIFY(gMacroView->isVisible());
        w.main_keyboard_function();
        QVERIFY(w.keyboardTabActive);
        QVERIFY(gMacroView->isHidden());
        QVERIFY(w.tabLighting->isVisible());
        w.rmain_box_btn_fanction();
        QVERIFY(gSettingView->isVisible());
        QVERIFY(w.tabCustomize->isHidden());
        w.main_keyboard_function();
        QVERIFY(gSettingView->isHidden());
    }

    void everythingGatedWhileRecording()
    {
        ShellFixture f;
        f.w->show();
        LumoProject &w = *f.w;
        int opened = 0;
        WebLinks::open = [&](const QUrl &) { return ++opened, true; };
        gMacroView->macro_r_record_function();
        QVERIFY(!gMacroView->isIdle());
        f.clear();
        w.main_lighting_function();
        w.main_macros_function();
        w.rmain_box_btn_fanction();
        w.main_set_profile3();
        w.rmain_re_btn_fanction();
        w.rmain_qu_btn_fanction();
        w.rmain_r_btn_fanction();
        QVERIFY(gLightView->isHidden());
        QVERIFY(gMacroView->isHidden());
        QVERIFY(gSettingView->isHidden());
        QCOMPARE(w.currentProfile, 1);
        QCOMPARE(opened, 0);
        QVERIFY(f.device.reports.isEmpty());
        gMacroView->macro_r_stop_function();
        QVERIFY(gMacroView->isIdle());
        w.rmain_qu_btn_fanction();
        QCOMPARE(opened, 1);
        WebLinks::restoreDefaults();
    }

    void dragBandMovesTheWindow()
    {
        ShellFixture f;
        f.w->move(100, 100);
        f.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        const QPoint start = f.w->pos();
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, QPoint(600, 50));
        QMouseEvent move(QEvent::MouseMove, QPoint(640, 70), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(f.w.get(), &move);
        QCOMPARE(f.w->pos(), start + QPoint(40, 20));
        // Below the band nothing moves.
        const QPoint after = f.w->pos();
        QTest::mousePress(f.w.get(), Qt::LeftButton, {}, QPoint(600, 150));
        QMouseEvent low(QEvent::MouseMove, QPoint(650, 170), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(f.w.get(), &low);
        QCOMPARE(f.w->pos(), after);
        // Moving in the band without a button held does not drag.
        QMouseEvent hover(QEvent::MouseMove, QPoint(700, 60), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(f.w.get(), &hover);
        QCOMPARE(f.w->pos(), after);
    }

    void closeRequestHidesButCloseButtonQuits()
    {
        ShellFixture f;
        f.w->show();
        QVERIFY(!f.w->close());
        QVERIFY(f.w->isHidden());
        f.w->show();
        f.w->btnClose->released();
        QVERIFY(f.w->isHidden());
    }

    void keyColourStates()
    {
        ShellFixture f;
        LumoProject &w = *f.w;
        w.keyTable[5] = "1";
        w.keyTable[6] = "2";
        w.key_color(2, 3);
        QCOMPARE(w.keyCells[3]->styleSheet(), style(0, 130, 0));
        w.key_color(3, 3);
        QCOMPARE(w.keyCells[3]->styleSheet(), style(0, 171, 190));
        w.key_color(5, 5);
        QCOMPARE(w.keyCells[5]->styleSheet(), style(0, 130, 0));
        w.key_color(5, 6);
        QCOMPARE(w.keyCells[6]->styleSheet(), style(0, 171, 190));
        w.key_color(4, 10);
        QCOMPARE(w.keyCells[10]->styleSheet(), style(255, 0, 0));
        QCOMPARE(w.highlightedCell, 10);
        w.key_color(5, 10);
        QCOMPARE(w.keyCells[10]->styleSheet(), style(255, 0, 0));
        // Selecting another key gives the previous one its own colour back.
        w.key_color(4, 11);
        QCOMPARE(w.keyCells[10]->styleSheet(), style(0, 0, 0));
        // Cell 0 as the highlighted cell counts as none.
        w.key_color(4, 0);
        w.key_color(4, 12);
        QCOMPARE(w.keyCells[0]->styleSheet(), style(0, 0, 0));
        w.key_color(0, 12);
        QCOMPARE(w.keyCells[12]->styleSheet(), style(0, 0, 0));
    }

    void clickSelectsKeyAndHoverShowsPopup()
    {
        ShellFixture f;
        f.w->show();
        LumoProject &w = *f.w;
        QTest::mouseMove(w.centralWidget(), centreOf(28)); // Q
        QMouseEvent hover(QEvent::MouseMove, centreOf(28), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&w, &hover);
        QVERIFY(gKeyPopup->isVisible());
        QCOMPARE(gKeyPopup->keyName(), QStringLiteral("Q"));
        QCOMPARE(gKeyPopup->assignment(), QStringLiteral("Default"));
        QCOMPARE(gKeyPopup->pos(), QPoint(405 - 40, 239 - 108));
        QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(28));
        QCOMPARE(w.selectedKey, 28);
        QCOMPARE(int(w.selectedUsage), 0x14);
        QCOMPARE(w.selectedMatrix, 8);
        QCOMPARE(w.selectedKeyLabel->text(), QStringLiteral("Q"));
        QCOMPARE(w.keyAssignCombo->currentIndex(), 0);
        QVERIFY(w.customizeApplyEnabled);
        // A gap hides the popup and restores the hovered cell.
        QMouseEvent gap(QEvent::MouseMove, QPoint(410, 185), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&w, &gap);
        QVERIFY(gKeyPopup->isHidden());
        // The left Windows key cannot be selected; the selection stays.
        QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(413, 342));
        QCOMPARE(w.selectedKey, 28);
        // Another page in front takes the mouse.
        w.main_lighting_function();
        QMouseEvent covered(QEvent::MouseMove, centreOf(0), Qt::NoButton, Qt::NoButton, {});
        QApplication::sendEvent(&w, &covered);
        QVERIFY(gKeyPopup->isHidden());
    }

    void newKeyCaptureOnlyWhileTheFieldIsShown()
    {
        ShellFixture f;
        f.w->show();
        LumoProject &w = *f.w;
        QTest::keyClick(&w, Qt::Key_Equal);
        QCOMPARE(int(w.capturedUsage), 0);
        QTest::mousePress(&w, Qt::LeftButton, {}, centreOf(28));
        w.keyAssignCombo->setCurrentIndex(2);
        QVERIFY(w.newKeyEdit->isVisible());
        QTest::keyClick(&w, Qt::Key_Equal);
        QCOMPARE(w.newKeyEdit->text(), QStringLiteral("="));
        QCOMPARE(int(w.capturedUsage), 0x2E);
        QTest::keyClick(&w, Qt::Key_7);
        QTest::keyClick(&w, Qt::Key_Ampersand); // its text, the code kept
        QCOMPARE(w.newKeyEdit->text(), QStringLiteral("&"));
        QCOMPARE(int(w.capturedUsage), 0x24); // the 7 before it
        QTest::keyClick(&w, Qt::Key_1, Qt::KeypadModifier);
        QCOMPARE(int(w.capturedUsage), 0x59);
    }

    void languageSwitchRebuildsPagesAndTexts()
    {
        ShellFixture f;
        keyboard_light_view *light = gLightView;
        micro_view *macro = gMacroView;
        f.w->test_setto_lumo("1");
        QVERIFY(gLightView != light);
        QVERIFY(gMacroView != macro);
        QCOMPARE(readini::read_language(), QStringLiteral("1"));
        QCOMPARE(f.w->tabMacros->text(), QStringLiteral("巨集設定"));
        QVERIFY(f.w->styleTabOn.endsWith(QStringLiteral("微軟正黑體")));
        QCOMPARE(gLightView->profile_name, light->profile_name);
        f.w->test_setto_lumo("3");
        QCOMPARE(f.w->tabMacros->text(), QStringLiteral("MACROS"));
        QVERIFY(f.w->fontFamily.isEmpty());
        f.w->test_setto_lumo("0");
        QCOMPARE(f.w->btnService->toolTip(), QStringLiteral("Customer Support"));
        QCOMPARE(f.w->captionRepeat->text(), QStringLiteral("REPEAT OPTION"));
    }
};

QTEST_MAIN(ShellTest)
#include "tst_shell.moc"
