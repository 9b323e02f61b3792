#include "CustomizePanel.h"
#include "core/app/TranslationContexts.h"

#include "core/assign/AssignmentTable.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/DeviceCommands.h"
#include "core/keys/KeyTable.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/StoredList.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/shell/ConsoleContext.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
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

QPushButton *actionButton(QWidget *parent, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QVector<orvanta::Report> storedReports(const QString &profile)
{
    return parseReports(MacroReportsFile::commands(profile));
}

} // namespace

CustomizePanel::CustomizePanel(ConsoleContext &context, QWidget *window, QWidget *parent)
    : QObject(parent), m_context(context), m_window(window)
{
    buildKeyCells(parent);
    buildCustomizeControls(parent);
    buildInstantShiftControls(parent);
    connect(m_context.controller, &ConsoleController::keyAssignmentsReset, this,
            &CustomizePanel::clearAfterFactoryReset);
}

AssignmentTable &CustomizePanel::assignments()
{
    return m_context.controller->assignments();
}

const AssignmentTable &CustomizePanel::assignments() const
{
    return m_context.controller->assignments();
}

ShiftTargets &CustomizePanel::shiftTargets()
{
    return m_context.controller->shiftTargets();
}

void CustomizePanel::clearAfterFactoryReset()
{
    selectedKey = kNoKey;
    highlightedCell = 0;
    for (QLabel *cell : keyCells)
        cell->setStyleSheet(QStringLiteral("background-color:black"));
    shiftOn.fill(false);
    shiftEnabled.fill(true);
}

QString CustomizePanel::selectedProfile() const
{
    return m_context.profileMenu ? m_context.profileMenu->selectedProfile()
                                 : m_context.controller->bindings().activeLinked();
}

int CustomizePanel::activeProfile() const
{
    return m_context.controller->bindings().active;
}

bool CustomizePanel::macroPageIdle() const
{
    return !m_context.macros || m_context.macros->isIdle();
}

void CustomizePanel::applyStyles(const ShellStyles &styles)
{
    m_styles = styles;
    for (QLabel *l : {captionKeyAssignment, captionAssignMacro, captionRepeat, captionCurrent,
                      captionAssign, captionInstantShift})
        l->setStyleSheet(styles.label + QStringLiteral("; font-size:11px; font-weight:bold;"));
    for (QComboBox *c : {keyAssignCombo, assignMacroCombo, repeatCombo, shiftCombo})
        c->setStyleSheet(comboStyleSheet(styles.combo));
    const QString edit = lineEditStyleSheet(styles.fontFamily);
    for (QLineEdit *e : {repeatCountEdit, newKeyEdit})
        e->setStyleSheet(edit);
    selectedKeyLabel->setStyleSheet(QStringLiteral("color:red; font-size:20px; font-weight:bold; "
                                                   "font-family:") +
                                    styles.fontFamily);
    currentAssignment->setStyleSheet(QStringLiteral("color:rgb(0,171,190); font-size:14px; "
                                                    "font-family:") +
                                     styles.fontFamily);
    for (QPushButton *b : {macroResetButton, singleResetButton})
        b->setStyleSheet(styles.actionButton);
    customizeApplyButton->setStyleSheet(customizeApplyEnabled ? styles.actionButton
                                                              : styles.tabOff);
    showInstantShiftTargets();
}

void CustomizePanel::retranslate()
{
    captionKeyAssignment->setText(context::Shell::tr("KEY ASSIGNMENT"));
    captionInstantShift->setText(context::Shell::tr("INSTANT SHIFT SYS."));
    const int assign = keyAssignCombo->currentIndex();
    {
        const QSignalBlocker block(keyAssignCombo);
        keyAssignCombo->clear();
        keyAssignCombo->addItems({context::Shell::tr("Default"), context::Shell::tr("Macro Key"),
                                  context::Shell::tr("Single Key")});
        keyAssignCombo->setCurrentIndex(assign);
    }
    captionAssignMacro->setText(context::Shell::tr("ASSIGN MACRO"));
    captionRepeat->setText(context::Shell::tr("REPATE OPTION"));
    const int repeat = repeatCombo->currentIndex();
    {
        const QSignalBlocker block(repeatCombo);
        repeatCombo->clear();
        repeatCombo->addItems({context::Shell::tr("Once"), context::Shell::tr("Multiple Times"),
                               context::Shell::tr("When Perss & Hold"),
                               context::Shell::tr("Until Pressed Next Time")});
        repeatCombo->setCurrentIndex(repeat);
    }
    macroResetButton->setText(context::Shell::tr("MACRO RESET"));
    captionCurrent->setText(context::Shell::tr("CURRENT"));
    captionAssign->setText(context::Shell::tr("ASSIGN"));
    newKeyEdit->setPlaceholderText(context::Shell::tr("Waiting for a key: press it now"));
    singleResetButton->setText(context::Shell::tr("SINGLE RESET"));
    customizeApplyButton->setText(context::Shell::tr("APPLY"));
    shiftButtons[0]->setText(QStringLiteral("SHIFT"));
    shiftButtons[1]->setText(QStringLiteral("CTRL"));
    shiftButtons[2]->setText(QStringLiteral("ALT"));
}

