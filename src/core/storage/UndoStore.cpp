#include "UndoStore.h"

#include "DirectoryOps.h"
#include "IniFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

namespace orvanta
{

namespace
{

QString keptFolder()
{
    return UndoStore::folder() + QStringLiteral("/kept");
}

QString manifestPath(const QString &folder)
{
    return folder + QStringLiteral("/action.ini");
}

// Removes a file or a folder tree; true when nothing is left there.
bool removePath(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink() || info.isFile())
        return QFile::remove(path);
    if (info.isDir())
        return removeDirectory(path);
    return !info.exists();
}

void removeEmptyUndoFolder()
{
    QDir().rmdir(UndoStore::folder());
}

} // namespace

QString UndoStore::folder()
{
    return QStringLiteral("system/undo");
}

SaveResult UndoStore::keep(const QString &kind, const QString &name, const QStringList &paths)
{
    const QString staging =
        folder() + QStringLiteral("/staging-") + QUuid::createUuid().toString(QUuid::Id128).left(8);
    SaveResult result;
    IniFile manifest;
    manifest.setValue(QStringLiteral("Action/kind"), kind);
    manifest.setValue(QStringLiteral("Action/name"), name);
    manifest.setValue(QStringLiteral("Action/count"), paths.size());
    for (int i = 0; i < paths.size() && result.ok(); ++i) {
        const QString path = QDir::cleanPath(paths[i]);
        const bool exists = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
        const QString key = QStringLiteral("Path%1/").arg(i + 1);
        manifest.setValue(key + QStringLiteral("path"), path);
        manifest.setValue(key + QStringLiteral("existed"), exists ? 1 : 0);
        if (exists) {
            const QString copy = staging + QStringLiteral("/%1").arg(i + 1);
            if (!QDir().mkpath(staging))
                result += SaveResult(staging, QStringLiteral("cannot create the folder"));
            else
                result += copyDirectory(path, copy);
        }
    }
    if (result.ok())
        result += manifest.save(manifestPath(staging));
    if (result.ok()) {
        // The earlier action goes only once the new one is whole.
        const QString old = folder() + QStringLiteral("/old");
        removePath(old);
        if (QFileInfo::exists(keptFolder()) && !QDir().rename(keptFolder(), old))
            result += SaveResult(keptFolder(), QStringLiteral("cannot replace the kept action"));
        else if (!QDir().rename(staging, keptFolder()))
            result +=
                SaveResult(keptFolder(), QStringLiteral("cannot move the kept files in place"));
        removePath(old);
    }
    if (!result.ok()) {
        removePath(staging);
        qWarning().noquote() << "undo: nothing kept for" << kind << name;
    } else {
        qInfo().noquote() << "undo: kept" << paths.size() << "paths for" << kind << name;
    }
    return result;
}

UndoStore::Action UndoStore::kept()
{
    Action action;
    const IniFile manifest = IniFile::load(manifestPath(keptFolder()));
    action.kind = manifest.text(QStringLiteral("Action/kind"));
    action.name = manifest.text(QStringLiteral("Action/name"));
    const int count = qBound(0, manifest.text(QStringLiteral("Action/count")).toInt(), 1000);
    for (int i = 1; i <= count; ++i)
        action.paths << manifest.text(QStringLiteral("Path%1/path").arg(i));
    return action;
}

SaveResult UndoStore::restore()
{
    const IniFile manifest = IniFile::load(manifestPath(keptFolder()));
    const int count = qBound(0, manifest.text(QStringLiteral("Action/count")).toInt(), 1000);
    SaveResult result;
    if (manifest.text(QStringLiteral("Action/kind")).isEmpty())
        return SaveResult(keptFolder(), QStringLiteral("nothing to undo"));
    for (int i = 1; i <= count; ++i) {
        const QString path = manifest.text(QStringLiteral("Path%1/path").arg(i));
        // Only paths inside the data directory are ever touched.
        if (path.isEmpty() || QDir::isAbsolutePath(path) || path.startsWith(QLatin1String("..")))
            continue;
        const bool existed = manifest.text(QStringLiteral("Path%1/existed").arg(i)) == "1";
        if (!removePath(path)) {
            result += SaveResult(path, QStringLiteral("cannot remove the changed version"));
            continue;
        }
        if (existed) {
            QDir().mkpath(QFileInfo(path).path());
            result += copyDirectory(keptFolder() + QStringLiteral("/%1").arg(i), path);
        }
    }
    if (result.ok())
        result += forget();
    qInfo().noquote() << "undo:" << (result.ok() ? "restored" : "failed for")
                      << manifest.text(QStringLiteral("Action/kind"))
                      << manifest.text(QStringLiteral("Action/name"));
    return result;
}

SaveResult UndoStore::forget()
{
    if (!removePath(keptFolder()))
        return SaveResult(keptFolder(), QStringLiteral("cannot be removed"));
    removeEmptyUndoFolder();
    return SaveResult();
}

} // namespace orvanta
