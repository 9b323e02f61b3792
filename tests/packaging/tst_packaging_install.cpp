// The console as a user installs and starts it. What `cmake --install` gives:
// the programs, the data tree, the udev rule and the version users read (the
// desktop entry and AppStream data are validated by scripts/package, the first
// start on a fresh system is tried by scripts/test-package); and its command line:
// --diagnose against the fake keyboard in its three set-ups, --help, --version
// and bad options.

#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanta::test;

namespace
{

const QString kAppId = QStringLiteral("com.orvanta.rgbconsole");

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
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("LD_PRELOAD")); // cmake gets no fake keyboard
        const RunResult r = runProgram(cmake, {"--install", build, "--prefix", m_prefix}, env, 60000);
        QVERIFY2(r.exitCode == 0, qPrintable(r.out + r.err));
    }

    // The programs with their man pages, and the whole data tree of the build,
    // nothing left behind; the project's version in the AppStream release entry
    // users read; the udev rule.
    void installedFiles()
    {
        for (const char *p :
             {"bin/orvanta-console", "bin/orvanta-ctl", "bin/orvanta-console-launch"})
            QVERIFY2(QFileInfo(installed(p)).isExecutable(), p);
        QVERIFY(QFileInfo(installed("share/icons/hicolor/256x256/apps/" + kAppId + ".png")).size() >
                0);
        const QStringList built = filesBelow(dataTreeDir(), false).keys();
        QVERIFY(built.size() > 20);
        QCOMPARE(filesBelow(dataTree(), false).keys(), built);
        // The menu entry runs the launcher by its full path, quoted for the blank.
        QVERIFY(readText(installed("share/applications/" + kAppId + ".desktop"))
                    .contains("\nExec=\"" + installed("bin/orvanta-console-launch") + "\"\n"));
        for (const QString &program : QDir(installed("bin")).entryList(QDir::Files)) {
            const QString page = readText(installed("share/man/man1/" + program + ".1"));
            QVERIFY2(page.startsWith('.') && !page.contains('@'), qPrintable(program)); // filled in
        }
        const QString metainfo = readText(installed("share/metainfo/" + kAppId + ".metainfo.xml"));
        QVERIFY2(metainfo.contains("<release version=\"" + qEnvironmentVariable("ORVANTA_VERSION") +
                                   '"'),
                 qPrintable(metainfo));

        // uaccess tags are turned into access lists by 73-seat-late.rules: a rule
        // that runs after it grants nothing; none may open the keyboard to every user.
        const QString dir = installed(QStringLiteral("lib/udev/rules.d"));
        const QStringList rules = QDir(dir).entryList({QStringLiteral("*.rules")}, QDir::Files);
        QCOMPARE(rules.size(), 1);
        QVERIFY2(QRegularExpression("^([0-6][0-9]|7[0-2])-").match(rules[0]).hasMatch(),
                 qPrintable(rules[0]));
        const QString rule = readText(dir + '/' + rules[0]);
        QVERIFY(!rule.contains("MODE="));
        QVERIFY(rule.contains("\nKERNEL==\"hidraw*\", ATTRS{idVendor}==\"264a\", "
                              "ATTRS{idProduct}==\"3006\", TAG+=\"uaccess\"\n"));
    }

    // The command line: --diagnose against the fake keyboard in its three
    // set-ups, and the options that end before any window (no display at all).
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("devices"); // empty: no keyboard library set-up at all
        QTest::addColumn<QString>("open");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out"); // what standard output (or errors) holds or starts with
        const QStringList diagnose{"--diagnose"};
        QTest::newRow("diagnose present")
            << diagnose << "keyboard" << QString() << 0 << "The keyboard can be used.";
        QTest::newRow("diagnose absent: the virtual keyboard is offered")
            << diagnose << "none" << QString() << 2 << "orvanta-console --virtual-keyboard\n";
        QTest::newRow("diagnose opening denied") << diagnose << "keyboard"
                                                 << "deny" << 1 << "udevadm trigger";
        QTest::newRow("--help") << QStringList{"--help"} << QString() << QString() << 0
                                << "Usage: orvanta-console [options]\n";
        QTest::newRow("--version")
            << QStringList{"--version"} << QString() << QString() << 0
            << "orvanta-console " + qEnvironmentVariable("ORVANTA_VERSION") + '\n';
        QTest::newRow("unknown option") << QStringList{"--colour"} << QString() << QString() << 2
                                        << "orvanta-console: unknown option '--colour'\nUsage:";
        QTest::newRow("unknown keyboard")
            << QStringList{"--keyboard=bluetooth"} << QString() << QString() << 2
            << "orvanta-console: --keyboard takes usb, virtual or auto, not 'bluetooth'\n";
    }
    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, devices);
        QFETCH(QString, open);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QTemporaryDir dir;
        // The console of this test's own set-up (offscreen, the fake keyboard), its
        // log in `dir`, and a closed loopback port for the update service.
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), dir.filePath("log"));
        env.insert(QStringLiteral("ORVANTA_UPDATE_URL"), QStringLiteral("http://127.0.0.1:9"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        const bool diagnose = !devices.isEmpty();
        if (diagnose) {
            env.insert(QStringLiteral("ORVANTA_FAKEHID_DEVICES"), devices);
            env.insert(QStringLiteral("ORVANTA_FAKEHID_OPEN"), open);
        } else {
            for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
                env.remove(QString::fromLatin1(name));
        }
        const RunResult r = runProgram(binDir() + "/orvanta-console", arguments, env);
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
        const QString text = exitCode == 0 || diagnose ? r.out : r.err;
        QVERIFY2(diagnose ? text.contains(out) : text.startsWith(out), qPrintable(r.out + r.err));
        if (diagnose)
            QVERIFY2(r.out.contains("can be used") == (exitCode == 0), qPrintable(r.out));
        QVERIFY(!QFileInfo::exists(dir.filePath("log"))); // nothing is sent to the keyboard
    }
};

QTEST_GUILESS_MAIN(PackagingInstall)
#include "tst_packaging_install.moc"
