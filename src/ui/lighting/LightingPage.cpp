#include "LightingPage.h"
#include "core/app/TranslationContexts.h"

#include "ColourFields.h"
#include "EffectPreviews.h"
#include "KeyColourEditor.h"
#include "LightingWidgets.h"
#include "StopsStrip.h"
#include "core/app/Notices.h"
#include "core/app/PictureCache.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/lighting/PatternStore.h"
#include "core/lighting/StripStyle.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/StoredList.h"
#include "ui/shell/ConsoleContext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>

using namespace orvanta;

namespace
{

const char kWindowPicture[] = "Image/UI Design 2016_Keyboard_out_0.0.png";
const QPoint kPageOrigin(230, 140); // where the main window places the page

} // namespace

LightingPage::LightingPage(ConsoleContext *context, QWidget *parent)
    : QWidget(parent), m_context(context)
{
    buildWidgets();
    selectEffect(EffectStatic);
    m_keyEditor->hideSelection();
}

// --- construction -------------------------------------------------------------

void LightingPage::buildWidgets()
{
    resize(960, 620);
    setMouseTracking(false);
    // The page lies over the main window's CUSTOMIZE controls: it paints the
    // window's own background picture, shifted to where the page sits, so that
    // nothing below shows through and the page joins the window seamlessly.
    m_background = cachedPixmap(QLatin1String(kWindowPicture));
    m_keyEditor.reset(new KeyColourEditor(this));

    m_previews.reset(new EffectPreviews(this));
    m_keyEditor->addSelectionRect();

    const QString comboStyle = LightingWidgets::comboStyle();
    const QString sliderStyle = LightingWidgets::sliderStyle();

    // Effect choice and options, left half below the keyboard.
    m_effectLabel =
        makeLabel(context::LightingPage::tr("EFFECT"), "effect_label", {20, 262, 110, 24});
    m_effectCombo = new QComboBox(this);
    m_effectCombo->setObjectName(QStringLiteral("effect_combo"));
    m_effectCombo->setGeometry(150, 260, 200, 28);
    m_effectCombo->setStyleSheet(comboStyle);
    m_effectCombo->addItems(
        {context::LightingPage::tr("Static"), context::LightingPage::tr("Reactive"),
         context::LightingPage::tr("Arrow Flow"), context::LightingPage::tr("Wave"),
         context::LightingPage::tr("Ripple")});

    m_zonesLabel = makeLabel(context::LightingPage::tr("ZONES"), "zones_label", {20, 302, 120, 24});
    m_full = makeToggle(context::LightingPage::tr("FULL"), "btn_full", {150, 300, 110, 28});
    m_customized =
        makeToggle(context::LightingPage::tr("CUSTOMIZED"), "btn_customized", {270, 300, 130, 28});

    m_static = makeToggle(context::LightingPage::tr("STATIC"), "btn_static", {20, 340, 110, 28});
    m_pulse = makeToggle(context::LightingPage::tr("PULSE"), "btn_pulse", {140, 340, 110, 28});
    m_spectrum = makeToggle(context::LightingPage::tr("SPECTRUM CYCLING"), "btn_spectrum",
                            {260, 340, 180, 28});
    m_speedLabel = makeLabel(context::LightingPage::tr("SPEED"), "speed_label", {20, 382, 120, 24});
    m_slowLabel = makeLabel(context::LightingPage::tr("SLOW"), "slow_label", {150, 382, 50, 24});
    m_speedSlider = new QSlider(Qt::Horizontal, this);
    m_speedSlider->setObjectName(QStringLiteral("speed_slider"));
    m_speedSlider->setGeometry(205, 382, 180, 24);
    m_speedSlider->setRange(0, 2);
    m_speedSlider->setPageStep(1);
    m_speedSlider->setStyleSheet(sliderStyle);
    m_fastLabel = makeLabel(context::LightingPage::tr("FAST"), "fast_label", {395, 382, 50, 24});

    m_directionLabel = makeLabel(context::LightingPage::tr("FLOW DIRECTION"), "direction_label",
                                 {20, 342, 150, 24});
    m_left = makeToggle(context::LightingPage::tr("LEFT"), "btn_left", {180, 340, 100, 28});
    m_right = makeToggle(context::LightingPage::tr("RIGHT"), "btn_right", {290, 340, 100, 28});
    m_rollingLabel =
        makeLabel(context::LightingPage::tr("EFFECT ROLLING"), "rolling_label", {20, 382, 150, 24});
    m_yes = makeToggle(context::LightingPage::tr("YES"), "btn_yes", {180, 380, 100, 28});
    m_no = makeToggle(context::LightingPage::tr("NO"), "btn_no", {290, 380, 100, 28});

    m_waveSpeedLabel =
        makeLabel(context::LightingPage::tr("SPEED"), "wave_speed_label", {20, 382, 120, 24});
    m_waveSlowLabel =
        makeLabel(context::LightingPage::tr("SLOW"), "wave_slow_label", {150, 382, 50, 24});
    m_speedinessSlider = new QSlider(Qt::Horizontal, this);
    m_speedinessSlider->setObjectName(QStringLiteral("speediness_slider"));
    m_speedinessSlider->setGeometry(205, 382, 180, 24);
    m_speedinessSlider->setRange(0, 3);
    m_speedinessSlider->setPageStep(1);
    m_speedinessSlider->setStyleSheet(sliderStyle);
    m_waveFastLabel =
        makeLabel(context::LightingPage::tr("FAST"), "wave_fast_label", {395, 382, 50, 24});

    // Gradient controls and colour controls, right half.
    m_strip.reset(new StopsStrip(this));
    m_patternLabel = m_strip->patternLabel();
    m_patternCombo = m_strip->patternCombo();
    m_stopsSlider = m_strip->slider();
    m_surfaceLabel =
        makeLabel(context::LightingPage::tr("SURFACE"), "surface_label", {524, 402, 100, 24});
    m_surfaceButton = makeToggle(QString(), "btn_surface", {630, 400, 60, 26});
    m_surfaceSwatch = new QPushButton(this);
    m_surfaceSwatch->setObjectName(QStringLiteral("btn_surface_color"));
    m_surfaceSwatch->setGeometry(700, 400, 26, 26);
    m_surfaceSwatch->setFocusPolicy(Qt::NoFocus);

    m_colours.reset(new ColourFields(this));
    for (int c = 0; c < 3; ++c)
        connect(m_colours->channelEdit(c), &QLineEdit::returnPressed, this,
                &LightingPage::rgbEdited);
    showColourFields();

    m_apply = makeAction(context::LightingPage::tr("APPLY"), "btn_apply", {690, 582, 110, 32});
    m_reset =
        makeAction(context::LightingPage::tr("LED RESET"), "btn_led_reset", {812, 582, 120, 32});

    connect(m_effectCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LightingPage::effectChosen);
    connect(m_full, &QPushButton::released, this, &LightingPage::fullClicked);
    connect(m_customized, &QPushButton::released, this, &LightingPage::customizedClicked);
    connect(m_left, &QPushButton::released, this, &LightingPage::leftClicked);
    connect(m_right, &QPushButton::released, this, &LightingPage::rightClicked);
    connect(m_yes, &QPushButton::released, this, &LightingPage::rollingYesClicked);
    connect(m_no, &QPushButton::released, this, &LightingPage::rollingNoClicked);
    connect(m_static, &QPushButton::released, this, &LightingPage::staticClicked);
    connect(m_pulse, &QPushButton::released, this, &LightingPage::pulseClicked);
    connect(m_spectrum, &QPushButton::released, this, &LightingPage::spectrumClicked);
    connect(m_speedSlider, &QSlider::valueChanged, this, &LightingPage::speedChanged);
    connect(m_speedinessSlider, &QSlider::valueChanged, this, &LightingPage::waveSpeedChanged);
    connect(m_apply, &QPushButton::released, this, &LightingPage::applyClicked);
    connect(m_reset, &QPushButton::released, this, &LightingPage::ledResetClicked);
    connect(m_strip->addStopButton(), &QPushButton::released, this, &LightingPage::addStopClicked);
    connect(m_strip->deleteStopButton(), &QPushButton::released, this,
            &LightingPage::deleteStopClicked);
    connect(m_patternCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LightingPage::patternChosen);
    connect(m_strip->patternAddButton(), &QPushButton::released, this,
            &LightingPage::addPatternClicked);
    connect(m_strip->patternDeleteButton(), &QPushButton::released, this,
            &LightingPage::deletePatternClicked);
    connect(m_surfaceButton, &QPushButton::released, this, &LightingPage::surfaceClicked);
    connect(m_surfaceSwatch, &QPushButton::released, this, &LightingPage::surfaceSwatchClicked);
    connect(m_colours->codeEdit(), &QLineEdit::returnPressed, this, &LightingPage::colorCodeEdited);
}

