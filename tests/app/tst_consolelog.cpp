// The diagnostic log file: every line in it, bounded in size by rotation.

#include "TestSupport.h"
#include "core/app/ConsoleLog.h"

#include <QDir>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

class ConsoleLogTest : public QObject
{
    Q_OBJECT
private slots:
    void linesGoToARotatedBoundedFile()
    {
        QTemporaryDir dir;
        const QString log = dir.filePath("state/console.log"); // its folder is made
        installConsoleLog(log, false, 2000, 3);
        for (int i = 0; i < 200; ++i)
            qDebug() << "sand_cmd()" << i;
        qInstallMessageHandler(nullptr);
        QCOMPARE(QDir(dir.filePath("state")).entryList(QDir::Files),
                 (QStringList{"console.log", "console.log.1", "console.log.2"}));
        for (const QString &f : {log, log + ".1", log + ".2"})
            QVERIFY2(QFileInfo(f).size() <= 2000, qPrintable(f));
        // The newest line is last in console.log, unchanged after its time and level.
        const QStringList lines = readText(log).trimmed().split('\n');
        QVERIFY2(lines.last().endsWith(" debug sand_cmd() 199"), qPrintable(lines.last()));
        QVERIFY(readText(log + ".1").contains("sand_cmd() " + QString::number(199 - lines.size())));
        qputenv("XDG_STATE_HOME", "/tmp/state here");
        QCOMPARE(consoleLogFile(), QStringLiteral("/tmp/state here/orvanta-console/console.log"));
    }
};

QTEST_GUILESS_MAIN(ConsoleLogTest)
#include "tst_consolelog.moc"
