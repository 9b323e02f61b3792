// Random settings sent the way the console sends them come out of the virtual
// keyboard's decoder as the same settings: lighting of all five effects
// (options, colours, stops, SURFACE), key maps and macro sets. The expected
// memory is worked out here from the settings alone. Every case names its seed.

#include "TestSupport.h"
#include "core/assign/KeyAssignment.h"
#include "core/device/DeviceCommands.h"
#include "core/lighting/LightingBuilders.h"
#include "core/virtual/VirtualKeyboardDevice.h"

#include <QtTest>
#include <cstdlib>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

int channel(const Rgb &c, int ch)
{
    return ch == 0 ? c.r : ch == 1 ? c.g : c.b;
}

// The 22 zones of one channel: stop slot i at zone 2i, the zones between two
// stops stepping from the left one by |difference| / distance, truncated.
std::array<quint8, kZoneCount> zonesOf(const StopSlots &s, int ch)
{
    std::array<quint8, kZoneCount> z{};
    z[0] = channel(s[0].color, ch);
    z[21] = channel(s[10].color, ch);
    for (int i = 1, prev = 0; i <= 10; ++i) {
        if (!s[i].present)
            continue;
        const int from = channel(s[prev].color, ch), to = channel(s[i].color, ch);
        const int step = std::abs(to - from) / (2 * (i - prev));
        z[2 * i] = to;
        for (int k = 2 * prev + 1; k < 2 * i; ++k)
            z[k] = quint8(z[k - 1] + (to > from ? step : -step));
        prev = i;
    }
    return z;
}

Rgb randomColour(QRandomGenerator &rng)
{
    return {int(rng.bounded(256)), int(rng.bounded(256)), int(rng.bounded(256))};
}

LightingState randomLighting(QRandomGenerator &rng)
{
    LightingState s;
    EffectFlag &f = s.flag;
    f.left = rng.bounded(2), f.right = rng.bounded(2), f.no = rng.bounded(2);
    f.fullFlag = rng.bounded(2);
    const int sub = rng.bounded(7); // steady, pulse at 3 speeds, spectrum at 3 speeds
    f.mode = sub > 3 ? 5 : 0;
    f.modeSpeed = sub == 0 ? 0 : 6 - 2 * ((sub - 1) % 3);
    f.speediness = std::array<int, 4>{16, 8, 5, 3}[rng.bounded(4)];
    for (LedBuffer *b : {&s.ledR, &s.ledG, &s.ledB})
        for (int &v : *b)
            v = rng.bounded(512); // sent as its low byte
    for (int i = 0; i < kStopSlots; ++i)
        s.stops[i] = {i == 0 || i == 10 || rng.bounded(3) == 0, randomColour(rng)};
    s.currentColor = randomColour(rng);
    s.surfaceColor = randomColour(rng);
    s.surfaceOnArrow = rng.bounded(2), s.surfaceOnRipple = rng.bounded(2);
    return s;
}

// What the keyboard's memory of `p` holds after the effect's set was sent.
void expectLighting(OnboardProfile &p, int effect, const LightingState &s)
{
    const EffectFlag &f = s.flag;
    LightingMode &m = p.mode;
    m = LightingMode{};
    m.effect = effect;
    ZoneTable zones{};
    for (int ch = 0; ch < 3; ++ch) {
        const int current = channel(s.currentColor, ch);
        zones[ch] = f.fullFlag && effect != EffectWave ? std::array<quint8, kZoneCount>{}
                                                       : zonesOf(s.stops, ch);
        if (f.fullFlag && effect != EffectWave)
            zones[ch].fill(quint8(current));
    }
    const auto surface = [&](int which, bool on) {
        for (int ch = 0; ch < 3; ++ch)
            for (int slot = 8; slot < 136; ++slot)
                p.surfaces[which][ch][slot] = on ? quint8(channel(s.surfaceColor, ch)) : 0;
    };
    const LedBuffer *planes[] = {&s.ledR, &s.ledG, &s.ledB};
    switch (effect) {
    case EffectStatic:
        m.staticMode = f.mode, m.staticSpeed = f.modeSpeed;
        for (int ch = 0; ch < 3; ++ch)
            for (int slot = 0; slot < kLedPlaneSize; ++slot)
                p.staticLeds[ch][slot] = slot < 8 ? 0 : quint8((*planes[ch])[slot] & 0xFF);
        break;
    case EffectReactive: // slots 5..7 travel too; below them the header
        for (int ch = 0; ch < 3; ++ch)
            for (int slot = 0; slot < kLedPlaneSize; ++slot)
                p.reactiveLeds[ch][slot] = slot < 5 ? 0 : quint8((*planes[ch])[slot] & 0xFF);
        break;
    case EffectArrowFlow:
        m.direction = f.left && !f.right ? 1 : f.right && !f.left ? 2 : 0;
        m.rolling = f.no ? 0 : 1;
        surface(0, s.surfaceOnArrow);
        p.zoneTables = {ZoneTable{}, zones, ZoneTable{}};
        break;
    case EffectWave:
        m.direction = f.left ? 0 : 1;
        m.speediness = f.speediness;
        p.zoneTables[0] = zones;
        break;
    case EffectRipple:
        m.rolling = f.no ? 0 : 1;
        surface(1, s.surfaceOnRipple);
        p.zoneTables = {ZoneTable{}, ZoneTable{}, zones};
        for (int ch = 0; ch < 3; ++ch)
            p.rippleEnds[ch] = {zones[ch][20], zones[ch][21]};
        break;
    }
}

} // namespace

