#include "AutoUpdate.h"

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

// The service answers with a few hundred bytes; anything far larger is not an
// answer and is not kept in memory.
constexpr qint64 MAX_REPLY_BYTES = 1 << 20;
constexpr int TRANSFER_TIMEOUT_MS = 30000;

} // namespace

QString AutoUpdate::currentVersion = QStringLiteral(ORVANTA_VERSION);
const QString AutoUpdate::productCode = QString::fromLatin1(PRODUCT_CODE);
QString AutoUpdate::strId;

AutoUpdate::AutoUpdate(QWidget *parent, orvanta::DesktopServices *desktop)
    : QWidget(parent), m_desktop(desktop ? *desktop : orvanta::defaultDesktopServices()),
      m_manager(new QNetworkAccessManager(this))
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
    currentVersion = version;
}

void AutoUpdate::checkOldVersion()
{
    qDebug() << "getVersion---OldVersion:" << currentVersion;
    const QString recorded = readOldVersion();
    qDebug() << "checkOldVersion():" << recorded;
    if (compareVersion(QStringLiteral("V") + currentVersion, recorded)) {
        // This start follows a successful update.
        qDebug() << "Update Success";
        post(successReportBody(readUUID(), productCode, recorded, currentVersion));
        if (QFile::exists(LEFTOVER_FILE)) {
            qDebug() << "Delete Update File";
            QFile::remove(LEFTOVER_FILE);
        }
        QFile::remove(VERSION_FILE);
        return;
    }
    post(versionQueryBody(productCode));
}

QString AutoUpdate::readOldVersion()
{
    if (QFile::exists(VERSION_FILE)) {
        qDebug() << "Have file";
        return readSmallFile(VERSION_FILE);
    }
    qDebug() << "no file";
    return currentVersion;
}

bool AutoUpdate::compareVersion(const QString &newer, const QString &older)
{
    return orvanta::compareVersion(newer, older);
}

void AutoUpdate::writeVersionFile()
{
    writeSmallFile(VERSION_FILE, currentVersion.toUtf8());
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
    strId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    writeUUID(strId);
    return strId;
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
    m_pendingCheck = post(versionQueryBody(productCode));
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
        emit checkFailed(
            QCoreApplication::translate("LumoProject", "the update service gave no version"));
        return;
    }
    QString version = answer.version.trimmed();
    if (compareVersion(version, currentVersion)) {
        if (version.startsWith(QLatin1Char('V'), Qt::CaseInsensitive))
            version.remove(0, 1);
        emit newerAvailable(version);
    } else {
        emit upToDate(currentVersion);
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
        qDebug() << "strId:" << strId;
    } else {
        const UpdateReply answer = parseUpdateReply(reply->read(MAX_REPLY_BYTES));
        if (answer.resultCode == QLatin1String("002")) {
            m_newestVersion = answer.version;
            if (compareVersion(m_newestVersion, currentVersion)) {
                const QString text = QStringLiteral("You are using an older version software.\n"
                                                    "Updating your software\n"
                                                    "Your current software version : V") +
                                     currentVersion +
                                     QStringLiteral("\nNewest software version : ") +
                                     m_newestVersion;
                if (m_desktop.ask(QStringLiteral("ORVANTA RGB SOFTWARE UPDATE"), text)) {
                    qDebug() << "Yes was clicked";
                    qDebug() << "compareVersion Start Update";
                    post(downloadQueryBody(readUUID(), productCode));
                }
            }
        } else if (answer.resultCode == QLatin1String("001")) {
            if (compareVersion(answer.version, currentVersion)) {
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
