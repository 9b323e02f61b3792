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
    const PatternData pattern = patternFromTexts(lines.mid(0, 5));
    patternFromTexts(patternTexts(pattern.stops, pattern.surface));
    const EffectFlag flag = effectFlagFromTexts(lines.mid(5, 16));
    effectFlagTexts(flag);
    const std::array<KeyColorSet, 2> colours = readColours(lines.mid(21, 12));

    LightingState state;
    state.flag = flag;
    state.stops = pattern.stops;
    state.surfaceColor = pattern.surface;
    state.surfaceOnArrow = flag.yes;
    state.surfaceOnRipple = flag.no;

    // Every report sent is framed for the profile it goes to, also when replayed.
    for (int effect = 0; effect < kEffectCount; ++effect) {
        const KeyColorSet &set = colours[effect == EffectReactive ? 1 : 0];
        state.ledR = set.ledR;
        state.ledG = set.ledG;
        state.ledB = set.ledB;
        LightCommandSet built = buildLightCommandSet(effect, state);
        const quint8 profile = quint8(1 + effect);
        stampLightCommandSet(built, profile);
        fuzz::checkFraming(lightingOperation(built, profile), profile);
        const StoredLighting replay = parseStoredLighting(lightCommandTexts(built));
        FUZZ_CHECK(replay.complete && replay.set.reports == built.reports);
        fuzz::checkFraming(lightingOperation(replay.set, profile), profile);
    }

    // The console sends only a complete set (every caller checks).
    const StoredLighting lighting = parseStoredLighting(lines.mid(33));
    if (lighting.complete) {
        const quint8 profile = quint8(1 + fuzz::inputByte(data, size, size / 2) % 5);
        fuzz::checkFraming(lightingOperation(lighting.set, profile), profile);
    }
    return 0;
}
