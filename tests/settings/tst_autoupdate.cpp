// The update check against a local stand-in for the vendor's service on
// 127.0.0.1: which requests go out, what is asked, written and started.

#include "TestSupport.h"
#include "settings/AutoUpdate.h"
#include "settings/ProgramLauncher.h"
#include "settings/UpdateDialogs.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QPointer>
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
    QByteArray contentType;
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
            else if (name == "content-type")
                request.contentType = value;
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

struct Launch {
    QString program;
    QString workDir;
    bool elevated;
};

// JSON text written with single quotes for readability.
QByteArray json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

} // namespace

class tst_autoupdate : public QObject
{
    Q_OBJECT

private:
    // Runs one check and waits until `replies` answers were handled.
    void runCheck(int replies)
    {
        AutoUpdate checker;
        auto *manager = checker.findChild<QNetworkAccessManager *>();
        QVERIFY(manager);
        QSignalSpy finished(manager, &QNetworkAccessManager::finished);
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
    QList<Launch> m_launches;
    bool m_launchSucceeds = true;

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
        QVERIFY(m_work->isValid());
        m_service = std::make_unique<LocalService>();
        QVERIFY(m_service->listen());
        qputenv("ORVANTA_UPDATE_URL", m_service->base().toUtf8());
        m_questions.clear();
        m_notes.clear();
        m_launches.clear();
        m_answerYes = false;
        m_launchSucceeds = true;
        UpdateDialogs::ask = [this](const QString &title, const QString &text) {
            m_questions << title + QLatin1Char('|') + text;
            return m_answerYes;
        };
        UpdateDialogs::showNote = [this](const QString &note) { m_notes << note; };
        ProgramLauncher::start = [this](const QString &program, const QString &dir, bool elevated) {
            m_launches.append({program, dir, elevated});
            return m_launchSucceeds;
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
        QCOMPARE(r.contentType, QByteArray("application/x-www-form-urlencoded"));
        QCOMPARE(r.json(), (QJsonObject{{"command_type", "Zo009"}, {"getUrl", 1}}));
        QVERIFY(m_questions.isEmpty());
        // The version query needs no installation id.
        QVERIFY(!QFile::exists(QStringLiteral("UUID.txt")));
    }

    void afterAnUpdateReportsSuccessAndClearsLeftovers()
    {
        QVERIFY(test::writeText(QStringLiteral("Version.txt"), "2.1.1"));
        QVERIFY(
            test::writeText(QStringLiteral("UUID.txt"), "0f8fad5b-d9cb-469f-a165-70867728950e"));
        m_service->answers << json("{'Result_Code':'000'}");
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
        QVERIFY(m_questions.isEmpty());
    }

    void leftoverRemovedWhenCreated()
    {
        QVERIFY(test::writeText(QStringLiteral("Quell_update.exe"), "MZ"));
        QVERIFY(test::writeText(QStringLiteral("Version.txt"), "2.1.2"));
        AutoUpdate checker;
        QVERIFY(!QFile::exists(QStringLiteral("Quell_update.exe")));
        QVERIFY(QFile::exists(QStringLiteral("Version.txt")));
    }

    void versionAnswerAsksOnlyWhenNewer_data()
    {
        QTest::addColumn<QByteArray>("newest");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("downloadQuery");
        QTest::newRow("same version") << QByteArray("V2.1.2") << true << false << false;
        QTest::newRow("older version") << QByteArray("V2.0.9") << true << false << false;
        QTest::newRow("without V") << QByteArray("2.1.10") << true << false << false;
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
                           << json("{'Result_Code':'003'}");
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
            QCOMPARE(id.size(), 36);
            QCOMPARE(m_service->requests.at(1).json(),
                     (QJsonObject{{"UUID", id}, {"command_type", "Zo009"}}));
        }
        QVERIFY(m_launches.isEmpty());
    }

    void newerDownloadRecordsAddressAndStartsUpdater_data()
    {
        QTest::addColumn<bool>("starts");
        QTest::newRow("updater starts") << true;
        QTest::newRow("updater refused") << false;
    }
    void newerDownloadRecordsAddressAndStartsUpdater()
    {
        QFETCH(bool, starts);
        QVERIFY(test::writeText(QStringLiteral("fileUrl.txt"),
                                "https://old.example/a-much-longer-old-address"));
        m_answerYes = true;
        m_launchSucceeds = starts;
        m_service->answers << versionAnswer("V2.2.0")
                           << downloadAnswer("V2.2.0", "https://dl.example/orvanta-2.2.0.zip",
                                             "New");
        runCheck(2);
        QCOMPARE(m_service->requests.size(), 2);
        QCOMPARE(test::readText(QStringLiteral("Version.txt")), QStringLiteral("2.1.2"));
        QCOMPARE(test::readText(QStringLiteral("fileUrl.txt")),
                 QStringLiteral("https://dl.example/orvanta-2.2.0.zip"));
        QCOMPARE(m_launches.size(), 1);
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(m_launches.first().program, softwareUpdaterProgram(folder));
        QCOMPARE(m_launches.first().workDir, folder);
        QVERIFY(m_launches.first().elevated);
        QVERIFY(m_notes.isEmpty());
    }

