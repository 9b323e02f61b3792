#pragma once
// The effect choice of the LIGHTING page and each effect's own options: the
// EFFECT list, ZONES (FULL / CUSTOMIZED), Static's STATIC / PULSE / SPECTRUM
// CYCLING with its SPEED, the FLOW DIRECTION, EFFECT ROLLING and Wave's SPEED.
// A press changes the model's working record and lights the buttons that show
// it; what the rest of the page does about a choice it learns from the signals.

#include "core/lighting/LightingModel.h"

#include <QObject>

class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QWidget;

class EffectOptions : public QObject
{
    Q_OBJECT
public:
    // Creates the controls on the page, in the order Tab visits them.
    EffectOptions(QWidget *page, orvanta::LightingModel &model);

    int chosenEffect() const;
    // Effect k is shown: the list names it, the controls it has are shown
    // and none is lit yet.
    void showControls(int k);
    // Replays the shown record's choices, so that the buttons and the
    // controls they show follow them.
    void replayChoices(int k);

signals:
    void effectChosen(int index);
    // FULL or CUSTOMIZED changed the record.
    void zonesChosen(bool customized);
    // The colour controls come and go with Static's sub-mode.
    void colourControlsShown(bool visible);
    void waveSpeedChanged();

private:
    void fullClicked();
    void customizedClicked();
    void leftClicked();
    void rightClicked();
    void rollingYesClicked();
    void rollingNoClicked();
    void staticClicked();
    void pulseClicked();
    void spectrumClicked();
    void showDirection();
    void showSpeed(bool shown);
    void showZones(bool shown);
    void replay(orvanta::LightingModel::Option option, void (EffectOptions::*handler)());

    orvanta::LightingModel &m_model;
    QComboBox *m_effectCombo = nullptr;
    QLabel *m_zonesLabel = nullptr;
    QPushButton *m_full = nullptr;
    QPushButton *m_customized = nullptr;
    QPushButton *m_static = nullptr;
    QPushButton *m_pulse = nullptr;
    QPushButton *m_spectrum = nullptr;
    QLabel *m_speedLabel = nullptr;
    QLabel *m_slowLabel = nullptr;
    QLabel *m_fastLabel = nullptr;
    QSlider *m_speedSlider = nullptr;
    QLabel *m_directionLabel = nullptr;
    QPushButton *m_left = nullptr;
    QPushButton *m_right = nullptr;
    QLabel *m_rollingLabel = nullptr;
    QPushButton *m_yes = nullptr;
    QPushButton *m_no = nullptr;
    QLabel *m_waveSpeedLabel = nullptr;
    QLabel *m_waveSlowLabel = nullptr;
    QLabel *m_waveFastLabel = nullptr;
    QSlider *m_speedinessSlider = nullptr;
};