void CustomizePanel::buildCustomizeControls(QWidget *w)
{
    // Left column: the selected key and what it should do.
    captionKeyAssignment = caption(w, {262, 410, 200, 14});
    selectedKeyLabel = new QLabel(w);
    selectedKeyLabel->setGeometry(262, 430, 200, 30);
    keyAssignCombo = new QComboBox(w);
    keyAssignCombo->setGeometry(262, 468, 200, 26);
    keyAssignCombo->addItems({context::Shell::tr("Default"), context::Shell::tr("Macro Key"),
                              context::Shell::tr("Single Key")});
    keyAssignCombo->setCurrentIndex(-1);
    connect(keyAssignCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::keyAssignmentChosen);

    // Middle column, macro key: which macro and how it repeats.
    captionAssignMacro = caption(w, {500, 410, 220, 14});
    assignMacroCombo = new QComboBox(w);
    assignMacroCombo->setGeometry(500, 432, 220, 26);
    connect(assignMacroCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::assignMacroChosen);
    captionRepeat = caption(w, {500, 470, 220, 14});
    repeatCombo = new QComboBox(w);
    repeatCombo->setGeometry(500, 492, 220, 26);
    repeatCombo->addItems({context::Shell::tr("Once"), context::Shell::tr("Multiple Times"),
                           context::Shell::tr("When Perss & Hold"),
                           context::Shell::tr("Until Pressed Next Time")});
    connect(repeatCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::repeatModeChosen);
    repeatCountEdit = new QLineEdit(w);
    repeatCountEdit->setGeometry(730, 492, 50, 26);
    repeatCountEdit->setText(QStringLiteral("1"));
    repeatCountEdit->setValidator(new QIntValidator(1, 50, repeatCountEdit));
    repeatCountEdit->setAlignment(Qt::AlignCenter);
    repeatCountEdit->hide();
    macroResetButton = actionButton(w, {500, 536, 120, 28});
    connect(macroResetButton, &QPushButton::released, this, &CustomizePanel::resetMacroAssignments);

    // Middle column, single key: what it sends now and the key to send instead.
    captionCurrent = caption(w, {500, 410, 220, 14});
    currentAssignment = new QLabel(w);
    currentAssignment->setGeometry(500, 432, 220, 26);
    captionAssign = caption(w, {500, 470, 220, 14});
    newKeyEdit = new QLineEdit(w);
    newKeyEdit->setGeometry(500, 492, 220, 26);
    newKeyEdit->setReadOnly(true); // filled by pressing the key on the computer's keyboard
    newKeyEdit->setFocusPolicy(Qt::NoFocus);
    singleResetButton = actionButton(w, {500, 536, 120, 28});
    connect(singleResetButton, &QPushButton::released, this,
            &CustomizePanel::resetSingleAssignments);

    customizeApplyButton = actionButton(w, {1040, 712, 120, 28});
    connect(customizeApplyButton, &QPushButton::released, this,
            &CustomizePanel::applyKeyAssignment);
}

