#include "LightingModel.h"

#include "PatternStore.h"

#include <QDebug>

namespace orvanta
{

LightingModel::LightingModel()
{
    m_records = readEffectRecords();
    const auto colours = readKeyColorSets();
    m_staticColors = colours[0];
    m_reactiveColors = colours[1];
    m_stopEditor.setStops(defaultStops());
}

LightingState LightingModel::lightingState() const
{
    LightingState s;
    s.flag = m_flag;
    s.ledR = m_leds.ledR;
    s.ledG = m_leds.ledG;
    s.ledB = m_leds.ledB;
    s.stops = stops();
    s.currentColor = m_currentColor;
    s.surfaceColor = m_surfaceColor;
    s.surfaceOnArrow = m_surfaceOnArrow;
    s.surfaceOnRipple = m_surfaceOnRipple;
    return s;
}

bool LightingModel::gradientShown() const
{
    return m_shownEffect == EffectArrowFlow || m_shownEffect == EffectWave ||
           m_shownEffect == EffectRipple;
}

bool LightingModel::perKeyEditing() const
{
    return (m_shownEffect == EffectStatic || m_shownEffect == EffectReactive) && m_flag.customized;
}

KeyColorSet *LightingModel::rememberedSet()
{
    if (m_shownEffect == EffectStatic)
        return &m_staticColors;
    if (m_shownEffect == EffectReactive)
        return &m_reactiveColors;
    return nullptr;
}

// --- effect switching -----------------------------------------------------------

void LightingModel::leaveEffectFor(int next)
{
    m_records[m_shownEffect] = m_flag;
    if (next == EffectArrowFlow) {
        m_arrowStops = stops();
        m_arrowSurface = m_surfaceColor;
    } else if (next == EffectWave) {
        m_waveStops = stops();
    }
}

bool LightingModel::enterEffect(int k)
{
    const bool cleared = m_flag.fullFlag;
    if (cleared)
        m_leds.clear();
    m_stopEditor.clearSelection();
    m_shownEffect = k;
    m_effectEntered = true;
    m_flag = m_records[k];
    return cleared;
}

void LightingModel::loadEffectColours()
{
    switch (m_shownEffect) {
    case EffectStatic:
    case EffectReactive: {
        const KeyColorSet &set = m_shownEffect == EffectStatic ? m_staticColors : m_reactiveColors;
        m_leds.ledR = set.ledR;
        m_leds.ledG = set.ledG;
        m_leds.ledB = set.ledB;
        break;
    }
    case EffectArrowFlow:
        setStops(m_arrowStops);
        m_surfaceColor = m_arrowSurface;
        break;
    case EffectWave:
        setStops(m_waveStops);
        break;
    default:
        setStops(m_rippleStops);
        m_surfaceColor = m_rippleSurface;
        break;
    }
}

bool LightingModel::choose(Option option)
{
    switch (option) {
    case OptionFull:
        return chooseFull(m_flag);
    case OptionCustomized:
        return chooseCustomized(m_flag);
    case OptionLeft:
        return pressLeft(m_flag, m_shownEffect);
    case OptionRight:
        return pressRight(m_flag, m_shownEffect);
    case OptionYes:
        return chooseYes(m_flag);
    case OptionNo:
        return chooseNo(m_flag);
    case OptionStatic:
        return chooseStatic(m_flag);
    case OptionPulse:
        return choosePulse(m_flag);
    case OptionSpectrum:
        return chooseSpectrum(m_flag);
    }
    return false;
}

void LightingModel::unsetOption(Option option)
{
    bool *flags[] = {&m_flag.fullFlag,   &m_flag.customized, &m_flag.left,
                     &m_flag.right,      &m_flag.yes,        &m_flag.no,
                     &m_flag.staticFlag, &m_flag.pulse,      &m_flag.spectrum};
    *flags[option] = false;
}

bool LightingModel::setStaticSpeed(int position)
{
    return orvanta::setStaticSpeed(m_flag, position);
}

bool LightingModel::setWaveSpeed(int position)
{
    return orvanta::setWaveSpeed(m_flag, position);
}

// --- colours ------------------------------------------------------------------------

bool LightingModel::fillAllKeys(const Rgb &colour)
{
    if (!m_flag.fullFlag)
        return false;
    fillAll(colour, m_leds, rememberedSet());
    return true;
}

void LightingModel::paintKey(int key, const Rgb &colour)
{
    orvanta::paintKey(key, colour, m_leds, rememberedSet());
}

bool LightingModel::surfaceOn() const
{
    if (m_shownEffect == EffectArrowFlow)
        return m_surfaceOnArrow;
    if (m_shownEffect == EffectRipple)
        return m_surfaceOnRipple;
    return false;
}

bool LightingModel::surfaceSelected() const
{
    return m_shownEffect == EffectArrowFlow ? m_surfaceSelectedArrow : m_surfaceSelectedRipple;
}

bool LightingModel::toggleSurface()
{
    bool *on = m_shownEffect == EffectArrowFlow ? &m_surfaceOnArrow
               : m_shownEffect == EffectRipple  ? &m_surfaceOnRipple
                                                : nullptr;
    if (!on)
        return false;
    *on = !*on;
    // A swatch switched off no longer waits for a colour.
    if (!*on)
        deselectSwatch();
    return true;
}

bool LightingModel::toggleSwatch()
{
    if (m_shownEffect == EffectArrowFlow)
        m_surfaceSelectedArrow = !m_surfaceSelectedArrow;
    else if (m_shownEffect == EffectRipple)
        m_surfaceSelectedRipple = !m_surfaceSelectedRipple;
    else
        return false;
    return true;
}

void LightingModel::deselectSwatch()
{
    if (m_shownEffect == EffectArrowFlow)
        m_surfaceSelectedArrow = false;
    else if (m_shownEffect == EffectRipple)
        m_surfaceSelectedRipple = false;
}

// --- stops and patterns -------------------------------------------------------------

void LightingModel::setPatternIndex(int index)
{
    m_patternIndex = index;
    m_stopEditor.setReadOnly(!userPatternChosen());
}

bool LightingModel::userPatternChosen() const
{
    return m_patternIndex >= kBuiltInPatterns;
}

int LightingModel::rememberedPattern(int count) const
{
    return qBound(0, m_flag.comboCount, count - 1);
}

void LightingModel::setStops(const StopSlots &set)
{
    m_stopEditor.setStops(set);
    // Only a user pattern's stops take edits.
    m_stopEditor.setReadOnly(!userPatternChosen());
}

void LightingModel::rememberShownStops()
{
    if (m_shownEffect == EffectArrowFlow) {
        m_arrowStops = stops();
        m_arrowSurface = m_surfaceColor;
    } else if (m_shownEffect == EffectWave) {
        m_waveStops = stops();
    } else if (m_shownEffect == EffectRipple) {
        m_rippleStops = stops();
        m_rippleSurface = m_surfaceColor;
    }
}

void LightingModel::choosePattern(int index, const QString &profile)
{
    m_patternIndex = index;
    if (index < 0)
        return;
    m_flag.comboCount = index;
    const PatternData pattern = readPattern(index, profile);
    setStops(pattern.stops);
    m_surfaceColor = pattern.surface;
}

void LightingModel::showProfilePattern(int index, const QString &profile)
{
    clearStopSelection();
    if (index < 0) {
        setPatternIndex(index);
        return;
    }
    choosePattern(index, profile);
    if (gradientShown())
        rememberShownStops();
}

SaveResult LightingModel::savePatternFile(const QString &profile) const
{
    return savePattern(m_patternIndex, stops(), m_surfaceColor, profile);
}

WithSaves<int> LightingModel::addPattern(const QString &profile)
{
    WithSaves<int> added = orvanta::addPattern(profile);
    if (!added.saved.ok() || added.value < 0)
        return {-1, added.saved};
    m_flag.comboCount = added.value;
    return added;
}

WithSaves<bool> LightingModel::deletePattern(const QString &profile)
{
    const int index = m_patternIndex;
    WithSaves<bool> deleted = orvanta::deletePattern(index, profile);
    if (deleted.value)
        m_flag.comboCount = index - 1;
    return deleted;
}

// --- APPLY and LED RESET ----------------------------------------------------------

SaveResult LightingModel::apply(int profile, const QString &name, CommandSender *sender)
{
    const int k = m_shownEffect;
    SaveResult saved = applyLighting(k, lightingState(), sender, profile, name).saved;
    m_records[k] = m_flag;
    saved += writeEffectRecords(m_records);
    saved += writeKeyColorSets(m_staticColors, m_reactiveColors);
    return saved;
}

SaveResult LightingModel::resetProfile(int n, const QString &name, CommandSender *sender) const
{
    const EffectFlag &st = factoryStaticFlag();
    return resetLighting(n, st.mode, st.modeSpeed, sender, name).saved;
}

} // namespace orvanta
