// What `cmake --install` gives the user: the programs, the data tree, the udev
// rule, the desktop entry, the icons and the AppStream data, all valid; and the
// installed console runs from its prefix on a fresh per-user data directory.

#include "PackagingSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QImage>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTcpServer>
#include <QThread>
#include <QXmlStreamReader>
#include <QtTest>

using namespace orvanta::test;

namespace
{

const QString kAppId = QStringLiteral("com.orvanta.rgbconsole");

// The [Desktop Entry] group of a desktop file as key -> value.
QMap<QString, QString> desktopEntry(const QString &path)
{
    QMap<QString, QString> out;
    bool inGroup = false;
    for (const QString &line : readText(path).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('['))) {
            inGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (inGroup && eq > 0 && !line.startsWith(QLatin1Char('#')))
            out.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
    return out;
}

// The program of an Exec value: the first word, unquoted as the desktop format says.
QString execProgram(const QString &exec)
{
    if (!exec.startsWith(QLatin1Char('"')))
        return exec.section(QLatin1Char(' '), 0, 0);
    QString value = exec;
    value.replace(QLatin1String("\\\\"), QLatin1String("\\")); // string-level escape
    QString out;
    for (int i = 1; i < value.size(); ++i) {
        if (value[i] == QLatin1Char('\\') && i + 1 < value.size())
            out += value[++i];
        else if (value[i] == QLatin1Char('"'))
            return out;
        else
            out += value[i];
    }
    return QString(); // unterminated quote
}

struct Metainfo {
    QString type, id, license, launchable, newestRelease;
    QStringList binaries;
};

Metainfo readMetainfo(const QString &path)
{
    Metainfo m;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return m;
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("component")) {
            m.type = xml.attributes().value(QLatin1String("type")).toString();
        } else if (name == QLatin1String("id")) {
            m.id = xml.readElementText();
        } else if (name == QLatin1String("project_license")) {
            m.license = xml.readElementText();
        } else if (name == QLatin1String("launchable")) {
            m.launchable = xml.readElementText();
        } else if (name == QLatin1String("binary")) {
            m.binaries << xml.readElementText();
        } else if (name == QLatin1String("release") && m.newestRelease.isEmpty()) {
            m.newestRelease = xml.attributes().value(QLatin1String("version")).toString();
        }
    }
    if (xml.hasError())
        m.type = QStringLiteral("unreadable: ") + xml.errorString();
    return m;
}

