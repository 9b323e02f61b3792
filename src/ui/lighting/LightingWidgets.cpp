#include "LightingWidgets.h"
#include "core/app/PictureCache.h"

#include "core/storage/LanguageFile.h"
#include "core/storage/StoredList.h"

#include <QLabel>
#include <QPushButton>
#include <QVariant>

using namespace orvanta;

QString LightingWidgets::fontFamily()
{
    return toNumber(LanguageFile::read()) == 0 ? QStringLiteral("Arial Unicode MS")
                                               : QStringLiteral("Microsoft JhengHei");
}

QString LightingWidgets::comboStyle()
{
    return QStringLiteral(
        "QComboBox{background:#2b2b2e;color:white;border:1px solid #5a5a60;padding-left:6px;}"
        "QComboBox:hover{border:1px solid #d02020;}"
        "QComboBox QAbstractItemView{background:#2b2b2e;color:white;"
        "selection-background-color:#b01818;}");
}

QString LightingWidgets::sliderStyle()
{
    return QStringLiteral("QSlider::groove:horizontal{height:4px;background:#55555a;}"
                          "QSlider::handle:horizontal{background:#d02020;width:12px;margin:-6px "
                          "0;border-radius:6px;}");
}

QLabel *LightingWidgets::label(QWidget *page, const QString &text, const char *name,
                               const QRect &geometry)
{
    auto *l = new QLabel(text, page);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(geometry);
    l->setStyleSheet(QStringLiteral("color:white;font-family:\"%1\";font-size:12px;"
                                    "font-weight:bold;background:transparent;")
                         .arg(fontFamily()));
    return l;
}

QPushButton *LightingWidgets::toggle(QWidget *page, const QString &text, const char *name,
                                     const QRect &geometry)
{
    auto *b = new QPushButton(text, page);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    setLit(b, false);
    return b;
}

QPushButton *LightingWidgets::action(QWidget *page, const QString &text, const char *name,
                                     const QRect &geometry)
{
    auto *b = new QPushButton(text, page);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::NoFocus);
    b->setStyleSheet(
        QStringLiteral("QPushButton{border-image:url(%2);"
                       "color:white;font-family:\"%1\";font-size:12px;font-weight:bold;}"
                       "QPushButton:pressed{border-image:url(%3);}")
            .arg(fontFamily(), picturePath("Image/UI-Design-2016_Keyboard_out_204_910.472.png"),
                 picturePath("Image/button_red.png")));
    return b;
}

void LightingWidgets::setLit(QPushButton *button, bool lit)
{
    button->setProperty("lit", lit);
    button->setStyleSheet(
        QStringLiteral("QPushButton{border-image:url(%1);"
                       "color:%2;font-family:\"%3\";font-size:12px;font-weight:bold;}")
            .arg(picturePath(QStringLiteral("Image/eff/fully_lighted/%1.png")
                                 .arg(lit ? "toggle_on" : "toggle_off")),
                 lit ? "white" : "#b8b8b8", fontFamily()));
}
