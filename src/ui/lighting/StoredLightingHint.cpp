#include "StoredLightingHint.h"

#include "core/virtual/StoredLightingDecoder.h"

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
    m_load->setText(QCoreApplication::translate("LumoProject", "LOAD"));
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
    OnboardProfile stored;
    m_storedEffect = -1;
    if (!m_profile.isEmpty() && decodeStoredLighting(m_profile, m_slot, stored)) {
        m_storedEffect = stored.mode.effect;
        m_direction = stored.mode.direction;
        m_rolling = stored.mode.rolling;
        m_staticMode = stored.mode.staticMode;
        m_staticSpeed = stored.mode.staticSpeed;
    }
    const bool differs =
        m_effect && m_storedEffect >= 0 && m_storedEffect != m_effect->currentIndex();
    if (differs)
        m_label->setText(QCoreApplication::translate("LumoProject", "PROFILE %1: %2")
                             .arg(m_slot)
                             .arg(m_effect->itemText(m_storedEffect)));
    m_label->setVisible(differs);
    m_load->setVisible(differs);
}

void StoredLightingHint::load()
{
    if (!m_effect || m_storedEffect < 0)
        return;
    m_effect->setCurrentIndex(m_storedEffect);
    // The stored options, through the page's own buttons.
    auto press = [this](const char *name) {
        if (auto *b = m_page->findChild<QPushButton *>(QString::fromLatin1(name)))
            emit b->released();
    };
    switch (m_storedEffect) {
    case 0: // Static: steady, pulse or spectrum cycling
        press(m_staticMode == 5 ? "btn_spectrum" : m_staticSpeed != 0 ? "btn_pulse" : "btn_static");
        break;
    case 2: // Arrow Flow
        if (m_direction == 1 || m_direction == 2)
            press(m_direction == 1 ? "btn_left" : "btn_right");
        press(m_rolling ? "btn_yes" : "btn_no");
        break;
    case 3: // Wave
        press(m_direction == 0 ? "btn_left" : "btn_right");
        break;
    case 4: // Ripple
        press(m_rolling ? "btn_yes" : "btn_no");
        break;
    default:
        break;
    }
    refresh();
}
