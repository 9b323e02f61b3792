// Switching the console between the USB keyboard (the fake one here) and the
// virtual keyboard through the keyboard link: where the reports go, the
// window's offer to switch, and the offer when a keyboard is plugged in.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/device/KeyboardLink.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "ui/virtual/VirtualKeyboardHost.h"
#include "ui/virtual/VirtualKeyboardWindow.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;

class VirtualHostTest : public QObject
{
    Q_OBJECT

private slots:
    void switchesBothWaysThroughTheLink()
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
            QVERIFY(host.inUse());
            QCOMPARE(link.state(), KeyboardLink::State::Virtual);
            QVERIFY(!offer->isVisible());

            // What the link sends now reaches the virtual keyboard.
            KeyboardLink::Operation select;
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

QTEST_MAIN(VirtualHostTest)
#include "tst_virtualhost.moc"
