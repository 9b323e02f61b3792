// Round trips over many random lighting settings: what the lighting page would
// send, built by the real builders and senders, decoded by the virtual keyboard,
// must come out as the settings that went in; and the keys must show it. (Key
// maps and macros: tst_virtualkeyboard and the decoder's fuzz target.)

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/keys/KeyLedSlots.h"
#include "core/lighting/LightingBuilders.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "core/virtual/VirtualLighting.h"

#include <QRandomGenerator>
#include <QtTest>

using namespace orvanta;

namespace
{

constexpr int kRounds = 300;

struct Rng {
    QRandomGenerator gen;
    int in(int lo, int hi) { return int(gen.bounded(lo, hi + 1)); }
    bool coin() { return gen.bounded(2) == 1; }
    Rgb colour() { return {in(0, 255), in(0, 255), in(0, 255)}; }
};

LightingState randomLighting(Rng &rng)
{
    LightingState s;
    EffectFlag &f = s.flag;
    f.mode = rng.coin() ? 0 : 5;
    f.modeSpeed = 2 * rng.in(0, 3);
    f.left = rng.coin();
    f.right = rng.coin();
    f.no = rng.coin();
    f.yes = !f.no;
    f.fullFlag = rng.coin();
    f.speediness = rng.in(1, 9);
    for (LedBuffer *b : {&s.ledR, &s.ledG, &s.ledB})
        for (int &v : *b)
            v = rng.in(0, 255);
    for (int i = 1; i < kStopSlots - 1; ++i)
        s.stops[size_t(i)] = {rng.coin(), rng.colour()};
    s.stops[0] = {true, rng.colour()};
    s.stops[kStopSlots - 1] = {true, rng.colour()};
    s.currentColor = rng.colour();
    s.surfaceColor = rng.colour();
    s.surfaceOnArrow = rng.coin();
    s.surfaceOnRipple = rng.coin();
    return s;
}

bool planesEqual(const std::array<ColourPlane, 3> &planes, const LightingState &s, int from)
{
    const LedBuffer *want[3] = {&s.ledR, &s.ledG, &s.ledB};
    for (int c = 0; c < 3; ++c)
        for (int slot = from; slot < kLedPlaneSize; ++slot)
            if (planes[size_t(c)][size_t(slot)] != ((*want[c])[size_t(slot)] & 0xFF))
                return false;
    return true;
}

bool surfaceIs(const std::array<ColourPlane, 3> &planes, const Rgb &c)
{
    const int want[3] = {c.r, c.g, c.b};
    for (int ch = 0; ch < 3; ++ch)
        for (int slot = 8; slot < 136; ++slot)
            if (planes[size_t(ch)][size_t(slot)] != want[ch])
                return false;
    return true;
}

bool zonesAre(const ZoneTable &t, const ZoneColors &z)
{
    for (int i = 0; i < kZoneCount; ++i)
        if (t[0][size_t(i)] != z.r[size_t(i)] || t[1][size_t(i)] != z.g[size_t(i)] ||
            t[2][size_t(i)] != z.b[size_t(i)])
            return false;
    return true;
}

// Every key shows its LED slot's colour from the page's buffers.
bool keysShow(const KeyColours &keys, const LightingState &s)
{
    for (int k = 0; k < kKeyCount; ++k) {
        const size_t slot = size_t(keyToLedSlot[size_t(k)]);
        if (keys[size_t(k)] != QColor(s.ledR[slot], s.ledG[slot], s.ledB[slot]))
            return false;
    }
    return true;
}

} // namespace

class VirtualRoundTrip : public QObject
{
    Q_OBJECT

    Rng rng{QRandomGenerator(20261206)};

private slots:
    void lightingOfEveryEffectComesBackAsSent()
    {
        int seen[kEffectCount] = {};
        for (int round = 0; round < kRounds; ++round) {
            VirtualKeyboardDevice keyboard;
            CommandSender sender;
            test::PauseRecorder pauses;
            sender.setPauseFunction(pauses.function());
            const int effect = round % kEffectCount;
            const int profile = rng.in(1, kOnboardProfiles);
            const LightingState s = randomLighting(rng);
            LightCommandSet set = buildLightCommandSet(effect, s);
            sendLightCommandSet(sender, &keyboard, set, quint8(profile));

            const VirtualKeyboardState st = keyboard.state();
            QVERIFY2(st.undecoded.isEmpty(), qPrintable(QString::number(round)));
            const OnboardProfile &p = st.profile(profile);
            const EffectFlag &f = s.flag;
            QCOMPARE(p.mode.effect, effect);
            const ZoneColors zones =
                f.fullFlag ? fullZones(s.currentColor) : interpolateZones(s.stops);
            const int direction = f.left && !f.right ? 1 : f.right && !f.left ? 2 : 0;
            switch (effect) {
            case EffectStatic:
                QCOMPARE(p.mode.staticMode, f.mode);
                QCOMPARE(p.mode.staticSpeed, f.modeSpeed);
                QVERIFY(planesEqual(p.staticLeds, s, 8));
                if (f.mode == 0) // at the top of a pulse the keys show their own colours
                    QVERIFY(keysShow(lightKeys(p, f.modeSpeed * 250), s));
                break;
            case EffectReactive:
                QVERIFY(planesEqual(p.reactiveLeds, s, 8));
                QVERIFY(keysShow(lightKeys(p, rng.in(0, 100000)), s));
                break;
            case EffectArrowFlow:
                QCOMPARE(p.mode.direction, direction);
                QCOMPARE(p.mode.rolling, f.no ? 0 : 1);
                QVERIFY(zonesAre(p.zoneTables[1], zones));
                QVERIFY(surfaceIs(p.surfaces[0], s.surfaceOnArrow ? s.surfaceColor : Rgb{}));
                break;
            case EffectWave:
                QCOMPARE(p.mode.direction, f.left ? 0 : 1);
                QCOMPARE(p.mode.speediness, f.speediness);
                QVERIFY(zonesAre(p.zoneTables[0], interpolateZones(s.stops)));
                break;
            case EffectRipple:
                QCOMPARE(p.mode.rolling, f.no ? 0 : 1);
                QVERIFY(zonesAre(p.zoneTables[2], zones));
                QVERIFY(surfaceIs(p.surfaces[1], s.surfaceOnRipple ? s.surfaceColor : Rgb{}));
                for (int z : {20, 21})
                    QCOMPARE(p.rippleEnds[0][size_t(z - 20)], quint8(zones.r[size_t(z)]));
                break;
            }
            // Nothing else of the keyboard changed.
            for (int other = 1; other <= kOnboardProfiles; ++other)
                if (other != profile)
                    QVERIFY(st.profile(other).mode == factoryState().profile(other).mode);
            ++seen[effect];
        }
        for (int n : seen)
            QVERIFY(n > 0);
    }
};

QTEST_GUILESS_MAIN(VirtualRoundTrip)
#include "tst_virtualroundtrip.moc"
