// The stored lighting settings, one text per input line: a pattern file's five
// texts (lines 0..4), one effect record of light_flag.ini (lines 5..20) and the
// twelve lists of light_color.ini (lines 21..32). What is read is built into
// every effect's reports, stored and replayed, as APPLY and activation do.
// Lines 33 on are a profile's cmd/light_cmd.ini (the type, then one report per
// line), replayed as activation does.

#include "FuzzSupport.h"

#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/PatternStore.h"
#include "core/storage/IniFile.h"

namespace
{

void checkPattern(const QStringList &stored)
{
    const PatternData p = patternFromTexts(stored);
    FUZZ_CHECK(p.stops[0].present && p.stops[kStopSlots - 1].present);
    for (const ColorStop &s : p.stops)
        for (int c : {s.color.r, s.color.g, s.color.b})
            FUZZ_CHECK(c >= 0 && c <= 255);

    // Saving a pattern and reading it back keeps its stops and surface.
    const PatternData again = patternFromTexts(patternTexts(p.stops, p.surface));
    FUZZ_CHECK(again.surface == p.surface);
    for (int i = 0; i < kStopSlots; ++i) {
        FUZZ_CHECK(again.stops[i].present == p.stops[i].present);
        if (p.stops[i].present)
            FUZZ_CHECK(again.stops[i].color == p.stops[i].color);
    }
}

std::array<KeyColorSet, 2> readColours(const QStringList &lists)
{
    IniFile file;
    const char *groups[2] = {"fully/", "reactive/"};
    for (int g = 0; g < 2; ++g)
        for (int i = 0; i < 6; ++i)
            file.setValue(QLatin1String(groups[g]) + keyColorKeys(g).value(i),
                          lists.value(6 * g + i));
    FUZZ_CHECK(file.save(QStringLiteral("system/light_color.ini")).ok());
    return readKeyColorSets();
}

} // namespace

ORVANTA_FUZZ_INITIALISE(true)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzz::inputLines(data, size);
    checkPattern(lines.mid(0, 5));

    // One effect record read, saved and read again: the same record.
    const EffectFlag flag = effectFlagFromTexts(lines.mid(5, 16));
    QStringList saved;
    for (const QString &key : effectFlagKeys())
        saved << effectFlagTexts(flag).value(key);
    FUZZ_CHECK(effectFlagFromTexts(saved) == flag);

    const std::array<KeyColorSet, 2> colours = readColours(lines.mid(21, 12));

    LightingState state;
    state.flag = flag;
    state.stops = patternFromTexts(lines.mid(0, 5)).stops;
    state.surfaceColor = patternFromTexts(lines.mid(0, 5)).surface;
    state.surfaceOnArrow = flag.yes;
    state.surfaceOnRipple = flag.no;

    fuzz::CheckingDevice keyboard;
    for (int effect = 0; effect < kEffectCount; ++effect) {
        const KeyColorSet &set = colours[effect == EffectReactive ? 1 : 0];
        state.ledR = set.ledR;
        state.ledG = set.ledG;
        state.ledB = set.ledB;
        LightCommandSet built = buildLightCommandSet(effect, state);
        FUZZ_CHECK(built.type == effect);
        FUZZ_CHECK(built.reports.size() == storedReportCount(effect));

        const quint8 profile = quint8(1 + effect);
        keyboard.expectedProfile = profile;
        stampLightCommandSet(built, profile);
        keyboard.send(lightingOperation(built, profile));

        // The stored form of what was sent replays in full, as activation does.
        const StoredLighting replay = parseStoredLighting(lightCommandTexts(built));
        FUZZ_CHECK(replay.complete && replay.set.type == effect);
        FUZZ_CHECK(replay.set.reports == built.reports);
        keyboard.send(lightingOperation(replay.set, profile));
    }
    FUZZ_CHECK(keyboard.reports > 0);

    // The console sends only a complete set (every caller checks), framed for the profile.
    const QStringList stored = lines.mid(33);
    const StoredLighting lighting = parseStoredLighting(stored);
    const int needed = storedReportCount(lighting.set.type);
    FUZZ_CHECK(lighting.set.reports.size() == needed);
    if (lighting.complete) {
        FUZZ_CHECK(needed > 0 && stored.size() > needed);
        const quint8 profile = quint8(1 + fuzz::inputByte(data, size, size / 2) % 5);
        const DeviceOperation op = lightingOperation(lighting.set, profile);
        FUZZ_CHECK(!op.steps.empty());
        keyboard.expectedProfile = profile;
        keyboard.send(op);
    }
    return 0;
}
