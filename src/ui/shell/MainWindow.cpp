#include "MainWindow.h"
#include "core/app/TranslationContexts.h"

#include "ConsoleTray.h"
#include "KeyPopup.h"
#include "KeyboardAccess.h"
#include "ResetProgressView.h"
#include "ShellGuidance.h"
#include "ShellTabs.h"
#include "StatusBand.h"
#include "StatusPresenter.h"
#include "UndoPresenter.h"
#include "WindowScale.h"
#include "core/app/DesktopServices.h"
#include "core/app/Notices.h"
#include "core/app/PictureCache.h"
#include "core/controller/ConsoleController.h"
#include "core/device/CommandSender.h"
#include "core/device/HidrawMonitor.h"
#include "core/device/SlotSync.h"
#include "core/profiles/ProfileStore.h"
#include "core/settings/LanguageText.h"
#include "core/settings/WebLinks.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/DataPaths.h"
#include "core/storage/LanguageFile.h"
#include "core/storage/RegularFile.h"
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
#include <QDebug>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QTranslator>
#include <QUrl>

using namespace orvanta;

namespace
{
// How long the end waits for the user's own operations (a factory reset
// sends 52 reports, a few seconds), other programs' being dropped.
constexpr int kExitDrainMs = 30000;

// The maker's web pages; without a browser the user learns the address.
void openWebPage(DesktopServices &desktop, Notices &notices, const char *url)
{
    if (!desktop.openUrl(QUrl(QString::fromLatin1(url))))
        notices.refuse(context::Shell::tr("No web browser could be started: the page is %1")
                           .arg(QString::fromLatin1(url)));
}
} // namespace

MainWindow::MainWindow(const ConsoleOptions &options, QWidget *parent) : QMainWindow(parent)
{
    m_context.options = options;
    m_context.desktop = &defaultDesktopServices();
    initTranslationResources();
    removeStaleStaging(); // what an interrupted profile copy left behind

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

    // Control socket.
    m_context.socket =
        new SocketHelper(this, m_context.options.port, m_context.options.listenOnAllAddresses);
    m_context.socket->setStatusReply([this] { return statusReply(); });
    m_context.controller = new ConsoleController(nullptr, this);
    m_context.sender = &m_context.controller->sender();
    m_context.notices = &m_context.controller->notices();
    m_context.controller->setActionsAllowed([this] { return macroPageIdle(); });
    connect(m_context.controller, &ConsoleController::activeSlotChanged, this,
            &MainWindow::showActiveProfile);
    connect(m_context.controller, &ConsoleController::factoryResetSaved, this,
            &MainWindow::factoryResetFinished);
    connect(&m_context.controller->notices(), &Notices::saveFailed, this, &MainWindow::saveFailed);
    connect(m_context.socket, &SocketHelper::commandReceived, m_context.controller,
            &ConsoleController::runSocketCommand);
    // A socket client learns whether its command reached the keyboard.
    m_context.socket->followCommandOutcomes();
    connect(m_context.controller, &ConsoleController::socketCommandDone, m_context.socket,
            &SocketHelper::commandDone);

    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    // Translation catalog of the stored language.
    m_translator = new QTranslator(this);
    const int language = toNumber(LanguageFile::read(), 0);
    loadCatalog(language);

    // Pages, created hidden.
    buildPages();
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
    m_styles = ShellStyles::forFont(fontFamilyForLanguage(language, QString()));
    m_tabs = new ShellTabs(m_context, centralWidget(), m_styles);
    connect(m_tabs, &ShellTabs::profileClicked, this, &MainWindow::activateProfile);
    buildIconButtons();
    m_context.profileMenu = new ProfileMenu(m_context, centralWidget());
    buildStatusWidgets();
    m_undo = new UndoPresenter(m_context, centralWidget(), m_styles);
    connect(m_undo, &UndoPresenter::restored, this,
            [this] { showActiveProfile(m_context.controller->bindings().active); });
    connectMacroLibrary();
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
    activateProfile(1);
    m_status->bringKeyboardUpToDate(false); // what an earlier run could not send

    // Popup.
    m_context.keyPopup = new KeyPopup(this);
    m_context.keyPopup->hide();

    // Update check one second after start-up.
    m_updateCheckTimer = new QTimer(this);
    m_updateCheckTimer->start(1000);
    m_updateCheckTimer->setSingleShot(true);
    connect(m_updateCheckTimer, &QTimer::timeout, this, &MainWindow::startUpdateCheck);

    connect(m_context.settings, &SettingsPage::languageChosen, this, &MainWindow::switchLanguage);

    // The virtual keyboard, a click away on the Settings page. Taken after
    // start-up, it gets the active profile like a keyboard plugged in would.
    connect(m_context.settings, &SettingsPage::virtualKeyboardRequested, m_virtualKeyboard,
            &VirtualKeyboardHost::showWindow);
    connect(m_virtualKeyboard, &VirtualKeyboardHost::switched, this, [this] {
        m_useKeyboardButton->hide();
        m_status->bringKeyboardUpToDate(true);
    });
    connect(m_virtualKeyboard, &VirtualKeyboardHost::usbKeyboardAvailable, this, [this] {
        m_useKeyboardButton->show();
        m_useKeyboardButton->raise();
    });

    m_keyboardAccess = new KeyboardAccess(this);

    if (QSystemTrayIcon::isSystemTrayAvailable())
        createTray()->trayIcon()->show();
    m_guidance = new ShellGuidance(*this);

    // Files that start-up left unread: a FIFO, a device, a link below the
    // data directory's folders, or a file far too large.
    const QStringList skipped = takeSkippedFiles();
    if (!skipped.isEmpty())
        m_context.notices->refuse(
            context::Shell::tr("Not read, defaults used instead: %1 (only regular files of a "
                               "usual size are read)")
                .arg(skipped.join(QStringLiteral(", "))));
}

