#include "ShellGuidance.h"
#include "core/app/TranslationContexts.h"

#include "ConsoleTray.h"
#include "MainWindow.h"
#include "WindowScale.h"
#include "core/controller/ConsoleController.h"
#include "core/storage/IniFile.h"
#include "ui/lighting/LightingPage.h"
#include "ui/lighting/StoredLightingHint.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/virtual/VirtualKeyboardHost.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

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

ShellGuidance::ShellGuidance(MainWindow &window)
    : QObject(&window), m_window(window), m_tryVirtual(new QPushButton(window.centralWidget()))
{
    m_tryVirtual->setObjectName(QStringLiteral("try_virtual_keyboard"));
    m_tryVirtual->setGeometry(700, 56, 200, 20);
    m_tryVirtual->setCursor(Qt::PointingHandCursor);
    m_tryVirtual->setFocusPolicy(Qt::TabFocus);
    m_tryVirtual->setStyleSheet(window.shellStyles().actionButton);
    m_tryVirtual->setText(context::Shell::tr("TRY THE VIRTUAL KEYBOARD"));
    VirtualKeyboardHost *host = window.virtualKeyboard();
    connect(m_tryVirtual, &QPushButton::released, host, &VirtualKeyboardHost::showWindow);
    KeyboardLink *link = window.keyboardLink();
    auto offer = [this, link] {
        m_tryVirtual->setVisible(link->state() == KeyboardLink::State::Absent);
        if (m_tryVirtual->isVisible())
            m_tryVirtual->raise();
    };
    connect(link, &KeyboardLink::stateChanged, this, offer);
    offer();
    host->setPlacement([this](QWidget *w) { placeVirtualKeyboardWindow(w); });
    attachLightingHint();
}

void ShellGuidance::attachLightingHint()
{
    ConsoleContext &c = m_window.context();
    auto *hint = new StoredLightingHint(c.lighting);
    auto update = [&c, hint] {
        hint->setActive(c.controller->bindings().active, c.profileMenu->selectedProfile());
    };
    connect(&m_window, &MainWindow::activeProfileChanged, hint, update);
    connect(c.profileMenu, &ProfileMenu::shownProfileChanged, hint, update);
    update();
}

void ShellGuidance::placeVirtualKeyboardWindow(QWidget *window)
{
    window->adjustSize();
    QWidget *console = topLevelOf(&m_window);
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

void ShellGuidance::explainHiddenConsole()
{
    ConsoleTray *tray = m_window.tray();
    if (!tray || hints().text(QStringLiteral("Hints/hiddenByClose")) == QLatin1String("1"))
        return;
    tray->showMessage(context::Window::tr("ORVANTA RGB"),
                      context::Shell::tr("The console keeps running here. Quit it from this icon's "
                                         "menu or with the Close button of its window."));
    IniFile file = hints();
    file.setValue(QStringLiteral("Hints/hiddenByClose"), 1);
    (void)file.save(kHintsFile);
}
