// The Settings page (language list, what a language choice emits, the firmware
// updater button) and the update check against a local stand-in for the
// vendor's service on 127.0.0.1: which requests go out, what is asked, written
// and started.

#include "TestSupport.h"
#include "core/settings/UpdateProtocol.h"
#include "core/storage/LanguageFile.h"
#include "ui/settings/AutoUpdate.h"
#include "ui/settings/SettingsPage.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

const QJsonObject kVersionQuery{{"command_type", "Zo009"}, {"getUrl", 1}};
const QString kId = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");

// A minimal HTTP service: answers each request with the next canned body (an
// empty one closes the connection without an answer) and keeps each request
// as "METHOD path" and the JSON its "ActiveData=" body carries.
class LocalService : public QTcpServer
{
public:
    QList<QByteArray> answers;
    QStringList requestLines;
    QList<QJsonObject> requests;

    LocalService()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = nextPendingConnection()) {
                connect(s, &QTcpSocket::readyRead, this, [this, s] { read(s); });
                connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
            }
        });
        listen(QHostAddress::LocalHost);
        qputenv("ORVANTA_UPDATE_URL", "http://127.0.0.1:" + QByteArray::number(serverPort()));
    }

private:
    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        const auto length =
            QRegularExpression("(?i)content-length: *(\\d+)").match(buffer.left(end));
        if (end < 0 || buffer.size() < end + 4 + length.captured(1).toInt())
            return;
        requestLines << buffer.left(buffer.indexOf(" HTTP/"));
        const QByteArray body = buffer.mid(end + 4);
        requests << QJsonDocument::fromJson(QByteArray::fromBase64(body.mid(11))).object();
        QVERIFY(body.startsWith("ActiveData="));
        QCOMPARE(QByteArray::fromBase64(body.mid(11)).toBase64(), body.mid(11)); // standard base64
        m_buffers.remove(socket);
        const QByteArray answer = answers.isEmpty() ? QByteArray() : answers.takeFirst();
        if (answer.isEmpty())
            return socket->abort();
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(answer.size()) + "\r\nConnection: close\r\n\r\n" + answer);
        socket->disconnectFromHost();
    }
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

QByteArray versionAnswer(const QByteArray &version)
{
    return R"({"Result_Code":"002","Data":{"version":")" + version + "\"}}";
}

QPushButton *updateButton(SettingsPage &page)
{
    for (QPushButton *b : page.findChildren<QPushButton *>())
        if (b->text() == QLatin1String("CHECK FOR UPDATES"))
            return b;
    return nullptr;
}

} // namespace

class SettingsTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> m_work;
    std::unique_ptr<LocalService> m_service;
    RecordingDesktop m_desktop;

    // Runs one check and waits until `replies` answers were handled; nothing
    // further goes out after the last: a request the last answer set off would
    // be asked before a probe posted now, which the service sees last.
    void runCheck(int replies)
    {
        AutoUpdate checker(nullptr, &m_desktop);
        auto *manager = checker.findChild<QNetworkAccessManager *>();
        QSignalSpy finished(manager, &QNetworkAccessManager::finished);
        checker.setCurrentVersion(QStringLiteral("2.1.2"));
        checker.checkOldVersion();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), replies, 10000);
        m_service->answers << R"({"Result_Code":"000"})"; // the checker ignores it
        QNetworkRequest probe(QUrl(qEnvironmentVariable("ORVANTA_UPDATE_URL") + "/probe"));
        probe.setHeader(QNetworkRequest::ContentTypeHeader, "text/plain");
        manager->post(probe, "ActiveData=");
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), replies + 1, 10000);
        QCOMPARE(m_service->requestLines.takeLast(), QStringLiteral("POST /probe"));
        m_service->requests.removeLast();
    }

