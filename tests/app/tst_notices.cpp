// Nothing is refused in silence: each refusal leaves the data directory and
// the keyboard as they were and says why in the status band. Guidance where a
// newcomer gets stuck: the virtual keyboard offered while no keyboard is
// connected, its window beside the console and fully on screen, in the place
// the user gave it last; a word when closing only hid the console.

#include "WindowFixture.h"
#include "core/app/Notices.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "ui/macro/MacroPage.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/ConsoleTray.h"
#include "ui/shell/StatusBand.h"
#include "ui/shell/WindowScale.h"
#include "ui/virtual/VirtualKeyboardHost.h"
#include "ui/virtual/VirtualKeyboardWindow.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSystemTrayIcon>
#include <QtTest>
#include <functional>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// Desktop services on a desktop where no browser starts.
struct NoBrowserDesktop : RecordingDesktop {
    bool openUrl(const QUrl &url) override { return urls << url.toString(), false; }
    bool startProgram(const QString &program, const QString &, bool) override
    {
        return launches << program, false;
    }
};

void choose(WindowFixture &f, const QString &profile)
{
    f.menu().profileCombo()->setCurrentText(profile);
}

void rename(WindowFixture &f, const QString &name)
{
    f.menu().profileNameEdit()->setText(name);
    emit f.menu().profileNameEdit()->returnPressed();
}

using Step = std::function<void(WindowFixture &)>;

// A Settings page on a desktop without browser and updater, posting where the window does.
void onSettingsPage(WindowFixture &f, void (SettingsPage::*request)())
{
    NoBrowserDesktop desktop;
    SettingsPage page(nullptr, &desktop);
    QObject::connect(&page, &SettingsPage::refused, f.ctx().notices, &Notices::refuse);
    QObject::connect(&page, &SettingsPage::informed, f.ctx().notices, &Notices::inform);
    (page.*request)();
}

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

Q_DECLARE_METATYPE(Step)

class NoticesTest : public QObject
{
    Q_OBJECT
private slots:
    void refusalsChangeNothingAndSayWhy_data()
    {
        QTest::addColumn<Step>("setUp");
        QTest::addColumn<Step>("request");
        QTest::addColumn<QString>("notice");

        const Step game = [](WindowFixture &f) {
            QVERIFY(copyProfile("PROFILE 1", "Game"));
            QVERIFY(copyProfile("PROFILE 1", "Work"));
            f.menu().refillProfileList();
            choose(f, "Game");
        };
        const Step none = [](WindowFixture &) {};
        QTest::newRow("delete built-in")
            << none << Step([](WindowFixture &f) { f.menu().deleteButton()->released(); })
            << "PROFILE 1 is a built-in profile and cannot be deleted";
        QTest::newRow("rename empty") << game << Step([](WindowFixture &f) { rename(f, ""); })
                                      << "A profile name cannot be empty";
        QTest::newRow("rename spaces") << game << Step([](WindowFixture &f) { rename(f, "   "); })
                                       << "A profile name cannot be empty";
        for (const char *bad : {"a/b", "a..b", "..", "x:y"})
            QTest::newRow(qPrintable(QString("rename %1").arg(bad)))
                << game << Step([bad](WindowFixture &f) { rename(f, bad); })
                << "A profile name cannot contain * | \\ : \" < > ? / or ..";
        QTest::newRow("rename leading space")
            << game << Step([](WindowFixture &f) { rename(f, " Game2"); })
            << "A profile name cannot begin or end with a space";
        QTest::newRow("rename duplicate")
            << game << Step([](WindowFixture &f) { rename(f, "Work"); })
            << "A profile named Work already exists";
        QTest::newRow("rename to a built-in name") << Step([game](WindowFixture &f) {
            game(f);
            QVERIFY(QDir("lightfile/PROFILE 5").removeRecursively());
        }) << Step([](WindowFixture &f) { rename(f, "PROFILE 5"); })
                                                   << "PROFILE 5 is the name of a built-in profile";
        QTest::newRow("rename built-in")
            << none << Step([](WindowFixture &f) { rename(f, "Mine"); })
            << "PROFILE 1 is a built-in profile and cannot be renamed";
        QTest::newRow("import a picture") << Step([](WindowFixture &f) {
            QVERIFY(writeText("picture.ini", QByteArray::fromHex("89504e470d0a1a0a0000")));
            f.desktop.fileName = QDir::current().absoluteFilePath("picture.ini");
        }) << Step([](WindowFixture &f) {
            f.menu().importButton()->released();
        }) << "picture.ini is not a profile export: nothing was imported";
        QTest::newRow("import a note") << Step([](WindowFixture &f) {
            QVERIFY(writeText("note.ini", "[Setting]\nshopping=milk\n"));
            f.desktop.fileName = QDir::current().absoluteFilePath("note.ini");
        }) << Step([](WindowFixture &f) { f.menu().importButton()->released(); })
                                       << "note.ini is not a profile export: nothing was imported";
        QTest::newRow("new at the limit") << Step([](WindowFixture &f) {
            for (int i = 0; i < 10; ++i)
                QVERIFY(copyProfile("PROFILE 1", QString("Spare %1").arg(i)));
            f.menu().refillProfileList();
        }) << Step([](WindowFixture &f) { f.menu().newButton()->released(); })
                                          << "No room for another profile: at most 15 are kept";
        QTest::newRow("copy at the limit") << Step([](WindowFixture &f) {
            for (int i = 0; i < 8; ++i) // 13 profiles
                QVERIFY(copyProfile("PROFILE 1", QString("Spare %1").arg(i)));
            f.menu().refillProfileList();
        }) << Step([](WindowFixture &f) { f.menu().copyProfileClicked(); })
                                           << "No room for another profile: at most 13 are kept";
        QTest::newRow("macro copy at the limit") << Step([](WindowFixture &f) {
            for (int n = 1; countEntries("macrofile") < 13; ++n)
                QVERIFY(RecordedMacroFile::create(n).ok());
            f.ctx().macros->showMacro("Macro 1");
        }) << Step([](WindowFixture &f) { f.ctx().macros->copyMacroClicked(); })
                                                 << "No room for another macro: at most 13 are kept";
        QTest::newRow("product page without a browser")
            << none << Step([](WindowFixture &f) { f.w->infoButton()->released(); })
            << "No web browser could be started: the page is "
               "https://www.orvanta-rgb.com/products/orvanta-rgb";
        QTest::newRow("website without a browser")
            << none << Step([](WindowFixture &f) { onSettingsPage(f, &SettingsPage::openWebsite); })
            << "No web browser could be started: the page is https://www.orvanta-rgb.com/";
        QTest::newRow("check for updates without an installer")
            << none << Step([](WindowFixture &f) {
                   // The check that follows goes to a closed loopback port.
                   qputenv("ORVANTA_UPDATE_URL", "http://127.0.0.1:9");
                   onSettingsPage(f, &SettingsPage::updateFirmware);
               })
            << "No update installer on this platform: checking for a newer version";
        QTest::newRow("undo with nothing to undo")
            << none << Step([](WindowFixture &f) { f.w->undoLastAction(); }) << "Nothing to undo";
    }

