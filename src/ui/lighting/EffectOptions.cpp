#include "EffectOptions.h"

#include "LightingWidgets.h"
#include "core/app/TranslationContexts.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

using namespace orvanta;

namespace
{

QSlider *makeSlider(QWidget *page, const char *name, int maximum)
{
    auto *slider = new QSlider(Qt::Horizontal, page);
    slider->setObjectName(QLatin1String(name));
    slider->setGeometry(205, 382, 180, 24);
    slider->setRange(0, maximum);
    slider->setPageStep(1);
    slider->setStyleSheet(LightingWidgets::sliderStyle());
    return slider;
}

void setShown(std::initializer_list<QWidget *> widgets, bool shown)
{
    for (QWidget *w : widgets)
        w->setVisible(shown);
}

} // namespace

EffectOptions::EffectOptions(QWidget *page, LightingModel &model) : QObject(page), m_model(model)
{
    auto label = [page](const QString &text, const char *name, const QRect &geometry) {
        return LightingWidgets::label(page, text, name, geometry);
    };
    auto toggle = [page](const QString &text, const char *name, const QRect &geometry) {
        return LightingWidgets::toggle(page, text, name, geometry);
    };

    label(context::LightingPage::tr("EFFECT"), "effect_label", {20, 262, 110, 24});
    m_effectCombo = new QComboBox(page);
    m_effectCombo->setObjectName(QStringLiteral("effect_combo"));
    m_effectCombo->setGeometry(150, 260, 200, 28);
    m_effectCombo->setStyleSheet(LightingWidgets::comboStyle());
    m_effectCombo->addItems(
        {context::LightingPage::tr("Static"), context::LightingPage::tr("Reactive"),
         context::LightingPage::tr("Arrow Flow"), context::LightingPage::tr("Wave"),
         context::LightingPage::tr("Ripple")});

    m_zonesLabel = label(context::LightingPage::tr("ZONES"), "zones_label", {20, 302, 120, 24});
    m_full = toggle(context::LightingPage::tr("FULL"), "btn_full", {150, 300, 110, 28});
    m_customized =
        toggle(context::LightingPage::tr("CUSTOMIZED"), "btn_customized", {270, 300, 130, 28});

    m_static = toggle(context::LightingPage::tr("STATIC"), "btn_static", {20, 340, 110, 28});
    m_pulse = toggle(context::LightingPage::tr("PULSE"), "btn_pulse", {140, 340, 110, 28});
    m_spectrum =
        toggle(context::LightingPage::tr("SPECTRUM CYCLING"), "btn_spectrum", {260, 340, 180, 28});
    m_speedLabel = label(context::LightingPage::tr("SPEED"), "speed_label", {20, 382, 120, 24});
    m_slowLabel = label(context::LightingPage::tr("SLOW"), "slow_label", {150, 382, 50, 24});
    m_speedSlider = makeSlider(page, "speed_slider", 2);
    m_fastLabel = label(context::LightingPage::tr("FAST"), "fast_label", {395, 382, 50, 24});

    m_directionLabel =
        label(context::LightingPage::tr("FLOW DIRECTION"), "direction_label", {20, 342, 150, 24});
    m_left = toggle(context::LightingPage::tr("LEFT"), "btn_left", {180, 340, 100, 28});
    m_right = toggle(context::LightingPage::tr("RIGHT"), "btn_right", {290, 340, 100, 28});
    m_rollingLabel =
        label(context::LightingPage::tr("EFFECT ROLLING"), "rolling_label", {20, 382, 150, 24});
    m_yes = toggle(context::LightingPage::tr("YES"), "btn_yes", {180, 380, 100, 28});
    m_no = toggle(context::LightingPage::tr("NO"), "btn_no", {290, 380, 100, 28});

    m_waveSpeedLabel =
        label(context::LightingPage::tr("SPEED"), "wave_speed_label", {20, 382, 120, 24});
    m_waveSlowLabel =
        label(context::LightingPage::tr("SLOW"), "wave_slow_label", {150, 382, 50, 24});
    m_speedinessSlider = makeSlider(page, "speediness_slider", 3);
    m_waveFastLabel =
        label(context::LightingPage::tr("FAST"), "wave_fast_label", {395, 382, 50, 24});

    connect(m_effectCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &EffectOptions::effectChosen);
    connect(m_full, &QPushButton::released, this, &EffectOptions::fullClicked);
    connect(m_customized, &QPushButton::released, this, &EffectOptions::customizedClicked);
    connect(m_left, &QPushButton::released, this, &EffectOptions::leftClicked);
    connect(m_right, &QPushButton::released, this, &EffectOptions::rightClicked);
    connect(m_yes, &QPushButton::released, this, &EffectOptions::rollingYesClicked);
    connect(m_no, &QPushButton::released, this, &EffectOptions::rollingNoClicked);
    connect(m_static, &QPushButton::released, this, &EffectOptions::staticClicked);
    connect(m_pulse, &QPushButton::released, this, &EffectOptions::pulseClicked);
    connect(m_spectrum, &QPushButton::released, this, &EffectOptions::spectrumClicked);
    connect(m_speedSlider, &QSlider::valueChanged, this,
            [this](int position) { m_model.setStaticSpeed(position); });
    connect(m_speedinessSlider, &QSlider::valueChanged, this, [this](int position) {
        if (m_model.setWaveSpeed(position))
            emit waveSpeedChanged();
    });
}

int EffectOptions::chosenEffect() const
{
    return m_effectCombo->currentIndex();
}

