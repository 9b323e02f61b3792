// Guidance where a newcomer gets stuck: the virtual keyboard offered while no
// keyboard is connected, its window beside the console and fully on screen,
// in the place the user gave it last; a word when closing only hid the console.

#include "KeyboardSyncFixture.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/virtual/VirtualKeyboardHost.h"
#include "ui/virtual/VirtualKeyboardWindow.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class GuidanceTest : public QObject
{
    Q_OBJECT
private slots:
    void withoutKeyboardTheVirtualOneIsOffered()
    {
        KeyboardSyncFixture f;
        QCOMPARE(f.link()->state(), KeyboardLink::State::Absent);
        QVERIFY(f.w->tryVirtualButton->isVisible());
        QCOMPARE(f.w->tryVirtualButton->text(), QString("TRY THE VIRTUAL KEYBOARD"));
        // Offered only while no keyboard is connected.
        QVERIFY(f.plug());
        QVERIFY(f.w->tryVirtualButton->isHidden());
        f.unplug();
        QTRY_VERIFY(f.w->tryVirtualButton->isVisible());
        f.w->tryVirtualButton->released();
        QCOMPARE(f.link()->state(), KeyboardLink::State::Virtual);
        QTRY_VERIFY(f.w->tryVirtualButton->isHidden());
        QWidget *window = f.w->virtualKeyboard->window();
        QVERIFY(window && window->isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(window->frameGeometry()), qPrintable(QString("%1,%2 %3x%4")
                                                                          .arg(window->x())
                                                                          .arg(window->y())
                                                                          .arg(window->width())
                                                                          .arg(window->height())));
    }

    void theWindowComesBackWhereTheUserPutIt()
    {
        KeyboardSyncFixture f;
        f.w->tryVirtualButton->released();
        QWidget *window = f.w->virtualKeyboard->window();
        QVERIFY(window);
        window->move(23, 31);
        window->hide();
        QCOMPARE(readText("system/console_hints.ini"), QString("[VirtualKeyboard]\nx=23\ny=31\n"));

        f.w.reset(); // the console ends; the next one opens the window there
        ConsoleOptions options;
        options.checkForUpdates = false;
        options.port = 0;
        f.w = std::make_unique<MainWindow>(options);
        f.w->show();
        f.w->tryVirtualButton->released();
        QCOMPARE(f.w->virtualKeyboard->window()->pos(), QPoint(23, 31));
    }

    void lightingSaysWhatTheActiveProfileHoldsAndLoadsIt()
    {
        KeyboardSyncFixture f;
        f.activate(3); // its factory lighting is Arrow Flow
        f.w->showLightingPage();
        auto *effect = f.ctx().lighting->findChild<QComboBox *>("effect_combo");
        auto *label = f.ctx().lighting->findChild<QLabel *>("stored_lighting_label");
        auto *load = f.ctx().lighting->findChild<QPushButton *>("btn_load_stored");
        QVERIFY(effect && label && load);
        effect->setCurrentIndex(EffectStatic);
        QVERIFY(!label->isHidden());
        QCOMPARE(label->text(), QString("PROFILE 3: Arrow Flow"));
        load->released();
        QCOMPARE(effect->currentIndex(), int(EffectArrowFlow));
        QVERIFY(label->isHidden() && load->isHidden());

        // APPLY stores what is shown: nothing left to tell.
        effect->setCurrentIndex(EffectWave);
        QCOMPARE(label->text(), QString("PROFILE 3: Arrow Flow"));
        f.ctx().lighting->findChild<QPushButton *>("btn_apply")->released();
        QVERIFY(label->isHidden());
    }

    void closingOnlyHidesAndSaysSoOnce()
    {
        KeyboardSyncFixture f;
        f.w->createTray();
        f.w->close();
        QVERIFY(f.w->isHidden());
        QCOMPARE(readText("system/console_hints.ini"), QString("[Hints]\nhiddenByClose=1\n"));
    }
};

QTEST_MAIN(GuidanceTest)
#include "tst_guidance.moc"
