#pragma once
// The console's main window, the shell: the frame, the tabs, the PROFILE
// buttons and on-board profile activation, the icon buttons (the factory reset
// among them), gating while a macro is recorded, the language, the status band
// and its notices, the tray and the control socket's commands. The left
// profile menu, the CUSTOMIZE panel and the pages are classes of their own,
// reached through the window's ConsoleContext.

#include "ConsoleContext.h"
#include "Shell.h"
#include "StatusBand.h"
#include "core/app/ConsoleOptions.h"
#include "core/device/KeyboardLink.h"
#include "core/storage/AtomicFile.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QVariantMap>
#include <array>
#include <functional>

class QFocusFrame;
class QPushButton;
class QTimer;
class QTranslator;
class AutoUpdate;
class ConsoleTray;
class KeyboardAccess;
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

    // --- shell state ------------------------------------------------------
    QTranslator *translator = nullptr;
    bool keyboardTabActive = true;
    bool isStartAutoUpdate = true;
    QString softwareVersion;
    QTimer *updateCheckTimer = nullptr;
    QPoint pressPoint;
    orvanta::ShellStyles styles;

    // The virtual keyboard: in use when chosen on the command line (or when
    // --keyboard=auto finds no USB keyboard), shown from the Settings page.
    orvanta::VirtualKeyboardHost *virtualKeyboard = nullptr;

    // --- keyboard link, status and notices ---------------------------------------
    orvanta::KeyboardLink *keyboardLink() const { return m_context.link; }
    // The options, keyboard link, command set, profile bindings, pages and
    // panels this window shares with what it built. Tests reach them and point
    // the sender at a recording keyboard through it.
    ConsoleContext &context() { return m_context; }
    ProfileMenu *profileMenu() const { return m_context.profileMenu; }
    CustomizePanel *customize() const { return m_context.customize; }
    StatusBand *statusBand = nullptr;
    QPushButton *useKeyboardButton = nullptr; // switch from the virtual keyboard to a real one
    QPushButton *undoButton = nullptr;        // offered for a while after an undoable action
    QPushButton *tryVirtualButton = nullptr;  // offered while no keyboard is connected
    using NoticeKind = StatusBand::NoticeKind;
    // A short message in the status band; it goes by itself.
    void showNotice(const QString &text, NoticeKind kind = NoticeKind::Info);
    // The console's state for the control socket's status request: one line of JSON.
    QByteArray statusReply() const;

    void markProfileButton(int index);

    // The tray icon: made at start-up where the desktop has a tray; tests make
    // one themselves. Its keyboard status is fed through setKeyboardStatus().
    ConsoleTray *createTray();
    ConsoleTray *tray() const { return m_tray; }
    // Tab order, keys and screen-reader names (see KeyboardAccess).
    KeyboardAccess *keyboardAccess() const { return m_keyboardAccess; }

    // Widgets tests and the language switch reach.
    QPushButton *tabKeyboard = nullptr, *tabMacros = nullptr, *tabCustomize = nullptr,
                *tabLighting = nullptr;
    std::array<QPushButton *, 5> profileButtons{};
    QPushButton *btnReset = nullptr, *btnService = nullptr, *btnInfo = nullptr,
                *btnSettings = nullptr, *btnClose = nullptr;
    // Buttons are reached with Tab (a click does not take the focus from the
    // key capture); this frame shows which one has the focus.
    // It moves into the focused widget's parent, so it may go with a page.
    QPointer<QFocusFrame> focusFrame;

signals:
    // A file kept its old content because saving it failed (no space, I/O
    // error, ...). Raised for the shell's own saves and passed on from the
    // pages and panels; the failure is logged as well.
    void saveFailed(QString path, QString reason);

public slots:
    void startUpdateCheck();
    void showLightingPage();
    void showMacrosPage();
    void showCustomizePage();
    void showKeyboardPage();
    void factoryResetClicked();
    void openCustomerService();
    void showSettingsPage();
    void openProductInformation();
    void profile1Clicked();
    void profile2Clicked();
    void profile3Clicked();
    void profile4Clicked();
    void profile5Clicked();
    void switchLanguage(QString code);
    void undoLastAction(); // puts back what the last factory reset or deletion changed
    void showConsole();    // shown, raised and active, from the tray or a second start
    void quitConsole();    // the Close button and the tray's Quit

signals:
    void activeProfileChanged(int profile); // 1..5, after every activation
    // A factory reset's files are saved and the pages show them (its reports
    // may still be on their way to the keyboard).
    void factoryResetFinished();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildShellWidgets();
    void buildStatusWidgets();
    void retranslateShell();
    void applyShellStyles();
    void deviceInitialisation();
    void allTabsOff();
    // A tab or profile button in its selected (red) or unselected look; the
    // button remembers which, so that new style sheets keep it.
    void setTabLook(QPushButton *tab, bool on);
    bool macroPageIdle() const;
    void activateProfile(int n, orvanta::Origin origin = orvanta::Origin::User);
    void showActiveProfile(int n); // the pages of on-board profile n, nothing sent
    void connectMacroLibrary();
    void loadCatalog(int language);
    bool customizeInFront() const;
    void frameFocusedWidget(QWidget *focused);
    void showKeyboardState();
    void keyboardArrived();
    // Keeping the keyboard in step (MainWindowSync.cpp).
    void setUpKeyboardSync();
    void bringKeyboardUpToDate(bool selectAnyway);
    void setUpNotices();
    // Undo of the factory reset and of profile and macro deletion (MainWindowUndo.cpp).
    void setUpUndo();
    bool keepForUndo(const QString &kind, const QString &name, const QStringList &paths);
    bool keepFactoryResetForUndo();
    QString undoLabel() const; // "Undo <action>", empty when nothing is kept
    // Guidance where a newcomer gets stuck (MainWindowGuidance.cpp).
    void setUpGuidance();
    void explainHiddenConsole();
    void attachLightingHint(); // to the LIGHTING page, anew with each page
    void placeVirtualKeyboardWindow(QWidget *window);
    void operationFinished(quint64 id, orvanta::KeyboardLink::Outcome outcome, int profile,
                           bool quiet);
    // Runs `then` once operation `id` is over; at once when it was not queued
    // on the link or is `before` (nothing was queued since).
    void afterOperation(quint64 id, quint64 before, std::function<void()> then);

    ConsoleContext m_context;
    AutoUpdate *m_updater = nullptr;
    bool m_quitting = false;
    ConsoleTray *m_tray = nullptr;
    KeyboardAccess *m_keyboardAccess = nullptr;
    QElapsedTimer m_saveFailure; // since the last failed save
    QHash<quint64, std::function<void()>> m_afterOperation;
    bool m_resetRunning = false;
    QTimer *m_undoOffer = nullptr; // how long the UNDO button stays
};
