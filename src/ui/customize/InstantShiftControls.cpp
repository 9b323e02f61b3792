#include "InstantShiftControls.h"

#include "core/app/TranslationContexts.h"
#include "core/assign/InstantShift.h"
#include "core/controller/ConsoleController.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace orvanta;

InstantShiftControls::InstantShiftControls(ConsoleController &controller,
                                           std::function<QString()> profile,
                                           std::function<bool()> idle, QWidget *w)
    : QObject(w), m_controller(controller), m_profile(std::move(profile)), m_idle(std::move(idle))
{
    m_caption = new QLabel(w);
    m_caption->setGeometry(820, 410, 300, 14);
    m_targets = new QComboBox(w);
    m_targets->setGeometry(820, 432, 180, 26);
    connect(m_targets, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &InstantShiftControls::showTargets);
    for (int m = 0; m < 3; ++m) {
        auto *b = new QPushButton(w);
        b->setGeometry(820 + m * 90, 470, 80, 26);
        b->setFocusPolicy(Qt::TabFocus);
        b->setCursor(Qt::PointingHandCursor);
        connect(b, &QPushButton::released, this, [this, m] { toggle(m); });
        m_buttons[m] = b;
    }
}

void InstantShiftControls::refill()
{
    const QSignalBlocker block(m_targets);
    m_targets->clear();
    for (int n = 1; n <= 5; ++n)
        if (n != m_controller.activeSlot())
            m_targets->addItem(QStringLiteral("PROFILE %1").arg(n));
    m_targets->setCurrentIndex(0);
    showTargets();
}

void InstantShiftControls::showTargets()
{
    if (m_targets->currentIndex() < 0)
        return;
    const int selected = targetOfComboText(m_targets->currentText());
    const QString face = QStringLiteral(
        "QPushButton{border-image:url(\"Image/iss_%1.png\"); color:%2; font-weight:bold; "
        "font-family:%3;}");
    const int n = m_controller.activeSlot();
    for (int m = 0; m < 3; ++m) {
        const int bound = m_controller.shiftTargets()[m][n];
        const ShiftLook look = shiftLook(bound, selected);
        m_on[m] = look == ShiftLook::On;
        m_enabled[m] = look != ShiftLook::Disabled;
        QString style;
        switch (look) {
        case ShiftLook::On:
            style = face.arg(QStringLiteral("on"), QStringLiteral("white"), m_fontFamily);
            break;
        case ShiftLook::Off:
            style =
                face.arg(QStringLiteral("off"), QStringLiteral("rgb(200,200,200)"), m_fontFamily);
            break;
        case ShiftLook::Disabled:
            style = face.arg(QStringLiteral("disabled"), QStringLiteral("rgb(110,110,110)"),
                             m_fontFamily);
            break;
        }
        m_buttons[m]->setStyleSheet(style);
        m_buttons[m]->setToolTip(
            look == ShiftLook::Disabled ? QStringLiteral("PROFILE %1").arg(bound) : QString());
    }
}

void InstantShiftControls::load()
{
    m_controller.keyAssignmentEditor().loadInstantShift();
    showTargets();
}

void InstantShiftControls::clear()
{
    m_on.fill(false);
    m_enabled.fill(true);
}

void InstantShiftControls::applyStyles(const ShellStyles &styles)
{
    m_fontFamily = styles.fontFamily;
    m_caption->setStyleSheet(styles.label + QStringLiteral("; font-size:11px; font-weight:bold;"));
    m_targets->setStyleSheet(comboStyleSheet(styles.combo));
}

void InstantShiftControls::retranslate()
{
    m_caption->setText(context::Shell::tr("INSTANT SHIFT SYS."));
    m_buttons[0]->setText(QStringLiteral("SHIFT"));
    m_buttons[1]->setText(QStringLiteral("CTRL"));
    m_buttons[2]->setText(QStringLiteral("ALT"));
}

void InstantShiftControls::toggle(int m)
{
    if ((m_idle && !m_idle()) || !m_enabled[m])
        return;
    // One modifier at a time switches to a target: while another is on, a
    // press only stores the targets as they are.
    for (int other = 0; other < 3; ++other) {
        if (other != m && m_on[other]) {
            m_controller.saveInstantShift();
            return;
        }
    }
    const int target = targetOfComboText(m_targets->currentText());
    if (target == 0)
        return;
    m_on[m] = !m_on[m];
    m_controller.setInstantShift(m, m_on[m] ? target : 0, m_profile());
    showTargets();
}
