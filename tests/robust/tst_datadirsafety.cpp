// Odd entries in the data directory. FIFOs, links to /dev/zero and hostile
// files (huge values, paths out of it, odd names) neither hang the console nor
// flood it, at start-up or in a copied or imported profile, and nothing is
// written outside the data directory (random and cut-off contents of every
// stored file are the import fuzzer's);
// links are followed only as the data directory's own folders; a Delete killed
// at any step leaves the profile whole or gone; and what killed saves and
// copies left behind is cleared at the next start.

#include "ConsoleProcess.h"
#include "core/controller/ConsoleController.h"
#include "core/lighting/LightingBuilders.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/PatternFile.h"
#include "core/virtual/VirtualKeyboardDevice.h"

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

// An empty file whose name may hold bytes that are not UTF-8.
bool touchRaw(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_CREAT | O_WRONLY, 0644);
    return fd >= 0 && ::close(fd) == 0;
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
        QTest::newRow("FIFOs and links")
            << QStringList{"fifo:system/light_color.ini", "fifo:macrofile/Default Macro.ini",
                           "zero:system/light_flag.ini"}
            << false;
        QTest::newRow("salted") << QStringList() << true;
    }
    void consoleRunsOnOddData()
    {
        QFETCH(QStringList, planted);
        QFETCH(bool, salted);
        ConsoleProcess console;
        const QString data = console.dataDir(), p2 = data + "/lightfile/PROFILE 2";
        QVERIFY(copyDirectory(dataTreeDir(), data).ok());
        for (const QString &p : planted) {
            QFile::remove(data + '/' + p.section(':', 1));
            QVERIFY(plant(p.section(':', 0, 0), data + '/' + p.section(':', 1)));
        }
        if (salted) {
            QVERIFY(writeText(p2 + "/cmd/light_cmd.ini", hugeValue("0")));
            QVERIFY(writeText(p2 + "/singal/signal.ini", hugeValue("1")));
            QVERIFY(writeText(p2 + "/cmd/macro.ini", "[Setting]\ncount=99999999\n"));
            QVERIFY(writeText(data + "/macrofile/Huge.ini", hugeValue("macro_cmd_str")));
            QVERIFY(writeText(data + "/system/profile_connect.ini",
                              "[Setting]\n1=../../outside\n2=PROFILE 2\n3=/etc\n4=\n5=\xff\xfe\n"));
            QVERIFY(touchRaw(QFile::encodeName(data) + "/macrofile/odd\xff.ini"));
            QVERIFY(touchRaw(QFile::encodeName(data) + "/lightfile/" + QByteArray(200, 'N')));
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
        QVERIFY(console.start({"--no-update-check"}));
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
        QVERIFY(console.waitForReports(1, 60000));
        QCOMPARE(console.reports().first().bytes, selectBytes(1));
        QVERIFY(console.send("072"));
        QVERIFY(console.waitForReports(2, 60000));
        QCOMPARE(console.reports()[1].bytes, selectBytes(2));
        QVERIFY(console.send("076#10#20#30")); // still acting on commands
        QVERIFY(console.waitForReports(7, 20000));
        QCOMPARE(console.reports().size(), 7); // the colour's five: nothing read floods it
        QVERIFY(console.isRunning());
        QCOMPARE(beside(), besideBefore);
        QVERIFY(!QFileInfo::exists(data + "/../../outside"));
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
        row("Copy, zero", "copy", "zero", "lightfile/PROFILE 2/zero.ini");
        row("Copy, 64 MB", "copy", "large", "lightfile/PROFILE 2/light/big.ini");
        row("Import, FIFO", "import", "fifo", "Fifo.ini");
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
            result = operation == "new" ? rig.profiles().create()
                     : operation == "copy"
                         ? rig.profiles().copy(source)
                         : rig.profiles().importFrom(QDir::current().filePath(entry));
        }));
        if (operation == "import") {
            QCOMPARE(result.status, ProfileResult::Status::Refused);
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
        row("state temporary link", "virtual_keyboard.json.9xYz0Q", "link");
        row("staging folder", ".staging/C/half.ini", "file");
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
