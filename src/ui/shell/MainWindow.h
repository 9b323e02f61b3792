#pragma once
// The console's main window: the shell (tabs, profile buttons, left menu, icon
// buttons), the CUSTOMIZE page with its key cells, the instant-shift controls,
// profile activation and profile management. The pages live in their own
// classes and are reached through the process-wide pointers of Globals.h.

#include "StatusBand.h"
#include "core/app/ConsoleOptions.h"
#include "core/device/KeyboardLink.h"
#include "core/storage/AtomicFile.h"

#include <QHash>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QVariantMap>
#include <array>
#include <functional>

class QComboBox;
class QFocusFrame;
class QLabel;
class QLineEdit;
class QLocalServer;
class QPushButton;
class QTimer;
class QTranslator;
class AutoUpdate;
class ConsoleTray;
namespace orvanta {
class FactoryResetFiles;
class VirtualKeyboardHost;
}

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(const orvanta::ConsoleOptions &options = {}, QWidget *parent = nullptr);
    ~MainWindow() override;

    // --- shell state ------------------------------------------------------
    QTranslator *translator = nullptr;
    QString fontFamily;
    int currentProfile = 1;
    bool profileSwitching = false;
    QStringList profileNames;
    bool keyboardTabActive = true;
    bool isStartAutoUpdate = true;
    QString softwareVersion;
    QTimer *updateCheckTimer = nullptr;
    QPoint pressPoint;
    QStringList keyTable; // 324 texts: type, file and once blocks of 108

    QString styleTabOff, styleTabOn, styleTabWhite, styleActionButton, styleLabel, styleCombo;

    // The virtual keyboard: in use when chosen on the command line (or when
    // --keyboard=auto finds no USB keyboard), shown from the Settings page.
    orvanta::VirtualKeyboardHost *virtualKeyboard = nullptr;

    // --- key cells (CUSTOMIZE page) -------------------------------------------
    int hoverKey = 0;
    int lastHoverKey = 0;
    int highlightedCell = 0;
    int selectedKey = 300;
    quint8 hoverUsage = 4;
    quint8 selectedUsage = 4;
    int hoverMatrix = 0;
    int selectedMatrix = 0;
    quint8 capturedUsage = 0;

    QString keyNameAt(int x, int y);
    void colourKeyCell(int state, int cell);

    // --- control socket pulse -------------------------------------------------
    QTimer *appLightTimer = nullptr;
    quint8 appLightValue = 0;

    // --- instant shift --------------------------------------------------------
    // shiftTarget[m][p]: modifier m (0 SHIFT, 1 CTRL, 2 ALT) in on-board profile p (1..5).
    std::array<std::array<int, 6>, 3> shiftTarget{};
    std::array<bool, 3> shiftOn{};
    std::array<bool, 3> shiftEnabled{{true, true, true}};
    bool customizeApplyEnabled = false;

    // --- keyboard link, status and notices ---------------------------------------
    orvanta::KeyboardLink *keyboardLink() const { return m_link; }
    StatusBand *statusBand = nullptr;
    QPushButton *useKeyboardButton = nullptr; // switch from the virtual keyboard to a real one
    using NoticeKind = StatusBand::NoticeKind;
    // A short message in the status band; it goes by itself.
    void showNotice(const QString &text, NoticeKind kind = NoticeKind::Info);
    // The console's state for the control socket's status request: one line of JSON.
    QByteArray statusReply() const;

    // --- operations other pages and tests call ------------------------------
    void readProfileLinks();
    void writeProfileLinks();
    void sendLinkedLighting();
    void refillProfileList();
    void loadKeyAssignments();
    void loadSingleKeyAssignments();
    void saveKeyAssignments();
    void refillAssignMacroList();
    void refillInstantShiftList();
    void showInstantShiftTargets();
    void loadInstantShiftTargets();
    int instantShiftTargetIndex() const;
    void markProfileButton(int index);
    QString selectedProfile() const; // the SELECT PROFILE list's current text

    // The tray icon: made at start-up where the desktop has a tray; tests make
    // one themselves. Its keyboard status is fed through setKeyboardStatus().
    ConsoleTray *createTray();
    ConsoleTray *tray() const { return m_tray; }

    // Widgets tests and the language switch reach.
    QPushButton *tabKeyboard = nullptr, *tabMacros = nullptr, *tabCustomize = nullptr,
                *tabLighting = nullptr;
    std::array<QPushButton *, 5> profileButtons{};
    QPushButton *btnReset = nullptr, *btnService = nullptr, *btnInfo = nullptr,
                *btnSettings = nullptr, *btnClose = nullptr;
    QLabel *captionSelectProfile = nullptr, *captionProfileName = nullptr,
           *captionShortcut = nullptr;
    QComboBox *profileCombo = nullptr, *shortcutCombo = nullptr;
    QPushButton *btnNew = nullptr, *btnDelete = nullptr, *btnCopy = nullptr, *btnImport = nullptr,
                *btnExport = nullptr, *linkButton = nullptr;
    QLineEdit *profileNameEdit = nullptr;
    bool linkFlag = false;
    std::array<QLabel *, 104> keyCells{};
    QLabel *keyboardPicture = nullptr;
    // Buttons are reached with Tab (a click does not take the focus from the
    // key capture); this frame shows which one has the focus.
    // It moves into the focused widget's parent, so it may go with a page.
    QPointer<QFocusFrame> focusFrame;

    // CUSTOMIZE controls
    QLabel *captionKeyAssignment = nullptr, *selectedKeyLabel = nullptr,
           *captionAssignMacro = nullptr, *captionRepeat = nullptr, *captionCurrent = nullptr,
           *currentAssignment = nullptr, *captionAssign = nullptr, *captionInstantShift = nullptr;
    QComboBox *keyAssignCombo = nullptr, *assignMacroCombo = nullptr, *repeatCombo = nullptr,
              *shiftCombo = nullptr;
    QLineEdit *repeatCountEdit = nullptr, *newKeyEdit = nullptr;
    QPushButton *macroResetButton = nullptr, *singleResetButton = nullptr,
                *customizeApplyButton = nullptr;
    std::array<QPushButton *, 3> shiftButtons{};

