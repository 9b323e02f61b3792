// What APPLY and LED RESET send and store: exact mode reports per effect and
// option, colour pages, zone interpolation, SURFACE pages and the stored
// command file; then the LIGHTING page's model without its widgets: per-key
// colours, the stops of user and built-in patterns, the gradient passed between
// effects, and SURFACE.

#include "LightingTestSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/LightingModel.h"
#include "core/lighting/PatternStore.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{
const QString kProfile = QStringLiteral("Mine");

// "12=5 13=4" -> the report with those bytes, everything else zero, as hex.
QString bytesOf(const QString &bytes)
{
    Report r = zeroReport();
    for (const QString &item : bytes.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        r[item.section('=', 0, 0).toInt()] = quint8(item.section('=', 1).toInt());
    return hex(toBytes(r));
}

bool sameStops(const StopSlots &a, const StopSlots &b)
{
    for (int i = 0; i < kStopSlots; ++i)
        if (a[i].present != b[i].present || (a[i].present && a[i].color != b[i].color))
            return false;
    return true;
}

// The page opens on Static; the EFFECT list switches.
void show(LightingModel &m, int k)
{
    m.leaveEffectFor(k);
    m.enterEffect(k);
    m.loadEffectColours();
}
} // namespace

class LightingModelTest : public QObject
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
        QTest::addColumn<EffectFlag>("options");
        QTest::addColumn<QString>("opening");
        QTest::addColumn<QString>("closing");
        // clang-format off
        QTest::newRow("static steady") << 0 << flagOf("") << "16=8 22=2" << "13=4 16=8 22=2";
        QTest::newRow("static spectrum slow")
            << 0 << flagOf("", 5, 6) << "12=5 16=8 21=6 22=2" << "12=5 13=4 16=8 21=6 22=2";
        QTest::newRow("reactive")
            << 1 << flagOf("") << "12=1 16=8 18=4 19=8 22=2" << "12=1 13=4 16=8 18=4 19=8 22=2";
        QTest::newRow("arrow both ways rolling") << 2 << flagOf("lry") << "15=0 17=1" << "12=2 13=4 15=0 17=1";
        QTest::newRow("arrow left no rolling") << 2 << flagOf("ln") << "15=1" << "12=2 13=4 15=1";
        QTest::newRow("arrow never edited") << 2 << flagOf("") << "17=1" << "12=2 13=4 17=1";
        QTest::newRow("wave left slow")
            << 3 << flagOf("l", 0, 0, 16) << "12=3 16=8 18=16 19=80" << "12=3 13=4 16=8 18=16 19=80";
        QTest::newRow("ripple rolling") << 4 << flagOf("y") << "12=4 16=8 18=4 19=255 20=1 22=2"
                                        << "12=4 13=4 16=2 18=4 19=2 20=1 22=2";
        QTest::newRow("ripple no rolling")
            << 4 << flagOf("n") << "12=4 16=8 18=4 19=255 22=2" << "12=4 13=4 16=2 18=4 19=2 22=2";
        // clang-format on
    }
    void modeReports()
    {
        QFETCH(int, effect);
        QFETCH(EffectFlag, options);
        QFETCH(QString, opening);
        QFETCH(QString, closing);
        LightingState state;
        state.flag = options;
        apply(effect, state);
        QVERIFY(device.reports.size() >= 3);
        const QString head = "0=7 1=2 2=3 8=3 ";
        QCOMPARE(hex(device.reports.first()), bytesOf(head + opening));
        QCOMPARE(hex(device.reports.last()), bytesOf(head + closing));
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
        QList<int> sent;
        for (const QByteArray &r : device.reports) {
            sent << quint8(r[1]);
            QCOMPARE(int(quint8(r[2])), 2);
        }
        QCOMPARE(sent, commands);
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
        QCOMPARE(hex(device.reports[1]), bytesOf("0=7 1=9 2=3 3=1 8=44"));
        QCOMPARE(hex(device.reports[2]), bytesOf("0=7 1=9 2=3 3=2 129=12"));
        QCOMPARE(hex(device.reports[3]), bytesOf("0=7 1=9 2=3 3=3 263=255"));
        device.reports.clear();
        apply(1, state); // Reactive carries every slot; the sender stamps its header bytes
        QCOMPARE(hex(device.reports[1]), bytesOf("0=7 1=10 2=3 3=1 4=1 5=77 8=44"));
    }

    void zoneInterpolation()
    {
        // End stops only: red falls 255 / 20 = 12 per zone, black from zone 20.
        ZoneColors z = interpolateZones(defaultStops());
        for (int i = 0; i < kZoneCount; ++i)
            QCOMPARE((QList<int>{z.r[i], z.g[i], z.b[i]}),
                     (QList<int>{i < 20 ? 255 - 12 * i : 0, 0, 0}));
        // A stop at slot 5 (zone 10): red falls (255 - 10) / 10 = 24 per zone, green and
        // blue rise by 20 and 25; then on to black by 1, 20 and 25.
        const StopSlots stops = stopsAt({{5, {10, 200, 255}}});
        z = interpolateZones(stops);
        QCOMPARE((QList<int>{z.r[1], z.b[9], z.r[10], z.g[10], z.b[10], z.r[11], z.g[19], z.b[19],
                             z.b[20] + z.b[21]}),
                 (QList<int>{231, 225, 10, 200, 255, 9, 20, 30, 0}));

        // Arrow Flow with CUSTOMIZED sends exactly these zones in its table's second slot.
        LightingState state;
        state.flag.customized = true;
        state.stops = stops;
        apply(2, state);
        const QByteArray table = device.reports[3];
        QCOMPARE(zonesIn(table, 76), z.r);
        QCOMPARE(zonesIn(table, 98), z.g);
        QCOMPARE(zonesIn(table, 120), z.b);
        QCOMPARE(hex(table.mid(74, 2)), QStringLiteral("0115"));
    }

    void surfacePages()
    {
        // effect, its own switch; only the shown effect's switch counts
        for (const auto &[effect, on] : {std::pair{2, true}, {2, false}, {4, true}}) {
            device.reports.clear();
            LightingState state;
            state.surfaceColor = {11, 22, 33};
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
            const int sentAt = effect == 2 ? 1 : 4;
            QCOMPARE((QStringList{hex(toBytes(set.reports[1])), hex(toBytes(set.reports[2])),
                                  hex(device.reports[sentAt]), hex(device.reports[sentAt + 1])}),
                     (QStringList{hex(toBytes(s1)), hex(toBytes(s2)), hex(toBytes(s1)),
                                  hex(toBytes(s2))}));
        }
    }

    void readingAShortFileStaysBounded()
    {
        QVERIFY(writeText("lightfile/S/cmd/light_cmd.ini", "[Setting]\ntype=3\n0=\"7,2,x\"\n"));
        const LightCommandSet set = readLightCommandSet("S");
        QCOMPARE(set.type, 3);
        QCOMPARE(set.reports.size(), 5);
        QCOMPARE(hex(toBytes(set.reports[0])), bytesOf("0=7 1=2"));
        QCOMPARE(toBytes(set.reports[4]), toBytes(zeroReport()));
        QVERIFY(writeText("lightfile/S/cmd/light_cmd.ini", "[Setting]\ntype=9\n"));
        QCOMPARE(readLightCommandSet("S").type, -1);
    }

    void applySendsAndSavesTheShownEffect()
    {
        QVERIFY(writeText("system/light_flag.ini", "[wave]\nright=1\nspeediness=5\n"));
        LightingModel m;
        show(m, EffectWave);
        QVERIFY(m.choose(LightingModel::OptionLeft) && !m.choose(LightingModel::OptionLeft));
        QVERIFY(m.apply(2, kProfile, &sender, &device).ok());
        QCOMPARE(device.reports.size(), 3);
        const QByteArray opening = device.reports.first(); // Wave, left, speed code 5
        QCOMPARE((QList<int>{opening[2], opening[12], opening[17], opening[18]}),
                 (QList<int>{2, 3, 0, 5}));
        QCOMPARE(readLightCommandSet(kProfile).type, int(EffectWave));
        QVERIFY(readEffectRecords()[EffectWave] == m.flag());
        QVERIFY(readKeyColorSets()[0] == m.staticColors());

        // Without a keyboard APPLY still stores the set.
        device.reports.clear();
        QVERIFY(m.apply(2, "Other", nullptr, nullptr).ok());
        QVERIFY(device.reports.isEmpty());
        QCOMPARE(readLightCommandSet("Other").type, int(EffectWave));
    }

    void ledResetSendsTheFactoryLightingOnly()
    {
        LightingModel m;
        show(m, EffectStatic);
        QVERIFY(m.choose(LightingModel::OptionPulse));
        const EffectFlag working = m.flag();
        QVERIFY(m.resetProfile(4, kProfile, &sender, &device).ok());
        QCOMPARE(device.reports.size(), 3);
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(quint8(r[2])), 4);
        QCOMPARE(int(quint8(device.reports[0][10])), 0); // factory Wave runs left
        QVERIFY(m.flag() == working);
        QVERIFY(!QFile::exists("system/light_flag.ini"));
        QCOMPARE(readLightCommandSet(kProfile).type, 3);
        for (int n : {0, 6}) { // no such profile: nothing sent or stored
            device.reports.clear();
            QVERIFY(m.resetProfile(n, "None", &sender, &device).ok());
            QVERIFY(device.reports.isEmpty() && readLightCommandSet("None").type == -1);
        }
    }

    void perKeyColoursGoToTheShownEffect()
    {
        LightingModel m;
        show(m, EffectStatic);
        m.choose(LightingModel::OptionCustomized);
        QVERIFY(m.perKeyEditing());
        m.paintKey(14, {1, 2, 3}); // "1": slot 17
        QCOMPARE(m.leds().ledG[17], 2);
        QCOMPARE(m.staticColors().keyColor(14), (Rgb{1, 2, 3}));
        QVERIFY(!m.fillAllKeys({9, 9, 9})); // only with FULL
        const KeyColorSet before = m.staticColors();
        m.paintKey(200, {9, 9, 9}); // no such key
        QVERIFY(m.staticColors() == before);

        show(m, EffectReactive);
        QCOMPARE(m.leds().ledG[17], 0);
        m.choose(LightingModel::OptionFull);
        QVERIFY(!m.perKeyEditing() && m.fillAllKeys({0, 0, 255}));
        for (int s = 0; s < kLedSlotCount; ++s)
            QCOMPARE(m.reactiveColors().ledB[s] + m.leds().ledB[s], 510);
        QCOMPARE(m.staticColors().keyColor(14), (Rgb{1, 2, 3}));
        show(m, EffectStatic); // the remembered set comes back
        QCOMPARE(m.leds().ledG[17], 2);
    }

    void onlyUserPatternsTakeStopEdits()
    {
        for (int n = 1; n <= 6; ++n)
            IniStore::createPatternFile(n, kProfile);
        LightingModel m;
        show(m, EffectArrowFlow);
        m.choose(LightingModel::OptionCustomized);
        m.setPatternIndex(2);
        m.choosePattern(2, kProfile);
        const QString builtIn = readText(IniStore::patternPath(3, kProfile));
        QCOMPARE(m.addStop(), -1);
        m.selectStopAtX(slotX(0));
        QVERIFY(!m.recolourSelectedStop({1, 1, 1}));
        m.savePatternFile(kProfile);
        QCOMPARE(readText(IniStore::patternPath(3, kProfile)), builtIn);
        QVERIFY(!m.deletePattern(kProfile));

        m.choosePattern(5, kProfile); // a user pattern takes edits (driven through the page)
        QCOMPARE(m.flag().comboCount, 5);
        QCOMPARE(m.addStop(), 1);

        SaveResult saved;
        QCOMPARE(m.addPattern(kProfile, &saved), 6);
        QCOMPARE(m.flag().comboCount, 6);
        m.choosePattern(6, kProfile);
        QVERIFY(m.deletePattern(kProfile));
        QCOMPARE(m.flag().comboCount, 5);
        QCOMPARE(patternCount(kProfile), 6);
    }

    void gradientEffectsTakeOverTheEditedStops()
    {
        for (int n = 1; n <= 6; ++n)
            IniStore::createPatternFile(n, kProfile);
        const StopSlots six = stopsAt({{4, {0, 255, 0}}, {7, {0, 0, 255}}});
        savePattern(5, six, {1, 2, 3}, kProfile);
        LightingModel m;
        show(m, EffectRipple);
        m.setPatternIndex(5);
        m.choosePattern(5, kProfile);
        show(m, EffectWave);
        QVERIFY(sameStops(m.stops(), six));
        show(m, EffectStatic);
        show(m, EffectArrowFlow);
        QVERIFY(sameStops(m.stops(), six));
        QCOMPARE(m.surfaceColor(), (Rgb{1, 2, 3}));
        m.choose(LightingModel::OptionCustomized);
        m.apply(1, kProfile, &sender, &device);
        const ZoneColors z = interpolateZones(six);
        QCOMPARE(zonesIn(device.reports.value(3), 76), z.r);
        QCOMPARE(zonesIn(device.reports.value(3), 120), z.b);
    }

    void surfaceSwitchAndSwatch()
    {
        LightingModel m;
        show(m, EffectStatic);
        QVERIFY(!m.toggleSurface() && !m.toggleSwatch()); // Static has none
        show(m, EffectArrowFlow);
        QVERIFY(m.toggleSurface() && m.surfaceOn());
        QVERIFY(m.toggleSwatch() && m.surfaceSelected());
        show(m, EffectRipple);
        QVERIFY(!m.surfaceOn() && !m.surfaceSelected() && m.anySwatchSelected());
        show(m, EffectArrowFlow);
        QVERIFY(m.toggleSurface() && !m.surfaceOn() && !m.surfaceSelected());
        QVERIFY(!m.lightingState().surfaceOnArrow);
    }
};

QTEST_GUILESS_MAIN(LightingModelTest)
#include "tst_lightingmodel.moc"
