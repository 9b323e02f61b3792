#include "SettingsPage.h"
#include "core/app/TranslationContexts.h"

#include "AutoUpdate.h"

#include "core/app/PictureCache.h"
#include "core/settings/LanguageText.h"
#include "core/settings/ProgramLauncher.h"
#include "core/settings/WebLinks.h"
#include "core/storage/LanguageFile.h"
#include "core/storage/RegularFile.h"
#include "ui/shell/WidgetDesktopServices.h"

#include <QBitmap>
#include <QComboBox>
#include <QCoreApplication>
#include <QDebug>
#include <QFont>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

using namespace orvanta;

namespace
{

const QSize PAGE_SIZE(960, 620);
const char BACK_PICTURE[] = "Image/other_back.png";

QString captionStyleFor(const QString &family)
{
    return QStringLiteral("color:white; font-family:") + family + QStringLiteral(";");
}

} // namespace

SettingsPage::SettingsPage(QWidget *parent, orvanta::DesktopServices *desktop)
    : QWidget(parent), m_desktop(desktop ? *desktop : orvanta::defaultDesktopServices())
{
    m_fontFamily = fontFamilyForLanguage(languageIndex(LanguageFile::read()), QString());
    m_captionStyle = captionStyleFor(m_fontFamily);

    // The background picture gives the page its size, its face and its shape.
    // The size is read from the file's header now; the picture is decoded when
    // the page first shows (showEvent), as the page starts hidden.
    const QSize pictureSize = checkRegularFile(QLatin1String(BACK_PICTURE), kPictureFileLimit).ok()
                                  ? QImageReader(QLatin1String(BACK_PICTURE)).size()
                                  : QSize();
    if (pictureSize.isValid())
        setFixedSize(pictureSize);
    else
        usePlainFace();

    m_languageCaption = new QLabel(this);
    m_languageCaption->setGeometry(55, 15, 84, 11);

    m_languageList = new QComboBox(this);
    m_languageList->setGeometry(55, 36, 120, 24);
    m_languageCaption->setBuddy(m_languageList); // screen readers name the list by it
    m_languageList->setStyleSheet(
        QStringLiteral("background-color: rgb(38,38,38); color:white; "
                       "border: 1px rgb(132,132,132); font-family: Arial Unicode MS"));
    m_languageList->addItems(languageNames());
    QFont listFont = m_languageList->font();
    listFont.setPixelSize(12);
    m_languageList->setFont(listFont);

    m_webCaption = new QLabel(this);
    m_webCaption->setGeometry(55, 90, 210, 11);

    m_websiteButton = new QPushButton(this);
    m_websiteButton->setGeometry(55, 110, 142, 35);
    m_websiteButton->setStyleSheet(
        QStringLiteral("background-image: url(\"%1\"); border: 1px solid gray; ")
            .arg(picturePath(QStringLiteral("Image/bxeLogoA.png"))));
    m_websiteButton->setCursor(Qt::PointingHandCursor);

    m_socialButton = new QPushButton(this);
    m_socialButton->setGeometry(220, 110, 142, 35);
    m_socialButton->setStyleSheet(QStringLiteral(
        "background-image: url(\"Image/socialLogo.png\"); border: 1px solid gray; "));
    m_socialButton->setCursor(Qt::PointingHandCursor);

    m_versionCaption = new QLabel(this);
    m_versionCaption->setGeometry(55, 175, 140, 11);

    m_versionLabel = new QLabel(QStringLiteral("v") + QStringLiteral(ORVANTA_VERSION), this);
    m_versionLabel->setGeometry(180, 175, 84, 11);
    m_versionLabel->setAlignment(Qt::AlignCenter);

    // The captions are 11 pixels high: their text is sized to fit whatever face
    // the family resolves to (the style sheets only name the family).
    for (QLabel *caption : {m_languageCaption, m_webCaption, m_versionCaption, m_versionLabel}) {
        QFont small = caption->font();
        small.setPixelSize(10);
        caption->setFont(small);
    }

    m_updateButton = new QPushButton(this);
    m_updateButton->setGeometry(55, 230, 150, 22);
    QFont buttonFont = m_updateButton->font();
    buttonFont.setPixelSize(11);
    buttonFont.setBold(true);
    m_updateButton->setFont(buttonFont);
    m_updateButton->setStyleSheet(QStringLiteral(
        "border-image: url(\"Image/1123/UI-Design-2016_Keyboard_1121_172_297.260.png\");"
        " color:white"));

    // Below the update check, clear of every other control of the page.
    m_virtualKeyboardButton = new QPushButton(this);
    m_virtualKeyboardButton->setObjectName(QStringLiteral("virtualKeyboardButton"));
    m_virtualKeyboardButton->setGeometry(55, 285, 150, 22);
    m_virtualKeyboardButton->setFont(buttonFont);
    m_virtualKeyboardButton->setStyleSheet(m_updateButton->styleSheet());
    m_virtualKeyboardButton->setCursor(Qt::PointingHandCursor);

    applyLanguage();

    // A stored language outside the list leaves it without a selection. The
    // index is set before the signal is connected, so building the page does
    // not switch the language.
    const int language = languageIndex(LanguageFile::read());
    m_languageList->setCurrentIndex(language >= 0 && language < LANGUAGE_COUNT ? language : -1);

    connect(m_languageList, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &SettingsPage::languageListChosen);
    connect(m_websiteButton, &QPushButton::released, this, &SettingsPage::openWebsite);
    connect(m_socialButton, &QPushButton::released, this, &SettingsPage::openSocialMedia);
    connect(m_updateButton, &QPushButton::released, this, &SettingsPage::updateFirmware);
    connect(m_virtualKeyboardButton, &QPushButton::released, this,
            &SettingsPage::virtualKeyboardRequested);
}

