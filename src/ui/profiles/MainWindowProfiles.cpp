// On-board profile activation, the factory reset, and the saved profiles of
// the left menu (New, Delete, Copy, rename, Import, Export).

#include "ui/shell/MainWindow.h"

#include "core/assign/KeyAssignment.h"
#include "core/device/CommandSender.h"
#include "core/device/LightCommandReplay.h"
#include "core/keys/KeyTable.h"
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

void MainWindow::read_profile_connect()
{
    qDebug() << "read_profile_connect()";
    const QStringList names = IniStore::readini_profile_connect();
    for (int i = 0; i < 5; ++i)
        profileNames[i] = names.value(i);
}

bool MainWindow::saveBindings()
{
    IniGroupMap map;
    for (int i = 0; i < 5; ++i)
        map["profile_file"][QString::number(i + 1)] = profileNames[i];
    return reportSaves(IniStore::write_profile_connect(map));
}

// --- activation ------------------------------------------------------------------

void MainWindow::activateProfile(int n)
{
    if (!macroPageIdle())
        return;
    profileSwitching = true;
    gLightView->profile_number = n;
    currentProfile = n;
    gCommandSender->selectProfile(gDeviceHandle, n);
    main_all_profile_close(n - 1);
    set_profile_connect();
    read_macro_file_set();
    iss_combo_inster();
    read_singal_file_set();
    if (gLightView->profile_name != profileNames[n - 1]) {
        gLightView->profile_name = profileNames[n - 1];
        gLightView->key_r_insertcombo();
    }
    profileSwitching = false;
    emit activeProfileChanged(n);
}

void MainWindow::main_set_profile1()
{
    activateProfile(1);
}
void MainWindow::main_set_profile2()
{
    activateProfile(2);
}
void MainWindow::main_set_profile3()
{
    activateProfile(3);
}
void MainWindow::main_set_profile4()
{
    activateProfile(4);
}
void MainWindow::main_set_profile5()
{
    activateProfile(5);
}

void MainWindow::set_profile_connect()
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

void MainWindow::set_profile_light_cmd()
{
    qDebug() << "set_profile_light_cmd()";
    const QStringList stored = IniStore::readini_profile_light_cmd(profileCombo->currentText());
    replayStoredLighting(*gCommandSender, gDeviceHandle, change_light_cmd_to_char(stored),
                         quint8(currentProfile));
}

// --- factory reset ------------------------------------------------------------------

void MainWindow::rmain_re_btn_fanction()
{
    if (!macroPageIdle() || m_resetRunning)
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
    for (int n = 1; n <= 5; ++n) {
        const QString linked = profileNames[n - 1].isEmpty() ? builtInName(n) : profileNames[n - 1];
        gLightView->reset_profile_lighting(n, linked);
    }
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
        const QString linked = profileNames[i - 1].isEmpty() ? builtInName(i) : profileNames[i - 1];
        gCommandSender->resetProfileToDefault(gDeviceHandle, i);
        reportSaves(IniStore::def_macro_ini_cmd_file(linked));
        reportSaves(
            IniStore::writeini_ini_file(makeSignalMap(gCommandSender->keyMap, keyTable), linked));
        reportSaves(IniStore::writeini_macro_system_file(makeMacroSystemMap(keyTable), linked));
        progressWhenSent(15 + 25 * (i - 1));
    }

    for (auto &modifier : issTarget)
        modifier.fill(0);
    issOn.fill(false);
    issEnabled.fill(true);
    writeIssFlags();

    activateProfile(1);
    afterQueued(queued, [this] {
        m_resetRunning = false;
        if (!gResetView)
            return;
        gResetView->setProgress(100);
        gResetView->hide();
    });
}

// --- the profile list ----------------------------------------------------------------

void MainWindow::leftmenu_select_combo_inster()
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

void MainWindow::leftmenu_select_combo_function(int index)
{
    if (index < 0)
        return;
    const QString entry = profileCombo->itemText(index);
    profileNameEdit->clear();
    gLightView->profile_name = entry;
    gLightView->key_r_insertcombo();
    // The macro keys come with the profile too: keeping the previous profile's
    // would show them on this one and write them into its files at the next APPLY.
    read_macro_file_set();
    read_singal_file_set();
    if (!profileSwitching) {
        set_profile_light_cmd();
        profileNames[currentProfile - 1] = entry;
        saveBindings();
    }
}

void MainWindow::leftmenu_select_btn_new_function()
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
    leftmenu_select_combo_inster();
    profileCombo->setCurrentText(name);
}

void MainWindow::leftmenu_select_btn_dle_function()
{
    if (!macroPageIdle())
        return;
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty() || isBuiltInProfile(entry))
        return;
    removeDirectory(QStringLiteral("./lightfile/") + entry);
    profileNames[currentProfile - 1] = builtInName(currentProfile);
    leftmenu_select_combo_inster();
    profileCombo->setCurrentText(profileNames[currentProfile - 1]);
    saveBindings();
}

void MainWindow::leftmenu_select_btn_copy_function()
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
    leftmenu_select_combo_inster();
    profileCombo->setCurrentText(name);
}

void MainWindow::leftmenu_profile_name_function()
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
    leftmenu_select_combo_inster();
    profileCombo->setCurrentText(text);
}

void MainWindow::leftmenu_select_btn_up_fanction()
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

void MainWindow::leftmenu_select_btn_load_fanction()
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
    leftmenu_select_combo_inster();
}
