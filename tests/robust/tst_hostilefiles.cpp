// Hostile input. Files in the data directory and offered for import (huge
// values, random bytes, truncated files, odd names): the readers stay bounded,
// nothing is written outside the data directory, and the console keeps running.
// Clients on the control socket (one more than it keeps, garbage from all of
// them, one dropping mid-message): every profile switch reaches the keyboard in order.

#include "ConsoleProcess.h"
#include "core/assign/AssignmentTable.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileExportCheck.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/DataPaths.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/MacroReportsFile.h"

#include <QDirIterator>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QtTest>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// 50 MB of digits and commas in one value.
QByteArray hugeValue(const QByteArray &key)
{
    QByteArray v;
    v.reserve(50 * 1024 * 1024 + 64);
    v += "[Setting]\n" + key + "=";
    while (v.size() < 50 * 1024 * 1024)
        v += "1234567,";
    return v + "\n";
}

QByteArray randomBytes(int n, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray b(n, '\0');
    for (char &c : b)
        c = char(rng.bounded(256));
    return b;
}

QByteArray truncated(const QString &path)
{
    const QByteArray whole = readText(path).toUtf8();
    return whole.left(whole.size() / 2);
}

// Every entry below `root`, by absolute path.
QStringList look(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QFileInfo(it.next()).absoluteFilePath();
    return out;
}

// A file whose name holds bytes that are not UTF-8.
QString writeRawName(const QString &dir, const QByteArray &rawName, const QByteArray &content)
{
    const QByteArray path = QFile::encodeName(dir) + '/' + rawName;
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY | O_TRUNC, 0644);
    if (fd < 0)
        return QString();
    const bool ok = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    ::close(fd);
    return ok ? QFile::decodeName(path) : QString();
}

} // namespace

class HostileFilesTest : public QObject
{
    Q_OBJECT

private slots:
    // Files far larger than any the console writes (random bytes and huge counts
    // in every stored file are the import fuzzer's): bounded results, the
    // documented defaults, and imports that write only inside the data directory.
    void readersStayBounded()
    {
        const QByteArray content = hugeValue("macro_cmd_str");
        TempWorkDir wd;
        QVERIFY(wd.seedFromDataTree());
        const QString p = QStringLiteral("PROFILE 2");
        for (const QString &path :
             {DataPaths::lightCmdPath(p), DataPaths::macroCmdPath(p), DataPaths::signalPath(p),
              DataPaths::macroSystemPath(p), DataPaths::patternPath(1, p),
              DataPaths::macroPath("Evil"), QStringLiteral("system/light_flag.ini"),
              QStringLiteral("system/iss_flag.ini"), QStringLiteral("Evil.ini")})
            QVERIFY(writeText(path, content));

        QVERIFY(readStoredLighting(p).set.reports.size() <= 7);
        QVERIFY(MacroReportsFile::commands(p).size() <= 108);
        // A file far larger than any the console writes reads as empty, not whole.
        QVERIFY(RecordedMacroFile::read("Evil") == MacroTexts{});
        QVERIFY(macro::parseMacro(RecordedMacroFile::read("Evil")).rows.size() <= 84);
        std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
        AssignmentTable table;
        table.loadSignalFile(keyMap, KeyMapFile::read(p));
        table.loadMacroFile(AssignmentFile::read(p));
        // Imports of the same file write only inside the data directory.
        const auto before = look(QDir::current().absolutePath());
        (void)RecordedMacroFile::import(QStringLiteral("Evil.ini"), QStringLiteral("Imported"));
        QVERIFY(QDir().mkpath("lightfile/Imported"));
        (void)importProfileExport(QStringLiteral("Evil.ini"),
                                  DataPaths::profileDir(QStringLiteral("Imported")));
        // Only the two imported items are new.
        const QString root = QDir::current().absolutePath() + QLatin1Char('/');
        for (const QString &path : look(QDir::current().absolutePath()))
            QVERIFY2(before.contains(path) || path == root + "macrofile/Imported.ini" ||
                         path.startsWith(root + "lightfile/Imported"),
                     qPrintable(path));
    }