void SettingsPage::usePlainFace()
{
    m_dressed = true;
    setFixedSize(PAGE_SIZE);
    setAttribute(Qt::WA_StyledBackground);
}

void SettingsPage::showEvent(QShowEvent *)
{
    if (m_dressed)
        return;
    const QPixmap back = cachedPixmap(QLatin1String(BACK_PICTURE));
    if (back.isNull()) {
        usePlainFace();
        return;
    }
    m_dressed = true;
    QPalette pal = palette();
    pal.setBrush(QPalette::Window, QBrush(back));
    setPalette(pal);
    setAutoFillBackground(true);
    // Only the transparent corners are cut away; an opaque picture keeps the
    // whole rectangle.
    if (back.hasAlphaChannel())
        setMask(cachedMask(QLatin1String(BACK_PICTURE), back.size()));
}

void SettingsPage::applyLanguage()
{
    m_languageCaption->setText(context::SettingsPage::tr("LANGUAGE"));
    m_webCaption->setText(context::SettingsPage::tr("OFFICIAL WEBSITE / SOCIAL MEDIA"));
    m_versionCaption->setText(context::SettingsPage::tr("SOFTWARE VERSION : "));
    m_updateButton->setText(context::SettingsPage::tr("CHECK FOR UPDATES"));
    m_virtualKeyboardButton->setText(context::SettingsPage::tr("VIRTUAL KEYBOARD"));
    m_languageCaption->setStyleSheet(m_captionStyle);
    m_webCaption->setStyleSheet(m_captionStyle);
    m_versionCaption->setStyleSheet(m_captionStyle);
    m_versionLabel->setStyleSheet(m_captionStyle);
}

void SettingsPage::retranslate()
{
    m_fontFamily = fontFamilyForLanguage(languageIndex(LanguageFile::read()), m_fontFamily);
    m_captionStyle = captionStyleFor(m_fontFamily);
    applyLanguage();
}

void SettingsPage::openWebsite()
{
    openPage(QString::fromLatin1(WEBSITE_URL));
}

void SettingsPage::openSocialMedia()
{
    openPage(QString::fromLatin1(SOCIAL_MEDIA_URL));
}

void SettingsPage::openPage(const QString &url)
{
    if (!m_desktop.openUrl(QUrl(url)))
        emit refused(
            context::Shell::tr("No web browser could be started: the page is %1").arg(url));
}

AutoUpdate &SettingsPage::updateCheck()
{
    if (m_updateCheck)
        return *m_updateCheck;
    // A hidden helper widget: it never shows on the page.
    m_updateCheck = new AutoUpdate(this, &m_desktop);
    m_updateCheck->setAttribute(Qt::WA_DontShowOnScreen);
    m_updateCheck->hide();
    connect(m_updateCheck, &AutoUpdate::upToDate, this, [this](const QString &version) {
        emit informed(context::Shell::tr("This console is up to date (version %1)").arg(version));
    });
    connect(m_updateCheck, &AutoUpdate::newerAvailable, this, [this](const QString &version) {
        emit informed(context::Shell::tr("Version %1 is available at %2")
                          .arg(version, QString::fromLatin1(WEBSITE_URL)));
    });
    connect(m_updateCheck, &AutoUpdate::checkFailed, this, [this](const QString &error) {
        emit refused(context::Shell::tr("The update check failed: %1").arg(error));
    });
    return *m_updateCheck;
}

void SettingsPage::updateFirmware()
{
    // Always an answer: the installer starts, or the console asks the update
    // service itself and says what it learned.
    if (m_desktop.startProgram(firmwareUpdaterProgram(), QString(), false)) {
        emit informed(context::Shell::tr("The update installer was started"));
        return;
    }
    emit informed(
        context::Shell::tr("No update installer on this platform: checking for a newer version"));
    updateCheck().checkNow();
}

void SettingsPage::languageListChosen()
{
    qDebug() << "setting_language_english_function()";
    emit languageChosen(QString::number(m_languageList->currentIndex()));
    retranslate();
}
