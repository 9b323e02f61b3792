#include "LightingPage.h"

#include "FlowPreview.h"
#include "RipplePreview.h"
#include "SelectionRect.h"
#include "core/app/PictureCache.h"
#include "core/device/CommandSender.h"
#include "core/lighting/ColorCode.h"
#include "core/lighting/PatternStore.h"
#include "core/lighting/StripStyle.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"
#include "ui/shell/Globals.h"

#include <QColor>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>

using namespace orvanta;

namespace
{

const char kWindowPicture[] = "Image/UI Design 2016_Keyboard_out_0.0.png";
const QPoint kPageOrigin(230, 140); // where the main window places the page
constexpr int kRippleRearmMs = 400;

const char kKeyboardPicture[] =
    "Image/^C123EE04E9FA79AD51A70EB85EDC4904B9A42220E25096A89F^pimgpsh_fullsize_distr.png";

QString rgbText(const Rgb &c)
{
    return QStringLiteral("rgb(%1,%2,%3)").arg(c.r).arg(c.g).arg(c.b);
}

QString keyStyle(const Rgb &c)
{
    return QStringLiteral("background-color:") + rgbText(c) + QStringLiteral(";");
}

QString fontFamily()
{
    return toNumber(IniStore::readLanguage()) == 0 ? QStringLiteral("Arial Unicode MS")
                                                   : QStringLiteral("Microsoft JhengHei");
}

QString toggleStyle(bool lit)
{
    return QStringLiteral("QPushButton{border-image:url(Image/eff/fully_lighted/%1.png);"
                          "color:%2;font-family:\"%3\";font-size:12px;font-weight:bold;}")
        .arg(lit ? "toggle_on" : "toggle_off", lit ? "white" : "#b8b8b8", fontFamily());
}

} // namespace

LightingPage::LightingPage(QWidget *parent) : QWidget(parent)
{
    buildWidgets();
    savedEffectFlags = readEffectRecords();
    const auto colours = readKeyColorSets();
    staticColors = colours[0];
    reactiveColors = colours[1];
    m_palette = QImage(QStringLiteral("Image/palette.png"));
    stopEditor.setStops(defaultStops());
    selectStatic();
    m_drawRect->hide();
}

// --- construction -------------------------------------------------------------

QLabel *LightingPage::makeLabel(const QString &text, const char *name, const QRect &geometry)
{
    auto *l = new QLabel(text, this);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setStyleSheet(QStringLiteral("color:white;font-family:\"%1\";font-size:12px;"
                                    "font-weight:bold;background:transparent;")
                         .arg(fontFamily()));
    return l;
}

QPushButton *LightingPage::makeToggle(const QString &text, const char *name, const QRect &geometry)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    setLit(b, false);
    return b;
}

QPushButton *LightingPage::makeAction(const QString &text, const char *name, const QRect &geometry)
{
    auto *b = new QPushButton(text, this);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(
        QStringLiteral(
            "QPushButton{border-image:url(Image/UI-Design-2016_Keyboard_out_204_910.472.png);"
            "color:white;font-family:\"%1\";font-size:12px;font-weight:bold;}"
            "QPushButton:pressed{border-image:url(Image/button_red.png);}")
            .arg(fontFamily()));
    return b;
}

void LightingPage::setLit(QPushButton *button, bool lit)
{
    button->setProperty("lit", lit);
    button->setStyleSheet(toggleStyle(lit));
}

