#include "KeyCursor.h"

#include "core/keys/KeyNavigation.h"
#include "core/keys/KeyTable.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QPainter>

using namespace orvanta;

KeyCursor::KeyCursor(QWidget *parent, const QRect &picture, const QPoint &pictureOrigin)
    : QWidget(parent), m_origin(pictureOrigin), m_key(firstNavigableKey())
{
    setObjectName(QStringLiteral("keyCursor"));
    setGeometry(picture);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::TabFocus);
}

QVector<int> KeyCursor::selection() const
{
    if (m_anchor >= 0)
        return keysSpannedBy(m_anchor, m_key);
    return {m_key};
}

void KeyCursor::setPictureName(const QString &name)
{
    m_pictureName = name;
    announce();
}

void KeyCursor::setDescriber(std::function<QString(int)> describe)
{
    m_describe = std::move(describe);
    announce();
}

void KeyCursor::announce()
{
    QString text = m_pictureName;
    const QString key = m_describe ? m_describe(m_key) : QString::fromUtf8(KEY_TABLE[m_key].label);
    if (!key.isEmpty())
        text += QStringLiteral(": ") + key;
    if (m_anchor >= 0)
        text += QStringLiteral(" (%1)").arg(selection().size());
    if (accessibleName() == text)
        return;
    setAccessibleName(text); // tells screen readers the name changed
}

QRect KeyCursor::cellRect(int key) const
{
    const KeyRect c = keyCapRect(key);
    return QRect(c.x - m_origin.x(), c.y - m_origin.y(), c.w, c.h);
}

void KeyCursor::keyPressEvent(QKeyEvent *event)
{
    KeyDirection direction;
    switch (event->key()) {
    case Qt::Key_Left:
        direction = KeyDirection::Left;
        break;
    case Qt::Key_Right:
        direction = KeyDirection::Right;
        break;
    case Qt::Key_Up:
        direction = KeyDirection::Up;
        break;
    case Qt::Key_Down:
        direction = KeyDirection::Down;
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!event->isAutoRepeat()) {
            const QVector<int> keys = selection();
            m_anchor = -1;
            update();
            emit activated(keys);
            announce();
        }
        return;
    case Qt::Key_Escape:
        m_anchor = -1;
        update();
        announce();
        emit escaped();
        return;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    if (event->modifiers() & Qt::ShiftModifier) {
        if (m_anchor < 0)
            m_anchor = m_key;
    } else {
        m_anchor = -1;
    }
    m_key = keyInDirection(m_key, direction);
    update();
    announce();
    emit moved(m_key);
}

void KeyCursor::paintEvent(QPaintEvent *)
{
    if (!hasFocus())
        return;
    QPainter painter(this);
    if (m_anchor >= 0) {
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1, Qt::DashLine));
        painter.setBrush(QColor(255, 255, 255, 40));
        for (int k : selection())
            painter.drawRect(cellRect(k).adjusted(1, 1, -2, -2));
    }
    painter.setPen(QPen(Qt::white, 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cellRect(m_key).adjusted(1, 1, -1, -1));
}

void KeyCursor::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    raise();
    update();
    announce();
    emit moved(m_key);
}

void KeyCursor::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
    emit left();
}
