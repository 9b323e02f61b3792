#include "CustomizePanel.h"
#include "core/app/TranslationContexts.h"

#include "InstantShiftControls.h"
#include "core/assign/AssignmentTable.h"
#include "core/controller/ConsoleController.h"
#include "core/keys/KeyTable.h"
#include "core/storage/StoredList.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/shell/ConsoleContext.h"
#include "ui/shell/Shell.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

namespace
{

QLabel *caption(QWidget *parent, const QRect &geometry)
{
    auto *l = new QLabel(parent);
    l->setGeometry(geometry);
    return l;
}

} // namespace

CustomizePanel::CustomizePanel(ConsoleContext &context, QWidget *window, QWidget *parent)
    : QObject(parent), m_context(context), m_window(window)
{
    buildKeyCells(parent);
    buildCustomizeControls(parent);
    m_instantShift = new InstantShiftControls(
        *m_context.controller, [this] { return selectedProfile(); },
        [this] { return macroPageIdle(); }, parent);
    m_ui.captionInstantShift = m_instantShift->caption();
    m_ui.shiftCombo = m_instantShift->targetList();
    for (int m = 0; m < 3; ++m)
        m_ui.shiftButtons[m] = m_instantShift->button(m);
    connect(m_context.controller, &ConsoleController::keyAssignmentsReset, this,
            &CustomizePanel::clearAfterFactoryReset);
}

const AssignmentTable &CustomizePanel::assignments() const
{
    return m_context.controller->assignments();
}

void CustomizePanel::clearAfterFactoryReset()
{
    m_selectedKey = kNoKey;
    m_highlightedCell = 0;
    for (QLabel *cell : m_keyCells)
        cell->setStyleSheet(QStringLiteral("background-color:black"));
    m_instantShift->clear();
}

QString CustomizePanel::selectedProfile() const
{
    return m_context.profileMenu ? m_context.profileMenu->selectedProfile()
                                 : m_context.controller->bindings().activeLinked();
}

bool CustomizePanel::macroPageIdle() const
{
    return !m_context.macros || m_context.macros->isIdle();
}

void CustomizePanel::applyStyles(const ShellStyles &styles)
{
    m_styles = styles;
    for (QLabel *l : {m_ui.captionKeyAssignment, m_ui.captionAssignMacro, m_ui.captionRepeat,
                      m_ui.captionCurrent, m_ui.captionAssign})
        l->setStyleSheet(styles.label + QStringLiteral("; font-size:11px; font-weight:bold;"));
    for (QComboBox *c : {m_ui.keyAssignCombo, m_ui.assignMacroCombo, m_ui.repeatCombo})
        c->setStyleSheet(comboStyleSheet(styles.combo));
    const QString edit = lineEditStyleSheet(styles.fontFamily);
    for (QLineEdit *e : {m_ui.repeatCountEdit, m_ui.newKeyEdit})
        e->setStyleSheet(edit);
    m_ui.selectedKeyLabel->setStyleSheet(
        QStringLiteral("color:red; font-size:20px; font-weight:bold; "
                       "font-family:") +
        styles.fontFamily);
    m_ui.currentAssignment->setStyleSheet(QStringLiteral("color:rgb(0,171,190); font-size:14px; "
                                                         "font-family:") +
                                          styles.fontFamily);
    for (QPushButton *b : {m_ui.macroResetButton, m_ui.singleResetButton})
        b->setStyleSheet(styles.actionButton);
    m_ui.customizeApplyButton->setStyleSheet(m_applyEnabled ? styles.actionButton : styles.tabOff);
    m_instantShift->applyStyles(styles);
    m_instantShift->showTargets();
}