ConsoleTray *MainWindow::createTray()
{
    if (m_tray)
        return m_tray;
    setWindowIcon(ConsoleTray::consoleIcon());
    m_tray = new ConsoleTray(windowIcon(), this);
    // The tray's profiles do exactly what the PROFILE buttons do.
    connect(m_tray, &ConsoleTray::profileChosen, this, &MainWindow::activateProfile);
    connect(this, &MainWindow::activeProfileChanged, m_tray, &ConsoleTray::setActiveProfile);
    connect(m_tray, &ConsoleTray::showRequested, this, &MainWindow::showConsole);
    connect(m_tray, &ConsoleTray::quitRequested, this, &MainWindow::quitConsole);
    connect(m_tray, &ConsoleTray::undoRequested, this, &MainWindow::undoLastAction);
    m_undo->setTray(m_tray);
    m_tray->setActiveProfile(m_context.controller->bindings().active);
    m_status->setTray(m_tray);
    // A hidden window is not the end: only the Close button or Quit ends the console.
    QApplication::setQuitOnLastWindowClosed(false);
    return m_tray;
}

const std::array<QPushButton *, 5> &MainWindow::profileButtons() const
{
    return m_tabs->profileButtons();
}

QPushButton *MainWindow::undoButton() const
{
    return m_undo->button();
}

QPushButton *MainWindow::tryVirtualButton() const
{
    return m_guidance->tryVirtualButton();
}

QByteArray MainWindow::statusReply() const
{
    return m_status->statusReply();
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
    finishAndQuit(true);
}

void MainWindow::endOnSignal(int signal)
{
    qInfo() << "signal" << signal << "received: ending as Close does";
    finishAndQuit(false);
}

void MainWindow::finishAndQuit(bool tellUser)
{
    if (m_quitting)
        return;
    m_quitting = true;
    close();
    finishKeyboard(tellUser);
    QCoreApplication::quit();
}

