#include "TestSupport.h"

#include "core/storage/IniFile.h"

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
    if (!refuse)
        reports.append(QByteArray(reinterpret_cast<const char *>(data), int(length)));
    return !refuse;
}

bool TempWorkDir::seedFromDataTree() const
{
    const QDir from(dataTreeDir()), to(m_dir.path());
    QDirIterator it(from.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to.filePath(from.relativeFilePath(path));
        if (QFileInfo(path).isDir() ? !QDir().mkpath(target)
                                    : !QFile::exists(target) && !QFile::copy(path, target))
            return false;
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return true;
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

QString reportList(const QString &bytes)
{
    Report r = zeroReport();
    for (const QString &item : bytes.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString at = item.section('=', 0, 0);
        for (int i = at.section("..", 0, 0).toInt(); i <= at.section("..", -1).toInt(); ++i)
            r[std::size_t(i)] = quint8(item.section('=', 1).toInt());
    }
    QStringList out;
    for (const quint8 b : r)
        out << QString::number(b);
    return out.join(',');
}

QString readText(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString iniText(const QString &path, const QString &key)
{
    return orvanta::IniFile::load(path).text(key);
}

QMap<QString, QByteArray> filesBelow(const QString &root, bool read)
{
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        out.insert(QDir(root).relativeFilePath(f.fileName()),
                   read && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray());
    }
    return out;
}

bool writeText(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(content) == content.size();
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

} // namespace orvanta::test
