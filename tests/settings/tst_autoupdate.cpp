// The update check against a local stand-in for the vendor's service on
// 127.0.0.1: which requests go out, what is asked, written and started.

#include "TestSupport.h"
#include "core/settings/ProgramLauncher.h"
#include "ui/settings/AutoUpdate.h"
#include "ui/settings/UpdateDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

using namespace orvanta;

namespace
{

struct ReceivedRequest {
    QByteArray method;
    QByteArray path;
    QByteArray body;

    QJsonObject json() const
    {
        if (!body.startsWith("ActiveData="))
            return {};
        return QJsonDocument::fromJson(QByteArray::fromBase64(body.mid(11))).object();
    }
};

// A minimal HTTP service: answers each request with the next canned body (an
// empty entry closes the connection without an answer) and keeps every request.
class LocalService : public QObject
{
public:
    LocalService() { connect(&m_server, &QTcpServer::newConnection, this, &LocalService::accept); }
    bool listen() { return m_server.listen(QHostAddress::LocalHost); }
    QString base() const
    {
        return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort());
    }

    QList<QByteArray> answers;
    QList<ReceivedRequest> requests;

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    }

    void read(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        ReceivedRequest request;
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        int length = 0;
        for (const QByteArray &line : lines.mid(1)) {
            const int colon = line.indexOf(':');
            const QByteArray name = line.left(colon).trimmed().toLower();
            const QByteArray value = line.mid(colon + 1).trimmed();
            if (name == "content-length")
                length = value.toInt();
        }
        if (buffer.size() < end + 4 + length)
            return;
        request.body = buffer.mid(end + 4, length);
        m_buffers.remove(socket);
        requests.append(request);

        const QByteArray answer = answers.isEmpty() ? QByteArray() : answers.takeFirst();
        if (answer.isEmpty()) {
            socket->abort();
            return;
        }
        socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\nContent-Length: " +
                      QByteArray::number(answer.size()) + "\r\nConnection: close\r\n\r\n" + answer);
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};

QByteArray versionAnswer(const char *version)
{
    return QByteArray(R"({"Result_Code":"002","Data":{"version":")") + version + "\"}}";
}

QByteArray downloadAnswer(const char *version, const char *url, const char *note)
{
    return QByteArray(R"({"Result_Code":"001","Data":{"version":")") + version + R"(","url":")" +
           url + R"(","note":")" + note + "\"}}";
}

} // namespace

class AutoUpdateTest : public QObject
{
    Q_OBJECT

private:
    // Runs one check and waits until `replies` answers were handled.
    void runCheck(int replies)
    {
        AutoUpdate checker;
        QSignalSpy finished(checker.findChild<QNetworkAccessManager *>(),
                            &QNetworkAccessManager::finished);
        checker.setCurrentVersion(QStringLiteral("2.1.2"));
        checker.checkOldVersion();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), replies, 10000);
        // Nothing further goes out after the last handled reply.
        QTest::qWait(50);
        QCOMPARE(finished.count(), replies);
    }

    std::unique_ptr<test::TempWorkDir> m_work;
    std::unique_ptr<LocalService> m_service;
    QStringList m_questions;
    bool m_answerYes = false;
    QStringList m_notes;
    QStringList m_launches;

