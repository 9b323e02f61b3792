#pragma once
// The console's icon in the desktop's system tray: the keyboard's status, the
// five on-board profiles, showing the window and quitting. It only asks; the
// main window does the work.

#include <QObject>
#include <QString>
#include <array>

class QAction;
class QIcon;
class QMenu;
class QSystemTrayIcon;

class ConsoleTray : public QObject
{
    Q_OBJECT
public:
    explicit ConsoleTray(const QIcon &icon, QObject *parent = nullptr);
    ~ConsoleTray() override;

    // The console's icon: from the icon theme when installed there, otherwise
    // the installed (or built) hicolor files beside the data tree.
    static QIcon consoleIcon();

    QSystemTrayIcon *trayIcon() const { return m_icon; }
    QMenu *menu() const { return m_menu; }
    QString keyboardStatus() const { return m_statusText; }
    int activeProfile() const { return m_activeProfile; }
    void retranslate();
    QString undoAction() const; // the Undo entry's text, empty while it is hidden
    // A message beside the icon, told to whoever listens too.
    void showMessage(const QString &title, const QString &text);

public slots:
    void setKeyboardStatus(const QString &text);
    void setActiveProfile(int profile);      // 1..5
    void setUndoAction(const QString &text); // empty: no entry

signals:
    void profileChosen(int profile); // 1..5
    void showRequested();
    void quitRequested();
    void undoRequested();
    void messageShown(QString title, QString text);

private:
    QSystemTrayIcon *m_icon = nullptr;
    QMenu *m_menu = nullptr;
    QAction *m_status = nullptr;
    std::array<QAction *, 5> m_profiles{};
    QAction *m_undo = nullptr;
    QAction *m_show = nullptr;
    QAction *m_quit = nullptr;
    QString m_statusText;
    int m_activeProfile = 1;
};
