// The Settings page (language list, what a language choice emits, the firmware
// updater button), version comparison and reply reading,
// and the update check against a local stand-in for the vendor's service on
// 127.0.0.1: which requests go out, what is asked, written and started.

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
#include <QUuid>
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
        QVERIFY(!m_service->requestLines.contains(QStringLiteral("POST /probe")));
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
        QTest::newRow("out of range") << 3 << -1;
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
        QStringList emitted;
        connect(&page, &SettingsPage::languageChosen, &page,
                [&](const QString &c) { emitted << c; });
        list->setCurrentIndex(1);
        list->setCurrentIndex(1); // picking the current item again is no change
        QCOMPARE(emitted, QStringList{"1"});
    }

    // Without the firmware updater's installer each answer is told after the
    // note that the service is asked; a second click asks again (and finds the
    // console up to date); once the installer is there a click starts it.
    void updateButtonWithoutInstallerAsksTheService_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("told");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("requests"); // Qt asks once more after a dropped connection
        const auto row = [](const char *name, const QByteArray &answer, const char *told,
                            bool refused, int requests) {
            QTest::newRow(name) << answer << QString(told) << refused << requests;
        };
        row("newer", versionAnswer("V9.1.10"), // newer than any version of this console
            "Version 9.1.10 is available at https://www.orvanta-rgb.com/", false, 1);
        row("not an answer", "<html>busy</html>",
            "The update check failed: the update service gave no version", true, 1);
        row("connection dropped", {}, "The update check failed: Connection closed", true, 2);
    }
    void updateButtonWithoutInstallerAsksTheService()
    {
        QFETCH(QByteArray, answer);
        QFETCH(QString, told);
        QFETCH(bool, refused);
        QFETCH(int, requests);
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
        QPushButton *update = updateButton(page);
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(informedTexts, QStringList{informed.first()});
        QTRY_COMPARE_WITH_TIMEOUT(informedTexts.size() + refusedTexts.size(), 2, 10000);
        QCOMPARE(informedTexts, informed);
        QCOMPARE(refusedTexts, refused ? QStringList{told} : QStringList());
        QCOMPARE(m_service->requestLines,
                 QStringList(QVector<QString>(requests, "POST /download/getVersionV1").toList()));
        QCOMPARE(m_service->requests, QVector<QJsonObject>(requests, kVersionQuery).toList());
        QCOMPARE(m_desktop.launches, QStringList{"./fw/FWUpdate||plain"});
        QCOMPARE(m_desktop.questions, QStringList());
        QVERIFY(!QFile::exists("Version.txt") && !QFile::exists("fileUrl.txt"));

        // A second click asks again and answers again.
        m_service->answers << versionAnswer("V2.1.2");
        QTest::mouseClick(update, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(informedTexts.size() + refusedTexts.size(), 4, 10000);
        QCOMPARE(informedTexts.mid(informed.size()),
                 (QStringList{informed.first(), "This console is up to date (version 2.1.2)"}));
        QCOMPARE(m_service->requests.size(), requests + 1);
        QVERIFY(writeText(QStringLiteral("fw/FWUpdate.exe"), "MZ"));
        m_desktop.opens = true;
        QTest::mouseClick(update, Qt::LeftButton);
        QCOMPARE(m_desktop.launches, (QStringList{"./fw/FWUpdate||plain", "./fw/FWUpdate||plain",
                                                  "./fw/FWUpdate.exe||plain"}));
        QCOMPARE(m_service->requests.size(), requests + 1);
    }

    void versionsCompare()
    {
        const struct {
            const char *newer, *older;
            bool higher;
        } versions[] = {{"V2.1.2", "2.1.2", false}, {"V2.1.10", "2.1.2", true},
                        {"V3.0.0", "2.9.9", true},  {"V2.0.9", "2.1.0", false},
                        {"2.1.3", "2.1.2", false},  {"V2.1.1", "2.1", true},
                        {"V2.x.5", "2.0.4", true},  {"V2.1.3rc", "2.1.2", false}};
        for (const auto &v : versions)
            QVERIFY2(compareVersion(v.newer, v.older) == v.higher, v.newer);
    }

    // The version answer asks only when newer; Yes asks where to download with
    // the stored id (a new one kept for the session and stored when there is
    // none; one in braces sent escaped and kept) and, once the service has the
    // file, records its address and the version left and starts the updater.
    void versionAnswerAsksOnlyWhenNewer_data()
    {
        QTest::addColumn<QByteArray>("newest"); // empty: the connection closes unanswered
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<QByteArray>("storedId"); // UUID.txt before; empty: none
        QTest::addColumn<QByteArray>("download"); // the download query's answer; empty: none
        QTest::addColumn<QString>("url");         // fileUrl.txt after; empty: as it was
        const QByteArray ready = R"({"Result_Code":"001","Data":{"version":"V2.2.0","url":)"
                                 R"("https://dl.example/orvanta-2.2.0.zip","note":"New"}})";
        const auto row = [](const char *name, const char *newest, bool yes, bool asked,
                            const QByteArray &id, const QByteArray &download, const char *url) {
            QTest::newRow(name) << QByteArray(newest) << yes << asked << id << download << url;
        };
        row("same version", "V2.1.2", true, false, {}, {}, "");
        row("newer, No", "V2.1.10", false, true, {}, {}, "");
        row("newer, Yes, no file yet", "V2.1.10", true, true, {}, R"({"Result_Code":"003"})", "");
        row("newer, Yes, file ready", "V2.2.0", true, true, "{" + kId.toUtf8() + "}", ready,
            "https://dl.example/orvanta-2.2.0.zip");
        row("no answer: only logged", "", true, false, {}, {}, "");
    }
    void versionAnswerAsksOnlyWhenNewer()
    {
        QFETCH(QByteArray, newest);
        QFETCH(bool, yes);
        QFETCH(bool, asked);
        QFETCH(QByteArray, storedId);
        QFETCH(QByteArray, download);
        QFETCH(QString, url);
        const QString oldUrl = QStringLiteral("https://old.example/a-much-longer-address");
        QVERIFY(writeText(QStringLiteral("fileUrl.txt"), oldUrl.toUtf8()));
        if (!storedId.isEmpty())
            QVERIFY(writeText(QStringLiteral("UUID.txt"), storedId));
        m_desktop.answerYes = yes;
        m_service->answers << (newest.isEmpty() ? QByteArray() : versionAnswer(newest));
        if (!download.isEmpty())
            m_service->answers << download;
        if (newest.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, "handle errors here");
        runCheck(download.isEmpty() ? 1 : 2);
        QCOMPARE(m_service->requestLines.value(0), QStringLiteral("POST /download/getVersionV1"));
        QCOMPARE(m_service->requests.value(0), kVersionQuery);
        QCOMPARE(m_desktop.questions,
                 asked ? QStringList{"ORVANTA RGB SOFTWARE UPDATE|You are using an older version "
                                     "software.\nUpdating your software\nYour current software "
                                     "version : V2.1.2\nNewest software version : " +
                                     QString::fromLatin1(newest)}
                       : QStringList());
        if (!download.isEmpty()) {
            const QString id = readText(QStringLiteral("UUID.txt"));
            if (storedId.isEmpty())
                QVERIFY(!QUuid::fromString(id).isNull()); // made at this start
            else
                QCOMPARE(id, QString(storedId));
            QCOMPARE(id.size(), storedId.isEmpty() ? 36 : 38);
            QCOMPARE(m_service->requests.size(), 2);
            QCOMPARE(m_service->requests[1],
                     (QJsonObject{{"UUID", QString(id).replace("{", "%7B").replace("}", "%7D")},
                                  {"command_type", "Zo009"}}));
        } else {
            QVERIFY(!QFile::exists(QStringLiteral("UUID.txt")));
            // The transport may send the query again over a fresh connection, nothing else.
            const int sent = newest.isEmpty() ? m_service->requests.size() : 1;
            QCOMPARE(m_service->requests, QVector<QJsonObject>(sent, kVersionQuery).toList());
        }
        QCOMPARE(readText(QStringLiteral("fileUrl.txt")), url.isEmpty() ? oldUrl : url);
        const QString folder = QCoreApplication::applicationDirPath();
        QCOMPARE(m_desktop.launches, url.isEmpty() ? QStringList()
                                                   : QStringList{folder + "/BrindleUpdate.exe|" +
                                                                 folder + "|elevated"});
        QCOMPARE(readText(QStringLiteral("Version.txt")), QString(url.isEmpty() ? "" : "2.1.2"));
        QVERIFY(m_desktop.notes.isEmpty());
    }

    void afterAnUpdateReportsSuccessAndClearsLeftovers()
    {
        QVERIFY(writeText(QStringLiteral("Version.txt"), "2.1.1"));
        QVERIFY(writeText(QStringLiteral("UUID.txt"), kId.toUtf8()));
        m_service->answers << R"({"Result_Code":"000"})";
        {
            AutoUpdate checker(nullptr, &m_desktop);
            // The update process may leave its file again after the checker exists.
            QVERIFY(writeText(QStringLiteral("Quell_update.exe"), "MZ"));
            QSignalSpy finished(checker.findChild<QNetworkAccessManager *>(),
                                &QNetworkAccessManager::finished);
            checker.setCurrentVersion(QStringLiteral("2.1.2"));
            checker.checkOldVersion();
            QVERIFY(!QFile::exists(QStringLiteral("Version.txt")));
            QVERIFY(!QFile::exists(QStringLiteral("Quell_update.exe")));
            QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 10000);
        }
        QCOMPARE(m_service->requests, (QList<QJsonObject>{{{"UUID", kId},
                                                           {"command_type", "Zo009"},
                                                           {"currentVersion", "2.1.1"},
                                                           {"updateVersion", "2.1.2"},
                                                           {"status", "ok"}}}));
    }
};

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