private slots:
    void initTestCase()
    {
        // Talk to the loopback service directly whatever the environment's proxy.
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        qRegisterMetaType<QNetworkReply *>();
    }

    void init()
    {
        m_work = std::make_unique<test::TempWorkDir>();
        m_service = std::make_unique<LocalService>();
        QVERIFY(m_service->listen());
        qputenv("ORVANTA_UPDATE_URL", m_service->base().toUtf8());
        m_questions.clear();
        m_notes.clear();
        m_launches.clear();
        m_answerYes = false;
        UpdateDialogs::ask = [this](const QString &title, const QString &text) {
            m_questions << title + QLatin1Char('|') + text;
            return m_answerYes;
        };
        UpdateDialogs::showNote = [this](const QString &note) { m_notes << note; };
        ProgramLauncher::start = [this](const QString &program, const QString &dir, bool elevated) {
            m_launches << program + '|' + dir + '|' + (elevated ? "elevated" : "plain");
            return true;
        };
        AutoUpdate::strId.clear();
    }

    void cleanup()
    {
        UpdateDialogs::restoreDefaults();
        ProgramLauncher::restoreDefaults();
        qunsetenv("ORVANTA_UPDATE_URL");
        m_service.reset();
        m_work.reset();
    }

    void withoutVersionFileAsksForTheNewestVersion()
    {
        m_service->answers << versionAnswer("V2.1.2");
        runCheck(1);
        QCOMPARE(m_service->requests.size(), 1);
        const ReceivedRequest &r = m_service->requests.first();
        QCOMPARE(r.method, QByteArray("POST"));
        QCOMPARE(r.path, QByteArray("/download/getVersionV1"));
        QCOMPARE(r.json(), (QJsonObject{{"command_type", "Zo009"}, {"getUrl", 1}}));
        QVERIFY(m_questions.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("UUID.txt")));
    }

    void afterAnUpdateReportsSuccessAndClearsLeftovers()
    {
        QVERIFY(test::writeText(QStringLiteral("Version.txt"), "2.1.1"));
        QVERIFY(
            test::writeText(QStringLiteral("UUID.txt"), "0f8fad5b-d9cb-469f-a165-70867728950e"));
        m_service->answers << QByteArray(R"({"Result_Code":"000"})");
        {
            AutoUpdate checker;
            // The update process may leave its file again after the checker exists.
            QVERIFY(test::writeText(QStringLiteral("Quell_update.exe"), "MZ"));
            auto *manager = checker.findChild<QNetworkAccessManager *>();
            QSignalSpy finished(manager, &QNetworkAccessManager::finished);
            checker.setCurrentVersion(QStringLiteral("2.1.2"));
            checker.checkOldVersion();
            QVERIFY(!QFile::exists(QStringLiteral("Version.txt")));
            QVERIFY(!QFile::exists(QStringLiteral("Quell_update.exe")));
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        }
        QCOMPARE(m_service->requests.size(), 1);
        QCOMPARE(m_service->requests.first().json(),
                 (QJsonObject{{"UUID", "0f8fad5b-d9cb-469f-a165-70867728950e"},
                              {"command_type", "Zo009"},
                              {"currentVersion", "2.1.1"},
                              {"updateVersion", "2.1.2"},
                              {"status", "ok"}}));
    }

    void versionAnswerAsksOnlyWhenNewer_data()
    {
        QTest::addColumn<QByteArray>("newest");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("downloadQuery");
        QTest::newRow("same version") << QByteArray("V2.1.2") << true << false << false;
        QTest::newRow("newer, No") << QByteArray("V2.1.10") << false << true << false;
        QTest::newRow("newer, Yes") << QByteArray("V2.1.10") << true << true << true;
    }

    void versionAnswerAsksOnlyWhenNewer()
    {
        QFETCH(QByteArray, newest);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(bool, downloadQuery);
        m_answerYes = yes;
        m_service->answers << versionAnswer(newest.constData())
                           << QByteArray(R"({"Result_Code":"003"})");
        runCheck(downloadQuery ? 2 : 1);

        if (asked) {
            QCOMPARE(m_questions,
                     QStringList{QStringLiteral("ORVANTA RGB SOFTWARE UPDATE|"
                                                "You are using an older version software.\n"
                                                "Updating your software\n"
                                                "Your current software version : V2.1.2\n"
                                                "Newest software version : ") +
                                 QString::fromLatin1(newest)});
        } else {
            QVERIFY(m_questions.isEmpty());
        }
        QCOMPARE(m_service->requests.size(), downloadQuery ? 2 : 1);
        if (downloadQuery) {
            const QString id = test::readText(QStringLiteral("UUID.txt"));
            QCOMPARE(id.size(), 36); // a new id, kept for the session and stored
            QCOMPARE(AutoUpdate::strId, id);
            QCOMPARE(m_service->requests.at(1).json(),
                     (QJsonObject{{"UUID", id}, {"command_type", "Zo009"}}));
        }
        QVERIFY(m_launches.isEmpty());
    }

    void newerDownloadRecordsAddressAndStartsUpdater()
    {
        QVERIFY(test::writeText(QStringLiteral("fileUrl.txt"),
                                "https://old.example/a-much-longer-old-address"));
        m_answerYes = true;
        m_service->answers << versionAnswer("V2.2.0")
                           << downloadAnswer("V2.2.0", "https://dl.example/orvanta-2.2.0.zip",
                                             "New");
        runCheck(2);
        QCOMPARE(m_service->requests.size(), 2);
        QCOMPARE(test::readText(QStringLiteral("Version.txt")), QStringLiteral("2.1.2"));
        QCOMPARE(test::readText(QStringLiteral("fileUrl.txt")),
                 QStringLiteral("https://dl.example/orvanta-2.2.0.zip"));
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(m_launches,
                 QStringList{softwareUpdaterProgram(folder) + '|' + folder + "|elevated"});
        QVERIFY(m_notes.isEmpty());
    }

    void storedBracedIdIsReusedEscaped()
    {
        const QByteArray stored("{0f8fad5b-d9cb-469f-a165-70867728950e}");
        QVERIFY(test::writeText(QStringLiteral("UUID.txt"), stored));
        m_answerYes = true;
        m_service->answers << versionAnswer("V2.1.3") << QByteArray("{}");
        runCheck(2);
        QCOMPARE(m_service->requests.at(1).json().value("UUID").toString(),
                 QStringLiteral("%7B0f8fad5b-d9cb-469f-a165-70867728950e%7D"));
        QCOMPARE(test::readText(QStringLiteral("UUID.txt")).toUtf8(), stored);
    }

    void networkErrorIsOnlyLogged()
    {
        m_service->answers << QByteArray(); // the connection closes without an answer
        m_answerYes = true;
        QTest::ignoreMessage(QtDebugMsg, "handle errors here");
        runCheck(1);
        QVERIFY(m_questions.isEmpty());
        QVERIFY(m_notes.isEmpty());
        QVERIFY(m_launches.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("Version.txt")));
        // The transport may send the query again over a fresh connection; nothing
        // else goes out.
        for (const ReceivedRequest &r : qAsConst(m_service->requests))
            QCOMPARE(r.json(), (QJsonObject{{"command_type", "Zo009"}, {"getUrl", 1}}));
    }
};

QTEST_MAIN(AutoUpdateTest)
#include "tst_autoupdate.moc"