class RoundTripTest : public QObject
{
    Q_OBJECT

    PauseRecorder pauses;

private slots:
    void lightingOfEveryEffect()
    {
        for (quint32 seed = 1; seed <= 60; ++seed) {
            QRandomGenerator rng(seed);
            const int effect = int(seed % kEffectCount), profile = rng.bounded(1, 6);
            const LightingState s = randomLighting(rng);
            VirtualKeyboardDevice keyboard;
            VirtualKeyboardState expected = keyboard.state();
            expectLighting(expected.profile(profile), effect, s);
            sendTo(keyboard, lightingOperation(buildLightCommandSet(effect, s), quint8(profile)));
            const VirtualKeyboardState got = keyboard.state();
            QVERIFY2(got.undecoded.isEmpty(), qPrintable(QStringLiteral("seed %1").arg(seed)));
            QVERIFY2(got.sameMemory(expected),
                     qPrintable(QStringLiteral("seed %1, effect %2").arg(seed).arg(effect)));
        }
    }

    void keyMapsAndMacroSets()
    {
        for (quint32 seed = 1; seed <= 40; ++seed) {
            QRandomGenerator rng(seed);
            const int profile = rng.bounded(1, 6);
            VirtualKeyboardDevice keyboard;
            VirtualKeyboardState expected = keyboard.state();
            OnboardProfile &p = expected.profile(profile);
            KeyMap keyMap;
            for (quint8 &code : keyMap)
                code = quint8(rng.bounded(256) == kMacroKeyCode ? 0 : rng.bounded(256));
            QVector<Report> macros;
            p.macros.clear();
            for (int n = rng.bounded(6); n > 0; --n) {
                const int key = rng.bounded(kMacroKeyPositions);
                keyMap[key + 128 * rng.bounded(2)] = kMacroKeyCode;
                QStringList image;
                for (std::size_t b = 0; b < kReportSize; ++b) // events from byte 10 on
                    image << QString::number(b < 10 ? 0 : rng.bounded(256));
                const int mode = rng.bounded(4), count = rng.bounded(1, 100);
                macros << buildMacroReport(image.join(','), profile, key, RepeatMode(mode), count);
                // repeat bytes: Once 0 1, n times 0 n (at most 50), hold FF FF, toggle 0 0
                StoredMacro m;
                m.repeat = mode == 0   ? std::array<quint8, 2>{0, 1}
                           : mode == 1 ? std::array<quint8, 2>{0, quint8(qMin(count, 50))}
                           : mode == 2 ? std::array<quint8, 2>{0xFF, 0xFF}
                                       : std::array<quint8, 2>{0, 0};
                for (std::size_t b = 10; b < kReportSize; ++b)
                    m.events[b - 10] = quint8(image[int(b)].toInt());
                p.macros[key] = m;
            }
            p.keyMap = keyMap;
            expected.activeProfile = profile;
            pauses.pauses.clear();
            RecordingQueue queue(keyboard, pauses);
            queue.enqueue(commands::writeKeyMapAndMacros(profile, keyMap, macros, macros.size()));
            const VirtualKeyboardState got = keyboard.state();
            const QString at = QStringLiteral("seed %1").arg(seed);
            QVERIFY2(got.undecoded.isEmpty() && got.sameMemory(expected), qPrintable(at));
            QVERIFY2(pauses.pauses == QVector<unsigned>(macros.size() + 3, 300), qPrintable(at));
        }
    }
};

QTEST_GUILESS_MAIN(RoundTripTest)
#include "tst_roundtrip.moc"
