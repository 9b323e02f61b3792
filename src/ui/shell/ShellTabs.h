#pragma once
// The window's tabs (KEYBOARD, MACROS, CUSTOMIZE, LIGHTING) and PROFILE
// buttons, and which page is in front: switching pages, each tab in its
// selected (red) or unselected look, and the PROFILE button of the active
// on-board profile marked. Nothing switches while a macro is recorded.

#include <QObject>
#include <QString>
#include <array>

class QPushButton;
class QWidget;
struct ConsoleContext;
namespace orvanta
{
struct ShellStyles;
}

class ShellTabs : public QObject
{
    Q_OBJECT
public:
    // Builds the buttons in `parent` (the window's central widget); the
    // window opens with the KEYBOARD tab and its CUSTOMIZE page in front.
    ShellTabs(ConsoleContext &context, QWidget *parent, const orvanta::ShellStyles &styles);

    QPushButton *keyboardTab() const { return m_keyboard; }
    QPushButton *macrosTab() const { return m_macros; }
    QPushButton *customizeTab() const { return m_customize; }
    QPushButton *lightingTab() const { return m_lighting; }
    const std::array<QPushButton *, 5> &profileButtons() const { return m_profiles; }

    void applyStyles(const orvanta::ShellStyles &styles); // every button keeps its look
    void retranslate();
    // Marks the PROFILE button of slot index + 1 (none for another index).
    void markProfileButton(int index);
    // Hover and selection belong to the CUSTOMIZE page; another page in front
    // of it takes the mouse.
    bool customizeInFront() const;

    void showKeyboardPage();
    void showCustomizePage();
    void showLightingPage();
    void showMacrosPage();
    void showSettingsPage();
    // A page shown in the window's page area, in front.
    static void placePage(QWidget *page);

signals:
    void profileClicked(int profile); // 1..5

private:
    bool allowed() const;
    void allTabsOff();
    // A button in its selected or unselected look; the button remembers
    // which, so that new style sheets keep it.
    void setTabLook(QPushButton *tab, bool on);

    ConsoleContext &m_context;
    QString m_tabOn, m_tabOff;
    bool m_keyboardTabActive = true; // the KEYBOARD tab's pages, not MACROS, are in use
    QPushButton *m_keyboard, *m_macros, *m_customize, *m_lighting;
    std::array<QPushButton *, 5> m_profiles{};
};
