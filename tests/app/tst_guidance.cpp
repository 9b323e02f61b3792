// Guidance where a newcomer gets stuck: the virtual keyboard offered while no
// keyboard is connected, its window beside the console and fully on screen,
// in the place the user gave it last; a word when closing only hid the console.

#include "WindowFixture.h"
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

// Works the LIGHTING page's controls as a user does, step by step: "press
// BUTTON", "type CODE" (the colour code field), "slide SLIDER POSITION",
// "paint CELL...".
void work(LightingPage *page, const QString &steps)
{
    for (const QString &step : steps.split(", ")) {
        const QStringList w = step.split(' ');
        if (w[0] == "press") {
            auto *button = page->findChild<QPushButton *>(w[1]);
            QVERIFY2(button, qPrintable(w[1]));
            emit button->released();
        } else if (w[0] == "type") {
            auto *code = page->findChild<QLineEdit *>("edit_code");
            code->setText(w[1]);
            emit code->returnPressed();
        } else if (w[0] == "slide") {
            auto *slider = page->findChild<QSlider *>(w[1]);
            QVERIFY2(slider, qPrintable(w[1]));
            slider->setValue(w[2].toInt());
        } else {
            QVector<int> cells;
            for (const QString &cell : w.mid(1))
                cells << cell.toInt();
            QVERIFY(page->paintKeys(cells));
        }
    }
}

// What the editor shows for "key CELL", "colour" (the current colour) or a slider.
QString shown(LightingPage *page, const QString &what)
{
    const auto hex = [](Rgb c) { return QString::asprintf("%02x%02x%02x", c.r, c.g, c.b); };
    if (what.startsWith("key "))
        return hex(page->keyColour(what.mid(4).toInt()));
    if (what == "colour")
        return hex(page->model().currentColor());
    return QString::number(page->findChild<QSlider *>(what)->value());
}

} // namespace

class GuidanceTest : public QObject
{
    Q_OBJECT
private slots:
    void withoutKeyboardTheVirtualOneIsOffered()
    {
        WindowFixture f(Plug::ByTest);
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
        QVERIFY(screen.contains(window->frameGeometry()));
        // Not over the console's tabs and profile buttons.
        QList<QPushButton *> top(f.w->profileButtons().begin(), f.w->profileButtons().end());
        for (QPushButton *b : f.w->findChildren<QPushButton *>())
            if (QStringList{"KEYBOARD", "MACROS", "CUSTOMIZE", "LIGHTING"}.contains(b->text()))
                top << b;
        QCOMPARE(top.size(), 9);
        for (QPushButton *b : top)
            QVERIFY2(!window->frameGeometry().intersects(
                         QRect(b->mapToGlobal(QPoint(0, 0)), b->size())),
                     qPrintable(b->text()));

        // It comes back where the user put it, in this console and the next.
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

    void loadPutsTheStoredSpeedsAndColoursIntoTheEditor_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("make");
        QTest::addColumn<QStringList>("shownAfterLoad"); // what=value
        QTest::newRow("Static pulse, keys painted")
            << int(EffectStatic)
            << "press btn_pulse, press btn_full, type 102030, press btn_customized, "
               "type ff8000, paint 0 5 17, slide speed_slider 2"
            << QStringList{"speed_slider=2", "key 0=ff8000", "key 17=ff8000", "key 1=102030"};
        QTest::newRow("Static spectrum, middle speed")
            << int(EffectStatic)
            << "press btn_static, press btn_full, type 00ff00, press btn_spectrum, "
               "slide speed_slider 1"
            << QStringList{"speed_slider=1", "key 40=00ff00"};
        QTest::newRow("Reactive, keys painted")
            << int(EffectReactive)
            << "press btn_full, type 0000ff, press btn_customized, type ffffff, paint 10 11"
            << QStringList{"key 10=ffffff", "key 3=0000ff"};
        QTest::newRow("Wave to the right, slow")
            << int(EffectWave) << "press btn_right, slide speediness_slider 1"
            << QStringList{"speediness_slider=1"};
        QTest::newRow("Arrow Flow in one colour")
            << int(EffectArrowFlow) << "press btn_left, press btn_no, press btn_full, type 00ffff"
            << QStringList{"colour=00ffff"};
        QTest::newRow("Ripple in one colour")
            << int(EffectRipple) << "press btn_yes, press btn_full, type ff00ff"
            << QStringList{"colour=ff00ff"};
    }
    // While the editor shows another effect than the active profile stores, a
    // line says what it stores; LOAD puts it back into the editor, APPLY stores
    // what is shown (nothing left to tell either way).
    void loadPutsTheStoredSpeedsAndColoursIntoTheEditor()
    {
        QFETCH(int, effect);
        QFETCH(QString, make);
        QFETCH(QStringList, shownAfterLoad);
        WindowFixture f(Plug::ByTest);
        QVERIFY(f.plug());
        f.activate(2);
        QVERIFY(f.settled());
        f.w->showLightingPage();
        LightingPage *page = f.ctx().lighting;
        auto *effects = page->findChild<QComboBox *>("effect_combo");
        auto *label = page->findChild<QLabel *>("stored_lighting_label");
        effects->setCurrentIndex(effect);
        work(page, make);
        f.clear();
        work(page, "press btn_apply");
        QVERIFY(label->isHidden());
        const QVector<QByteArray> stored = f.sent();
        QVERIFY(!stored.isEmpty());
        f.clear();

        // The user changes the editor without applying.
        work(page, "press btn_full, type 333333, slide speed_slider 0, slide speediness_slider 3");
        if (effect == EffectStatic)
            work(page, "press btn_static");
        effects->setCurrentIndex((effect + 1) % kEffectCount);
        const char *names[] = {"Static", "Reactive", "Arrow Flow", "Wave", "Ripple"};
        QCOMPARE(label->text(), QString("PROFILE 2: ") + names[effect]);
        QVERIFY(!label->isHidden());

        work(page, "press btn_load_stored");
        QCOMPARE(effects->currentIndex(), effect);
        QVERIFY(label->isHidden());
        for (const QString &expected : shownAfterLoad)
            QCOMPARE(expected.section('=', 0, 0) + '=' + shown(page, expected.section('=', 0, 0)),
                     expected);
        work(page, "press btn_apply");
        QCOMPARE(f.sent(), stored);
    }

    // The first close only hides the console and the tray says where it went;
    // later closes hide it without a word.
    void closingOnlyHidesAndSaysSoOnce()
    {
        WindowFixture f(Plug::ByTest);
        QSignalSpy told(f.w->createTray(), &ConsoleTray::messageShown);
        f.w->close();
        QVERIFY(f.w->isHidden());
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first(),
                 (QVariantList{"ORVANTA RGB", "The console keeps running here. Quit it from this "
                                              "icon's menu or with the Close button of its "
                                              "window."}));
        QCOMPARE(readText("system/console_hints.ini"), QString("[Hints]\nhiddenByClose=1\n"));
        f.w->show();
        f.w->close();
        QVERIFY(f.w->isHidden());
        QCOMPARE(told.size(), 1);
    }
};

QTEST_MAIN(GuidanceTest)
#include "tst_guidance.moc"
