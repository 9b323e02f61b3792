#pragma once
// Starts the real console offscreen with the fake keyboard in a fresh data
// directory, and reads the reports the fake keyboard received.

#include "TestSupport.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

namespace orvanta::test
{

struct LoggedReport {
    qint64 ms = 0;
    QByteArray bytes;
};

class ConsoleProcess
{
public:
    ConsoleProcess()
    {
        QTcpServer probe; // a port free a moment ago
        probe.listen(QHostAddress::LocalHost, 0);
        m_port = probe.serverPort();
        m_env = QProcessEnvironment::systemEnvironment();
        // The console's own log stays with the test, not in the user's state folder;
        // nothing may leave the machine: the update service is a closed loopback port.
        m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        m_env.insert(QStringLiteral("ORVANTA_FAKEHID_LOG"), logFile());
        m_env.insert(QStringLiteral("XDG_STATE_HOME"), m_dir.filePath(QStringLiteral("state")));
        m_env.insert(QStringLiteral("ORVANTA_UPDATE_URL"), QStringLiteral("http://127.0.0.1:9"));
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~ConsoleProcess() { stop(); }

    bool start(const QStringList &extraArguments = {})
    {
        m_process.setProcessEnvironment(m_env);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start(executable(), baseArguments() + extraArguments);
        return m_process.waitForStarted(10000);
    }
    bool waitForReports(int count, int timeoutMs = 15000) const
    {
        return QTest::qWaitFor([&] { return reports().size() >= count; }, timeoutMs);
    }
    // Sends one message on the control socket as a client does: after the greeting.
    bool send(const QByteArray &message) const
    {
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, m_port);
        if (!client.waitForConnected(10000) || !client.waitForReadyRead(10000))
            return false;
        client.write(message);
        return client.waitForBytesWritten(5000);
    }
    // Each log line: milliseconds, interface path, length, bytes in hex.
    QVector<LoggedReport> reports() const
    {
        QVector<LoggedReport> out;
        for (const QByteArray &line : readText(logFile()).toLatin1().split('\n')) {
            const QList<QByteArray> fields = line.trimmed().split(' ');
            if (fields.size() == 4)
                out.append({fields[0].toLongLong(), QByteArray::fromHex(fields[3])});
        }
        return out;
    }
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    int stop() // asks politely, then kills; returns the exit code
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill(), m_process.waitForFinished(5000);
        return m_process.exitCode();
    }

    QString dataDir() const { return m_dir.filePath(QStringLiteral("data")); }
    QString logFile() const { return m_dir.filePath(QStringLiteral("reports.log")); }
    quint16 port() const { return m_port; }
    QProcess &process() { return m_process; }
    static QString executable() { return binDir() + QStringLiteral("/orvanta-console"); }
    QStringList baseArguments() const
    {
        return {"--data-dir", dataDir(), "--port", QString::number(m_port)};
    }
    QProcessEnvironment environment() const { return m_env; }
    void setEnvironment(const QProcessEnvironment &env) { m_env = env; } // at the next start()

private:
    QTemporaryDir m_dir;
    quint16 m_port = 0;
    QProcess m_process;
    QProcessEnvironment m_env;
};

} // namespace orvanta::test
