// Guidance where a newcomer gets stuck: the virtual keyboard offered while no
// keyboard is connected, its window placed beside the console (and where the
// user last put it), and a word in the tray when closing only hid the console.

#include "MainWindow.h"

#include "ConsoleTray.h"
#include "WindowScale.h"
#include "core/app/DesktopServices.h"
#include "core/app/Notices.h"
#include "core/controller/ConsoleController.h"
#include "core/settings/WebLinks.h"
#include "core/storage/IniFile.h"
#include "ui/lighting/LightingPage.h"
#include "ui/lighting/StoredLightingHint.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/virtual/VirtualKeyboardHost.h"

#include <QComboBox>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

using namespace orvanta;

namespace
{

// What the console remembers of its guidance: hints already given, places of windows.
const QString kHintsFile = QStringLiteral("system/console_hints.ini");

IniFile hints()
{
    return IniFile::load(kHintsFile);
}

// Saves where the virtual keyboard window was last put, a moment after it stops moving.
class PlaceKeeper : public QObject
{
public:
    explicit PlaceKeeper(QWidget *window) : QObject(window), m_window(window)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(500);
        connect(&m_timer, &QTimer::timeout, this, &PlaceKeeper::save);
        window->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Move && m_window->isVisible())
            m_timer.start();
        else if (event->type() == QEvent::Hide)
            save();
        return false;
    }
    void save()
    {
        m_timer.stop();
        IniFile file = hints();
        const QPoint p = m_window->pos();
        if (file.text(QStringLiteral("VirtualKeyboard/x")).toInt() == p.x() &&
            file.text(QStringLiteral("VirtualKeyboard/y")).toInt() == p.y() &&
            !file.text(QStringLiteral("VirtualKeyboard/x")).isEmpty())
            return;
        file.setValue(QStringLiteral("VirtualKeyboard/x"), p.x());
        file.setValue(QStringLiteral("VirtualKeyboard/y"), p.y());
        (void)file.save(kHintsFile); // a place not kept is no loss; saveFile logs why
    }

private:
    QWidget *m_window;
    QTimer m_timer;
};

// `frame` moved by the least amount that puts it fully inside `area`.
QRect keptInside(QRect frame, const QRect &area)
{
    frame.moveLeft(
        qBound(area.left(), frame.left(), qMax(area.left(), area.right() - frame.width() + 1)));
    frame.moveTop(
        qBound(area.top(), frame.top(), qMax(area.top(), area.bottom() - frame.height() + 1)));
    return frame;
}

} // namespace

void MainWindow::setUpGuidance()
{
    tryVirtualButton = new QPushButton(centralWidget());
    tryVirtualButton->setObjectName(QStringLiteral("try_virtual_keyboard"));
    tryVirtualButton->setGeometry(700, 56, 200, 20);
    tryVirtualButton->setCursor(Qt::PointingHandCursor);
    tryVirtualButton->setFocusPolicy(Qt::TabFocus);
    tryVirtualButton->setStyleSheet(styles.actionButton);
    tryVirtualButton->setText(
        QCoreApplication::translate("LumoProject", "TRY THE VIRTUAL KEYBOARD"));
    connect(tryVirtualButton, &QPushButton::released, virtualKeyboard,
            &VirtualKeyboardHost::showWindow);
    auto offer = [this] {
        tryVirtualButton->setVisible(keyboardLink()->state() == KeyboardLink::State::Absent);
        if (tryVirtualButton->isVisible())
            tryVirtualButton->raise();
    };
    connect(keyboardLink(), &KeyboardLink::stateChanged, this, offer);
    offer();
    virtualKeyboard->setPlacement([this](QWidget *window) { placeVirtualKeyboardWindow(window); });
    attachLightingHint();
}

void MainWindow::attachLightingHint()
{
    auto *hint = new StoredLightingHint(m_context.lighting);
    auto update = [this, hint] {
        const QString chosen = m_context.profileMenu->profileCombo->currentText();
        hint->setActive(m_context.controller->bindings().active,
                        chosen.isEmpty() ? m_context.controller->bindings().activeLinked()
                                         : chosen);
    };
    connect(this, &MainWindow::activeProfileChanged, hint, update);
    connect(m_context.profileMenu, &ProfileMenu::shownProfileChanged, hint, update);
    update();
}

void MainWindow::placeVirtualKeyboardWindow(QWidget *window)
{
    window->adjustSize();
    QWidget *console = topLevelOf(this);
    QScreen *screen = console->screen() ? console->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1920, 1080);
    const QSize size = window->frameGeometry().size().expandedTo(window->sizeHint());
    const IniFile kept = hints();
    QRect frame(QPoint(), size);
    if (!kept.text(QStringLiteral("VirtualKeyboard/x")).isEmpty()) {
        // Where the user put it last time, kept on screen.
        frame.moveTopLeft({kept.text(QStringLiteral("VirtualKeyboard/x")).toInt(),
                           kept.text(QStringLiteral("VirtualKeyboard/y")).toInt()});
    } else {
        // Beside the console, never over its tabs and profile buttons: to the
        // right when there is room, else to the left, else below it.
        const QRect c = console->frameGeometry();
        if (c.right() + size.width() < area.right())
            frame.moveTopLeft({c.right() + 1, c.top()});
        else if (c.left() - size.width() >= area.left())
            frame.moveTopLeft({c.left() - size.width(), c.top()});
        else
            frame.moveTopLeft({c.left(), c.top() + 140});
    }
    window->move(keptInside(frame, area).topLeft());
    new PlaceKeeper(window);
}

void MainWindow::explainHiddenConsole()
{
    if (!m_tray || hints().text(QStringLiteral("Hints/hiddenByClose")) == QLatin1String("1"))
        return;
    m_tray->trayIcon()->showMessage(
        QCoreApplication::translate("LumoProjectClass", "ORVANTA RGB"),
        QCoreApplication::translate("LumoProject",
                                    "The console keeps running here. Quit it from this icon's "
                                    "menu or with the Close button of its window."));
    IniFile file = hints();
    file.setValue(QStringLiteral("Hints/hiddenByClose"), 1);
    (void)file.save(kHintsFile);
}

// The maker's web pages; without a browser the user learns the address.
static void openWebPage(DesktopServices &desktop, Notices &notices, const char *url)
{
    if (!desktop.openUrl(QUrl(QString::fromLatin1(url))))
        notices.refuse(QCoreApplication::translate(
                           "LumoProject", "No web browser could be started: the page is %1")
                           .arg(QString::fromLatin1(url)));
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
