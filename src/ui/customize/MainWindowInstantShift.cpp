// The instant-shift system: SHIFT, CTRL or ALT of the current profile turned
// into a direct switch to another on-board profile.

#include "ui/shell/MainWindow.h"

#include "core/assign/InstantShift.h"
#include "core/assign/KeyAssignment.h"
#include "core/device/CommandSender.h"
#include "core/storage/IniStore.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace orvanta;

void MainWindow::buildInstantShiftControls()
{
    QWidget *w = centralWidget();
    captionInstantShift = new QLabel(w);
    captionInstantShift->setGeometry(820, 410, 300, 14);
    shiftCombo = new QComboBox(w);
    shiftCombo->setGeometry(820, 432, 180, 26);
    connect(shiftCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::instantShiftTargetChosen);
    for (int m = 0; m < 3; ++m) {
        auto *b = new QPushButton(w);
        b->setGeometry(820 + m * 90, 470, 80, 26);
        b->setFocusPolicy(Qt::TabFocus);
        b->setCursor(Qt::PointingHandCursor);
        shiftButtons[m] = b;
    }
    connect(shiftButtons[0], &QPushButton::released, this, &MainWindow::toggleShiftInstantShift);
    connect(shiftButtons[1], &QPushButton::released, this, &MainWindow::toggleCtrlInstantShift);
    connect(shiftButtons[2], &QPushButton::released, this, &MainWindow::toggleAltInstantShift);
}

void MainWindow::refillInstantShiftList()
{
    const QSignalBlocker block(shiftCombo);
    shiftCombo->clear();
    for (int n = 1; n <= 5; ++n)
        if (n != currentProfile)
            shiftCombo->addItem(QStringLiteral("PROFILE %1").arg(n));
    shiftCombo->setCurrentIndex(0);
    showInstantShiftTargets();
}

void MainWindow::instantShiftTargetChosen(int)
{
    showInstantShiftTargets();
}

int MainWindow::instantShiftTargetIndex() const
{
    return profileShiftCode(targetOfComboText(shiftCombo->currentText()));
}

void MainWindow::showInstantShiftTargets()
{
    if (!shiftCombo || shiftCombo->currentIndex() < 0)
        return;
    const int selected = targetOfComboText(shiftCombo->currentText());
    const QString face = QStringLiteral(
        "QPushButton{border-image:url(\"Image/iss_%1.png\"); color:%2; font-weight:bold; "
        "font-family:%3;}");
    for (int m = 0; m < 3; ++m) {
        const ShiftLook look = shiftLook(shiftTarget[m][currentProfile], selected);
        shiftOn[m] = look == ShiftLook::On;
        shiftEnabled[m] = look != ShiftLook::Disabled;
        QString style;
        switch (look) {
        case ShiftLook::On:
            style = face.arg(QStringLiteral("on"), QStringLiteral("white"), fontFamily);
            break;
        case ShiftLook::Off:
            style = face.arg(QStringLiteral("off"), QStringLiteral("rgb(200,200,200)"), fontFamily);
            break;
        case ShiftLook::Disabled:
            style = face.arg(QStringLiteral("disabled"), QStringLiteral("rgb(110,110,110)"),
                             fontFamily);
            break;
        }
        shiftButtons[m]->setStyleSheet(style);
        shiftButtons[m]->setToolTip(
            look == ShiftLook::Disabled
                ? QStringLiteral("PROFILE %1").arg(shiftTarget[m][currentProfile])
                : QString());
    }
}

void MainWindow::loadInstantShiftTargets()
{
    const ShiftTargets targets = parseShiftTargets(IniStore::readFlagFile());
    for (int m = 0; m < 3; ++m)
        shiftTarget[m] = targets[m];
    showInstantShiftTargets();
}

void MainWindow::writeShiftFlags()
{
    ShiftTargets targets;
    for (int m = 0; m < 3; ++m)
        targets[m] = shiftTarget[m];
    reportSaves(IniStore::writeFlagFile(makeShiftMap(targets)));
}

void MainWindow::confirmInstantShift()
{
    writeShiftFlags();
}

void MainWindow::toggleShiftButton(int m)
{
    if (!macroPageIdle() || !shiftEnabled[m])
        return;
    for (int other = 0; other < 3; ++other) {
        if (other != m && shiftOn[other]) {
            writeShiftFlags();
            return;
        }
    }
    const int n = currentProfile;
    const int target = targetOfComboText(shiftCombo->currentText());
    if (target == 0)
        return;
    const quint8 code = kModifierCodes[m];
    if (shiftOn[m]) {
        shiftOn[m] = false;
        shiftTarget[m][n] = 0;
        m_context.sender->setSingleKey(code, code);
    } else {
        shiftOn[m] = true;
        shiftTarget[m][n] = target;
        m_context.sender->setSingleKey(code, profileShiftCode(target));
    }
    const QString profile = selectedProfile();
    const int count = IniStore::readMacroCmdCount(profile);
    m_context.sender->writeKeyMapAndMacros(
        m_context.device, parseReports(IniStore::readMacroCmdFile(profile)), n, count);
    reportSaves(IniStore::writeFlagFile(makeSignalMap(m_context.sender->keyMap, keyTable), profile));
    writeShiftFlags();
    showInstantShiftTargets();
}

void MainWindow::toggleShiftInstantShift()
{
    toggleShiftButton(kShift);
}
void MainWindow::toggleCtrlInstantShift()
{
    toggleShiftButton(kCtrl);
}
void MainWindow::toggleAltInstantShift()
{
    toggleShiftButton(kAlt);
}
