#pragma once
// Starts the real console offscreen with the fake keyboard in a fresh data
// directory, and reads the reports the fake keyboard received.

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QVector>

namespace orvanta::test {

struct LoggedReport
{
    qint64 ms = 0;
    QString path;
    QByteArray bytes;
};

class ConsoleProcess
{
public:
    ConsoleProcess();
    ~ConsoleProcess();

    // Extra environment for the fake keyboard (e.g. ORVANTA_FAKEHID_DEVICES=none).
    void setEnvironment(const QString &name, const QString &value);
    bool start(const QStringList &extraArguments = {});
    bool waitForReports(int count, int timeoutMs = 15000);
    QVector<LoggedReport> reports() const;
    bool isRunning() const;
    int stop(); // asks politely, then kills; returns the exit code

    QString dataDir() const { return m_dataDir; }
    quint16 port() const { return m_port; }
    QProcess &process() { return m_process; }
    QString logFile() const;
    static quint16 freePort();
    static QString executable();
    QStringList baseArguments() const;
    QProcessEnvironment environment() const { return m_env; }

private:
    QTemporaryDir m_dir;
    QString m_dataDir;
    quint16 m_port = 0;
    QProcess m_process;
    QProcessEnvironment m_env;
};

} // namespace orvanta::test
