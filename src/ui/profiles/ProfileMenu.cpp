#include "ProfileMenu.h"
#include "core/app/TranslationContexts.h"
#include "core/controller/ConsoleController.h"

#include "core/app/DesktopServices.h"
#include "core/app/Notices.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "ui/shell/ConsoleContext.h"
#include "ui/shell/Shell.h"

#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

ProfileMenu::ProfileMenu(ConsoleContext &context, QWidget *parent)
    : QObject(parent), m_context(context), m_library(context.controller->profiles()),
      m_parent(parent)
{
    QWidget *w = parent;
    // The two profile captions are 14 pixels tall: the Chinese texts take 13
    // rows at 11 px and would lose their top and bottom rows in 11.
    m_captionSelectProfile = new QLabel(w);
    m_captionSelectProfile->setGeometry(31, 155, 110, 14);
    m_profileCombo = new QComboBox(w);
    m_profileCombo->setEditable(false);
    m_profileCombo->setGeometry(31, 176, 175, 23);
    connect(m_profileCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ProfileMenu::savedProfileChosen);

    const char *icons[5] = {"new", "delete", "copy", "import", "export"};
    QPushButton **buttons[5] = {&m_btnNew, &m_btnDelete, &m_btnCopy, &m_btnImport, &m_btnExport};
    const int ix[5] = {31, 67, 103, 139, 175};
    for (int i = 0; i < 5; ++i)
        *buttons[i] = iconButton(w, QString::fromLatin1(icons[i]), {ix[i], 204, 33, 25});
    connect(m_btnNew, &QPushButton::released, this, &ProfileMenu::newProfileClicked);
    connect(m_btnDelete, &QPushButton::released, this, &ProfileMenu::deleteProfileClicked);
    connect(m_btnCopy, &QPushButton::released, this, &ProfileMenu::copyProfileClicked);
    connect(m_btnImport, &QPushButton::released, this, &ProfileMenu::importProfileClicked);
    connect(m_btnExport, &QPushButton::released, this, &ProfileMenu::exportProfileClicked);

    m_captionProfileName = new QLabel(w);
    m_captionProfileName->setGeometry(31, 259, 96, 14);
    m_profileNameEdit = new QLineEdit(w);
    m_profileNameEdit->setGeometry(31, 279, 175, 23);
    // Longer names are cut on Enter, with a notice, rather than silently while typed.
    connect(m_profileNameEdit, &QLineEdit::returnPressed, this, &ProfileMenu::profileNameEntered);

    m_captionShortcut = new QLabel(w); // its text is English in every language
    m_captionShortcut->setGeometry(56, 322, 72, 9);
}

void ProfileMenu::applyStyles(const ShellStyles &styles)
{
    for (QLabel *l : {m_captionSelectProfile, m_captionProfileName, m_captionShortcut})
        l->setStyleSheet(styles.label + QStringLiteral("; font-size:11px; font-weight:bold;"));
    m_profileCombo->setStyleSheet(comboStyleSheet(styles.combo));
    m_profileNameEdit->setStyleSheet(lineEditStyleSheet(styles.fontFamily));
}

void ProfileMenu::retranslate()
{
    m_captionSelectProfile->setText(context::Shell::tr("SELECT PROFILE"));
    m_btnNew->setToolTip(context::Shell::tr("New"));
    m_btnDelete->setToolTip(context::Shell::tr("Delete"));
    m_btnCopy->setToolTip(context::Shell::tr("Copy"));
    m_btnImport->setToolTip(context::Shell::tr("Import"));
    m_btnExport->setToolTip(context::Shell::tr("Export"));
    m_captionProfileName->setText(context::Shell::tr("PROFILE NAME"));
    m_captionShortcut->setText(context::Shell::tr("SHORTCUT"));
}

bool ProfileMenu::actionsAllowed() const
{
    return m_context.controller->actionsAllowed();
}

QString ProfileMenu::selectedProfile() const
{
    const QString text = m_profileCombo->currentText();
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
    m_profileCombo->setCurrentIndex(-1);
    m_profileCombo->setCurrentText(bindings.names[slot - 1]);
    m_showingLinked = false;
    if (repaired)
        (void)m_context.controller->notices().report(bindings.save());
}

void ProfileMenu::refillProfileList()
{
    // Refilling keeps the entry that was current (when it still exists) and runs
    // no selection on its own, so a refresh never rebinds the active slot or
    // replays lighting; an operation that wants its result chosen selects it.
    const QString current = m_profileCombo->currentText();
    const QSignalBlocker block(m_profileCombo);
    m_profileCombo->clear();
    m_profileCombo->addItems(profileList());
    m_profileCombo->setCurrentIndex(m_profileCombo->findText(current));
}

void ProfileMenu::savedProfileChosen(int index)
{
    if (index < 0)
        return;
    const QString entry = m_profileCombo->itemText(index);
    m_profileNameEdit->clear();
    emit shownProfileChanged(entry);
    if (!m_showingLinked)
        m_context.controller->chooseSavedProfile(entry);
}

void ProfileMenu::showResult(const ProfileResult &result)
{
    if (!result.done())
        return;
    refillProfileList();
    m_profileCombo->setCurrentText(result.profile);
    if (!result.note.isEmpty())
        m_context.notices->inform(result.note);
}

void ProfileMenu::newProfileClicked()
{
    showResult(m_library.create());
}

void ProfileMenu::deleteProfileClicked()
{
    const ProfileResult result = m_library.remove(m_profileCombo->currentText());
    if (result.status == ProfileResult::Status::Failed)
        refillProfileList(); // some of its files may be gone
    showResult(result);
}

void ProfileMenu::copyProfileClicked()
{
    showResult(m_library.copy(m_profileCombo->currentText()));
}

void ProfileMenu::profileNameEntered()
{
    if (!actionsAllowed())
        return;
    // Longer names are cut on Enter, where the notice tells it.
    const QString typed = m_profileNameEdit->text();
    if (typed.size() > ProfileLibrary::kNameLimit)
        m_profileNameEdit->setText(typed.left(ProfileLibrary::kNameLimit));
    showResult(m_library.rename(m_profileCombo->currentText(), typed));
}

void ProfileMenu::exportProfileClicked()
{
    const QString profile = m_profileCombo->currentText();
    if (!actionsAllowed() || profile.isEmpty())
        return;
    const QString chosen =
        m_context.desktop->saveFileName(m_parent->window(), QStringLiteral("Save As"), QString(),
                                        QStringLiteral("Comma Separated Values (*.ini)"));
    (void)m_library.exportTo(profile, chosen); // a failure is told by the library
}

void ProfileMenu::importProfileClicked()
{
    if (!actionsAllowed())
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
    // The list shows what is there now; an import chooses nothing.
    (void)m_library.importFrom(source);
    refillProfileList();
}
