// On-board profile activation (the PROFILE buttons, the tray, the control
// socket) and the factory reset of the top icon buttons.

#include "MainWindow.h"

#include "ResetProgressView.h"
#include "core/assign/AssignmentTable.h"
#include "core/device/CommandSender.h"
#include "core/device/DeviceCommands.h"
#include "core/keys/KeyTable.h"
#include "core/profiles/FactoryResetFiles.h"
#include "core/storage/IniStore.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/profiles/ProfileMenu.h"

#include <QLabel>

using namespace orvanta;

static QString builtInName(int n)
{
    return ProfileBindings::builtIn(n);
}

// --- activation ------------------------------------------------------------------

void MainWindow::activateProfile(int n, Origin origin)
{
    if (!macroPageIdle())
        return;
    if (m_resetFiles && m_resetFiles->isSaving()) {
        // The pages wait for the factory reset's files, and so does a profile
        // chosen meanwhile: it follows the reset, as the keyboard sees it.
        m_resetFiles->whenSaved([this, n, origin] { activateProfile(n, origin); });
        return;
    }
    m_context.sender->send(commands::selectProfile(n), origin);
    showActiveProfile(n);
}

void MainWindow::showActiveProfile(int n)
{
    m_context.lighting->profileNumber = n;
    m_context.bindings.active = n;
    markProfileButton(n - 1);
    m_context.profileMenu->showLinkedProfile();
    m_context.customize->loadKeyAssignments();
    m_context.customize->refillInstantShiftList();
    m_context.customize->loadSingleKeyAssignments();
    const QString &linked = m_context.bindings.names[n - 1];
    if (m_context.lighting->editedProfile != linked) {
        m_context.lighting->editedProfile = linked;
        m_context.lighting->refillPatternList();
    }
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
    if (!macroPageIdle() || m_resetRunning || (m_resetFiles && m_resetFiles->isSaving()))
        return;
    m_resetRunning = true;
    m_context.resetView->setGeometry(0, 0, 1200, 800);
    m_context.resetView->show();
    m_context.resetView->raise();
    m_context.resetView->setProgress(0);

    // The files and pages change at once; the bar follows the keyboard, step
    // by step, as its queue confirms each one.
    quint64 queued = m_context.sender->lastOperation();
    auto progressWhenSent = [this, &queued](int value) {
        afterQueued(queued, [this, value] {
            if (m_context.resetView)
                m_context.resetView->setProgress(value);
        });
        queued = m_context.sender->lastOperation();
    };

    // Each slot gets its factory lighting, stored with the profile linked to it.
    FactoryResetFiles::Contents files;
    for (int n = 1; n <= 5; ++n)
        files.profiles << (m_context.bindings.names[n - 1].isEmpty()
                               ? builtInName(n)
                               : m_context.bindings.names[n - 1]);
    const EffectFlag &staticFlag = m_context.lighting->model().factoryStaticFlag();
    files.staticMode = staticFlag.mode;
    files.staticModeSpeed = staticFlag.modeSpeed;
    FactoryResetFiles::sendLighting(*m_context.sender, files);
    progressWhenSent(15);

    for (int i = 0; i < kKeySlots; ++i)
        m_context.customize->assignments[i].kind = KeyKind::Default;
    // Nothing stays selected on a keyboard that was just reset.
    m_context.customize->selectedKey = kNoKey;
    m_context.customize->highlightedCell = 0;
    for (QLabel *cell : m_context.customize->keyCells)
        cell->setStyleSheet(QStringLiteral("background-color:black"));
    m_context.keyMap = DEFAULT_KEY_MAP;

    for (int i = 1; i <= 5; ++i) {
        m_context.sender->send(commands::resetProfileToDefault(i));
        progressWhenSent(15 + 25 * (i - 1));
    }

    for (auto &modifier : m_context.customize->shiftTarget)
        modifier.fill(0);
    m_context.customize->shiftOn.fill(false);
    m_context.customize->shiftEnabled.fill(true);

    // The keyboard's part is queued whole at once; the files are saved by a
    // worker thread, and the pages show profile 1 once they are on disk.
    m_context.sender->send(commands::selectProfile(1));
    files.keyMap = m_context.keyMap;
    files.assignments = m_context.customize->assignments;
    if (!m_resetFiles)
        m_resetFiles = new FactoryResetFiles(this);
    m_resetFiles->start(files);
    m_resetFiles->whenSaved([this] {
        showActiveProfile(1);
        emit factoryResetFinished();
    });
    connect(m_resetFiles, &FactoryResetFiles::finished, this, &MainWindow::reportSaves,
            Qt::UniqueConnection);
    afterQueued(queued, [this] {
        m_resetRunning = false;
        if (!m_context.resetView)
            return;
        m_context.resetView->setProgress(100);
        m_context.resetView->hide();
    });
}
