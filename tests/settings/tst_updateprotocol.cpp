// Version comparison, request bodies, reply reading and language names.

#include "TestSupport.h"
#include "core/settings/LanguageText.h"
#include "core/settings/UpdateProtocol.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanta;

namespace
{

// The JSON object carried by an "ActiveData=" body; fails the test when the
// framing or the Base64 text is not the standard form.
QJsonObject decodeBody(const QByteArray &body, QByteArray *json = nullptr)
{
    const QByteArray prefix("ActiveData=");
    if (!body.startsWith(prefix))
        return {};
    const QByteArray b64 = body.mid(prefix.size());
    if (!QRegularExpression(QStringLiteral("^[A-Za-z0-9+/]*={0,2}$"))
             .match(QString::fromLatin1(b64))
             .hasMatch() ||
        b64.size() % 4 != 0)
        return {};
    const QByteArray decoded = QByteArray::fromBase64(b64);
    if (json)
        *json = decoded;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(decoded, &error);
    return doc.isObject() ? doc.object() : QJsonObject();
}

// JSON text written with single quotes for readability.
QByteArray json(const char *text)
{
    return QByteArray(text).replace('\'', '"');
}

} // namespace

class UpdateProtocolTest : public QObject
{
    Q_OBJECT
private slots:
    void compareVersionOrdersNumerically_data()
    {
        QTest::addColumn<QString>("newer");
        QTest::addColumn<QString>("older");
        QTest::addColumn<bool>("higher");

        QTest::newRow("equal") << "V2.1.2"
                               << "2.1.2" << false;
        QTest::newRow("patch 10 beats 2") << "V2.1.10"
                                          << "2.1.2" << true;
        QTest::newRow("major higher") << "V3.0.0"
                                      << "2.9.9" << true;
        QTest::newRow("minor lower, patch higher") << "V2.0.9"
                                                   << "2.1.0" << false;
        QTest::newRow("no V is never higher") << "2.1.3"
                                              << "2.1.2" << false;
        QTest::newRow("older with two parts, newer") << "V2.1.1"
                                                     << "2.1" << true;
        QTest::newRow("non-numeric newer part") << "V2.x.5"
                                                << "2.0.4" << true;
        QTest::newRow("trailing digits junk") << "V2.1.3rc"
                                              << "2.1.2" << false;
    }

    void compareVersionOrdersNumerically()
    {
        QFETCH(QString, newer);
        QFETCH(QString, older);
        QFETCH(bool, higher);
        QCOMPARE(compareVersion(newer, older), higher);
    }

    void requestBodiesCarryTheirMembers_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QJsonObject>("expected");

        QTest::newRow("version query") << versionQueryBody(QStringLiteral("Zo009"))
                                       << QJsonObject{{"command_type", "Zo009"}, {"getUrl", 1}};
        QTest::newRow("download query")
            << downloadQueryBody(QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e"),
                                 QStringLiteral("Zo009"))
            << QJsonObject{{"UUID", "0f8fad5b-d9cb-469f-a165-70867728950e"},
                           {"command_type", "Zo009"}};
        QTest::newRow("success report")
            << successReportBody(QStringLiteral("id-1"), QStringLiteral("Zo009"),
                                 QStringLiteral("2.1.1"), QStringLiteral("2.1.2"))
            << QJsonObject{{"UUID", "id-1"},
                           {"command_type", "Zo009"},
                           {"currentVersion", "2.1.1"},
                           {"updateVersion", "2.1.2"},
                           {"status", "ok"}};
    }

    void requestBodiesCarryTheirMembers()
    {
        QFETCH(QByteArray, body);
        QFETCH(QJsonObject, expected);
        QByteArray json;
        const QJsonObject actual = decodeBody(body, &json);
        // Compared as JSON values, so "getUrl" must be the number 1, not the text "1".
        QCOMPARE(actual, expected);
        // The indented form: one member per line.
        QVERIFY(json.contains("\n    \""));
    }

    void replyReading_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("expected"); // code, version, url, note

        QTest::newRow("version answer")
            << json("{'Result_Code':'002','Data':{'version':'V2.1.10'}}")
            << QStringList{"002", "V2.1.10", "", ""};
        QTest::newRow("download answer")
            << json("{'Result_Code':'001','Data':{'version':'V2.2.0','url':'https://dl.example/"
                    "u.zip','note':'Fixes'}}")
            << QStringList{"001", "V2.2.0", "https://dl.example/u.zip", "Fixes"};
        QTest::newRow("not json") << QByteArray("<html>busy</html>") << QStringList{"", "", "", ""};
    }

    void replyReading()
    {
        QFETCH(QByteArray, body);
        QFETCH(QStringList, expected);
        const UpdateReply r = parseUpdateReply(body);
        QCOMPARE((QStringList{r.resultCode, r.version, r.url, r.note}), expected);
    }

    void braceWrappedIdIsEscaped_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("sent");
        QTest::newRow("plain") << "0f8fad5b-d9cb-469f-a165-70867728950e"
                               << "0f8fad5b-d9cb-469f-a165-70867728950e";
        QTest::newRow("braced") << "{0f8fad5b-d9cb-469f-a165-70867728950e}"
                                << "%7B0f8fad5b-d9cb-469f-a165-70867728950e%7D";
        QTest::newRow("brace not first") << "x{abc}"
                                         << "x{abc}";
    }

    void braceWrappedIdIsEscaped()
    {
        QFETCH(QString, stored);
        QFETCH(QString, sent);
        QCOMPARE(uuidForRequest(stored), sent);
    }

    void languageNamesDecodeFromBig5()
    {
        QCOMPARE(languageNames(),
                 (QStringList{QStringLiteral("English"), QString::fromUtf8(u8"繁體中文"),
                              QString::fromUtf8(u8"簡體中文")}));
        QCOMPARE(jhengHeiFamily(), QString::fromUtf8(u8"微軟正黑體"));
        QCOMPARE(fromBig5(QByteArray::fromHex("a4a4a4e5")), QString::fromUtf8(u8"中文"));
    }
};

QTEST_GUILESS_MAIN(UpdateProtocolTest)
#include "tst_updateprotocol.moc"