// --- small helpers ------------------------------------------------------------

void LightingPage::showColourFields()
{
    m_colours->show(m_model.currentColor());
}

void LightingPage::setColourControlsVisible(bool visible)
{
    m_colours->setVisible(visible);
}

void LightingPage::setSurfaceRowVisible(bool visible)
{
    // Showing or hiding the row deselects the swatch. The switch shows the
    // effect's SURFACE flag, which the builders still send while it is set, and
    // the swatch comes back with it.
    m_model.deselectSwatch();
    const bool on = m_model.surfaceOn();
    m_surfaceLabel->setVisible(visible);
    m_surfaceButton->setVisible(visible);
    setLit(m_surfaceButton, visible && on);
    m_surfaceButton->setText(visible && on ? context::LightingPage::tr("ON")
                                           : context::LightingPage::tr("OFF"));
    styleSurfaceSwatch();
    m_surfaceSwatch->setVisible(visible && on);
}

void LightingPage::setGradientControlsVisible(bool visible)
{
    m_strip->setVisible(visible,
                        m_model.userPatternChosen() && m_model.shownEffect() != EffectWave);
}

void LightingPage::styleSurfaceSwatch()
{
    m_surfaceSwatch->setStyleSheet(
        surfaceSwatchStyle(m_model.surfaceColor(), m_model.surfaceSelected()));
}

