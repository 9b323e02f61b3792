// Odd entries in the data directory. FIFOs, links to /dev/zero and hostile
// files (huge values, random bytes, truncated files, odd names) neither hang
// the console nor flood it, at start-up or in a copied or imported profile: the
// readers stay bounded and nothing is written outside the data directory;
// links are followed only as the data directory's own folders; a Delete killed
// at any step leaves the profile whole or gone; and what killed saves and
// copies left behind is cleared at the next start.

#include "ConsoleProcess.h"
#include "core/assign/AssignmentTable.h"
#include "core/controller/ConsoleController.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileExportCheck.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DataPaths.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/PatternFile.h"
#include "core/virtual/VirtualKeyboardDevice.h"

#include <QRandomGenerator>
#include <QtTest>
#include <atomic>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// A controller on a data directory seeded from the installed data tree.
struct Rig {
    TempWorkDir wd;
    VirtualKeyboardDevice keyboard;
    PauseRecorder pauses;
    RecordingQueue queue{keyboard, pauses};
    std::unique_ptr<ConsoleController> controller;

    Rig()
    {
        wd.seedFromDataTree();
        restart();
    }
    // What a new start does with the data directory before anything else.
    void restart()
    {
        controller.reset();
        removeStaleStaging();
        controller = std::make_unique<ConsoleController>(&queue);
    }
    ProfileLibrary &profiles() { return controller->profiles(); }
    QString notice() { return controller->notices().last(); }
};

// Plants a FIFO, or a link to /dev/zero, at `path`.
bool plant(const QString &kind, const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    return kind == "fifo" ? ::mkfifo(native.constData(), 0600) == 0
                          : QFile::link(QStringLiteral("/dev/zero"), path);
}

// Runs `operation` on a thread. Should it still run at the deadline (stuck in
// a FIFO's open), the FIFOs below "." are opened from here so that it ends;
// false then.
bool endsInTime(const std::function<void()> &operation)
{
    std::atomic<bool> done{false};
    std::thread worker([&] {
        operation();
        done = true;
    });
    const bool inTime = QTest::qWaitFor([&] { return done.load(); }, 20000);
    while (!done) {
        QDirIterator it(QStringLiteral("."), QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            if (const int fd =
                    ::open(QFile::encodeName(it.next()).constData(), O_RDWR | O_NONBLOCK);
                fd >= 0)
                ::close(fd);
        (void)QTest::qWaitFor([&] { return done.load(); }, 100);
    }
    worker.join();
    return inTime;
}

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

struct Kill {
};

} // namespace

