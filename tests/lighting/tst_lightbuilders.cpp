// Lighting report sets: exact mode reports per effect and option, colour pages,
// zone interpolation, SURFACE pages, the stored command file and the factory sets.

#include "LightingTestSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingBuilders.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QtTest>
#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// "12=5 13=4" -> report with those bytes, everything else zero.
Report bytesOf(const QString &bytes)
{
    Report r = zeroReport();
    for (const QString &item : bytes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList kv = item.split(QLatin1Char('='));
        r[kv[0].toInt()] = quint8(kv[1].toInt());
    }
    return r;
}

QList<int> commandsOf(const QVector<QByteArray> &reports)
{
    QList<int> out;
    for (const QByteArray &r : reports)
        out << quint8(r[1]);
    return out;
}

} // namespace

class LightBuildersTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    RecordingDevice device;
    PauseRecorder pauses;
    CommandSender sender;

    LightCommandSet apply(int effect, const LightingState &state, int profile = 3)
    {
        return applyLighting(effect, state, sender, &device, profile, QStringLiteral("P"));
    }

private slots:
    void init()
    {
        dir.reset(new TempWorkDir);
        device.reports.clear();
        pauses.pauses.clear();
        sender.setPauseFunction(pauses.function());
    }
    void cleanup() { dir.reset(); }

    void modeReports_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("options");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("closing");
        // clang-format off
        QTest::newRow("static steady") << 0 << "mode=0,ms=0" << "16=8 22=2" << "13=4 16=8 22=2";
        QTest::newRow("static spectrum slow")
            << 0 << "mode=5,ms=6" << "12=5 16=8 21=6 22=2" << "12=5 13=4 16=8 21=6 22=2";
        QTest::newRow("reactive")
            << 1 << "" << "12=1 16=8 18=4 19=8 22=2" << "12=1 13=4 16=8 18=4 19=8 22=2";
        QTest::newRow("arrow both ways rolling")
            << 2 << "left,right,yes" << "15=0 17=1" << "12=2 13=4 15=0 17=1";
        QTest::newRow("arrow left no rolling") << 2 << "left,no" << "15=1" << "12=2 13=4 15=1";
        QTest::newRow("arrow never edited") << 2 << "" << "17=1" << "12=2 13=4 17=1";
        QTest::newRow("wave left slow")
            << 3 << "left,sp=16" << "12=3 16=8 18=16 19=80" << "12=3 13=4 16=8 18=16 19=80";
        QTest::newRow("ripple rolling") << 4 << "yes" << "12=4 16=8 18=4 19=255 20=1 22=2"
                                        << "12=4 13=4 16=2 18=4 19=2 20=1 22=2";
        QTest::newRow("ripple no rolling")
            << 4 << "no" << "12=4 16=8 18=4 19=255 22=2" << "12=4 13=4 16=2 18=4 19=2 22=2";
        // clang-format on
    }
    void modeReports()
    {
        QFETCH(int, effect);
        QFETCH(QString, options);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        LightingState state;
        state.flag = flagOf(options);
        apply(effect, state);
        QVERIFY(device.reports.size() >= 3);
        const QString head = "0=7 1=2 2=3 8=3 ";
        QCOMPARE(hex(device.reports.first()), hex(toBytes(bytesOf(head + opening))));
        QCOMPARE(hex(device.reports.last()), hex(toBytes(bytesOf(head + closing))));
    }

    void sequencesAndPauses_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QList<int>>("commands");
        QTest::addColumn<int>("stored");
        QTest::newRow("static") << 0 << QList<int>{2, 9, 9, 9, 2} << 5;
        QTest::newRow("reactive") << 1 << QList<int>{2, 10, 10, 10, 2} << 5;
        QTest::newRow("arrow") << 2 << QList<int>{2, 12, 12, 13, 2} << 7;
        QTest::newRow("wave") << 3 << QList<int>{2, 13, 2} << 5;
        QTest::newRow("ripple") << 4 << QList<int>{2, 10, 10, 10, 12, 12, 13, 2} << 7;
    }
    void sequencesAndPauses()
    {
        QFETCH(int, effect);
        QFETCH(QList<int>, commands);
        QFETCH(int, stored);
        const LightCommandSet set = apply(effect, LightingState{}, 2);
        QCOMPARE(commandsOf(device.reports), commands);
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(quint8(r[2])), 2);
        QCOMPARE(pauses.pauses, QVector<unsigned>(commands.size(), 100));
        QCOMPARE(set.type, effect);
        QCOMPARE(set.reports.size(), stored);
        const QStringList file = IniStore::readLightCmd("P");
        QCOMPARE(file.size(), stored + 1);
        QCOMPARE(file.first(), QString::number(effect));
        for (int i = 0; i < stored; ++i)
            QCOMPARE(file[i + 1], joinNumbers(set.reports[i]));
        // the closing entry is stored as the sender stamped it
        const QByteArray closing = device.reports.last();
        QCOMPARE(file.last(), joinNumbers(QVector<quint8>(closing.begin(), closing.end())));
    }

    void ledPagesCarryTheBuffers()
    {
        LightingState state;
        state.ledR[5] = 77;  // below the key slots
        state.ledR[8] = 300; // sent as its low byte
        state.ledG[129] = 12;
        state.ledB[263] = 255;
        apply(0, state);
        Report red = bytesOf("0=7 1=9 2=3 3=1 8=44");
        QCOMPARE(hex(device.reports[1]), hex(toBytes(red)));
        QCOMPARE(hex(device.reports[2]), hex(toBytes(bytesOf("0=7 1=9 2=3 3=2 129=12"))));
        QCOMPARE(hex(device.reports[3]), hex(toBytes(bytesOf("0=7 1=9 2=3 3=3 263=255"))));

        device.reports.clear();
        apply(1, state); // Reactive carries every slot; the sender stamps its header bytes
        QCOMPARE(hex(device.reports[1]), hex(toBytes(bytesOf("0=7 1=10 2=3 3=1 4=1 5=77 8=44"))));
    }

    void zoneInterpolation_data()
    {
        QTest::addColumn<bool>("middle");
        QTest::newRow("end stops only") << false;
        QTest::newRow("stop at slot 5") << true;
    }
    void zoneInterpolation()
    {
        QFETCH(bool, middle);
        StopSlots stops = defaultStops();
        if (middle)
            stops[5] = {true, {10, 200, 255}};
        const ZoneColors z = interpolateZones(stops);
        if (!middle) {
            for (int i = 0; i < 20; ++i)
                QCOMPARE(z.r[i], 255 - 12 * i); // 255 / 20 = 12 per zone
            QCOMPARE(z.r[19], 27);
            QCOMPARE(z.r[20] + z.r[21], 0);
            QCOMPARE(z.g, decltype(z.g){});
            QCOMPARE(z.b, decltype(z.b){});
        } else {
            QCOMPARE((QList<int>{z.r[10], z.g[10], z.b[10]}), (QList<int>{10, 200, 255}));
            // red falls (255 - 10) / 10 = 24 per zone, green and blue rise 20 and 25
            QCOMPARE(z.r[1], 231);
            QCOMPARE(z.b[9], 9 * 25);
            // from slot 5 to black: 10 / 10 = 1, 200 / 10 = 20, 255 / 10 = 25
            QCOMPARE(z.r[11], 9);
            QCOMPARE(z.g[19], 200 - 9 * 20);
            QCOMPARE(z.b[19], 255 - 9 * 25);
            QCOMPARE(z.b[20] + z.b[21], 0);
        }

        // Arrow Flow with CUSTOMIZED sends exactly these zones in its table's second slot.
        LightingState state;
        state.flag.customized = true;
        state.stops = stops;
        apply(2, state);
        const QByteArray table = device.reports[3];
        QCOMPARE(zonesIn(table, 76), z.r);
        QCOMPARE(zonesIn(table, 98), z.g);
        QCOMPARE(zonesIn(table, 120), z.b);
        QCOMPARE(int(quint8(table[74])), 1);
        QCOMPARE(int(quint8(table[75])), 0x15);
    }

    void surface_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<bool>("on");
        QTest::newRow("arrow on") << 2 << true;
        QTest::newRow("arrow off") << 2 << false;
        QTest::newRow("ripple on") << 4 << true;
    }
    void surface()
    {
        QFETCH(int, effect);
        QFETCH(bool, on);
        LightingState state;
        state.surfaceColor = {11, 22, 33};
        // only the shown effect's own switch counts
        state.surfaceOnArrow = effect == 2 ? on : !on;
        state.surfaceOnRipple = effect == 4 ? on : !on;
        const LightCommandSet set = apply(effect, state);
        const int page0 = effect == 2 ? 0 : 1;
        Report s1 = reportOf({{0, 7}, {1, 12}, {2, 3}, {3, page0}, {4, 1}});
        Report s2 = reportOf({{0, 7}, {1, 12}, {2, 3}, {3, page0}, {4, 2}});
        for (int i = 8; i <= 135; ++i) {
            s1[i] = on ? 11 : 0;
            s1[i + 128] = on ? 22 : 0;
            s2[i] = on ? 33 : 0;
        }
        QCOMPARE(hex(toBytes(set.reports[1])), hex(toBytes(s1)));
        QCOMPARE(hex(toBytes(set.reports[2])), hex(toBytes(s2)));
        const int sentAt = effect == 2 ? 1 : 4;
        QCOMPARE(hex(device.reports[sentAt]), hex(toBytes(s1)));
        QCOMPARE(hex(device.reports[sentAt + 1]), hex(toBytes(s2)));
    }

    void readingAShortFileStaysBounded()
    {
        QVERIFY(writeText("lightfile/S/cmd/light_cmd.ini", "[Setting]\ntype=3\n0=\"7,2,x\"\n"));
        const LightCommandSet set = readLightCommandSet("S");
        QCOMPARE(set.type, 3);
        QCOMPARE(set.reports.size(), 5);
        QCOMPARE(toBytes(set.reports[0]), toBytes(bytesOf("0=7 1=2")));
        QCOMPARE(toBytes(set.reports[4]), toBytes(zeroReport()));
        QVERIFY(writeText("lightfile/S/cmd/light_cmd.ini", "[Setting]\ntype=9\n"));
        QCOMPARE(readLightCommandSet("S").type, -1);
    }
};

QTEST_GUILESS_MAIN(LightBuildersTest)
#include "tst_lightbuilders.moc"
