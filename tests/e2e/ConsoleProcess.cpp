#include "ConsoleProcess.h"

#include <QDeadlineTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace orvanta::test
{

ConsoleProcess::ConsoleProcess()
{
    QTcpServer probe; // a port free a moment ago
    probe.listen(QHostAddress::LocalHost, 0);
    m_port = probe.serverPort();
    m_env = QProcessEnvironment::systemEnvironment();
    // The console's own log stays with the test, not in the user's state folder;
    // nothing may leave the machine: the update service is a closed loopback port.
    for (const auto &[name, value] : {std::pair{"QT_QPA_PLATFORM", QStringLiteral("offscreen")},
                                      {"ORVANTA_FAKEHID_LOG", logFile()},
                                      {"XDG_STATE_HOME", m_dir.filePath("state")},
                                      {"ORVANTA_UPDATE_URL", QStringLiteral("http://127.0.0.1:9")}})
        m_env.insert(QString::fromLatin1(name), value);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

bool ConsoleProcess::start(const QStringList &extraArguments)
{
    m_process.setProcessEnvironment(m_env);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.start(executable(), baseArguments() + extraArguments);
    return m_process.waitForStarted(10000);
}

int ConsoleProcess::stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill(), m_process.waitForFinished(5000);
    return m_process.exitCode();
}

// Each log line: milliseconds, interface path, length, bytes in hex.
QVector<LoggedReport> ConsoleProcess::reports() const
{
    QVector<LoggedReport> out;
    for (const QByteArray &line : readText(logFile()).toLatin1().split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.size() == 4)
            out.append({fields[0].toLongLong(), QByteArray::fromHex(fields[3])});
    }
    return out;
}

bool ConsoleProcess::waitForReports(int count, int timeoutMs)
{
    for (QDeadlineTimer deadline(timeoutMs); reports().size() < count; QThread::msleep(20))
        if (deadline.hasExpired())
            return false;
    return true;
}

bool ConsoleProcess::send(const QByteArray &message) const
{
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, m_port);
    if (!client.waitForConnected(10000) || !client.waitForReadyRead(10000))
        return false;
    client.write(message);
    return client.waitForBytesWritten(5000);
}

} // namespace orvanta::test
