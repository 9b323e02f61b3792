// The real console on an X screen (Xvfb) of a laptop's size: the whole window
// is on the screen, scaled alike in both directions, and full size where it fits.

#include "ConsoleProcess.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace orvanta::test;

namespace
{

QString run(const QString &program, const QStringList &arguments, const QString &display)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    env.insert(QStringLiteral("DISPLAY"), display);
    return runProgram(program, arguments, env, 5000).out;
}

} // namespace

class DesktopEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void windowLiesInsideTheScreen_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("window");
        QTest::newRow("1280 x 720") << QSize(1280, 720) << QSize(1080, 720);
        QTest::newRow("1366 x 768") << QSize(1366, 768) << QSize(1140, 760);
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(1200, 800);
    }
    void windowLiesInsideTheScreen()
    {
        QFETCH(QSize, screen);
        QFETCH(QSize, window);
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        QVERIFY2(!xvfb.isEmpty() && !xdotool.isEmpty(), "Xvfb and xdotool: run scripts/deps");

        int n = 140;
        while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) ||
               QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            ++n;
        const QString display = QStringLiteral(":%1").arg(n);
        QProcess server;
        server.start(xvfb, {display, "-screen", "0",
                            QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()),
                            "-noreset", "-nolisten", "tcp"});
        QVERIFY(server.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists("/tmp/.X11-unix/X" + QString::number(n)), 5000);

        ConsoleProcess console;
        QProcessEnvironment env = console.environment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), display);
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        console.setEnvironment(env);
        QVERIFY(console.start());

        QString id;
        for (QDeadlineTimer deadline(15000); id.isEmpty() && !deadline.hasExpired();
             QTest::qWait(100))
            id = run(xdotool, {"search", "--onlyvisible", "--name", "^ORVANTA RGB$"}, display)
                     .split('\n')
                     .value(0);
        const QString geometry = run(xdotool, {"getwindowgeometry", id}, display);
        console.stop();
        server.terminate();
        server.waitForFinished(5000);
        QVERIFY2(!id.isEmpty(), "no window shown");

        const auto m = QRegularExpression("Position: (-?\\d+),(-?\\d+).*Geometry: (\\d+)x(\\d+)",
                                          QRegularExpression::DotMatchesEverythingOption)
                           .match(geometry);
        QVERIFY2(m.hasMatch(), qPrintable(geometry));
        const QRect shown(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                          m.captured(4).toInt());
        QVERIFY2(QRect(QPoint(0, 0), screen).contains(shown), qPrintable(geometry));
        QCOMPARE(shown.size(), window);
    }
};

QTEST_GUILESS_MAIN(DesktopEndToEnd)
#include "tst_e2e_desktop.moc"
