#pragma once
// The console's main window, the shell: the frame, the icon buttons (the
// factory reset among them), the language, the keys and the mouse of the
// window, and the control socket. It owns the ConsoleContext and builds what
// it holds: the tabs and PROFILE buttons (ShellTabs), the status band and its
// presenter (StatusPresenter), undo (UndoPresenter), guidance
// (ShellGuidance), the left profile menu, the CUSTOMIZE panel and the pages.

#include "ConsoleContext.h"
#include "Shell.h"
#include "ShellTabs.h"
#include "StatusBand.h"
#include "core/app/ConsoleOptions.h"
#include "core/device/KeyboardLink.h"

#include <QMainWindow>
#include <QPoint>
#include <array>

class QPushButton;
class QTimer;
class QTranslator;
class AutoUpdate;
class ConsoleTray;
class KeyboardAccess;
class ShellGuidance;
class StatusPresenter;
class UndoPresenter;
namespace orvanta
{
class VirtualKeyboardHost;
} // namespace orvanta

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const orvanta::ConsoleOptions &options = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    orvanta::KeyboardLink *keyboardLink() const { return m_context.link; }
    // The options, keyboard link, controller, pages and panels this window
    // shares with what it built. Tests reach them and point the link at a
    // recording keyboard through it.
    ConsoleContext &context() { return m_context; }
    ProfileMenu *profileMenu() const { return m_context.profileMenu; }
    CustomizePanel *customize() const { return m_context.customize; }
    // The virtual keyboard: in use when chosen on the command line (or when
    // --keyboard=auto finds no USB keyboard), shown from the Settings page.
    orvanta::VirtualKeyboardHost *virtualKeyboard() const { return m_virtualKeyboard; }
    const orvanta::ShellStyles &shellStyles() const { return m_styles; }
    // The console's state for the control socket's status request: one line of JSON.
    QByteArray statusReply() const;

    // The tray icon: made at start-up where the desktop has a tray; tests make
    // one themselves.
    ConsoleTray *createTray();
    ConsoleTray *tray() const { return m_tray; }
    // Tab order, keys and screen-reader names (see KeyboardAccess).
    KeyboardAccess *keyboardAccess() const { return m_keyboardAccess; }

    // Widgets keyboard access, screen-reader names and tests reach.
    ShellTabs *tabs() const { return m_tabs; }
    const std::array<QPushButton *, 5> &profileButtons() const;
    StatusBand *statusBand() const { return m_statusBand; }
    QPushButton *useKeyboardButton() const { return m_useKeyboardButton; } // leave the virtual one
    QPushButton *undoButton() const;       // offered for a while after an undoable action
    QPushButton *tryVirtualButton() const; // offered while no keyboard is connected
    QPushButton *resetButton() const { return m_btnReset; }
    QPushButton *serviceButton() const { return m_btnService; }
    QPushButton *infoButton() const { return m_btnInfo; }
    QPushButton *settingsButton() const { return m_btnSettings; }
    QPushButton *closeButton() const { return m_btnClose; }

signals:
    // A file kept its old content because saving it failed (no space, I/O
    // error, ...). Raised for the shell's own saves and passed on from the
    // pages and panels; the failure is logged as well.
    void saveFailed(QString path, QString reason);
    void activeProfileChanged(int profile); // 1..5, after every activation
    // A factory reset's files are saved and the pages show them (its reports
    // may still be on their way to the keyboard).
    void factoryResetFinished();

public slots:
    void startUpdateCheck();
    void showLightingPage();
    void showMacrosPage();
    void showCustomizePage();
    void showKeyboardPage();
    void showSettingsPage();
    void factoryResetClicked();
    void openCustomerService();
    void openProductInformation();
    // Switches the keyboard to on-board profile n (1..5) and shows it: the
    // PROFILE buttons, Alt+1..5 and the tray.
    void activateProfile(int n);
    void switchLanguage(QString code);
    void undoLastAction(); // puts back what the last factory reset or deletion changed
    void showConsole();    // shown, raised and active, from the tray or a second start
    void quitConsole();    // the Close button and the tray's Quit
    // SIGTERM, SIGINT or SIGHUP: ends the console as Close does, asking nothing.
    void endOnSignal(int signal);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildIconButtons();
    void buildStatusWidgets();
    void retranslateShell();
    void applyShellStyles();
    void deviceInitialisation();
    bool macroPageIdle() const;
    void showActiveProfile(int n); // the pages of on-board profile n, nothing sent
    void buildPages(const QString &editedProfile = QStringLiteral(
                        "default")); // the LIGHTING and MACROS pages, anew at a language switch
    void connectMacroLibrary();
    void loadCatalog(int language);
    // The end: the user's operations still go to the keyboard (other
    // programs' leftovers are dropped); what cannot is marked out of date for
    // the next start and, when `tellUser`, told in a dialog.
    void finishAndQuit(bool tellUser);
    void finishKeyboard(bool tellUser);

    ConsoleContext m_context;
    orvanta::ShellStyles m_styles;
    QTranslator *m_translator = nullptr;
    QTimer *m_updateCheckTimer = nullptr;
    AutoUpdate *m_updater = nullptr;
    orvanta::VirtualKeyboardHost *m_virtualKeyboard = nullptr;
    ShellTabs *m_tabs = nullptr;
    StatusBand *m_statusBand = nullptr;
    StatusPresenter *m_status = nullptr;
    UndoPresenter *m_undo = nullptr;
    ShellGuidance *m_guidance = nullptr;
    QPushButton *m_useKeyboardButton = nullptr;
    QPushButton *m_btnReset = nullptr, *m_btnService = nullptr, *m_btnInfo = nullptr,
                *m_btnSettings = nullptr, *m_btnClose = nullptr;
    QPoint m_pressPoint;
    bool m_quitting = false;
    ConsoleTray *m_tray = nullptr;
    KeyboardAccess *m_keyboardAccess = nullptr;
};
