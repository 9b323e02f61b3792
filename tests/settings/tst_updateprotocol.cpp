// Version comparison, request bodies, reply reading, language texts and the
// updater program paths.

#include "TestSupport.h"
#include "settings/LanguageText.h"
#include "settings/ProgramLauncher.h"
#include "settings/UpdateProtocol.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanta;

namespace
{

const QString JHENGHEI = QString::fromUtf8(u8"微軟正黑體");

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

class tst_updateprotocol : public QObject
{
    Q_OBJECT
private slots:
    void compareVersionOrdersNumerically_data()
    {
        QTest::addColumn<QString>("newer");
        QTest::addColumn<QString>("older");
        QTest::addColumn<bool>("higher");

        QTest::newRow("equal") << "V2.1.2" << "2.1.2" << false;
        QTest::newRow("patch 10 beats 2") << "V2.1.10" << "2.1.2" << true;
        QTest::newRow("minor 10 beats 9") << "V2.10.0" << "2.9.9" << true;
        QTest::newRow("minor 9 below 10") << "V2.9.9" << "2.10.0" << false;
        QTest::newRow("major lower") << "V1.9.9" << "2.0.0" << false;
        QTest::newRow("major higher") << "V3.0.0" << "2.9.9" << true;
        QTest::newRow("minor lower, patch higher") << "V2.0.9" << "2.1.0" << false;
        QTest::newRow("patch lower") << "V2.1.1" << "2.1.2" << false;
        QTest::newRow("no V is never higher") << "2.1.3" << "2.1.2" << false;
        QTest::newRow("no V against zero") << "9.9.9" << "0.0.0" << false;
        QTest::newRow("text after the first V") << "xV2.1.3" << "2.1.2" << true;
        QTest::newRow("older with one part, equal") << "V2.0.0" << "2" << false;
        QTest::newRow("older with one part, newer") << "V2.0.1" << "2" << true;
        QTest::newRow("older with two parts, equal") << "V2.1.0" << "2.1" << false;
        QTest::newRow("older with two parts, newer") << "V2.1.1" << "2.1" << true;
        QTest::newRow("older empty") << "V0.0.1" << "" << true;
        QTest::newRow("newer short") << "V2" << "2.0.0" << false;
        QTest::newRow("newer short, older lower") << "V2.1" << "2.0.9" << true;
        QTest::newRow("non-numeric newer part") << "V2.x.5" << "2.0.4" << true;
        QTest::newRow("non-numeric older part") << "V2.1.2" << "2.a.2" << true;
        QTest::newRow("non-numeric everywhere") << "Vbeta" << "x.y.z" << false;
        QTest::newRow("trailing digits junk") << "V2.1.3rc" << "2.1.2" << false;
        QTest::newRow("fourth part ignored") << "V2.1.2.9" << "2.1.2" << false;
        QTest::newRow("older with line end") << "V2.1.2" << "2.1.2\n" << false;
        QTest::newRow("both empty") << "" << "" << false;
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
        QTest::newRow("download query, braced id")
            << downloadQueryBody(QStringLiteral("%7Babc%7D"), QStringLiteral("Zo009"))
            << QJsonObject{{"UUID", "%7Babc%7D"}, {"command_type", "Zo009"}};
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
        QTest::newRow("json array") << json("[{'Result_Code':'002'}]")
                                    << QStringList{"", "", "", ""};
        QTest::newRow("no Data") << json("{'Result_Code':'002'}")
                                 << QStringList{"002", "", "", ""};
        QTest::newRow("Data not an object")
            << json("{'Result_Code':'001','Data':'V9.9.9'}") << QStringList{"001", "", "", ""};
        QTest::newRow("empty") << QByteArray() << QStringList{"", "", "", ""};
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
        QTest::newRow("text after the brace") << "{abc}def" << "%7Babc%7D";
        QTest::newRow("no closing brace") << "{abc" << "%7Babc%7D";
        QTest::newRow("brace not first") << "x{abc}" << "x{abc}";
    }

    void braceWrappedIdIsEscaped()
    {
        QFETCH(QString, stored);
        QFETCH(QString, sent);
        QCOMPARE(uuidForRequest(stored), sent);
    }

