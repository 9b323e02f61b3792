#pragma once
// The Settings page: interface language, the vendor's web pages, the console's
// version and the firmware updater.

#include <QString>
#include <QWidget>

namespace orvanta
{
class DesktopServices;
}
class AutoUpdate;
class QComboBox;
class QLabel;
class QPushButton;

class SettingsPage : public QWidget
{
    Q_OBJECT
public:
    // Without `desktop` the page uses the console's real desktop services.
    explicit SettingsPage(QWidget *parent = nullptr, orvanta::DesktopServices *desktop = nullptr);

    // Re-reads the language setting and sets the page's translated texts, font
    // family and caption style again.
    void retranslate();

signals:
    void languageChosen(QString code);
    // The user asked to see the virtual keyboard.
    void virtualKeyboardRequested();
    // What came of a request, for the status band: carried out, or not and why.
    void informed(QString text);
    void refused(QString text);

public slots:
    void openPage(const QString &url);
    void openWebsite();
    void openSocialMedia();
    void updateFirmware();
    void languageListChosen();

protected:
    void showEvent(QShowEvent *event) override;

private:
    orvanta::DesktopServices &m_desktop; // the web pages and the firmware updater

    void applyLanguage();
    void usePlainFace();
    AutoUpdate &updateCheck();

    QString m_fontFamily;
    QString m_captionStyle;
    bool m_dressed = false; // the background picture is on
    QLabel *m_languageCaption;
    QComboBox *m_languageList;
    QLabel *m_webCaption;
    QPushButton *m_websiteButton;
    QPushButton *m_socialButton;
    QLabel *m_versionCaption;
    QLabel *m_versionLabel;
    QPushButton *m_updateButton;
    QPushButton *m_virtualKeyboardButton;
    AutoUpdate *m_updateCheck = nullptr; // made on the first check
};
