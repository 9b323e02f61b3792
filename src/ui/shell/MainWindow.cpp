#include "MainWindow.h"
#include "core/app/TranslationContexts.h"

#include "ConsoleTray.h"
#include "KeyPopup.h"
#include "KeyboardAccess.h"
#include "ResetProgressView.h"
#include "Shell.h"
#include "WindowScale.h"
#include "core/app/Notices.h"
#include "core/app/PictureCache.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/DeviceCommands.h"
#include "core/device/HidapiDevice.h"
#include "core/device/HidrawMonitor.h"
#include "core/profiles/ProfileStore.h"
#include "core/settings/LanguageText.h"
#include "core/settings/WebLinks.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/DataPaths.h"
#include "core/storage/LanguageFile.h"
#include "core/storage/StoredList.h"
#include "translations/TranslationResources.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/settings/AutoUpdate.h"
#include "ui/settings/SettingsPage.h"
#include "ui/shell/WidgetDesktopServices.h"
#include "ui/virtual/VirtualKeyboardHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFocusFrame>
#include <QIcon>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

using namespace orvanta;

namespace
{
constexpr char kTabOnProperty[] = "tabOn"; // see setTabLook
constexpr int kExitDrainMs = 10000;
} // namespace

MainWindow::MainWindow(const ConsoleOptions &options, QWidget *parent) : QMainWindow(parent)
{
    m_context.options = options;
    m_context.desktop = &defaultDesktopServices();
    initTranslationResources();
    removeStaleStaging(); // what an interrupted profile copy left behind

    keyboardTabActive = true;

    // Frame.
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("LumoProjectClass"));
    resize(1200, 800);
    setFixedSize(1200, 800);
    setCentralWidget(new QWidget(this));
    centralWidget()->setMouseTracking(true);
    setWindowTitle(context::Window::tr("ORVANTA RGB"));
    // Set before any child exists: set later, it would style every widget anew.
    setStyleSheet(QStringLiteral("QToolTip{background-color:rgb(30,30,32); color:white; "
                                 "border:1px solid rgb(190,30,30); padding:3px;}"
                                 "QFocusFrame{border:2px solid rgb(255,255,255); "
                                 "border-radius:4px;}"));

    // Background picture as the window brush.
    {
        QPalette pal = palette();
        const QPixmap back =
            cachedPixmap(QStringLiteral("Image/UI Design 2016_Keyboard_out_0.0.png"));
        if (!back.isNull())
            pal.setBrush(QPalette::All, QPalette::Window, QBrush(back));
        else
            pal.setColor(QPalette::All, QPalette::Window, QColor(24, 24, 26));
        setPalette(pal);
    }

    softwareVersion = QStringLiteral(ORVANTA_VERSION);
    isStartAutoUpdate = m_context.options.checkForUpdates;

    // Control socket.
    m_context.socket =
        new SocketHelper(this, m_context.options.port, m_context.options.listenOnAllAddresses);
    m_context.socket->setStatusReply([this] { return statusReply(); });
    m_context.controller = new ConsoleController(nullptr, this);
    m_context.sender = &m_context.controller->sender();
    m_context.notices = &m_context.controller->notices();
    setUpNotices(); // notices: before anything that may post one
    m_context.controller->setActionsAllowed([this] { return macroPageIdle(); });
    connect(m_context.controller, &ConsoleController::activeSlotChanged, this,
            &MainWindow::showActiveProfile);
    connect(m_context.controller, &ConsoleController::factoryResetSaved, this,
            &MainWindow::factoryResetFinished);
    connect(&m_context.controller->notices(), &Notices::saveFailed, this, &MainWindow::saveFailed);
    connect(m_context.socket, &SocketHelper::commandReceived, m_context.controller,
            &ConsoleController::runSocketCommand);

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    // Translation catalog of the stored language.
    translator = new QTranslator(this);
    const int language = toNumber(LanguageFile::read(), 0);
    loadCatalog(language);

    // Pages, created hidden.
    m_context.lighting = new LightingPage(&m_context, this);
    m_context.lighting->hide();
    m_context.macros = new MacroPage(m_context.controller->macros(), this, m_context.desktop);
    m_context.macros->hide();
    connectMacroLibrary();
    connect(this, &MainWindow::saveFailed, this,
            [this](const QString &path, const QString &reason) {
                m_saveFailure.start();
                // Through the one notices path (saveFile has logged the failure).
                m_context.notices->post(
                    context::Shell::tr("Not saved: %1 (%2). It keeps its earlier content.")
                        .arg(QFileInfo(path).fileName(), reason),
                    Notices::Kind::Error);
            });
    m_context.resetView = new ResetProgressView(this);
    m_context.resetView->hide();
    m_context.settings = new SettingsPage(this, m_context.desktop);
    m_context.settings->hide();
    connect(m_context.settings, &SettingsPage::refused, m_context.notices, &Notices::refuse);
    connect(m_context.settings, &SettingsPage::informed, m_context.notices, &Notices::inform);

    setMouseTracking(true);
    // Focus comes to the window by a click (a key on the picture), never by Tab.
    setFocusPolicy(Qt::ClickFocus);

    // Styles and widgets: the shell's, the left menu's, then the CUSTOMIZE panel's
    // (in this order, which is also the order Tab visits them).
    styles = ShellStyles::forFont(fontFamilyForLanguage(language, QString()));
    buildShellWidgets();
    m_context.profileMenu = new ProfileMenu(m_context, centralWidget());
    buildStatusWidgets();
    setUpUndo(); // undo: the UNDO button and the hooks of the pages
    m_context.customize = new CustomizePanel(m_context, this, centralWidget());
    // The pages show the saved profile chosen; the macro keys come with it too:
    // keeping the previous profile's would show them on this one and write
    // them into its files at the next APPLY.
    connect(m_context.profileMenu, &ProfileMenu::shownProfileChanged, m_context.customize,
            [this](const QString &profile) {
                m_context.lighting->showSavedProfile(profile);
                m_context.customize->loadKeyAssignments();
                m_context.customize->loadSingleKeyAssignments();
            });
    applyShellStyles();
    retranslateShell();

    // Keyboard.
    deviceInitialisation();

    // Links, instant shift, CUSTOMIZE panels hidden until a key is chosen.
    m_context.controller->bindings().read();
    m_context.customize->loadInstantShiftTargets();
    m_context.customize->showCustomizePanels(-1);

    // Slot 1's key settings, then activate it. The list is filled quietly:
    // filling it must not choose a profile.
    m_context.profileMenu->refillProfileList();
    m_context.customize->loadKeyAssignments();
    profile1Clicked();
    bringKeyboardUpToDate(false); // keyboard sync: what an earlier run could not send

    // Popup.
    m_context.keyPopup = new KeyPopup(this);
    m_context.keyPopup->hide();

    // Update check one second after start-up.
    updateCheckTimer = new QTimer(this);
    updateCheckTimer->start(1000);
    updateCheckTimer->setSingleShot(true);
    connect(updateCheckTimer, &QTimer::timeout, this, &MainWindow::startUpdateCheck);

    connect(m_context.settings, &SettingsPage::languageChosen, this, &MainWindow::switchLanguage);

    // The virtual keyboard, a click away on the Settings page. Taken after
    // start-up, it gets the active profile like a keyboard plugged in would.
    connect(m_context.settings, &SettingsPage::virtualKeyboardRequested, virtualKeyboard,
            &VirtualKeyboardHost::showWindow);
    connect(virtualKeyboard, &VirtualKeyboardHost::switched, this, [this] {
        useKeyboardButton->hide();
        bringKeyboardUpToDate(true); // keyboard sync
    });
    connect(virtualKeyboard, &VirtualKeyboardHost::usbKeyboardAvailable, this, [this] {
        useKeyboardButton->show();
        useKeyboardButton->raise();
    });

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { frameFocusedWidget(now); });
    m_keyboardAccess = new KeyboardAccess(this);

    if (QSystemTrayIcon::isSystemTrayAvailable())
        createTray()->trayIcon()->show();
    setUpGuidance();
}