void CustomizePanel::showCustomizePanels(int assignment)
{
    const bool macro = assignment == 1, single = assignment == 2;
    for (QWidget *wdg : std::initializer_list<QWidget *>{
             captionAssignMacro, assignMacroCombo, captionRepeat, repeatCombo, macroResetButton})
        wdg->setVisible(macro);
    repeatCountEdit->setVisible(macro && repeatCombo->currentIndex() == 1);
    for (QWidget *wdg : std::initializer_list<QWidget *>{
             captionCurrent, currentAssignment, captionAssign, newKeyEdit, singleResetButton})
        wdg->setVisible(single);
    // The assignment list and APPLY stay in view; APPLY acts once a key is chosen.
    if (macro)
        refillAssignMacroList();
}

void CustomizePanel::setApplyEnabled(bool enabled)
{
    customizeApplyEnabled = enabled;
    customizeApplyButton->setStyleSheet(enabled ? m_styles.actionButton : m_styles.tabOff);
}

void CustomizePanel::keyAssignmentChosen()
{
    const int index = keyAssignCombo->currentIndex();
    if (index < 0)
        return;
    if (index == 1)
        setApplyEnabled(false);
    else if (!selectedKeyLabel->text().isEmpty())
        setApplyEnabled(true);
    showCustomizePanels(index);
    // The key to send is typed next: the window takes it, not the list that
    // was just used to choose "Single Key".
    if (index == 2 && !selectedKeyLabel->text().isEmpty())
        m_window->setFocus(Qt::OtherFocusReason);
}

void CustomizePanel::assignMacroChosen()
{
    const bool chosen =
        assignMacroCombo->currentIndex() >= 0 && !assignMacroCombo->currentText().isEmpty();
    setApplyEnabled(chosen && !selectedKeyLabel->text().isEmpty());
}

void CustomizePanel::repeatModeChosen()
{
    repeatCountEdit->setVisible(repeatCombo->currentIndex() == 1 && repeatCombo->isVisible());
}

