#pragma once
// The LIGHTING page: the effect choice and its options, the per-key colour
// editor over the keyboard picture, the colour controls and APPLY / LED RESET.

#include "ColourFields.h"
#include "EffectOptions.h"
#include "EffectPreviews.h"
#include "KeyColourEditor.h"
#include "StopsStrip.h"
#include "SurfaceControls.h"
#include "core/lighting/LightingModel.h"

#include <QPixmap>
#include <QPoint>
#include <QString>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;
class QMouseEvent;
class QSlider;
struct ConsoleContext;

class LightingPage : public QWidget
{
    Q_OBJECT
public:
    // Edits the context's controller's lighting, for the saved profile
    // `editedProfile`; APPLY and LED RESET are the controller's use cases. A
    // page built over lighting already edited (after a language switch) shows
    // it as the user left it.
    explicit LightingPage(ConsoleContext *context, QWidget *parent = nullptr,
                          const QString &editedProfile = QStringLiteral("default"));

    // The saved profile being edited.
    const QString &editedProfile() const { return m_editedProfile; }
    // Sends on-board profile n's factory lighting (effect n - 1) to profile n and
    // stores it under storeAs, or under the edited profile when storeAs is empty.
    void resetProfileLighting(int n, const QString &storeAs = QString());
    // The page edits the saved profile `profile` from now on; the PATTERN list
    // shows its pattern files.
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

public slots:
    void applyClicked();
    void ledResetClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void enterEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void buildWidgets();
    void showKeptLighting();
    void effectChosen(int index);
    void zonesChosen(bool customized);
    void addStopClicked();
    void deleteStopClicked();
    void patternChosen(int index);
    void addPatternClicked();
    void deletePatternClicked();
    void refillPatternList();
    void showColourFields();
    void setGradientControlsVisible(bool visible);
    void refreshStopHandles();
    void stopsEdited();
    void savePatternFile();
    // Tells the context's notices every failure of `result`; true when there was none.
    bool reportSaves(const orvanta::SaveResult &result);
    void refreshPatternEntry(int index);
    void syncPatternProfile();
    void pressOnStrip(const QPoint &p);
    void releaseStopPress();
    void refreshPreview();
    void pickColour(const orvanta::Rgb &colour, bool fromPalette);
    void fillAllKeys(const orvanta::Rgb &colour);

    // Switching effect: the shared selection steps, then the effect's own.
    void selectEffect(int k);
    // Chooses a PATTERN entry without the signal of a user's choice.
    void showPatternIndex(int index);

    ConsoleContext *m_context;
    orvanta::LightingModel &m_model; // the controller's
    QString m_editedProfile;
    std::unique_ptr<KeyColourEditor> m_keyEditor;
    std::unique_ptr<StopsStrip> m_strip;
    std::unique_ptr<EffectPreviews> m_previews;
    EffectOptions *m_options = nullptr;
    SurfaceControls *m_surface = nullptr;
    std::unique_ptr<ColourFields> m_colours;
    QLabel *m_patternLabel = nullptr;
    QComboBox *m_patternCombo = nullptr;
    QSlider *m_stopsSlider = nullptr;

    bool m_stopPressed = false; // a stop press waits for its release
    QString m_patternProfile;   // whose pattern files the PATTERN list shows
    QPixmap m_background;
};
