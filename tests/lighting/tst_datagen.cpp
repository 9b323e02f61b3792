// The factory lighting written into the data tree agrees with the builders.

#include "FactoryLighting.h"
#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingBuilders.h"

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
        CommandSender sender;
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
        QCOMPARE(IniStore::readLightColorFile().size(), 12);
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