void CustomizePanel::refillAssignMacroList()
{
    const QSignalBlocker block(assignMacroCombo);
    assignMacroCombo->clear();
    const QStringList files =
        QDir(QStringLiteral("./macrofile"))
            .entryList(QStringList{QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QString &f : files)
        assignMacroCombo->addItem(f.left(f.size() - 4));
    assignMacroCombo->setCurrentIndex(-1);
}

void CustomizePanel::saveKeyAssignments()
{
    m_context.controller->saveKeyAssignments(selectedProfile());
}

void CustomizePanel::loadKeyAssignments()
{
    assignments().loadMacroFile(AssignmentFile::read(selectedProfile()));
    refreshKeyCellColours();
    showSelectedKeyAssignment();
}

void CustomizePanel::loadSingleKeyAssignments()
{
    assignments().loadSignalFile(m_context.controller->keyMap(),
                                 KeyMapFile::read(selectedProfile()));
    refreshKeyCellColours();
    showSelectedKeyAssignment();
}

void CustomizePanel::showSelectedKeyAssignment()
{
    if (!keyAssignCombo)
        return; // still being built
    const int k = selectedKey;
    newKeyEdit->clear();
    if (k < 0 || k >= kKeyCount) {
        selectedKeyLabel->clear();
        {
            const QSignalBlocker block(keyAssignCombo);
            keyAssignCombo->setCurrentIndex(-1);
        }
        showCustomizePanels(-1);
        setApplyEnabled(false);
        return;
    }
    const SlotAssignment &slot = assignments()[k];
    const int kind = int(slot.kind); // the KEY ASSIGNMENT list's order
    {
        const QSignalBlocker block(keyAssignCombo);
        keyAssignCombo->setCurrentIndex(kind);
    }
    if (kind == 1) {
        // The repeat as the keyboard has it: the stored report of the key's entry.
        const QString profile = selectedProfile();
        const int count = MacroReportsFile::count(profile);
        const int entry =
            entryOfKey(MacroReportsFile::keyNumbers(profile), count, KEY_TABLE[k].matrix);
        const QVector<Report> reports = storedReports(profile);
        const Report *report = entry <= reports.size() ? &reports[entry - 1] : nullptr;
        const RepeatSetting repeat = slot.repeat(report);
        {
            const QSignalBlocker block(repeatCombo);
            repeatCombo->setCurrentIndex(int(repeat.mode));
        }
        repeatCountEdit->setText(QString::number(repeat.count));
        showCustomizePanels(1); // refills ASSIGN MACRO with no macro chosen
        assignMacroCombo->setCurrentIndex(assignMacroCombo->findText(slot.target));
        assignMacroChosen();
    } else {
        showCustomizePanels(kind);
        currentAssignment->setText(slot.kind == KeyKind::Single ? slot.target : QString());
        setApplyEnabled(true);
    }
}

static SaveResult removeMacroEntry(const QString &profile, int keyNumber, int &count)
{
    const int entry = entryOfKey(MacroReportsFile::keyNumbers(profile), count, keyNumber);
    if (entry > count)
        return {};
    const SaveResult removed = MacroReportsFile::removeEntry(profile, entry, count - 1);
    if (removed.ok())
        --count; // a failed removal leaves the file and its count as they were
    return removed;
}

void CustomizePanel::applyKeyAssignment()
{
    if (!customizeApplyEnabled || selectedKey < 0 || selectedKey >= kKeyCount)
        return;
    const QString profile = selectedProfile();
    const int n = activeProfile();
    const int k = selectedKey;
    const int keyNumber = KEY_TABLE[k].matrix;
    const quint8 code = KEY_TABLE[k].usage;
    int count = MacroReportsFile::count(profile);
    // The key map and the assignment files are saved once, at the end, with
    // the assignment as applied.

    switch (keyAssignCombo->currentIndex()) {
    case 0: // Default
        if (assignments()[k].kind == KeyKind::Macro)
            m_context.controller->notices().report(removeMacroEntry(profile, keyNumber, count));
        assignments()[k].kind = KeyKind::Default;
        colourKeyCell(5, k);
        resetKeyCode(m_context.controller->keyMap(), code);
        m_context.sender->send(commands::writeKeyMap(n, m_context.controller->keyMap()));
        break;
    case 1: { // Macro Key
        const QString macro = assignMacroCombo->currentText();
        if (macro.isEmpty())
            return;
        int entry;
        if (assignments()[k].kind == KeyKind::Macro) {
            entry = entryOfKey(MacroReportsFile::keyNumbers(profile), count, keyNumber);
            if (entry > count)
                count = entry; // a macro key whose entry went missing gets a new one
        } else {
            entry = ++count;
        }
        const auto mode = RepeatMode(qBound(0, repeatCombo->currentIndex(), 3));
        const int times = mode == RepeatMode::MultipleTimes
                              ? qBound(1, toNumber(repeatCountEdit->text(), 1), 50)
                              : 1;
        assignments()[k].setRepeat(mode, times);
        const QString commands = RecordedMacroFile::read(macro).commands;
        const Report report = buildMacroReport(commands, n, keyNumber, mode, times);
        setKeyCode(m_context.controller->keyMap(), code, kMacroKeyCode);
        m_context.controller->notices().report(
            MacroReportsFile::writeEntry(profile, entry, count, keyNumber, commandString(report)));
        m_context.sender->send(commands::writeKeyMapAndMacros(n, m_context.controller->keyMap(),
                                                              storedReports(profile), count));
        assignments()[k].kind = KeyKind::Macro;
        assignments()[k].target = macro;
        colourKeyCell(5, k);
        break;
    }
    case 2: { // Single Key
        if (newKeyEdit->text().isEmpty() || capturedUsage == 0)
            return; // no key captured yet
        // A macro key turned into a single key no longer plays its macro.
        if (assignments()[k].kind == KeyKind::Macro)
            m_context.controller->notices().report(removeMacroEntry(profile, keyNumber, count));
        setKeyCode(m_context.controller->keyMap(), code, capturedUsage);
        m_context.sender->send(commands::writeKeyMapAndMacros(n, m_context.controller->keyMap(),
                                                              storedReports(profile), count));
        assignments()[k].kind = KeyKind::Single;
        assignments()[k].target = newKeyEdit->text();
        colourKeyCell(5, k);
        currentAssignment->setText(newKeyEdit->text());
        newKeyEdit->clear();
        break;
    }
    default:
        return;
    }
    saveKeyAssignments();
}

void CustomizePanel::resetSingleAssignments()
{
    for (int k : m_context.controller->resetSingleKeys(selectedProfile()))
        keyCells[k]->setStyleSheet(QStringLiteral("background-color:black"));
}

void CustomizePanel::resetMacroAssignments()
{
    for (int k : m_context.controller->resetMacroKeys(selectedProfile()))
        keyCells[k]->setStyleSheet(QStringLiteral("background-color:black"));
}

// --- instant shift: SHIFT, CTRL or ALT of the current profile turned into a
// direct switch to another on-board profile.

void CustomizePanel::buildInstantShiftControls(QWidget *w)
{
    captionInstantShift = new QLabel(w);
    captionInstantShift->setGeometry(820, 410, 300, 14);
    shiftCombo = new QComboBox(w);
    shiftCombo->setGeometry(820, 432, 180, 26);
    connect(shiftCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &CustomizePanel::instantShiftTargetChosen);
    for (int m = 0; m < 3; ++m) {
        auto *b = new QPushButton(w);
        b->setGeometry(820 + m * 90, 470, 80, 26);
        b->setFocusPolicy(Qt::TabFocus);
        b->setCursor(Qt::PointingHandCursor);
        shiftButtons[m] = b;
    }
    connect(shiftButtons[0], &QPushButton::released, this,
            &CustomizePanel::toggleShiftInstantShift);
    connect(shiftButtons[1], &QPushButton::released, this, &CustomizePanel::toggleCtrlInstantShift);
    connect(shiftButtons[2], &QPushButton::released, this, &CustomizePanel::toggleAltInstantShift);
}

void CustomizePanel::refillInstantShiftList()
{
    const QSignalBlocker block(shiftCombo);
    shiftCombo->clear();
    for (int n = 1; n <= 5; ++n)
        if (n != activeProfile())
            shiftCombo->addItem(QStringLiteral("PROFILE %1").arg(n));
    shiftCombo->setCurrentIndex(0);
    showInstantShiftTargets();
}

void CustomizePanel::instantShiftTargetChosen(int)
{
    showInstantShiftTargets();
}

void CustomizePanel::showInstantShiftTargets()
{
    if (!shiftCombo || shiftCombo->currentIndex() < 0)
        return;
    const int selected = targetOfComboText(shiftCombo->currentText());
    const QString face = QStringLiteral(
        "QPushButton{border-image:url(\"Image/iss_%1.png\"); color:%2; font-weight:bold; "
        "font-family:%3;}");
    for (int m = 0; m < 3; ++m) {
        const ShiftLook look = shiftLook(shiftTargets()[m][activeProfile()], selected);
        shiftOn[m] = look == ShiftLook::On;
        shiftEnabled[m] = look != ShiftLook::Disabled;
        QString style;
        switch (look) {
        case ShiftLook::On:
            style = face.arg(QStringLiteral("on"), QStringLiteral("white"), m_styles.fontFamily);
            break;
        case ShiftLook::Off:
            style = face.arg(QStringLiteral("off"), QStringLiteral("rgb(200,200,200)"),
                             m_styles.fontFamily);
            break;
        case ShiftLook::Disabled:
            style = face.arg(QStringLiteral("disabled"), QStringLiteral("rgb(110,110,110)"),
                             m_styles.fontFamily);
            break;
        }
        shiftButtons[m]->setStyleSheet(style);
        shiftButtons[m]->setToolTip(
            look == ShiftLook::Disabled
                ? QStringLiteral("PROFILE %1").arg(shiftTargets()[m][activeProfile()])
                : QString());
    }
}

void CustomizePanel::loadInstantShiftTargets()
{
    shiftTargets() = readShiftTargets();
    showInstantShiftTargets();
}

void CustomizePanel::writeShiftFlags()
{
    m_context.controller->saveInstantShift();
}

void CustomizePanel::toggleShiftButton(int m)
{
    if (!macroPageIdle() || !shiftEnabled[m])
        return;
    for (int other = 0; other < 3; ++other) {
        if (other != m && shiftOn[other]) {
            writeShiftFlags();
            return;
        }
    }
    const int target = targetOfComboText(shiftCombo->currentText());
    if (target == 0)
        return;
    shiftOn[m] = !shiftOn[m];
    m_context.controller->setInstantShift(m, shiftOn[m] ? target : 0, selectedProfile());
    showInstantShiftTargets();
}

void CustomizePanel::toggleShiftInstantShift()
{
    toggleShiftButton(kShift);
}
void CustomizePanel::toggleCtrlInstantShift()
{
    toggleShiftButton(kCtrl);
}
void CustomizePanel::toggleAltInstantShift()
{
    toggleShiftButton(kAlt);
}