QStringList filesBelow(const QString &root)
{
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

quint16 freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
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
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.out + r.err));
        m_installLog = r.out;
    }

    void installedFiles_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("executable");
        for (const char *p :
             {"bin/orvanta-console", "bin/orvanta-ctl", "bin/orvanta-console-launch"})
            QTest::newRow(p) << QString::fromLatin1(p) << true;
        for (const char *p :
             {"lib/udev/rules.d/70-orvanta-rgb.rules",
              "share/applications/com.orvanta.rgbconsole.desktop",
              "share/metainfo/com.orvanta.rgbconsole.metainfo.xml",
              "share/orvanta-console/system/profile_connect.ini",
              "share/orvanta-console/system/light_flag.ini",
              "share/orvanta-console/macrofile/Default Macro.ini",
              "share/orvanta-console/Language/en.qm", "share/orvanta-console/Language/tc.qm",
              "share/orvanta-console/Language/cn.qm", "share/orvanta-console/Image/palette.png"})
            QTest::newRow(p) << QString::fromLatin1(p) << false;
        for (int n = 1; n <= 5; ++n) {
            const QString p = QStringLiteral("share/orvanta-console/lightfile/PROFILE %1").arg(n);
            QTest::newRow(qPrintable(p)) << p << false;
        }
    }

    void installedFiles()
    {
        QFETCH(QString, path);
        QFETCH(bool, executable);
        const QFileInfo info(installed(path));
        QVERIFY2(info.exists(), qPrintable(path + QStringLiteral(" not installed")));
        QCOMPARE(info.isExecutable() && info.isFile(), executable);
        if (info.isDir())
            QVERIFY2(!QDir(info.filePath()).isEmpty(), qPrintable(path + " is empty"));
        else
            QVERIFY2(info.size() > 0, qPrintable(path + " is empty"));
    }

    // The installed programs run from the prefix (libraries found, no build paths needed).
    void installedProgramsRun_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("outputStart");
        QTest::newRow("console --version")
            << QStringLiteral("bin/orvanta-console") << QStringList{QStringLiteral("--version")}
            << QStringLiteral("orvanta-console ") + qEnvironmentVariable("ORVANTA_VERSION") + '\n';
        QTest::newRow("launcher --version")
            << QStringLiteral("bin/orvanta-console-launch")
            << QStringList{QStringLiteral("--version")}
            << QStringLiteral("orvanta-console ") + qEnvironmentVariable("ORVANTA_VERSION") + '\n';
        QTest::newRow("orvanta-ctl --help")
            << QStringLiteral("bin/orvanta-ctl") << QStringList{QStringLiteral("--help")}
            << QStringLiteral("Usage: orvanta-ctl");
    }

    void installedProgramsRun()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);
        QFETCH(QString, outputStart);
        const RunResult r = runProgram(installed(program), arguments, plainEnvironment());
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.out + r.err));
        QVERIFY2(r.out.startsWith(outputStart), qPrintable(r.out));
    }

    // The whole data tree of the build is installed, nothing left behind.
    void dataTreeIsComplete()
    {
        const QStringList built = filesBelow(dataTreeDir());
        QVERIFY(built.size() > 20);
        QCOMPARE(filesBelow(dataTree()), built);
    }

    void icons_data()
    {
        QTest::addColumn<int>("size");
        for (int n : {16, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QString::number(n))) << n;
    }

    void icons()
    {
        QFETCH(int, size);
        const QString path = installed(
            QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(kAppId));
        QImage icon;
        QVERIFY2(icon.load(path, "PNG"), qPrintable(path));
        QCOMPARE(icon.size(), QSize(size, size));
        // An icon is drawn on a transparent ground, with something visible in it.
        QVERIFY(icon.hasAlphaChannel());
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QVERIFY(qAlpha(icon.pixel(size / 2, size / 2)) > 0);
    }

    void udevRule()
    {
        const QString dir = installed(QStringLiteral("lib/udev/rules.d"));
        const QStringList rules = QDir(dir).entryList({QStringLiteral("*.rules")}, QDir::Files);
        QCOMPARE(rules.size(), 1);
        const QString name = rules.first();
        // uaccess tags are turned into access lists by 73-seat-late.rules: a rule
        // that runs after it grants nothing.
        QVERIFY2(name < QLatin1String("73-seat-late.rules"), qPrintable(name));
        QVERIFY2(QRegularExpression(QStringLiteral("^[0-9]{2}-")).match(name).hasMatch(),
                 qPrintable(name));

        int grants = 0;
        bool hidrawOnly = false;
        QStringList gotos, labels;
        for (const QString &raw : readText(dir + '/' + name).split(QLatin1Char('\n'))) {
            const QString line = raw.trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
                continue;
            QVERIFY2(!line.contains(QLatin1String("MODE=")),
                     "the rule must not open the keyboard to every user");
            const QRegularExpressionMatch go =
                QRegularExpression(QStringLiteral("GOTO=\"([^\"]+)\"")).match(line);
            if (go.hasMatch())
                gotos << go.captured(1);
            const QRegularExpressionMatch label =
                QRegularExpression(QStringLiteral("^LABEL=\"([^\"]+)\"$")).match(line);
            if (label.hasMatch())
                labels << label.captured(1);
            if (line.contains(QLatin1String("SUBSYSTEM!=\"hidraw\"")) && go.hasMatch())
                hidrawOnly = true;
            if (!line.contains(QLatin1String("TAG+=\"uaccess\"")))
                continue;
            ++grants;
            QVERIFY2(line.contains(QLatin1String("ATTRS{idVendor}==\"264a\"")), qPrintable(line));
            QVERIFY2(line.contains(QLatin1String("ATTRS{idProduct}==\"3006\"")), qPrintable(line));
            QVERIFY2(line.contains(QLatin1String("KERNEL==\"hidraw*\"")), qPrintable(line));
            QVERIFY2(hidrawOnly || line.contains(QLatin1String("SUBSYSTEM==\"hidraw\"")),
                     qPrintable(line));
        }
        QVERIFY(grants >= 1);
        for (const QString &target : gotos)
            QVERIFY2(labels.contains(target), qPrintable(target + " has no LABEL"));
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
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.out + r.err));
        if (tool == QLatin1String("desktop-file-validate"))
            QVERIFY2(r.out.isEmpty() && r.err.isEmpty(), qPrintable(r.out + r.err));
    }

    void desktopEntryStartsTheInstalledConsole()
    {
        const QString path = installed(QStringLiteral("share/applications/%1.desktop").arg(kAppId));
        const QMap<QString, QString> entry = desktopEntry(path);
        QCOMPARE(entry.value(QStringLiteral("Type")), QStringLiteral("Application"));
        QCOMPARE(entry.value(QStringLiteral("Name")), QStringLiteral("ORVANTA RGB"));
        QCOMPARE(entry.value(QStringLiteral("Icon")), kAppId);
        QVERIFY(!entry.value(QStringLiteral("Comment")).isEmpty());
        QVERIFY(!entry.value(QStringLiteral("Keywords")).isEmpty());
        const QStringList categories =
            entry.value(QStringLiteral("Categories")).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        QVERIFY(categories.contains(QStringLiteral("Settings")));
        QVERIFY(categories.contains(QStringLiteral("HardwareSettings")));

        // Exec names the installed launcher by its full path, blank in the prefix included.
        const QString program = execProgram(entry.value(QStringLiteral("Exec")));
        QCOMPARE(program, installed(QStringLiteral("bin/orvanta-console-launch")));
        QVERIFY(QFileInfo(program).isExecutable());
    }

    void metainfoMatchesTheInstall()
    {
        const Metainfo m =
            readMetainfo(installed(QStringLiteral("share/metainfo/%1.metainfo.xml").arg(kAppId)));
        QCOMPARE(m.type, QStringLiteral("desktop-application"));
        QCOMPARE(m.id, kAppId);
        QCOMPARE(m.license, QStringLiteral("MIT"));
        QVERIFY2(QFileInfo::exists(installed(QStringLiteral("share/applications/") + m.launchable)),
                 qPrintable(m.launchable));
        // The newest release listed is the version being installed.
        QCOMPARE(m.newestRelease, qEnvironmentVariable("ORVANTA_VERSION"));
        QVERIFY(!m.binaries.isEmpty());
        for (const QString &binary : m.binaries)
            QVERIFY2(QFileInfo(installed(QStringLiteral("bin/") + binary)).isExecutable(),
                     qPrintable(binary));
    }

    // The installed launcher starts the installed console on the per-user data
    // directory: seeded from the installed data tree on first use, then the keyboard
    // is switched to on-board profile 1.
    void installedConsoleStarts_data()
    {
        QTest::addColumn<bool>("xdgDataHome");
        QTest::newRow("XDG_DATA_HOME set") << true;
        QTest::newRow("only HOME") << false;
    }

    void installedConsoleStarts()
    {
        QFETCH(bool, xdgDataHome);
        // Marks this install's data tree, so the seed is known to come from the prefix
        // and not from the build tree.
        const QString marker = QStringLiteral("seed-origin.txt");
        QVERIFY(writeText(dataTree() + '/' + marker, "installed tree\n"));

        QTemporaryDir home;
        QProcessEnvironment env = fakeKeyboardEnvironment();
        env.insert(QStringLiteral("HOME"), home.path());
        QString dataDir = home.filePath(QStringLiteral(".local/share/orvanta-console"));
        env.remove(QStringLiteral("XDG_DATA_HOME"));
        if (xdgDataHome) {
            env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("my data")));
            dataDir = home.filePath(QStringLiteral("my data/orvanta-console"));
        }
        const QString log = home.filePath(QStringLiteral("reports.log"));
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), log);

        QProcess console;
        console.setProcessEnvironment(env);
        console.setStandardOutputFile(QProcess::nullDevice());
        console.setStandardErrorFile(QProcess::nullDevice());
        console.start(installed(QStringLiteral("bin/orvanta-console-launch")),
                      {QStringLiteral("--port"), QString::number(freePort())});
        QVERIFY(console.waitForStarted(10000));

        QElapsedTimer t;
        t.start();
        while (loggedReports(log).isEmpty() && t.elapsed() < 15000 &&
               console.state() == QProcess::Running)
            QThread::msleep(20);
        const QVector<QByteArray> reports = loggedReports(log);
        const bool stillRunning = console.state() == QProcess::Running;
        console.terminate();
        if (!console.waitForFinished(5000)) {
            console.kill();
            console.waitForFinished(5000);
        }
        QVERIFY2(stillRunning, "the installed console ended on its own");
        QVERIFY2(!reports.isEmpty(), "the keyboard received nothing");
        QByteArray profile1(264, '\0');
        profile1[0] = 0x07;
        profile1[1] = 0x01;
        profile1[2] = 0x01;
        QCOMPARE(hex(reports.first()), hex(profile1));

        // Every installed data file was copied into the fresh data directory.
        const QStringList seeded = filesBelow(dataDir);
        for (const QString &file : filesBelow(dataTree()))
            QVERIFY2(seeded.contains(file), qPrintable(file + QStringLiteral(" not seeded")));
        QVERIFY(seeded.contains(marker));
        for (int n = 1; n <= 5; ++n)
            QVERIFY(QFileInfo(dataDir + QStringLiteral("/lightfile/PROFILE %1").arg(n)).isDir());
        QVERIFY(QFile::remove(dataTree() + '/' + marker));
    }
};

QTEST_GUILESS_MAIN(PackagingInstall)
#include "tst_packaging_install.moc"
