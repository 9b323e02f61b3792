#include "ProfileStore.h"

#include "ProfileExportCheck.h"
#include "core/storage/DataPaths.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/KeyMapFile.h"
#include "core/storage/PatternFile.h"

#include <QDebug>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta
{

static const QString kLightfile = QStringLiteral("./lightfile");
static const QString kStaging = QStringLiteral("./.staging");
static const QString kTrash = QStringLiteral("./.trash");

QStringList profileList()
{
    QStringList names = listEntries(kLightfile);
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool isBuiltInProfile(const QString &name)
{
    for (int i = 1; i <= 5; ++i)
        if (name == QStringLiteral("PROFILE %1").arg(i))
            return true;
    return false;
}

bool containsForbiddenCharacter(const QString &text)
{
    static const QString forbidden = QStringLiteral("*|\\:\"<>?/");
    for (const QChar c : text)
        if (forbidden.contains(c))
            return true;
    return false;
}

bool isUsableProfileName(const QString &name)
{
    return !name.isEmpty() && name != QLatin1String(".") && name != QLatin1String("..") &&
           !containsForbiddenCharacter(name);
}

QString copySuffix(int k)
{
    return k < 10 ? QStringLiteral("_0%1").arg(k) : QStringLiteral("_%1").arg(k);
}

QString copyNameFor(const QString &entry)
{
    QString suffix;
    for (int k = 1; k <= 14; ++k)
        if (entry.endsWith(copySuffix(k), Qt::CaseInsensitive))
            suffix = copySuffix(k);
    const QString base =
        suffix.isEmpty() ? entry : entry.left(entry.indexOf(suffix, 0, Qt::CaseInsensitive));
    for (int k = 1; k <= 14; ++k) {
        const QString name = base + copySuffix(k);
        if (!QFileInfo::exists(kLightfile + QLatin1Char('/') + name))
            return name;
    }
    return QString();
}

QString newProfileName()
{
    for (int n = 1; n <= kProfileLimit; ++n) {
        const QString name = QStringLiteral("PROFILE %1").arg(n);
        if (!QFileInfo(kLightfile + QLatin1Char('/') + name).isDir())
            return name;
    }
    return QString();
}

namespace
{

// Moves a profile assembled in the staging folder into "./lightfile".
SaveResult moveIntoPlace(const QString &staged, const QString &to)
{
    if (::rename(QFile::encodeName(staged).constData(), QFile::encodeName(to).constData()) != 0) {
        const QString reason = QString::fromLocal8Bit(std::strerror(errno));
        qWarning().noquote() << "save failed:" << to << "-" << reason;
        return SaveResult(to, reason);
    }
    return SaveResult();
}

// A fresh staging folder for `name`, or empty when there is none to be had.
QString stagingFolder(const QString &name, SaveResult *result)
{
    const QByteArray native = QFile::encodeName(kStaging);
    if (::mkdir(native.constData(), 0777) != 0 && errno != EEXIST) {
        *result += SaveResult(kStaging, QString::fromLocal8Bit(std::strerror(errno)));
        return QString();
    }
    const QFileInfo staging(kStaging);
    if (staging.isSymLink() || !staging.isDir()) {
        *result += SaveResult(kStaging, QStringLiteral("the staging folder is not a folder"));
        return QString();
    }
    const QString staged = kStaging + QLatin1Char('/') + name;
    if (!removeDirectory(staged)) {
        *result += SaveResult(staged, QStringLiteral("cannot be removed"));
        return QString();
    }
    return staged;
}

} // namespace

bool copyProfile(const QString &source, const QString &target, SaveResult *result,
                 QStringList *skipped)
{
    const QString from = kLightfile + QLatin1Char('/') + source;
    const QString to = kLightfile + QLatin1Char('/') + target;
    if (source.isEmpty() || target.isEmpty() || !QFileInfo(from).isDir() || QFileInfo::exists(to))
        return false;
    SaveResult saved;
    // A profile folder that is a link is not followed (see RegularFile.h).
    if (QFileInfo(from).isSymLink())
        saved += SaveResult(from, QStringLiteral("a symbolic link, which is not followed here"));
    const QString staged = saved.ok() ? stagingFolder(target, &saved) : QString();
    if (saved.ok())
        saved += copyDirectory(from, staged, skipped);
    if (saved.ok())
        saved += moveIntoPlace(staged, to);
    else if (!staged.isEmpty() && !removeDirectory(staged))
        saved += SaveResult(staged, QStringLiteral("cannot be removed"));
    if (result)
        *result += saved;
    return saved.ok();
}

SaveResult importProfile(const QString &source, const QString &name)
{
    const QString to = kLightfile + QLatin1Char('/') + name;
    SaveResult result;
    if (name.isEmpty() || QFileInfo::exists(to) || QFileInfo(to).isSymLink())
        return SaveResult(to, QStringLiteral("the profile exists"));
    const QString staged = stagingFolder(name, &result);
    if (result.ok() && ::mkdir(QFile::encodeName(staged).constData(), 0777) != 0)
        result += SaveResult(staged, QString::fromLocal8Bit(std::strerror(errno)));
    if (result.ok())
        result += importProfileExport(source, staged);
    if (result.ok())
        result += moveIntoPlace(staged, to);
    if (!result.ok() && !staged.isEmpty() && !removeDirectory(staged))
        result += SaveResult(staged, QStringLiteral("cannot be removed"));
    return result;
}

SaveResult deleteProfile(const QString &name)
{
    const QString from = kLightfile + QLatin1Char('/') + name;
    const QString trashed = kTrash + QLatin1Char('/') + name;
    const QFileInfo trash(kTrash);
    const auto reason = [] { return QString::fromLocal8Bit(std::strerror(errno)); };
    if ((trash.isSymLink() || (trash.exists() && !trash.isDir())) && !removeTree(kTrash))
        return SaveResult(kTrash, reason());
    if (::mkdir(QFile::encodeName(kTrash).constData(), 0777) != 0 && errno != EEXIST)
        return SaveResult(kTrash, reason());
    if (!removeTree(trashed))
        return SaveResult(trashed, QStringLiteral("cannot be removed"));
    // The one step that deletes: before it the profile is whole, after it gone.
    if (!renameEntry(from, trashed)) {
        if (errno != EXDEV)
            return SaveResult(from, reason());
        // "./lightfile" leads to another file system: removed where it is.
        return removeTree(from) ? SaveResult() : SaveResult(from, reason());
    }
    // What is left in the trash is removed at the next start.
    if (!removeTree(trashed) || ::rmdir(QFile::encodeName(kTrash).constData()) != 0)
        qWarning().noquote() << trashed << "not removed yet:" << reason();
    return SaveResult();
}

void removeStaleStaging()
{
    // Whatever they are (a folder, a file, a link): removed, never followed.
    for (const QString &path : {kStaging, kTrash})
        if (!removeTree(path))
            qWarning().noquote() << path << "cannot be removed";
    // The temporary file of a virtual keyboard save that was killed.
    static const QRegularExpression kStateTemporary(
        QStringLiteral("^virtual_keyboard\\.json\\.[A-Za-z0-9]{6}$"));
    for (const QString &name : listEntries(QStringLiteral(".")))
        if (kStateTemporary.match(name).hasMatch() && !removeTree(name))
            qWarning().noquote() << name << "cannot be removed";
    removeSaveLeftovers();
}

void removeSaveLeftovers()
{
    // The lock of a settings file, the locks taken while clearing a stale one,
    // and the temporary file a save writes before renaming it over the old one.
    static const QRegularExpression kLockName(QStringLiteral("\\.ini\\.lock(\\.rmlock)*$"));
    static const QRegularExpression kTemporaryName(
        QStringLiteral("^(.+\\.ini)\\.([A-Za-z0-9]{6})$"));
    static const QRegularExpression kWord(QStringLiteral("^[a-z]+$"));
    QStringList locks;
    for (const char *folder : {"./system", "./lightfile", "./macrofile"}) {
        QDirIterator it(QString::fromLatin1(folder), {QStringLiteral("*.ini.*")},
                        QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (kLockName.match(path).hasMatch()) {
                locks << path;
                continue;
            }
            // A temporary beside the file it was meant to replace. A lower-case
            // word ("Game.ini.backup") is someone's own file and stays.
            const QRegularExpressionMatch m = kTemporaryName.match(path);
            if (m.hasMatch() && QFileInfo(m.captured(1)).isFile() &&
                !kWord.match(m.captured(2)).hasMatch())
                QFile::remove(path);
        }
    }
    // The clearing locks first: a leftover one would keep its lock from being cleared.
    std::sort(locks.begin(), locks.end(),
              [](const QString &a, const QString &b) { return a.size() > b.size(); });
    for (const QString &path : locks) {
        QLockFile lock(path);
        qint64 pid = 0;
        QString host, app;
        // A live owner writes its identity the moment it creates the file; one
        // without it was killed in between. Only one console uses a data directory.
        if (!lock.getLockInfo(&pid, &host, &app)) {
            QFile::remove(path);
            continue;
        }
        // Taking the lock succeeds only when its owner is gone; releasing it
        // then deletes the file.
        if (lock.tryLock(0))
            lock.unlock();
    }
}

static QString quoted(const QString &key, const QString &value)
{
    return key + QStringLiteral("=\"") + value + QStringLiteral("\"\n");
}

QString exportText(const QString &profile)
{
    // The pattern files are numbered from 1 without gaps; anything else in the
    // folder (a stray file, a save's leftover) is not a pattern.
    int n = 0;
    while (n < 16 && QFileInfo::exists(DataPaths::patternPath(n + 1, profile)))
        ++n;
    QString out =
        QStringLiteral("[Setting]\n") + quoted(QStringLiteral("pattern"), QString::number(n));
    for (int i = 1; i <= n; ++i) {
        const QStringList p = PatternFile::read(i, profile);
        out += QStringLiteral("[pattern%1]\n").arg(i);
        for (int k = 0; k < 5; ++k)
            out += quoted(PatternFile::keys()[k], p.value(k));
    }
    const KeyMapTexts s = KeyMapFile::read(profile);
    out += QStringLiteral("[signal]\n");
    const QString signal[] = {s.keyMap, s.kinds, s.targets};
    for (int k = 0; k < 3; ++k)
        out += quoted(KeyMapFile::keys()[k], signal[k]);
    return out;
}

QString importNameFromPath(const QString &path)
{
    const QString file = QFileInfo(path).fileName();
    const int dot = file.indexOf(QLatin1Char('.'));
    const QString name = dot < 0 ? file : file.left(dot);
    return isUsableProfileName(name) ? name : QString();
}

} // namespace orvanta
