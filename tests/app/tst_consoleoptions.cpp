// The command line and the data directory it chooses.

#include "TestSupport.h"
#include "app/ConsoleOptions.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ConsoleOptionsTest : public QObject
{
    Q_OBJECT
private slots:
    void parsesOptions()
    {
        const auto p = parseCommandLine({"x", "--data-dir", "/tmp/d", "--port", "6000",
                                         "--listen-all", "--no-update-check"});
        QCOMPARE(p.exitCode, -1);
        QCOMPARE(p.options.dataDir, QStringLiteral("/tmp/d"));
        QCOMPARE(int(p.options.port), 6000);
        QVERIFY(p.options.listenOnAllAddresses);
        QVERIFY(!p.options.checkForUpdates);
        const auto d = parseCommandLine({"x"});
        QCOMPARE(int(d.options.port), 5490);
        QVERIFY(!d.options.listenOnAllAddresses);
        QVERIFY(d.options.dataDir.isEmpty());
    }

    void refusesBadOptions_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("port zero") << QStringList{"x", "--port", "0"} << 2;
        QTest::newRow("port too large") << QStringList{"x", "--port", "70000"} << 2;
        QTest::newRow("port missing value") << QStringList{"x", "--port"} << 2;
        QTest::newRow("unknown option") << QStringList{"x", "--frobnicate"} << 2;
        QTest::newRow("help") << QStringList{"x", "--help"} << 0;
        QTest::newRow("version") << QStringList{"x", "--version"} << 0;
    }
    void refusesBadOptions()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        const auto p = parseCommandLine(args);
        QCOMPARE(p.exitCode, code);
        QVERIFY(!p.message.isEmpty());
    }

    void seedsAnEmptyDataDirectoryWithoutOverwriting()
    {
        TempWorkDir wd;
        QVERIFY(writeText("installed/lightfile/PROFILE 1/a.ini", "installed"));
        QVERIFY(writeText("installed/system/language.ini", "installed"));
        QVERIFY(writeText("user/system/language.ini", "mine"));
        const QString installed = QDir(wd.path()).filePath("installed");
        QVERIFY(prepareDataDirectory(QDir(wd.path()).filePath("user"), installed));
        QCOMPARE(QDir::currentPath(), QDir(wd.path()).filePath("user"));
        QCOMPARE(readText("lightfile/PROFILE 1/a.ini"), QStringLiteral("installed"));
        QCOMPARE(readText("system/language.ini"), QStringLiteral("mine"));
        // A directory that already has its profiles is not seeded again.
        QVERIFY(writeText(installed + "/macrofile/New.ini", "x"));
        QVERIFY(prepareDataDirectory(QDir(wd.path()).filePath("user"), installed));
        QVERIFY(!QFileInfo::exists("macrofile/New.ini"));
        QDir::setCurrent(wd.path());
    }
};

QTEST_GUILESS_MAIN(ConsoleOptionsTest)
#include "tst_consoleoptions.moc"
