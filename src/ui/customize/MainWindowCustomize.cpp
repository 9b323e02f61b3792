// The CUSTOMIZE page: what the selected key does (its default, a macro with a
// repeat mode, or another key's code) and the two bulk resets.

#include "ui/shell/MainWindow.h"

#include "core/assign/KeyAssignment.h"
#include "core/device/CommandSender.h"
#include "core/keys/KeyTable.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

namespace {

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
    return parseReports(IniStore::readMacroCmdFile(profile));
}

} // namespace

void MainWindow::buildCustomizeControls()
{
    QWidget *w = centralWidget();
    // Left column: the selected key and what it should do.
    captionKeyAssignment = caption(w, {262, 410, 200, 14});
    selectedKeyLabel = new QLabel(w);
    selectedKeyLabel->setGeometry(262, 430, 200, 30);
    keyAssignCombo = new QComboBox(w);
    keyAssignCombo->setGeometry(262, 468, 200, 26);
    keyAssignCombo->addItems({QCoreApplication::translate("LumoProject", "Default"),
                              QCoreApplication::translate("LumoProject", "Macro Key"),
                              QCoreApplication::translate("LumoProject", "Single Key")});
    keyAssignCombo->setCurrentIndex(-1);
    connect(keyAssignCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::keyAssignmentChosen);

    // Middle column, macro key: which macro and how it repeats.
    captionAssignMacro = caption(w, {500, 410, 220, 14});
    assignMacroCombo = new QComboBox(w);
    assignMacroCombo->setGeometry(500, 432, 220, 26);
    connect(assignMacroCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::assignMacroChosen);
    captionRepeat = caption(w, {500, 470, 220, 14});
    repeatCombo = new QComboBox(w);
    repeatCombo->setGeometry(500, 492, 220, 26);
    repeatCombo->addItems({QCoreApplication::translate("LumoProject", "Once"),
                           QCoreApplication::translate("LumoProject", "Multiple Times"),
                           QCoreApplication::translate("LumoProject", "When Perss & Hold"),
                           QCoreApplication::translate("LumoProject", "Until Pressed Next Time")});
    connect(repeatCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::repeatModeChosen);
    repeatCountEdit = new QLineEdit(w);
    repeatCountEdit->setGeometry(730, 492, 50, 26);
    repeatCountEdit->setText(QStringLiteral("1"));
    repeatCountEdit->setValidator(new QIntValidator(1, 50, repeatCountEdit));
    repeatCountEdit->setAlignment(Qt::AlignCenter);
    repeatCountEdit->hide();
    macroResetButton = actionButton(w, {500, 536, 120, 28});
    connect(macroResetButton, &QPushButton::released, this, &MainWindow::resetMacroAssignments);

    // Middle column, single key: what it sends now and the key to send instead.
    captionCurrent = caption(w, {500, 410, 220, 14});
    currentAssignment = new QLabel(w);
    currentAssignment->setGeometry(500, 432, 220, 26);
    captionAssign = caption(w, {500, 470, 220, 14});
    newKeyEdit = new QLineEdit(w);
    newKeyEdit->setGeometry(500, 492, 220, 26);
    newKeyEdit->setReadOnly(true); // filled by pressing the key on the computer's keyboard
    newKeyEdit->setFocusPolicy(Qt::NoFocus);
    connect(newKeyEdit, &QLineEdit::textEdited, this, &MainWindow::singleKeyEntered);
    singleResetButton = actionButton(w, {500, 536, 120, 28});
    connect(singleResetButton, &QPushButton::released, this, &MainWindow::resetSingleAssignments);

    customizeApplyButton = actionButton(w, {1040, 712, 120, 28});
    connect(customizeApplyButton, &QPushButton::released, this, &MainWindow::applyKeyAssignment);
}

void MainWindow::showCustomizePanels(int assignment)
{
    const bool macro = assignment == 1, single = assignment == 2;
    for (QWidget *wdg : std::initializer_list<QWidget *>{captionAssignMacro, assignMacroCombo,
                                                         captionRepeat, repeatCombo,
                                                         macroResetButton})
        wdg->setVisible(macro);
    repeatCountEdit->setVisible(macro && repeatCombo->currentIndex() == 1);
    for (QWidget *wdg : std::initializer_list<QWidget *>{captionCurrent, currentAssignment,
                                                         captionAssign, newKeyEdit,
                                                         singleResetButton})
        wdg->setVisible(single);
    // The assignment list and APPLY stay in view; APPLY acts once a key is chosen.
    if (macro)
        refillAssignMacroList();
}

