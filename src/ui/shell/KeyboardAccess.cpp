#include "KeyboardAccess.h"
#include "core/app/TranslationContexts.h"

#include "AccessibleNames.h"
#include "KeyCursor.h"
#include "KeyPopup.h"
#include "MainWindow.h"
#include "ShellTabs.h"
#include "core/controller/ConsoleController.h"
#include "core/keys/KeyTable.h"
#include "ui/customize/CustomizePanel.h"
#include "ui/lighting/LightingPage.h"
#include "ui/lighting/StopCursor.h"
#include "ui/macro/MacroPage.h"
#include "ui/profiles/ProfileMenu.h"
#include "ui/settings/SettingsPage.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

using namespace orvanta;

namespace
{

// Where the keyboard picture lies on CUSTOMIZE (in the window) and on LIGHTING
// (in the page), and where its corner lies among the key caps.
const QRect kCustomizePicture(351, 140, 699, 242);
const QRect kLightingPicture(115, 0, 699, 242);
const QPoint kPictureOrigin(351, 140);

bool reachable(const QWidget *w)
{
    return w && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus);
}

bool isApply(const QWidget *w)
{
    const QString name = w->objectName();
    return name == QLatin1String("btn_apply") || name == QLatin1String("marco_save");
}

} // namespace

KeyboardAccess::KeyboardAccess(MainWindow *window) : QObject(window), m_window(window)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *, QWidget *now) { frameFocusedWidget(now); });
    CustomizePanel *panel = window->customize();
    m_customizeCursor = new KeyCursor(window->centralWidget(), kCustomizePicture, kPictureOrigin);
    m_customizeCursor->raise();
    m_customizeCursor->setDescriber([this](int key) { return describeKey(key); });
    connect(m_customizeCursor, &KeyCursor::moved, this,
            [panel](int key) { panel->showPopupOverKey(key); });
    connect(m_customizeCursor, &KeyCursor::activated, this, [this, panel](QVector<int> keys) {
        if (!keys.isEmpty())
            panel->selectKeyCell(keys.last());
        m_customizeCursor->announce();
    });
    const auto hidePopup = [this] {
        if (m_window->context().keyPopup)
            m_window->context().keyPopup->hide();
    };
    connect(m_customizeCursor, &KeyCursor::escaped, this, hidePopup);
    connect(m_customizeCursor, &KeyCursor::left, this, hidePopup);

    // The ASSIGN field is reached with Tab; Enter or Space there starts a capture.
    panel->widgets().newKeyEdit->setFocusPolicy(Qt::TabFocus);
    connect(panel->widgets().newKeyEdit, &QLineEdit::textChanged, this,
            [this](const QString &text) {
                if (m_captureArmed && !text.isEmpty())
                    endCapture(false);
            });
    connect(qApp, &QApplication::focusChanged, this, [this, panel](QWidget *old, QWidget *now) {
        // "Single Key" chosen with the keys of the KEY ASSIGNMENT list hands the
        // focus to the window, which captures the next key: a capture started
        // from the keyboard, which Escape cancels and which gives the focus to
        // ASSIGN when done.
        if (m_listKeyed && old == panel->widgets().keyAssignCombo && now == m_window &&
            panel->capturingKey()) {
            m_textBeforeCapture = panel->widgets().newKeyEdit->text();
            m_captureArmed = true;
            return;
        }
        // Focus taken elsewhere (a click) ends a capture started from the keyboard.
        if (m_captureArmed && now && now != m_window)
            m_captureArmed = false;
    });
    qApp->installEventFilter(this);
    refresh();
}

KeyboardAccess::~KeyboardAccess()
{
    qApp->removeEventFilter(this);
}

void KeyboardAccess::refresh()
{
    ConsoleContext &c = m_window->context();
    AccessibleNames::nameShell(*m_window);
    AccessibleNames::nameProfileMenu(*m_window->profileMenu());
    AccessibleNames::nameCustomize(*m_window->customize());
    m_customizeCursor->setPictureName(context::Shell::tr("Keyboard picture"));
    m_customizeCursor->setAccessibleDescription(
        context::Shell::tr("Arrow keys move over the keys; Space selects the key"));
    for (QWidget *page : {static_cast<QWidget *>(c.lighting), static_cast<QWidget *>(c.macros),
                          static_cast<QWidget *>(c.settings)})
        makeReachable(page);
    AccessibleNames::nameLighting(*c.lighting);
    AccessibleNames::nameMacros(*c.macros);
    AccessibleNames::nameSettings(*c.settings);
    followLightingPage();
}