class DataDirSafetyTest : public QObject
{
    Q_OBJECT

private slots:
    // The real console on a data directory with FIFOs and /dev/zero links in
    // place of files it reads at start-up, or salted with hostile files: it
    // starts, says which files it left unread, takes switches and commands (to
    // the salted PROFILE 2 too) and writes nothing beside the data directory.
    void consoleRunsOnOddData_data()
    {
        QTest::addColumn<QStringList>("planted"); // kind:path
        QTest::addColumn<bool>("salted");
        QTest::addColumn<bool>("virtualKeyboard");
        QTest::newRow("USB") << QStringList{"fifo:system/light_color.ini",
                                            "fifo:macrofile/Default Macro.ini",
                                            "zero:system/light_flag.ini"}
                             << false << false;
        QTest::newRow("virtual, FIFO")
            << QStringList{"fifo:virtual_keyboard.json"} << false << true;
        QTest::newRow("virtual, zero")
            << QStringList{"zero:virtual_keyboard.json"} << false << true;
        QTest::newRow("salted") << QStringList() << true << false;
    }
    void consoleRunsOnOddData()
    {
        QFETCH(QStringList, planted);
        QFETCH(bool, salted);
        QFETCH(bool, virtualKeyboard);
        ConsoleProcess console;
        const QString data = console.dataDir(), p2 = data + "/lightfile/PROFILE 2";
        QVERIFY(copyDirectory(dataTreeDir(), data).ok());
        for (const QString &p : planted) {
            QFile::remove(data + '/' + p.section(':', 1));
            QVERIFY(plant(p.section(':', 0, 0), data + '/' + p.section(':', 1)));
        }
        if (salted) {
            QVERIFY(writeText(p2 + "/cmd/light_cmd.ini", hugeValue("0")));
            QVERIFY(writeText(p2 + "/singal/signal.ini", randomBytes(100000, 11)));
            QVERIFY(
                writeText(p2 + "/macro/macro_file.ini", truncated(p2 + "/macro/macro_file.ini")));
            QVERIFY(writeText(p2 + "/cmd/macro.ini", "[Setting]\ncount=99999999\n"));
            QVERIFY(writeText(data + "/macrofile/Huge.ini", hugeValue("macro_cmd_str")));
            QVERIFY(writeText(data + "/macrofile/Binary.ini", randomBytes(5000, 5)));
            QVERIFY(writeText(data + "/system/light_flag.ini",
                              truncated(data + "/system/light_flag.ini")));
            QVERIFY(writeText(data + "/system/profile_connect.ini",
                              "[Setting]\n1=../../outside\n2=PROFILE 2\n3=/etc\n4=\n5=\xff\xfe\n"));
            QVERIFY(
                !writeRawName(data + "/macrofile", "odd\xff.ini", randomBytes(300, 9)).isEmpty());
            QVERIFY(!writeRawName(data + "/lightfile", QByteArray(200, 'N'), "").isEmpty());
            QVERIFY(QDir().mkpath(data + "/lightfile/...")); // an odd folder among the profiles
        }
        // Beside the data directory: the test's report log and the console's log folder.
        const QString parent = QFileInfo(data).absolutePath();
        const auto beside = [&parent] {
            QStringList l = QDir(parent).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
            l.removeAll(QStringLiteral("reports.log"));
            l.removeAll(QStringLiteral("state"));
            return l;
        };
        const QStringList besideBefore = beside();
        QVERIFY(console.start(virtualKeyboard ? QStringList{"--virtual-keyboard"}
                                              : QStringList{"--no-update-check"}));
        const QString log = parent + "/state/orvanta-console/console.log";
        const auto told = [&] {
            const QString text =
                readText(log).section("notice: Not read, defaults used instead:", 1);
            for (const QString &p : planted)
                if (!text.section('\n', 0, 0).contains(QFileInfo(p.section(':', 1)).fileName()))
                    return false;
            return true;
        };
        QVERIFY2(QTest::qWaitFor(told, 30000), qPrintable(readText(log)));
        if (!virtualKeyboard) {
            QVERIFY(console.waitForReports(1, 60000));
            QCOMPARE(console.reports().first().bytes, selectBytes(1));
            QVERIFY(console.send("072"));
            QVERIFY(console.waitForReports(2, 60000));
            QCOMPARE(console.reports()[1].bytes, selectBytes(2));
            QVERIFY(console.send("076#10#20#30")); // still acting on commands
            QVERIFY(console.waitForReports(7, 20000));
        }
        QVERIFY(console.isRunning());
        QCOMPARE(beside(), besideBefore);
        QVERIFY(!QFileInfo::exists(data + "/../../outside"));
    }

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
        // Imports of the same file write only the two imported items.
        const QStringList before = filesBelow(wd.path(), false).keys();
        (void)RecordedMacroFile::import(QStringLiteral("Evil.ini"), QStringLiteral("Imported"));
        QVERIFY(QDir().mkpath("lightfile/Imported"));
        (void)importProfileExport(QStringLiteral("Evil.ini"),
                                  DataPaths::profileDir(QStringLiteral("Imported")));
        for (const QString &path : filesBelow(wd.path(), false).keys())
            QVERIFY2(before.contains(path) || path == "macrofile/Imported.ini" ||
                         path.startsWith("lightfile/Imported/"),
                     qPrintable(path));
    }

    // New, Copy and Import with a FIFO, a /dev/zero link or an oversized file
    // in the profile or offered for import: done at once, without the odd
    // entry (and saying so), or refused; nothing huge is written.
    void profileCopiesSkipOddEntries_data()
    {
        QTest::addColumn<QString>("operation");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("entry");
        const auto row = [](const char *name, QString op, QString kind, QString entry) {
            QTest::newRow(name) << op << kind << entry;
        };
        row("New, FIFO", "new", "fifo", "lightfile/PROFILE 1/light/pattern9.ini");
        row("New, zero", "new", "zero", "lightfile/PROFILE 1/cmd/zero.ini");
        row("Copy, FIFO", "copy", "fifo", "lightfile/PROFILE 2/singal/x.ini");
        row("Copy, zero", "copy", "zero", "lightfile/PROFILE 2/zero.ini");
        row("Copy, 64 MB", "copy", "large", "lightfile/PROFILE 2/light/big.ini");
        row("Import, FIFO", "import", "fifo", "Fifo.ini");
        row("Import, zero", "import", "zero", "Zero.ini");
        row("Export, FIFO", "export", "fifo", "Out.ini");
    }
    void profileCopiesSkipOddEntries()
    {
        QFETCH(QString, operation);
        QFETCH(QString, kind);
        QFETCH(QString, entry);
        Rig rig;
        const QString source = operation == "new" ? "PROFILE 1" : "PROFILE 2";
        const auto before = filesBelow(QDir::current().filePath("lightfile/" + source));
        QFile large(entry); // sparse: no disk space taken
        QVERIFY(kind == "large" ? large.open(QIODevice::WriteOnly) && large.resize(64 << 20)
                                : plant(kind, entry));
        ProfileResult result;
        QVERIFY(endsInTime([&] {
            result = operation == "new"    ? rig.profiles().create()
                     : operation == "copy" ? rig.profiles().copy(source)
                     : operation == "export"
                         ? rig.profiles().exportTo(source, QDir::current().filePath(entry))
                         : rig.profiles().importFrom(QDir::current().filePath(entry));
        }));
        if (operation == "import" || operation == "export") {
            QCOMPARE(result.status, operation == "import" ? ProfileResult::Status::Refused
                                                          : ProfileResult::Status::Failed);
            QVERIFY(!QFileInfo::exists("lightfile/" + entry.section('.', 0, 0)));
            return;
        }
        QCOMPARE(result.status, ProfileResult::Status::Done);
        QCOMPARE(result.profile, operation == "new" ? "PROFILE 6" : "PROFILE 2_01");
        QCOMPARE(filesBelow(QDir::current().filePath("lightfile/" + result.profile)),
                 before); // all but the odd entry
        QVERIFY2(rig.notice().contains(QFileInfo(entry).fileName()), qPrintable(rig.notice()));
    }

    // `lightfile` a link the user made to a folder elsewhere: used for
    // everything (APPLY, New, Delete, the clean-up); links inside a profile
    // (a file, a folder) are never followed, so what they name is never read,
    // written or removed.
    void folderLinksFollowedOnlyAtTheTop()
    {
        Rig rig;
        QTemporaryDir outside;
        const QString moved = outside.filePath("profiles"), secret = outside.filePath("secret.ini");
        QVERIFY(QDir().rename("lightfile", moved) && QFile::link(moved, "lightfile"));
        QVERIFY(writeText(secret, "[Setting]\nkeep=1\n"));
        QVERIFY(QDir().mkpath(outside.filePath("folder")));
        QVERIFY(writeText(outside.filePath("folder/pattern1.ini"), "kept") &&
                writeText(outside.filePath("folder/pattern1.ini.AB12cd"), "kept"));
        // A profile with links out: a file, a folder, a save's leftover beside one.
        QVERIFY(rig.profiles().copy("PROFILE 2").done());
        const QString game = "lightfile/PROFILE 2_01";
        QVERIFY(QFile::remove(game + "/light/pattern2.ini") &&
                QFile::link(secret, game + "/light/pattern2.ini"));
        QVERIFY(removeDirectory(game + "/cmd") &&
                QFile::link(outside.filePath("folder"), game + "/cmd"));
        const auto outsideBefore = filesBelow(outside.path() + "/folder");

        // APPLY's saves land in the linked folder.
        const QStringList texts{"1", "2", "3", "4,5,6", "0"};
        QVERIFY(PatternFile::write(1, "PROFILE 2", texts).ok());
        QCOMPARE(PatternFile::read(1, "PROFILE 2"), texts);
        QVERIFY(readText(moved + "/PROFILE 2/light/pattern1.ini").contains("4,5,6"));
        // A link inside a profile reads as missing and is replaced, not written through.
        QCOMPARE(PatternFile::read(2, "PROFILE 2_01"), PatternFile::read(99, "PROFILE 2_01"));
        QVERIFY(PatternFile::write(2, "PROFILE 2_01", texts).ok());
        QVERIFY(!QFileInfo(game + "/light/pattern2.ini").isSymLink());
        // Saves below a linked folder are refused.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^save failed: .*PROFILE 2_01/cmd/"));
        QVERIFY(!storeLightCommandSet({3, QVector<Report>(5)}, "PROFILE 2_01").ok());
        // New and Copy write there; the copy leaves the links out.
        QVERIFY(rig.profiles().create().done());
        QVERIFY(QFileInfo(moved + "/PROFILE 6/light/pattern1.ini").isFile());
        QVERIFY(rig.profiles().copy("PROFILE 2_01").done());
        QVERIFY(!QFileInfo::exists(moved + "/PROFILE 2_02/cmd"));
        // The clean-up clears leftovers there, never below a link.
        QVERIFY(writeText(moved + "/PROFILE 2/light/pattern1.ini.XY12ab", "left over"));
        rig.restart();
        QVERIFY(!QFileInfo::exists(moved + "/PROFILE 2/light/pattern1.ini.XY12ab"));
        // Delete removes there, and the links as links.
        QVERIFY(rig.profiles().remove("PROFILE 2_01").done());
        QVERIFY(!QFileInfo::exists(moved + "/PROFILE 2_01"));
        QVERIFY(rig.profiles().remove("PROFILE 6").done());
        QCOMPARE(profileList(), (QStringList{"PROFILE 1", "PROFILE 2", "PROFILE 2_02", "PROFILE 3",
                                             "PROFILE 4", "PROFILE 5"}));
        QCOMPARE(readText(secret), QStringLiteral("[Setting]\nkeep=1\n"));
        QCOMPARE(filesBelow(outside.path() + "/folder"), outsideBefore);
    }

    // A Delete killed before any of its removals and renames: after a restart
    // the profile is listed with all its files, or is gone without a trace.
    void deleteKilledAtEachStepLeavesProfileWholeOrGone()
    {
        Rig rig;
        QVERIFY(rig.profiles().copy("PROFILE 2").done());
        const QString name = "PROFILE 2_01", folder = QDir::current().filePath("lightfile/" + name);
        const auto whole = filesBelow(folder);
        QVERIFY(whole.size() == 9); // 14 removals with the folders
        const auto dataDir = [] { return filesBelow(QDir::currentPath(), false).keys(); };
        const QStringList gone =
            dataDir().filter(QRegularExpression("^(?!lightfile/" + name + "/)"));
        int k = 0;
        for (bool killed = true; killed; ++k) {
            int step = 0;
            killed = false;
            {
                const RemovalStepHook hook([&] {
                    if (step++ == k)
                        throw Kill();
                });
                try {
                    (void)rig.profiles().remove(name);
                } catch (const Kill &) {
                    killed = true;
                }
            }
            rig.restart();
            if (profileList().contains(name)) {
                QVERIFY2(killed, "deleted, yet listed");
                QCOMPARE(filesBelow(folder), whole);
            } else {
                QCOMPARE(dataDir(), gone);
                if (killed) // again, from a whole profile
                    QVERIFY(rig.profiles().copy("PROFILE 2").done());
            }
        }
        QVERIFY(k > 3); // it was killed at several steps
    }

    // What killed saves and copies left: a virtual keyboard save's temporary
    // file (or a link so named), and a staging folder that is a link or a
    // file. The next start clears them, never through a link, and New works.
    void leftoversClearedAtStart_data()
    {
        QTest::addColumn<QString>("leftover");
        QTest::addColumn<QString>("kind");
        const auto row = [](const char *name, QString leftover, QString kind) {
            QTest::newRow(name) << leftover << kind;
        };
        row("state temporary", "virtual_keyboard.json.Ab12Cd", "file");
        row("state temporary link", "virtual_keyboard.json.9xYz0Q", "link");
        row("staging folder", ".staging/C/half.ini", "file");
        row("staging file", ".staging", "file");
        row("staging link", ".staging", "link");
        row("trash link", ".trash", "link");
    }
    void leftoversClearedAtStart()
    {
        QFETCH(QString, leftover);
        QFETCH(QString, kind);
        Rig rig;
        QTemporaryDir outside;
        QVERIFY(writeText(outside.filePath("kept"), "kept"));
        QVERIFY(kind == "file" ? writeText(leftover, "{}")
                               : QFile::link(leftover.startsWith('.') ? outside.path()
                                                                      : outside.filePath("kept"),
                                             leftover));
        rig.restart();
        QVERIFY(!QFileInfo::exists(leftover) && !QFileInfo(leftover).isSymLink());
        QCOMPARE(readText(outside.filePath("kept")), QStringLiteral("kept"));
        QVERIFY(rig.profiles().create().done());
        QVERIFY(rig.profiles().copy("PROFILE 6").done());
    }
};

QTEST_MAIN(DataDirSafetyTest)
#include "tst_datadirsafety.moc"
