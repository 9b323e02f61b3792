// The factory lighting written into the data tree agrees with the builders and
// with what the page sends when APPLY is pressed on it.

#include "FactoryLighting.h"
#include "TestSupport.h"
#include "app/Globals.h"
#include "device/key_main_sand_cmd.h"
#include "lighting/LightingBuilders.h"
#include "lighting/keyboard_light_view.h"

#include <QComboBox>
#include <QPushButton>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class DatagenTest : public QObject
{
    Q_OBJECT

private slots:
    void storedSetsAreTheResetSets()
    {
        TempWorkDir dir;
        writeFactoryLighting();
        key_main_sand_cmd sender;
        sender.setPauseFunction([](unsigned) {});
        for (int n = 1; n <= 5; ++n) {
            RecordingDevice device;
            const LightCommandSet sent = resetLighting(n, 0, 0, sender, &device, "X");
            const LightCommandSet stored = readLightCommandSet(QString("PROFILE %1").arg(n));
            QCOMPARE(stored.type, n - 1);
            QCOMPARE(stored.reports.size(), sent.reports.size());
            for (int i = 0; i < sent.reports.size(); ++i)
                QCOMPARE(toBytes(stored.reports[i]), toBytes(sent.reports[i]));
            QCOMPARE(int(stored.reports.first()[2]), n); // stamped for profile n
        }
        QCOMPARE(readini::readini_light_system_color_file().size(), 12);
    }

    void applyOnTheFactoryDataSendsTheFactoryLighting_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QList<int>>("entries"); // entries that must agree
        QTest::newRow("static") << 0 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("reactive") << 1 << QList<int>{0, 1, 2, 3, 4};
        QTest::newRow("arrow flow") << 2 << QList<int>{0, 1, 2, 3, 4, 5, 6};
        QTest::newRow("wave") << 3 << QList<int>{0, 4}; // its zones come from a table
        QTest::newRow("ripple") << 4 << QList<int>{0, 1, 2, 6};
    }
    void applyOnTheFactoryDataSendsTheFactoryLighting()
    {
        QFETCH(int, effect);
        QFETCH(QList<int>, entries);
        TempWorkDir dir;
        writeFactoryLighting();
        key_main_sand_cmd sender;
        sender.setPauseFunction([](unsigned) {});
        RecordingDevice device;
        gCommandSender = &sender;
        gDeviceHandle = &device;
        {
            keyboard_light_view page;
            page.profile_number = effect + 1;
            page.profile_name = "Check";
            page.findChild<QComboBox *>("effect_combo")->setCurrentIndex(effect);
            emit page.findChild<QPushButton *>("btn_apply")->released();
        }
        gCommandSender = nullptr;
        gDeviceHandle = nullptr;
        const LightCommandSet mine = readLightCommandSet("Check");
        const LightCommandSet factory = readLightCommandSet(QString("PROFILE %1").arg(effect + 1));
        QCOMPARE(mine.type, factory.type);
        for (int i : entries)
            QVERIFY2(mine.reports[i] == factory.reports[i], qPrintable(QString::number(i)));
    }

    void buildDataTreeHoldsTheSameFiles()
    {
        const QString tree = dataTreeDir();
        const QString probe = tree + "/lightfile/PROFILE 1/cmd/light_cmd.ini";
        if (tree.isEmpty() || !QFile::exists(probe))
            QSKIP("the data tree has not been generated in this build");
        TempWorkDir dir;
        writeFactoryLighting();
        QStringList files{"system/light_flag.ini", "system/light_color.ini"};
        for (int n = 1; n <= 5; ++n)
            files << QString("lightfile/PROFILE %1/cmd/light_cmd.ini").arg(n);
        for (const QString &f : files)
            QCOMPARE(readText(tree + "/" + f), readText(f));
    }
};

QTEST_MAIN(DatagenTest)
#include "tst_datagen.moc"
