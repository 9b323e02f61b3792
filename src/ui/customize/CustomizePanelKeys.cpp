// The key cells over the keyboard picture: colours, hit test, hover and the
// key popup, selection, and the capture of a new key from the computer's keyboard.

#include "CustomizePanel.h"
#include "core/app/TranslationContexts.h"
#include "core/assign/AssignmentTable.h"
#include "core/controller/ConsoleController.h"

#include "core/keys/KeyCapture.h"
#include "core/keys/KeyTable.h"
#include "ui/shell/ConsoleContext.h"
#include "ui/shell/KeyPopup.h"

#include <QCoreApplication>
#include <QDebug>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace orvanta;

void CustomizePanel::buildKeyCells(QWidget *w)
{
    // Each lamp fills its key's cap in the picture: the area that selects the key.
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyRect r = keyCapRect(i);
        auto *cell = new QLabel(w);
        cell->setGeometry(r.x, r.y, r.w, r.h);
        cell->setStyleSheet(QStringLiteral("background-color:black"));
        m_keyCells[i] = cell;
    }
    m_ui.keyboardPicture = new QLabel(w);
    m_ui.keyboardPicture->setGeometry(351, 140, 699, 242);
    m_ui.keyboardPicture->setStyleSheet(QStringLiteral(
        "border-image: "
        "url(\"Image/"
        "^C123EE04E9FA79AD51A70EB85EDC4904B9A42220E25096A89F^pimgpsh_fullsize_distr.png\");"));
    m_ui.keyboardPicture->setMouseTracking(true);
}

static QString rgbStyle(int r, int g, int b)
{
    return QStringLiteral("background-color:rgb(") + QString::number(r) + QLatin1Char(',') +
           QString::number(g) + QLatin1Char(',') + QString::number(b) + QStringLiteral(");");
}

void CustomizePanel::colourKeyCell(int state, int cell)
{
    qDebug() << "key_color()" << state << cell;
    setCellColour(state, cell);
}

QString CustomizePanel::cellStyle(int cell) const
{
    // Restored colour: black, red while selected, then the assignment's colour.
    QString style = rgbStyle(0, 0, 0);
    if (m_highlightedCell != 0 && cell == m_highlightedCell)
        style = rgbStyle(255, 0, 0);
    const KeyKind kind = assignments()[cell].kind;
    if (kind == KeyKind::Macro)
        style = rgbStyle(0, 130, 0);
    else if (kind == KeyKind::Single)
        style = rgbStyle(0, 171, 190);
    return style;
}

void CustomizePanel::setCellColour(int state, int cell)
{
    if (cell < 0 || cell >= kKeyCount)
        return;
    QString style;
    switch (state) {
    case 0:
        style = rgbStyle(0, 0, 0);
        break;
    case 1:
    case 4:
        style = rgbStyle(255, 0, 0);
        break;
    case 2:
        style = rgbStyle(0, 130, 0);
        break;
    case 3:
        style = rgbStyle(0, 171, 190);
        break;
    case 5:
        style = cellStyle(cell);
        break;
    default:
        return;
    }
    if (state == 4) {
        // The previous selection goes back to its own colour before this cell
        // becomes the selected one.
        const int previous = m_highlightedCell;
        m_highlightedCell = cell;
        if (previous != cell)
            setCellColour(5, previous);
    }
    QLabel *label = m_keyCells[cell];
    // Style sheets are costly to apply; a cell keeps one that is already right.
    if (label->styleSheet() != style)
        label->setStyleSheet(style);
}

void CustomizePanel::refreshKeyCellColours()
{
    for (int i = 0; i < kKeyCount; ++i)
        setCellColour(5, i);
}

QString CustomizePanel::keyNameAt(int x, int y)
{
    const int cell = hitTestKey(x, y);
    qDebug() << "keyboard_touch_compute()" << cell << y;
    m_hoverKey = cell;
    if (cell == kNoKey)
        return QString();
    colourKeyCell(1, cell);
    return QString::fromUtf8(KEY_TABLE[cell].label);
}

static QString assignmentText(const SlotAssignment &slot)
{
    if (slot.kind != KeyKind::Default)
        return slot.target;
    return context::Shell::tr("Default");
}

