#include "ConsoleLog.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta
{

namespace
{

struct LogState {
    QMutex mutex;
    QByteArray path;
    int fd = -1;
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

// Whatever is in the way of one of the log's names goes, when that can be done
// without touching anything else: a link (not what it points to), a FIFO or
// device node, an empty folder. A folder with something in it stays.
void clearName(const QByteArray &path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode))
        ::rmdir(path.constData());
    else
        ::unlink(path.constData());
}

// The log is only ever a regular file of its own: a link in its place is not
// followed, and anything else there is cleared away first.
bool openLog(LogState &s)
{
    const int flags = O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(s.path.constData(), flags, 0600);
        struct stat st;
        if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
            s.fd = fd;
            return true;
        }
        if (fd >= 0)
            ::close(fd);
        clearName(s.path);
    }
    return false;
}

void closeLog(LogState &s)
{
    if (s.fd >= 0)
        ::close(s.fd);
    s.fd = -1;
}

qint64 logSize(const LogState &s)
{
    struct stat st;
    return ::fstat(s.fd, &st) == 0 ? qint64(st.st_size) : 0;
}

// True when the open log is still the file under the log's name (another
// console logging to the same folder may have moved it on).
bool stillNamed(const LogState &s)
{
    struct stat open, named;
    return ::fstat(s.fd, &open) == 0 && ::lstat(s.path.constData(), &named) == 0 &&
           open.st_dev == named.st_dev && open.st_ino == named.st_ino;
}

bool isRegularFile(const QByteArray &path)
{
    struct stat st;
    return ::lstat(path.constData(), &st) == 0 && S_ISREG(st.st_mode);
}

// Empties the open log. Should even that fail, the log grows until the next rotation
// tries again.
bool emptyLog(const LogState &s)
{
    return ::ftruncate(s.fd, 0) == 0;
}

// Starts the log anew. Whatever the older files' names hold, the log stays
// bounded: when the current file cannot be moved on, it is emptied instead.
// Only the log's own files (regular ones) are moved.
void rotate(LogState &s)
{
    auto numbered = [&](int i) { return s.path + '.' + QByteArray::number(i); };
    if (stillNamed(s)) {
        clearName(numbered(s.keptFiles - 1));
        for (int i = s.keptFiles - 2; i >= 1; --i) {
            if (!isRegularFile(numbered(i)))
                continue;
            clearName(numbered(i + 1));
            ::rename(numbered(i).constData(), numbered(i + 1).constData());
        }
        if (s.keptFiles > 1) {
            clearName(numbered(1));
            if (::rename(s.path.constData(), numbered(1).constData()) != 0)
                (void)emptyLog(s);
        } else {
            (void)emptyLog(s);
        }
    }
    closeLog(s);
    openLog(s);
    if (s.fd >= 0 && logSize(s) >= s.maxBytes)
        (void)emptyLog(s);
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *p = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

void handleMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    // One message is one line, whoever chose its text (a socket client, a file
    // name): control characters cannot start a line of their own or reach the
    // terminal.
    const QString line = escapeControlCharacters(qFormatLogMessage(type, context, message));
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
    if (s.fd >= 0) {
        const QByteArray record =
            QDateTime::currentDateTime().toString(Qt::ISODateWithMs).toUtf8() + ' ' +
            levelName(type) + ' ' + line.toUtf8() + '\n';
        const qint64 size = logSize(s);
        if (size > 0 && size + record.size() > s.maxBytes)
            rotate(s);
        if (s.fd >= 0)
            writeAll(s.fd, record.left(int(s.maxBytes)));
    }
    writing = false;
}

} // namespace

QString escapeControlCharacters(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0))
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

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
        closeLog(s);
        s.maxBytes = qMax<qint64>(maxBytes, 1);
        s.keptFiles = qMax(keptFiles, 1);
        s.verbose = verbose;
        s.path = QFile::encodeName(path);
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!openLog(s))
            std::fprintf(stderr, "orvanta-console: cannot write the log %s\n", s.path.constData());
    }
    qInstallMessageHandler(handleMessage);
}

} // namespace orvanta
