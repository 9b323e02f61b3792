// Discovery through hidapi, against the fake keyboard (preloaded by CTest).

#include "TestSupport.h"
#include "device/HidapiDevice.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class DiscoveryTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(!qEnvironmentVariable("ORVANTA_FAKEHID_PRELOAD").isEmpty(),
                 "the fake keyboard must be preloaded");
    }

    void keepsTheInterfacesByUsage_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<QString>("vendorPath");
        QTest::addColumn<QString>("consumerPath");
        QTest::newRow("keyboard with both interfaces")
            << "keyboard" << "/dev/fake-hidraw2" << "/dev/fake-hidraw0";
        QTest::newRow("foreign product only") << "foreign" << "" << "";
        QTest::newRow("no device") << "none" << "" << "";
        QTest::newRow("another vendor only") << "other" << "" << "";
        QTest::newRow("two vendor interfaces: the later wins")
            << "vendor,consumer,vendor" << "/dev/fake-hidraw2" << "/dev/fake-hidraw1";
        QTest::newRow("foreign product beside the keyboard")
            << "foreign,keyboard" << "/dev/fake-hidraw3" << "/dev/fake-hidraw1";
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

    void keptHandleSendsToTheKeyboard()
    {
        qputenv("ORVANTA_FAKEHID_DEVICES", "keyboard");
        QTemporaryDir dir;
        const QString log = dir.filePath("reports.log");
        qputenv("ORVANTA_FAKEHID_LOG", log.toUtf8());
        HidDevice *vendor = nullptr, *consumer = nullptr;
        findKeyboard(vendor, consumer);
        QVERIFY(vendor);
        const Report r = reportOf({{0, 7}, {1, 1}, {2, 3}});
        QVERIFY(vendor->sendFeatureReport(r.data(), r.size()));
        const QStringList fields = readText(log).trimmed().split(' ');
        QCOMPARE(fields.size(), 4);
        QCOMPARE(fields[1], QStringLiteral("/dev/fake-hidraw2"));
        QCOMPARE(fields[2], QStringLiteral("264"));
        QCOMPARE(fields[3], hex(toBytes(r)));
        qunsetenv("ORVANTA_FAKEHID_LOG");
        qputenv("ORVANTA_FAKEHID_FAIL_SEND", "1");
        QVERIFY(!vendor->sendFeatureReport(r.data(), r.size()));
        qunsetenv("ORVANTA_FAKEHID_FAIL_SEND");
        delete vendor;
        delete consumer;
    }

    void diagnosisNamesEveryInterfaceAndWhyItCannotOpen()
    {
        qputenv("ORVANTA_FAKEHID_DEVICES", "foreign,keyboard");
        auto found = diagnoseKeyboard();
        QCOMPARE(found.size(), 4);
        QCOMPARE(found[0].role, InterfaceReport::ForeignProduct);
        QVERIFY(!found[0].chosen);
        int chosen = 0;
        for (const auto &i : found)
            chosen += i.chosen;
        QCOMPARE(chosen, 2);
        qputenv("ORVANTA_FAKEHID_OPEN", "deny");
        found = diagnoseKeyboard();
        for (const auto &i : found) {
            QVERIFY(!i.chosen);
            if (i.role == InterfaceReport::Vendor)
                QVERIFY2(i.openError.contains("ermission"), qPrintable(i.openError));
        }
        qunsetenv("ORVANTA_FAKEHID_OPEN");
    }
};

QTEST_GUILESS_MAIN(DiscoveryTest)
#include "tst_discovery.moc"