void MainWindow::finishKeyboard(bool tellUser)
{
    if (!m_context.link)
        return;
    const int left =
        m_context.controller->finishKeyboard(*m_context.link, *m_context.slotSync, kExitDrainMs);
    if (left > 0 && tellUser)
        QMessageBox::warning(
            nullptr, context::Window::tr("ORVANTA RGB"),
            context::Shell::tr("%1 of your changes did not reach the keyboard in time. They "
                               "are saved and sent to the keyboard when the console starts next.")
                .arg(left));
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
    // The last changes still go out (after Close, the link is already done).
    finishKeyboard(false);
    delete m_updater;
}

void MainWindow::loadCatalog(int language)
{
    const QString file = catalogFileForLanguage(language);
    if (!file.isEmpty())
        loadTranslationCatalog(*m_translator, file);
    QCoreApplication::installTranslator(m_translator);
}

void MainWindow::buildIconButtons()
{
    QWidget *w = centralWidget();
    m_btnReset = iconButton(w, QStringLiteral("reset"), {985, 16, 32, 33});
    m_btnService = iconButton(w, QStringLiteral("service"), {1023, 16, 32, 33});
    m_btnInfo = iconButton(w, QStringLiteral("info"), {1063, 16, 32, 33});
    m_btnSettings = iconButton(w, QStringLiteral("settings"), {1102, 16, 32, 33});
    m_btnClose = iconButton(w, QStringLiteral("close"), {1141, 16, 32, 33});
    connect(m_btnReset, &QPushButton::released, this, &MainWindow::factoryResetClicked);
    connect(m_btnService, &QPushButton::released, this, &MainWindow::openCustomerService);
    connect(m_btnInfo, &QPushButton::released, this, &MainWindow::openProductInformation);
    connect(m_btnSettings, &QPushButton::released, this, &MainWindow::showSettingsPage);
    connect(m_btnClose, &QPushButton::released, this, &MainWindow::quitConsole);
}

void MainWindow::buildStatusWidgets()
{
    QWidget *w = centralWidget();
    // Under the icon buttons, right of the profile buttons: nothing else lives there.
    m_statusBand = new StatusBand(w);
    m_statusBand->setGeometry(700, 52, 473, 44);
    m_status = new StatusPresenter(m_context, m_statusBand, this);
    connect(this, &MainWindow::saveFailed, m_status, &StatusPresenter::saveFailed);
    // Offered only while the virtual keyboard is in use and a real one was plugged in.
    m_useKeyboardButton = new QPushButton(w);
    m_useKeyboardButton->setGeometry(700, 56, 150, 20);
    m_useKeyboardButton->setCursor(Qt::PointingHandCursor);
    m_useKeyboardButton->setFocusPolicy(Qt::TabFocus);
    m_useKeyboardButton->hide();
    connect(m_useKeyboardButton, &QPushButton::released, this, [this] {
        m_useKeyboardButton->hide();
        if (!m_virtualKeyboard->useUsbKeyboard())
            m_statusBand->showNotice(KeyboardLink::stateText(KeyboardLink::State::Absent),
                                     StatusBand::NoticeKind::Warning);
    });
}

void MainWindow::applyShellStyles()
{
    m_tabs->applyStyles(m_styles);
    m_useKeyboardButton->setStyleSheet(m_styles.actionButton);
    m_context.profileMenu->applyStyles(m_styles);
    m_context.customize->applyStyles(m_styles);
}

void MainWindow::retranslateShell()
{
    setWindowTitle(context::Window::tr("ORVANTA RGB"));
    m_tabs->retranslate();
    m_useKeyboardButton->setText(context::Shell::tr("USE THE KEYBOARD"));
    m_btnReset->setToolTip(context::Shell::tr("Reset"));
    m_btnService->setToolTip(context::Shell::tr("Customer Service"));
    m_btnInfo->setToolTip(context::Shell::tr("Product Information"));
    m_btnSettings->setToolTip(context::Shell::tr("Settings"));
    m_btnClose->setToolTip(context::Shell::tr("Close"));
    m_context.profileMenu->retranslate();
    if (m_context.link)
        m_status->showKeyboardState();

    m_context.customize->retranslate();
}