void CustomizePanel::retranslate()
{
    m_ui.captionKeyAssignment->setText(context::Shell::tr("KEY ASSIGNMENT"));
    m_instantShift->retranslate();
    const int assign = m_ui.keyAssignCombo->currentIndex();
    {
        const QSignalBlocker block(m_ui.keyAssignCombo);
        m_ui.keyAssignCombo->clear();
        m_ui.keyAssignCombo->addItems({context::Shell::tr("Default"),
                                       context::Shell::tr("Macro Key"),
                                       context::Shell::tr("Single Key")});
        m_ui.keyAssignCombo->setCurrentIndex(assign);
    }
    m_ui.captionAssignMacro->setText(context::Shell::tr("ASSIGN MACRO"));
    m_ui.captionRepeat->setText(context::Shell::tr("REPATE OPTION"));
    const int repeat = m_ui.repeatCombo->currentIndex();
    {
        const QSignalBlocker block(m_ui.repeatCombo);
        m_ui.repeatCombo->clear();
        m_ui.repeatCombo->addItems({context::Shell::tr("Once"),
                                    context::Shell::tr("Multiple Times"),
                                    context::Shell::tr("When Perss & Hold"),
                                    context::Shell::tr("Until Pressed Next Time")});
        m_ui.repeatCombo->setCurrentIndex(repeat);
    }
    m_ui.macroResetButton->setText(context::Shell::tr("MACRO RESET"));
    m_ui.captionCurrent->setText(context::Shell::tr("CURRENT"));
    m_ui.captionAssign->setText(context::Shell::tr("ASSIGN"));
    m_ui.newKeyEdit->setPlaceholderText(context::Shell::tr("Waiting for a key: press it now"));
    m_ui.singleResetButton->setText(context::Shell::tr("SINGLE RESET"));
    m_ui.customizeApplyButton->setText(context::Shell::tr("APPLY"));
}

void CustomizePanel::buildCustomizeControls(QWidget *w)
{
    // Left column: the selected key and what it should do.
    m_ui.captionKeyAssignment = caption(w, {262, 410, 200, 14});
    m_ui.selectedKeyLabel = new QLabel(w);
    m_ui.selectedKeyLabel->setGeometry(262, 430, 200, 30);
    m_ui.keyAssignCombo = new QComboBox(w);
    m_ui.keyAssignCombo->setGeometry(262, 468, 200, 26);
    m_ui.keyAssignCombo->addItems({context::Shell::tr("Default"), context::Shell::tr("Macro Key"),
                                   context::Shell::tr("Single Key")});
    m_ui.keyAssignCombo->setCurrentIndex(-1);
    connect(m_ui.keyAssignCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::keyAssignmentChosen);

    // Middle column, macro key: which macro and how it repeats.
    m_ui.captionAssignMacro = caption(w, {500, 410, 220, 14});
    m_ui.assignMacroCombo = new QComboBox(w);
    m_ui.assignMacroCombo->setGeometry(500, 432, 220, 26);
    connect(m_ui.assignMacroCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::assignMacroChosen);
    m_ui.captionRepeat = caption(w, {500, 470, 220, 14});
    m_ui.repeatCombo = new QComboBox(w);
    m_ui.repeatCombo->setGeometry(500, 492, 220, 26);
    m_ui.repeatCombo->addItems({context::Shell::tr("Once"), context::Shell::tr("Multiple Times"),
                                context::Shell::tr("When Perss & Hold"),
                                context::Shell::tr("Until Pressed Next Time")});
    connect(m_ui.repeatCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::repeatModeChosen);
    m_ui.repeatCountEdit = new QLineEdit(w);
    m_ui.repeatCountEdit->setGeometry(730, 492, 50, 26);
    m_ui.repeatCountEdit->setText(QStringLiteral("1"));
    m_ui.repeatCountEdit->setValidator(new QIntValidator(1, 50, m_ui.repeatCountEdit));
    m_ui.repeatCountEdit->setAlignment(Qt::AlignCenter);
    m_ui.repeatCountEdit->hide();
    m_ui.macroResetButton = pushButtonAt(w, {500, 536, 120, 28});
    connect(m_ui.macroResetButton, &QPushButton::released, this,
            &CustomizePanel::resetMacroAssignments);

    // Middle column, single key: what it sends now and the key to send instead.
    m_ui.captionCurrent = caption(w, {500, 410, 220, 14});
    m_ui.currentAssignment = new QLabel(w);
    m_ui.currentAssignment->setGeometry(500, 432, 220, 26);
    m_ui.captionAssign = caption(w, {500, 470, 220, 14});
    m_ui.newKeyEdit = new QLineEdit(w);
    m_ui.newKeyEdit->setGeometry(500, 492, 220, 26);
    m_ui.newKeyEdit->setReadOnly(true); // filled by pressing the key on the computer's keyboard
    m_ui.newKeyEdit->setFocusPolicy(Qt::NoFocus);
    m_ui.singleResetButton = pushButtonAt(w, {500, 536, 120, 28});
    connect(m_ui.singleResetButton, &QPushButton::released, this,
            &CustomizePanel::resetSingleAssignments);

    m_ui.customizeApplyButton = pushButtonAt(w, {1040, 712, 120, 28});
    connect(m_ui.customizeApplyButton, &QPushButton::released, this,
            &CustomizePanel::applyKeyAssignment);
}