void MainWindow::setApplyEnabled(bool enabled)
{
    customizeApplyEnabled = enabled;
    customizeApplyButton->setStyleSheet(enabled ? styleActionButton : styleTabOff);
}

void MainWindow::keyAssignmentChosen()
{
    const int index = keyAssignCombo->currentIndex();
    if (index < 0)
        return;
    if (index == 1)
        setApplyEnabled(false);
    else if (!selectedKeyLabel->text().isEmpty())
        setApplyEnabled(true);
    showCustomizePanels(index);
}

void MainWindow::assignMacroChosen()
{
    const bool chosen = assignMacroCombo->currentIndex() >= 0 &&
                        !assignMacroCombo->currentText().isEmpty();
    setApplyEnabled(chosen && !selectedKeyLabel->text().isEmpty());
}

void MainWindow::repeatModeChosen()
{
    repeatCountEdit->setVisible(repeatCombo->currentIndex() == 1 && repeatCombo->isVisible());
}

void MainWindow::singleKeyEntered() {}

void MainWindow::refillAssignMacroList()
{
    const QSignalBlocker block(assignMacroCombo);
    assignMacroCombo->clear();
    const QStringList files = QDir(QStringLiteral("./macrofile"))
                                  .entryList(QStringList{QStringLiteral("*.ini")}, QDir::Files,
                                             QDir::Name);
    for (const QString &f : files)
        assignMacroCombo->addItem(f.left(f.size() - 4));
    assignMacroCombo->setCurrentIndex(-1);
}

void MainWindow::saveKeyAssignments()
{
    const QString profile = selectedProfile();
    reportSaves(IniStore::writeMacroAssignFile(makeMacroSystemMap(keyTable), profile));
    reportSaves(IniStore::writeFlagFile(makeSignalMap(m_context.sender->keyMap, keyTable), profile));
}

void MainWindow::loadKeyAssignments()
{
    loadMacroSystem(keyTable, IniStore::readMacroAssignFile(selectedProfile()));
    refreshKeyCellColours();
    showSelectedKeyAssignment();
}

void MainWindow::loadSingleKeyAssignments()
{
    loadSignal(m_context.sender->keyMap, keyTable, IniStore::readFlagFile(selectedProfile()));
    refreshKeyCellColours();
    showSelectedKeyAssignment();
}

void MainWindow::showSelectedKeyAssignment()
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
    const QString &type = keyTable[k];
    const int kind = type == QLatin1String("1") ? 1 : type == QLatin1String("2") ? 2 : 0;
    {
        const QSignalBlocker block(keyAssignCombo);
        keyAssignCombo->setCurrentIndex(kind);
    }
    if (kind == 1) {
        // The repeat as the keyboard has it: the stored report of the key's entry.
        const QString profile = selectedProfile();
        const int count = IniStore::readMacroCmdCount(profile);
        const int entry =
            entryOfKey(IniStore::readMacroCmdNumber(profile), count, KEY_TABLE[k].matrix);
        const QVector<Report> reports = storedReports(profile);
        const Report *report = entry <= reports.size() ? &reports[entry - 1] : nullptr;
        const RepeatSetting repeat = storedRepeat(report, keyTable[216 + k]);
        {
            const QSignalBlocker block(repeatCombo);
            repeatCombo->setCurrentIndex(int(repeat.mode));
        }
        repeatCountEdit->setText(QString::number(repeat.count));
        showCustomizePanels(1); // refills ASSIGN MACRO with no macro chosen
        assignMacroCombo->setCurrentIndex(assignMacroCombo->findText(keyTable[108 + k]));
        assignMacroChosen();
    } else {
        showCustomizePanels(kind);
        currentAssignment->setText(kind == 2 ? keyTable[108 + k] : QString());
        setApplyEnabled(true);
    }
}

static void removeMacroEntry(const QString &profile, int keyNumber, int &count)
{
    const int entry = entryOfKey(IniStore::readMacroCmdNumber(profile), count, keyNumber);
    if (entry <= count) {
        IniStore::removeMacroCmdEntry(profile, entry, count - 1);
        --count;
    }
}

