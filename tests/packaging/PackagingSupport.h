#pragma once
// Runs the console's programs and outside tools for the packaging tests.

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace orvanta::test
{

struct RunResult {
    bool finished = false; // false: did not start or did not end in time
    int exitCode = -1;
    QString out;
    QString err;
};

// The environment without the preloaded fake keyboard: outside tools get nothing
// of the console's test set-up.
inline QProcessEnvironment plainEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    return env;
}

// The environment in which the console meets the fake keyboard.
inline QProcessEnvironment fakeKeyboardEnvironment()
{
    QProcessEnvironment env = plainEnvironment();
    env.insert(QStringLiteral("LD_PRELOAD"), qEnvironmentVariable("ORVANTA_FAKEHID_PRELOAD"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Nothing may leave the machine: the update service is a closed loopback port.
    env.insert(QStringLiteral("ORVANTA_UPDATE_URL"), QStringLiteral("http://127.0.0.1:9"));
    return env;
}

inline RunResult runProgram(const QString &program, const QStringList &arguments,
                            const QProcessEnvironment &env, int timeoutMs = 30000)
{
    RunResult r;
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    if (!p.waitForStarted(10000)) {
        r.err = p.errorString();
        return r;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(5000);
        r.err = QStringLiteral("timed out");
        return r;
    }
    r.finished = p.exitStatus() == QProcess::NormalExit;
    r.exitCode = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace orvanta::test