void LightingPage::buildWidgets()
{
    resize(960, 620);
    setMouseTracking(false);
    // The page lies over the main window's CUSTOMIZE controls: it paints the
    // window's own background picture, shifted to where the page sits, so that
    // nothing below shows through and the page joins the window seamlessly.
    m_background = cachedPixmap(QLatin1String(kWindowPicture));
    m_rippleRearm.setInterval(kRippleRearmMs);
    connect(&m_rippleRearm, &QTimer::timeout, this, [this] {
        if (!m_ripplePreview->isActive())
            m_ripplePreview->setUpShineCenter(m_ripplePreview->centre().x(),
                                              m_ripplePreview->centre().y());
    });

    // The key widgets lie behind the keyboard picture, which is transparent over
    // each key, so the colours show through the pictured caps.
    for (int k = 0; k < kKeyLightCount; ++k) {
        auto *key = new QLabel(this);
        key->setObjectName(QStringLiteral("key_%1").arg(k));
        key->setGeometry(keyWidgetRect(k));
        m_keys[k] = key;
        showKey(k, {255, 0, 0});
    }
    m_picture = new QLabel(this);
    m_picture->setObjectName(QStringLiteral("keyboard_picture"));
    m_picture->setGeometry(115, 0, 699, 242);
    m_picture->setPixmap(cachedPixmap(QLatin1String(kKeyboardPicture)));
    m_picture->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The previews lie over the keyboard picture; the ripple one takes presses
    // to move its centre, the flow one lets them through.
    m_flowPreview = new FlowPreview(this);
    m_flowPreview->setGeometry(115, 0, 699, 242);
    m_flowPreview->hide();
    m_ripplePreview = new RipplePreview(this);
    m_ripplePreview->move(115, 22);
    m_ripplePreview->hide();

    m_drawRect = new SelectionRect(this);
    m_drawRect->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_drawRect->hide();

    const QString comboStyle = QStringLiteral(
        "QComboBox{background:#2b2b2e;color:white;border:1px solid #5a5a60;padding-left:6px;}"
        "QComboBox:hover{border:1px solid #d02020;}"
        "QComboBox QAbstractItemView{background:#2b2b2e;color:white;"
        "selection-background-color:#b01818;}");
    const QString sliderStyle =
        QStringLiteral("QSlider::groove:horizontal{height:4px;background:#55555a;}"
                       "QSlider::handle:horizontal{background:#d02020;width:12px;margin:-6px "
                       "0;border-radius:6px;}");

    // Effect choice and options, left half below the keyboard.
    m_effectLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "EFFECT"),
                              "effect_label", {20, 262, 110, 24});
    m_effectCombo = new QComboBox(this);
    m_effectCombo->setObjectName(QStringLiteral("effect_combo"));
    m_effectCombo->setGeometry(150, 260, 200, 28);
    m_effectCombo->setStyleSheet(comboStyle);
    m_effectCombo->addItems({QCoreApplication::translate("keyboard_light_view", "Static"),
                             QCoreApplication::translate("keyboard_light_view", "Reactive"),
                             QCoreApplication::translate("keyboard_light_view", "Arrow Flow"),
                             QCoreApplication::translate("keyboard_light_view", "Wave"),
                             QCoreApplication::translate("keyboard_light_view", "Ripple")});

    m_zonesLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "ZONES"),
                             "zones_label", {20, 302, 120, 24});
    m_full = makeToggle(QCoreApplication::translate("keyboard_light_view", "FULL"), "btn_full",
                        {150, 300, 110, 28});
    m_customized = makeToggle(QCoreApplication::translate("keyboard_light_view", "CUSTOMIZED"),
                              "btn_customized", {270, 300, 130, 28});

    m_static = makeToggle(QCoreApplication::translate("keyboard_light_view", "STATIC"),
                          "btn_static", {20, 340, 110, 28});
    m_pulse = makeToggle(QCoreApplication::translate("keyboard_light_view", "PULSE"), "btn_pulse",
                         {140, 340, 110, 28});
    m_spectrum = makeToggle(QCoreApplication::translate("keyboard_light_view", "SPECTRUM CYCLING"),
                            "btn_spectrum", {260, 340, 180, 28});
    m_speedLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "SPEED"),
                             "speed_label", {20, 382, 120, 24});
    m_slowLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "SLOW"),
                            "slow_label", {150, 382, 50, 24});
    m_speedSlider = new QSlider(Qt::Horizontal, this);
    m_speedSlider->setObjectName(QStringLiteral("speed_slider"));
    m_speedSlider->setGeometry(205, 382, 180, 24);
    m_speedSlider->setRange(0, 2);
    m_speedSlider->setPageStep(1);
    m_speedSlider->setStyleSheet(sliderStyle);
    m_fastLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "FAST"),
                            "fast_label", {395, 382, 50, 24});

    m_directionLabel =
        makeLabel(QCoreApplication::translate("keyboard_light_view", "FLOW DIRECTION"),
                  "direction_label", {20, 342, 150, 24});
    m_left = makeToggle(QCoreApplication::translate("keyboard_light_view", "LEFT"), "btn_left",
                        {180, 340, 100, 28});
    m_right = makeToggle(QCoreApplication::translate("keyboard_light_view", "RIGHT"), "btn_right",
                         {290, 340, 100, 28});
    m_rollingLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "EFFECT ROLLING"),
                               "rolling_label", {20, 382, 150, 24});
    m_yes = makeToggle(QCoreApplication::translate("keyboard_light_view", "YES"), "btn_yes",
                       {180, 380, 100, 28});
    m_no = makeToggle(QCoreApplication::translate("keyboard_light_view", "NO"), "btn_no",
                      {290, 380, 100, 28});

    m_waveSpeedLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "SPEED"),
                                 "wave_speed_label", {20, 382, 120, 24});
    m_waveSlowLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "SLOW"),
                                "wave_slow_label", {150, 382, 50, 24});
    m_speedinessSlider = new QSlider(Qt::Horizontal, this);
    m_speedinessSlider->setObjectName(QStringLiteral("speediness_slider"));
    m_speedinessSlider->setGeometry(205, 382, 180, 24);
    m_speedinessSlider->setRange(0, 3);
    m_speedinessSlider->setPageStep(1);
    m_speedinessSlider->setStyleSheet(sliderStyle);
    m_waveFastLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "FAST"),
                                "wave_fast_label", {395, 382, 50, 24});

    // Gradient controls and colour controls, right half.
    m_patternLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "PATTERN"),
                               "pattern_label", {524, 262, 90, 24});
    m_patternCombo = new QComboBox(this);
    m_patternCombo->setObjectName(QStringLiteral("pattern_combo"));
    m_patternCombo->setGeometry(620, 260, 160, 28);
    m_patternCombo->setStyleSheet(comboStyle);
    m_patternAdd = makeAction(QCoreApplication::translate("keyboard_light_view", "ADD"),
                              "btn_pattern_add", {790, 260, 62, 28});
    m_patternDel = makeAction(QCoreApplication::translate("keyboard_light_view", "DEL"),
                              "btn_pattern_del", {860, 260, 62, 28});
    m_stopsLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "STOPS CONTROL"),
                             "stops_label", {524, 302, 150, 24});
    m_addStop = makeAction(QCoreApplication::translate("keyboard_light_view", "ADD STOP"),
                           "btn_add_stop", {700, 300, 105, 28});
    m_delStop = makeAction(QCoreApplication::translate("keyboard_light_view", "DEL STOP"),
                           "btn_del_stop", {815, 300, 105, 28});
    m_stopsSlider = new QSlider(Qt::Horizontal, this);
    m_stopsSlider->setObjectName(QStringLiteral("stops_slider"));
    m_stopsSlider->setGeometry(524, 350, 398, 20);
    m_stopsSlider->setRange(0, 100);
    m_stopsSlider->setEnabled(false);
    for (int i = 0; i < kStopSlots; ++i) {
        auto *h = new QLabel(this);
        h->setObjectName(QStringLiteral("stop_handle_%1").arg(i));
        h->setGeometry(stopX[i], kStopHandleY, kStopHandleSize, kStopHandleSize);
        h->setAttribute(Qt::WA_TransparentForMouseEvents);
        h->hide();
        m_stopHandles[i] = h;
    }
    m_surfaceLabel = makeLabel(QCoreApplication::translate("keyboard_light_view", "SURFACE"),
                               "surface_label", {524, 402, 100, 24});
    m_surfaceButton = makeToggle(QString(), "btn_surface", {630, 400, 60, 26});
    m_surfaceSwatch = new QPushButton(this);
    m_surfaceSwatch->setObjectName(QStringLiteral("btn_surface_color"));
    m_surfaceSwatch->setGeometry(700, 400, 26, 26);
    m_surfaceSwatch->setFocusPolicy(Qt::NoFocus);

    auto *palette = new QLabel(this);
    palette->setObjectName(QStringLiteral("palette"));
    palette->setGeometry(524, 440, 140, 140);
    palette->setStyleSheet(QStringLiteral("border-image:url(Image/palette.png);"));
    palette->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_colourControls << palette;
    const QString editStyle = QStringLiteral(
        "QLineEdit{background:#1e1e21;color:white;border:1px solid #5a5a60;padding-left:4px;}"
        "QLineEdit:focus{border:1px solid #d02020;}");
    const char *channel[3] = {"R :", "G :", "B :"};
    QLineEdit **edits[3] = {&m_rEdit, &m_gEdit, &m_bEdit};
    for (int c = 0; c < 3; ++c) {
        m_colourControls << makeLabel(QLatin1String(channel[c]), "rgb_label",
                                      {680, 444 + 32 * c, 30, 24});
        auto *e = new QLineEdit(this);
        e->setObjectName(QStringLiteral("edit_%1").arg(QChar("rgb"[c])));
        e->setGeometry(712, 442 + 32 * c, 52, 26);
        e->setValidator(new QIntValidator(0, 255, e));
        e->setMaxLength(3);
        e->setStyleSheet(editStyle);
        connect(e, &QLineEdit::returnPressed, this, &LightingPage::rgbEdited);
        *edits[c] = e;
        m_colourControls << e;
    }
    m_colourControls << makeLabel(QStringLiteral("(0~255)"), "range_label", {772, 476, 70, 24});
    m_colourControls << makeLabel(
        QCoreApplication::translate("keyboard_light_view", "COLOR CODE :"), "code_label",
        {680, 542, 110, 24});
    m_codeEdit = new QLineEdit(this);
    m_codeEdit->setObjectName(QStringLiteral("edit_code"));
    m_codeEdit->setGeometry(792, 540, 90, 26);
    m_codeEdit->setMaxLength(6);
    m_codeEdit->setStyleSheet(editStyle);
    m_colourControls << m_codeEdit;
    showColourFields();

    m_apply = makeAction(QCoreApplication::translate("keyboard_light_view", "APPLY"), "btn_apply",
                         {690, 582, 110, 32});
    m_reset = makeAction(QCoreApplication::translate("keyboard_light_view", "LED RESET"),
                         "btn_led_reset", {812, 582, 120, 32});

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
    connect(m_addStop, &QPushButton::released, this, &LightingPage::addStopClicked);
    connect(m_delStop, &QPushButton::released, this, &LightingPage::deleteStopClicked);
    connect(m_patternCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LightingPage::patternChosen);
    connect(m_patternAdd, &QPushButton::released, this, &LightingPage::addPatternClicked);
    connect(m_patternDel, &QPushButton::released, this, &LightingPage::deletePatternClicked);
    connect(m_surfaceButton, &QPushButton::released, this, &LightingPage::surfaceClicked);
    connect(m_surfaceSwatch, &QPushButton::released, this, &LightingPage::surfaceSwatchClicked);
    connect(m_codeEdit, &QLineEdit::returnPressed, this, &LightingPage::colorCodeEdited);
}