void MainWindow::deviceInitialisation()
{
    m_context.link = new KeyboardLink(this);
    m_status->watchLink(); // watches every operation from the first one
    connect(m_context.slotSync, &SlotSync::saveFailed, this, &MainWindow::saveFailed);
    connect(m_context.link, &KeyboardLink::operationFinished, m_context.controller,
            &ConsoleController::operationFinished);
    m_virtualKeyboard = new VirtualKeyboardHost(m_context.link, this);
    connect(m_virtualKeyboard, &VirtualKeyboardHost::saveFailed, this, &MainWindow::saveFailed);
    if (m_context.options.keyboard != KeyboardChoice::Virtual)
        m_context.link->discover();
    if (m_context.options.keyboard == KeyboardChoice::Virtual ||
        (m_context.options.keyboard == KeyboardChoice::Auto &&
         m_context.link->state() == KeyboardLink::State::Absent)) {
        m_virtualKeyboard->use();
        // Shown once the event loop runs, so it comes up over the main window.
        QTimer::singleShot(0, m_virtualKeyboard, &VirtualKeyboardHost::showWindow);
    }
    new HidrawMonitor(m_context.link, m_context.link);
    m_context.controller->sender().setQueue(m_context.link);
    m_status->showKeyboardState();
}

bool MainWindow::macroPageIdle() const
{
    return !m_context.macros || m_context.macros->isIdle();
}

void MainWindow::startUpdateCheck()
{
    if (!m_context.options.checkForUpdates)
        return;
    qDebug() << "start auto update--isStartAutoUpdate:" << m_context.options.checkForUpdates;
    m_updater = new AutoUpdate(nullptr, m_context.desktop);
    m_updater->setCurrentVersion(QStringLiteral(ORVANTA_VERSION));
    m_updater->checkOldVersion();
}

void MainWindow::openProductInformation()
{
    if (macroPageIdle())
        openWebPage(*m_context.desktop, *m_context.notices, PRODUCT_PAGE_URL);
}

void MainWindow::openCustomerService()
{
    if (macroPageIdle())
        openWebPage(*m_context.desktop, *m_context.notices, CUSTOMER_SERVICE_URL);
}

// --- pages and profiles ------------------------------------------------------

void MainWindow::showKeyboardPage()
{
    m_tabs->showKeyboardPage();
}

void MainWindow::showCustomizePage()
{
    m_tabs->showCustomizePage();
}

void MainWindow::showLightingPage()
{
    m_tabs->showLightingPage();
}

void MainWindow::showMacrosPage()
{
    m_tabs->showMacrosPage();
}

void MainWindow::showSettingsPage()
{
    m_tabs->showSettingsPage();
}

void MainWindow::activateProfile(int n)
{
    m_context.controller->activateSlot(n, Origin::User);
}

void MainWindow::showActiveProfile(int n)
{
    m_tabs->markProfileButton(n - 1);
    m_context.profileMenu->showLinkedProfile();
    m_context.customize->loadKeyAssignments();
    m_context.customize->refillInstantShiftList();
    m_context.customize->loadSingleKeyAssignments();
    const QString &linked = m_context.controller->bindings().names[n - 1];
    if (m_context.lighting->editedProfile() != linked)
        m_context.lighting->showSavedProfile(linked);
    emit activeProfileChanged(n);
}

void MainWindow::factoryResetClicked()
{
    ConsoleController *controller = m_context.controller;
    if (m_status->resetRunning() || !controller->actionsAllowed() ||
        controller->factoryResetSaving())
        return;
    if (!m_undo->keepFactoryReset()) // the files the reset rewrites are kept first
        return;
    const quint64 before = m_context.sender->lastOperation();
    const EffectFlag &staticFlag = m_context.lighting->model().factoryStaticFlag();
    const QVector<quint64> steps = controller->factoryReset(staticFlag.mode, staticFlag.modeSpeed);
    if (!steps.isEmpty())
        m_status->followFactoryReset(steps, before);
}