    void updaterStartsForRealFromExecutableFolder()
    {
        // The build puts the stub program beside this test as "BrindleUpdate".
        const QString folder = QCoreApplication::applicationDirPath();
        if (!QFile::exists(folder + QStringLiteral("/BrindleUpdate")))
            QSKIP("no stub updater beside the test");
        ProgramLauncher::restoreDefaults();
        const QString record = m_work->path() + QStringLiteral("/ran.txt");
        qputenv("ORVANTA_STUB_RECORD", record.toUtf8());
        m_service->answers << downloadAnswer("V2.1.3", "https://dl.example/x.zip", "");
        {
            AutoUpdate checker;
            checker.setCurrentVersion(QStringLiteral("2.1.2"));
            auto *manager = checker.findChild<QNetworkAccessManager *>();
            QSignalSpy finished(manager, &QNetworkAccessManager::finished);
            checker.checkOldVersion();
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        }
        qunsetenv("ORVANTA_STUB_RECORD");
        QTRY_VERIFY_WITH_TIMEOUT(test::readText(record).endsWith(QLatin1Char('\n')), 10000);
        QCOMPARE(test::readText(record), QStringLiteral("cwd=") + QDir(folder).canonicalPath() +
                                             QStringLiteral(" args=0\n"));
    }

    void notNewerDownloadShowsNote()
    {
        m_service->answers << downloadAnswer("V2.1.2", "https://dl.example/x.zip",
                                             "You already have the newest console.");
        runCheck(1);
        QCOMPARE(m_notes, QStringList{QStringLiteral("You already have the newest console.")});
        QVERIFY(m_launches.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("Version.txt")));
        QVERIFY(!QFile::exists(QStringLiteral("fileUrl.txt")));
    }

    void storedIdForms_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("sent"); // empty: a new 36-character id
        QTest::newRow("braced") << QByteArray("{0f8fad5b-d9cb-469f-a165-70867728950e}")
                                << "%7B0f8fad5b-d9cb-469f-a165-70867728950e%7D";
        QTest::newRow("line end") << QByteArray("0f8fad5b-d9cb-469f-a165-70867728950e\r\n")
                                  << "0f8fad5b-d9cb-469f-a165-70867728950e";
        QTest::newRow("empty file") << QByteArray() << QString();
    }

    void storedIdForms()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, sent);
        QVERIFY(test::writeText(QStringLiteral("UUID.txt"), stored));
        m_answerYes = true;
        m_service->answers << versionAnswer("V2.1.3") << QByteArray("{}");
        runCheck(2);
        QCOMPARE(m_service->requests.size(), 2);
        const QString id = m_service->requests.at(1).json().value("UUID").toString();
        if (sent.isEmpty()) { // a new id, without braces, kept for the session and stored
            QCOMPARE(id.size(), 36);
            QVERIFY(!id.contains(QLatin1Char('{')));
            QCOMPARE(AutoUpdate::strId, id);
            QCOMPARE(test::readText(QStringLiteral("UUID.txt")), id);
        } else {
            QCOMPARE(id, sent);
            QCOMPARE(test::readText(QStringLiteral("UUID.txt")).toUtf8(), stored);
        }
    }

    void failedExchangesOnlyLog_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::newRow("connection closed") << "close";
        QTest::newRow("port refused") << "refused";
        QTest::newRow("not json") << "garbage";
        QTest::newRow("oversized answer") << "huge";
    }

    void failedExchangesOnlyLog()
    {
        QFETCH(QString, failure);
        const bool networkError =
            failure == QLatin1String("close") || failure == QLatin1String("refused");
        if (failure == QLatin1String("close")) {
            m_service->answers << QByteArray();
        } else if (failure == QLatin1String("refused")) {
            // A port that was free a moment ago: nothing listens there now.
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            const quint16 port = probe.serverPort();
            probe.close();
            qputenv("ORVANTA_UPDATE_URL",
                    QByteArray("http://127.0.0.1:") + QByteArray::number(port));
        } else if (failure == QLatin1String("garbage")) {
            m_service->answers << QByteArray("<html>Service busy</html>");
        } else {
            // A newer version that would start the updater, were the answer not so large.
            m_service->answers << downloadAnswer("V9.0.0", "https://dl.example/x.zip",
                                                 QByteArray(3 << 20, 'n').constData());
        }
        m_answerYes = true;
        if (networkError)
            QTest::ignoreMessage(QtDebugMsg, "handle errors here");
        runCheck(1);
        QVERIFY(m_questions.isEmpty());
        QVERIFY(m_notes.isEmpty());
        QVERIFY(m_launches.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("Version.txt")));
        QVERIFY(!QFile::exists(QStringLiteral("fileUrl.txt")));
        // The transport may send the query again over a fresh connection; nothing
        // else goes out.
        for (const ReceivedRequest &r : qAsConst(m_service->requests))
            QCOMPARE(r.json(), (QJsonObject{{"command_type", "Zo009"}, {"getUrl", 1}}));
    }
};

QTEST_MAIN(tst_autoupdate)
#include "tst_autoupdate.moc"
