// On-board profile activation (the PROFILE buttons, the tray, the control
// socket) as the pages show it, and the factory reset's progress window.

#include "MainWindow.h"

#include "ResetProgressView.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/profiles/ProfileMenu.h"

using namespace orvanta;

// --- activation ------------------------------------------------------------------

void MainWindow::activateProfile(int n, Origin origin)
{
    m_context.controller->activateSlot(n, origin);
}

void MainWindow::showActiveProfile(int n)
{
    markProfileButton(n - 1);
    m_context.profileMenu->showLinkedProfile();
    m_context.customize->loadKeyAssignments();
    m_context.customize->refillInstantShiftList();
    m_context.customize->loadSingleKeyAssignments();
    const QString &linked = m_context.controller->bindings().names[n - 1];
    if (m_context.lighting->editedProfile() != linked)
        m_context.lighting->showSavedProfile(linked);
    emit activeProfileChanged(n);
}

void MainWindow::profile1Clicked()
{
    activateProfile(1);
}
void MainWindow::profile2Clicked()
{
    activateProfile(2);
}
void MainWindow::profile3Clicked()
{
    activateProfile(3);
}
void MainWindow::profile4Clicked()
{
    activateProfile(4);
}
void MainWindow::profile5Clicked()
{
    activateProfile(5);
}

// --- factory reset ------------------------------------------------------------------

void MainWindow::factoryResetClicked()
{
    ConsoleController *controller = m_context.controller;
    if (m_resetRunning || !controller->actionsAllowed() || controller->factoryResetSaving())
        return;
    if (!keepFactoryResetForUndo()) // undo: the files the reset rewrites are kept first
        return;
    const quint64 before = m_context.sender->lastOperation();
    const EffectFlag &staticFlag = m_context.lighting->model().factoryStaticFlag();
    const QVector<quint64> steps = controller->factoryReset(staticFlag.mode, staticFlag.modeSpeed);
    if (steps.isEmpty())
        return;
    m_resetRunning = true;
    m_context.resetView->setGeometry(0, 0, 1200, 800);
    m_context.resetView->show();
    m_context.resetView->raise();
    m_context.resetView->setProgress(0);
    // The files and pages change at once; the bar follows the keyboard, step
    // by step, as its queue confirms each one.
    quint64 previous = before;
    for (int i = 0; i + 1 < steps.size(); ++i) {
        const int value = i == 0 ? 15 : 15 + 25 * (i - 1);
        afterOperation(steps[i], previous, [this, value] {
            if (m_context.resetView)
                m_context.resetView->setProgress(value);
        });
        previous = steps[i];
    }
    afterOperation(steps.last(), previous, [this] {
        m_resetRunning = false;
        if (!m_context.resetView)
            return;
        m_context.resetView->setProgress(100);
        m_context.resetView->hide();
    });
}
