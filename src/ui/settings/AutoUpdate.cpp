#include "AutoUpdate.h"
#include "core/app/TranslationContexts.h"

#include "core/settings/ProgramLauncher.h"
#include "core/settings/UpdateProtocol.h"
#include "ui/shell/WidgetDesktopServices.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextEdit>
#include <QUuid>

using namespace orvanta;

namespace
{

const QString UUID_FILE = QStringLiteral("UUID.txt");
const QString VERSION_FILE = QStringLiteral("Version.txt");
const QString FILE_URL_FILE = QStringLiteral("fileUrl.txt");
const QString LEFTOVER_FILE = QStringLiteral("Quell_update.exe");
// The product code sent with every request.
const QString kProductCode = QString::fromLatin1(PRODUCT_CODE);

// The service answers with a few hundred bytes; anything far larger is not an
// answer and is not kept in memory.
constexpr qint64 MAX_REPLY_BYTES = 1 << 20;
constexpr int TRANSFER_TIMEOUT_MS = 30000;

} // namespace

AutoUpdate::AutoUpdate(QWidget *parent, orvanta::DesktopServices *desktop)
    : QWidget(parent), m_desktop(desktop ? *desktop : orvanta::defaultDesktopServices()),
      m_manager(new QNetworkAccessManager(this)), m_currentVersion(QStringLiteral(ORVANTA_VERSION))
{
    m_manager->setTransferTimeout(TRANSFER_TIMEOUT_MS);
    connect(m_manager, &QNetworkAccessManager::finished, this, &AutoUpdate::finishedSlot);
    if (QFile::exists(LEFTOVER_FILE))
        QFile::remove(LEFTOVER_FILE);
}

AutoUpdate::~AutoUpdate()
{
    m_manager->disconnect(this);
}

void AutoUpdate::setCurrentVersion(const QString &version)
{
    m_currentVersion = version;
}

void AutoUpdate::checkOldVersion()
{
    qDebug() << "getVersion---OldVersion:" << m_currentVersion;
    const QString recorded = readOldVersion();
    qDebug() << "checkOldVersion():" << recorded;
    if (compareVersion(QStringLiteral("V") + m_currentVersion, recorded)) {
        // This start follows a successful update.
        qDebug() << "Update Success";
        post(successReportBody(readUUID(), kProductCode, recorded, m_currentVersion));
        if (QFile::exists(LEFTOVER_FILE)) {
            qDebug() << "Delete Update File";
            QFile::remove(LEFTOVER_FILE);
        }
        QFile::remove(VERSION_FILE);
        return;
    }
    post(versionQueryBody(kProductCode));
}

QString AutoUpdate::readOldVersion()
{
    if (QFile::exists(VERSION_FILE)) {
        qDebug() << "Have file";
        return readSmallFile(VERSION_FILE);
    }
    qDebug() << "no file";
    return m_currentVersion;
}

bool AutoUpdate::compareVersion(const QString &newer, const QString &older)
{
    return orvanta::compareVersion(newer, older);
}

void AutoUpdate::writeVersionFile()
{
    writeSmallFile(VERSION_FILE, m_currentVersion.toUtf8());
}

void AutoUpdate::writeFileUrl(const QString &url)
{
    writeSmallFile(FILE_URL_FILE, url.toUtf8());
}

void AutoUpdate::writeUUID(QString id)
{
    writeSmallFile(UUID_FILE, id.toUtf8());
}

QString AutoUpdate::readUUID()
{
    if (QFile::exists(UUID_FILE)) {
        const QString stored = readSmallFile(UUID_FILE);
        // An emptied file would send an empty id on every start: make a new one.
        if (!stored.isEmpty())
            return uuidForRequest(stored);
    }
    m_installationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    writeUUID(m_installationId);
    return m_installationId;
}

