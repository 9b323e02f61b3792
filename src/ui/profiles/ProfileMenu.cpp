#include "ProfileMenu.h"
#include "core/app/TranslationContexts.h"
#include "core/controller/ConsoleController.h"

#include "core/app/DesktopServices.h"
#include "core/app/Notices.h"
#include "core/device/CommandSender.h"
#include "core/profiles/ProfileExportCheck.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DirectoryOps.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/shell/ConsoleContext.h"
#include "ui/shell/Shell.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

namespace
{

constexpr int kNameLimit = 64; // characters of a profile name

} // namespace

ProfileMenu::ProfileMenu(ConsoleContext &context, QWidget *parent)
    : QObject(parent), m_context(context), m_parent(parent)
{
    QWidget *w = parent;
    // The two profile captions are 14 pixels tall: the Chinese texts take 13
    // rows at 11 px and would lose their top and bottom rows in 11.
    captionSelectProfile = new QLabel(w);
    captionSelectProfile->setGeometry(31, 155, 110, 14);
    profileCombo = new QComboBox(w);
    profileCombo->setEditable(false);
    profileCombo->setGeometry(31, 176, 175, 23);
    connect(profileCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ProfileMenu::savedProfileChosen);

    const char *icons[5] = {"new", "delete", "copy", "import", "export"};
    QPushButton **buttons[5] = {&btnNew, &btnDelete, &btnCopy, &btnImport, &btnExport};
    const int ix[5] = {31, 67, 103, 139, 175};
    for (int i = 0; i < 5; ++i)
        *buttons[i] = iconButton(w, QString::fromLatin1(icons[i]), {ix[i], 204, 33, 25});
    connect(btnNew, &QPushButton::released, this, &ProfileMenu::newProfileClicked);
    connect(btnDelete, &QPushButton::released, this, &ProfileMenu::deleteProfileClicked);
    connect(btnCopy, &QPushButton::released, this, &ProfileMenu::copyProfileClicked);
    connect(btnImport, &QPushButton::released, this, &ProfileMenu::importProfileClicked);
    connect(btnExport, &QPushButton::released, this, &ProfileMenu::exportProfileClicked);

    captionProfileName = new QLabel(w);
    captionProfileName->setGeometry(31, 259, 96, 14);
    profileNameEdit = new QLineEdit(w);
    profileNameEdit->setGeometry(31, 279, 175, 23);
    // Longer names are cut on Enter, with a notice, rather than silently while typed.
    connect(profileNameEdit, &QLineEdit::returnPressed, this, &ProfileMenu::profileNameEntered);

    captionShortcut = new QLabel(w); // its text is English in every language
    captionShortcut->setGeometry(56, 322, 72, 9);
}

void ProfileMenu::applyStyles(const ShellStyles &styles)
{
    for (QLabel *l : {captionSelectProfile, captionProfileName, captionShortcut})
        l->setStyleSheet(styles.label + QStringLiteral("; font-size:11px; font-weight:bold;"));
    profileCombo->setStyleSheet(comboStyleSheet(styles.combo));
    profileNameEdit->setStyleSheet(lineEditStyleSheet(styles.fontFamily));
}

void ProfileMenu::retranslate()
{
    captionSelectProfile->setText(context::Shell::tr("SELECT PROFILE"));
    btnNew->setToolTip(context::Shell::tr("New"));
    btnDelete->setToolTip(context::Shell::tr("Delete"));
    btnCopy->setToolTip(context::Shell::tr("Copy"));
    btnImport->setToolTip(context::Shell::tr("Import"));
    btnExport->setToolTip(context::Shell::tr("Export"));
    captionProfileName->setText(context::Shell::tr("PROFILE NAME"));
    captionShortcut->setText(context::Shell::tr("SHORTCUT"));
}

bool ProfileMenu::macroPageIdle() const
{
    return !m_context.macros || m_context.macros->isIdle();
}

void ProfileMenu::refuse(const QString &text)
{
    if (m_context.notices)
        m_context.notices->refuse(text);
}

bool ProfileMenu::saveBindings()
{
    return m_context.controller->notices().report(m_context.controller->bindings().save());
}

QString ProfileMenu::selectedProfile() const
{
    const QString text = profileCombo->currentText();
    return text.isEmpty() ? m_context.controller->bindings().activeLinked() : text;
}

