#include "FactoryLighting.h"

#include "core/lighting/LightingBuilders.h"

namespace orvanta
{

EffectRecords factoryEffectRecords()
{
    EffectRecords r;
    r[EffectStatic].fullFlag = true;
    r[EffectStatic].staticFlag = true;
    r[EffectReactive].fullFlag = true;
    r[EffectArrowFlow].fullFlag = true;
    r[EffectArrowFlow].left = true;
    r[EffectArrowFlow].right = true;
    r[EffectArrowFlow].no = true;
    r[EffectWave].customized = true;
    r[EffectWave].left = true;
    r[EffectWave].speediness = 3;
    r[EffectRipple].customized = true;
    r[EffectRipple].no = true;
    return r;
}

KeyColorSet factoryKeyColors()
{
    KeyColorSet set;
    set.keyR.fill(255);
    set.ledR.fill(255);
    return set;
}

SaveResult writeFactoryLighting()
{
    const EffectRecords records = factoryEffectRecords();
    const EffectFlag &st = records[EffectStatic];
    SaveResult saved;
    for (int n = 1; n <= kEffectCount; ++n)
        saved +=
            resetLighting(n, st.mode, st.modeSpeed, nullptr, QStringLiteral("PROFILE %1").arg(n))
                .saved;
    saved += writeEffectRecords(records);
    saved += writeKeyColorSets(factoryKeyColors(), factoryKeyColors());
    return saved;
}

} // namespace orvanta
