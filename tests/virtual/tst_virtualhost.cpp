// Switching the console between the USB keyboard (the fake one here) and the
// virtual keyboard: where the reports go, and the window's offer to switch.

#include "TestSupport.h"
#include "app/Globals.h"
#include "device/HidapiDevice.h"
#include "virtual/VirtualKeyboardDevice.h"
#include "virtual/ui/VirtualKeyboardHost.h"
#include "virtual/ui/VirtualKeyboardWindow.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;

class VirtualHostTest : public QObject
{
    Q_OBJECT

private slots:
    void switchesBothWaysAndKeepsOneSetOfHandles()
    {
        test::TempWorkDir dir;
        qputenv("ORVANTA_FAKEHID_DEVICES", "keyboard");
        findKeyboard(gDeviceHandle, gConsumerHandle);
        QVERIFY(gDeviceHandle);
        {
            VirtualKeyboardHost host;
            QSignalSpy switched(&host, &VirtualKeyboardHost::switched);
            host.showWindow(); // a USB keyboard is connected: only shown, with the offer
            QVERIFY(!host.inUse());
            auto *offer = host.window()->findChild<QPushButton *>();
            QVERIFY(offer && offer->isVisible());
            QTest::mouseClick(offer, Qt::LeftButton);
            QVERIFY(host.inUse());
            QCOMPARE(gDeviceHandle, static_cast<HidDevice *>(host.device()));
            QVERIFY(!offer->isVisible());
            QVERIFY(
                QFileInfo::exists(dir.path() + "/" + VirtualKeyboardDevice::defaultStateFile()) ==
                false); // nothing sent yet

            QVERIFY(host.useUsbKeyboard());
            QCOMPARE(gDeviceHandle->path(), QStringLiteral("/dev/fake-hidraw2"));
            QVERIFY(offer->isVisible());
            QCOMPARE(switched.size(), 2);

            qputenv("ORVANTA_FAKEHID_DEVICES", "none");
            host.use();
            QVERIFY(!host.useUsbKeyboard()); // unplugged: the virtual keyboard stays
            QVERIFY(host.inUse());
        }
        QCOMPARE(gDeviceHandle, nullptr); // the host takes its keyboard with it
    }
};

QTEST_MAIN(VirtualHostTest)
#include "tst_virtualhost.moc"
