#include "ConsoleLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cstdio>

namespace orvanta
{

namespace
{

struct LogState {
    QMutex mutex;
    QFile file;
    qint64 maxBytes = 0;
    int keptFiles = 1;
    bool verbose = false;
};

LogState &state()
{
    static LogState s;
    return s;
}

const char *levelName(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return "debug";
    case QtInfoMsg:
        return "info";
    case QtWarningMsg:
        return "warning";
    case QtCriticalMsg:
        return "critical";
    case QtFatalMsg:
        return "fatal";
    }
    return "debug";
}

bool openLog(LogState &s)
{
    return s.file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text |
                       QIODevice::Unbuffered);
}

void rotate(LogState &s)
{
    const QString path = s.file.fileName();
    s.file.close();
    auto numbered = [&](int i) { return path + QLatin1Char('.') + QString::number(i); };
    QFile::remove(numbered(s.keptFiles - 1));
    for (int i = s.keptFiles - 2; i >= 1; --i)
        QFile::rename(numbered(i), numbered(i + 1));
    if (s.keptFiles > 1)
        QFile::rename(path, numbered(1));
    else
        QFile::remove(path);
    openLog(s);
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QString line = qFormatLogMessage(type, context, message);
    const bool serious = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    // A message raised while a message is being written (by the file itself)
    // goes to the terminal only.
    static thread_local bool writing = false;
    if (writing) {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        return;
    }
    LogState &s = state();
    QMutexLocker lock(&s.mutex);
    // Debugging lines (every mouse move among them) only when asked for: the
    // log keeps what helps a user and a maintainer.
    if (type == QtDebugMsg && !s.verbose)
        return;
    writing = true;
    if (serious || s.verbose) {
        std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    if (s.file.isOpen()) {
        const QByteArray record =
            QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8() + ' ' +
            levelName(type) + ' ' + line.toUtf8() + '\n';
        if (s.file.size() > 0 && s.file.size() + record.size() > s.maxBytes)
            rotate(s);
        if (s.file.isOpen())
            s.file.write(record);
    }
    writing = false;
}

} // namespace

QString consoleLogFile()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/orvanta-console/console.log");
}

void installConsoleLog(const QString &path, bool verbose, qint64 maxBytes, int keptFiles)
{
    LogState &s = state();
    {
        QMutexLocker lock(&s.mutex);
        s.file.close();
        s.maxBytes = qMax<qint64>(maxBytes, 1);
        s.keptFiles = qMax(keptFiles, 1);
        s.verbose = verbose;
        s.file.setFileName(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        openLog(s);
    }
    qInstallMessageHandler(handleMessage);
}

} // namespace orvanta
