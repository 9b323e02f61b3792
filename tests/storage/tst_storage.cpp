// The storage layer: saves all or nothing, the INI text of the settings
// library, exact file contents, the first use's copies and links, and the
// export text of a saved profile.

#include "TestSupport.h"
#include "core/app/ConsoleOptions.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/PatternStore.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/AtomicFile.h"
#include "core/storage/DataPaths.h"
#include "core/storage/IniFile.h"
#include "core/storage/KeyMapFile.h"
#include "core/storage/LanguageFile.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/PatternFile.h"
#include "core/storage/StoredList.h"

#include <QSettings>
#include <QtTest>
#include <fcntl.h>

using namespace orvanta;
using namespace orvanta::test;

static QString numbers(int count, int value)
{
    return (QString::number(value) + ',').repeated(count).chopped(1);
}

class StorageTest : public QObject
{
    Q_OBJECT
    std::unique_ptr<TempWorkDir> m_dir; // each test runs in a fresh, empty directory

private slots:
    void init() { m_dir = std::make_unique<TempWorkDir>(); }
    void cleanup() { m_dir.reset(); }

    void renderingMatchesTheSettingsLibrary_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QVariant>("value");
        const auto row = [](const char *name, const QString &key, const QVariant &v) {
            QTest::newRow(name) << key << v;
        };
        row("list text is quoted", "Setting/VColor", QStringLiteral("255,0,0"));
        row("separators, quotes, backslashes", "Setting/x", QStringLiteral("a;b=c \"hi\" C:\\d"));
        row("control characters", "Setting/x", QStringLiteral("tab\tline\nbell\a"));
        row("nul and escape before hex digits", "Setting/x",
            QString(QChar(0)) + QStringLiteral("7f") + QChar(1) + QStringLiteral("a"));
        row("non-ASCII", "Setting/x", QStringLiteral("繁體中文 Ünïcode"));
        row("leading at", "Setting/x", QStringLiteral("@home"));
        row("string list", "Setting/x", QStringList{"a", "b c", "d,e"});
        row("byte array", "Setting/x", QByteArray("\x01\xff ok", 5));
        row("key without a group", "language", QStringLiteral("2"));
    }
    void renderingMatchesTheSettingsLibrary()
    {
        QFETCH(QString, key);
        QFETCH(QVariant, value);
        // Several groups and keys around the one under test fix the order too.
        const QVector<QPair<QString, QVariant>> values{
            {"10/cmd", "1"}, {"2/cmd", "2"}, {"Setting/count", "0"}, {key, value}};
        IniFile ours;
        {
            QSettings s("qt.ini", QSettings::IniFormat);
            s.setIniCodec("UTF-8");
            for (const auto &v : values)
                s.setValue(v.first, v.second), ours.setValue(v.first, v.second);
        }
        QFile qt("qt.ini");
        QVERIFY(qt.open(QIODevice::ReadOnly));
        QCOMPARE(ours.render(), qt.readAll());
        // ... and what is read back is what the library reads from its own file.
        QVERIFY(ours.save("ours.ini").ok());
        // (A copy: the library would answer from what it wrote, not from the file.)
        QVERIFY(QFile::copy("qt.ini", "qt-copy.ini"));
        QSettings back("qt-copy.ini", QSettings::IniFormat);
        back.setIniCodec("UTF-8");
        QCOMPARE(IniFile::load("ours.ini").value(key), back.value(key));
    }

    // The system calls of a save, watched and failed one at a time: the data
    // reaches the disk before the rename and the folder after it; any failing
    // step keeps the old file and leaves nothing beside it; a temporary file
    // left by a save killed before its rename never stops a later save.
    void saveProtocolAtTheSystemCalls()
    {
        QVERIFY(writeText("system/language.ini", "old"));
        const FileSystemCalls real = systemFileCalls();
        QStringList log;
        QSet<int> folders;
        QString failing;     // the call that fails with EIO
        bool killed = false; // the process dies at the rename: no clean-up runs
        const auto fail = [&](const char *call, int result) {
            log << QString::fromLatin1(call);
            if (failing != QLatin1String(call))
                return result;
            errno = EIO;
            return -1;
        };
        FileSystemCalls watched;
        watched.open = [&](const char *path, int flags, mode_t mode) {
            const int fd = real.open(path, flags, mode);
            log << ((flags & O_DIRECTORY) ? "open folder" : "open file");
            if (flags & O_DIRECTORY)
                folders.insert(fd);
            return fd;
        };
        watched.write = [&](int fd, const void *data, size_t size) {
            return ssize_t(fail("write", int(real.write(fd, data, size))));
        };
        watched.dataSync = [&](int fd) { return fail("sync data", real.dataSync(fd)); };
        watched.sync = [&](int fd) {
            return fail(folders.contains(fd) ? "sync folder" : "sync file", real.sync(fd));
        };
        watched.close = [&](int fd) {
            const bool folder = folders.remove(fd);
            return fail(folder ? "close folder" : "close file", real.close(fd));
        };
        watched.rename = [&](const char *from, const char *to) {
            return fail("rename", failing == "rename" ? 0 : real.rename(from, to));
        };
        watched.unlink = [&](const char *path) {
            log << "unlink";
            return killed ? 0 : real.unlink(path);
        };
        const auto files = [] { return QDir("system").entryList(QDir::Files | QDir::Hidden); };
        const QStringList alone{"language.ini"};
        FileCallsOverride seam(watched);

        QVERIFY(saveFile("system/language.ini", "new").ok());
        QCOMPARE(log, (QStringList{"open file", "write", "sync data", "close file", "rename",
                                   "open folder", "sync folder", "close folder"}));
        QCOMPARE(readText("system/language.ini"), QStringLiteral("new"));
        for (const char *call : {"write", "sync data", "close file", "rename"}) {
            failing = QString::fromLatin1(call);
            QTest::ignoreMessage(QtWarningMsg,
                                 "save failed: system/language.ini - Input/output error");
            QVERIFY2(!saveFile("system/language.ini", "lost").ok(), call);
            QCOMPARE(readText("system/language.ini"), QStringLiteral("new"));
            QCOMPARE(files(), alone);
        }
        failing = "rename";
        killed = true;
        QTest::ignoreMessage(QtWarningMsg, "save failed: system/language.ini - Input/output error");
        QVERIFY(!saveFile("system/language.ini", "cut").ok());
        QCOMPARE(files().size(), 2); // the dead save's temporary file
        failing.clear();
        killed = false;
        for (const QByteArray text : {"after", "again"}) {
            QVERIFY(saveFile("system/language.ini", text).ok());
            QCOMPARE(readText("system/language.ini").toUtf8(), text);
            QCOMPARE(files().size(), 2);
        }
    }

    // The set's own reports and its type, no more: a stale key from an earlier,
    // longer set does not survive.
    void lightCmdHoldsTypeAndItsReportsOnly()
    {
        QVERIFY(writeText("lightfile/P/cmd/light_cmd.ini", "[Setting]\n6=old\nstale=1\n"));
        LightCommandSet set{3, {}}; // Wave: 5 reports
        QString text = "[Setting]\n";
        for (int i = 0; i < 5; ++i) {
            set.reports << Report{};
            set.reports.last().fill(quint8(i));
            text += QStringLiteral("%1=\"%2\"\n").arg(i).arg(numbers(264, i));
        }
        QVERIFY(storeLightCommandSet(set, "P").ok());
        QCOMPARE(readText("lightfile/P/cmd/light_cmd.ini"), text + "type=3\n");
        QVERIFY(readStoredLighting("P").complete &&
                readStoredLighting("P").set.reports == set.reports);
    }

    // cmd/macro.ini: removing an entry renumbers the rest; a reset empties it.
    void macroCmdEntriesAndReset()
    {
        QVERIFY(MacroReportsFile::create("P").ok());
        for (int i = 1; i <= 4; ++i)
            QVERIFY(MacroReportsFile::writeEntry("P", i, i, 10 * i, numbers(264, i)).ok());
        QVERIFY(MacroReportsFile::removeEntry("P", 2, 3).ok());
        QCOMPARE(MacroReportsFile::count("P"), 3);
        QCOMPARE(MacroReportsFile::keyNumbers("P"), QStringLiteral("10,30,40"));
        QCOMPARE(MacroReportsFile::commands("P"),
                 (QStringList{numbers(264, 1), numbers(264, 3), numbers(264, 4)}));
        QSettings s("lightfile/P/cmd/macro.ini", QSettings::IniFormat);
        QVERIFY(!s.childGroups().contains("4"));

        QVERIFY(MacroReportsFile::create("P").ok());
        QCOMPARE(readText("lightfile/P/cmd/macro.ini"),
                 QStringLiteral("[Setting]\ncount=0\nmacro_number=0\n"));
        QCOMPARE(MacroReportsFile::commands("P"), QStringList{});
    }

    void languageFileText()
    {
        QVERIFY(LanguageFile::write(2).ok());
        QCOMPARE(readText("system/language.ini"), QStringLiteral("[Setting]\nlanguage=2\n"));
    }

    // First use copies the installed profiles and settings, writable, next to
    // what the data directory has, and links the read-only trees (pictures,
    // catalogs) unless it has its own.
    void firstUseSeedsAndLinksWithoutOverwriting()
    {
        const QByteArray big = QByteArray("orvanta").repeated(30000); // more than one read
        QVERIFY(writeText("tree/lightfile/PROFILE 1/big.bin", big));
        // Installed files may be read-only; the user's copies must be writable.
        QVERIFY(QFile::setPermissions("tree/lightfile/PROFILE 1/big.bin",
                                      QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        for (const char *file : {"tree/system/language.ini", "tree/Image/back.png",
                                 "tree/Language/en.qm", "data/Image/back.png"})
            QVERIFY(writeText(file, file));
        QVERIFY(writeText("data/system/language.ini", "mine"));
        QVERIFY(QDir().mkpath("lightfile")); // a tree where the console was started is not its own
        const QDir top = QDir::current();
        QVERIFY(prepareDataDirectory(top.absoluteFilePath("data"), top.absoluteFilePath("tree")));
        QCOMPARE(QDir::currentPath(), top.absoluteFilePath("data"));
        QFile copy("lightfile/PROFILE 1/big.bin");
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), big);
        QCOMPARE(copy.permissions(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser |
                                         QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
        QCOMPARE(readText("system/language.ini"), QStringLiteral("mine"));
        QVERIFY(!QFileInfo("Image").isSymLink() && QFileInfo("Language").isSymLink());
        QCOMPARE(readText("Image/back.png"), QStringLiteral("data/Image/back.png"));
        QCOMPARE(readText("Language/en.qm"), QStringLiteral("tree/Language/en.qm"));
    }

    void exportTextOfThreePatterns()
    {
        for (int n = 1; n <= 3; ++n)
            QCOMPARE(addPattern("P").value, n - 1);
        const QString p2 = "RColor=\"1,2,3,4,5,6,7,8,9,10,11\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                           "BColor=\"9,0,0,0,0,0,0,0,0,0,9\"\nVColor=\"7,8,9\"\n"
                           "YValue=\"1,1,0,0,0,0,0,0,0,0,1\"\n";
        QVERIFY(writeText(DataPaths::patternPath(2, "P"), ("[Setting]\n" + p2).toUtf8()));
        QVERIFY(KeyMapFile::write("P", {"44,0,0", "0,2", ",F5"}).ok());

        const QString text = exportText("P");
        const QString def = "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\nGColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                            "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\nVColor=\"255,0,0\"\n"
                            "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n";
        QCOMPARE(text, "[Setting]\npattern=\"3\"\n[pattern1]\n" + def + "[pattern2]\n" + p2 +
                           "[pattern3]\n" + def +
                           "[signal]\nsignle=\"44,0,0\"\nmacro_singal_oldkey=\"0,2\"\nmacro_singal_"
                           "newkey=\",F5\"\n");
    }
};

QTEST_GUILESS_MAIN(StorageTest)
#include "tst_storage.moc"
