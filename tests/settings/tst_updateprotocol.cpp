// Version comparison, reply reading and language names (the requests are
// checked as the update service receives them, in tst_autoupdate).

#include "core/settings/LanguageText.h"
#include "core/settings/UpdateProtocol.h"

#include <QtTest>

using namespace orvanta;

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
        QTest::newRow("older with two parts") << "V2.1.1"
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

    void replyReading_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QStringList>("expected"); // code, version, url, note
        QTest::newRow("version answer")
            << QByteArray("{'Result_Code':'002','Data':{'version':'V2.1.10'}}").replace('\'', '"')
            << QStringList{"002", "V2.1.10", "", ""};
        QTest::newRow("download answer")
            << QByteArray("{'Result_Code':'001','Data':{'version':'V2.2.0','url':'https:"
                          "//dl.example/u.zip','note':'Fixes'}}")
                   .replace('\'', '"')
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

    void requestBodiesAreIndentedJsonInStandardBase64()
    {
        const QByteArray body = versionQueryBody(QStringLiteral("Zo009"));
        QVERIFY(body.startsWith("ActiveData="));
        QVERIFY(QByteArray::fromBase64(body.mid(11)).toBase64() == body.mid(11));
        QVERIFY(QByteArray::fromBase64(body.mid(11)).contains("\n    \"getUrl\": 1"));
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
