// On-board profile activation, the factory reset, and the saved profiles of
// the left menu (New, Delete, Copy, rename, Import, Export).

#include "ui/shell/MainWindow.h"

#include "core/assign/KeyAssignment.h"
#include "core/device/CommandSender.h"
#include "core/device/LightCommandReplay.h"
#include "core/keys/KeyTable.h"
#include "core/profiles/FactoryResetFiles.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/IniStore.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/FileDialogs.h"
#include "ui/shell/Globals.h"
#include "ui/shell/ResetProgressView.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

using namespace orvanta;

static QString builtInName(int n)
{
    return QStringLiteral("PROFILE %1").arg(n);
}

QString MainWindow::linkedProfile() const
{
    const QString name = profileNames.value(currentProfile - 1);
    return name.isEmpty() ? builtInName(currentProfile) : name;
}

QString MainWindow::selectedProfile() const
{
    const QString text = profileCombo ? profileCombo->currentText() : QString();
    return text.isEmpty() ? linkedProfile() : text;
}

void MainWindow::readProfileLinks()
{
    qDebug() << "read_profile_connect()";
    const QStringList names = IniStore::readProfileConnect();
    for (int i = 0; i < 5; ++i)
        profileNames[i] = names.value(i);
}

bool MainWindow::saveBindings()
{
    IniGroupMap map;
    for (int i = 0; i < 5; ++i)
        map["profile_file"][QString::number(i + 1)] = profileNames[i];
    return reportSaves(IniStore::writeProfileConnect(map));
}

// --- activation ------------------------------------------------------------------

void MainWindow::activateProfile(int n)
{
    if (!macroPageIdle())
        return;
    if (m_resetFiles && m_resetFiles->isSaving()) {
        // The pages wait for the factory reset's files, and so does a profile
        // chosen meanwhile: it follows the reset, as the keyboard sees it.
        m_resetFiles->whenSaved([this, n] { activateProfile(n); });
        return;
    }
    gCommandSender->selectProfile(gDeviceHandle, n);
    showActiveProfile(n);
}

void MainWindow::showActiveProfile(int n)
{
    profileSwitching = true;
    gLightView->profileNumber = n;
    currentProfile = n;
    markProfileButton(n - 1);
    writeProfileLinks();
    loadKeyAssignments();
    refillInstantShiftList();
    loadSingleKeyAssignments();
    if (gLightView->editedProfile != profileNames[n - 1]) {
        gLightView->editedProfile = profileNames[n - 1];
        gLightView->refillPatternList();
    }
    profileSwitching = false;
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

void MainWindow::writeProfileLinks()
{
    qDebug() << "set_profile_connect()";
    const QStringList entries = listEntries(QStringLiteral("./lightfile"));
    qDebug() << entries.size();
    profileCombo->setCurrentIndex(-1);
    const QString linked = profileNames[currentProfile - 1];
    if (!linked.isEmpty() && entries.contains(linked)) {
        profileCombo->setCurrentText(linked);
        return;
    }
    // The linked folder is gone: fall back to the built-in profile of the slot.
    profileNames[currentProfile - 1] = builtInName(currentProfile);
    profileCombo->setCurrentText(profileNames[currentProfile - 1]);
    saveBindings();
}

void MainWindow::sendLinkedLighting()
{
    qDebug() << "set_profile_light_cmd()";
    const QStringList stored = IniStore::readLightCmd(profileCombo->currentText());
    replayStoredLighting(*gCommandSender, gDeviceHandle, parseStoredLighting(stored),
                         quint8(currentProfile));
}

// --- factory reset ------------------------------------------------------------------

void MainWindow::factoryResetClicked()
{
    if (!macroPageIdle() || m_resetRunning || (m_resetFiles && m_resetFiles->isSaving()))
        return;
    m_resetRunning = true;
    gResetView->setGeometry(0, 0, 1200, 800);
    gResetView->show();
    gResetView->raise();
    gResetView->setProgress(0);

    // The files and pages change at once; the bar follows the keyboard, step
    // by step, as its queue confirms each one.
    quint64 queued = gCommandSender->lastOperation();
    auto progressWhenSent = [this, &queued](int value) {
        afterQueued(queued, [value] {
            if (gResetView)
                gResetView->setProgress(value);
        });
        queued = gCommandSender->lastOperation();
    };

    // Each slot gets its factory lighting, stored with the profile linked to it.
    FactoryResetFiles::Contents files;
    for (int n = 1; n <= 5; ++n)
        files.profiles << (profileNames[n - 1].isEmpty() ? builtInName(n) : profileNames[n - 1]);
    const EffectFlag &staticFlag = gLightView->factoryStaticFlag();
    files.staticMode = staticFlag.mode;
    files.staticModeSpeed = staticFlag.modeSpeed;
    FactoryResetFiles::sendLighting(*gCommandSender, gDeviceHandle, files);
    progressWhenSent(15);

    for (int i = 0; i < kKeySlots; ++i)
        keyTable[i] = QStringLiteral("0");
    // Nothing stays selected on a keyboard that was just reset.
    selectedKey = kNoKey;
    highlightedCell = 0;
    for (QLabel *cell : keyCells)
        cell->setStyleSheet(QStringLiteral("background-color:black"));
    gCommandSender->resetKeyMap();

    for (int i = 1; i <= 5; ++i) {
        gCommandSender->resetProfileToDefault(gDeviceHandle, i);
        progressWhenSent(15 + 25 * (i - 1));
    }

    for (auto &modifier : shiftTarget)
        modifier.fill(0);
    shiftOn.fill(false);
    shiftEnabled.fill(true);

    // The keyboard's part is queued whole at once; the files are saved by a
    // worker thread, and the pages show profile 1 once they are on disk.
    gCommandSender->selectProfile(gDeviceHandle, 1);
    files.keyMap = gCommandSender->keyMap;
    files.keyTable = keyTable;
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
        if (!gResetView)
            return;
        gResetView->setProgress(100);
        gResetView->hide();
    });
}

