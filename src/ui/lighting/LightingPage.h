#pragma once
// The LIGHTING page: the effect choice and its options, the per-key colour
// editor over the keyboard picture, the colour controls and APPLY / LED RESET.

#include "ColourFields.h"
#include "EffectPreviews.h"
#include "KeyColourEditor.h"
#include "LightingWidgets.h"
#include "StopsStrip.h"
#include "core/lighting/LightingModel.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QMouseEvent;
class QPushButton;
class QSlider;
struct ConsoleContext;

class LightingPage : public QWidget
{
    Q_OBJECT
public:
    // APPLY and LED RESET are the context's controller's use cases.
    explicit LightingPage(ConsoleContext *context, QWidget *parent = nullptr);

    int profileNumber = 1;                             // on-board profile 1..5
    QString editedProfile = QStringLiteral("default"); // saved profile being edited

    // Sends on-board profile n's factory lighting (effect n - 1) to profile n and
    // stores it under storeAs, or under editedProfile when storeAs is empty.
    void resetProfileLighting(int n, const QString &storeAs = QString());
    // Reloads the PATTERN list from editedProfile's pattern files.
    void refillPatternList();
    // The page edits the saved profile `profile` from now on.
    void showSavedProfile(const QString &profile);
    // The pattern entry being edited (-1 when the profile has none).
    int patternIndex() const;

    // What the page edits.
    const orvanta::LightingModel &model() const { return m_model; }
    // The colour a key widget shows.
    orvanta::Rgb keyColour(int key) const { return m_keyEditor->keyColour(key); }
    // Paints the keys in the picked colour, as a click or a dragged band does
    // with CUSTOMIZED on Static or Reactive; false (nothing painted) otherwise.
    bool paintKeys(const QVector<int> &keys);
    // Chooses the next (step 1) or previous (-1) colour stop of the user's
    // pattern shown, as a click on its square does; the stop chosen, or -1.
    int chooseStop(int step);

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void enterEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

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
    void deletePatternClicked();
    void rgbEdited();
    void colorCodeEdited();

private:
    ConsoleContext *m_context = nullptr;
    void buildWidgets();
    QPushButton *makeToggle(const QString &text, const char *name, const QRect &geometry)
    {
        return LightingWidgets::toggle(this, text, name, geometry);
    }
    QPushButton *makeAction(const QString &text, const char *name, const QRect &geometry)
    {
        return LightingWidgets::action(this, text, name, geometry);
    }
    QLabel *makeLabel(const QString &text, const char *name, const QRect &geometry)
    {
        return LightingWidgets::label(this, text, name, geometry);
    }
    static void setLit(QPushButton *button, bool lit) { LightingWidgets::setLit(button, lit); }
    void showColourFields();
    void setColourControlsVisible(bool visible);
    void setGradientControlsVisible(bool visible);
    void setSurfaceRowVisible(bool visible);
    void styleSurfaceSwatch();
    void refreshStopHandles();
    void stopsEdited();
    void savePatternFile();
    // Tells the context's notices every failure of `result`; true when there was none.
    bool reportSaves(const orvanta::SaveResult &result);
    void refreshPatternEntry(int index);
    void syncPatternProfile();
    void pressOnStrip(const QPoint &p);
    void releaseStopPress();
    void stopPreviews();
    void refreshPreview();
    void pickColour(const orvanta::Rgb &colour, bool fromPalette);
    void fillAllKeys(const orvanta::Rgb &colour);

    // Switching effect: the shared selection steps, then the effect's own.
    void selectEffect(int k);
    void replay(orvanta::LightingModel::Option option, void (LightingPage::*handler)());
    // Chooses a PATTERN entry without the signal of a user's choice.
    void showPatternIndex(int index);

    orvanta::LightingModel m_model;
    std::unique_ptr<KeyColourEditor> m_keyEditor;
    std::unique_ptr<StopsStrip> m_strip;
    std::unique_ptr<EffectPreviews> m_previews;

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
    std::unique_ptr<ColourFields> m_colours;
    QSlider *m_stopsSlider = nullptr;
    QLabel *m_patternLabel = nullptr;
    QComboBox *m_patternCombo = nullptr;
    QLabel *m_surfaceLabel = nullptr;
    QPushButton *m_surfaceButton = nullptr;
    QPushButton *m_surfaceSwatch = nullptr;
    QPushButton *m_apply = nullptr;
    QPushButton *m_reset = nullptr;

    bool m_stopPressed = false; // a stop press waits for its release
    QString m_patternProfile;   // whose pattern files the PATTERN list shows
    QPixmap m_background;
};