private slots:
    void initTestCase()
    {
        // Talk to the loopback service directly whatever the environment's proxy.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        qRegisterMetaType<QNetworkReply *>();
        // Left beside the test by older builds; without it the updater's name ends in .exe.
        QFile::remove(QCoreApplication::applicationDirPath() + "/BrindleUpdate");
    }

    void init()
    {
        m_work = std::make_unique<TempWorkDir>();
        m_service = std::make_unique<LocalService>();
        m_desktop = RecordingDesktop();
    }

    void cleanup()
    {
        m_service.reset();
        m_work.reset();
    }

    void pageFollowsStoredLanguage_data()
    {
        QTest::addColumn<int>("stored"); // -1: no language file
        QTest::addColumn<int>("index");
        QTest::newRow("no setting") << -1 << 0;
        QTest::newRow("simplified") << 2 << 2;
    }
    void pageFollowsStoredLanguage()
    {
        QFETCH(int, stored);
        QFETCH(int, index);
        if (stored >= 0)
            QVERIFY(LanguageFile::write(stored).ok());
        SettingsPage page(nullptr, &m_desktop);
        auto *list = page.findChild<QComboBox *>();
        QCOMPARE((QStringList{list->itemText(0), list->itemText(1), list->itemText(2)}),
                 (QStringList{"English", QString::fromUtf8(u8"繁體中文"),
                              QString::fromUtf8(u8"簡體中文")}));
        QCOMPARE(list->currentIndex(), index);
        QSignalSpy emitted(&page, &SettingsPage::languageChosen);
        list->setCurrentIndex(1);
        list->setCurrentIndex(1); // picking the current item again is no change
        QCOMPARE(emitted.takeFirst(), QVariantList{QStringLiteral("1")});
        QVERIFY(emitted.isEmpty());
    }

    // Without the firmware updater's installer each answer is told after the
    // note that the service is asked.
    void updateButtonWithoutInstallerAsksTheService_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("refused");
        // Newer than any version of this console.
        QTest::newRow("newer") << versionAnswer("V9.1.10")
                               << QString("Version 9.1.10 is available at "
                                          "https://www.orvanta-rgb.com/")
                               << false;
        QTest::newRow("not an answer")
            << QByteArray("<html>busy</html>")
            << QString("The update check failed: the update service gave no version") << true;
    }
    void updateButtonWithoutInstallerAsksTheService()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, told);
        QFETCH(bool, refused);
        QStringList informed{"No update installer on this platform: checking for a newer version"};
        if (!refused)
            informed << told;
        m_service->answers << answer;
        m_desktop.opens = false;    // no update installer can be started
        m_desktop.answerYes = true; // would download if it were asked; it must not be
        SettingsPage page(nullptr, &m_desktop);
        QStringList informedTexts, refusedTexts;
        connect(&page, &SettingsPage::informed, &page,
                [&](const QString &t) { informedTexts << t; });
        connect(&page, &SettingsPage::refused, &page, [&](const QString &t) { refusedTexts << t; });
        QTest::mouseClick(updateButton(page), Qt::LeftButton);
        QCOMPARE(informedTexts, QStringList{informed.first()});
        QTRY_COMPARE_WITH_TIMEOUT(informedTexts.size() + refusedTexts.size(), 2, 10000);
        QCOMPARE(informedTexts, informed);
        QCOMPARE(refusedTexts, refused ? QStringList{told} : QStringList());
        QCOMPARE(m_service->requestLines, QStringList{"POST /download/getVersionV1"});
        QCOMPARE(m_service->requests, QList<QJsonObject>{kVersionQuery});
        QCOMPARE(m_desktop.launches, QStringList{"./fw/FWUpdate||plain"});
        QCOMPARE(m_desktop.questions, QStringList());
        QVERIFY(!QFile::exists("Version.txt") && !QFile::exists("fileUrl.txt"));
    }

    // The version answer asks only when newer; Yes asks where to download with
    // the stored id (one in braces is sent escaped) and, once the service has
    // the file, records its address and the version left and starts the updater.
    void versionAnswerAsksOnlyWhenNewer_data()
    {
        QTest::addColumn<QByteArray>("newest"); // empty: the connection closes unanswered
        QTest::newRow("same version") << QByteArray("V2.1.2");
        QTest::newRow("newer, Yes") << QByteArray("V2.2.0");
        QTest::newRow("no answer: only logged") << QByteArray();
    }
    void versionAnswerAsksOnlyWhenNewer()
    {
        QFETCH(QByteArray, newest);
        const bool offered = newest == "V2.2.0";
        const QString oldUrl = QStringLiteral("https://old.example/a-much-longer-address");
        const QString newUrl = QStringLiteral("https://dl.example/orvanta-2.2.0.zip");
        QVERIFY(writeText(QStringLiteral("fileUrl.txt"), oldUrl.toUtf8()));
        QVERIFY(writeText(QStringLiteral("UUID.txt"), "{" + kId.toUtf8() + "}"));
        m_desktop.answerYes = true;
        m_service->answers << (newest.isEmpty() ? QByteArray() : versionAnswer(newest));
        if (offered)
            m_service->answers << R"({"Result_Code":"001","Data":{"version":"V2.2.0","url":)"
                                  R"("https://dl.example/orvanta-2.2.0.zip","note":"New"}})";
        if (newest.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, "handle errors here");
        runCheck(offered ? 2 : 1);
        QCOMPARE(m_service->requestLines.value(0), QStringLiteral("POST /download/getVersionV1"));
        QCOMPARE(m_desktop.questions,
                 offered ? QStringList{"ORVANTA RGB SOFTWARE UPDATE|You are using an older version "
                                       "software.\nUpdating your software\nYour current software "
                                       "version : V2.1.2\nNewest software version : V2.2.0"}
                         : QStringList());
        // The transport may send the query again over a fresh connection, nothing else.
        const int queries = newest.isEmpty() ? m_service->requests.size() : 1;
        QList<QJsonObject> sent = QVector<QJsonObject>(queries, kVersionQuery).toList();
        if (offered)
            sent << QJsonObject{{"UUID", "%7B" + kId + "%7D"}, {"command_type", "Zo009"}};
        QCOMPARE(m_service->requests, sent);
        QCOMPARE(readText(QStringLiteral("UUID.txt")), "{" + kId + "}");
        QCOMPARE(readText(QStringLiteral("fileUrl.txt")), offered ? newUrl : oldUrl);
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(m_desktop.launches,
                 offered ? QStringList{folder + "/BrindleUpdate.exe|" + folder + "|elevated"}
                         : QStringList());
        QCOMPARE(readText(QStringLiteral("Version.txt")), QString(offered ? "2.1.2" : ""));
        QVERIFY(m_desktop.notes.isEmpty());
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
