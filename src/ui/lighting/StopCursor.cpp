#include "StopCursor.h"
#include "core/app/TranslationContexts.h"

#include "LightingPage.h"
#include "ui/shell/AccessibleNames.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QSlider>

using namespace orvanta;

StopCursor::StopCursor(LightingPage *page, QSlider *strip)
    : QWidget(page), m_page(page), m_strip(strip)
{
    setObjectName(QStringLiteral("stopCursor"));
    setGeometry(strip->geometry().adjusted(-4, -4, 4, 24)); // the strip and the squares below
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
    setAccessibleDescription(
        context::LightingPage::tr("Left and Right choose a stop; the colour fields then set it"));
    setVisible(strip->isVisibleTo(page));
    strip->installEventFilter(this);
    announce();
}

bool StopCursor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_strip && (event->type() == QEvent::Show || event->type() == QEvent::Hide)) {
        setVisible(event->type() == QEvent::Show);
        raise();
    }
    return false;
}

void StopCursor::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Left && event->key() != Qt::Key_Right) {
        QWidget::keyPressEvent(event);
        return;
    }
    m_page->chooseStop(event->key() == Qt::Key_Right ? 1 : -1);
    announce();
}

void StopCursor::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    announce();
}

void StopCursor::announce()
{
    QString text = context::LightingPage::tr("STOPS CONTROL");
    const int slot = m_page->model().stopEditor().selectedSlot();
    if (slot >= 0) {
        const Rgb c = m_page->model().stops()[slot].color;
        text += QStringLiteral(": ") + context::LightingPage::tr("stop %1").arg(slot + 1) +
                QStringLiteral(", ") + AccessibleNames::colourText(c.r, c.g, c.b);
    }
    if (accessibleName() != text)
        setAccessibleName(text);
}