void KeyboardAccess::makeReachable(QWidget *page)
{
    // Buttons are reached with Tab only: a click leaves the focus (and the
    // look) where it was, as before.
    for (QAbstractButton *b : page->findChildren<QAbstractButton *>())
        if (!(b->focusPolicy() & Qt::TabFocus))
            b->setFocusPolicy(Qt::TabFocus);
}

void KeyboardAccess::followLightingPage()
{
    LightingPage *page = m_window->context().lighting;
    if (!m_lightingCursor || m_lightingPage != page) {
        m_lightingPage = page;
        m_lightingCursor = new KeyCursor(page, kLightingPicture, kPictureOrigin);
        m_lightingCursor->raise();
        m_lightingCursor->setDescriber([this](int key) { return describeKey(key); });
        m_stopCursor = new StopCursor(page, page->findChild<QSlider *>("stops_slider"));
        KeyCursor *cursor = m_lightingCursor;
        connect(cursor, &KeyCursor::activated, page, [page, cursor](QVector<int> keys) {
            page->paintKeys(keys);
            cursor->announce();
        });
    }
    m_lightingCursor->setPictureName(context::Shell::tr("Keyboard picture"));
    m_lightingCursor->setAccessibleDescription(context::LightingPage::tr(
        "Arrow keys move over the keys, Shift+arrows mark keys; Space paints them with "
        "CUSTOMIZED on"));
}

QString KeyboardAccess::describeKey(int key) const
{
    if (key < 0 || key >= kKeyCount || !KEY_TABLE[key].label)
        return QString();
    const QString label = QString::fromUtf8(KEY_TABLE[key].label).trimmed();
    const SlotAssignment &slot = m_window->context().controller->assignments()[key];
    QString assignment;
    switch (slot.kind) {
    case KeyKind::Default:
        assignment = context::Shell::tr("Default");
        break;
    case KeyKind::Macro:
        assignment = context::Shell::tr("Macro Key") + QLatin1Char(' ') + slot.target;
        break;
    case KeyKind::Single:
        assignment = context::Shell::tr("Single Key") + QLatin1Char(' ') + slot.target;
        break;
    }
    QString text = label + QStringLiteral(", ") + assignment;
    if (LightingPage *page = m_window->context().lighting) {
        const Rgb c = page->keyColour(key);
        text += QStringLiteral(", ") + AccessibleNames::colourText(c.r, c.g, c.b);
    }
    return text;
}

QWidget *KeyboardAccess::pageInFront() const
{
    const ConsoleContext &c = m_window->context();
    for (QWidget *page : {static_cast<QWidget *>(c.settings), static_cast<QWidget *>(c.macros),
                          static_cast<QWidget *>(c.lighting)})
        if (page && page->isVisible())
            return page;
    return nullptr;
}

QList<QWidget *> KeyboardAccess::tabChain() const
{
    QList<QWidget *> all;
    const ProfileMenu *m = m_window->profileMenu();
    all << m->profileCombo() << m->newButton() << m->deleteButton() << m->copyButton()
        << m->importButton() << m->exportButton() << m->profileNameEdit();
    const ShellTabs *tabs = m_window->tabs();
    all << tabs->keyboardTab() << tabs->macrosTab();
    for (QPushButton *b : tabs->profileButtons())
        all << b;
    all << tabs->customizeTab() << tabs->lightingTab() << m_window->resetButton()
        << m_window->serviceButton() << m_window->infoButton() << m_window->settingsButton()
        << m_window->closeButton() << m_window->useKeyboardButton()
        << m_window->tryVirtualButton() << m_window->undoButton();
    if (QWidget *page = pageInFront()) {
        if (page == m_lightingPage)
            all << m_lightingCursor;
        QList<QWidget *> last;
        for (QWidget *w : page->findChildren<QWidget *>()) {
            if (w == m_lightingCursor || w == m_stopCursor || w->window() != page->window())
                continue;
            (isApply(w) ? last : all) << w;
            if (w->objectName() == QLatin1String("stops_slider"))
                all << m_stopCursor; // the stops, where the strip is
        }
        all << last;
    } else {
        const CustomizePanel *p = m_window->customize();
        all << m_customizeCursor << p->widgets().keyAssignCombo << p->widgets().assignMacroCombo
            << p->widgets().repeatCombo << p->widgets().repeatCountEdit
            << p->widgets().macroResetButton << p->widgets().newKeyEdit
            << p->widgets().singleResetButton << p->widgets().shiftCombo
            << p->widgets().shiftButtons[0] << p->widgets().shiftButtons[1]
            << p->widgets().shiftButtons[2] << p->widgets().customizeApplyButton;
    }
    QList<QWidget *> chain;
    for (QWidget *w : all)
        if (reachable(w) && !chain.contains(w))
            chain << w;
    return chain;
}