QNetworkReply *AutoUpdate::post(const QByteArray &body)
{
    QNetworkRequest request(updateServiceUrl());
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    QNetworkReply *reply = m_manager->post(request, body);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > MAX_REPLY_BYTES)
            reply->abort();
    });
    return reply;
}

void AutoUpdate::checkNow()
{
    if (m_pendingCheck)
        return; // the answer to the first click is on its way
    m_pendingCheck = post(versionQueryBody(kProductCode));
}

void AutoUpdate::answerCheck(QNetworkReply *reply)
{
    m_pendingCheck = nullptr;
    if (reply->error() != QNetworkReply::NoError) {
        emit checkFailed(reply->errorString());
        return;
    }
    const UpdateReply answer = parseUpdateReply(reply->read(MAX_REPLY_BYTES));
    if (answer.resultCode != QLatin1String("002") || answer.version.trimmed().isEmpty()) {
        emit checkFailed(context::Shell::tr("the update service gave no version"));
        return;
    }
    QString version = answer.version.trimmed();
    if (compareVersion(version, m_currentVersion)) {
        if (version.startsWith(QLatin1Char('V'), Qt::CaseInsensitive))
            version.remove(0, 1);
        emit newerAvailable(version);
    } else {
        emit upToDate(m_currentVersion);
    }
}

void AutoUpdate::finishedSlot(QNetworkReply *reply)
{
    if (reply == m_pendingCheck) {
        answerCheck(reply);
        reply->deleteLater();
        return;
    }
    qDebug() << "finishedSlot----------Start";
    if (reply->error() != QNetworkReply::NoError) {
        qDebug() << "handle errors here";
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        qDebug("found error ....code: %d %d\n", status, int(reply->error()));
        qDebug() << reply->errorString();
        qDebug() << "strId:" << m_installationId;
    } else {
        const UpdateReply answer = parseUpdateReply(reply->read(MAX_REPLY_BYTES));
        if (answer.resultCode == QLatin1String("002")) {
            m_newestVersion = answer.version;
            if (compareVersion(m_newestVersion, m_currentVersion)) {
                const QString text = QStringLiteral("You are using an older version software.\n"
                                                    "Updating your software\n"
                                                    "Your current software version : V") +
                                     m_currentVersion +
                                     QStringLiteral("\nNewest software version : ") +
                                     m_newestVersion;
                if (m_desktop.ask(QStringLiteral("ORVANTA RGB SOFTWARE UPDATE"), text)) {
                    qDebug() << "Yes was clicked";
                    qDebug() << "compareVersion Start Update";
                    post(downloadQueryBody(readUUID(), kProductCode));
                }
            }
        } else if (answer.resultCode == QLatin1String("001")) {
            if (compareVersion(answer.version, m_currentVersion)) {
                writeVersionFile();
                writeFileUrl(answer.url);
                startUpdater();
            } else {
                qDebug() << "noteStr:" << answer.note;
                showUpdateNote(answer.note);
            }
        }
    }
    reply->deleteLater();
    qDebug() << "finishedSlot----------End";
}

void AutoUpdate::startUpdater()
{
    qDebug() << "Start update111";
    const QString folder = QCoreApplication::applicationDirPath();
    if (m_desktop.startProgram(softwareUpdaterProgram(folder), folder, true))
        close();
}

void AutoUpdate::showUpdateNote(const QString &note)
{
    // The panel lives in this hidden widget; the user sees the note through the
    // note window below.
    if (!m_noteText) {
        setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
        auto *panel = new QWidget(this);
        panel->setGeometry(100, 100, 300, 300);
        auto *label = new QLabel(QStringLiteral("Update Note:"), panel);
        label->setGeometry(10, 5, 280, 15);
        m_noteText = new QTextEdit(panel);
        m_noteText->setGeometry(10, 20, 280, 270);
        m_noteText->setReadOnly(true);
        panel->show();
    }
    m_noteText->append(note);
    m_desktop.showNote(note);
}