// --- small helpers ------------------------------------------------------------

void LightingPage::showKey(int key, const Rgb &colour)
{
    m_keyShown[key] = colour;
    m_keys[key]->setStyleSheet(keyStyle(colour));
}

void LightingPage::showColourFields()
{
    m_rEdit->setText(QString::number(currentColor.r));
    m_gEdit->setText(QString::number(currentColor.g));
    m_bEdit->setText(QString::number(currentColor.b));
    m_codeEdit->setText(colorCodeText(currentColor));
}

void LightingPage::setColourControlsVisible(bool visible)
{
    for (QWidget *w : m_colourControls)
        w->setVisible(visible);
}

void LightingPage::setSurfaceRowVisible(bool visible)
{
    // Showing or hiding the row deselects the swatch. The switch shows the
    // effect's SURFACE flag, which the builders still send while it is set, and
    // the swatch comes back with it.
    bool on = false;
    if (shownEffect == EffectArrowFlow) {
        surfaceSelectedArrow = false;
        on = surfaceOnArrow;
    } else if (shownEffect == EffectRipple) {
        surfaceSelectedRipple = false;
        on = surfaceOnRipple;
    }
    m_surfaceLabel->setVisible(visible);
    m_surfaceButton->setVisible(visible);
    setLit(m_surfaceButton, visible && on);
    m_surfaceButton->setText(visible && on
                                 ? QCoreApplication::translate("keyboard_light_view", "ON")
                                 : QCoreApplication::translate("keyboard_light_view", "OFF"));
    styleSurfaceSwatch();
    m_surfaceSwatch->setVisible(visible && on);
}

