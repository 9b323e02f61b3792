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
#include "core/lighting/PatternStore.h"
#include "core/storage/AtomicFile.h"
#include "ui/shell/ConsoleContext.h"

#include <QComboBox>
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

LightingPage::LightingPage(ConsoleContext *context, QWidget *parent, const QString &editedProfile)
    : QWidget(parent), m_context(context), m_model(context->controller->lighting()),
      m_editedProfile(editedProfile)
{
    buildWidgets();
    if (m_model.effectEntered())
        showKeptLighting();
    else
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

    // Effect choice and options, left half below the keyboard.
    m_options = new EffectOptions(this, m_model);

    // Gradient controls and colour controls, right half.
    m_strip.reset(new StopsStrip(this));
    m_patternLabel = m_strip->patternLabel();
    m_patternCombo = m_strip->patternCombo();
    m_stopsSlider = m_strip->slider();
    m_surface = new SurfaceControls(this, m_model);

    m_colours.reset(new ColourFields(this));
    for (int c = 0; c < 3; ++c)
        connect(m_colours->channelEdit(c), &QLineEdit::returnPressed, this,
                [this] { pickColour(m_colours->typedChannels(), false); });
    showColourFields();

    auto *apply = LightingWidgets::action(this, context::LightingPage::tr("APPLY"), "btn_apply",
                                          {690, 582, 110, 32});
    auto *reset = LightingWidgets::action(this, context::LightingPage::tr("LED RESET"),
                                          "btn_led_reset", {812, 582, 120, 32});

    connect(m_options, &EffectOptions::effectChosen, this, &LightingPage::effectChosen);
    connect(m_options, &EffectOptions::zonesChosen, this, &LightingPage::zonesChosen);
    connect(m_options, &EffectOptions::colourControlsShown, this,
            [this](bool shown) { m_colours->setVisible(shown); });
    connect(m_options, &EffectOptions::waveSpeedChanged, this, [this] {
        if (m_previews->flowShown())
            refreshPreview();
    });
    connect(apply, &QPushButton::released, this, &LightingPage::applyClicked);
    connect(reset, &QPushButton::released, this, &LightingPage::ledResetClicked);
    connect(m_strip->addStopButton(), &QPushButton::released, this, &LightingPage::addStopClicked);
    connect(m_strip->deleteStopButton(), &QPushButton::released, this,
            &LightingPage::deleteStopClicked);
    connect(m_patternCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LightingPage::patternChosen);
    connect(m_strip->patternAddButton(), &QPushButton::released, this,
            &LightingPage::addPatternClicked);
    connect(m_strip->patternDeleteButton(), &QPushButton::released, this,
            &LightingPage::deletePatternClicked);
    connect(m_colours->codeEdit(), &QLineEdit::returnPressed, this,
            [this] { pickColour(m_colours->typedCode(), false); });
}

// A language switch builds the page anew over the lighting being edited. The
// effect is shown again the way choosing it shows it, on a working record
// that is the user's; then the lighting is put back exactly as it stood, and
// the controls that follow it show it.
void LightingPage::showKeptLighting()
{
    const LightingModel kept = m_model;
    m_patternProfile = m_editedProfile;
    m_strip->fill(m_editedProfile, m_model);
    m_model.leaveEffectFor(kept.shownEffect());
    selectEffect(kept.shownEffect());
    m_model = kept;
    showPatternIndex(kept.patternIndex());
    const int k = kept.shownEffect();
    if (k == EffectStatic || k == EffectReactive)
        m_keyEditor->showSet(k == EffectStatic ? kept.staticColors() : kept.reactiveColors());
    m_surface->styleSwatch();
    refreshStopHandles();
    refreshPatternEntry(patternIndex());
    refreshPreview();
}

// --- small helpers ------------------------------------------------------------

void LightingPage::showColourFields()
{
    m_colours->show(m_model.currentColor());
}

void LightingPage::setGradientControlsVisible(bool visible)
{
    m_strip->setVisible(visible,
                        m_model.userPatternChosen() && m_model.shownEffect() != EffectWave);
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
    if (m_patternProfile != m_editedProfile)
        return syncPatternProfile();
    reportSaves(m_model.savePatternFile(m_editedProfile));
}

bool LightingPage::reportSaves(const orvanta::SaveResult &result)
{
    return m_context->notices ? m_context->notices->report(result) : result.ok();
}

