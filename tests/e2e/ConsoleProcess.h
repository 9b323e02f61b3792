#pragma once
// Starts the real console offscreen with the fake keyboard in a fresh data
// directory, and reads the reports the fake keyboard received.

#include "TestSupport.h"

#include <QProcess>

namespace orvanta::test
{

// The report that selects on-board profile `profile`.
inline QByteArray selectBytes(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

struct LoggedReport {
    qint64 ms = 0;
    QByteArray bytes;
};

class ConsoleProcess
{
public:
    ConsoleProcess();
    ~ConsoleProcess() { stop(); }

    bool start(const QStringList &extraArguments = {});
    bool waitForReports(int count, int timeoutMs = 15000);
    // Sends one message on the control socket as a client does: after the greeting.
    bool send(const QByteArray &message) const;
    QVector<LoggedReport> reports() const;
    bool isRunning() const { return m_process.state() != QProcess::NotRunning; }
    int stop(); // asks politely, then kills; returns the exit code

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