void LightingPage::setGradientControlsVisible(bool visible)
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_patternLabel, m_patternCombo, m_patternAdd,
                                                       m_patternDel, m_stopsLabel, m_stopsSlider})
        w->setVisible(visible);
    const bool stopButtons = visible && userPatternChosen() && shownEffect != EffectWave;
    m_addStop->setVisible(stopButtons);
    m_delStop->setVisible(stopButtons);
}

void LightingPage::styleSurfaceSwatch()
{
    const bool selected =
        shownEffect == EffectArrowFlow ? surfaceSelectedArrow : surfaceSelectedRipple;
    m_surfaceSwatch->setStyleSheet(surfaceSwatchStyle(surfaceColor, selected));
}

void LightingPage::refreshStopHandles()
{
    // Handles exist only where the stops may be edited: a user pattern on a
    // shown strip.
    const bool show = m_stopsSlider->isVisibleTo(this) && userPatternChosen();
    const StopSlots &s = stops();
    for (int i = 0; i < kStopSlots; ++i) {
        m_stopHandles[i]->setVisible(show && s[i].present);
        m_stopHandles[i]->setStyleSheet(
            stopHandleStyle(s[i].color, i == stopEditor.selectedSlot()));
        if (show && s[i].present)
            m_stopHandles[i]->raise();
    }
    paintStopsStrip();
}

void LightingPage::paintStopsStrip()
{
    m_stopsSlider->setStyleSheet(stripStyleSheet(stops()));
}

void LightingPage::setStops(const StopSlots &set)
{
    stopEditor.setStops(set);
    syncStopsReadOnly();
}

void LightingPage::syncStopsReadOnly()
{
    stopEditor.setReadOnly(!userPatternChosen());
}

int LightingPage::patternIndex() const
{
    return m_patternCombo->currentIndex();
}

void LightingPage::savePatternFile()
{
    reportSaves(savePattern(patternIndex(), stops(), surfaceColor, editedProfile));
}

bool LightingPage::reportSaves(const orvanta::SaveResult &result)
{
    for (const orvanta::SaveFailure &f : result.failures())
        emit saveFailed(f.path, f.reason);
    return result.ok();
}

