#include "Shell.h"
#include "core/app/PictureCache.h"
#include "core/app/TranslationContexts.h"
#include "core/storage/RegularFile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPushButton>
#include <QTranslator>

namespace orvanta
{

QString catalogFileForLanguage(int language)
{
    switch (language) {
    case 0:
        return QStringLiteral("Language/en.qm");
    case 1:
        return QStringLiteral("Language/tc.qm");
    case 2:
        return QStringLiteral("Language/cn.qm");
    default:
        return QString();
    }
}

bool loadTranslationCatalog(QTranslator &translator, const QString &relativePath)
{
    if (checkRegularFile(relativePath, kPictureFileLimit).ok() && translator.load(relativePath))
        return true;
    const QString name = QFileInfo(relativePath).fileName();
    return translator.load(QStringLiteral(":/LumoProject/Language/") + name);
}

QString profileButtonText(int profile)
{
    static const char *const names[5] = {QT_TRANSLATE_NOOP("LumoProject", "PROFILE 1"),
                                         QT_TRANSLATE_NOOP("LumoProject", "PROFILE 2"),
                                         QT_TRANSLATE_NOOP("LumoProject", "PROFILE 3"),
                                         QT_TRANSLATE_NOOP("LumoProject", "PROFILE 4"),
                                         QT_TRANSLATE_NOOP("LumoProject", "PROFILE 5")};
    if (profile < 1 || profile > 5)
        return QString();
    return context::Shell::tr(names[profile - 1]);
}

ShellStyles ShellStyles::forFont(const QString &fontFamily)
{
    ShellStyles s;
    s.fontFamily = fontFamily;
    const QString tab =
        QStringLiteral("border-image: url(\"%1\"); ")
            .arg(picturePath(QStringLiteral("Image/UI-Design-2016_Keyboard_out_26_32.71.png")));
    const QString button =
        picturePath(QStringLiteral("Image/UI-Design-2016_Keyboard_out_204_910.472.png"));
    s.tabOff = tab + QStringLiteral("color:rgba(255,255,255,50); font-family:") + fontFamily;
    s.tabOn = tab + QStringLiteral("color:red; font-family:") + fontFamily;
    s.actionButton =
        QStringLiteral("QPushButton{border-image: url(\"%1\"); color:white; font-family:")
            .arg(button) +
        fontFamily +
        QStringLiteral(";}QPushButton:pressed{border-image: url(\"%1\");font-family:").arg(button) +
        fontFamily + QStringLiteral("; color:red;}");
    s.label = QStringLiteral("color:white;  font-family:") + fontFamily;
    s.combo = QStringLiteral("background-color: rgb(38,38,38); color:white; border: 1px "
                             "rgb(132,132,132); font-family:") +
              fontFamily;
    return s;
}

QPushButton *pushButtonAt(QWidget *parent, const QRect &geometry)
{
    auto *b = new QPushButton(parent);
    b->setGeometry(geometry);
    b->setFocusPolicy(Qt::TabFocus);
    b->setCursor(Qt::PointingHandCursor);
    return b;
}

QPushButton *iconButton(QWidget *parent, const QString &icon, const QRect &geometry)
{
    QPushButton *b = pushButtonAt(parent, geometry);
    b->setStyleSheet(QStringLiteral("QPushButton{border-image:url(\"%1\");}"
                                    "QPushButton:hover{border-image:url(\"%2\");}")
                         .arg(picturePath(QStringLiteral("Image/icons/%1.png").arg(icon)),
                              picturePath(QStringLiteral("Image/icons/%1_hover.png").arg(icon))));
    return b;
}

QString comboStyleSheet(const QString &base)
{
    return QStringLiteral("QComboBox{") + base +
           QStringLiteral(
               "; border:1px solid rgb(132,132,132); border-radius:3px; padding-left:6px;}"
               "QComboBox:hover{border:1px solid rgb(200,40,40);}"
               "QComboBox::drop-down{border:none; width:18px;}"
               "QComboBox QAbstractItemView{background-color:rgb(38,38,38); color:white; "
               "selection-background-color:rgb(170,20,20);}");
}

QString lineEditStyleSheet(const QString &fontFamily)
{
    return QStringLiteral("QLineEdit{background-color:rgb(38,38,38); color:white; border:1px solid "
                          "rgb(132,132,132); border-radius:3px; padding-left:4px; font-family:") +
           fontFamily + QStringLiteral(";} QLineEdit:focus{border:1px solid rgb(200,40,40);}");
}

} // namespace orvanta