void LightingPage::refreshStopHandles()
{
    m_strip->refreshHandles(m_model);
}

int LightingPage::patternIndex() const
{
    return m_patternCombo->currentIndex();
}

void LightingPage::savePatternFile()
{
    // Stops shown for another profile are never saved into this one's file.
    if (m_patternProfile != editedProfile)
        return syncPatternProfile();
    reportSaves(m_model.savePatternFile(editedProfile));
}

bool LightingPage::reportSaves(const orvanta::SaveResult &result)
{
    return m_context && m_context->notices ? m_context->notices->report(result) : result.ok();
}

void LightingPage::refreshPatternEntry(int index)
{
    m_strip->refreshEntry(index, editedProfile);
}

// After every change of the edited stops: the strip, the handles and the
// PATTERN entry show them, the shown preview follows, and the pattern file
// keeps them so that nothing is lost when another pattern is chosen.
void LightingPage::stopsEdited()
{
    refreshStopHandles();
    savePatternFile();
    refreshPatternEntry(patternIndex());
    refreshPreview();
}

void LightingPage::fillAllKeys(const Rgb &colour)
{
    if (m_model.fillAllKeys(colour))
        m_keyEditor->showAll(colour);
}

// --- effect switching ---------------------------------------------------------

void LightingPage::effectChosen(int index)
{
    if (index < 0 || index >= kEffectCount)
        return;
    stopPreviews();
    m_model.leaveEffectFor(index);
    selectEffect(index);
}

void LightingPage::stopPreviews()
{
    m_previews->stop();
}

void LightingPage::refreshPreview()
{
    m_previews->refresh(m_model);
}

void LightingPage::showPatternIndex(int index)
{
    const QSignalBlocker block(m_patternCombo);
    m_patternCombo->setCurrentIndex(index);
    m_model.setPatternIndex(m_patternCombo->currentIndex());
}