void ProfileMenu::showLinkedProfile()
{
    qDebug() << "set_profile_connect()";
    const QStringList entries = listEntries(QStringLiteral("./lightfile"));
    qDebug() << entries.size();
    ProfileBindings &bindings = m_context.controller->bindings();
    const int slot = bindings.active;
    // The linked folder may be gone: the slot then falls back to its built-in profile.
    const bool repaired = bindings.repair(slot, entries);
    m_showingLinked = true;
    profileCombo->setCurrentIndex(-1);
    profileCombo->setCurrentText(bindings.names[slot - 1]);
    m_showingLinked = false;
    if (repaired)
        saveBindings();
}

void ProfileMenu::refillProfileList()
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

void ProfileMenu::savedProfileChosen(int index)
{
    if (index < 0)
        return;
    const QString entry = profileCombo->itemText(index);
    profileNameEdit->clear();
    emit shownProfileChanged(entry);
    if (!m_showingLinked)
        m_context.controller->chooseSavedProfile(entry);
}

void ProfileMenu::newProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString name =
        countEntries(QStringLiteral("./lightfile")) >= kProfileLimit ? QString() : newProfileName();
    if (name.isEmpty()) {
        refuse(QCoreApplication::translate("LumoProject",
                                           "No room for another profile: at most %1 are kept")
                   .arg(kProfileLimit));
        return;
    }
    SaveResult saved;
    if (!copyProfile(ProfileBindings::builtIn(1), name, &saved)) {
        m_context.controller->notices().report(saved);
        return;
    }
    refillProfileList();
    profileCombo->setCurrentText(name);
}

void ProfileMenu::deleteProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty())
        return;
    if (isBuiltInProfile(entry)) {
        refuse(QCoreApplication::translate("LumoProject",
                                           "%1 is a built-in profile and cannot be deleted")
                   .arg(entry));
        return;
    }
    if (m_context.keepForUndo &&
        !m_context.keepForUndo(
            QStringLiteral("profile"), entry,
            {QStringLiteral("lightfile/") + entry, QStringLiteral("system/profile_connect.ini")}))
        return; // undo: nothing is deleted that cannot be brought back
    if (!removeDirectory(QStringLiteral("./lightfile/") + entry)) {
        if (m_context.notices)
            m_context.notices->fileFailed(
                QCoreApplication::translate("LumoProject",
                                            "Could not delete %1: a file in it could not be "
                                            "removed")
                    .arg(entry),
                QStringLiteral("./lightfile/") + entry, QStringLiteral("remove failed"));
        refillProfileList();
        return;
    }
    ProfileBindings &bindings = m_context.controller->bindings();
    bindings.names[bindings.active - 1] = ProfileBindings::builtIn(bindings.active);
    refillProfileList();
    profileCombo->setCurrentText(bindings.names[bindings.active - 1]);
    saveBindings();
}

void ProfileMenu::copyProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty())
        return;
    // The listing counted with "." and "..": copies stop at 13 real entries.
    if (countEntries(QStringLiteral("./lightfile")) + 2 >= kProfileLimit) {
        refuse(QCoreApplication::translate("LumoProject",
                                           "No room for another profile: at most %1 are kept")
                   .arg(kProfileLimit - 2));
        return;
    }
    const QString name = copyNameFor(entry);
    if (name.isEmpty()) {
        refuse(QCoreApplication::translate("LumoProject",
                                           "No more copies of %1: every copy name is taken")
                   .arg(entry));
        return;
    }
    SaveResult saved;
    if (!copyProfile(entry, name, &saved)) {
        m_context.controller->notices().report(saved);
        return;
    }
    refillProfileList();
    profileCombo->setCurrentText(name);
}

