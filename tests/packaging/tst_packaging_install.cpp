// What `cmake --install` gives the user: the programs, the data tree, the udev
// rule, a valid desktop entry and AppStream data; and the installed console runs
// from its prefix, on its own, on a fresh per-user data directory.

#include "PackagingSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
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

// The reports the fake keyboard logged: "<ms> <path> <length> <hex>".
QVector<QByteArray> loggedReports(const QString &log)
{
    QVector<QByteArray> out;
    for (const QByteArray &line : readText(log).toLatin1().split('\n')) {
        const QList<QByteArray> f = line.trimmed().split(' ');
        if (f.size() == 4)
            out << QByteArray::fromHex(f[3]);
    }
    return out;
}

} // namespace

class PackagingInstall : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QString m_prefix;
    QString m_installLog;

    QString installed(const QString &relative) const { return m_prefix + '/' + relative; }
    QString dataTree() const { return installed(QStringLiteral("share/orvanta-console")); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_tmp.isValid());
        const QString cmake = qEnvironmentVariable("ORVANTA_CMAKE");
        const QString build = qEnvironmentVariable("ORVANTA_BUILD_DIR");
        QVERIFY2(!cmake.isEmpty() && !build.isEmpty(), "ORVANTA_CMAKE / ORVANTA_BUILD_DIR unset");
        // A blank in the prefix: the launcher, the desktop entry's Exec and the console's
        // search for its data tree must all cope with it.
        m_prefix = m_tmp.filePath(QStringLiteral("install root"));
        const RunResult r = runProgram(
            cmake, {QStringLiteral("--install"), build, QStringLiteral("--prefix"), m_prefix},
            plainEnvironment(), 60000);
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
        m_installLog = r.out;
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
            << QStringLiteral("desktop-file-validate")
            << QStringList{installed(QStringLiteral("share/applications/%1.desktop").arg(kAppId))};
        QTest::newRow("appstreamcli validate")
            << QStringLiteral("appstreamcli")
            << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                           installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId))};
    }

    void validators()
    {
        QFETCH(QString, tool);
        QFETCH(QStringList, arguments);
        const QString program = QStandardPaths::findExecutable(tool);
        QVERIFY2(!program.isEmpty(), qPrintable(tool + " is not installed: run scripts/deps"));
        const RunResult r = runProgram(program, arguments, plainEnvironment());
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
        if (tool == QLatin1String("desktop-file-validate"))
            QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), qPrintable(r.out + r.err));
    }

    // Software centres show the homepage, the developer and the guide's screenshots.
    void appstreamShowsTheGuidesScreenshots()
    {
        const QString metainfo =
            readText(installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId)));
        QVERIFY(
            metainfo.contains(QRegularExpression("<url type=\"homepage\">https://[^<]+</url>")));
        QVERIFY(metainfo.contains(QRegularExpression("<developer_name>[^<]+</developer_name>")));
        QStringList shots;
        const QString readme = readText(sourceDir() + QStringLiteral("/README.md"));
        for (auto m =
                 QRegularExpression("\\(docs/screenshots/([^)]+\\.png)\\)").globalMatch(readme);
             m.hasNext();)
            shots << m.next().captured(1);
        QVERIFY(!shots.isEmpty());
        for (const QString &shot : shots)
            QVERIFY2(metainfo.contains("/screenshots/" + shot + "</image>"), qPrintable(shot));
    }

    // The installed console started on its own, without options, from an empty
    // folder: it seeds the per-user data directory from the installed data tree,
    // switches the keyboard to on-board profile 1, writes nothing into the folder
    // it was started from, and logs to the per-user log file, not the terminal.
    void installedConsoleStartsOnItsOwn()
    {
        // Marks this install's data tree, so the seed is known to come from the prefix
        // and not from the build tree.
        const QString marker = QStringLiteral("seed-origin.txt");
        QVERIFY(writeText(dataTree() + '/' + marker, "installed tree\n"));

        QTemporaryDir home;
        const QString startFolder = home.filePath(QStringLiteral("started here"));
        QVERIFY(QDir().mkpath(startFolder));
        QProcessEnvironment env = fakeKeyboardEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("my data")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral("my state")));
        const QString dataDir = home.filePath(QStringLiteral("my data/orvanta-console"));
        const QString consoleLog =
            home.filePath(QStringLiteral("my state/orvanta-console/console.log"));
        const QString log = home.filePath(QStringLiteral("reports.log"));
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), log);

        QProcess console;
        console.setProcessEnvironment(env);
        console.setWorkingDirectory(startFolder);
        console.start(installed(QStringLiteral("bin/orvanta-console")), QStringList());
        QVERIFY(console.waitForStarted(10000));

        QElapsedTimer t;
        t.start();
        while (loggedReports(log).isEmpty() && t.elapsed() < 15000 &&
               console.state() == QProcess::Running)
            QThread::msleep(20);
        const QVector<QByteArray> reports = loggedReports(log);
        const bool stillRunning = console.state() == QProcess::Running;
        console.terminate();
        if (!console.waitForFinished(5000))
            console.kill(), console.waitForFinished(5000);
        QVERIFY2(stillRunning, "the installed console ended on its own");
        QVERIFY2(!reports.isEmpty(), "the keyboard received nothing");
        QCOMPARE(hex(reports.first()), hex(toBytes(reportOf({{0, 7}, {1, 1}, {2, 1}}))));

        QCOMPARE(
            QDir(startFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList());
        // Every installed data file is in the fresh data directory (the pictures
        // and catalogs through a link to the installed tree).
        const QStringList seeded = filesBelow(dataDir);
        for (const QString &file : filesBelow(dataTree()))
            QVERIFY2(QFileInfo::exists(dataDir + '/' + file),
                     qPrintable(file + QStringLiteral(" not seeded")));
        QVERIFY(seeded.contains(marker));
        QVERIFY(QFile::remove(dataTree() + '/' + marker));

        // The start-up's diagnostic lines are in the log file and not on the terminal.
        const QString terminal = QString::fromLocal8Bit(console.readAllStandardOutput() +
                                                        console.readAllStandardError());
        for (const char *line : {"read_profile_connect()", "sand_cmd()"}) {
            QVERIFY2(readText(consoleLog).contains(QLatin1String(line)), line);
            QVERIFY2(!terminal.contains(QLatin1String(line)), qPrintable(terminal));
        }
    }
};

QTEST_GUILESS_MAIN(PackagingInstall)
#include "tst_packaging_install.moc"
