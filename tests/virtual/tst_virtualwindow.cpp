// The virtual keyboard window: keys lit from the memory (also when reports come
// from another thread), the active profile named, hover texts, the pulse, key
// positions at small sizes; and switching the console between the USB keyboard
// (the fake one here) and the virtual one through the keyboard link.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/lighting/LightingBuilders.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "ui/virtual/VirtualKeyboardHost.h"
#include "ui/virtual/VirtualKeyboardWindow.h"

#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QThread>
#include <QtTest>

using namespace orvanta;

class VirtualWindowTest : public QObject
{
    Q_OBJECT

    CommandSender sender;
    test::PauseRecorder pauses;

    void paint(VirtualKeyboardDevice &keyboard, const Rgb &c, int profile)
    {
        LightingState s;
        s.ledR.fill(c.r);
        s.ledG.fill(c.g);
        s.ledB.fill(c.b);
        LightCommandSet set = buildLightCommandSet(EffectStatic, s);
        sendLightCommandSet(sender, &keyboard, set, quint8(profile));
    }
    static bool allKeys(const KeyColours &keys, const QColor &c)
    {
        return std::all_of(keys.begin(), keys.end(), [&](const QColor &k) { return k == c; });
    }

private slots:
    void initTestCase() { sender.setPauseFunction(pauses.function()); }

    void followsReportsSentFromAnotherThreadAndPulses()
    {
        VirtualKeyboardDevice keyboard;
        VirtualKeyboardWindow window(&keyboard);
        QCOMPARE(window.windowTitle(), QStringLiteral("ORVANTA RGB virtual keyboard"));
        QCOMPARE(window.profileText(), QStringLiteral("ON-BOARD PROFILE 1"));
        QThread *worker = QThread::create([&] {
            sender.selectProfile(&keyboard, 3);
            paint(keyboard, {0, 0, 200}, 3);
        });
        worker->start();
        QVERIFY(worker->wait(5000));
        delete worker;
        QTRY_COMPARE(window.profileText(), QStringLiteral("ON-BOARD PROFILE 3"));
        VirtualKeyboardCanvas *canvas = window.canvas();
        QVERIFY(allKeys(canvas->keyColoursAt(canvas->now()), QColor(0, 0, 200)));

        sender.sendAppLight(&keyboard, 9);
        QCoreApplication::processEvents(); // the queued notices of the reports
        const qint64 t = canvas->now();
        const QColor flash = canvas->keyColoursAt(t)[0];
        QVERIFY(flash.red() > 100 && flash.blue() > 200);
        QVERIFY(allKeys(canvas->keyColoursAt(t + 400), QColor(0, 0, 200))); // faded
    }

    void keysAreFoundAndExplainedAtAnySize_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("small") << QSize(300, 180);
        QTest::newRow("wide") << QSize(1600, 500);
    }
    void keysAreFoundAndExplainedAtAnySize()
    {
        QFETCH(QSize, size);
        VirtualKeyboardDevice keyboard;
        sender.setSingleKey(0x04, 0x3E); // A sends F5
        sender.writeKeyMap(&keyboard, 1);
        sender.resetKeyMap();
        VirtualKeyboardWindow window(&keyboard);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.canvas()->hoverText(42), QStringLiteral("A\nSends F5"));
        QCOMPARE(window.canvas()->hoverText(0), QStringLiteral("ESC\nDefault"));
        VirtualKeyboardCanvas *canvas = window.canvas();
        QSet<int> found;
        for (int x = 0; x < canvas->width(); ++x)
            for (int y = 0; y < canvas->height(); ++y)
                found.insert(canvas->keyAt({x, y}));
        for (int k = 0; k < kKeyCount; ++k)
            QCOMPARE(found.contains(k), KEY_TABLE[size_t(k)].label != nullptr);
    }

    void hostSwitchesBothWaysThroughTheLink()
    {
        test::TempWorkDir dir;
        qputenv("ORVANTA_FAKEHID_DEVICES", "keyboard");
        KeyboardLink link;
        link.setPauseFunction([](unsigned) {});
        QVERIFY(link.discover());
        {
            VirtualKeyboardHost host(&link);
            QSignalSpy switched(&host, &VirtualKeyboardHost::switched);
            host.showWindow(); // a USB keyboard is connected: only shown, with the offer
            QVERIFY(!host.inUse());
            auto *offer = host.window()->findChild<QPushButton *>();
            QVERIFY(offer && offer->isVisible());
            QTest::mouseClick(offer, Qt::LeftButton);
            QVERIFY(host.inUse() && !offer->isVisible());
            QCOMPARE(link.state(), KeyboardLink::State::Virtual);

            KeyboardLink::Operation select; // now reaches the virtual keyboard
            select.steps.push_back({CommandSender::selectProfileReport(4), 100});
            link.enqueue(select);
            QVERIFY(link.waitForIdle(5000));
            QCOMPARE(host.device()->state().activeProfile, 4);

            QVERIFY(host.useUsbKeyboard());
            QCOMPARE(link.state(), KeyboardLink::State::Connected);
            QVERIFY(offer->isVisible());
            QCOMPARE(switched.size(), 2);

            // Taken without a keyboard, a keyboard plugged in later is offered once.
            qputenv("ORVANTA_FAKEHID_DEVICES", "none");
            host.use();
            QVERIFY(!host.useUsbKeyboard()); // unplugged: the virtual keyboard stays
            QVERIFY(host.inUse());
            QSignalSpy available(&host, &VirtualKeyboardHost::usbKeyboardAvailable);
            qputenv("ORVANTA_FAKEHID_DEVICES", "keyboard");
            QVERIFY(available.wait(3 * VirtualKeyboardHost::kUsbCheckMs));
            QVERIFY(!available.wait(VirtualKeyboardHost::kUsbCheckMs + 500));
            QCOMPARE(available.size(), 1);
        }
        // The host takes its keyboard with it: the link never sends to it again.
        QVERIFY(link.state() != KeyboardLink::State::Virtual);
    }
};

QTEST_MAIN(VirtualWindowTest)
#include "tst_virtualwindow.moc"