void CustomizePanel::showCustomizePanels(int assignment)
{
    const bool macro = assignment == 1, single = assignment == 2;
    for (QWidget *wdg : std::initializer_list<QWidget *>{m_ui.captionAssignMacro,
                                                         m_ui.assignMacroCombo, m_ui.captionRepeat,
                                                         m_ui.repeatCombo, m_ui.macroResetButton})
        wdg->setVisible(macro);
    m_ui.repeatCountEdit->setVisible(macro && m_ui.repeatCombo->currentIndex() == 1);
    for (QWidget *wdg : std::initializer_list<QWidget *>{m_ui.captionCurrent,
                                                         m_ui.currentAssignment, m_ui.captionAssign,
                                                         m_ui.newKeyEdit, m_ui.singleResetButton})
        wdg->setVisible(single);
    // The assignment list and APPLY stay in view; APPLY acts once a key is chosen.
    if (macro)
        refillAssignMacroList();
}

void CustomizePanel::setApplyEnabled(bool enabled)
{
    m_applyEnabled = enabled;
    m_ui.customizeApplyButton->setStyleSheet(enabled ? m_styles.actionButton : m_styles.tabOff);
}

void CustomizePanel::keyAssignmentChosen()
{
    const int index = m_ui.keyAssignCombo->currentIndex();
    if (index < 0)
        return;
    if (index == 1)
        setApplyEnabled(false);
    else if (!m_ui.selectedKeyLabel->text().isEmpty())
        setApplyEnabled(true);
    showCustomizePanels(index);
    // The key to send is typed next: the window takes it, not the list that
    // was just used to choose "Single Key".
    if (index == 2 && !m_ui.selectedKeyLabel->text().isEmpty())
        m_window->setFocus(Qt::OtherFocusReason);
}

void CustomizePanel::assignMacroChosen()
{
    const bool chosen = m_ui.assignMacroCombo->currentIndex() >= 0 &&
                        !m_ui.assignMacroCombo->currentText().isEmpty();
    setApplyEnabled(chosen && !m_ui.selectedKeyLabel->text().isEmpty());
}

void CustomizePanel::repeatModeChosen()
{
    m_ui.repeatCountEdit->setVisible(m_ui.repeatCombo->currentIndex() == 1 &&
                                     m_ui.repeatCombo->isVisible());
}

void CustomizePanel::refillAssignMacroList()
{
    const QSignalBlocker block(m_ui.assignMacroCombo);
    m_ui.assignMacroCombo->clear();
    m_ui.assignMacroCombo->addItems(m_context.controller->macros().assignableNames());
    m_ui.assignMacroCombo->setCurrentIndex(-1);
}

void CustomizePanel::loadKeyAssignments()
{
    m_context.controller->keyAssignmentEditor().loadMacroKeys(selectedProfile());
    refreshKeyCellColours();
    showSelectedKeyAssignment();
}