// Replays a stored choice: the option is cleared and chosen again, so that
// the buttons and the controls it shows follow it.
void LightingPage::replay(LightingModel::Option option, void (LightingPage::*handler)())
{
    m_model.unsetOption(option);
    (this->*handler)();
}

void LightingPage::selectEffect(int k)
{
    if (m_effectCombo->currentIndex() != k) {
        const QSignalBlocker block(m_effectCombo);
        m_effectCombo->setCurrentIndex(k);
    }
    if (m_model.enterEffect(k)) {
        // The FULL colour of the effect left behind is gone from the keys.
        m_keyEditor->showAll({255, 0, 0});
    }
    for (QPushButton *b :
         {m_full, m_customized, m_left, m_right, m_yes, m_no, m_static, m_pulse, m_spectrum})
        setLit(b, false);
    m_stopPressed = false;
    m_strip->hideHandles();

    const bool zones = k != EffectWave;
    m_zonesLabel->setVisible(zones);
    m_full->setVisible(zones);
    m_customized->setVisible(zones);
    for (QWidget *w : std::initializer_list<QWidget *>{m_static, m_pulse, m_spectrum})
        w->setVisible(k == EffectStatic);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_speedLabel, m_slowLabel, m_fastLabel, m_speedSlider})
        w->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{m_directionLabel, m_left, m_right})
        w->setVisible(k == EffectArrowFlow || k == EffectWave);
    for (QWidget *w : std::initializer_list<QWidget *>{m_rollingLabel, m_yes, m_no})
        w->setVisible(k == EffectArrowFlow || k == EffectRipple);
    for (QWidget *w : std::initializer_list<QWidget *>{m_waveSpeedLabel, m_waveSlowLabel,
                                                       m_waveFastLabel, m_speedinessSlider})
        w->setVisible(k == EffectWave);
    setColourControlsVisible(true);
    setGradientControlsVisible(k == EffectWave);
    m_surfaceLabel->hide();
    m_surfaceButton->hide();
    m_surfaceSwatch->hide();

    const EffectFlag &flag = m_model.flag();
    if (m_model.gradientShown()) {
        // The PATTERN list shows the entry this effect chose last.
        const int count = m_patternCombo->count();
        if (count > 0)
            showPatternIndex(m_model.rememberedPattern(count));
        else
            m_model.setPatternIndex(m_patternCombo->currentIndex());
        setGradientControlsVisible(k == EffectWave);
    }

    if (flag.fullFlag)
        replay(LightingModel::OptionFull, &LightingPage::fullClicked);
    else
        replay(LightingModel::OptionCustomized, &LightingPage::customizedClicked);
    if (k == EffectStatic) {
        if (flag.staticFlag)
            replay(LightingModel::OptionStatic, &LightingPage::staticClicked);
        else if (flag.pulse)
            replay(LightingModel::OptionPulse, &LightingPage::pulseClicked);
        else if (flag.spectrum)
            replay(LightingModel::OptionSpectrum, &LightingPage::spectrumClicked);
    }
    if (k == EffectWave) {
        if (flag.left)
            replay(LightingModel::OptionLeft, &LightingPage::leftClicked);
        else if (flag.right)
            replay(LightingModel::OptionRight, &LightingPage::rightClicked);
        const QSignalBlocker block(m_speedinessSlider);
        m_speedinessSlider->setValue(speedinessPosition(flag.speediness));
    }
    if (k == EffectArrowFlow) {
        setLit(m_left, flag.left);
        setLit(m_right, flag.right);
    }
    if (k == EffectArrowFlow || k == EffectRipple) {
        if (flag.no)
            replay(LightingModel::OptionNo, &LightingPage::rollingNoClicked);
        else
            replay(LightingModel::OptionYes, &LightingPage::rollingYesClicked);
    }

    m_model.loadEffectColours();
    if (k == EffectStatic || k == EffectReactive) {
        m_keyEditor->showSet(k == EffectStatic ? m_model.staticColors() : m_model.reactiveColors());
    } else if (k == EffectRipple) {
        // Ripple always shows its chosen pattern, with FULL too: the stops then
        // stay out of sight but are what Arrow Flow or Wave take over next.
        patternChosen(m_patternCombo->currentIndex());
    }
    styleSurfaceSwatch();
    refreshStopHandles();
    refreshPatternEntry(patternIndex());
    refreshPreview();
}

