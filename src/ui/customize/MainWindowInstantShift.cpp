// The instant-shift system: SHIFT, CTRL or ALT of the current profile turned
// into a direct switch to another on-board profile.

#include "ui/shell/MainWindow.h"

#include "core/assign/InstantShift.h"
#include "core/assign/KeyAssignment.h"
#include "core/device/CommandSender.h"
#include "core/storage/IniStore.h"
#include "ui/shell/Globals.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace orvanta;

void MainWindow::buildInstantShiftControls()
{
    QWidget *w = centralWidget();
    captionInstantShift = new QLabel(w);
    captionInstantShift->setGeometry(820, 410, 300, 14);
    issCombo = new QComboBox(w);
    issCombo->setGeometry(820, 432, 180, 26);
    connect(issCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::iss_combo_function);
    for (int m = 0; m < 3; ++m) {
        auto *b = new QPushButton(w);
        b->setGeometry(820 + m * 90, 470, 80, 26);
        b->setFocusPolicy(Qt::TabFocus);
        b->setCursor(Qt::PointingHandCursor);
        issButtons[m] = b;
    }
    connect(issButtons[0], &QPushButton::released, this, &MainWindow::iss_shift_function);
    connect(issButtons[1], &QPushButton::released, this, &MainWindow::iss_ctrl_function);
    connect(issButtons[2], &QPushButton::released, this, &MainWindow::iss_alt_function);
}

void MainWindow::iss_combo_inster()
{
    const QSignalBlocker block(issCombo);
    issCombo->clear();
    for (int n = 1; n <= 5; ++n)
        if (n != currentProfile)
            issCombo->addItem(QStringLiteral("PROFILE %1").arg(n));
    issCombo->setCurrentIndex(0);
    iss_set_btn();
}

void MainWindow::iss_combo_function(int)
{
    iss_set_btn();
}

int MainWindow::iss_whitch_one_profile() const
{
    return profileShiftCode(targetOfComboText(issCombo->currentText()));
}

void MainWindow::iss_set_btn()
{
    if (!issCombo || issCombo->currentIndex() < 0)
        return;
    const int selected = targetOfComboText(issCombo->currentText());
    const QString face = QStringLiteral(
        "QPushButton{border-image:url(\"Image/iss_%1.png\"); color:%2; font-weight:bold; "
        "font-family:%3;}");
    for (int m = 0; m < 3; ++m) {
        const ShiftLook look = shiftLook(issTarget[m][currentProfile], selected);
        issOn[m] = look == ShiftLook::On;
        issEnabled[m] = look != ShiftLook::Disabled;
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
        issButtons[m]->setStyleSheet(style);
        issButtons[m]->setToolTip(look == ShiftLook::Disabled
                                      ? QStringLiteral("PROFILE %1").arg(issTarget[m][currentProfile])
                                      : QString());
    }
}

void MainWindow::read_set_iss()
{
    const ShiftTargets targets = parseShiftTargets(IniStore::readini_ini_file());
    for (int m = 0; m < 3; ++m)
        issTarget[m] = targets[m];
    iss_set_btn();
}

void MainWindow::writeIssFlags()
{
    ShiftTargets targets;
    for (int m = 0; m < 3; ++m)
        targets[m] = issTarget[m];
    reportSaves(IniStore::writeini_ini_file(makeShiftMap(targets)));
}

void MainWindow::iss_ok_function()
{
    writeIssFlags();
}

void MainWindow::issButton(int m)
{
    if (!macroPageIdle() || !issEnabled[m])
        return;
    for (int other = 0; other < 3; ++other) {
        if (other != m && issOn[other]) {
            writeIssFlags();
            return;
        }
    }
    const int n = currentProfile;
    const int target = targetOfComboText(issCombo->currentText());
    if (target == 0)
        return;
    const quint8 code = kModifierCodes[m];
    if (issOn[m]) {
        issOn[m] = false;
        issTarget[m][n] = 0;
        gCommandSender->setSingleKey(code, code);
    } else {
        issOn[m] = true;
        issTarget[m][n] = target;
        gCommandSender->setSingleKey(code, profileShiftCode(target));
    }
    const QString profile = selectedProfile();
    const int count = IniStore::read_macro_count_ini_cmd_file(profile);
    gCommandSender->writeKeyMapAndMacros(
        gDeviceHandle, parseReports(IniStore::read_macro_ini_cmd_file(profile)), n, count);
    reportSaves(
        IniStore::writeini_ini_file(makeSignalMap(gCommandSender->keyMap, keyTable), profile));
    writeIssFlags();
    iss_set_btn();
}

void MainWindow::iss_shift_function()
{
    issButton(kShift);
}
void MainWindow::iss_ctrl_function()
{
    issButton(kCtrl);
}
void MainWindow::iss_alt_function()
{
    issButton(kAlt);
}
