// The virtual keyboard's decoder on single reports, refusals that keep the
// memory as it was, macro bookkeeping, the hover texts and the saved state;
// and round trips over many random lighting settings: what the lighting page
// would send, built by the real builders and senders, must come out decoded as
// the settings that went in, and the keys must show it.

#include "TestSupport.h"
#include "core/assign/KeyAssignment.h"
#include "core/device/CommandSender.h"
#include "core/keys/KeyLedSlots.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroCodec.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "core/virtual/VirtualLighting.h"

#include <QJsonDocument>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(orvanta::Report)

namespace
{

QByteArray memoryOf(const VirtualKeyboardState &s)
{
    QJsonObject o = toJson(s);
    o.remove(QStringLiteral("undecoded"));
    return QJsonDocument(o).toJson();
}

void send(VirtualKeyboardDevice &k, const Report &r)
{
    k.sendFeatureReport(r.data(), r.size());
}

struct Rng {
    QRandomGenerator gen{20261206};
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

int channel(const Rgb &c, int ch)
{
    return ch == 0 ? c.r : ch == 1 ? c.g : c.b;
}

// Every colour plane holds want(channel, slot) from LED slot `from` to `to`.
bool planesAre(const std::array<ColourPlane, 3> &planes, int from, int to,
               const std::function<int(int, size_t)> &want)
{
    for (int ch = 0; ch < 3; ++ch)
        for (int slot = from; slot < to; ++slot)
            if (planes[size_t(ch)][size_t(slot)] != want(ch, size_t(slot)))
                return false;
    return true;
}

bool zonesAre(const ZoneTable &t, const ZoneColors &z)
{
    for (size_t i = 0; i < size_t(kZoneCount); ++i)
        if (t[0][i] != z.r[i] || t[1][i] != z.g[i] || t[2][i] != z.b[i])
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

class VirtualKeyboardTest : public QObject
{
    Q_OBJECT

    CommandSender sender;
    PauseRecorder pauses;

private slots:
    void initTestCase() { sender.setPauseFunction(pauses.function()); }

    void factoryMemoryHoldsEachProfilesFactoryLighting()
    {
        const VirtualKeyboardState s = factoryState();
        QCOMPARE(s.activeProfile, 1);
        for (int n = 1; n <= kOnboardProfiles; ++n)
            QVERIFY(s.profile(n).mode.effect == n - 1 && s.profile(n).macros.empty());
        QCOMPARE(lightKeys(s.profile(1), 0)[0], QColor(255, 0, 0));
        QCOMPARE(s.profile(4).zoneTables[0][1][0], quint8(234)); // Wave factory green, zone 0
    }

    void reportsItCannotReadChangeNothingAndAreKept_data()
    {
        QTest::addColumn<Report>("report");
        QTest::addColumn<int>("length");
        const auto row = [](const char *name, std::initializer_list<std::pair<int, int>> bytes,
                            int length = int(kReportSize)) {
            QTest::newRow(name) << reportOf(bytes) << length;
        };
        row("short", {{0, 7}, {1, 1}, {2, 2}}, 200);
        row("other report id", {{0, 6}, {1, 1}, {2, 2}});
        row("profile 0", {{0, 7}, {1, 1}, {2, 0}});
        row("profile 6", {{0, 7}, {1, 1}, {2, 6}});
        row("unknown command", {{0, 7}, {1, 4}, {2, 1}});
        row("select with a stray byte", {{0, 7}, {1, 1}, {2, 1}, {100, 1}});
        row("mode with byte 13 = 3", {{0, 7}, {1, 2}, {2, 2}, {8, 2}, {13, 3}, {16, 8}, {22, 2}});
        row("mode for another profile", {{0, 7}, {1, 2}, {2, 2}, {8, 3}, {16, 8}, {22, 2}});
        row("static with a wave byte",
            {{0, 7}, {1, 2}, {2, 2}, {8, 2}, {16, 8}, {19, 80}, {22, 2}});
        row("arrow direction 3", {{0, 7}, {1, 2}, {2, 2}, {8, 2}, {15, 3}});
        row("led page 4", {{0, 7}, {1, 9}, {2, 2}, {3, 4}, {8, 1}});
        row("bank 2", {{0, 7}, {1, 10}, {2, 2}, {3, 2}, {4, 1}});
        row("bank 4 with colour data", {{0, 7}, {1, 10}, {2, 2}, {3, 4}, {4, 1}, {40, 9}});
        row("surface page 3", {{0, 7}, {1, 12}, {2, 2}, {4, 3}});
        row("surface blue with a tail", {{0, 7}, {1, 12}, {2, 2}, {4, 2}, {200, 1}});
        row("zone table half marked", {{0, 7}, {1, 13}, {2, 2}, {74, 1}, {75, 0x15}});
        row("zone table data past the tables", {{0, 7}, {1, 13}, {2, 2}, {230, 1}});
        row("unmarked second table", {{0, 7}, {1, 13}, {2, 2}, {80, 1}});
        row("macro for key 128", {{0, 7}, {1, 5}, {2, 2}, {3, 128}, {4, 1}});
        row("macro without its flag", {{0, 7}, {1, 5}, {2, 2}, {3, 11}});
        row("key map with header bytes", {{0, 7}, {1, 3}, {2, 2}, {5, 1}});
    }
    void reportsItCannotReadChangeNothingAndAreKept()
    {
        QFETCH(Report, report);
        QFETCH(int, length);
        VirtualKeyboardDevice keyboard;
        const QByteArray before = memoryOf(keyboard.state());
        QVERIFY(keyboard.sendFeatureReport(report.data(), std::size_t(length)));
        const VirtualKeyboardState after = keyboard.state();
        QCOMPARE(memoryOf(after), before);
        QCOMPARE(after.undecoded.size(), 1);
        QCOMPARE(after.undecoded[0], toBytes(report).left(length));
        QCOMPARE(keyboard.recentReports().last(), QStringLiteral("undecoded report"));
    }

    void undecodedListKeepsTheNewest()
    {
        VirtualKeyboardDevice keyboard;
        for (int i = 0; i < kMaxUndecoded + 5; ++i)
            send(keyboard, reportOf({{0, 7}, {1, 0x40}, {2, 1}, {3, i}}));
        const VirtualKeyboardState s = keyboard.state();
        QCOMPARE(s.undecoded.size(), kMaxUndecoded);
        QCOMPARE(int(quint8(s.undecoded.last()[3])), kMaxUndecoded + 4);
    }

    void pulseDefaultsAndSelectionAreRecognised()
    {
        VirtualKeyboardDevice keyboard;
        QSignalSpy pulses(&keyboard, &VirtualKeyboardDevice::appLightPulsed);
        const QByteArray before = memoryOf(keyboard.state());
        sender.sendAppLight(&keyboard, 7);
        QCOMPARE(pulses.size(), 2);
        QCOMPARE(pulses[0][0].value<quint8>(), quint8(7));
        QCOMPARE(memoryOf(keyboard.state()), before); // a pulse is not memory

        sender.setSingleKey(0x04, 0x05);
        sender.writeKeyMap(&keyboard, 3);
        sender.resetProfileToDefault(&keyboard, 3);
        const VirtualKeyboardState s = keyboard.state();
        QVERIFY(s.undecoded.isEmpty());
        QCOMPARE(s.activeProfile, 3);
        QVERIFY(s.profile(3).keyMap == DEFAULT_KEY_MAP);
        QVERIFY(s.profile(3).mode == factoryState().profile(3).mode); // lighting stays
        sender.resetKeyMap();
    }

    void keyMapWriteDropsMacrosNoKeyPlays()
    {
        VirtualKeyboardDevice keyboard;
        Report image = zeroReport();
        macro::writeEvent(image, 0, 100, 4, true);
        macro::writeEvent(image, 3, 0, 4, false);
        const QString cmd = commandString(image);
        sender.setSingleKey(0x04, kMacroKeyCode); // A, matrix 40
        sender.setSingleKey(0x05, kMacroKeyCode); // B, matrix 37
        QVector<Report> macros;
        macros.append(buildMacroReport(cmd, 2, 40, RepeatMode::Once, 1));
        macros.append(buildMacroReport(cmd, 2, 37, RepeatMode::MultipleTimes, 7));
        sender.writeKeyMapAndMacros(&keyboard, macros, 2, 2);
        const OnboardProfile before = keyboard.state().profile(2);
        QCOMPARE(int(before.macros.size()), 2);
        QCOMPARE(describeAssignment(before, 42),
                 QStringLiteral("Macro, Once\nA down\nwait 100 ms\nA up"));
        QCOMPARE(describeAssignment(before, 59).section('\n', 0, 0),
                 QStringLiteral("Macro, 7 times"));

        sender.resetKeyAndWrite(&keyboard, 0x04, 2);
        const OnboardProfile after = keyboard.state().profile(2);
        QCOMPARE(int(after.macros.size()), 1);
        QVERIFY(after.macros.count(37));
        QVERIFY(!isMacroKey(after, 42));
        sender.resetKeyMap();
    }

    void assignmentTexts_data()
    {
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");
        QTest::newRow("F5") << 42 << 0x3E << "Sends F5";
        QTest::newRow("shift to profile 3") << 54 << 187 << "Profile 3 shift";
        QTest::newRow("disabled") << 42 << 0 << "Disabled";
        QTest::newRow("keypad enter") << 42 << 88 << "Sends Enter";
        QTest::newRow("unknown code") << 42 << 0xF0 << "Sends 0xf0";
        QTest::newRow("own code") << 42 << 0x04 << "";
    }
    void assignmentTexts()
    {
        QFETCH(int, cell);
        QFETCH(int, code);
        QFETCH(QString, text);
        OnboardProfile p = factoryState().profile(1);
        p.keyMap[size_t(KEY_TABLE[size_t(cell)].matrix)] = quint8(code);
        QCOMPARE(describeAssignment(p, cell), text);
        QCOMPARE(isRemapped(p, cell), !text.isEmpty());
    }

    void damagedStateFileIsSetAsideNotTrusted_data()
    {
        QTest::addColumn<QByteArray>("content");
        QJsonObject good = toJson(factoryState());
        QTest::newRow("not json") << QByteArray("{nope");
        QTest::newRow("array") << QByteArray("[]");
        good["activeProfile"] = 9;
        QTest::newRow("profile 9") << QJsonDocument(good).toJson();
        good = toJson(factoryState());
        QJsonArray profiles = good["profiles"].toArray();
        QJsonObject p = profiles[0].toObject();
        p["keyMap"] = QStringLiteral("zz") + p["keyMap"].toString().mid(2);
        profiles[0] = p;
        good["profiles"] = profiles;
        QTest::newRow("non-hex key map") << QJsonDocument(good).toJson();
        profiles.removeLast();
        good["profiles"] = profiles;
        QTest::newRow("four profiles") << QJsonDocument(good).toJson();
    }
    void damagedStateFileIsSetAsideNotTrusted()
    {
        QFETCH(QByteArray, content);
        TempWorkDir dir;
        const QString path = dir.path() + "/state.json";
        QVERIFY(writeText(path, content));
        VirtualKeyboardDevice keyboard(path);
        QVERIFY(!keyboard.lastError().isEmpty());
        QCOMPARE(memoryOf(keyboard.state()), memoryOf(factoryState()));
        QCOMPARE(readText(path + ".broken").toUtf8(), content);
    }

    void aLinkInPlaceOfTheStateFileIsReplacedNotWrittenThrough()
    {
        TempWorkDir dir;
        const QString target = dir.path() + "/elsewhere.txt";
        QVERIFY(writeText(target, "keep me"));
        QVERIFY(QFile::link(target, dir.path() + "/state.json"));
        VirtualKeyboardDevice keyboard(dir.path() + "/state.json");
        sender.selectProfile(&keyboard, 2);
        QCOMPARE(readText(target), QStringLiteral("keep me"));
        QVERIFY(!QFileInfo(dir.path() + "/state.json").isSymLink());
        VirtualKeyboardState saved;
        QVERIFY(loadState(dir.path() + "/state.json", saved));
        QCOMPARE(saved.activeProfile, 2);
    }

    void failedSaveIsReportedAndKeepsTheMemory()
    {
        TempWorkDir dir;
        const QString path = dir.path() + "/missing/state.json";
        VirtualKeyboardDevice keyboard(path);
        QSignalSpy failed(&keyboard, &VirtualKeyboardDevice::saveFailed);
        sender.selectProfile(&keyboard, 2);
        QCOMPARE(failed.size(), 1);
        QVERIFY(!keyboard.lastError().isEmpty());
        QCOMPARE(keyboard.state().activeProfile, 2);
    }
    void lightingOfEveryEffectComesBackAsSent()
    {
        Rng rng;
        for (int round = 0; round < 300; ++round) {
            VirtualKeyboardDevice keyboard;
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
            const auto leds = [&](int ch, size_t slot) {
                return (ch == 0 ? s.ledR : ch == 1 ? s.ledG : s.ledB)[slot] & 0xFF;
            };
            const auto surface = [](const Rgb &c) {
                return [c](int ch, size_t) { return channel(c, ch); };
            };
            switch (effect) {
            case EffectStatic:
                QCOMPARE(p.mode.staticMode, f.mode);
                QCOMPARE(p.mode.staticSpeed, f.modeSpeed);
                QVERIFY(planesAre(p.staticLeds, 8, kLedPlaneSize, leds));
                if (f.mode == 0) // at the top of a pulse the keys show their own colours
                    QVERIFY(keysShow(lightKeys(p, f.modeSpeed * 250), s));
                break;
            case EffectReactive:
                QVERIFY(planesAre(p.reactiveLeds, 8, kLedPlaneSize, leds));
                QVERIFY(keysShow(lightKeys(p, rng.in(0, 100000)), s));
                break;
            case EffectArrowFlow:
                QCOMPARE(p.mode.direction, f.left && !f.right ? 1 : f.right && !f.left ? 2 : 0);
                QCOMPARE(p.mode.rolling, f.no ? 0 : 1);
                QVERIFY(zonesAre(p.zoneTables[1], zones));
                QVERIFY(planesAre(p.surfaces[0], 8, 136,
                                  surface(s.surfaceOnArrow ? s.surfaceColor : Rgb{})));
                break;
            case EffectWave:
                QCOMPARE(p.mode.direction, f.left ? 0 : 1);
                QCOMPARE(p.mode.speediness, f.speediness);
                QVERIFY(zonesAre(p.zoneTables[0], interpolateZones(s.stops)));
                break;
            case EffectRipple:
                QCOMPARE(p.mode.rolling, f.no ? 0 : 1);
                QVERIFY(zonesAre(p.zoneTables[2], zones));
                QVERIFY(planesAre(p.surfaces[1], 8, 136,
                                  surface(s.surfaceOnRipple ? s.surfaceColor : Rgb{})));
                for (int z : {20, 21})
                    QCOMPARE(p.rippleEnds[0][size_t(z - 20)], quint8(zones.r[size_t(z)]));
                break;
            }
            for (int other = 1; other <= kOnboardProfiles; ++other) // nothing else changed
                if (other != profile)
                    QVERIFY(st.profile(other).mode == factoryState().profile(other).mode);
        }
    }
};

QTEST_GUILESS_MAIN(VirtualKeyboardTest)
#include "tst_virtualkeyboard.moc"
