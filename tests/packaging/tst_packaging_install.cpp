// The console as a user installs and starts it. What `cmake --install` gives:
// the programs, the data tree, the udev rule, a valid desktop entry and
// AppStream data; the installed console runs from its prefix, on its own, on a
// fresh per-user data directory; and its command line: --diagnose against the
// fake keyboard in its three set-ups, --help, --version and bad options.

#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace orvanta::test;

namespace
{

const QString kAppId = QStringLiteral("com.orvanta.rgbconsole");

QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

// Outside tools get nothing of the console's test set-up; the console gets the
// fake keyboard and a closed loopback port for the update service.
QProcessEnvironment environment(bool fakeKeyboard, const QString &log = QString())
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    if (!fakeKeyboard)
        return env;
    env.insert(QStringLiteral("LD_PRELOAD"), qEnvironmentVariable("ORVANTA_FAKEHID_PRELOAD"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("ORVANTA_UPDATE_URL"), QStringLiteral("http://127.0.0.1:9"));
    env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), log);
    return env;
}

} // namespace

class PackagingInstall : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QString m_prefix;

    QString installed(const QString &relative) const { return m_prefix + '/' + relative; }
    QString dataTree() const { return installed(QStringLiteral("share/orvanta-console")); }

private slots:
    void initTestCase()
    {
        const QString cmake = qEnvironmentVariable("ORVANTA_CMAKE");
        const QString build = qEnvironmentVariable("ORVANTA_BUILD_DIR");
        QVERIFY2(!cmake.isEmpty() && !build.isEmpty(), "ORVANTA_CMAKE / ORVANTA_BUILD_DIR unset");
        QVERIFY(!qEnvironmentVariable("ORVANTA_VERSION").isEmpty());
        // A blank in the prefix: the launcher, the desktop entry's Exec and the console's
        // search for its data tree must all cope with it.
        m_prefix = m_tmp.filePath(QStringLiteral("install root"));
        const RunResult r = runProgram(cmake, {"--install", build, "--prefix", m_prefix},
                                       environment(false), 60000);
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
    }

    // The programs, and the whole data tree of the build, nothing left behind.
    void installedFiles()
    {
        for (const char *p :
             {"bin/orvanta-console", "bin/orvanta-ctl", "bin/orvanta-console-launch"})
            QVERIFY2(QFileInfo(installed(p)).isExecutable(), p);
        QVERIFY(QFileInfo(installed("share/icons/hicolor/256x256/apps/" + kAppId + ".png")).size() >
                0);
        const QStringList built = filesBelow(dataTreeDir());
        QVERIFY(built.size() > 20);
        QCOMPARE(filesBelow(dataTree()), built);
        // Every program has its man page.
        for (const QString &program : QDir(installed("bin")).entryList(QDir::Files))
            QVERIFY2(QFileInfo(installed("share/man/man1/" + program + ".1")).size() > 0,
                     qPrintable(program + " has no man page"));
    }

    // The project's version, and nothing older, in what the user reads: the
    // AppStream release entry and the man pages' title lines.
    void versionInInstalledFiles()
    {
        const QString version = qEnvironmentVariable("ORVANTA_VERSION");
        const QString metainfo = readText(installed("share/metainfo/" + kAppId + ".metainfo.xml"));
        const QRegularExpressionMatch newest =
            QRegularExpression("<release version=\"([^\"]*)\" date=\"(\\d{4}-\\d\\d-\\d\\d)\"")
                .match(metainfo);
        QVERIFY2(newest.hasMatch(), qPrintable(metainfo));
        QCOMPARE(newest.captured(1), version);
        for (const char *page : {"orvanta-console.1", "orvanta-ctl.1"}) {
            const QString text = readText(installed(QStringLiteral("share/man/man1/") + page));
            const QString title = text.section('\n', 0, 0);
            QVERIFY2(title.startsWith(".TH ") &&
                         title.contains("\"" + newest.captured(2) + "\" \"orvanta-console " +
                                        version + '"'),
                     qPrintable(title));
            QVERIFY2(!text.contains('@'), page); // every placeholder filled in
        }
    }

    void udevRule()
    {
        const QString dir = installed(QStringLiteral("lib/udev/rules.d"));
        const QStringList rules = QDir(dir).entryList({QStringLiteral("*.rules")}, QDir::Files);
        QCOMPARE(rules.size(), 1);
        // uaccess tags are turned into access lists by 73-seat-late.rules: a rule
        // that runs after it grants nothing.
        QVERIFY2(QRegularExpression("^[0-6][0-9]-|^7[0-2]-").match(rules[0]).hasMatch(),
                 qPrintable(rules[0]));
        int grants = 0;
        for (const QString &line : readText(dir + '/' + rules[0]).split('\n')) {
            QVERIFY2(!line.contains("MODE="), "the rule must not open the keyboard to every user");
            if (line.startsWith('#') || !line.contains("TAG+=\"uaccess\""))
                continue;
            ++grants;
            for (const char *part :
                 {"ATTRS{idVendor}==\"264a\"", "ATTRS{idProduct}==\"3006\"", "KERNEL==\"hidraw*\""})
                QVERIFY2(line.contains(part), qPrintable(line));
        }
        QVERIFY(grants >= 1);
    }

    void validators_data()
    {
        QTest::addColumn<QString>("tool");
        QTest::addColumn<QStringList>("arguments");
        QTest::newRow("desktop-file-validate")
            << "desktop-file-validate"
            << QStringList{installed("share/applications/" + kAppId + ".desktop")};
        QTest::newRow("appstreamcli validate")
            << "appstreamcli"
            << QStringList{"validate", "--no-net",
                           installed("share/metainfo/" + kAppId + ".metainfo.xml")};
    }
    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        QVERIFY2(!program.isEmpty(), qPrintable(tool + " is not installed: run scripts/deps"));
        const RunResult r = runProgram(program, arguments, environment(false));
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
        if (tool == QLatin1String("desktop-file-validate"))
            QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), qPrintable(r.out + r.err));
    }

    // The installed console started on its own, without options, from an empty
    // folder: it seeds the per-user data directory from the installed data tree,
    // switches the keyboard to on-board profile 1, writes nothing into the folder
    // it was started from, and logs to the per-user log file, not the terminal.
    void installedConsoleStartsOnItsOwn()
    {
        // Marks this install's data tree: the seed comes from the prefix, not the build.
        const QString marker = QStringLiteral("seed-origin.txt");
        QVERIFY(writeText(dataTree() + '/' + marker, "installed tree\n"));
        QTemporaryDir home;
        const QString startFolder = home.filePath(QStringLiteral("started here"));
        QVERIFY(QDir().mkpath(startFolder));
        const QString log = home.filePath(QStringLiteral("reports.log"));
        QProcessEnvironment env = environment(true, log);
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("my data")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral("my state")));

        QProcess console;
        console.setProcessEnvironment(env);
        console.setWorkingDirectory(startFolder);
        console.start(installed(QStringLiteral("bin/orvanta-console")), QStringList());
        QVERIFY(console.waitForStarted(10000));
        const bool reported = QTest::qWaitFor(
            [&] { return !readText(log).isEmpty() || console.state() != QProcess::Running; },
            15000);
        const QString firstReport =
            readText(log).section('\n', 0, 0).section(' ', 3); // "ms path length hex"
        const bool stillRunning = console.state() == QProcess::Running;
        console.terminate();
        if (!console.waitForFinished(5000))
            console.kill(), console.waitForFinished(5000);
        QVERIFY2(stillRunning, "the installed console ended on its own");
        QVERIFY2(reported, "the installed console sent nothing to the keyboard");
        QCOMPARE(firstReport, hex(toBytes(reportOf({{0, 7}, {1, 1}, {2, 1}}))));

        QCOMPARE(
            QDir(startFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
        // Every installed data file is in the fresh data directory (the pictures
        // and catalogs through a link to the installed tree).
        const QString dataDir = home.filePath(QStringLiteral("my data/orvanta-console"));
        const QStringList seeded = filesBelow(dataDir);
        for (const QString &file : filesBelow(dataTree()))
            QVERIFY2(QFileInfo::exists(dataDir + '/' + file),
                     qPrintable(file + QStringLiteral(" not seeded")));
        QVERIFY(seeded.contains(marker));
        QVERIFY(QFile::remove(dataTree() + '/' + marker));

        const QString consoleLog = readText(home.filePath("my state/orvanta-console/console.log"));
        const QString terminal = QString::fromLocal8Bit(console.readAllStandardOutput() +
                                                        console.readAllStandardError());
        for (const char *line : {"read_profile_connect()", "sand_cmd()"}) {
            QVERIFY2(consoleLog.contains(QLatin1String(line)), line);
            QVERIFY2(!terminal.contains(QLatin1String(line)), qPrintable(terminal));
        }
    }

    void diagnose_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<QString>("open");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mustSay");
        QTest::newRow("present") << "keyboard" << QString() << 0 << "The keyboard can be used.";
        QTest::newRow("absent") << "none" << QString() << 2 << "No HID interface of vendor 264a";
        QTest::newRow("opening denied") << "keyboard"
                                        << "deny" << 1 << "udevadm trigger";
    }
    void diagnose()
    {
        QFETCH(QString, devices);
        QFETCH(QString, open);
        QFETCH(int, exitCode);
        QFETCH(QString, mustSay);
        QTemporaryDir dir;
        QProcessEnvironment env = environment(true, dir.filePath("log"));
        env.insert(QStringLiteral("ORVANTA_FAKEHID_DEVICES"), devices);
        env.insert(QStringLiteral("ORVANTA_FAKEHID_OPEN"), open);
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        const RunResult r = runProgram(binDir() + "/orvanta-console", {"--diagnose"}, env);
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
        QVERIFY2(r.out.contains(mustSay), qPrintable(r.out));
        // Where to find the log that a bug report needs.
        QVERIFY2(r.out.contains("Log file: " + dir.filePath("state/orvanta-console/console.log")),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains("can be used") == (exitCode == 0), qPrintable(r.out));
        QVERIFY(!QFileInfo::exists(dir.filePath("log"))); // a diagnosis only looks
    }

    // These end before any window or keyboard: no display is needed at all.
    void exitsEarly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // the start of standard output, or of errors
        QTest::newRow("--help") << QStringList{"--help"} << 0
                                << "Usage: orvanta-console [options]\n";
        QTest::newRow("--version")
            << QStringList{"--version"} << 0
            << "orvanta-console " + qEnvironmentVariable("ORVANTA_VERSION") + '\n';
        QTest::newRow("unknown option")
            << QStringList{"--colour"} << 2 << "orvanta-console: unknown option '--colour'\nUsage:";
        QTest::newRow("unknown keyboard")
            << QStringList{"--keyboard=bluetooth"} << 2
            << "orvanta-console: --keyboard takes usb, virtual or auto, not 'bluetooth'\n";
        QTest::newRow("keyboard without a value")
            << QStringList{"--keyboard"} << 2 << "orvanta-console: --keyboard needs a value\n";
    }
    void exitsEarly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QTemporaryDir dir;
        QProcessEnvironment env = environment(true, dir.filePath("log"));
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        const RunResult r = runProgram(binDir() + "/orvanta-console", arguments, env);
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2((exitCode == 0 ? r.out : r.err).startsWith(out), qPrintable(r.out + r.err));
        if (arguments.first() == "--version")
            QCOMPARE(r.out, out);
        QVERIFY(!QFileInfo::exists(dir.filePath("log")));
    }
};

QTEST_GUILESS_MAIN(PackagingInstall)
#include "tst_packaging_install.moc"
