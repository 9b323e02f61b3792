#include "DirectoryOps.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace orvanta {

namespace {

constexpr QDir::Filters kAllEntries =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

// Copies one file with every error checked; what failed lands in `result`.
bool copyOneFile(const QString &source, const QString &target, SaveResult *result)
{
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink()) {
        if (result)
            *result += SaveResult(target, QStringLiteral("the file exists"));
        return false;
    }
    const SaveResult saved = copyFile(source, target);
    if (result)
        *result += saved;
    return saved.ok();
}

bool copyRecursively(const QString &source, const QString &target, SaveResult *result)
{
    const QFileInfo info(source);
    // A link is copied as what it names, never followed as a tree.
    if (info.isSymLink() || !info.isDir())
        return copyOneFile(source, target, result);
    if (QFileInfo::exists(target) || QFileInfo(target).isSymLink() ||
        ::mkdir(QFile::encodeName(target).constData(), 0777) != 0) {
        if (result)
            *result += SaveResult(target, QString::fromLocal8Bit(std::strerror(
                                              QFileInfo::exists(target) ? EEXIST : errno)));
        return false;
    }
    const QDir dir(source);
    for (const QString &name : dir.entryList(kAllEntries, QDir::NoSort)) {
        if (!copyRecursively(dir.filePath(name), QDir(target).filePath(name), result))
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

bool copyDirectory(const QString &source, const QString &target, SaveResult *result)
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
    return copyRecursively(source, target, result);
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
