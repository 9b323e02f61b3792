#include "LumoProject.h"

#include "ConsoleTray.h"
#include "Globals.h"
#include "Shell.h"
#include "WindowScale.h"
#include "core/app/PictureCache.h"
#include "core/device/HidapiDevice.h"
#include "core/device/HidrawMonitor.h"
#include "core/device/key_main_sand_cmd.h"
#include "core/profiles/ProfileStore.h"
#include "core/settings/LanguageText.h"
#include "core/settings/WebLinks.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/StoredList.h"
#include "core/storage/readini.h"
#include "key_show_img.h"
#include "reset_view.h"
#include "translations/TranslationResources.h"
#include "ui/lighting/keyboard_light_view.h"
#include "ui/macro/micro_view.h"
#include "ui/settings/AutoUpdate.h"
#include "ui/settings/setting_view.h"
#include "ui/virtual/VirtualKeyboardHost.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFocusFrame>
#include <QIcon>
#include <QJsonDocument>
#include <QJsonObject>
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
}

LumoProject::LumoProject(const ConsoleOptions &options, QWidget *parent)
    : QMainWindow(parent), m_options(options)
{
    initTranslationResources();
    removeStaleStaging(); // what an interrupted profile copy left behind

    // 1. Base state.
    currentProfile = 1;
    for (int i = 0; i < 324; ++i)
        keyTable << QString();
    for (int i = 0; i < 5; ++i)
        profileNames << QString();
    keyboardTabActive = true;

    // 2. Frame.
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("LumoProjectClass"));
    resize(1200, 800);
    setFixedSize(1200, 800);
    setCentralWidget(new QWidget(this));
    centralWidget()->setMouseTracking(true);
    setWindowTitle(QCoreApplication::translate("LumoProjectClass", "ORVANTA RGB"));
    // Set before any child exists: set later, it would style every widget anew.
    setStyleSheet(QStringLiteral("QToolTip{background-color:rgb(30,30,32); color:white; "
                                 "border:1px solid rgb(190,30,30); padding:3px;}"
                                 "QFocusFrame{border:2px solid rgb(255,255,255); "
                                 "border-radius:4px;}"));

    // 3. Background picture as the window brush.
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

    // 4.
    softwareVersion = QStringLiteral("2.1.2");
    isStartAutoUpdate = m_options.checkForUpdates;

    // 5. Control socket.
    gSocketHelper = new SocketHelper(this, m_options.port, m_options.listenOnAllAddresses);
    gSocketHelper->setStatusReply([this] { return statusReply(); });
    connect(gSocketHelper, &SocketHelper::socketHelperSendData, this,
            &LumoProject::socketHelperReceiveData);

    // 6.
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);

    // 7. Translation catalog of the stored language.
    translator = new QTranslator(this);
    const int language = toNumber(readini::read_language(), 0);
    loadCatalog(language);

    // 8. Pages, created hidden.
    gLightView = new keyboard_light_view(this);
    gLightView->hide();
    gMacroView = new micro_view(this);
    gMacroView->hide();
    forwardPageSaveFailures();
    connect(this, &LumoProject::saveFailed, this, [this](const QString &path, const QString &reason) {
        m_saveFailure.start();
        showNotice(tr("Not saved: %1 (%2). It keeps its earlier content.")
                       .arg(QFileInfo(path).fileName(), reason),
                   NoticeKind::Error);
    });
    gCommandSender = new key_main_sand_cmd();
    gResetView = new reset_view(this);
    gResetView->hide();
    gSettingView = new setting_view(this);
    gSettingView->hide();

    // 9.
    setMouseTracking(true);
    // Focus comes to the window by a click (a key on the picture), never by Tab.
    setFocusPolicy(Qt::ClickFocus);

    // 10. Styles and widgets.
    fontFamily = fontFamilyForLanguage(language, QString());
    buildStyleSheets();
    buildShellWidgets();
    buildKeyCells();
    buildCustomizeControls();
    buildInstantShiftControls();
    applyShellStyles();
    retranslateShell();

    // 11. Keyboard.
    deviceInitialisation();

    // 12. Links, instant shift, CUSTOMIZE panels hidden until a key is chosen.
    read_profile_connect();
    read_set_iss();
    showCustomizePanels(-1);

    // 13. Slot 1's key settings, then activate it.
    {
        // The list is filled quietly: filling it must not choose a profile.
        leftmenu_select_combo_inster();
    }
    read_macro_file_set();
    main_set_profile1();

    // 14. Popup.
    gKeyPopup = new key_show_img(this);
    gKeyPopup->hide();

    // 15. Update check one second after start-up.
    readCmdTimer = new QTimer(this);
    readCmdTimer->start(1000);
    readCmdTimer->setSingleShot(true);
    connect(readCmdTimer, &QTimer::timeout, this, &LumoProject::read_cmd);

    // 16.
    connect(gSettingView, &setting_view::messageABSendToC, this, &LumoProject::test_setto_lumo);

    // 17. The virtual keyboard, a click away on the Settings page. Taken after
    // start-up, it gets the active profile like a keyboard plugged in would.
    connect(gSettingView, &setting_view::virtualKeyboardRequested, virtualKeyboard,
            &VirtualKeyboardHost::showWindow);
    connect(virtualKeyboard, &VirtualKeyboardHost::switched, this, [this] {
        useKeyboardButton->hide();
        gCommandSender->selectProfile(gDeviceHandle, currentProfile);
    });
    connect(virtualKeyboard, &VirtualKeyboardHost::usbKeyboardAvailable, this, [this] {
        useKeyboardButton->show();
        useKeyboardButton->raise();
    });

    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { frameFocusedWidget(now); });

    if (QSystemTrayIcon::isSystemTrayAvailable())
        createTray()->trayIcon()->show();
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

