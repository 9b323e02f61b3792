#include "StoredLightingHint.h"
#include "core/app/TranslationContexts.h"

#include "LightingPage.h"
#include "core/keys/KeyLedSlots.h"
#include "core/lighting/ColorCode.h"
#include "core/lighting/EffectRecords.h"
#include "core/virtual/StoredLightingDecoder.h"

#include <QLineEdit>
#include <QSlider>
#include <algorithm>
#include <map>

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QLabel>
#include <QPushButton>

using namespace orvanta;

StoredLightingHint::StoredLightingHint(QWidget *page)
    : QObject(page), m_page(page),
      m_effect(page->findChild<QComboBox *>(QStringLiteral("effect_combo"))),
      m_label(new QLabel(page)), m_load(new QPushButton(page))
{
    m_label->setObjectName(QStringLiteral("stored_lighting_label"));
    m_label->setGeometry(370, 262, 300, 24);
    m_label->setStyleSheet(QStringLiteral("color:rgb(255,190,60); font-size:12px;"));
    m_load->setObjectName(QStringLiteral("btn_load_stored"));
    m_load->setGeometry(680, 260, 80, 28);
    m_load->setCursor(Qt::PointingHandCursor);
    m_load->setFocusPolicy(Qt::TabFocus);
    m_load->setText(context::Shell::tr("LOAD"));
    m_label->hide();
    m_load->hide();
    connect(m_load, &QPushButton::released, this, &StoredLightingHint::load);
    if (m_effect)
        connect(m_effect, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &StoredLightingHint::refresh);
    // After APPLY the stored lighting is the one shown.
    if (auto *apply = page->findChild<QPushButton *>(QStringLiteral("btn_apply")))
        connect(apply, &QPushButton::released, this, &StoredLightingHint::refresh);
    page->installEventFilter(this);
}

bool StoredLightingHint::eventFilter(QObject *, QEvent *event)
{
    if (event->type() == QEvent::Show)
        refresh();
    return false;
}

void StoredLightingHint::setActive(int slot, const QString &profile)
{
    m_slot = slot;
    m_profile = profile;
    refresh();
}

QString StoredLightingHint::text() const
{
    return m_label->isVisible() ? m_label->text() : QString();
}

void StoredLightingHint::refresh()
{
    m_storedEffect = -1;
    if (!m_profile.isEmpty() && decodeStoredLighting(m_profile, m_slot, m_stored))
        m_storedEffect = m_stored.mode.effect;
    const bool differs =
        m_effect && m_storedEffect >= 0 && m_storedEffect != m_effect->currentIndex();
    if (differs)
        m_label->setText(context::Shell::tr("PROFILE %1: %2")
                             .arg(m_slot)
                             .arg(m_effect->itemText(m_storedEffect)));
    m_label->setVisible(differs);
    m_load->setVisible(differs);
}

void StoredLightingHint::press(const char *button)
{
    if (auto *b = m_page->findChild<QPushButton *>(QString::fromLatin1(button)))
        emit b->released();
}

// As a user types a colour code and presses Enter.
void StoredLightingHint::typeColour(quint8 r, quint8 g, quint8 b)
{
    auto *code = m_page->findChild<QLineEdit *>(QStringLiteral("edit_code"));
    if (!code)
        return;
    code->setText(colorCodeText(Rgb{r, g, b}));
    emit code->returnPressed();
}

void StoredLightingHint::setSlider(const char *slider, int position)
{
    auto *s = m_page->findChild<QSlider *>(QString::fromLatin1(slider));
    if (!s || position < 0)
        return;
    if (s->value() != position) {
        s->setValue(position); // the page follows the slider
        return;
    }
    // The slider already stands there; the page may still hold another speed.
    emit s->valueChanged(position);
}

// Static and Reactive: the colour most keys share fills every key with FULL
// (the LED slots without a key take it too, as they did when the colours were
// made that way); with others, CUSTOMIZED and each colour painted on its keys.
void StoredLightingHint::loadKeyColours(const std::array<ColourPlane, 3> &planes)
{
    auto *page = qobject_cast<LightingPage *>(m_page);
    std::map<quint32, QVector<int>> keysByColour;
    for (int key = 0; key < kKeyLightCount; ++key) {
        const size_t slot = size_t(keyToLedSlot[size_t(key)]);
        keysByColour[quint32(planes[0][slot]) << 16 | quint32(planes[1][slot]) << 8 |
                     planes[2][slot]]
            .append(key);
    }
    const auto most = std::max_element(
        keysByColour.begin(), keysByColour.end(),
        [](const auto &a, const auto &b) { return a.second.size() < b.second.size(); });
    auto type = [this](quint32 c) { typeColour(quint8(c >> 16), quint8(c >> 8), quint8(c)); };
    press("btn_full");
    type(most->first);
    if (keysByColour.size() == 1 || !page)
        return;
    press("btn_customized");
    for (const auto &[colour, keys] : keysByColour) {
        if (colour == most->first)
            continue;
        type(colour);
        page->paintKeys(keys);
    }
}

// Arrow Flow and Ripple: a table of one colour is what FULL sends. A table of
// several colours came from colour stops, which the table does not give back
// exactly; the editor's stops stay as they are then.
void StoredLightingHint::loadZoneColour(const ZoneTable &table)
{
    for (const auto &channel : table)
        if (std::any_of(channel.begin(), channel.end(), [&](quint8 v) { return v != channel[0]; }))
            return;
    press("btn_full");
    typeColour(table[0][0], table[1][0], table[2][0]);
}

void StoredLightingHint::load()
{
    if (!m_effect || m_storedEffect < 0)
        return;
    const LightingMode mode = m_stored.mode;
    const OnboardProfile stored = m_stored;
    m_effect->setCurrentIndex(m_storedEffect);
    // The stored options, speeds and colours, through the page's own controls.
    const auto speedPosition = [](const auto &codes, int code) {
        const auto at = std::find(codes.begin(), codes.end(), code);
        return at == codes.end() ? -1 : int(at - codes.begin());
    };
    switch (m_storedEffect) {
    case 0:                  // Static: steady, pulse or spectrum cycling
        press("btn_static"); // the colour controls show
        loadKeyColours(stored.staticLeds);
        if (mode.staticMode == 5 || mode.staticSpeed != 0) {
            press(mode.staticMode == 5 ? "btn_spectrum" : "btn_pulse");
            setSlider("speed_slider", speedPosition(kModeSpeedCodes, mode.staticSpeed));
        }
        break;
    case 1: // Reactive
        loadKeyColours(stored.reactiveLeds);
        break;
    case 2: // Arrow Flow
        if (mode.direction == 1 || mode.direction == 2)
            press(mode.direction == 1 ? "btn_left" : "btn_right");
        press(mode.rolling ? "btn_yes" : "btn_no");
        loadZoneColour(stored.zoneTables[1]);
        break;
    case 3: // Wave: its colours come from the stops only, which stay as they are
        press(mode.direction == 0 ? "btn_left" : "btn_right");
        setSlider("speediness_slider", speedPosition(kSpeedinessCodes, mode.speediness));
        break;
    case 4: // Ripple
        press(mode.rolling ? "btn_yes" : "btn_no");
        loadZoneColour(stored.zoneTables[2]);
        break;
    default:
        break;
    }
    refresh();
}