void EffectOptions::showControls(int k)
{
    if (m_effectCombo->currentIndex() != k) {
        const QSignalBlocker block(m_effectCombo);
        m_effectCombo->setCurrentIndex(k);
    }
    for (QPushButton *b :
         {m_full, m_customized, m_left, m_right, m_yes, m_no, m_static, m_pulse, m_spectrum})
        LightingWidgets::setLit(b, false);
    showZones(k != EffectWave);
    setShown({m_static, m_pulse, m_spectrum}, k == EffectStatic);
    showSpeed(false);
    setShown({m_directionLabel, m_left, m_right}, k == EffectArrowFlow || k == EffectWave);
    setShown({m_rollingLabel, m_yes, m_no}, k == EffectArrowFlow || k == EffectRipple);
    setShown({m_waveSpeedLabel, m_waveSlowLabel, m_waveFastLabel, m_speedinessSlider},
             k == EffectWave);
}

void EffectOptions::replay(LightingModel::Option option, void (EffectOptions::*handler)())
{
    m_model.unsetOption(option);
    (this->*handler)();
}

void EffectOptions::replayChoices(int k)
{
    const EffectFlag &flag = m_model.flag();
    if (flag.fullFlag)
        replay(LightingModel::OptionFull, &EffectOptions::fullClicked);
    else
        replay(LightingModel::OptionCustomized, &EffectOptions::customizedClicked);
    if (k == EffectStatic) {
        if (flag.staticFlag)
            replay(LightingModel::OptionStatic, &EffectOptions::staticClicked);
        else if (flag.pulse)
            replay(LightingModel::OptionPulse, &EffectOptions::pulseClicked);
        else if (flag.spectrum)
            replay(LightingModel::OptionSpectrum, &EffectOptions::spectrumClicked);
    }
    if (k == EffectWave) {
        if (flag.left)
            replay(LightingModel::OptionLeft, &EffectOptions::leftClicked);
        else if (flag.right)
            replay(LightingModel::OptionRight, &EffectOptions::rightClicked);
        const QSignalBlocker block(m_speedinessSlider);
        m_speedinessSlider->setValue(speedinessPosition(flag.speediness));
    }
    if (k == EffectArrowFlow)
        showDirection();
    if (k == EffectArrowFlow || k == EffectRipple) {
        if (flag.no)
            replay(LightingModel::OptionNo, &EffectOptions::rollingNoClicked);
        else
            replay(LightingModel::OptionYes, &EffectOptions::rollingYesClicked);
    }
}

void EffectOptions::showZones(bool shown)
{
    setShown({m_zonesLabel, m_full, m_customized}, shown);
}

void EffectOptions::showSpeed(bool shown)
{
    setShown({m_speedLabel, m_slowLabel, m_fastLabel, m_speedSlider}, shown);
}

void EffectOptions::showDirection()
{
    LightingWidgets::setLit(m_left, m_model.flag().left);
    LightingWidgets::setLit(m_right, m_model.flag().right);
}

// --- option handlers ----------------------------------------------------------

void EffectOptions::fullClicked()
{
    if (!m_model.choose(LightingModel::OptionFull))
        return;
    LightingWidgets::setLit(m_full, true);
    LightingWidgets::setLit(m_customized, false);
    emit zonesChosen(false);
}

void EffectOptions::customizedClicked()
{
    if (!m_model.choose(LightingModel::OptionCustomized))
        return;
    emit zonesChosen(true);
    LightingWidgets::setLit(m_customized, true);
    LightingWidgets::setLit(m_full, false);
}

void EffectOptions::leftClicked()
{
    if (m_model.choose(LightingModel::OptionLeft))
        showDirection();
}

void EffectOptions::rightClicked()
{
    if (m_model.choose(LightingModel::OptionRight))
        showDirection();
}

void EffectOptions::rollingYesClicked()
{
    if (!m_model.choose(LightingModel::OptionYes))
        return;
    LightingWidgets::setLit(m_yes, true);
    LightingWidgets::setLit(m_no, false);
}

void EffectOptions::rollingNoClicked()
{
    if (!m_model.choose(LightingModel::OptionNo))
        return;
    LightingWidgets::setLit(m_no, true);
    LightingWidgets::setLit(m_yes, false);
}

void EffectOptions::staticClicked()
{
    if (!m_model.choose(LightingModel::OptionStatic))
        return;
    LightingWidgets::setLit(m_static, true);
    LightingWidgets::setLit(m_pulse, false);
    LightingWidgets::setLit(m_spectrum, false);
    showSpeed(false);
    showZones(true);
    emit colourControlsShown(true);
}

void EffectOptions::pulseClicked()
{
    if (!m_model.choose(LightingModel::OptionPulse))
        return;
    LightingWidgets::setLit(m_pulse, true);
    LightingWidgets::setLit(m_static, false);
    LightingWidgets::setLit(m_spectrum, false);
    showSpeed(true);
    showZones(true);
    emit colourControlsShown(true);
    m_speedSlider->setValue(m_model.flag().pulseSpeed);
}

void EffectOptions::spectrumClicked()
{
    if (!m_model.choose(LightingModel::OptionSpectrum))
        return;
    LightingWidgets::setLit(m_spectrum, true);
    LightingWidgets::setLit(m_static, false);
    LightingWidgets::setLit(m_pulse, false);
    showSpeed(true);
    showZones(false);
    emit colourControlsShown(false);
    m_speedSlider->setValue(m_model.flag().spectrumSpeed);
}