void MainWindow::undoLastAction()
{
    m_undo->undoLastAction();
}

// --- window dragging, keys and closing ---------------------------------------------

void MainWindow::mousePressEvent(QMouseEvent *event)
{
    m_pressPoint = event->pos();
    m_context.customize->pressAt(event->pos(), m_tabs->customizeInFront());
}

void MainWindow::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->pos();
    if (p.y() < 100 && p.x() < 1200) {
        // The band along the top drags the window while the left button is held.
        if (event->buttons() & Qt::LeftButton) {
            QWidget *top = topLevelOf(this); // a scaled view moves as a whole
            top->move(top->pos() + (p - m_pressPoint) * scaleOf(this));
        }
        if (m_context.keyPopup)
            m_context.keyPopup->hide();
        return;
    }
    m_context.customize->hoverAt(p, m_tabs->customizeInFront());
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
    // The window manager's close request never ends the console; the Close
    // button does. With a tray icon to come back from, the window hides; without
    // one a hidden console could only be found by starting it again, so the
    // window is minimized instead.
    event->ignore();
    QWidget *top = topLevelOf(this);
    if (m_tray && m_tray->trayIcon()->isVisible()) {
        top->hide();
        m_guidance->explainHiddenConsole(); // the first time only
    } else {
        top->showMinimized();
    }
}

// --- language ------------------------------------------------------------------

void MainWindow::switchLanguage(QString code)
{
    qDebug() << "get" << code;
    const int n = code.toInt();
    {
        // A catalog is loaded into the one translator and installed again.
        QCoreApplication::removeTranslator(m_translator);
        delete m_translator;
        m_translator = new QTranslator(this);
        loadCatalog(n);
    }
    (void)m_context.controller->notices().report(LanguageFile::write(n));
    m_styles = ShellStyles::forFont(fontFamilyForLanguage(n, QString()));

    // The lighting and macro pages are built anew so they pick up the texts.
    const bool lightingShown = m_context.lighting->isVisible();
    const bool macrosShown = m_context.macros->isVisible();
    LightingPage *oldLight = m_context.lighting;
    MacroPage *oldMacro = m_context.macros;
    // The lighting being edited is the controller's: the new page shows it.
    buildPages(oldLight->editedProfile());
    m_guidance->attachLightingHint();
    oldLight->hide();
    oldMacro->hide();
    oldLight->deleteLater();
    oldMacro->deleteLater();
    if (lightingShown)
        ShellTabs::placePage(m_context.lighting);
    if (macrosShown)
        ShellTabs::placePage(m_context.macros);

    applyShellStyles();
    retranslateShell();
    if (m_tray) {
        m_tray->retranslate();
        m_tray->setKeyboardStatus(KeyboardLink::stateText(m_context.link->state()));
    }
    m_keyboardAccess->refresh();
    update();
}

void MainWindow::buildPages(const QString &editedProfile)
{
    m_context.lighting = new LightingPage(&m_context, this, editedProfile);
    m_context.lighting->hide();
    m_context.macros = new MacroPage(m_context.controller->macros(), this, m_context.desktop);
    m_context.macros->hide();
}

void MainWindow::connectMacroLibrary()
{
    macro::MacroLibrary &library = m_context.controller->macros();
    library.setKeepForUndo([this](const QString &macro) {
        return m_undo->keep(QStringLiteral("macro"), macro, {DataPaths::macroPath(macro)});
    });
    connect(&library, &macro::MacroLibrary::renamed, this, [this] {
        if (m_context.customize)
            m_context.customize->loadKeyAssignments(); // the keys name the macro anew
    });
}
