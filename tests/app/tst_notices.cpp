// Nothing is refused in silence: each refusal leaves the data directory and
// the keyboard as they were and says why in the status band. Guidance where a
// newcomer gets stuck: the virtual keyboard offered while no keyboard is
// connected; a word when closing only hid the console.

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

void rename(WindowFixture &f, const QString &name)
{
    f.menu().profileNameEdit()->setText(name);
    emit f.menu().profileNameEdit()->returnPressed();
}

using Step = std::function<void(WindowFixture &)>;

// A Settings page on the window's desktop, posting where the window does.
void onSettingsPage(WindowFixture &f, void (SettingsPage::*request)())
{
    SettingsPage page(nullptr, &f.desktop);
    QObject::connect(&page, &SettingsPage::refused, f.ctx().notices, &Notices::refuse);
    QObject::connect(&page, &SettingsPage::informed, f.ctx().notices, &Notices::inform);
    (page.*request)();
}

// A button of the LIGHTING page pressed; a colour code typed into its field.
void press(LightingPage *page, const char *button)
{
    emit page->findChild<QPushButton *>(button)->released();
}
void type(LightingPage *page, const char *code)
{
    auto *edit = page->findChild<QLineEdit *>("edit_code");
    edit->setText(code);
    emit edit->returnPressed();
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
            f.menu().profileCombo()->setCurrentText("Game");
        };
        const Step none = [](WindowFixture &) {};
        QTest::newRow("delete built-in")
            << none << Step([](WindowFixture &f) { f.menu().deleteButton()->released(); })
            << "PROFILE 1 is a built-in profile and cannot be deleted";
        QTest::newRow("rename empty") << game << Step([](WindowFixture &f) { rename(f, ""); })
                                      << "A profile name cannot be empty";
        QTest::newRow("rename spaces") << game << Step([](WindowFixture &f) { rename(f, "   "); })
                                       << "A profile name cannot be empty";
        for (const char *bad : {"a/b", ".."})
            QTest::newRow(qPrintable(QString("rename %1").arg(bad)))
                << game << Step([bad](WindowFixture &f) { rename(f, bad); })
                << "A profile name cannot contain * | \\ : \" < > ? / or ..";
        QTest::newRow("rename duplicate")
            << game << Step([](WindowFixture &f) { rename(f, "Work"); })
            << "A profile named Work already exists";
        QTest::newRow("rename built-in")
            << none << Step([](WindowFixture &f) { rename(f, "Mine"); })
            << "PROFILE 1 is a built-in profile and cannot be renamed";
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
        QTest::newRow("website without a browser")
            << none << Step([](WindowFixture &f) { onSettingsPage(f, &SettingsPage::openWebsite); })
            << "No web browser could be started: the page is https://www.orvanta-rgb.com/";
        QTest::newRow("undo with nothing to undo")
            << none << Step([](WindowFixture &f) { f.w->undoLastAction(); }) << "Nothing to undo";
    }

    void refusalsChangeNothingAndSayWhy()
    {
        QFETCH(Step, setUp);
        QFETCH(Step, request);
        QFETCH(QString, notice);
        WindowFixture f;
        f.desktop.opens = false; // no web browser starts
        setUp(f);
        f.clear();
        const auto before = filesBelow(".");
        const QStringList listed = profileList();
        request(f);
        QCOMPARE(f.w->statusBand()->noticeText(), notice);
        QCOMPARE(filesBelow("."), before);
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
        f.menu().profileCombo()->setCurrentText("Game");
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

    // While the editor shows another effect than the active profile stores, a
    // line says what it stores; LOAD puts its speed and colours back into the
    // editor, APPLY stores what is shown (nothing left to tell either way).
    void loadPutsTheStoredSpeedsAndColoursIntoTheEditor()
    {
        WindowFixture f(Plug::ByTest);
        QVERIFY(f.plug());
        f.activate(2);
        QVERIFY(f.settled());
        f.w->showLightingPage();
        LightingPage *page = f.ctx().lighting;
        auto *effects = page->findChild<QComboBox *>("effect_combo");
        auto *label = page->findChild<QLabel *>("stored_lighting_label");
        auto *speed = page->findChild<QSlider *>("speed_slider");
        // Static, pulsing at speed 2: every key 102030 but three painted ff8000.
        effects->setCurrentIndex(EffectStatic);
        for (const char *button : {"btn_pulse", "btn_full"})
            press(page, button);
        type(page, "102030");
        press(page, "btn_customized");
        type(page, "ff8000");
        QVERIFY(page->paintKeys({0, 5, 17}));
        speed->setValue(2);
        f.clear();
        press(page, "btn_apply");
        QVERIFY(label->isHidden());
        const QVector<QByteArray> stored = f.sent();
        QVERIFY(!stored.isEmpty());
        f.clear();

        // The user changes the editor without applying.
        for (const char *button : {"btn_full", "btn_static"})
            press(page, button);
        type(page, "333333");
        speed->setValue(0);
        effects->setCurrentIndex(EffectReactive);
        QCOMPARE(label->text(), QString("PROFILE 2: Static"));
        QVERIFY(!label->isHidden());

        press(page, "btn_load_stored");
        QCOMPARE(effects->currentIndex(), int(EffectStatic));
        QVERIFY(label->isHidden());
        QCOMPARE(speed->value(), 2);
        for (const auto &[key, code] : {std::pair{0, "ff8000"}, {17, "ff8000"}, {1, "102030"}}) {
            const Rgb c = page->keyColour(key);
            QCOMPARE(QString::asprintf("%02x%02x%02x", c.r, c.g, c.b), QString(code));
        }
        press(page, "btn_apply");
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
        QCOMPARE(readText("system/console_hints.ini"),
                 tray ? QString("[Hints]\nhiddenByClose=1\n") : QString());
    }
};

QTEST_MAIN(NoticesTest)
#include "tst_notices.moc"