    // The real console on a data directory salted with such files.
    void consoleKeepsRunningOnSaltedData()
    {
        ConsoleProcess console;
        const QString data = console.dataDir();
        QVERIFY(copyDirectory(dataTreeDir(), data).ok());
        const QString p2 = data + "/lightfile/PROFILE 2";
        QVERIFY(writeText(p2 + "/cmd/light_cmd.ini", hugeValue("0")));
        QVERIFY(writeText(p2 + "/singal/signal.ini", randomBytes(100000, 11)));
        QVERIFY(writeText(p2 + "/macro/macro_file.ini", truncated(p2 + "/macro/macro_file.ini")));
        QVERIFY(writeText(p2 + "/cmd/macro.ini", "[Setting]\ncount=99999999\n"));
        QVERIFY(writeText(data + "/macrofile/Huge.ini", hugeValue("macro_cmd_str")));
        QVERIFY(writeText(data + "/macrofile/Binary.ini", randomBytes(5000, 5)));
        QVERIFY(
            writeText(data + "/system/light_flag.ini", truncated(data + "/system/light_flag.ini")));
        QVERIFY(writeText(data + "/system/profile_connect.ini",
                          "[Setting]\n1=../../outside\n2=PROFILE 2\n3=/etc\n4=\n5=\xff\xfe\n"));
        QVERIFY(!writeRawName(data + "/macrofile", "odd\xff.ini", randomBytes(300, 9)).isEmpty());
        QVERIFY(!writeRawName(data + "/lightfile", QByteArray(200, 'N'), "").isEmpty());
        QVERIFY(QDir().mkpath(data + "/lightfile/...")); // an odd folder among the profiles
        // Beside the data directory: the test's report log and the console's log folder.
        const auto beside = [parent = QFileInfo(data).absolutePath()] {
            QStringList l = QDir(parent).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
            l.removeAll(QStringLiteral("reports.log"));
            l.removeAll(QStringLiteral("state"));
            return l;
        };
        const QStringList parentBefore = beside();

        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 60000));
        QCOMPARE(console.reports().first().bytes, selectBytes(1));

        QVERIFY(console.send("072")); // loads the salted PROFILE 2
        QVERIFY(console.waitForReports(2, 60000));
        QCOMPARE(console.reports()[1].bytes, selectBytes(2));
        QVERIFY(console.send("076#10#20#30")); // still acting on commands
        QVERIFY(console.waitForReports(7, 20000));
        QVERIFY(console.isRunning());
        QCOMPARE(beside(), parentBefore); // nothing appeared beside the data directory
        QVERIFY(!QFileInfo::exists(data + "/../../outside"));
        console.stop();
    }

    void garbageAndSwitchesFromMoreClientsThanKept()
    {
        ConsoleProcess console;
        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 20000));
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        const auto connectClient = [&] {
            clients.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket &c = *clients.back();
            c.connectToHost(QHostAddress::LocalHost, console.port());
            return QTest::qWaitFor([&] { return c.peek(4096).endsWith('&'); }, 10000);
        };
        for (int i = 0; i < SocketHelper::kMaxClients; ++i)
            QVERIFY2(connectClient(), qPrintable(QString::number(i)));
        // Garbage from all but the first client: none of it is a command.
        QRandomGenerator rng(20240613);
        for (std::size_t i = 1; i < clients.size(); ++i) {
            clients[i]->write(socketGarbage(i % 2 ? int(i / 2 % 6) : -1, rng));
            clients[i]->flush();
        }
        // A status request answered proves that the console has read all that came
        // before it; one that arrived with the garbage in one read is asked again.
        for (std::size_t i = 1; i < clients.size(); ++i) {
            QTcpSocket &c = *clients[i];
            const auto answered = [&] { return c.peek(65536).endsWith('\n'); };
            for (int tries = 0; tries < 10 && !answered(); ++tries) {
                c.write(SocketHelper::statusRequest());
                c.flush();
                (void)QTest::qWaitFor(answered, 2000);
            }
            QVERIFY2(answered(), qPrintable(QString::number(i)));
        }
        // One more client gets in; the quietest (the first) makes room.
        QVERIFY(connectClient());
        QTRY_COMPARE(clients[0]->state(), QAbstractSocket::UnconnectedState);
        for (std::size_t i = 1; i < clients.size(); ++i)
            QCOMPARE(clients[i]->state(), QAbstractSocket::ConnectedState);
        clients[5]->write(QByteArray(R"({"command":7,"Data":3,"Color":{}})").toBase64().left(20));
        clients[5]->flush();
        clients[5]->abort(); // dropped mid-message
        // Switches one at a time from different clients, in both forms.
        for (int i = 1; i <= 10; ++i) {
            const int profile = 1 + i % 5;
            QTcpSocket &c = *clients[std::size_t(6 * i)];
            c.write(i % 2 ? "07" + QByteArray::number(profile)
                          : QStringLiteral(R"({"command":7,"Data":%1,"Color":{"r":1}})")
                                .arg(profile)
                                .toUtf8()
                                .toBase64());
            c.flush();
            QVERIFY(console.waitForReports(1 + i, 10000));
            QCOMPARE(console.reports().last().bytes, selectBytes(profile));
        }
        // One report at start-up, then exactly one per switch.
        QCOMPARE(console.reports().size(), 11);
        QVERIFY(console.isRunning());
        console.stop();
    }
};

QTEST_MAIN(HostileFilesTest)
#include "tst_hostilefiles.moc"