signals:
    // A file kept its old content because saving it failed (no space, I/O
    // error, ...). Raised for the shell's own saves and passed on from the
    // lighting and macro pages; the failure is logged as well.
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
    void assignMacroChosen();
    void applyKeyAssignment();
    void keyAssignmentChosen();
    void singleKeyEntered();
    void toggleLink();
    void resetMacroAssignments();
    void resetSingleAssignments();
    void repeatModeChosen();
    void socketHelperReceiveData(QVariantMap map);
    void pulseAppLight();
    void readFromUsb();
    void toggleShiftInstantShift();
    void toggleCtrlInstantShift();
    void toggleAltInstantShift();
    void confirmInstantShift();
    void instantShiftTargetChosen(int index);
    void importProfileClicked();
    void newProfileClicked();
    void deleteProfileClicked();
    void copyProfileClicked();
    void exportProfileClicked();
    void savedProfileChosen(int index);
    void profileNameEntered();
    void switchLanguage(QString code);
    void showConsole(); // shown, raised and active, from the tray or a second start
    void quitConsole(); // the Close button and the tray's Quit

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
    void buildStyleSheets();
    void buildShellWidgets();
    void buildKeyCells();
    void buildCustomizeControls();
    void buildInstantShiftControls();
    void retranslateShell();
    void applyShellStyles();
    void deviceInitialisation();
    void allTabsOff();
    // A tab or profile button in its selected (red) or unselected look; the
    // button remembers which, so that new style sheets keep it.
    void setTabLook(QPushButton *tab, bool on);
    bool macroPageIdle() const;
    void activateProfile(int n);
    void showActiveProfile(int n); // the pages of on-board profile n, nothing sent
    void showCustomizePanels(int assignment);
    void setApplyEnabled(bool enabled);
    void toggleShiftButton(int modifier);
    void writeShiftFlags();
    bool saveBindings();
    // Raises saveFailed for every failure of `result`; true when there was none.
    bool reportSaves(const orvanta::SaveResult &result);
    void forwardPageSaveFailures();
    void refreshKeyCellColours();
    void setCellColour(int state, int cell);
    QString cellStyle(int cell) const;
    void loadCatalog(int language);
    void selectKeyAt(const QPoint &pos);
    void hoverKeyAt(const QPoint &pos);
    bool customizeInFront() const;
    QString linkedProfile() const;
    void showFromSecondStart();
    bool capturingKey();
    void frameFocusedWidget(QWidget *focused);
    void showSelectedKeyAssignment();
    void showKeyboardState();
    void keyboardArrived();
    void operationFinished(quint64 id, orvanta::KeyboardLink::Outcome outcome, int profile,
                           bool quiet);
    // Runs `then` once every operation queued since `since` (a lastOperation()
    // value) is over; at once when nothing was queued.
    void afterQueued(quint64 since, std::function<void()> then);

    orvanta::ConsoleOptions m_options;
    AutoUpdate *m_updater = nullptr;
    QLocalServer *m_showServer = nullptr;
    bool m_quitting = false;
    ConsoleTray *m_tray = nullptr;
    QSet<int> m_capturePresses; // keys pressed while a key is being captured
    orvanta::KeyboardLink *m_link = nullptr;
    QElapsedTimer m_saveFailure; // since the last failed save
    QHash<quint64, std::function<void()>> m_afterOperation;
    bool m_resetRunning = false;
    orvanta::FactoryResetFiles *m_resetFiles = nullptr; // made at the first factory reset

    friend class MainWindowTestAccess;
};
