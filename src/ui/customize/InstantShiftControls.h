#pragma once
// INSTANT SHIFT SYS. on the CUSTOMIZE panel: SHIFT, CTRL or ALT of the active
// on-board profile turned into a direct switch to another profile while held.
// The list chooses the target; each modifier's button shows whether it is
// bound to that target (on), free (off) or bound to another (disabled).

#include "ui/shell/Shell.h"

#include <QObject>
#include <array>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace orvanta
{
class ConsoleController;
}

class InstantShiftControls : public QObject
{
    Q_OBJECT
public:
    // Builds the caption, the list and the three buttons in `parent`;
    // `profile` names the saved profile shown, `idle` says whether a button
    // may act now (no macro being recorded).
    InstantShiftControls(orvanta::ConsoleController &controller, std::function<QString()> profile,
                         std::function<bool()> idle, QWidget *parent);

    QLabel *caption() const { return m_caption; }
    QComboBox *targetList() const { return m_targets; }
    QPushButton *button(int modifier) const { return m_buttons[modifier]; }
    // Whether modifier m (0 SHIFT, 1 CTRL, 2 ALT) is bound to the target
    // chosen, and whether its button acts (it is not bound to another).
    bool isOn(int modifier) const { return m_on[modifier]; }
    bool isEnabled(int modifier) const { return m_enabled[modifier]; }

    // The targets offered: every on-board profile but the active one.
    void refill();
    // The buttons' looks for the target chosen.
    void showTargets();
    // The targets as stored, then shown.
    void load();
    // After a factory reset no modifier is bound.
    void clear();
    void applyStyles(const orvanta::ShellStyles &styles);
    void retranslate();

private:
    void toggle(int modifier);

    orvanta::ConsoleController &m_controller;
    std::function<QString()> m_profile;
    std::function<bool()> m_idle;
    QString m_fontFamily;
    QLabel *m_caption;
    QComboBox *m_targets;
    std::array<QPushButton *, 3> m_buttons{};
    std::array<bool, 3> m_on{};
    std::array<bool, 3> m_enabled{{true, true, true}};
};
