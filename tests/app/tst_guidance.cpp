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
#include <QLineEdit>
#include <QScreen>
#include <QSlider>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// The LIGHTING page's controls as a user works them.
struct LightingHands {
    LightingPage *page;
    void press(const char *button) const
    {
        auto *b = page->findChild<QPushButton *>(button);
        QVERIFY(b);
        b->released();
    }
    void type(const char *code) const
    {
        auto *e = page->findChild<QLineEdit *>("edit_code");
        QVERIFY(e);
        e->setText(code);
        e->returnPressed();
    }
    void slide(const char *slider, int position) const
    {
        auto *s = page->findChild<QSlider *>(slider);
        QVERIFY(s);
        s->setValue(position);
    }
    int slider(const char *slider) const { return page->findChild<QSlider *>(slider)->value(); }
    void effect(int k) const { page->findChild<QComboBox *>("effect_combo")->setCurrentIndex(k); }
};
using HandSteps = std::function<void(const LightingHands &)>;

} // namespace
Q_DECLARE_METATYPE(HandSteps)

class GuidanceTest : public QObject
{
    Q_OBJECT
private slots:
    void withoutKeyboardTheVirtualOneIsOffered()
    {
        KeyboardSyncFixture f;
        QCOMPARE(f.link()->state(), KeyboardLink::State::Absent);
        QVERIFY(f.w->tryVirtualButton()->isVisible());
        QCOMPARE(f.w->tryVirtualButton()->text(), QString("TRY THE VIRTUAL KEYBOARD"));
        // Offered only while no keyboard is connected.
        QVERIFY(f.plug());
        QVERIFY(f.w->tryVirtualButton()->isHidden());
        f.unplug();
        QTRY_VERIFY(f.w->tryVirtualButton()->isVisible());
        f.w->tryVirtualButton()->released();
        QCOMPARE(f.link()->state(), KeyboardLink::State::Virtual);
        QTRY_VERIFY(f.w->tryVirtualButton()->isHidden());
        QWidget *window = f.w->virtualKeyboard()->window();
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
        f.w->tryVirtualButton()->released();
        QWidget *window = f.w->virtualKeyboard()->window();
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
        f.w->tryVirtualButton()->released();
        QCOMPARE(f.w->virtualKeyboard()->window()->pos(), QPoint(23, 31));
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

    void loadPutsTheStoredSpeedsAndColoursIntoTheEditor_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<HandSteps>("make");
        QTest::addColumn<HandSteps>("check"); // the editor after LOAD
        QTest::newRow("Static pulse, keys painted")
            << int(EffectStatic) << HandSteps([](const LightingHands &h) {
                   h.press("btn_pulse");
                   h.press("btn_full");
                   h.type("102030");
                   h.press("btn_customized");
                   h.type("ff8000");
                   h.page->paintKeys({0, 5, 17});
                   h.slide("speed_slider", 2);
               })
            << HandSteps([](const LightingHands &h) {
                   QCOMPARE(h.slider("speed_slider"), 2);
                   QCOMPARE(h.page->keyColour(0), (Rgb{255, 128, 0}));
                   QCOMPARE(h.page->keyColour(17), (Rgb{255, 128, 0}));
                   QCOMPARE(h.page->keyColour(1), (Rgb{16, 32, 48}));
               });
        QTest::newRow("Static spectrum, middle speed")
            << int(EffectStatic) << HandSteps([](const LightingHands &h) {
                   h.press("btn_static");
                   h.press("btn_full");
                   h.type("00ff00");
                   h.press("btn_spectrum");
                   h.slide("speed_slider", 1);
               })
            << HandSteps([](const LightingHands &h) {
                   QCOMPARE(h.slider("speed_slider"), 1);
                   QCOMPARE(h.page->keyColour(40), (Rgb{0, 255, 0}));
               });
        QTest::newRow("Reactive, keys painted")
            << int(EffectReactive) << HandSteps([](const LightingHands &h) {
                   h.press("btn_full");
                   h.type("0000ff");
                   h.press("btn_customized");
                   h.type("ffffff");
                   h.page->paintKeys({10, 11});
               })
            << HandSteps([](const LightingHands &h) {
                   QCOMPARE(h.page->keyColour(10), (Rgb{255, 255, 255}));
                   QCOMPARE(h.page->keyColour(3), (Rgb{0, 0, 255}));
               });
        QTest::newRow("Wave to the right, slow")
            << int(EffectWave) << HandSteps([](const LightingHands &h) {
                   h.press("btn_right");
                   h.slide("speediness_slider", 1);
               })
            << HandSteps(
                   [](const LightingHands &h) { QCOMPARE(h.slider("speediness_slider"), 1); });
        QTest::newRow("Arrow Flow in one colour")
            << int(EffectArrowFlow) << HandSteps([](const LightingHands &h) {
                   h.press("btn_left");
                   h.press("btn_no");
                   h.press("btn_full");
                   h.type("00ffff");
               })
            << HandSteps([](const LightingHands &h) {
                   QCOMPARE(h.page->model().currentColor(), (Rgb{0, 255, 255}));
               });
        QTest::newRow("Ripple in one colour")
            << int(EffectRipple) << HandSteps([](const LightingHands &h) {
                   h.press("btn_yes");
                   h.press("btn_full");
                   h.type("ff00ff");
               })
            << HandSteps([](const LightingHands &h) {
                   QCOMPARE(h.page->model().currentColor(), (Rgb{255, 0, 255}));
               });
    }
    void loadPutsTheStoredSpeedsAndColoursIntoTheEditor()
    {
        QFETCH(int, effect);
        QFETCH(HandSteps, make);
        QFETCH(HandSteps, check);
        KeyboardSyncFixture f;
        QVERIFY(f.plug());
        f.activate(2);
        QVERIFY(f.settled());
        f.w->showLightingPage();
        const LightingHands h{f.ctx().lighting};
        h.effect(effect);
        make(h);
        f.keyboard.take();
        h.press("btn_apply");
        QVERIFY(f.settled());
        const QVector<QByteArray> stored = f.keyboard.take();
        QVERIFY(!stored.isEmpty());

        // The user changes the editor without applying.
        h.press("btn_full");
        h.type("333333");
        h.slide("speed_slider", 0);
        h.slide("speediness_slider", 3);
        if (effect == EffectStatic)
            h.press("btn_static");
        h.effect((effect + 1) % kEffectCount);

        h.press("btn_load_stored");
        QCOMPARE(h.page->findChild<QComboBox *>("effect_combo")->currentIndex(), effect);
        check(h);
        h.press("btn_apply");
        QVERIFY(f.settled());
        QCOMPARE(f.keyboard.take(), stored);
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
