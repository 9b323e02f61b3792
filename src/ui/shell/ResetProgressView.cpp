#include "ResetProgressView.h"
#include "core/app/PictureCache.h"
#include "core/app/TranslationContexts.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QTimer>

static constexpr int kPanelDelayMs = 1000;

ResetProgressView::ResetProgressView(QWidget *parent) : QWidget(parent)
{
    // Covers the whole console while the keyboard is being reset, so nothing
    // else can be clicked; the panel itself is drawn centred in paintEvent.
    m_caption = new QLabel(this);
    m_caption->setGeometry(450, 370, 300, 30);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setStyleSheet(QStringLiteral("color:white; font-size:16px;"));
    m_caption->setText(orvanta::context::Shell::tr("Reset"));
    m_bar = new QProgressBar(this);
    m_bar->setGeometry(450, 410, 300, 30);
    m_bar->setRange(0, 100);
    m_bar->setAlignment(Qt::AlignCenter);
    m_bar->setStyleSheet(QStringLiteral(
        "QProgressBar{\tborder:2px solid grey;\tborder-radius: 5px; background-color: #000000; "
        "color:white;}QProgressBar::chunk{background-color: #FF0000;\t}"));
    // The panel is made once start-up is over, so that a reset shows at once.
    QTimer::singleShot(kPanelDelayMs, this, [this] { panel(); });
}

const QPixmap &ResetProgressView::panel()
{
    if (m_panel.isNull()) {
        // Only the scaled panel is kept, not the full-size picture.
        const QPixmap back(orvanta::picturePath(QStringLiteral("Image/other_back.png")));
        if (!back.isNull())
            m_panel = back.scaled(560, 240, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    return m_panel;
}

void ResetProgressView::setProgress(int value)
{
    m_bar->setValue(value);
}

int ResetProgressView::progress() const
{
    return m_bar->value();
}

void ResetProgressView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(0, 0, 0, 170));
    if (!panel().isNull())
        p.drawPixmap((width() - m_panel.width()) / 2, 300, m_panel);
}