// --- option handlers ----------------------------------------------------------

void LightingPage::fullClicked()
{
    if (!m_model.choose(LightingModel::OptionFull))
        return;
    setLit(m_full, true);
    setLit(m_customized, false);
    const int shown = m_model.shownEffect();
    if (shown == EffectArrowFlow || shown == EffectRipple) {
        setGradientControlsVisible(false);
        setSurfaceRowVisible(false);
        m_model.clearStopSelection();
        m_strip->hideHandles();
        refreshPreview();
    }
}

void LightingPage::customizedClicked()
{
    if (!m_model.choose(LightingModel::OptionCustomized))
        return;
    const int shown = m_model.shownEffect();
    if (shown == EffectArrowFlow || shown == EffectRipple) {
        setSurfaceRowVisible(true);
        setGradientControlsVisible(true);
        patternChosen(m_patternCombo->currentIndex());
    }
    setLit(m_customized, true);
    setLit(m_full, false);
}

void LightingPage::leftClicked()
{
    if (!m_model.choose(LightingModel::OptionLeft))
        return;
    setLit(m_left, m_model.flag().left);
    setLit(m_right, m_model.flag().right);
}

void LightingPage::rightClicked()
{
    if (!m_model.choose(LightingModel::OptionRight))
        return;
    setLit(m_left, m_model.flag().left);
    setLit(m_right, m_model.flag().right);
}

void LightingPage::rollingYesClicked()
{
    if (!m_model.choose(LightingModel::OptionYes))
        return;
    setLit(m_yes, true);
    setLit(m_no, false);
}

void LightingPage::rollingNoClicked()
{
    if (!m_model.choose(LightingModel::OptionNo))
        return;
    setLit(m_no, true);
    setLit(m_yes, false);
}

void LightingPage::staticClicked()
{
    if (!m_model.choose(LightingModel::OptionStatic))
        return;
    setLit(m_static, true);
    setLit(m_pulse, false);
    setLit(m_spectrum, false);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_speedLabel, m_slowLabel, m_fastLabel, m_speedSlider})
        w->hide();
    for (QWidget *w : std::initializer_list<QWidget *>{m_zonesLabel, m_full, m_customized})
        w->show();
    setColourControlsVisible(true);
}

void LightingPage::pulseClicked()
{
    if (!m_model.choose(LightingModel::OptionPulse))
        return;
    setLit(m_pulse, true);
    setLit(m_static, false);
    setLit(m_spectrum, false);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_speedLabel, m_slowLabel, m_fastLabel, m_speedSlider,
                                          m_zonesLabel, m_full, m_customized})
        w->show();
    setColourControlsVisible(true);
    m_speedSlider->setValue(m_model.flag().pulseSpeed);
}

void LightingPage::spectrumClicked()
{
    if (!m_model.choose(LightingModel::OptionSpectrum))
        return;
    setLit(m_spectrum, true);
    setLit(m_static, false);
    setLit(m_pulse, false);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_speedLabel, m_slowLabel, m_fastLabel, m_speedSlider})
        w->show();
    for (QWidget *w : std::initializer_list<QWidget *>{m_zonesLabel, m_full, m_customized})
        w->hide();
    setColourControlsVisible(false);
    m_speedSlider->setValue(m_model.flag().spectrumSpeed);
}

void LightingPage::speedChanged(int position)
{
    m_model.setStaticSpeed(position);
}

void LightingPage::waveSpeedChanged(int position)
{
    if (m_model.setWaveSpeed(position) && m_previews->flowShown())
        refreshPreview();
}

// --- APPLY and LED RESET ------------------------------------------------------

void LightingPage::applyClicked()
{
    const int k = m_effectCombo->currentIndex();
    if (k < 0 || k >= kEffectCount)
        return;
    if (m_context && m_context->controller)
        m_context->controller->applyLighting(m_model, profileNumber, editedProfile);
}