void MainWindow::applyKeyAssignment()
{
    if (!customizeApplyEnabled || selectedKey < 0 || selectedKey >= kKeyCount)
        return;
    const QString profile = selectedProfile();
    const int n = currentProfile;
    const int k = selectedKey;
    const int keyNumber = KEY_TABLE[k].matrix;
    const quint8 code = KEY_TABLE[k].usage;
    int count = IniStore::readMacroCmdCount(profile);
    auto writeSignal = [&] {
        reportSaves(
            IniStore::writeFlagFile(makeSignalMap(m_context.sender->keyMap, keyTable), profile));
    };

    switch (keyAssignCombo->currentIndex()) {
    case 0: // Default
        if (keyTable[k] == QLatin1String("1"))
            removeMacroEntry(profile, keyNumber, count);
        keyTable[k] = QStringLiteral("0");
        colourKeyCell(5, k);
        m_context.sender->resetKeyAndWrite(m_context.device, code, n);
        writeSignal();
        break;
    case 1: { // Macro Key
        const QString macro = assignMacroCombo->currentText();
        if (macro.isEmpty())
            return;
        int entry;
        if (keyTable[k] == QLatin1String("1")) {
            entry = entryOfKey(IniStore::readMacroCmdNumber(profile), count, keyNumber);
            if (entry > count)
                count = entry; // a macro key whose entry went missing gets a new one
        } else {
            entry = ++count;
        }
        const auto mode = RepeatMode(qBound(0, repeatCombo->currentIndex(), 3));
        int times = 1;
        switch (mode) {
        case RepeatMode::Once:
            keyTable[216 + k] = QStringLiteral("1");
            break;
        case RepeatMode::MultipleTimes:
            times = qBound(1, toNumber(repeatCountEdit->text(), 1), 50);
            keyTable[216 + k] = QString::number(times);
            break;
        case RepeatMode::PressAndHold:
            break;
        case RepeatMode::UntilPressedNextTime:
            keyTable[216 + k] = QStringLiteral("0");
            break;
        }
        const QString commands = IniStore::readMacroFile(macro).value(4);
        const Report report = buildMacroReport(commands, n, keyNumber, mode, times);
        m_context.sender->setSingleKey(code, kMacroKeyCode);
        writeSignal();
        reportSaves(
            IniStore::writeMacroCmdFile(makeMacroCmdMap(report), profile, keyNumber, entry, count));
        m_context.sender->writeKeyMapAndMacros(m_context.device, storedReports(profile), n, count);
        keyTable[k] = QStringLiteral("1");
        keyTable[108 + k] = macro;
        colourKeyCell(5, k);
        break;
    }
    case 2: { // Single Key
        if (newKeyEdit->text().isEmpty() || capturedUsage == 0)
            return; // no key captured yet
        // A macro key turned into a single key no longer plays its macro.
        if (keyTable[k] == QLatin1String("1"))
            removeMacroEntry(profile, keyNumber, count);
        m_context.sender->setSingleKey(code, capturedUsage);
        m_context.sender->writeKeyMapAndMacros(m_context.device, storedReports(profile), n, count);
        keyTable[k] = QStringLiteral("2");
        keyTable[108 + k] = newKeyEdit->text();
        writeSignal();
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

void MainWindow::resetSingleAssignments()
{
    // Every key is visited, the keypad's "." (the last cell) included.
    for (int k = 0; k < kKeyCount; ++k) {
        if (keyTable[k] != QLatin1String("2"))
            continue;
        keyTable[k] = QStringLiteral("0");
        keyCells[k]->setStyleSheet(QStringLiteral("background-color:black"));
        m_context.sender->resetSingleKey(KEY_TABLE[k].usage);
    }
    const QString profile = selectedProfile();
    const int count = IniStore::readMacroCmdCount(profile);
    m_context.sender->writeKeyMapAndMacros(m_context.device, storedReports(profile), currentProfile,
                                         count);
    saveKeyAssignments();
}

void MainWindow::resetMacroAssignments()
{
    for (int k = 0; k < kKeyCount; ++k) {
        if (keyTable[k] != QLatin1String("1"))
            continue;
        keyTable[k] = QStringLiteral("0");
        keyCells[k]->setStyleSheet(QStringLiteral("background-color:black"));
        m_context.sender->resetSingleKey(KEY_TABLE[k].usage);
    }
    reportSaves(IniStore::createMacroCmdFile(linkedProfile()));
    saveKeyAssignments();
    m_context.sender->writeKeyMap(m_context.device, currentProfile);
}