ConsoleTray *LumoProject::createTray()
{
    if (m_tray)
        return m_tray;
    setWindowIcon(consoleIcon());
    m_tray = new ConsoleTray(windowIcon(), this);
    // The tray's profiles do exactly what the PROFILE buttons do.
    connect(m_tray, &ConsoleTray::profileChosen, this, [this](int n) {
        const std::array<void (LumoProject::*)(), 5> buttons{
            &LumoProject::main_set_profile1, &LumoProject::main_set_profile2,
            &LumoProject::main_set_profile3, &LumoProject::main_set_profile4,
            &LumoProject::main_set_profile5};
        if (n >= 1 && n <= 5)
            (this->*buttons[n - 1])();
    });
    connect(this, &LumoProject::activeProfileChanged, m_tray, &ConsoleTray::setActiveProfile);
    connect(m_tray, &ConsoleTray::showRequested, this, &LumoProject::showConsole);
    connect(m_tray, &ConsoleTray::quitRequested, this, &LumoProject::quitConsole);
    m_tray->setActiveProfile(currentProfile);
    m_tray->setKeyboardStatus(KeyboardLink::stateText(m_link->state()));
    // A hidden window is not the end: only the Close button or Quit ends the console.
    QApplication::setQuitOnLastWindowClosed(false);
    return m_tray;
}

void LumoProject::frameFocusedWidget(QWidget *focused)
{
    const bool ours = focused && focused != this && isAncestorOf(focused);
    if (!focusFrame && ours)
        focusFrame = new QFocusFrame(this);
    if (focusFrame)
        focusFrame->setWidget(ours ? focused : nullptr);
}

void LumoProject::showConsole()
{
    QWidget *top = topLevelOf(this);
    if (top != this)
        show(); // the window inside its scaled view
    top->showNormal();
    top->raise();
    top->activateWindow();
}

void LumoProject::quitConsole()
{
    m_quitting = true;
    close();
    QCoreApplication::quit();
}

LumoProject::~LumoProject()
{
    // Pages going away below move the focus; the frame is no longer followed.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    // The pages die with the window; the pointers must not outlive them.
    gLightView = nullptr;
    gMacroView = nullptr;
    gResetView = nullptr;
    gSettingView = nullptr;
    gKeyPopup = nullptr;
    gSocketHelper = nullptr;
    // The last changes still go out; a long queue (a factory reset) gets a
    // bounded wait, and the link logs what it then drops.
    if (m_link)
        m_link->waitForIdle(kExitDrainMs);
    delete gCommandSender;
    gCommandSender = nullptr;
    delete appTimer;
    delete m_updater;
}

void LumoProject::loadCatalog(int language)
{
    const QString file = catalogFileForLanguage(language);
    if (!file.isEmpty())
        loadTranslationCatalog(*translator, file);
    QCoreApplication::installTranslator(translator);
}