// --- the profile list ----------------------------------------------------------------

void MainWindow::refillProfileList()
{
    // Refilling keeps the entry that was current (when it still exists) and runs
    // no selection on its own, so a refresh never rebinds the active slot or
    // replays lighting; an operation that wants its result chosen selects it.
    const QString current = profileCombo->currentText();
    const QSignalBlocker block(profileCombo);
    profileCombo->clear();
    profileCombo->addItems(profileList());
    profileCombo->setCurrentIndex(profileCombo->findText(current));
}

void MainWindow::savedProfileChosen(int index)
{
    if (index < 0)
        return;
    const QString entry = profileCombo->itemText(index);
    profileNameEdit->clear();
    gLightView->editedProfile = entry;
    gLightView->refillPatternList();
    // The macro keys come with the profile too: keeping the previous profile's
    // would show them on this one and write them into its files at the next APPLY.
    loadKeyAssignments();
    loadSingleKeyAssignments();
    if (!profileSwitching) {
        sendLinkedLighting();
        profileNames[currentProfile - 1] = entry;
        saveBindings();
    }
}

void MainWindow::newProfileClicked()
{
    if (!macroPageIdle())
        return;
    if (countEntries(QStringLiteral("./lightfile")) >= kProfileLimit)
        return;
    const QString name = newProfileName();
    if (name.isEmpty())
        return;
    SaveResult saved;
    if (!copyProfile(builtInName(1), name, &saved)) {
        reportSaves(saved);
        return;
    }
    refillProfileList();
    profileCombo->setCurrentText(name);
}

void MainWindow::deleteProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty() || isBuiltInProfile(entry))
        return;
    removeDirectory(QStringLiteral("./lightfile/") + entry);
    profileNames[currentProfile - 1] = builtInName(currentProfile);
    refillProfileList();
    profileCombo->setCurrentText(profileNames[currentProfile - 1]);
    saveBindings();
}

void MainWindow::copyProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty())
        return;
    // The listing counted with "." and "..": copies stop at 13 real entries.
    if (countEntries(QStringLiteral("./lightfile")) + 2 >= kProfileLimit)
        return;
    const QString name = copyNameFor(entry);
    if (name.isEmpty())
        return;
    SaveResult saved;
    if (!copyProfile(entry, name, &saved)) {
        reportSaves(saved);
        return;
    }
    refillProfileList();
    profileCombo->setCurrentText(name);
}

void MainWindow::profileNameEntered()
{
    if (!macroPageIdle())
        return;
    const QString text = profileNameEdit->text();
    if (containsForbiddenCharacter(text)) {
        qDebug() << "forbidden character in profile name" << text;
        return;
    }
    if (listEntries(QStringLiteral("./lightfile")).contains(text))
        return;
    if (!isUsableProfileName(text) || isBuiltInProfile(text))
        return;
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty() || isBuiltInProfile(entry))
        return;
    const QString from = QStringLiteral("./lightfile/") + entry;
    const QString to = QStringLiteral("./lightfile/") + text;
    if (!QDir().rename(from, to))
        return;
    // Every slot bound to the old name follows it.
    const QStringList before = profileNames;
    for (QString &name : profileNames)
        if (name == entry)
            name = text;
    profileNames[currentProfile - 1] = text;
    if (!saveBindings()) {
        // The bindings still name the old folder: it keeps its name.
        QDir().rename(to, from);
        profileNames = before;
        return;
    }
    refillProfileList();
    profileCombo->setCurrentText(text);
}

void MainWindow::exportProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString profile = profileCombo->currentText();
    if (profile.isEmpty())
        return;
    const QString target =
        FileDialogs::saveFileName(this, QStringLiteral("Save As"), QString(),
                                  QStringLiteral("Comma Separated Values (*.ini)"));
    if (target.isEmpty())
        return;
    QFile file(target);
    const QByteArray text = exportText(profile).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(text) != text.size() ||
        !file.flush()) {
        qWarning().noquote() << "save failed:" << target << "-" << file.errorString();
        emit saveFailed(target, file.errorString());
    }
}

void MainWindow::importProfileClicked()
{
    if (!macroPageIdle())
        return;
#ifdef Q_OS_WIN
    const QString start = QStringLiteral("C:\\");
#else
    const QString start = QDir::homePath();
#endif
    const QString source = FileDialogs::openFileName(this, QStringLiteral("Open file"), start,
                                                     QStringLiteral("Bx Files(*.ini)"));
    if (source.isEmpty())
        return;
    const QString name = importNameFromPath(source);
    const QString dir = QStringLiteral("./lightfile/") + name;
    if (!name.isEmpty() && !QFileInfo::exists(dir) && QFileInfo(source).isFile())
        reportSaves(importProfile(source, name));
    refillProfileList();
}