void LightingPage::refreshPatternEntry(int index)
{
    if (index < 0 || index >= m_patternCombo->count())
        return;
    // The entry shows its file: the editor may hold an effect's remembered
    // stops that were never saved to it.
    const StopSlots s = readPattern(index, editedProfile).stops;
    m_patternCombo->setItemData(index, QBrush(patternEntryGradient(s)), Qt::BackgroundRole);
    if (index == patternIndex())
        m_patternCombo->setStyleSheet(patternComboStyle(s));
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

void LightingPage::rememberShownStops()
{
    if (shownEffect == EffectArrowFlow) {
        arrowStops = stops();
        arrowSurface = surfaceColor;
    } else if (shownEffect == EffectWave) {
        waveStops = stops();
    } else if (shownEffect == EffectRipple) {
        rippleStops = stops();
        rippleSurface = surfaceColor;
    }
}

bool LightingPage::userPatternChosen() const
{
    return m_patternCombo->currentIndex() >= kBuiltInPatterns;
}

bool LightingPage::perKeyEditing() const
{
    return (shownEffect == EffectStatic || shownEffect == EffectReactive) && effectFlag.customized;
}

KeyColorSet *LightingPage::rememberedSet()
{
    if (shownEffect == EffectStatic)
        return &staticColors;
    if (shownEffect == EffectReactive)
        return &reactiveColors;
    return nullptr;
}

void LightingPage::fillAllKeys(const Rgb &colour)
{
    if (!effectFlag.fullFlag)
        return;
    fillAll(colour, leds, rememberedSet());
    for (int k = 0; k < kKeyLightCount; ++k)
        showKey(k, colour);
}

LightingState LightingPage::lightingState() const
{
    LightingState s;
    s.flag = effectFlag;
    s.ledR = leds.ledR;
    s.ledG = leds.ledG;
    s.ledB = leds.ledB;
    s.stops = stops();
    s.currentColor = currentColor;
    s.surfaceColor = surfaceColor;
    s.surfaceOnArrow = surfaceOnArrow;
    s.surfaceOnRipple = surfaceOnRipple;
    return s;
}

// --- effect switching ---------------------------------------------------------

void LightingPage::effectChosen(int index)
{
    if (index < 0 || index >= kEffectCount)
        return;
    stopPreviews();
    savedEffectFlags[shownEffect] = effectFlag;
    // Arrow Flow and Wave take over the gradient being edited.
    if (index == EffectArrowFlow) {
        arrowStops = stops();
        arrowSurface = surfaceColor;
    } else if (index == EffectWave) {
        waveStops = stops();
    }
    selectEffect(index);
}

void LightingPage::stopPreviews()
{
    m_flowPreview->stopFlow();
    m_flowPreview->hide();
    m_rippleRearm.stop();
    m_ripplePreview->stopRipple();
    m_ripplePreview->hide();
}

void LightingPage::refreshPreview()
{
    if (shownEffect == EffectArrowFlow || shownEffect == EffectWave) {
        const ZoneColors z = shownEffect == EffectArrowFlow && effectFlag.fullFlag
                                 ? fullZones(currentColor)
                                 : interpolateZones(stops());
        m_flowPreview->setZoneColours(z.r, z.g, z.b);
        // Faster Wave codes are smaller; the flow runs slower at higher levels.
        const int level = shownEffect == EffectWave ? effectFlag.speediness / 2 : 2;
        m_flowPreview->show();
        m_flowPreview->raise();
        m_flowPreview->startFlow(level);
    } else if (shownEffect == EffectRipple) {
        const PreviewZones z = previewZones(stops(), effectFlag.customized, currentColor);
        m_ripplePreview->setRingColours(z.r, z.g, z.b);
        m_ripplePreview->show();
        m_ripplePreview->raise();
        if (!m_ripplePreview->isRunning()) {
            // A ripple from the middle of the keyboard at once; a press on the
            // preview moves the centre, and a new ripple follows each finished one.
            m_ripplePreview->setUpShineCenter(RipplePreview::kWidth / 2,
                                              RipplePreview::kHeight / 2);
            m_ripplePreview->startRipple();
            m_rippleRearm.start();
        }
    }
}

void LightingPage::selectEffect(int k)
{
    if (m_effectCombo->currentIndex() != k) {
        const QSignalBlocker block(m_effectCombo);
        m_effectCombo->setCurrentIndex(k);
    }
    if (effectFlag.fullFlag) {
        for (int key = 0; key < kKeyLightCount; ++key)
            showKey(key, {255, 0, 0});
        leds.clear();
        scratch.fill(0);
    }
    for (QPushButton *b :
         {m_full, m_customized, m_left, m_right, m_yes, m_no, m_static, m_pulse, m_spectrum})
        setLit(b, false);
    stopEditor.clearSelection();
    m_stopPressed = false;
    for (QLabel *h : m_stopHandles)
        h->hide();
    shownEffect = k;

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

    effectFlag = savedEffectFlags[k];
    if (k == EffectArrowFlow || k == EffectWave || k == EffectRipple) {
        // The PATTERN list shows the entry this effect chose last.
        const int count = m_patternCombo->count();
        if (count > 0) {
            const QSignalBlocker block(m_patternCombo);
            m_patternCombo->setCurrentIndex(qBound(0, effectFlag.comboCount, count - 1));
        }
        syncStopsReadOnly();
        setGradientControlsVisible(k == EffectWave);
    }

    if (effectFlag.fullFlag) {
        effectFlag.fullFlag = false;
        fullClicked();
    } else {
        effectFlag.customized = false;
        customizedClicked();
    }
    if (k == EffectStatic) {
        if (effectFlag.staticFlag) {
            effectFlag.staticFlag = false;
            staticClicked();
        } else if (effectFlag.pulse) {
            effectFlag.pulse = false;
            pulseClicked();
        } else if (effectFlag.spectrum) {
            effectFlag.spectrum = false;
            spectrumClicked();
        }
    }
    if (k == EffectWave) {
        if (effectFlag.left) {
            effectFlag.left = false;
            leftClicked();
        } else if (effectFlag.right) {
            effectFlag.right = false;
            rightClicked();
        }
        const QSignalBlocker block(m_speedinessSlider);
        m_speedinessSlider->setValue(speedinessPosition(effectFlag.speediness));
    }
    if (k == EffectArrowFlow) {
        setLit(m_left, effectFlag.left);
        setLit(m_right, effectFlag.right);
    }
    if (k == EffectArrowFlow || k == EffectRipple) {
        if (effectFlag.no) {
            effectFlag.no = false;
            rollingNoClicked();
        } else {
            effectFlag.yes = false;
            rollingYesClicked();
        }
    }

    if (k == EffectStatic || k == EffectReactive) {
        const KeyColorSet &set = k == EffectStatic ? staticColors : reactiveColors;
        for (int key = 0; key < kKeyLightCount; ++key)
            showKey(key, set.keyColor(key));
        leds.ledR = set.ledR;
        leds.ledG = set.ledG;
        leds.ledB = set.ledB;
    } else if (k == EffectArrowFlow) {
        setStops(arrowStops);
        surfaceColor = arrowSurface;
    } else if (k == EffectWave) {
        setStops(waveStops);
    } else {
        // Ripple always shows its chosen pattern, with FULL too: the stops then
        // stay out of sight but are what Arrow Flow or Wave take over next.
        setStops(rippleStops);
        surfaceColor = rippleSurface;
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
    if (!chooseFull(effectFlag))
        return;
    setLit(m_full, true);
    setLit(m_customized, false);
    if (shownEffect == EffectArrowFlow || shownEffect == EffectRipple) {
        setGradientControlsVisible(false);
        setSurfaceRowVisible(false);
        stopEditor.clearSelection();
        for (QLabel *h : m_stopHandles)
            h->hide();
        refreshPreview();
    }
}

void LightingPage::customizedClicked()
{
    if (!chooseCustomized(effectFlag))
        return;
    if (shownEffect == EffectArrowFlow || shownEffect == EffectRipple) {
        setSurfaceRowVisible(true);
        setGradientControlsVisible(true);
        patternChosen(m_patternCombo->currentIndex());
    }
    setLit(m_customized, true);
    setLit(m_full, false);
}

void LightingPage::leftClicked()
{
    if (!pressLeft(effectFlag, shownEffect))
        return;
    setLit(m_left, effectFlag.left);
    setLit(m_right, effectFlag.right);
}

void LightingPage::rightClicked()
{
    if (!pressRight(effectFlag, shownEffect))
        return;
    setLit(m_left, effectFlag.left);
    setLit(m_right, effectFlag.right);
}

void LightingPage::rollingYesClicked()
{
    if (!chooseYes(effectFlag))
        return;
    setLit(m_yes, true);
    setLit(m_no, false);
}

void LightingPage::rollingNoClicked()
{
    if (!chooseNo(effectFlag))
        return;
    setLit(m_no, true);
    setLit(m_yes, false);
}

void LightingPage::staticClicked()
{
    if (!chooseStatic(effectFlag))
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
    if (!choosePulse(effectFlag))
        return;
    setLit(m_pulse, true);
    setLit(m_static, false);
    setLit(m_spectrum, false);
    for (QWidget *w :
         std::initializer_list<QWidget *>{m_speedLabel, m_slowLabel, m_fastLabel, m_speedSlider,
                                          m_zonesLabel, m_full, m_customized})
        w->show();
    setColourControlsVisible(true);
    m_speedSlider->setValue(effectFlag.pulseSpeed);
}

void LightingPage::spectrumClicked()
{
    if (!chooseSpectrum(effectFlag))
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
    m_speedSlider->setValue(effectFlag.spectrumSpeed);
}

void LightingPage::speedChanged(int position)
{
    setStaticSpeed(effectFlag, position);
}

void LightingPage::waveSpeedChanged(int position)
{
    if (setWaveSpeed(effectFlag, position) && !m_flowPreview->isHidden())
        refreshPreview();
}

// --- APPLY and LED RESET ------------------------------------------------------

void LightingPage::applyClicked()
{
    const int k = m_effectCombo->currentIndex();
    if (k < 0 || k >= kEffectCount)
        return;
    const int profile = qBound(1, profileNumber, kEffectCount);
    // Each of the three files is saved on its own: one that fails keeps its old
    // content and does not stop the others.
    SaveResult saved;
    if (gCommandSender)
        applyLighting(k, lightingState(), *gCommandSender, gDeviceHandle, profile, editedProfile,
                      &saved);
    else
        saved += storeLightCommandSet(buildLightCommandSet(k, lightingState()), editedProfile);
    savedEffectFlags[k] = effectFlag;
    saved += writeEffectRecords(savedEffectFlags);
    saved += writeKeyColorSets(staticColors, reactiveColors);
    reportSaves(saved);
}

void LightingPage::ledResetClicked()
{
    resetProfileLighting(m_effectCombo->currentIndex() + 1);
}

const EffectFlag &LightingPage::factoryStaticFlag() const
{
    return shownEffect == EffectStatic ? effectFlag : savedEffectFlags[EffectStatic];
}

void LightingPage::resetProfileLighting(int n, const QString &storeAs)
{
    if (n < 1 || n > kEffectCount)
        return;
    const EffectFlag &st = factoryStaticFlag();
    const QString name = storeAs.isEmpty() ? editedProfile : storeAs;
    SaveResult saved;
    if (gCommandSender) {
        resetLighting(n, st.mode, st.modeSpeed, *gCommandSender, gDeviceHandle, name, &saved);
    } else {
        qDebug("reset %d", n);
        saved += storeLightCommandSet(factoryLightCommandSet(n, st.mode, st.modeSpeed), name);
    }
    reportSaves(saved);
}

// --- colour controls ----------------------------------------------------------

void LightingPage::pickColour(const Rgb &colour, bool fromPalette)
{
    currentColor = colour;
    showColourFields();
    const bool gradient =
        shownEffect == EffectArrowFlow || shownEffect == EffectWave || shownEffect == EffectRipple;
    if (!fromPalette) {
        // The fields fill the keys of any effect with FULL on, then recolour
        // the selected stop unless a surface swatch waits for the colour.
        fillAllKeys(colour);
        const bool swatchSelected = surfaceSelectedArrow || surfaceSelectedRipple;
        if (gradient && effectFlag.customized && userPatternChosen() && !swatchSelected &&
            stopEditor.recolourSelected(colour)) {
            qDebug("color_select_btn_movewhitchone %d", stopEditor.selectedSlot());
            stopsEdited();
        }
        return;
    }
    // Palette: the selected stop, then the surface, then the keys.
    const bool bothSwatches = surfaceSelectedArrow && surfaceSelectedRipple;
    if (gradient && effectFlag.customized && userPatternChosen() && !bothSwatches &&
        stopEditor.recolourSelected(colour)) {
        qDebug("color_select_btn_movewhitchone %d", stopEditor.selectedSlot());
        stopsEdited();
    }
    const bool surfaceTarget =
        (shownEffect == EffectArrowFlow && surfaceSelectedArrow && surfaceOnArrow) ||
        (shownEffect == EffectRipple && surfaceSelectedRipple && surfaceOnRipple);
    if (surfaceTarget) {
        surfaceColor = colour;
        styleSurfaceSwatch();
        savePatternFile();
    }
    if (shownEffect == EffectStatic || shownEffect == EffectReactive ||
        shownEffect == EffectArrowFlow)
        fillAllKeys(colour);
    if (shownEffect == EffectArrowFlow || shownEffect == EffectRipple)
        refreshPreview();
}

void LightingPage::rgbEdited()
{
    const Rgb c{qBound(0, toNumber(m_rEdit->text()), 255),
                qBound(0, toNumber(m_gEdit->text()), 255),
                qBound(0, toNumber(m_bEdit->text()), 255)};
    pickColour(c, false);
}

void LightingPage::colorCodeEdited()
{
    pickColour(parseColorCode(m_codeEdit->text()), false);
}

void LightingPage::surfaceClicked()
{
    bool *on = shownEffect == EffectArrowFlow ? &surfaceOnArrow
               : shownEffect == EffectRipple  ? &surfaceOnRipple
                                              : nullptr;
    if (!on)
        return;
    *on = !*on;
    setLit(m_surfaceButton, *on);
    m_surfaceButton->setText(*on ? QCoreApplication::translate("keyboard_light_view", "ON")
                                 : QCoreApplication::translate("keyboard_light_view", "OFF"));
    if (!*on) {
        if (shownEffect == EffectArrowFlow)
            surfaceSelectedArrow = false;
        else
            surfaceSelectedRipple = false;
        m_surfaceSwatch->hide();
    } else {
        styleSurfaceSwatch();
        m_surfaceSwatch->show();
    }
}

void LightingPage::surfaceSwatchClicked()
{
    if (shownEffect == EffectArrowFlow)
        surfaceSelectedArrow = !surfaceSelectedArrow;
    else if (shownEffect == EffectRipple)
        surfaceSelectedRipple = !surfaceSelectedRipple;
    else
        return;
    styleSurfaceSwatch();
}

// --- colour stops and patterns ------------------------------------------------

void LightingPage::addStopClicked()
{
    const int slot = stopEditor.addStop();
    if (slot < 0)
        return;
    qDebug("car_park %d", slot);
    qDebug("count %d", stopEditor.presentCount());
    stopsEdited();
    m_stopHandles[slot]->setStyleSheet(newStopHandleStyle());
}

void LightingPage::deleteStopClicked()
{
    if (stopEditor.deleteSelected() < 0)
        return;
    stopsEdited();
}

void LightingPage::refillPatternList()
{
    m_patternProfile = editedProfile;
    const QSignalBlocker block(m_patternCombo);
    m_patternCombo->clear();
    const int count = patternCount(editedProfile);
    for (int i = 0; i < count; ++i) {
        m_patternCombo->addItem(QString());
        m_patternCombo->setItemData(
            i, QBrush(patternEntryGradient(readPattern(i, editedProfile).stops)),
            Qt::BackgroundRole);
    }
    if (count > 0) {
        m_patternCombo->setCurrentIndex(qBound(0, effectFlag.comboCount, count - 1));
        m_patternCombo->setStyleSheet(
            patternComboStyle(readPattern(patternIndex(), editedProfile).stops));
    } else {
        m_patternCombo->setStyleSheet(patternComboStyle(defaultStops()));
    }
    syncStopsReadOnly();
    setGradientControlsVisible(m_patternLabel->isVisibleTo(this));
    refreshStopHandles();
}

void LightingPage::syncPatternProfile()
{
    // The shell sets editedProfile on every profile change; the list follows it
    // the next time the page is used.
    if (m_patternProfile == editedProfile)
        return;
    refillPatternList();
    if (m_patternLabel->isVisibleTo(this) && effectFlag.customized)
        patternChosen(patternIndex());
}

void LightingPage::patternChosen(int index)
{
    if (index < 0)
        return;
    effectFlag.comboCount = index;
    const PatternData pattern = readPattern(index, editedProfile);
    setStops(pattern.stops);
    surfaceColor = pattern.surface;
    m_stopPressed = false;
    setGradientControlsVisible(m_patternLabel->isVisibleTo(this));
    refreshStopHandles();
    refreshPatternEntry(index);
    styleSurfaceSwatch();
    if (!m_flowPreview->isHidden() || !m_ripplePreview->isHidden())
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
    const int index = addPattern(editedProfile, &saved);
    if (!reportSaves(saved) || index < 0)
        return;
    effectFlag.comboCount = index;
    refillPatternList();
    patternChosen(patternIndex());
}

void LightingPage::clearPatternList()
{
    m_patternCombo->clear();
}

void LightingPage::deletePatternClicked()
{
    syncPatternProfile();
    const int index = patternIndex();
    if (!deletePattern(index, editedProfile))
        return;
    effectFlag.comboCount = index - 1;
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
    if (!userPatternChosen() || m_stopsSlider->isHidden())
        return;
    const int slot = stopEditor.selectAtX(p.x());
    if (slot < 0)
        return;
    m_stopPressed = true;
    refreshStopHandles();
}

void LightingPage::releaseStopPress()
{
    m_stopPressed = false;
    const bool gradient =
        shownEffect == EffectArrowFlow || shownEffect == EffectWave || shownEffect == EffectRipple;
    if (!gradient || !effectFlag.customized)
        return;
    rememberShownStops();
    savePatternFile();
    refreshPatternEntry(patternIndex());
    refreshPreview();
}

void LightingPage::mousePressEvent(QMouseEvent *event)
{
    syncPatternProfile();
    const QPoint p = event->pos();
    m_dragging = false;
    m_stopPressed = false;
    const bool inPalette = p.x() >= 525 && p.x() <= 663 && p.y() >= 441 && p.y() <= 579;

    if (inPalette && !effectFlag.spectrum && !m_colourControls.first()->isHidden()) {
        const QPoint at(p.x() - 524, p.y() - 440);
        if (m_palette.valid(at)) {
            const QColor c = m_palette.pixelColor(at);
            qDebug("R::%d", c.red());
            qDebug("G::%d", c.green());
            qDebug("B::%d", c.blue());
            pickColour({c.red(), c.green(), c.blue()}, true);
        }
        return;
    }
    if (inKeyPressArea(p)) {
        if (perKeyEditing()) {
            m_pressPoint = p;
            m_dragging = true;
            const Rgb colour = event->button() == Qt::LeftButton ? currentColor : Rgb{};
            const int key = keyAtPoint(p);
            if (key >= 0) {
                paintKey(key, colour, leds, rememberedSet());
                showKey(key, colour);
            }
        }
        return;
    }
    if (isStopStripPress(p.x(), p.y())) {
        pressOnStrip(p);
        return;
    }
    // A press elsewhere ends the stop selection and lets go of the swatch. Wave
    // has no swatch but its selection ends the same way, or every colour typed
    // afterwards would keep landing on the stop.
    const bool gradient =
        shownEffect == EffectArrowFlow || shownEffect == EffectWave || shownEffect == EffectRipple;
    if (gradient && effectFlag.customized) {
        stopEditor.clearSelection();
        if (shownEffect == EffectArrowFlow)
            surfaceSelectedArrow = false;
        else if (shownEffect == EffectRipple)
            surfaceSelectedRipple = false;
        refreshStopHandles();
        styleSurfaceSwatch();
    }
}

void LightingPage::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->pos();
    if (m_stopPressed && event->buttons() != Qt::NoButton) {
        if (isStopStripDrag(p.y()) && stopEditor.dragToX(p.x()))
            refreshStopHandles();
        return;
    }
    if (!m_dragging || event->buttons() == Qt::NoButton || !perKeyEditing())
        return;
    m_drawRect->setGeometry(100, 0, 730, 260);
    m_drawRect->show();
    m_drawRect->raise();
    m_drawRect->setSelection(m_pressPoint.x(), m_pressPoint.y(), p.x() - m_pressPoint.x(),
                             p.y() - m_pressPoint.y());
}

void LightingPage::mouseReleaseEvent(QMouseEvent *event)
{
    m_drawRect->hide();
    if (m_stopPressed) {
        releaseStopPress();
        return;
    }
    const QPoint p = event->pos();
    if (m_dragging && inKeyReleaseArea(p) && perKeyEditing()) {
        const Rgb colour = event->button() == Qt::LeftButton ? currentColor : Rgb{};
        for (int key : keysInBand(m_pressPoint, p)) {
            paintKey(key, colour, leds, rememberedSet());
            showKey(key, colour);
        }
    }
    m_dragging = false;
}
