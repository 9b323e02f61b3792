#include "StatusBand.h"

#include <QAccessible>

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

StatusBand::StatusBand(QWidget *parent)
    : QWidget(parent), m_state(new QLabel(this)), m_notice(new QLabel(this)),
      m_noticeTimer(new QTimer(this))
{
    // Clicks go through to the window below, which drags by this band.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    for (QLabel *label : {m_state, m_notice}) {
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        layout->addWidget(label);
    }
    m_noticeTimer->setSingleShot(true);
    m_noticeTimer->setInterval(kNoticeMs);
    connect(m_noticeTimer, &QTimer::timeout, this, [this] {
        m_notice->clear();
        announce(m_notice);
    });
    setKeyboardState(QString(), false);
}

void StatusBand::setKeyboardState(const QString &text, bool present)
{
    m_state->setText(text);
    announce(m_state);
    m_state->setStyleSheet(present ? QStringLiteral("color:rgb(0,171,190); font-size:12px;")
                                   : QStringLiteral("color:rgb(255,120,80); font-size:12px;"));
}

void StatusBand::showNotice(const QString &text, NoticeKind kind)
{
    QString colour = QStringLiteral("white");
    if (kind == NoticeKind::Success)
        colour = QStringLiteral("rgb(0,171,190)");
    else if (kind == NoticeKind::Warning)
        colour = QStringLiteral("rgb(255,190,60)");
    else if (kind == NoticeKind::Error)
        colour = QStringLiteral("rgb(255,80,80)");
    m_notice->setStyleSheet(QStringLiteral("color:%1; font-size:12px;").arg(colour));
    m_notice->setText(text);
    announce(m_notice);
    m_noticeTimer->start();
}

void StatusBand::announce(QLabel *label)
{
    // Screen readers hear the new text: the label's name is its text, and the
    // change is told as it happens.
    label->setAccessibleName(label->text());
    QAccessibleEvent changed(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
}

QString StatusBand::stateText() const
{
    return m_state->text();
}

QString StatusBand::noticeText() const
{
    return m_notice->text();
}