void CustomizePanel::loadSingleKeyAssignments()
{
    m_context.controller->keyAssignmentEditor().loadSingleKeys(selectedProfile());
    refreshKeyCellColours();
    showSelectedKeyAssignment();
}

void CustomizePanel::showSelectedKeyAssignment()
{
    if (!m_ui.keyAssignCombo)
        return; // still being built
    const int k = m_selectedKey;
    m_ui.newKeyEdit->clear();
    if (k < 0 || k >= kKeyCount) {
        m_ui.selectedKeyLabel->clear();
        {
            const QSignalBlocker block(m_ui.keyAssignCombo);
            m_ui.keyAssignCombo->setCurrentIndex(-1);
        }
        showCustomizePanels(-1);
        setApplyEnabled(false);
        return;
    }
    const SlotAssignment &slot = assignments()[k];
    const int kind = int(slot.kind); // the KEY ASSIGNMENT list's order
    {
        const QSignalBlocker block(m_ui.keyAssignCombo);
        m_ui.keyAssignCombo->setCurrentIndex(kind);
    }
    if (kind == 1) {
        // The repeat as the keyboard has it: the stored report of the key's entry.
        const RepeatSetting repeat =
            m_context.controller->keyAssignmentEditor().storedRepeat(k, selectedProfile());
        {
            const QSignalBlocker block(m_ui.repeatCombo);
            m_ui.repeatCombo->setCurrentIndex(int(repeat.mode));
        }
        m_ui.repeatCountEdit->setText(QString::number(repeat.count));
        showCustomizePanels(1); // refills ASSIGN MACRO with no macro chosen
        m_ui.assignMacroCombo->setCurrentIndex(m_ui.assignMacroCombo->findText(slot.target));
        assignMacroChosen();
    } else {
        showCustomizePanels(kind);
        m_ui.currentAssignment->setText(slot.kind == KeyKind::Single ? slot.target : QString());
        setApplyEnabled(true);
    }
}

void CustomizePanel::applyKeyAssignment()
{
    if (!m_applyEnabled || m_selectedKey < 0 || m_selectedKey >= kKeyCount)
        return;
    const int k = m_selectedKey;
    const QString profile = selectedProfile();
    KeyAssignmentEditor &editor = m_context.controller->keyAssignmentEditor();
    AssignmentApplied applied;
    switch (m_ui.keyAssignCombo->currentIndex()) {
    case 0: // Default
        applied = editor.applyDefault(k, profile);
        break;
    case 1: { // Macro Key
        const auto mode = RepeatMode(qBound(0, m_ui.repeatCombo->currentIndex(), 3));
        applied = editor.applyMacro(k, m_ui.assignMacroCombo->currentText(), mode,
                                    toNumber(m_ui.repeatCountEdit->text(), 1), profile);
        break;
    }
    case 2: // Single Key
        applied = editor.applySingle(k, m_capturedUsage, m_ui.newKeyEdit->text(), profile);
        if (applied.applied) {
            m_ui.currentAssignment->setText(m_ui.newKeyEdit->text());
            m_ui.newKeyEdit->clear();
        }
        break;
    default:
        return;
    }
    if (applied.applied)
        colourKeyCell(5, k);
}

void CustomizePanel::resetSingleAssignments()
{
    for (int k : m_context.controller->resetSingleKeys(selectedProfile()))
        m_keyCells[k]->setStyleSheet(QStringLiteral("background-color:black"));
}

void CustomizePanel::resetMacroAssignments()
{
    for (int k : m_context.controller->resetMacroKeys(selectedProfile()))
        m_keyCells[k]->setStyleSheet(QStringLiteral("background-color:black"));
}

// --- instant shift -----------------------------------------------------------

bool CustomizePanel::shiftEnabled(int modifier) const
{
    return m_instantShift->isEnabled(modifier);
}

void CustomizePanel::refillInstantShiftList()
{
    m_instantShift->refill();
}

void CustomizePanel::loadInstantShiftTargets()
{
    m_instantShift->load();
}