void LumoProject::buildStyleSheets()
{
    const QString tab =
        QStringLiteral("border-image: url(\"Image/UI-Design-2016_Keyboard_out_26_32.71.png\"); ");
    styleTabOff = tab + QStringLiteral("color:rgba(255,255,255,50); font-family:") + fontFamily;
    styleTabOn = tab + QStringLiteral("color:red; font-family:") + fontFamily;
    styleTabWhite = tab + QStringLiteral("color:white; font-family:") + fontFamily;
    styleActionButton =
        QStringLiteral("QPushButton{border-image: "
                       "url(\"Image/UI-Design-2016_Keyboard_out_204_910.472.png\"); color:white; "
                       "font-family:") +
        fontFamily +
        QStringLiteral(";}QPushButton:pressed{border-image: "
                       "url(\"Image/UI-Design-2016_Keyboard_out_204_910.472.png\");font-family:") +
        fontFamily + QStringLiteral("; color:red;}");
    styleLabel = QStringLiteral("color:white;  font-family:") + fontFamily;
    styleCombo = QStringLiteral("background-color: rgb(38,38,38); color:white; border: 1px "
                                "rgb(132,132,132); font-family:") +
                 fontFamily;
}

static QPushButton *iconButton(QWidget *parent, const QString &icon, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    b->setStyleSheet(
        QStringLiteral("QPushButton{border-image:url(\"Image/icons/%1.png\");}"
                       "QPushButton:hover{border-image:url(\"Image/icons/%1_hover.png\");}")
            .arg(icon));
    return b;
}