void LightingPage::ledResetClicked()
{
    resetProfileLighting(m_effectCombo->currentIndex() + 1);
}

void LightingPage::resetProfileLighting(int n, const QString &storeAs)
{
    if (m_context && m_context->controller)
        m_context->controller->resetLighting(m_model, n,
                                             storeAs.isEmpty() ? editedProfile : storeAs);
}

// --- colour controls ----------------------------------------------------------

void LightingPage::pickColour(const Rgb &colour, bool fromPalette)
{
    m_model.setCurrentColor(colour);
    showColourFields();
    const bool stopTakesColour =
        m_model.gradientShown() && m_model.flag().customized && m_model.userPatternChosen();
    if (!fromPalette) {
        // The fields fill the keys of any effect with FULL on, then recolour
        // the selected stop unless a surface swatch waits for the colour.
        fillAllKeys(colour);
        if (stopTakesColour && !m_model.anySwatchSelected() &&
            m_model.recolourSelectedStop(colour)) {
            qDebug("color_select_btn_movewhitchone %d", m_model.stopEditor().selectedSlot());
            stopsEdited();
        }
        return;
    }
    // Palette: the selected stop, then the surface, then the keys.
    if (stopTakesColour && !m_model.bothSwatchesSelected() &&
        m_model.recolourSelectedStop(colour)) {
        qDebug("color_select_btn_movewhitchone %d", m_model.stopEditor().selectedSlot());
        stopsEdited();
    }
    const int shown = m_model.shownEffect();
    if (m_model.surfaceOn() && m_model.surfaceSelected()) {
        m_model.setSurfaceColor(colour);
        styleSurfaceSwatch();
        savePatternFile();
    }
    if (shown == EffectStatic || shown == EffectReactive || shown == EffectArrowFlow)
        fillAllKeys(colour);
    if (shown == EffectArrowFlow || shown == EffectRipple)
        refreshPreview();
}

void LightingPage::rgbEdited()
{
    pickColour(m_colours->typedChannels(), false);
}

void LightingPage::colorCodeEdited()
{
    pickColour(m_colours->typedCode(), false);
}

void LightingPage::surfaceClicked()
{
    if (!m_model.toggleSurface())
        return;
    const bool on = m_model.surfaceOn();
    setLit(m_surfaceButton, on);
    m_surfaceButton->setText(on ? context::LightingPage::tr("ON")
                                : context::LightingPage::tr("OFF"));
    if (!on) {
        m_surfaceSwatch->hide();
    } else {
        styleSurfaceSwatch();
        m_surfaceSwatch->show();
    }
}

void LightingPage::surfaceSwatchClicked()
{
    if (m_model.toggleSwatch())
        styleSurfaceSwatch();
}

// --- colour stops and patterns ------------------------------------------------

void LightingPage::addStopClicked()
{
    const int slot = m_model.addStop();
    if (slot < 0)
        return;
    qDebug("car_park %d", slot);
    qDebug("count %d", m_model.stopEditor().presentCount());
    stopsEdited();
    m_strip->markNewStop(slot);
}

void LightingPage::deleteStopClicked()
{
    if (m_model.deleteSelectedStop() < 0)
        return;
    stopsEdited();
}

void LightingPage::showSavedProfile(const QString &profile)
{
    editedProfile = profile;
    refillPatternList();
}

void LightingPage::refillPatternList()
{
    m_patternProfile = editedProfile;
    m_strip->fill(editedProfile, m_model);
    // The editor shows what the chosen entry of this profile holds: the stops
    // of the profile shown before are neither kept nor sent nor saved here.
    m_stopPressed = false;
    m_model.showProfilePattern(m_patternCombo->currentIndex(), editedProfile);
    setGradientControlsVisible(m_patternLabel->isVisibleTo(this));
    refreshStopHandles();
    styleSurfaceSwatch();
    if (m_previews->anyShown())
        refreshPreview();
}

