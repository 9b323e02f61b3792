#pragma once
// The software update check, once per start: asks the vendor's service for a
// newer console, asks the user, records the download address and starts the
// updater. After an update it reports the success and clears the leftovers.
// A widget that is never shown; it only hosts the release-note panel.

#include <QString>
#include <QWidget>

namespace orvanta
{
class DesktopServices;
}
class QNetworkAccessManager;
class QNetworkReply;
class QTextEdit;

class AutoUpdate : public QWidget
{
    Q_OBJECT
public:
    // Without `desktop` the check uses the console's real desktop services.
    explicit AutoUpdate(QWidget *parent = nullptr, orvanta::DesktopServices *desktop = nullptr);
    // Requests still under way end without an answer.
    ~AutoUpdate() override;

    void setCurrentVersion(const QString &version);
    void checkOldVersion();
    QString readOldVersion();
    bool compareVersion(const QString &newer, const QString &older);
    void startUpdater();
    void showUpdateNote(const QString &note);
    void writeVersionFile();
    void writeFileUrl(const QString &url);

    // Asks the service for the newest version now (the same request as the
    // check after start-up) and answers with one of the signals below; the
    // start-up flow's question, download and updater are not involved.
    void checkNow();

signals:
    void upToDate(const QString &version);
    void newerAvailable(const QString &version);
    void checkFailed(const QString &error);

public slots:
    void finishedSlot(QNetworkReply *reply);
    void writeUUID(QString id);
    QString readUUID();

private:
    QNetworkReply *post(const QByteArray &body);
    void answerCheck(QNetworkReply *reply);

    orvanta::DesktopServices &m_desktop; // the question, the note, the updater
    QNetworkAccessManager *m_manager;
    QString m_currentVersion; // the running console's
    QString m_newestVersion;
    QNetworkReply *m_pendingCheck = nullptr; // the on-demand check under way
    QTextEdit *m_noteText = nullptr;
    QString m_installationId; // created at this start, if one was created
};
