#pragma once
// What the LIGHTING page edits, without its widgets: the effect shown and its
// working record beside the stored records, the colour being picked, the
// per-key colours of Static and Reactive, the stops of the gradient effects with
// their SURFACE colours, the chosen PATTERN entry, and APPLY / LED RESET.
// The page shows this state and calls these operations in the order a user's
// action needs them.

#include "EffectRecords.h"
#include "KeyColors.h"
#include "LightingBuilders.h"
#include "LightingTypes.h"
#include "StopEditor.h"

#include <QString>

class CommandSender;

namespace orvanta
{

class LightingModel
{
public:
    // The option buttons of the effects.
    enum Option {
        OptionFull,
        OptionCustomized,
        OptionLeft,
        OptionRight,
        OptionYes,
        OptionNo,
        OptionStatic,
        OptionPulse,
        OptionSpectrum
    };

    // Starts from the stored effect records and per-key colours.
    LightingModel();

    int shownEffect() const { return m_shownEffect; }
    // False until a page first showed an effect: the working record is then
    // still empty, not the user's.
    bool effectEntered() const { return m_effectEntered; }
    const EffectFlag &flag() const { return m_flag; }
    // Profile 1's factory lighting keeps the Static sub-mode the user chose.
    const EffectFlag &factoryStaticFlag() const
    {
        return m_shownEffect == EffectStatic ? m_flag : m_records[EffectStatic];
    }
    const EffectRecords &records() const { return m_records; }
    const Rgb &currentColor() const { return m_currentColor; }
    const LedPlanes &leds() const { return m_leds; }
    const KeyColorSet &staticColors() const { return m_staticColors; }
    const KeyColorSet &reactiveColors() const { return m_reactiveColors; }
    const StopEditor &stopEditor() const { return m_stopEditor; }
    const StopSlots &stops() const { return m_stopEditor.stops(); }
    const Rgb &surfaceColor() const { return m_surfaceColor; }
    // What the builders read.
    LightingState lightingState() const;

    bool gradientShown() const; // Arrow Flow, Wave or Ripple
    bool perKeyEditing() const; // Static or Reactive with CUSTOMIZED

    // --- effect switching ----------------------------------------------------
    // The EFFECT list chose `next`: the shown record is kept, and Arrow Flow and
    // Wave take over the gradient being edited.
    void leaveEffectFor(int next);
    // Shows effect k with its stored record. True when the FULL colour of the
    // effect left behind was cleared from the working buffers (the keys show red).
    bool enterEffect(int k);
    // The stored colours of effect k come back: the per-key sets of Static and
    // Reactive, the remembered stops and surface of the gradient effects.
    void loadEffectColours();

    // An option button: true when it changed the record.
    bool choose(Option option);
    // Clears one option so that choosing it replays the stored choice.
    void unsetOption(Option option);
    bool setStaticSpeed(int position);
    bool setWaveSpeed(int position);

    // --- colours ---------------------------------------------------------------
    void setCurrentColor(const Rgb &colour) { m_currentColor = colour; }
    // With FULL on, every key and slot takes the colour; false otherwise.
    bool fillAllKeys(const Rgb &colour);
    // One key of the per-key editor.
    void paintKey(int key, const Rgb &colour);

    // SURFACE of the shown effect (Arrow Flow, Ripple): the switch, and the
    // swatch that waits for a palette colour.
    bool surfaceOn() const;
    bool surfaceSelected() const;
    bool anySwatchSelected() const { return m_surfaceSelectedArrow || m_surfaceSelectedRipple; }
    bool bothSwatchesSelected() const { return m_surfaceSelectedArrow && m_surfaceSelectedRipple; }
    // Flips the switch; false when the shown effect has none.
    bool toggleSurface();
    bool toggleSwatch();
    void deselectSwatch();
    void setSurfaceColor(const Rgb &colour) { m_surfaceColor = colour; }

    // --- stops and patterns ------------------------------------------------------
    // The PATTERN entry chosen (-1 with an empty list); entries past the built-in
    // ones are the user's and take edits.
    int patternIndex() const { return m_patternIndex; }
    void setPatternIndex(int index);
    bool userPatternChosen() const;
    // The entry the shown effect chose last, within a list of `count`.
    int rememberedPattern(int count) const;

    int addStop() { return m_stopEditor.addStop(); }
    int deleteSelectedStop() { return m_stopEditor.deleteSelected(); }
    int selectStopAtX(int x) { return m_stopEditor.selectAtX(x); }
    int selectStop(int slot) { return m_stopEditor.selectSlot(slot); }
    bool dragStopToX(int x) { return m_stopEditor.dragToX(x); }
    bool recolourSelectedStop(const Rgb &colour) { return m_stopEditor.recolourSelected(colour); }
    void clearStopSelection() { m_stopEditor.clearSelection(); }
    // After the PATTERN list was filled for another profile: entry `index` of
    // `profile` becomes the edited stops (and the shown effect's remembered set).
    void showProfilePattern(int index, const QString &profile);
    // The shown gradient effect keeps the stops being edited (and its surface).
    void rememberShownStops();

    // Pattern entry `index` of `profile` becomes the edited stops and surface.
    void choosePattern(int index, const QString &profile);
    // The edited stops and surface go to the chosen entry's file (user entries only).
    SaveResult savePatternFile(const QString &profile) const;
    // ADD: a new entry, chosen by the record; -1 when refused or its file failed.
    WithSaves<int> addPattern(const QString &profile);
    // DEL: the chosen user entry goes, and the one before it is chosen.
    WithSaves<bool> deletePattern(const QString &profile);

    // --- APPLY and LED RESET -----------------------------------------------------
    // Sends the shown effect to on-board profile `profile` (through the sender
    // when there is one) and stores it under `name`; the records and per-key
    // colours are saved too. Each file is saved on its own.
    SaveResult apply(int profile, const QString &name, CommandSender *sender);
    // Sends on-board profile n's factory lighting to profile n and stores it under `name`.
    SaveResult resetProfile(int n, const QString &name, CommandSender *sender) const;

private:
    void setStops(const StopSlots &stops);
    KeyColorSet *rememberedSet();

    EffectFlag m_flag;       // working record of the shown effect
    EffectRecords m_records; // stored record of each effect
    int m_shownEffect = EffectStatic;
    bool m_effectEntered = false;
    Rgb m_currentColor{255, 0, 0};
    LedPlanes m_leds;
    KeyColorSet m_staticColors;   // remembered per-key colours of Static
    KeyColorSet m_reactiveColors; // ... and of Reactive
    StopEditor m_stopEditor;
    int m_patternIndex = -1;
    Rgb m_surfaceColor{255, 0, 0};
    bool m_surfaceOnArrow = false;
    bool m_surfaceOnRipple = false;
    bool m_surfaceSelectedArrow = false;
    bool m_surfaceSelectedRipple = false;
    StopSlots m_arrowStops = defaultStops();
    StopSlots m_waveStops = defaultStops();
    StopSlots m_rippleStops = defaultStops();
    Rgb m_arrowSurface{255, 0, 0};
    Rgb m_rippleSurface{255, 0, 0};
};

} // namespace orvanta
