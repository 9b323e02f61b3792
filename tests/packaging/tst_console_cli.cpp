// The console's command line as a user meets it: --diagnose against the fake
// keyboard in its three set-ups, --help, --version and a bad option; and the
// user guide documents every option that --help offers.

#include "PackagingSupport.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <QtTest>

using namespace orvanta::test;

namespace
{

QString console()
{
    return binDir() + QStringLiteral("/orvanta-console");
}

// The udev rule file shipped by the packaging, by name.
QString udevRuleName()
{
    const QStringList rules = QDir(sourceDir() + QStringLiteral("/packaging"))
                                  .entryList({QStringLiteral("*.rules")}, QDir::Files);
    return rules.size() == 1 ? rules.first() : QString();
}

QString lineContaining(const QString &text, const QString &part)
{
    for (const QString &line : text.split(QLatin1Char('\n')))
        if (line.contains(part))
            return line;
    return QString();
}

} // namespace

class ConsoleCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(console()).isExecutable(), qPrintable(console()));
        QVERIFY2(!qEnvironmentVariable("ORVANTA_FAKEHID_PRELOAD").isEmpty(),
                 "the fake keyboard library is not known");
    }

    void diagnose_data()
    {
        QTest::addColumn<QString>("devices");
        QTest::addColumn<QString>("open");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("mustSay");
        QTest::addColumn<QStringList>("mustNotSay");

        const QString rule = udevRuleName();
        QTest::newRow("keyboard present")
            << QString() << QString() << 0
            << QStringList{QStringLiteral("The keyboard can be used.")}
            << QStringList{QStringLiteral("udevadm"), QStringLiteral("cannot be opened")};
        QTest::newRow("only the vendor interface")
            << QStringLiteral("vendor") << QString() << 0
            << QStringList{QStringLiteral("The keyboard can be used.")}
            << QStringList{QStringLiteral("udevadm")};
        QTest::newRow("no keyboard")
            << QStringLiteral("none") << QString() << 2
            << QStringList{QStringLiteral("No HID interface of vendor 264a")}
            << QStringList{QStringLiteral("can be used"), QStringLiteral("udevadm")};
        QTest::newRow("another product of the vendor only")
            << QStringLiteral("foreign") << QString() << 2
            << QStringList{QStringLiteral("keyboard itself was not found")}
            << QStringList{QStringLiteral("can be used")};
        QTest::newRow("keyboard present, opening denied")
            << QString() << QStringLiteral("deny") << 1
            << QStringList{QStringLiteral("cannot be opened"), rule,
                           QStringLiteral("udevadm control"), QStringLiteral("udevadm trigger")}
            << QStringList{QStringLiteral("The keyboard can be used.")};
    }

    void diagnose()
    {
        QFETCH(QString, devices);
        QFETCH(QString, open);
        QFETCH(int, exitCode);
        QFETCH(QStringList, mustSay);
        QFETCH(QStringList, mustNotSay);
        QVERIFY2(!udevRuleName().isEmpty(), "the packaging has no single udev rule file");

        QProcessEnvironment env = fakeKeyboardEnvironment();
        if (!devices.isEmpty())
            env.insert(QStringLiteral("ORVANTA_FAKEHID_DEVICES"), devices);
        if (!open.isEmpty())
            env.insert(QStringLiteral("ORVANTA_FAKEHID_OPEN"), open);
        QTemporaryDir dir;
        const QString log = dir.filePath(QStringLiteral("reports.log"));
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), log);

        const RunResult r = runProgram(console(), {QStringLiteral("--diagnose")}, env);
        QVERIFY2(r.finished, qPrintable(r.err));
        QVERIFY2(r.exitCode == exitCode, qPrintable(r.out));
        for (const QString &text : mustSay)
            QVERIFY2(r.out.contains(text),
                     qPrintable(text + QStringLiteral(" missing in:\n") + r.out));
        for (const QString &text : mustNotSay)
            QVERIFY2(!r.out.contains(text),
                     qPrintable(text + QStringLiteral(" found in:\n") + r.out));
        if (exitCode == 0) {
            // The vendor interface is the one named as used.
            const QString vendor = lineContaining(r.out, QStringLiteral("vendor interface"));
            QVERIFY2(vendor.contains(QLatin1String("usage page 0xff01")), qPrintable(r.out));
            QVERIFY2(vendor.endsWith(QLatin1String("opens, used")), qPrintable(vendor));
        }
        // A diagnosis only looks: the keyboard receives nothing.
        QVERIFY2(!QFileInfo::exists(log), "the diagnosis sent a report to the keyboard");
    }

    void exitsEarly_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("stdoutStart");
        QTest::addColumn<bool>("wholeStdout");
        QTest::addColumn<QString>("stderrStart");

        const QString version =
            QStringLiteral("orvanta-console ") + qEnvironmentVariable("ORVANTA_VERSION") + '\n';
        QTest::newRow("--help") << QStringList{QStringLiteral("--help")} << 0
                                << QStringLiteral("Usage: orvanta-console [options]\n") << false
                                << QString();
        QTest::newRow("-h") << QStringList{QStringLiteral("-h")} << 0
                            << QStringLiteral("Usage: orvanta-console [options]\n") << false
                            << QString();
        QTest::newRow("--version")
            << QStringList{QStringLiteral("--version")} << 0 << version << true << QString();
        QTest::newRow("unknown option")
            << QStringList{QStringLiteral("--colour")} << 2 << QString() << true
            << QStringLiteral("orvanta-console: unknown option '--colour'\nUsage:");
        QTest::newRow("port out of range")
            << QStringList{QStringLiteral("--port"), QStringLiteral("70000")} << 2 << QString()
            << true << QStringLiteral("orvanta-console: invalid port '70000'");
        QTest::newRow("data dir without a value")
            << QStringList{QStringLiteral("--data-dir")} << 2 << QString() << true
            << QStringLiteral("orvanta-console: --data-dir needs a value");
    }

    // These end before any window or keyboard: no display is needed at all.
    void exitsEarly()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        QFETCH(QString, stdoutStart);
        QFETCH(bool, wholeStdout);
        QFETCH(QString, stderrStart);
        QVERIFY(!qEnvironmentVariable("ORVANTA_VERSION").isEmpty());

        QProcessEnvironment env = fakeKeyboardEnvironment();
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        QTemporaryDir dir;
        env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), dir.filePath(QStringLiteral("log")));

        const RunResult r = runProgram(console(), arguments, env);
        QVERIFY2(r.finished, qPrintable(r.err));
        QCOMPARE(r.exitCode, exitCode);
        if (wholeStdout)
            QCOMPARE(r.out, stdoutStart);
        else
            QVERIFY2(r.out.startsWith(stdoutStart), qPrintable(r.out));
        if (!stderrStart.isEmpty())
            QVERIFY2(r.err.startsWith(stderrStart), qPrintable(r.err));
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("log"))));
    }

    // Every option the console offers in --help is explained in the user guide.
    void userGuideCoversEveryOption()
    {
        const RunResult r = runProgram(console(), {QStringLiteral("--help")}, plainEnvironment());
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.err));
        const QString guide = readText(sourceDir() + QStringLiteral("/README.md"));
        QVERIFY2(!guide.isEmpty(), "README.md is missing");

        QStringList options;
        QRegularExpressionMatchIterator it =
            QRegularExpression(QStringLiteral("(?<![\\w-])--[a-z][a-z-]*")).globalMatch(r.out);
        while (it.hasNext())
            options << it.next().captured(0);
        options.removeDuplicates();
        QVERIFY2(options.size() >= 7, qPrintable(options.join(' ')));
        for (const QString &option : options)
            QVERIFY2(guide.contains(QStringLiteral("`") + option) ||
                         guide.contains(option + QLatin1Char(' ')),
                     qPrintable(option + QStringLiteral(" is not in README.md")));
    }
};

QTEST_GUILESS_MAIN(ConsoleCommandLine)
#include "tst_console_cli.moc"
