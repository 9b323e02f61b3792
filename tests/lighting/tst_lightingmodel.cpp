// What the LIGHTING page edits, without its widgets: APPLY and LED RESET with
// their exact reports and files, the per-key colours, the stops of user and
// built-in patterns, the gradient passed between effects, and SURFACE.

#include "LightingTestSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/LightingModel.h"
#include "core/lighting/PatternStore.h"

#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{
const QString kProfile = QStringLiteral("Mine");

void makePatterns(int count)
{
    for (int n = 1; n <= count; ++n)
        IniStore::createPatternFile(n, kProfile);
}

bool sameStops(const StopSlots &a, const StopSlots &b)
{
    for (int i = 0; i < kStopSlots; ++i)
        if (a[i].present != b[i].present || (a[i].present && a[i].color != b[i].color))
            return false;
    return true;
}
} // namespace

class LightingModelTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    RecordingDevice device;
    PauseRecorder pauses;
    CommandSender sender;

    // The page opens on Static; the EFFECT list switches.
    static void open(LightingModel &m)
    {
        m.enterEffect(EffectStatic);
        m.loadEffectColours();
    }
    static void show(LightingModel &m, int k)
    {
        m.leaveEffectFor(k);
        m.enterEffect(k);
        m.loadEffectColours();
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

    void applySendsAndSavesTheShownEffect()
    {
        QVERIFY(writeText("system/light_flag.ini", "[wave]\nright=1\nspeediness=5\n"));
        LightingModel m;
        open(m);
        show(m, EffectWave);
        QVERIFY(m.choose(LightingModel::OptionLeft) && !m.choose(LightingModel::OptionLeft));
        QVERIFY(m.apply(2, kProfile, &sender, &device).ok());
        QCOMPARE(device.reports.size(), 3);
        const QByteArray opening = device.reports.first(); // Wave, left, speed code 5
        QCOMPARE((QList<int>{opening[12], opening[17], opening[18]}), (QList<int>{3, 0, 5}));
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(quint8(r[2])), 2);
        QCOMPARE(pauses.pauses, QVector<unsigned>(3, 100));
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
        open(m);
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
        open(m);
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
        makePatterns(6);
        LightingModel m;
        open(m);
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

        m.choosePattern(5, kProfile);
        QCOMPARE(m.flag().comboCount, 5);
        QCOMPARE(m.addStop(), 1);
        QCOMPARE(m.selectStopAtX(slotX(1)), 1);
        QVERIFY(m.dragStopToX(slotX(4)) && m.recolourSelectedStop({0, 128, 255}));
        QVERIFY(m.savePatternFile(kProfile).ok());
        QVERIFY(sameStops(readPattern(5, kProfile).stops, stopsAt({{4, {0, 128, 255}}})));

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
        makePatterns(6);
        const StopSlots six = stopsAt({{4, {0, 255, 0}}, {7, {0, 0, 255}}});
        savePattern(5, six, {1, 2, 3}, kProfile);
        LightingModel m;
        open(m);
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
        open(m);
        QVERIFY(!m.toggleSurface() && !m.toggleSwatch()); // Static has none
        show(m, EffectArrowFlow);
        QVERIFY(m.toggleSurface() && m.surfaceOn());
        QVERIFY(m.toggleSwatch() && m.surfaceSelected());
        show(m, EffectRipple);
        QVERIFY(!m.surfaceOn() && !m.surfaceSelected() && m.anySwatchSelected());
        show(m, EffectArrowFlow);
        QVERIFY(m.toggleSurface() && !m.surfaceOn() && !m.surfaceSelected());
        QVERIFY(m.lightingState().surfaceOnArrow == false);
    }
};

QTEST_GUILESS_MAIN(LightingModelTest)
#include "tst_lightingmodel.moc"