void LightingPage::syncPatternProfile()
{
    // The shell sets editedProfile on every profile change; the list follows it
    // the next time the page is used.
    if (m_patternProfile == editedProfile)
        return;
    refillPatternList();
    if (m_patternLabel->isVisibleTo(this) && m_model.flag().customized)
        patternChosen(patternIndex());
}

void LightingPage::patternChosen(int index)
{
    m_model.choosePattern(index, editedProfile);
    if (index < 0)
        return;
    m_stopPressed = false;
    setGradientControlsVisible(m_patternLabel->isVisibleTo(this));
    refreshStopHandles();
    refreshPatternEntry(index);
    styleSurfaceSwatch();
    if (m_previews->anyShown())
        refreshPreview();
}

void LightingPage::patternListActivated()
{
    qDebug() << "key_r_base_layer_combo_function2()";
}

void LightingPage::addPatternClicked()
{
    syncPatternProfile();
    if (m_patternCombo->count() >= kMaxPatterns)
        return;
    SaveResult saved;
    const int index = m_model.addPattern(editedProfile, &saved);
    if (!reportSaves(saved) || index < 0)
        return;
    refillPatternList();
    patternChosen(patternIndex());
}

void LightingPage::deletePatternClicked()
{
    syncPatternProfile();
    SaveResult saved;
    const bool deleted = m_model.deletePattern(editedProfile, &saved);
    reportSaves(saved);
    if (!deleted)
        return;
    refillPatternList();
    patternChosen(patternIndex());
}

// --- page background ----------------------------------------------------------

void LightingPage::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(24, 24, 27));
    if (!m_background.isNull())
        painter.drawPixmap(-kPageOrigin, m_background);
}

void LightingPage::showEvent(QShowEvent *event)
{
    syncPatternProfile();
    QWidget::showEvent(event);
}

void LightingPage::enterEvent(QEvent *event)
{
    syncPatternProfile();
    QWidget::enterEvent(event);
}

// --- mouse: keys, palette, stop strip -----------------------------------------

void LightingPage::pressOnStrip(const QPoint &p)
{
    // Only a user pattern's stops can be chosen, and only on a shown strip.
    if (!m_model.userPatternChosen() || m_stopsSlider->isHidden())
        return;
    const int slot = m_model.selectStopAtX(p.x());
    if (slot < 0)
        return;
    m_stopPressed = true;
    refreshStopHandles();
}

void LightingPage::releaseStopPress()
{
    m_stopPressed = false;
    if (!m_model.gradientShown() || !m_model.flag().customized)
        return;
    m_model.rememberShownStops();
    savePatternFile();
    refreshPatternEntry(patternIndex());
    refreshPreview();
}

void LightingPage::mousePressEvent(QMouseEvent *event)
{
    syncPatternProfile();
    const QPoint p = event->pos();
    m_stopPressed = false;
    if (m_keyEditor->press(p, event->button(), m_model))
        return;
    if (ColourFields::inPalette(p) && !m_model.flag().spectrum && m_colours->isShown()) {
        Rgb colour;
        if (m_colours->paletteColour(p, &colour))
            pickColour(colour, true);
        return;
    }
    if (isStopStripPress(p.x(), p.y())) {
        pressOnStrip(p);
        return;
    }
    // A press elsewhere ends the stop selection and lets go of the swatch. Wave
    // has no swatch but its selection ends the same way, or every colour typed
    // afterwards would keep landing on the stop.
    if (m_model.gradientShown() && m_model.flag().customized) {
        m_model.clearStopSelection();
        m_model.deselectSwatch();
        refreshStopHandles();
        styleSurfaceSwatch();
    }
}

void LightingPage::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->pos();
    if (m_stopPressed && event->buttons() != Qt::NoButton) {
        if (isStopStripDrag(p.y()) && m_model.dragStopToX(p.x()))
            refreshStopHandles();
        return;
    }
    m_keyEditor->move(p, event->buttons(), m_model);
}

void LightingPage::mouseReleaseEvent(QMouseEvent *event)
{
    m_keyEditor->hideSelection();
    if (m_stopPressed) {
        releaseStopPress();
        return;
    }
    m_keyEditor->release(event->pos(), event->button(), m_model);
}
