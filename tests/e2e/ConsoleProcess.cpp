#include "ConsoleProcess.h"

#include "TestSupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <QThread>

namespace orvanta::test {

ConsoleProcess::ConsoleProcess()
{
    m_dataDir = QDir(m_dir.path()).filePath(QStringLiteral("data"));
    m_port = freePort();
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    m_env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), logFile());
    // Nothing may leave the machine: the update service is a closed loopback port.
    m_env.insert(QStringLiteral("ORVANTA_UPDATE_URL"), QStringLiteral("http://127.0.0.1:9"));
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

ConsoleProcess::~ConsoleProcess()
{
    if (isRunning())
        stop();
}

void ConsoleProcess::setEnvironment(const QString &name, const QString &value)
{
    m_env.insert(name, value);
}

QString ConsoleProcess::logFile() const
{
    return QDir(m_dir.path()).filePath(QStringLiteral("reports.log"));
}

QString ConsoleProcess::executable()
{
    return binDir() + QStringLiteral("/orvanta-console");
}

quint16 ConsoleProcess::freePort()
{
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

QStringList ConsoleProcess::baseArguments() const
{
    return {QStringLiteral("--data-dir"), m_dataDir, QStringLiteral("--port"),
            QString::number(m_port)};
}

bool ConsoleProcess::start(const QStringList &extraArguments)
{
    m_process.setProcessEnvironment(m_env);
    m_process.setProgram(executable());
    m_process.setArguments(baseArguments() + extraArguments);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start();
    return m_process.waitForStarted(10000);
}

bool ConsoleProcess::isRunning() const
{
    return m_process.state() != QProcess::NotRunning;
}

int ConsoleProcess::stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    return m_process.exitCode();
}

QVector<LoggedReport> ConsoleProcess::reports() const
{
    QVector<LoggedReport> out;
    QFile f(logFile());
    if (!f.open(QIODevice::ReadOnly))
        return out;
    for (const QByteArray &line : f.readAll().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() != 4)
            continue;
        LoggedReport r;
        r.ms = fields[0].toLongLong();
        r.path = QString::fromLatin1(fields[1]);
        r.bytes = QByteArray::fromHex(fields[3]);
        out.append(r);
    }
    return out;
}

bool ConsoleProcess::waitForReports(int count, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (reports().size() >= count)
            return true;
        QThread::msleep(20);
    }
    return reports().size() >= count;
}

} // namespace orvanta::test
