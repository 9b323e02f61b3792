#pragma once
// The LIGHTING page: the effect choice and its options, the per-key colour
// editor over the keyboard picture, the colour controls and APPLY / LED RESET.

#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/LightingTypes.h"
#include "core/lighting/StopEditor.h"

#include <QImage>
#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QPushButton;
class QSlider;
class SelectionRect;
class FlowPreview;
class RipplePreview;

class LightingPage : public QWidget
{
    Q_OBJECT
public:
    explicit LightingPage(QWidget *parent = nullptr);

    int profileNumber = 1;                             // on-board profile 1..5
    QString editedProfile = QStringLiteral("default"); // saved profile being edited

    // Sends on-board profile n's factory lighting (effect n - 1) to profile n and
    // stores it under storeAs, or under editedProfile when storeAs is empty.
    void resetProfileLighting(int n, const QString &storeAs = QString());
    // Profile 1's factory lighting keeps the Static sub-mode the user chose.
    const orvanta::EffectFlag &factoryStaticFlag() const;
    // Reloads the PATTERN list from editedProfile's pattern files.
    void refillPatternList();
    // The pattern entry being edited (-1 when the profile has none).
    int patternIndex() const;

    // Page state.
    orvanta::EffectFlag effectFlag;          // working record of shownEffect
    orvanta::EffectRecords savedEffectFlags; // stored record of each effect
    int shownEffect = orvanta::EffectStatic;
    orvanta::Rgb currentColor{255, 0, 0};
    orvanta::LedPlanes leds; // ledR, ledG, ledB
    std::array<quint8, 264> scratch{};
    orvanta::KeyColorSet staticColors;   // remembered per-key colours of Static
    orvanta::KeyColorSet reactiveColors; // ... and of Reactive
    // The stops of the STOPS CONTROL strip, with the stop selection.
    orvanta::StopEditor stopEditor;
    const orvanta::StopSlots &stops() const { return stopEditor.stops(); }
    orvanta::Rgb surfaceColor{255, 0, 0};
    bool surfaceOnArrow = false;
    bool surfaceOnRipple = false;
    bool surfaceSelectedArrow = false;
    bool surfaceSelectedRipple = false;
    orvanta::StopSlots arrowStops = orvanta::defaultStops();
    orvanta::StopSlots waveStops = orvanta::defaultStops();
    orvanta::StopSlots rippleStops = orvanta::defaultStops();
    orvanta::Rgb arrowSurface{255, 0, 0};
    orvanta::Rgb rippleSurface{255, 0, 0};

    // What the builders read.
    orvanta::LightingState lightingState() const;
    // The colour a key widget shows.
    orvanta::Rgb keyColour(int key) const { return m_keyShown[key]; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void enterEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

signals:
    // A file kept its old content because saving it failed; one signal per file.
    void saveFailed(QString path, QString reason);

public slots:
    void surfaceClicked();
    void surfaceSwatchClicked();
    void effectChosen(int index);
    void waveSpeedChanged(int position);
    void fullClicked();
    void customizedClicked();
    void leftClicked();
    void rightClicked();
    void rollingYesClicked();
    void rollingNoClicked();
    void staticClicked();
    void pulseClicked();
    void spectrumClicked();
    void speedChanged(int position);
    void applyClicked();
    void ledResetClicked();
    void addStopClicked();
    void deleteStopClicked();
    void patternChosen(int index);
    void patternListActivated();
    void addPatternClicked();
    void clearPatternList();
    void deletePatternClicked();
    void rgbEdited();
    void colorCodeEdited();

private:
    void buildWidgets();
    QPushButton *makeToggle(const QString &text, const char *name, const QRect &geometry);
    QPushButton *makeAction(const QString &text, const char *name, const QRect &geometry);
    QLabel *makeLabel(const QString &text, const char *name, const QRect &geometry);
    void setLit(QPushButton *button, bool lit);
    void showKey(int key, const orvanta::Rgb &colour);
    void showColourFields();
    void setColourControlsVisible(bool visible);
    void setGradientControlsVisible(bool visible);
    void setSurfaceRowVisible(bool visible);
    void styleSurfaceSwatch();
    void refreshStopHandles();
    void paintStopsStrip(); // the strip shows the stops as its gradient
    void setStops(const orvanta::StopSlots &stops);
    void syncStopsReadOnly();
    void stopsEdited();
    void savePatternFile();
    // Raises saveFailed for every failure of `result`; true when there was none.
    bool reportSaves(const orvanta::SaveResult &result);
    void refreshPatternEntry(int index);
    void rememberShownStops();
    void syncPatternProfile();
    void pressOnStrip(const QPoint &p);
    void releaseStopPress();
    void stopPreviews();
    void refreshPreview();
    void pickColour(const orvanta::Rgb &colour, bool fromPalette);
    void fillAllKeys(const orvanta::Rgb &colour);
    orvanta::KeyColorSet *rememberedSet();
    bool perKeyEditing() const;
    bool userPatternChosen() const;

    // Switching effect: the shared selection steps, then the effect's own.
    void selectEffect(int k);
    void selectStatic() { selectEffect(orvanta::EffectStatic); }
    void selectReactive() { selectEffect(orvanta::EffectReactive); }
    void selectArrowFlow() { selectEffect(orvanta::EffectArrowFlow); }
    void selectWave() { selectEffect(orvanta::EffectWave); }
    void selectRipple() { selectEffect(orvanta::EffectRipple); }

    std::array<QLabel *, orvanta::kKeyLightCount> m_keys{};
    std::array<orvanta::Rgb, orvanta::kKeyLightCount> m_keyShown{};
    std::array<QLabel *, orvanta::kStopSlots> m_stopHandles{};
    QLabel *m_picture = nullptr;
    SelectionRect *m_drawRect = nullptr;
    FlowPreview *m_flowPreview = nullptr;     // Arrow Flow and Wave
    RipplePreview *m_ripplePreview = nullptr; // Ripple

    QComboBox *m_effectCombo = nullptr;
    QLabel *m_effectLabel = nullptr;
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
    QList<QWidget *> m_colourControls;
    QLineEdit *m_rEdit = nullptr;
    QLineEdit *m_gEdit = nullptr;
    QLineEdit *m_bEdit = nullptr;
    QLineEdit *m_codeEdit = nullptr;
    QLabel *m_stopsLabel = nullptr;
    QSlider *m_stopsSlider = nullptr;
    QPushButton *m_addStop = nullptr;
    QPushButton *m_delStop = nullptr;
    QLabel *m_patternLabel = nullptr;
    QComboBox *m_patternCombo = nullptr;
    QPushButton *m_patternAdd = nullptr;
    QPushButton *m_patternDel = nullptr;
    QLabel *m_surfaceLabel = nullptr;
    QPushButton *m_surfaceButton = nullptr;
    QPushButton *m_surfaceSwatch = nullptr;
    QPushButton *m_apply = nullptr;
    QPushButton *m_reset = nullptr;

    QImage m_palette;
    QPoint m_pressPoint;
    bool m_dragging = false;
    bool m_stopPressed = false; // a stop press waits for its release
    QString m_patternProfile;   // whose pattern files the PATTERN list shows
    QTimer m_rippleRearm;       // starts a new ripple once the last one is over
    QPixmap m_background;
};
