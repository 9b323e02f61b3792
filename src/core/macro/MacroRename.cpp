#include "MacroRename.h"

#include "core/storage/DataPaths.h"
#include "core/storage/IniFile.h"
#include "core/storage/RegularFile.h"
#include "core/storage/StoredList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanta::macro
{

namespace
{

struct FileEdit {
    QString path;
    QByteArray before, after;
};

// The macro named in `listKey` for each key whose type in `typeKey` says it
// plays a macro ("1") becomes `to` where it was `from`.
bool carryName(IniFile &file, const QString &typeKey, const QString &listKey, const QString &from,
               const QString &to)
{
    const QStringList types = splitList(file.text(typeKey));
    QStringList names = splitList(file.text(listKey));
    bool changed = false;
    for (int i = 0; i < names.size(); ++i) {
        if (names[i] == from && types.value(i) == QLatin1String("1")) {
            names[i] = to;
            changed = true;
        }
    }
    if (changed)
        file.setValue(listKey, joinList(names));
    return changed;
}

// The edits of every profile's files that name the macro; a file that cannot
// be read safely (a link below a profile, a FIFO) goes to `unreadable`.
QVector<FileEdit> plannedEdits(const QString &from, const QString &to, SaveResult *unreadable)
{
    struct Table {
        QString path, typeKey, listKey;
    };
    QVector<FileEdit> edits;
    const QStringList profiles = QDir(QStringLiteral("./lightfile"))
                                     .entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &profile : profiles) {
        const Table tables[] = {{DataPaths::macroSystemPath(profile),
                                 QStringLiteral("/Setting/type"), QStringLiteral("/Setting/file")},
                                {DataPaths::signalPath(profile),
                                 QStringLiteral("/Setting/macro_singal_oldkey"),
                                 QStringLiteral("/Setting/macro_singal_newkey")}};
        for (const Table &t : tables) {
            const FileRead original = readRegularFile(t.path, kSettingsFileLimit);
            if (original.skipped())
                *unreadable += SaveResult(t.path, original.reason);
            if (!original.ok())
                continue;
            const QByteArray &before = original.bytes;
            IniFile file = IniFile::load(t.path);
            if (carryName(file, t.typeKey, t.listKey, from, to))
                edits.append({t.path, before, file.render()});
        }
    }
    return edits;
}

} // namespace

SaveResult renameMacro(const QString &from, const QString &to)
{
    SaveResult unreadable;
    const QVector<FileEdit> edits = plannedEdits(from, to, &unreadable);
    if (!unreadable.ok())
        return unreadable; // its names could not all follow
    const QString oldPath = DataPaths::macroPath(from), newPath = DataPaths::macroPath(to);
    if (!QFile::rename(oldPath, newPath))
        return SaveResult(oldPath, QStringLiteral("cannot be renamed to %1").arg(to));
    int saved = 0;
    SaveResult result;
    for (; saved < edits.size(); ++saved) {
        result += saveFile(edits[saved].path, edits[saved].after);
        if (!result.ok())
            break;
    }
    if (result.ok())
        return result;
    // Back to where it was: the files saved so far, then the macro's name.
    for (int i = saved - 1; i >= 0; --i)
        result += saveFile(edits[i].path, edits[i].before);
    if (!QFile::rename(newPath, oldPath))
        result += SaveResult(newPath, QStringLiteral("cannot be renamed back to %1").arg(from));
    return result;
}

} // namespace orvanta::macro
