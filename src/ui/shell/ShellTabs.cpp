#include "ShellTabs.h"

#include "ConsoleContext.h"
#include "KeyPopup.h"
#include "Shell.h"
#include "core/app/TranslationContexts.h"
#include "core/controller/ConsoleController.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/settings/SettingsPage.h"

#include <QPushButton>
#include <QVariant>

using namespace orvanta;

namespace
{
constexpr char kTabOnProperty[] = "tabOn"; // see setTabLook

} // namespace

ShellTabs::ShellTabs(ConsoleContext &context, QWidget *parent, const ShellStyles &styles)
    : QObject(parent), m_context(context), m_tabOn(styles.tabOn), m_tabOff(styles.tabOff)
{
    m_keyboard = pushButtonAt(parent, {32, 39, 103, 24});
    m_macros = pushButtonAt(parent, {144, 39, 103, 24});
    const int px[5] = {32, 144, 255, 367, 478};
    for (int i = 0; i < 5; ++i)
        m_profiles[i] = pushButtonAt(parent, {px[i], 71, 103, 24});
    m_customize = pushButtonAt(parent, {32, 104, 103, 24});
    m_lighting = pushButtonAt(parent, {144, 104, 103, 24});
    allTabsOff();
    setTabLook(m_keyboard, true);
    setTabLook(m_customize, true);
    for (int i = 0; i < 5; ++i)
        setTabLook(m_profiles[i], i == m_context.controller->bindings().active - 1);
    connect(m_keyboard, &QPushButton::released, this, &ShellTabs::showKeyboardPage);
    connect(m_macros, &QPushButton::released, this, &ShellTabs::showMacrosPage);
    connect(m_customize, &QPushButton::released, this, &ShellTabs::showCustomizePage);
    connect(m_lighting, &QPushButton::released, this, &ShellTabs::showLightingPage);
    for (int i = 0; i < 5; ++i)
        connect(m_profiles[i], &QPushButton::released, this,
                [this, i] { emit profileClicked(i + 1); });
}

void ShellTabs::applyStyles(const ShellStyles &styles)
{
    m_tabOn = styles.tabOn;
    m_tabOff = styles.tabOff;
    for (QPushButton *b : {m_keyboard, m_macros, m_customize, m_lighting})
        setTabLook(b, b->property(kTabOnProperty).toBool());
    for (QPushButton *b : m_profiles)
        setTabLook(b, b->property(kTabOnProperty).toBool());
}

void ShellTabs::retranslate()
{
    m_keyboard->setText(context::Shell::tr("KEYBOARD"));
    m_macros->setText(context::Shell::tr("MACROS"));
    m_customize->setText(context::Shell::tr("CUSTOMIZE"));
    m_lighting->setText(context::Shell::tr("LIGHTING"));
    for (int i = 0; i < 5; ++i)
        m_profiles[i]->setText(profileButtonText(i + 1));
}

bool ShellTabs::allowed() const
{
    return m_context.controller->actionsAllowed();
}

void ShellTabs::allTabsOff()
{
    for (QPushButton *b : {m_keyboard, m_macros, m_customize, m_lighting})
        setTabLook(b, false);
}

void ShellTabs::setTabLook(QPushButton *tab, bool on)
{
    tab->setProperty(kTabOnProperty, on);
    tab->setStyleSheet(on ? m_tabOn : m_tabOff);
}

void ShellTabs::markProfileButton(int index)
{
    for (QPushButton *b : m_profiles)
        setTabLook(b, false);
    if (index >= 0 && index < 5)
        setTabLook(m_profiles[index], true);
}

bool ShellTabs::customizeInFront() const
{
    const ConsoleContext &c = m_context;
    return m_keyboardTabActive && !(c.lighting && c.lighting->isVisible()) &&
           !(c.macros && c.macros->isVisible()) && !(c.settings && c.settings->isVisible());
}

void ShellTabs::placePage(QWidget *page)
{
    page->setGeometry(230, 140, 960, 620);
    page->show();
    page->raise();
}

void ShellTabs::showKeyboardPage()
{
    if (!allowed() || !m_lighting->isHidden())
        return;
    m_keyboardTabActive = true;
    allTabsOff();
    m_customize->show();
    m_lighting->show();
    setTabLook(m_keyboard, true);
    setTabLook(m_customize, true);
    m_context.settings->hide();
    m_context.lighting->hide();
    m_context.macros->hide();
}

void ShellTabs::showCustomizePage()
{
    if (!allowed() || !m_keyboardTabActive)
        return;
    allTabsOff();
    setTabLook(m_customize, true);
    setTabLook(m_keyboard, true);
    m_context.lighting->hide();
    m_context.macros->hide();
    m_context.settings->hide();
}

void ShellTabs::showLightingPage()
{
    if (!allowed() || !m_keyboardTabActive)
        return;
    allTabsOff();
    m_context.keyPopup->hide();
    setTabLook(m_lighting, true);
    setTabLook(m_keyboard, true);
    m_context.macros->hide();
    m_context.settings->hide();
    placePage(m_context.lighting);
}

void ShellTabs::showMacrosPage()
{
    if (!allowed())
        return;
    m_keyboardTabActive = false;
    m_context.keyPopup->hide();
    allTabsOff();
    setTabLook(m_macros, true);
    m_customize->hide();
    m_lighting->hide();
    m_context.lighting->hide();
    m_context.settings->hide();
    placePage(m_context.macros);
}

void ShellTabs::showSettingsPage()
{
    if (!allowed() || !m_context.settings->isHidden())
        return;
    m_context.keyPopup->hide();
    placePage(m_context.settings);
    m_context.lighting->hide();
    m_context.macros->hide();
    m_customize->hide();
    m_lighting->hide();
    allTabsOff();
}
