#include "TestSupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>

namespace orvanta::test
{

bool RecordingDevice::sendFeatureReport(const quint8 *data, std::size_t length)
{
    ++attempts;
    if (refuse)
        return false;
    reports.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    return true;
}

TempWorkDir::TempWorkDir() : m_previous(QDir::currentPath())
{
    QDir::setCurrent(m_dir.path());
}

TempWorkDir::~TempWorkDir()
{
    QDir::setCurrent(m_previous);
}

static bool copyTree(const QString &from, const QString &to)
{
    QDir().mkpath(to);
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    const QDir src(from);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = QDir(to).filePath(src.relativeFilePath(path));
        if (QFileInfo(path).isDir()) {
            if (!QDir().mkpath(target))
                return false;
        } else if (!QFile::exists(target) && !QFile::copy(path, target)) {
            return false;
        } else {
            QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
        }
    }
    return true;
}

bool TempWorkDir::seedFromDataTree() const
{
    return copyTree(dataTreeDir(), m_dir.path());
}

QByteArray toBytes(const Report &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), int(r.size()));
}

Report reportOf(std::initializer_list<std::pair<int, int>> bytes)
{
    Report r = zeroReport();
    for (const auto &b : bytes)
        r[b.first] = quint8(b.second);
    return r;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex());
}

QByteArray fromHex(const QString &text)
{
    return QByteArray::fromHex(text.toLatin1());
}

QString readText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(f.readAll());
}

bool writeText(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(content) == content.size();
}

RunResult runProgram(const QString &program, const QStringList &arguments,
                     const QProcessEnvironment &env, int timeoutMs)
{
    qRegisterMetaType<QProcess::ExitStatus>();
    QProcess p;
    p.setProcessEnvironment(env);
    QSignalSpy finished(&p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    p.start(program, arguments);
    RunResult r;
    if (!p.waitForStarted(10000) || (finished.isEmpty() && !finished.wait(timeoutMs))) {
        p.kill();
        p.waitForFinished(5000);
        r.err = program + QStringLiteral(": ") + p.errorString();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

QString sourceDir()
{
    return qEnvironmentVariable("ORVANTA_SOURCE_DIR");
}

QString binDir()
{
    return qEnvironmentVariable("ORVANTA_BIN_DIR");
}

QString dataTreeDir()
{
    return qEnvironmentVariable("ORVANTA_DATA_DIR");
}

} // namespace orvanta::test