    void serviceAddressFollowsEnvironment()
    {
        const QByteArray saved = qgetenv("ORVANTA_UPDATE_URL");
        qunsetenv("ORVANTA_UPDATE_URL");
        QCOMPARE(updateServiceUrl(),
                 QUrl(QStringLiteral("https://update.orvanta-rgb.com/download/getVersionV1")));
        qputenv("ORVANTA_UPDATE_URL", "http://127.0.0.1:8080/");
        QCOMPARE(updateServiceUrl(),
                 QUrl(QStringLiteral("http://127.0.0.1:8080/download/getVersionV1")));
        qputenv("ORVANTA_UPDATE_URL", "http://[::1]:9");
        QCOMPARE(updateServiceUrl(), QUrl(QStringLiteral("http://[::1]:9/download/getVersionV1")));
        if (saved.isNull())
            qunsetenv("ORVANTA_UPDATE_URL");
        else
            qputenv("ORVANTA_UPDATE_URL", saved);
    }

    void fontFamilyFollowsLanguage_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("previous");
        QTest::addColumn<QString>("family");
        QTest::newRow("English") << 0 << "" << "Arial Unicode MS";
        QTest::newRow("English after Chinese") << 0 << JHENGHEI << "Arial Unicode MS";
        QTest::newRow("traditional") << 1 << "" << JHENGHEI;
        QTest::newRow("simplified") << 2 << "Arial Unicode MS" << JHENGHEI;
        QTest::newRow("3 at first start stays empty") << 3 << "" << "";
        QTest::newRow("3 keeps English") << 3 << "Arial Unicode MS" << "Arial Unicode MS";
        QTest::newRow("-1 keeps Chinese") << -1 << JHENGHEI << JHENGHEI;
    }

    void fontFamilyFollowsLanguage()
    {
        QFETCH(int, language);
        QFETCH(QString, previous);
        QFETCH(QString, family);
        QCOMPARE(fontFamilyForLanguage(language, previous), family);
    }

    void languageNamesDecodeFromBig5()
    {
        QCOMPARE(languageNames(),
                 (QStringList{QStringLiteral("English"), QString::fromUtf8(u8"繁體中文"),
                              QString::fromUtf8(u8"簡體中文")}));
        QCOMPARE(jhengHeiFamily(), JHENGHEI);
        QCOMPARE(fromBig5(QByteArray::fromHex("a4a4a4e5")), QString::fromUtf8(u8"中文"));
    }

    void languageIndexOfStoredText_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("index");
        QTest::newRow("0") << "0" << 0;
        QTest::newRow("2") << "2" << 2;
        QTest::newRow("3") << "3" << 3;
        QTest::newRow("blanks") << " 1 " << 1;
        QTest::newRow("missing") << "" << 0;
        QTest::newRow("not a number") << "cn" << 0;
    }

    void languageIndexOfStoredText()
    {
        QFETCH(QString, stored);
        QFETCH(int, index);
        QCOMPARE(languageIndex(stored), index);
    }

    void updaterProgramPaths()
    {
        test::TempWorkDir work;
        QVERIFY(work.isValid());
        QCOMPARE(firmwareUpdaterProgram(), QStringLiteral("./fw/FWUpdate"));
        QVERIFY(QDir().mkpath(QStringLiteral("fw")));
        QVERIFY(test::writeText(QStringLiteral("fw/FWUpdate.exe"), "x"));
        QCOMPARE(firmwareUpdaterProgram(), QStringLiteral("./fw/FWUpdate.exe"));

        const QString folder = work.path();
        QCOMPARE(softwareUpdaterProgram(folder), folder + QStringLiteral("/BrindleUpdate.exe"));
        QVERIFY(test::writeText(QStringLiteral("BrindleUpdate"), "x"));
        QCOMPARE(softwareUpdaterProgram(folder), folder + QStringLiteral("/BrindleUpdate"));
    }
};

QTEST_GUILESS_MAIN(tst_updateprotocol)
#include "tst_updateprotocol.moc"