    void refusalsChangeNothingAndSayWhy()
    {
        QFETCH(Step, setUp);
        QFETCH(Step, request);
        QFETCH(QString, notice);
        WindowFixture f;
        NoBrowserDesktop desktop;
        f.ctx().desktop = &desktop;
        setUp(f);
        desktop.fileName = f.desktop.fileName;
        f.clear();
        const auto before = dumpDataDir();
        const QStringList listed = profileList();
        request(f);
        QCOMPARE(f.w->statusBand()->noticeText(), notice);
        QCOMPARE(dumpDataDir(), before);
        QCOMPARE(profileList(), listed);
        QCOMPARE(f.sent().size(), 0);
    }

    // A profile without stored lighting leaves the keyboard's lighting, a name
    // too long is cut: each says so.
    void changesWithANotice()
    {
        WindowFixture f;
        QVERIFY(copyProfile("PROFILE 1", "Game"));
        QFile::remove("lightfile/Game/cmd/light_cmd.ini");
        f.menu().refillProfileList();
        f.clear();
        choose(f, "Game");
        QCOMPARE(f.w->statusBand()->noticeText(),
                 QString("Game has no complete stored lighting: the keyboard keeps its lighting"));
        QCOMPARE(f.sent().size(), 0);
        rename(f, QString(70, 'n'));
        QCOMPARE(f.w->statusBand()->noticeText(),
                 "Profile names are at most 64 characters: renamed to " + QString(64, 'n'));
        QVERIFY(profileList().contains(QString(64, 'n')));
        QVERIFY(!profileList().contains("Game"));
    }

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

    // The window manager's close never ends the console. With a tray icon the
    // window hides, and the first time the tray says where it went; without one
    // the window is minimized, since a hidden console could only be found by
    // starting it again. The same on a small screen, where the window is shown
    // inside a scaled view.
    void closingHidesOrMinimizes_data()
    {
        QTest::addColumn<bool>("tray");
        QTest::addColumn<bool>("scaled");
        QTest::newRow("tray") << true << false;
        QTest::newRow("tray, scaled") << true << true;
        QTest::newRow("no tray") << false << false;
        QTest::newRow("no tray, scaled") << false << true;
    }
    void closingHidesOrMinimizes()
    {
        QFETCH(bool, tray);
        QFETCH(bool, scaled);
        WindowFixture f(Plug::ByTest);
        QSignalSpy told(f.w->createTray(), &ConsoleTray::messageShown);
        f.w->tray()->trayIcon()->setVisible(tray);
        std::unique_ptr<QWidget> view;
        if (scaled)
            view = scaledView(*f.w, 0.9);
        QWidget *top = scaled ? view.get() : static_cast<QWidget *>(f.w.get());
        for (int close = 1; close <= 2; ++close) {
            top->show();
            top->close();
            QCOMPARE(top->isHidden(), tray);
            QCOMPARE(top->isMinimized(), !tray);
            QCOMPARE(f.w->isHidden(), tray && !scaled); // inside a view, the view hides
            QCOMPARE(told.size(), tray ? 1 : 0); // the first close only
        }
        if (tray)
            QCOMPARE(told.first(),
                     (QVariantList{"ORVANTA RGB", "The console keeps running here. Quit it from "
                                                  "this icon's menu or with the Close button of "
                                                  "its window."}));
        QCOMPARE(readText("system/console_hints.ini"),
                 tray ? QString("[Hints]\nhiddenByClose=1\n") : QString());
    }
};

QTEST_MAIN(NoticesTest)
#include "tst_notices.moc"
