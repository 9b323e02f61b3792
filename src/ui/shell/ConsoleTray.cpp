#include "ConsoleTray.h"
#include "core/app/TranslationContexts.h"

#include "Shell.h"

#include "core/app/ConsoleOptions.h"

#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QMenu>
#include <QSystemTrayIcon>

QIcon ConsoleTray::consoleIcon()
{
    const QString id = QStringLiteral("com.orvanta.rgbconsole");
    QIcon icon = QIcon::fromTheme(id);
    if (!icon.isNull())
        return icon;
    for (const QString &root :
         {orvanta::installedDataTree() + QStringLiteral("/../icons/hicolor"),
          QCoreApplication::applicationDirPath() + QStringLiteral("/../icons/hicolor")}) {
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString file = QStringLiteral("%1/%2x%2/apps/%3.png").arg(root).arg(size).arg(id);
            if (QFileInfo::exists(file))
                icon.addFile(QDir::cleanPath(file), QSize(size, size));
        }
        if (!icon.isNull())
            break;
    }
    return icon;
}

ConsoleTray::ConsoleTray(const QIcon &icon, QObject *parent)
    : QObject(parent), m_icon(new QSystemTrayIcon(icon, this)), m_menu(new QMenu())
{
    m_status = m_menu->addAction(QString());
    m_status->setEnabled(false); // a line to read, not to press
    m_menu->addSeparator();
    auto *group = new QActionGroup(this);
    for (int i = 0; i < 5; ++i) {
        m_profiles[i] = m_menu->addAction(QString());
        m_profiles[i]->setCheckable(true);
        group->addAction(m_profiles[i]);
        connect(m_profiles[i], &QAction::triggered, this, [this, i] {
            // The check mark follows the profile the window actually activates.
            m_profiles[m_activeProfile - 1]->setChecked(true);
            emit profileChosen(i + 1);
        });
    }
    m_profiles[0]->setChecked(true);
    m_menu->addSeparator();
    // "Undo <action>" stays until the next undoable action or the undo itself.
    m_undo = m_menu->addAction(QString());
    m_undo->setVisible(false);
    connect(m_undo, &QAction::triggered, this, &ConsoleTray::undoRequested);
    m_show = m_menu->addAction(QString());
    connect(m_show, &QAction::triggered, this, &ConsoleTray::showRequested);
    m_quit = m_menu->addAction(QString());
    connect(m_quit, &QAction::triggered, this, &ConsoleTray::quitRequested);
    m_icon->setContextMenu(m_menu);
    connect(m_icon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
        if (r == QSystemTrayIcon::Trigger || r == QSystemTrayIcon::DoubleClick)
            emit showRequested();
    });
    retranslate();
}

ConsoleTray::~ConsoleTray()
{
    delete m_menu; // a menu has no widget parent here
}

void ConsoleTray::retranslate()
{
    // The profile names are the PROFILE buttons' own texts.
    for (int i = 0; i < 5; ++i)
        m_profiles[i]->setText(orvanta::profileButtonText(i + 1));
    m_show->setText(tr("Show window"));
    m_quit->setText(tr("Quit"));
    setKeyboardStatus(m_statusText);
}

void ConsoleTray::setKeyboardStatus(const QString &text)
{
    m_statusText = text;
    m_status->setText(text);
    m_status->setVisible(!text.isEmpty());
    const QString title = orvanta::context::Window::tr("ORVANTA RGB");
    m_icon->setToolTip(text.isEmpty() ? title : title + QStringLiteral(" \u2013 ") + text);
}

void ConsoleTray::setUndoAction(const QString &text)
{
    m_undo->setText(text);
    m_undo->setVisible(!text.isEmpty());
}

void ConsoleTray::showMessage(const QString &title, const QString &text)
{
    m_icon->showMessage(title, text);
    emit messageShown(title, text);
}

QString ConsoleTray::undoAction() const
{
    return m_undo->isVisible() ? m_undo->text() : QString();
}

void ConsoleTray::setActiveProfile(int profile)
{
    if (profile < 1 || profile > 5)
        return;
    m_activeProfile = profile;
    m_profiles[profile - 1]->setChecked(true);
}