void ProfileMenu::profileNameEntered()
{
    if (!macroPageIdle())
        return;
    QString text = profileNameEdit->text();
    const bool cut = text.size() > kNameLimit;
    if (cut) {
        text.truncate(kNameLimit);
        profileNameEdit->setText(text);
    }
    if (text.trimmed().isEmpty()) {
        refuse(QCoreApplication::translate("LumoProject", "A profile name cannot be empty"));
        return;
    }
    if (containsForbiddenCharacter(text) || text.contains(QLatin1String(".."))) {
        qDebug() << "forbidden character in profile name" << text;
        refuse(QCoreApplication::translate(
            "LumoProject", "A profile name cannot contain * | \\ : \" < > ? / or .."));
        return;
    }
    if (text != text.trimmed()) {
        refuse(QCoreApplication::translate("LumoProject",
                                           "A profile name cannot begin or end with a space"));
        return;
    }
    if (listEntries(QStringLiteral("./lightfile")).contains(text)) {
        refuse(QCoreApplication::translate("LumoProject", "A profile named %1 already exists")
                   .arg(text));
        return;
    }
    if (!isUsableProfileName(text) || isBuiltInProfile(text)) {
        refuse(QCoreApplication::translate("LumoProject", "%1 is the name of a built-in profile")
                   .arg(text));
        return;
    }
    const QString entry = profileCombo->currentText();
    if (entry.isEmpty())
        return;
    if (isBuiltInProfile(entry)) {
        refuse(QCoreApplication::translate("LumoProject",
                                           "%1 is a built-in profile and cannot be renamed")
                   .arg(entry));
        return;
    }
    const QString from = QStringLiteral("./lightfile/") + entry;
    const QString to = QStringLiteral("./lightfile/") + text;
    if (!QDir().rename(from, to)) {
        if (m_context.notices)
            m_context.notices->fileFailed(
                QCoreApplication::translate("LumoProject",
                                            "Could not rename %1 to %2; it keeps its name")
                    .arg(entry, text),
                from, QStringLiteral("rename failed"));
        return;
    }
    // Every slot bound to the old name follows it.
    QStringList &names = m_context.controller->bindings().names;
    const QStringList before = names;
    for (QString &name : names)
        if (name == entry)
            name = text;
    names[m_context.controller->bindings().active - 1] = text;
    if (!saveBindings()) {
        // The bindings still name the old folder: it keeps its name.
        QDir().rename(to, from);
        names = before;
        return;
    }
    refillProfileList();
    profileCombo->setCurrentText(text);
    if (cut && m_context.notices)
        m_context.notices->inform(
            QCoreApplication::translate("LumoProject",
                                        "Profile names are at most %1 characters: renamed to %2")
                .arg(kNameLimit)
                .arg(text));
}

void ProfileMenu::exportProfileClicked()
{
    if (!macroPageIdle())
        return;
    const QString profile = profileCombo->currentText();
    if (profile.isEmpty())
        return;
    const QString target = exportFileName(
        m_context.desktop->saveFileName(m_parent->window(), QStringLiteral("Save As"), QString(),
                                        QStringLiteral("Comma Separated Values (*.ini)")));
    if (target.isEmpty())
        return;
    QFile file(target);
    const QByteArray text = exportText(profile).toUtf8();
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append) || file.write(text) != text.size() ||
        !file.flush()) {
        qWarning().noquote() << "save failed:" << target << "-" << file.errorString();
        (void)m_context.controller->notices().report(SaveResult(target, file.errorString()));
    }
}

void ProfileMenu::importProfileClicked()
{
    if (!macroPageIdle())
        return;
#ifdef Q_OS_WIN
    const QString start = QStringLiteral("C:\\");
#else
    const QString start = QDir::homePath();
#endif
    const QString source = m_context.desktop->openFileName(
        m_parent->window(), QStringLiteral("Open file"), start, QStringLiteral("Bx Files(*.ini)"));
    if (source.isEmpty())
        return;
    const QString name = importNameFromPath(source);
    const QString dir = QStringLiteral("./lightfile/") + name;
    if (!isProfileExport(source))
        refuse(QCoreApplication::translate("LumoProject",
                                           "%1 is not a profile export: nothing was imported")
                   .arg(QFileInfo(source).fileName()));
    else if (name.isEmpty())
        refuse(QCoreApplication::translate(
                   "LumoProject", "%1 does not give a usable profile name: nothing was imported")
                   .arg(QFileInfo(source).fileName()));
    else if (QFileInfo::exists(dir))
        refuse(QCoreApplication::translate("LumoProject", "A profile named %1 already exists")
                   .arg(name));
    else
        m_context.controller->notices().report(importProfile(source, name));
    refillProfileList();
}