void LightingPage::refreshPatternEntry(int index)
{
    m_strip->refreshEntry(index, m_editedProfile);
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
    m_previews->stop();
    m_model.leaveEffectFor(index);
    selectEffect(index);
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

void LightingPage::selectEffect(int k)
{
    m_options->showControls(k);
    if (m_model.enterEffect(k)) {
        // The FULL colour of the effect left behind is gone from the keys.
        m_keyEditor->showAll({255, 0, 0});
    }
    m_stopPressed = false;
    m_strip->hideHandles();
    m_colours->setVisible(true);
    setGradientControlsVisible(k == EffectWave);
    m_surface->hide();

    if (m_model.gradientShown()) {
        // The PATTERN list shows the entry this effect chose last.
        const int count = m_patternCombo->count();
        if (count > 0)
            showPatternIndex(m_model.rememberedPattern(count));
        else
            m_model.setPatternIndex(m_patternCombo->currentIndex());
        setGradientControlsVisible(k == EffectWave);
    }
    m_options->replayChoices(k);

    m_model.loadEffectColours();
    if (k == EffectStatic || k == EffectReactive) {
        m_keyEditor->showSet(k == EffectStatic ? m_model.staticColors() : m_model.reactiveColors());
    } else if (k == EffectRipple) {
        // Ripple always shows its chosen pattern, with FULL too: the stops then
        // stay out of sight but are what Arrow Flow or Wave take over next.
        patternChosen(m_patternCombo->currentIndex());
    }
    m_surface->styleSwatch();
    refreshStopHandles();
    refreshPatternEntry(patternIndex());
    refreshPreview();
}

// FULL or CUSTOMIZED chosen: on Arrow Flow and Ripple the gradient controls
// and the SURFACE row come with CUSTOMIZED only.
void LightingPage::zonesChosen(bool customized)
{
    const int shown = m_model.shownEffect();
    if (shown != EffectArrowFlow && shown != EffectRipple)
        return;
    if (customized) {
        m_surface->setRowVisible(true);
        setGradientControlsVisible(true);
        patternChosen(m_patternCombo->currentIndex());
        return;
    }
    setGradientControlsVisible(false);
    m_surface->setRowVisible(false);
    m_model.clearStopSelection();
    m_strip->hideHandles();
    refreshPreview();
}

// --- APPLY and LED RESET ------------------------------------------------------

void LightingPage::applyClicked()
{
    const int k = m_options->chosenEffect();
    if (k < 0 || k >= kEffectCount)
        return;
    ConsoleController *controller = m_context->controller;
    controller->applyLighting(m_model, controller->activeSlot(), m_editedProfile);
}

void LightingPage::ledResetClicked()
{
    resetProfileLighting(m_options->chosenEffect() + 1);
}

void LightingPage::resetProfileLighting(int n, const QString &storeAs)
{
    m_context->controller->resetLighting(m_model, n, storeAs.isEmpty() ? m_editedProfile : storeAs);
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
        m_surface->styleSwatch();
        savePatternFile();
    }
    if (shown == EffectStatic || shown == EffectReactive || shown == EffectArrowFlow)
        fillAllKeys(colour);
    if (shown == EffectArrowFlow || shown == EffectRipple)
        refreshPreview();
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
    m_editedProfile = profile;
    refillPatternList();
}

void LightingPage::refillPatternList()
{
    m_patternProfile = m_editedProfile;
    m_strip->fill(m_editedProfile, m_model);
    // The editor shows what the chosen entry of this profile holds: the stops
    // of the profile shown before are neither kept nor sent nor saved here.
    m_stopPressed = false;
    m_model.showProfilePattern(m_patternCombo->currentIndex(), m_editedProfile);
    setGradientControlsVisible(m_patternLabel->isVisibleTo(this));
    refreshStopHandles();
    m_surface->styleSwatch();
    if (m_previews->anyShown())
        refreshPreview();
}

void LightingPage::syncPatternProfile()
{
    // The shell names the edited profile on every profile change; the list
    // follows it the next time the page is used.
    if (m_patternProfile == m_editedProfile)
        return;
    refillPatternList();
    if (m_patternLabel->isVisibleTo(this) && m_model.flag().customized)
        patternChosen(patternIndex());
}

void LightingPage::patternChosen(int index)
{
    m_model.choosePattern(index, m_editedProfile);
    if (index < 0)
        return;
    m_stopPressed = false;
    setGradientControlsVisible(m_patternLabel->isVisibleTo(this));
    refreshStopHandles();
    refreshPatternEntry(index);
    m_surface->styleSwatch();
    if (m_previews->anyShown())
        refreshPreview();
}

void LightingPage::addPatternClicked()
{
    syncPatternProfile();
    if (m_patternCombo->count() >= kMaxPatterns)
        return;
    const WithSaves<int> added = m_model.addPattern(m_editedProfile);
    if (!reportSaves(added.saved) || added.value < 0)
        return;
    refillPatternList();
    patternChosen(patternIndex());
}

void LightingPage::deletePatternClicked()
{
    syncPatternProfile();
    const WithSaves<bool> deleted = m_model.deletePattern(m_editedProfile);
    reportSaves(deleted.saved);
    if (!deleted.value)
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
        m_surface->styleSwatch();
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