bool KeyboardAccess::ours(QObject *object) const
{
    auto *w = qobject_cast<QWidget *>(object);
    return w && (w == m_window || m_window->isAncestorOf(w));
}

bool KeyboardAccess::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !ours(watched))
        return false;
    return keyPressed(static_cast<QWidget *>(watched), static_cast<QKeyEvent *>(event));
}

bool KeyboardAccess::keyPressed(QWidget *receiver, QKeyEvent *event)
{
    const ConsoleContext &c = m_window->context();
    // A recording takes every key, and so does a capture (but for the Escape
    // that ends one started from the keyboard).
    if (c.macros && !c.macros->isIdle())
        return false;
    CustomizePanel *panel = m_window->customize();
    if (panel->capturingKey()) {
        if (m_captureArmed && event->key() == Qt::Key_Escape) {
            endCapture(true);
            return true;
        }
        return false;
    }
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (receiver == panel->widgets().keyAssignCombo) {
        // The list may choose "Single Key" with this key (see the focus above).
        m_listKeyed = true;
        QTimer::singleShot(0, this, [this] { m_listKeyed = false; });
    }
    if (mods == Qt::AltModifier && key >= Qt::Key_1 && key <= Qt::Key_5) {
        m_window->activateProfile(key - Qt::Key_1 + 1);
        return true;
    }
    if (key == Qt::Key_Tab && mods == Qt::NoModifier)
        return moveFocus(true);
    if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && mods == Qt::ShiftModifier))
        return moveFocus(false);
    if (key == Qt::Key_Escape && c.keyPopup && c.keyPopup->isVisible()) {
        c.keyPopup->hide();
        return true;
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) &&
        receiver == panel->widgets().newKeyEdit && !event->isAutoRepeat()) {
        armCapture();
        return true;
    }
    if (key == Qt::Key_Space && mods == Qt::NoModifier) {
        // Space on a macro row chooses it, as a click does.
        auto *rows = qobject_cast<QTreeWidget *>(receiver);
        if (rows && rows->currentItem()) {
            if (!event->isAutoRepeat())
                emit rows->itemClicked(rows->currentItem(), rows->currentColumn());
            return true;
        }
    }
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
        if (auto *button = qobject_cast<QAbstractButton *>(receiver)) {
            if (!event->isAutoRepeat())
                button->click();
            return true;
        }
    }
    return false;
}

bool KeyboardAccess::moveFocus(bool forward)
{
    const QList<QWidget *> chain = tabChain();
    if (chain.isEmpty())
        return false;
    QWidget *now = QApplication::focusWidget();
    const int at = chain.indexOf(now);
    if (at < 0 && now && now != m_window) {
        // An editor of its own inside a control (a delay in the macro list)
        // keeps its keys; a control the page in front now covers hands Tab to
        // the chain rather than to Qt's, which knows nothing of covered controls.
        for (QWidget *w : chain)
            if (w->isAncestorOf(now))
                return false;
    }
    const int n = chain.size();
    const int next = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
    chain[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

void KeyboardAccess::armCapture()
{
    CustomizePanel *panel = m_window->customize();
    m_textBeforeCapture = panel->widgets().newKeyEdit->text();
    m_captureArmed = true;
    // The capture listens on the window, as after a click on a key.
    m_window->setFocus(Qt::OtherFocusReason);
}

void KeyboardAccess::endCapture(bool cancelled)
{
    CustomizePanel *panel = m_window->customize();
    m_captureArmed = false;
    if (cancelled) {
        const QSignalBlocker block(panel->widgets().newKeyEdit);
        panel->widgets().newKeyEdit->setText(m_textBeforeCapture);
    }
    panel->widgets().newKeyEdit->setFocus(Qt::OtherFocusReason);
}
void KeyboardAccess::frameFocusedWidget(QWidget *focused)
{
    const bool inWindow = focused && focused != m_window && m_window->isAncestorOf(focused);
    if (!m_focusFrame && inWindow)
        m_focusFrame = new QFocusFrame(m_window);
    if (m_focusFrame)
        m_focusFrame->setWidget(inWindow ? focused : nullptr);
}