static QPushButton *tabButton(QWidget *parent, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

void LumoProject::buildShellWidgets()
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
        setTabLook(profileButtons[i], i == currentProfile - 1);
    connect(tabKeyboard, &QPushButton::released, this, &LumoProject::main_keyboard_function);
    connect(tabMacros, &QPushButton::released, this, &LumoProject::main_macros_function);
    connect(tabCustomize, &QPushButton::released, this, &LumoProject::main_customize_fanction);
    connect(tabLighting, &QPushButton::released, this, &LumoProject::main_lighting_function);
    connect(profileButtons[0], &QPushButton::released, this, &LumoProject::main_set_profile1);
    connect(profileButtons[1], &QPushButton::released, this, &LumoProject::main_set_profile2);
    connect(profileButtons[2], &QPushButton::released, this, &LumoProject::main_set_profile3);
    connect(profileButtons[3], &QPushButton::released, this, &LumoProject::main_set_profile4);
    connect(profileButtons[4], &QPushButton::released, this, &LumoProject::main_set_profile5);

    btnReset = iconButton(w, QStringLiteral("reset"), {985, 16, 32, 33});
    btnService = iconButton(w, QStringLiteral("service"), {1023, 16, 32, 33});
    btnInfo = iconButton(w, QStringLiteral("info"), {1063, 16, 32, 33});
    btnSettings = iconButton(w, QStringLiteral("settings"), {1102, 16, 32, 33});
    btnClose = iconButton(w, QStringLiteral("close"), {1141, 16, 32, 33});
    connect(btnReset, &QPushButton::released, this, &LumoProject::rmain_re_btn_fanction);
    connect(btnService, &QPushButton::released, this, &LumoProject::rmain_r_btn_fanction);
    connect(btnInfo, &QPushButton::released, this, &LumoProject::rmain_qu_btn_fanction);
    connect(btnSettings, &QPushButton::released, this, &LumoProject::rmain_box_btn_fanction);
    connect(btnClose, &QPushButton::released, this, &LumoProject::quitConsole);

    // The two profile captions are 14 pixels tall: the Chinese texts take 13
    // rows at 11 px and would lose their top and bottom rows in 11.
    captionSelectProfile = new QLabel(w);
    captionSelectProfile->setGeometry(31, 155, 110, 14);
    profileCombo = new QComboBox(w);
    profileCombo->setEditable(false);
    profileCombo->setGeometry(31, 176, 175, 23);
    connect(profileCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &LumoProject::leftmenu_select_combo_function);

    const char *icons[5] = {"new", "delete", "copy", "import", "export"};
    QPushButton **buttons[5] = {&btnNew, &btnDelete, &btnCopy, &btnImport, &btnExport};
    const int ix[5] = {31, 67, 103, 139, 175};
    for (int i = 0; i < 5; ++i)
        *buttons[i] = iconButton(w, QString::fromLatin1(icons[i]), {ix[i], 204, 33, 25});
    connect(btnNew, &QPushButton::released, this, &LumoProject::leftmenu_select_btn_new_function);
    connect(btnDelete, &QPushButton::released, this,
            &LumoProject::leftmenu_select_btn_dle_function);
    connect(btnCopy, &QPushButton::released, this, &LumoProject::leftmenu_select_btn_copy_function);
    connect(btnImport, &QPushButton::released, this,
            &LumoProject::leftmenu_select_btn_load_fanction);
    connect(btnExport, &QPushButton::released, this, &LumoProject::leftmenu_select_btn_up_fanction);

    captionProfileName = new QLabel(w);
    captionProfileName->setGeometry(31, 259, 96, 14);
    profileNameEdit = new QLineEdit(w);
    profileNameEdit->setGeometry(31, 279, 175, 23);
    profileNameEdit->setMaxLength(64);
    connect(profileNameEdit, &QLineEdit::returnPressed, this,
            &LumoProject::leftmenu_profile_name_function);

    captionShortcut = new QLabel(w); // its text is English in every language
    captionShortcut->setGeometry(56, 322, 72, 9);
    shortcutCombo = new QComboBox(w);
    shortcutCombo->setGeometry(31, 341, 175, 23);
    shortcutCombo->hide();
    linkButton = new QPushButton(w);
    linkButton->setGeometry(36, 480, 23, 24);
    linkButton->setFocusPolicy(Qt::TabFocus);
    linkButton->setStyleSheet(
        QStringLiteral("border-image:url(\"Image/UI-Design-2016_Keyboard_out_46_61.380.png\");"));
    linkButton->hide();
    connect(linkButton, &QPushButton::released, this, &LumoProject::leftmenu_link_btn_function);

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

void LumoProject::applyShellStyles()
{
    // Every tab keeps its look, in the new font.
    for (QPushButton *b : {tabKeyboard, tabMacros, tabCustomize, tabLighting})
        setTabLook(b, b->property(kTabOnProperty).toBool());
    for (QPushButton *b : profileButtons)
        setTabLook(b, b->property(kTabOnProperty).toBool());
    for (QLabel *l : {captionSelectProfile, captionProfileName, captionShortcut,
                      captionKeyAssignment, captionAssignMacro, captionRepeat, captionCurrent,
                      captionAssign, captionInstantShift})
        if (l)
            l->setStyleSheet(styleLabel + QStringLiteral("; font-size:11px; font-weight:bold;"));
    for (QComboBox *c :
         {profileCombo, shortcutCombo, keyAssignCombo, assignMacroCombo, repeatCombo, issCombo})
        if (c)
            c->setStyleSheet(comboStyleSheet(styleCombo));
    const QString edit = lineEditStyleSheet(fontFamily);
    for (QLineEdit *e : {profileNameEdit, repeatCountEdit, newKeyEdit})
        if (e)
            e->setStyleSheet(edit);
    if (selectedKeyLabel)
        selectedKeyLabel->setStyleSheet(
            QStringLiteral("color:red; font-size:20px; font-weight:bold; "
                           "font-family:") +
            fontFamily);
    if (currentAssignment)
        currentAssignment->setStyleSheet(QStringLiteral("color:rgb(0,171,190); font-size:14px; "
                                                        "font-family:") +
                                         fontFamily);
    for (QPushButton *b : {macroResetButton, singleResetButton, useKeyboardButton})
        if (b)
            b->setStyleSheet(styleActionButton);
    if (customizeApplyButton)
        customizeApplyButton->setStyleSheet(customizeApplyEnabled ? styleActionButton
                                                                  : styleTabOff);
    iss_set_btn();
}

void LumoProject::retranslateShell()
{
    setWindowTitle(QCoreApplication::translate("LumoProjectClass", "ORVANTA RGB"));
    tabKeyboard->setText(tr("KEYBOARD"));
    useKeyboardButton->setText(tr("USE THE KEYBOARD"));
    tabMacros->setText(tr("MACROS"));
    tabCustomize->setText(tr("CUSTOMIZE"));
    tabLighting->setText(tr("LIGHTING"));
    const char *profiles[5] = {QT_TR_NOOP("PROFILE 1"), QT_TR_NOOP("PROFILE 2"),
                               QT_TR_NOOP("PROFILE 3"), QT_TR_NOOP("PROFILE 4"),
                               QT_TR_NOOP("PROFILE 5")};
    for (int i = 0; i < 5; ++i)
        profileButtons[i]->setText(tr(profiles[i]));
    btnReset->setToolTip(tr("Reset"));
    btnService->setToolTip(tr("Customer Service"));
    btnInfo->setToolTip(tr("Product Information"));
    btnSettings->setToolTip(tr("Settings"));
    btnClose->setToolTip(tr("Close"));
    captionSelectProfile->setText(tr("SELECT PROFILE"));
    btnNew->setToolTip(tr("New"));
    btnDelete->setToolTip(tr("Delete"));
    btnCopy->setToolTip(tr("Copy"));
    btnImport->setToolTip(tr("Import"));
    btnExport->setToolTip(tr("Export"));
    captionProfileName->setText(tr("PROFILE NAME"));
    captionShortcut->setText(tr("SHORTCUT"));
    if (m_link)
        showKeyboardState();

    captionKeyAssignment->setText(tr("KEY ASSIGNMENT"));
    captionInstantShift->setText(tr("INSTANT SHIFT SYS."));
    const int assign = keyAssignCombo->currentIndex();
    {
        const QSignalBlocker block(keyAssignCombo);
        keyAssignCombo->clear();
        keyAssignCombo->addItems({tr("Default"), tr("Macro Key"), tr("Single Key")});
        keyAssignCombo->setCurrentIndex(assign);
    }
    captionAssignMacro->setText(tr("ASSIGN MACRO"));
    captionRepeat->setText(tr("REPATE OPTION"));
    const int repeat = repeatCombo->currentIndex();
    {
        const QSignalBlocker block(repeatCombo);
        repeatCombo->clear();
        repeatCombo->addItems({tr("Once"), tr("Multiple Times"), tr("When Perss & Hold"),
                               tr("Until Pressed Next Time")});
        repeatCombo->setCurrentIndex(repeat);
    }
    macroResetButton->setText(tr("MACRO RESET"));
    captionCurrent->setText(tr("CURRENT"));
    captionAssign->setText(tr("ASSIGN"));
    singleResetButton->setText(tr("SINGLE RESET"));
    customizeApplyButton->setText(tr("APPLY"));
    issButtons[0]->setText(QStringLiteral("SHIFT"));
    issButtons[1]->setText(QStringLiteral("CTRL"));
    issButtons[2]->setText(QStringLiteral("ALT"));
}

void LumoProject::deviceInitialisation()
{
    hoverKey = 0;
    lastHoverKey = 0;
    selectedKey = 300;
    capturedUsage = 0;
    hoverUsage = 4;
    selectedUsage = 4;
    gLightView->profile_number = 1;
    appLightValue = 0;
    appTimer = new QTimer(); // no parent: lives with the window, deleted in its destructor
    connect(appTimer, &QTimer::timeout, this, &LumoProject::app_testt);
    m_link = new KeyboardLink(this);
    connect(m_link, &KeyboardLink::stateChanged, this, &LumoProject::showKeyboardState);
    connect(m_link, &KeyboardLink::keyboardArrived, this, &LumoProject::keyboardArrived);
    connect(m_link, &KeyboardLink::operationFinished, this, &LumoProject::operationFinished);
    virtualKeyboard = new VirtualKeyboardHost(m_link, this);
    if (m_options.keyboard != KeyboardChoice::Virtual)
        m_link->discover();
    if (m_options.keyboard == KeyboardChoice::Virtual ||
        (m_options.keyboard == KeyboardChoice::Auto &&
         m_link->state() == KeyboardLink::State::Absent)) {
        virtualKeyboard->use();
        // Shown once the event loop runs, so it comes up over the main window.
        QTimer::singleShot(0, virtualKeyboard, &VirtualKeyboardHost::showWindow);
    }
    new HidrawMonitor(m_link, m_link);
    gCommandSender->setLink(m_link);
    showKeyboardState();
}

void LumoProject::showKeyboardState()
{
    const KeyboardLink::State state = m_link->state();
    statusBand->setKeyboardState(KeyboardLink::stateText(state),
                                 state != KeyboardLink::State::Absent);
    if (m_tray)
        m_tray->setKeyboardStatus(KeyboardLink::stateText(state));
}

void LumoProject::keyboardArrived()
{
    // A keyboard plugged in now may sit on any of its profiles: bring it to
    // the one the console shows as active.
    showNotice(KeyboardLink::stateText(m_link->state()), NoticeKind::Success);
    gCommandSender->selectProfile(gDeviceHandle, currentProfile);
}

void LumoProject::showNotice(const QString &text, NoticeKind kind)
{
    statusBand->showNotice(text, kind);
}

void LumoProject::operationFinished(quint64 id, KeyboardLink::Outcome outcome, int profile,
                                    bool quiet)
{
    if (const auto then = m_afterOperation.take(id))
        then();
    // A failed save stays in view: the keyboard's confirmation must not hide it.
    if (m_saveFailure.isValid() && m_saveFailure.elapsed() < StatusBand::kNoticeMs &&
        (outcome == KeyboardLink::Outcome::Sent || outcome == KeyboardLink::Outcome::NotConnected))
        return;
    const QString target =
        profile >= 1 && profile <= 5 ? tr("PROFILE %1").arg(profile) : tr("the keyboard");
    switch (outcome) {
    case KeyboardLink::Outcome::Sent:
        if (!quiet)
            showNotice(tr("Sent to %1").arg(target), NoticeKind::Success);
        break;
    case KeyboardLink::Outcome::NotConnected:
        if (!quiet)
            showNotice(tr("Saved; the keyboard is not connected"), NoticeKind::Warning);
        break;
    case KeyboardLink::Outcome::Failed:
    case KeyboardLink::Outcome::Lost:
    case KeyboardLink::Outcome::Dropped:
        if (!quiet)
            showNotice(tr("Not sent to %1: the keyboard did not respond. Your settings are saved.")
                           .arg(target),
                       NoticeKind::Error);
        break;
    case KeyboardLink::Outcome::Overflow:
        break; // logged by the link; another program sent more than the keyboard can take
    }
}

void LumoProject::afterQueued(quint64 since, std::function<void()> then)
{
    const quint64 last = gCommandSender->lastOperation();
    if (!gCommandSender->link() || last == since) {
        then();
        return;
    }
    // Operations finish in the order they were queued: the last one stands for all.
    m_afterOperation.insert(last, std::move(then));
}

QByteArray LumoProject::statusReply() const
{
    QJsonObject status;
    const KeyboardLink::State state = m_link ? m_link->state() : KeyboardLink::State::Absent;
    status.insert(QStringLiteral("keyboard"), KeyboardLink::stateKey(state));
    status.insert(QStringLiteral("profile"), currentProfile);
    status.insert(QStringLiteral("profileName"), profileNames.value(currentProfile - 1));
    status.insert(QStringLiteral("queued"), m_link ? m_link->pending() : 0);
    return QJsonDocument(status).toJson(QJsonDocument::Compact) + '\n';
}

bool LumoProject::macroPageIdle() const
{
    return !gMacroView || gMacroView->isIdle();
}

void LumoProject::allTabsOff()
{
    for (QPushButton *b : {tabKeyboard, tabMacros, tabCustomize, tabLighting})
        setTabLook(b, false);
}

void LumoProject::setTabLook(QPushButton *tab, bool on)
{
    tab->setProperty(kTabOnProperty, on);
    tab->setStyleSheet(on ? styleTabOn : styleTabOff);
}

void LumoProject::read_cmd()
{
    if (!isStartAutoUpdate)
        return;
    qDebug() << "start auto update--isStartAutoUpdate:" << isStartAutoUpdate;
    m_updater = new AutoUpdate();
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

void LumoProject::main_keyboard_function()
{
    if (!macroPageIdle() || !tabLighting->isHidden())
        return;
    keyboardTabActive = true;
    allTabsOff();
    tabCustomize->show();
    tabLighting->show();
    setTabLook(tabKeyboard, true);
    setTabLook(tabCustomize, true);
    gSettingView->hide();
    gLightView->hide();
    gMacroView->hide();
}

void LumoProject::main_customize_fanction()
{
    if (!macroPageIdle() || !keyboardTabActive)
        return;
    allTabsOff();
    setTabLook(tabCustomize, true);
    setTabLook(tabKeyboard, true);
    gLightView->hide();
    gMacroView->hide();
    gSettingView->hide();
}

void LumoProject::main_lighting_function()
{
    if (!macroPageIdle() || !keyboardTabActive)
        return;
    allTabsOff();
    gKeyPopup->hide();
    setTabLook(tabLighting, true);
    setTabLook(tabKeyboard, true);
    gMacroView->hide();
    gSettingView->hide();
    placePage(gLightView);
}

void LumoProject::main_macros_function()
{
    if (!macroPageIdle())
        return;
    keyboardTabActive = false;
    gKeyPopup->hide();
    allTabsOff();
    setTabLook(tabMacros, true);
    tabCustomize->hide();
    tabLighting->hide();
    gLightView->hide();
    gSettingView->hide();
    placePage(gMacroView);
}

void LumoProject::rmain_box_btn_fanction()
{
    if (!macroPageIdle() || !gSettingView->isHidden())
        return;
    gKeyPopup->hide();
    placePage(gSettingView);
    gLightView->hide();
    gMacroView->hide();
    tabCustomize->hide();
    tabLighting->hide();
    allTabsOff();
}

void LumoProject::rmain_qu_btn_fanction()
{
    if (!macroPageIdle())
        return;
    WebLinks::openAddress(PRODUCT_PAGE_URL);
}

void LumoProject::rmain_r_btn_fanction()
{
    if (!macroPageIdle())
        return;
    WebLinks::openAddress(CUSTOMER_SERVICE_URL);
}

void LumoProject::main_all_profile_close(int index)
{
    for (QPushButton *b : profileButtons)
        setTabLook(b, false);
    if (index >= 0 && index < 5)
        setTabLook(profileButtons[index], true);
}

void LumoProject::leftmenu_link_btn_function()
{
    linkFlag = !linkFlag;
    linkButton->setStyleSheet(
        linkFlag ? QStringLiteral(
                       "border-image:url(\"Image/UI-Design-2016_Keyboard_out_46_R61.380.png\");")
                 : QStringLiteral(
                       "border-image:url(\"Image/UI-Design-2016_Keyboard_out_46_61.380.png\");"));
}

void LumoProject::ReadFromUsb()
{
    // The keyboard is never read; nothing connects this slot.
}

// --- window dragging and closing ---------------------------------------------

void LumoProject::mousePressEvent(QMouseEvent *event)
{
    pressPoint = event->pos();
    selectKeyAt(event->pos());
}

void LumoProject::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint p = event->pos();
    if (p.y() < 100 && p.x() < 1200) {
        // The band along the top drags the window while the left button is held.
        if (event->buttons() & Qt::LeftButton) {
            QWidget *top = topLevelOf(this); // a scaled view moves as a whole
            top->move(top->pos() + (p - pressPoint) * scaleOf(this));
        }
        if (gKeyPopup)
            gKeyPopup->hide();
        return;
    }
    hoverKeyAt(p);
}

void LumoProject::closeEvent(QCloseEvent *event)
{
    if (m_quitting) {
        event->accept();
        return;
    }
    // The window manager's close request only hides the console; the Close
    // button ends it.
    event->ignore();
    hide();
}

// --- language ------------------------------------------------------------------

void LumoProject::test_setto_lumo(QString code)
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
    reportSaves(readini::write_language(n));
    fontFamily = fontFamilyForLanguage(n, QString());
    buildStyleSheets();

    // The lighting and macro pages are built anew so they pick up the texts.
    const bool lightingShown = gLightView->isVisible();
    const bool macrosShown = gMacroView->isVisible();
    keyboard_light_view *oldLight = gLightView;
    micro_view *oldMacro = gMacroView;
    gLightView = new keyboard_light_view(this);
    gLightView->hide();
    gLightView->profile_number = oldLight->profile_number;
    gLightView->profile_name = oldLight->profile_name;
    gLightView->key_r_insertcombo();
    gMacroView = new micro_view(this);
    gMacroView->hide();
    forwardPageSaveFailures();
    oldLight->hide();
    oldMacro->hide();
    oldLight->deleteLater();
    oldMacro->deleteLater();
    if (lightingShown)
        placePage(gLightView);
    if (macrosShown)
        placePage(gMacroView);

    applyShellStyles();
    retranslateShell();
    if (m_tray) {
        m_tray->retranslate();
        m_tray->setKeyboardStatus(KeyboardLink::stateText(m_link->state()));
    }
    update();
}

bool LumoProject::reportSaves(const orvanta::SaveResult &result)
{
    for (const orvanta::SaveFailure &f : result.failures())
        emit saveFailed(f.path, f.reason);
    return result.ok();
}

void LumoProject::forwardPageSaveFailures()
{
    connect(gLightView, &keyboard_light_view::saveFailed, this, &LumoProject::saveFailed);
    connect(gMacroView, &micro_view::saveFailed, this, &LumoProject::saveFailed);
}
