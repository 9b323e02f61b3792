#include "KeyPopup.h"

#include "core/app/PictureCache.h"

#include <QBitmap>
#include <QLabel>
#include <QPalette>
#include <QPixmap>

KeyPopup::KeyPopup(QWidget *parent) : QWidget(parent)
{
    const QString file = QStringLiteral("Image/UI-Design-2016_Keyboard_1121_03_315.196.png");
    const QPixmap picture = orvanta::cachedPixmap(file);
    resize(108, 120);
    if (!picture.isNull()) {
        QPalette pal = palette();
        pal.setBrush(QPalette::Window, QBrush(picture.scaled(108, 120)));
        setPalette(pal);
        setAutoFillBackground(true);
        setMask(orvanta::cachedMask(file, {108, 120}));
    }
    m_name = new QLabel(this);
    m_name->setGeometry(10, 20, 84, 23);
    m_name->setStyleSheet(QStringLiteral("color:red; font: 18pt; font-family: Arial Unicode MS;"));
    m_name->setAlignment(Qt::AlignCenter);
    m_assignment = new QLabel(this);
    m_assignment->setGeometry(10, 56, 84, 23);
    m_assignment->setStyleSheet(QStringLiteral("color:white; font-family: Arial Unicode MS;"));
    m_assignment->setAlignment(Qt::AlignCenter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void KeyPopup::setKeyName(const QString &name)
{
    m_name->setText(name);
}

void KeyPopup::setAssignment(const QString &text)
{
    m_assignment->setText(text);
}

QString KeyPopup::assignment() const
{
    return m_assignment->text();
}
