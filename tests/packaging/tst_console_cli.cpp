// The console's command line as a user meets it: --diagnose against the fake
// keyboard in its three set-ups (and the log file it names), --help, --version
// and a bad option.

#include "PackagingSupport.h"
#include "TestSupport.h"

#include <QtTest>

using namespace orvanta::test;

static QString console()
{
    return binDir() + QStringLiteral("/orvanta-console");
}

class ConsoleCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void diagnose_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<QString>("open");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("mustSay");
        QTest::newRow("keyboard present") << "keyboard"
                                          << "" << 0 << "The keyboard can be used.";
        QTest::newRow("no keyboard") << "none"
                                     << "" << 2 << "No HID interface of vendor 264a";
        QTest::newRow("keyboard present, opening denied") << "keyboard"
                                                          << "deny" << 1 << "udevadm trigger";
    }
    void diagnose()
    {
        QFETCH(QString, devices);
        QFETCH(QString, open);
        QFETCH(int, exitCode);
        QFETCH(QString, mustSay);
        QProcessEnvironment env = fakeKeyboardEnvironment();
        env.insert(QStringLiteral("ORVANTA_FAKEHID_DEVICES"), devices);
        env.insert(QStringLiteral("ORVANTA_FAKEHID_OPEN"), open);
        QTemporaryDir dir;
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), dir.filePath(QStringLiteral("log")));
        env.insert(QStringLiteral("XDG_STATE_HOME"), dir.filePath(QStringLiteral("state")));
        const RunResult r = runProgram(console(), {QStringLiteral("--diagnose")}, env);
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.out + r.err));
        QVERIFY2(r.out.contains(mustSay), qPrintable(r.out));
        // Where to find the log that a bug report needs.
        QVERIFY2(r.out.contains("Log file: " + dir.filePath("state/orvanta-console/console.log")),
                 qPrintable(r.out));
        QVERIFY2(r.out.contains("can be used") == (exitCode == 0), qPrintable(r.out));
        // A diagnosis only looks: the keyboard receives nothing.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("log"))));
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
        QVERIFY(!qEnvironmentVariable("ORVANTA_VERSION").isEmpty());
        QProcessEnvironment env = fakeKeyboardEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        QTemporaryDir dir;
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), dir.filePath(QStringLiteral("log")));
        const RunResult r = runProgram(console(), arguments, env);
        QVERIFY2(r.exitCode >= 0, qPrintable(r.err));
        QCOMPARE(r.exitCode, exitCode);
        QVERIFY2((exitCode == 0 ? r.out : r.err).startsWith(out), qPrintable(r.out + r.err));
        if (arguments.first() == "--version")
            QCOMPARE(r.out, out);
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("log"))));
    }
};

QTEST_GUILESS_MAIN(ConsoleCommandLine)
#include "tst_console_cli.moc"