// The console's icon: from the icon theme when installed there, otherwise the
// installed (or built) hicolor files beside the data tree.
static QIcon consoleIcon()
{
    const QString id = QStringLiteral("com.orvanta.rgbconsole");
    QIcon icon = QIcon::fromTheme(id);
    if (!icon.isNull())
        return icon;
    for (const QString &root :
         {installedDataTree() + QStringLiteral("/../icons/hicolor"),
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

ConsoleTray *MainWindow::createTray()
{
    if (m_tray)
        return m_tray;
    setWindowIcon(consoleIcon());
    m_tray = new ConsoleTray(windowIcon(), this);
    // The tray's profiles do exactly what the PROFILE buttons do.
    connect(m_tray, &ConsoleTray::profileChosen, this, [this](int n) {
        const std::array<void (MainWindow::*)(), 5> buttons{
            &MainWindow::profile1Clicked, &MainWindow::profile2Clicked,
            &MainWindow::profile3Clicked, &MainWindow::profile4Clicked,
            &MainWindow::profile5Clicked};
        if (n >= 1 && n <= 5)
            (this->*buttons[n - 1])();
    });
    connect(this, &MainWindow::activeProfileChanged, m_tray, &ConsoleTray::setActiveProfile);
    connect(m_tray, &ConsoleTray::showRequested, this, &MainWindow::showConsole);
    connect(m_tray, &ConsoleTray::quitRequested, this, &MainWindow::quitConsole);
    connect(m_tray, &ConsoleTray::undoRequested, this, &MainWindow::undoLastAction);
    m_tray->setUndoAction(undoLabel()); // undo: an action kept by an earlier run
    m_tray->setActiveProfile(m_context.controller->bindings().active);
    m_tray->setKeyboardStatus(KeyboardLink::stateText(m_context.link->state()));
    // A hidden window is not the end: only the Close button or Quit ends the console.
    QApplication::setQuitOnLastWindowClosed(false);
    return m_tray;
}

void MainWindow::frameFocusedWidget(QWidget *focused)
{
    const bool ours = focused && focused != this && isAncestorOf(focused);
    if (!focusFrame && ours)
        focusFrame = new QFocusFrame(this);
    if (focusFrame)
        focusFrame->setWidget(ours ? focused : nullptr);
}

void MainWindow::showConsole()
{
    QWidget *top = topLevelOf(this);
    if (top != this)
        show(); // the window inside its scaled view
    top->showNormal();
    top->raise();
    top->activateWindow();
}

void MainWindow::quitConsole()
{
    m_quitting = true;
    close();
    QCoreApplication::quit();
}

MainWindow::~MainWindow()
{
    // Pages going away below move the focus; the frame is no longer followed,
    // and keys and focus changes no longer reach the panels through KeyboardAccess.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    delete m_keyboardAccess;
    m_keyboardAccess = nullptr;
    // The pages die with the window; nothing may reach them through the context after this.
    m_context.lighting = nullptr;
    m_context.macros = nullptr;
    m_context.resetView = nullptr;
    m_context.settings = nullptr;
    m_context.keyPopup = nullptr;
    m_context.socket = nullptr;
    // The last changes still go out; a long queue (a factory reset) gets a
    // bounded wait, and the link logs what it then drops.
    if (m_context.link)
        m_context.link->waitForIdle(kExitDrainMs);
    delete m_updater;
}

void MainWindow::loadCatalog(int language)
{
    const QString file = catalogFileForLanguage(language);
    if (!file.isEmpty())
        loadTranslationCatalog(*translator, file);
    QCoreApplication::installTranslator(translator);
}

static QPushButton *tabButton(QWidget *parent, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

void MainWindow::buildShellWidgets()
{
    QWidget *w = centralWidget();
    tabKeyboard = tabButton(w, {32, 39, 103, 24});
    tabMacros = tabButton(w, {144, 39, 103, 24});
    const int px[5] = {32, 144, 255, 367, 478};
    for (int i = 0; i < 5; ++i)
        profileButtons[i] = tabButton(w, {px[i], 71, 103, 24});
    tabCustomize = tabButton(w, {32, 104, 103, 24});
    tabLighting = tabButton(w, {144, 104, 103, 24});
    // The window opens with the KEYBOARD tab and its CUSTOMIZE page in front.
    allTabsOff();
    setTabLook(tabKeyboard, true);
    setTabLook(tabCustomize, true);
    for (int i = 0; i < 5; ++i)
        setTabLook(profileButtons[i], i == m_context.controller->bindings().active - 1);
    connect(tabKeyboard, &QPushButton::released, this, &MainWindow::showKeyboardPage);
    connect(tabMacros, &QPushButton::released, this, &MainWindow::showMacrosPage);
    connect(tabCustomize, &QPushButton::released, this, &MainWindow::showCustomizePage);
    connect(tabLighting, &QPushButton::released, this, &MainWindow::showLightingPage);
    connect(profileButtons[0], &QPushButton::released, this, &MainWindow::profile1Clicked);
    connect(profileButtons[1], &QPushButton::released, this, &MainWindow::profile2Clicked);
    connect(profileButtons[2], &QPushButton::released, this, &MainWindow::profile3Clicked);
    connect(profileButtons[3], &QPushButton::released, this, &MainWindow::profile4Clicked);
    connect(profileButtons[4], &QPushButton::released, this, &MainWindow::profile5Clicked);

    btnReset = iconButton(w, QStringLiteral("reset"), {985, 16, 32, 33});
    btnService = iconButton(w, QStringLiteral("service"), {1023, 16, 32, 33});
    btnInfo = iconButton(w, QStringLiteral("info"), {1063, 16, 32, 33});
    btnSettings = iconButton(w, QStringLiteral("settings"), {1102, 16, 32, 33});
    btnClose = iconButton(w, QStringLiteral("close"), {1141, 16, 32, 33});
    connect(btnReset, &QPushButton::released, this, &MainWindow::factoryResetClicked);
    connect(btnService, &QPushButton::released, this, &MainWindow::openCustomerService);
    connect(btnInfo, &QPushButton::released, this, &MainWindow::openProductInformation);
    connect(btnSettings, &QPushButton::released, this, &MainWindow::showSettingsPage);
    connect(btnClose, &QPushButton::released, this, &MainWindow::quitConsole);
}

void MainWindow::buildStatusWidgets()
{
    QWidget *w = centralWidget();
    // Under the icon buttons, right of the profile buttons: nothing else lives there.
    statusBand = new StatusBand(w);
    statusBand->setGeometry(700, 52, 473, 44);
    // Offered only while the virtual keyboard is in use and a real one was plugged in.
    useKeyboardButton = new QPushButton(w);
    useKeyboardButton->setGeometry(700, 56, 150, 20);
    useKeyboardButton->setCursor(Qt::PointingHandCursor);
    useKeyboardButton->setFocusPolicy(Qt::TabFocus);
    useKeyboardButton->hide();
    connect(useKeyboardButton, &QPushButton::released, this, [this] {
        useKeyboardButton->hide();
        if (!virtualKeyboard->useUsbKeyboard())
            showNotice(KeyboardLink::stateText(KeyboardLink::State::Absent), NoticeKind::Warning);
    });
}

void MainWindow::applyShellStyles()
{
    // Every tab keeps its look, in the new font.
    for (QPushButton *b : {tabKeyboard, tabMacros, tabCustomize, tabLighting})
        setTabLook(b, b->property(kTabOnProperty).toBool());
    for (QPushButton *b : profileButtons)
        setTabLook(b, b->property(kTabOnProperty).toBool());
    useKeyboardButton->setStyleSheet(styles.actionButton);
    m_context.profileMenu->applyStyles(styles);
    m_context.customize->applyStyles(styles);
}

void MainWindow::retranslateShell()
{
    setWindowTitle(context::Window::tr("ORVANTA RGB"));
    tabKeyboard->setText(context::Shell::tr("KEYBOARD"));
    useKeyboardButton->setText(context::Shell::tr("USE THE KEYBOARD"));
    tabMacros->setText(context::Shell::tr("MACROS"));
    tabCustomize->setText(context::Shell::tr("CUSTOMIZE"));
    tabLighting->setText(context::Shell::tr("LIGHTING"));
    for (int i = 0; i < 5; ++i)
        profileButtons[i]->setText(profileButtonText(i + 1));
    btnReset->setToolTip(context::Shell::tr("Reset"));
    btnService->setToolTip(context::Shell::tr("Customer Service"));
    btnInfo->setToolTip(context::Shell::tr("Product Information"));
    btnSettings->setToolTip(context::Shell::tr("Settings"));
    btnClose->setToolTip(context::Shell::tr("Close"));
    m_context.profileMenu->retranslate();
    if (m_context.link)
        showKeyboardState();

    m_context.customize->retranslate();
}

void MainWindow::deviceInitialisation()
{
    m_context.lighting->profileNumber = 1;
    m_context.link = new KeyboardLink(this);
    setUpKeyboardSync(); // keyboard sync: watches every operation from the first one
    connect(m_context.link, &KeyboardLink::stateChanged, this, &MainWindow::showKeyboardState);
    connect(m_context.link, &KeyboardLink::keyboardArrived, this, &MainWindow::keyboardArrived);
    connect(m_context.link, &KeyboardLink::operationFinished, this, &MainWindow::operationFinished);
    virtualKeyboard = new VirtualKeyboardHost(m_context.link, this);
    if (m_context.options.keyboard != KeyboardChoice::Virtual)
        m_context.link->discover();
    if (m_context.options.keyboard == KeyboardChoice::Virtual ||
        (m_context.options.keyboard == KeyboardChoice::Auto &&
         m_context.link->state() == KeyboardLink::State::Absent)) {
        virtualKeyboard->use();
        // Shown once the event loop runs, so it comes up over the main window.
        QTimer::singleShot(0, virtualKeyboard, &VirtualKeyboardHost::showWindow);
    }
    new HidrawMonitor(m_context.link, m_context.link);
    m_context.controller->sender().setQueue(m_context.link);
    showKeyboardState();
}

void MainWindow::showKeyboardState()
{
    const KeyboardLink::State state = m_context.link->state();
    statusBand->setKeyboardState(KeyboardLink::stateText(state),
                                 state != KeyboardLink::State::Absent);
    if (m_tray)
        m_tray->setKeyboardStatus(KeyboardLink::stateText(state));
}

void MainWindow::keyboardArrived()
{
    // A keyboard plugged in now may sit on any of its profiles: bring it to
    // the one the console shows as active.
    showNotice(KeyboardLink::stateText(m_context.link->state()), NoticeKind::Success);
    bringKeyboardUpToDate(true); // keyboard sync
}

void MainWindow::showNotice(const QString &text, NoticeKind kind)
{
    statusBand->showNotice(text, kind);
}

void MainWindow::operationFinished(quint64 id, KeyboardLink::Outcome outcome, int profile,
                                   bool quiet)
{
    if (const auto then = m_afterOperation.take(id))
        then();
    // A failed save stays in view: the keyboard's confirmation must not hide it.
    if (m_saveFailure.isValid() && m_saveFailure.elapsed() < StatusBand::kNoticeMs &&
        (outcome == KeyboardLink::Outcome::Sent || outcome == KeyboardLink::Outcome::NotConnected))
        return;
    const QString target = profile >= 1 && profile <= 5
                               ? context::Shell::tr("PROFILE %1").arg(profile)
                               : context::Shell::tr("the keyboard");
    switch (outcome) {
    case KeyboardLink::Outcome::Sent:
        if (!quiet)
            showNotice(context::Shell::tr("Sent to %1").arg(target), NoticeKind::Success);
        break;
    case KeyboardLink::Outcome::NotConnected:
        if (!quiet)
            showNotice(context::Shell::tr("Saved; the keyboard is not connected"),
                       NoticeKind::Warning);
        break;
    case KeyboardLink::Outcome::Failed:
    case KeyboardLink::Outcome::Lost:
    case KeyboardLink::Outcome::Dropped:
        if (!quiet)
            showNotice(context::Shell::tr(
                           "Not sent to %1: the keyboard did not respond. Your settings are saved.")
                           .arg(target),
                       NoticeKind::Error);
        break;
    case KeyboardLink::Outcome::Overflow:
        break; // logged by the link; another program sent more than the keyboard can take
    case KeyboardLink::Outcome::Withdrawn:
        break; // a light pulse tick that was out of date before its turn
    }
}

void MainWindow::afterOperation(quint64 id, quint64 before, std::function<void()> then)
{
    if (m_context.sender->queue() != m_context.link || id == before) {
        then();
        return;
    }
    // Operations finish in the order they were queued: one stands for all before it.
    m_afterOperation.insert(id, std::move(then));
}

QByteArray MainWindow::statusReply() const
{
    QJsonObject status;
    const KeyboardLink::State state =
        m_context.link ? m_context.link->state() : KeyboardLink::State::Absent;
    status.insert(QStringLiteral("keyboard"), KeyboardLink::stateKey(state));
    status.insert(QStringLiteral("profile"), m_context.controller->bindings().active);
    status.insert(QStringLiteral("profileName"), m_context.controller->bindings().names.value(
                                                     m_context.controller->bindings().active - 1));
    status.insert(QStringLiteral("queued"), m_context.link ? m_context.link->pending() : 0);
    return QJsonDocument(status).toJson(QJsonDocument::Compact) + '\n';
}

bool MainWindow::macroPageIdle() const
{
    return !m_context.macros || m_context.macros->isIdle();
}

void MainWindow::allTabsOff()
{
    for (QPushButton *b : {tabKeyboard, tabMacros, tabCustomize, tabLighting})
        setTabLook(b, false);
}

void MainWindow::setTabLook(QPushButton *tab, bool on)
{
    tab->setProperty(kTabOnProperty, on);
    tab->setStyleSheet(on ? styles.tabOn : styles.tabOff);
}

void MainWindow::startUpdateCheck()
{
    if (!isStartAutoUpdate)
        return;
    qDebug() << "start auto update--isStartAutoUpdate:" << isStartAutoUpdate;
    m_updater = new AutoUpdate(nullptr, m_context.desktop);
    m_updater->setCurrentVersion(softwareVersion);
    m_updater->checkOldVersion();
}

// --- page switching --------------------------------------------------------

static void placePage(QWidget *page)
{
    page->setGeometry(230, 140, 960, 620);
    page->show();
    page->raise();
}

void MainWindow::showKeyboardPage()
{
    if (!macroPageIdle() || !tabLighting->isHidden())
        return;
    keyboardTabActive = true;
    allTabsOff();
    tabCustomize->show();
    tabLighting->show();
    setTabLook(tabKeyboard, true);
    setTabLook(tabCustomize, true);
    m_context.settings->hide();
    m_context.lighting->hide();
    m_context.macros->hide();
}

void MainWindow::showCustomizePage()
{
    if (!macroPageIdle() || !keyboardTabActive)
        return;
    allTabsOff();
    setTabLook(tabCustomize, true);
    setTabLook(tabKeyboard, true);
    m_context.lighting->hide();
    m_context.macros->hide();
    m_context.settings->hide();
}

void MainWindow::showLightingPage()
{
    if (!macroPageIdle() || !keyboardTabActive)
        return;
    allTabsOff();
    m_context.keyPopup->hide();
    setTabLook(tabLighting, true);
    setTabLook(tabKeyboard, true);
    m_context.macros->hide();
    m_context.settings->hide();
    placePage(m_context.lighting);
}

void MainWindow::showMacrosPage()
{
    if (!macroPageIdle())
        return;
    keyboardTabActive = false;
    m_context.keyPopup->hide();
    allTabsOff();
    setTabLook(tabMacros, true);
    tabCustomize->hide();
    tabLighting->hide();
    m_context.lighting->hide();
    m_context.settings->hide();
    placePage(m_context.macros);
}

void MainWindow::showSettingsPage()
{
    if (!macroPageIdle() || !m_context.settings->isHidden())
        return;
    m_context.keyPopup->hide();
    placePage(m_context.settings);
    m_context.lighting->hide();
    m_context.macros->hide();
    tabCustomize->hide();
    tabLighting->hide();
    allTabsOff();
}

void MainWindow::markProfileButton(int index)
{
    for (QPushButton *b : profileButtons)
        setTabLook(b, false);
    if (index >= 0 && index < 5)
        setTabLook(profileButtons[index], true);
}

// --- window dragging and closing ---------------------------------------------

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    pressPoint = event->pos();
    m_context.customize->pressAt(event->pos(), customizeInFront());
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->pos();
    if (p.y() < 100 && p.x() < 1200) {
        // The band along the top drags the window while the left button is held.
        if (event->buttons() & Qt::LeftButton) {
            QWidget *top = topLevelOf(this); // a scaled view moves as a whole
            top->move(top->pos() + (p - pressPoint) * scaleOf(this));
        }
        if (m_context.keyPopup)
            m_context.keyPopup->hide();
        return;
    }
    m_context.customize->hoverAt(p, customizeInFront());
}

bool MainWindow::customizeInFront() const
{
    // Hover and selection belong to the CUSTOMIZE page; another page in front
    // of it takes the mouse.
    return keyboardTabActive && !(m_context.lighting && m_context.lighting->isVisible()) &&
           !(m_context.macros && m_context.macros->isVisible()) &&
           !(m_context.settings && m_context.settings->isVisible());
}

bool MainWindow::focusNextPrevChild(bool next)
{
    // Tab is a key like any other while one is being captured.
    if (m_context.customize->capturingKey())
        return false;
    return QMainWindow::focusNextPrevChild(next);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (!m_context.customize->keyPressed(event))
        QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent *event)
{
    if (!m_context.customize->keyReleased(event))
        QMainWindow::keyReleaseEvent(event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_quitting) {
        event->accept();
        return;
    }
    // The window manager's close request only hides the console; the Close
    // button ends it.
    event->ignore();
    hide();
    explainHiddenConsole(); // guidance: the first time only
}

// --- language ------------------------------------------------------------------

void MainWindow::switchLanguage(QString code)
{
    qDebug() << "get" << code;
    const int n = code.toInt();
    {
        // A catalog is loaded into the one translator and installed again.
        QCoreApplication::removeTranslator(translator);
        delete translator;
        translator = new QTranslator(this);
        loadCatalog(n);
    }
    (void)m_context.controller->notices().report(LanguageFile::write(n));
    styles = ShellStyles::forFont(fontFamilyForLanguage(n, QString()));

    // The lighting and macro pages are built anew so they pick up the texts.
    const bool lightingShown = m_context.lighting->isVisible();
    const bool macrosShown = m_context.macros->isVisible();
    LightingPage *oldLight = m_context.lighting;
    MacroPage *oldMacro = m_context.macros;
    m_context.lighting = new LightingPage(&m_context, this);
    m_context.lighting->hide();
    m_context.lighting->profileNumber = oldLight->profileNumber;
    m_context.lighting->editedProfile = oldLight->editedProfile;
    m_context.lighting->refillPatternList();
    attachLightingHint();
    m_context.macros = new MacroPage(m_context.controller->macros(), this, m_context.desktop);
    m_context.macros->hide();
    oldLight->hide();
    oldMacro->hide();
    oldLight->deleteLater();
    oldMacro->deleteLater();
    if (lightingShown)
        placePage(m_context.lighting);
    if (macrosShown)
        placePage(m_context.macros);

    applyShellStyles();
    retranslateShell();
    if (m_tray) {
        m_tray->retranslate();
        m_tray->setKeyboardStatus(KeyboardLink::stateText(m_context.link->state()));
    }
    m_keyboardAccess->refresh();
    update();
}

void MainWindow::connectMacroLibrary()
{
    macro::MacroLibrary &library = m_context.controller->macros();
    library.setKeepForUndo([this](const QString &macro) {
        return keepForUndo(QStringLiteral("macro"), macro, {DataPaths::macroPath(macro)});
    });
    connect(&library, &macro::MacroLibrary::renamed, this, [this] {
        if (m_context.customize)
            m_context.customize->loadKeyAssignments(); // the keys name the macro anew
    });
}
