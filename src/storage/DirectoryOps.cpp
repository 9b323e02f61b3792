#include "DirectoryOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanta {

namespace {

constexpr QDir::Filters kAllEntries =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

bool copyRecursively(const QString &source, const QString &target)
{
    const QFileInfo info(source);
    if (info.isSymLink())
        return QFile::copy(source, target); // a link is copied as what it names, never followed as a tree
    if (!info.isDir())
        return QFile::copy(source, target);
    QDir parent;
    if (QFileInfo::exists(target) || !parent.mkdir(target))
        return false;
    const QDir dir(source);
    for (const QString &name : dir.entryList(kAllEntries, QDir::NoSort)) {
        if (!copyRecursively(dir.filePath(name), QDir(target).filePath(name)))
            return false;
    }
    return true;
}

} // namespace

QStringList listEntries(const QString &dir)
{
    return QDir(dir).entryList(kAllEntries, QDir::NoSort);
}

int countEntries(const QString &dir)
{
    return listEntries(dir).size();
}

bool copyDirectory(const QString &source, const QString &target)
{
    const QFileInfo src(source);
    if (!src.exists() || QFileInfo::exists(target))
        return false;
    if (src.isDir()) {
        const QString from = QDir::cleanPath(src.absoluteFilePath()) + QLatin1Char('/');
        const QString to = QDir::cleanPath(QFileInfo(target).absoluteFilePath()) + QLatin1Char('/');
        if (to.startsWith(from))
            return false;
    }
    return copyRecursively(source, target);
}

bool removeDirectory(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink())
        return true;
    QDir dir(path);
    const QFileInfoList entries =
        dir.entryInfoList(kAllEntries, QDir::DirsFirst);
    for (const QFileInfo &e : entries) {
        if (e.isDir() && !e.isSymLink()) {
            if (!removeDirectory(e.absoluteFilePath()))
                return false;
        } else if (!QFile::remove(e.absoluteFilePath())) {
            return false;
        }
    }
    return QDir().rmdir(path);
}

} // namespace orvanta