void CustomizePanel::hoverAt(const QPoint &pos, bool inFront)
{
    if (!m_context.keyPopup)
        return;
    if (!inFront || !inKeyboardArea(pos.x(), pos.y())) {
        m_context.keyPopup->hide();
        return;
    }
    if (m_hoverKey != kNoKey) {
        colourKeyCell(5, m_lastHoverKey);
        m_context.keyPopup->show();
    }
    const QString label = keyNameAt(pos.x(), pos.y());
    if (m_hoverKey == kNoKey) {
        m_context.keyPopup->hide();
        return;
    }
    m_lastHoverKey = m_hoverKey;
    m_context.keyPopup->setKeyName(label);
    m_context.keyPopup->setAssignment(assignmentText(assignments()[m_hoverKey]));
    const KeyRect &r = KEY_TABLE[m_hoverKey].cell;
    m_context.keyPopup->setGeometry(r.x - 40, r.y - 108, 108, 120);
    m_context.keyPopup->raise();
}

void CustomizePanel::pressAt(const QPoint &pos, bool inFront)
{
    if (!inFront || !inKeyboardArea(pos.x(), pos.y())) {
        if (m_context.keyPopup)
            m_context.keyPopup->hide();
        return;
    }
    // The press selects the key under the mouse now, so a click without a
    // preceding move (a touch screen, a test) selects it too.
    if (hitTestKey(pos.x(), pos.y()) == kNoKey) {
        m_hoverKey = kNoKey;
        return;
    }
    setApplyEnabled(true);
    const QString label = keyNameAt(pos.x(), pos.y());
    selectCell(m_hoverKey, label);
    m_window->setFocus(Qt::MouseFocusReason); // the new-key capture listens on the window
    showSelectedKeyAssignment();
}

bool CustomizePanel::capturingKey()
{
    // Keys are taken only while the ASSIGN field waits for one and the window
    // itself has the focus (a key on the picture was clicked). Keys that another
    // field does not use itself (Enter in PROFILE NAME, every release) come up
    // to the window too and must not be taken.
    const bool capturing =
        m_ui.newKeyEdit && m_ui.newKeyEdit->isVisible() && m_window->focusWidget() == m_window;
    if (!capturing)
        m_capturePresses.clear();
    return capturing;
}

bool CustomizePanel::keyPressed(QKeyEvent *event)
{
    if (!capturingKey())
        return false;
    if (!event->isAutoRepeat()) {
        m_ui.newKeyEdit->clear();
        m_capturePresses.insert(event->key());
    }
    return true;
}

bool CustomizePanel::keyReleased(QKeyEvent *event)
{
    // Only the release of a key pressed during the capture counts: Tab pressed in
    // another field moves the focus to the window before it is released.
    if (!capturingKey() || !m_capturePresses.contains(event->key()))
        return false;
    if (event->isAutoRepeat())
        return true;
    m_capturePresses.remove(event->key());
    const CapturedKey key =
        captureKey(event->key(), event->text(), event->modifiers() & Qt::KeypadModifier);
    m_ui.newKeyEdit->setText(key.label);
    if (key.hasUsage)
        m_capturedUsage = key.usage;
    qDebug("%d %d", event->key(), m_capturedUsage);
    return true;
}

void CustomizePanel::showPopupOverKey(int cell)
{
    if (!m_context.keyPopup || cell < 0 || cell >= kKeyCount || !KEY_TABLE[cell].label)
        return;
    m_context.keyPopup->setKeyName(QString::fromUtf8(KEY_TABLE[cell].label));
    m_context.keyPopup->setAssignment(assignmentText(assignments()[cell]));
    const KeyRect &r = KEY_TABLE[cell].cell;
    m_context.keyPopup->setGeometry(r.x - 40, r.y - 108, 108, 120);
    m_context.keyPopup->show();
    m_context.keyPopup->raise();
}

void CustomizePanel::selectKeyCell(int cell)
{
    if (cell < 0 || cell >= kKeyCount || !KEY_TABLE[cell].label)
        return;
    m_hoverKey = cell;
    setApplyEnabled(true);
    selectCell(cell, QString::fromUtf8(KEY_TABLE[cell].label));
    showSelectedKeyAssignment();
}

void CustomizePanel::selectCell(int cell, const QString &label)
{
    colourKeyCell(4, cell);
    m_selectedKey = cell;
    m_ui.selectedKeyLabel->setText(label);
}
