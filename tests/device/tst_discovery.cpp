// Discovery through hidapi, against the fake keyboard (preloaded by CTest).

#include "TestSupport.h"
#include "core/device/HidapiDevice.h"

#include <QtTest>

using namespace orvanta;

class DiscoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void keepsTheInterfacesByUsage_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<QString>("vendorPath");
        QTest::addColumn<QString>("consumerPath");
        QTest::newRow("keyboard with both interfaces") << "keyboard"
                                                       << "/dev/fake-hidraw2"
                                                       << "/dev/fake-hidraw0";
        QTest::newRow("foreign product only") << "foreign"
                                              << ""
                                              << "";
        QTest::newRow("no device") << "none"
                                   << ""
                                   << "";
        QTest::newRow("two vendor interfaces: the later wins") << "vendor,consumer,vendor"
                                                               << "/dev/fake-hidraw2"
                                                               << "/dev/fake-hidraw1";
    }
    void keepsTheInterfacesByUsage()
    {
        QFETCH(QString, devices);
        QFETCH(QString, vendorPath);
        QFETCH(QString, consumerPath);
        qputenv("ORVANTA_FAKEHID_DEVICES", devices.toUtf8());
        if (devices == "foreign")
            QTest::ignoreMessage(QtInfoMsg, "close usb");
        HidDevice *vendor = nullptr, *consumer = nullptr;
        findKeyboard(vendor, consumer);
        QCOMPARE(vendor ? vendor->path() : QString(), vendorPath);
        QCOMPARE(consumer ? consumer->path() : QString(), consumerPath);
        delete vendor;
        delete consumer;
    }
};

QTEST_GUILESS_MAIN(DiscoveryTest)
#include "tst_discovery.moc"
