#include "MacroLibrary.h"
#include "core/app/TranslationContexts.h"

#include "core/app/Notices.h"
#include "core/macro/MacroRename.h"
#include "core/storage/DataPaths.h"
#include "core/storage/RecordedMacroFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanta::macro
{

MacroLibrary::MacroLibrary(Notices &notices, QObject *parent) : QObject(parent), m_notices(notices)
{
}

QStringList MacroLibrary::names() const
{
    return macroNames();
}

QStringList MacroLibrary::assignableNames() const
{
    QStringList names =
        QDir(macroFolder())
            .entryList(QStringList{QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (QString &name : names)
        name.chop(4);
    return names;
}

MacroRecord MacroLibrary::read(const QString &name) const
{
    MacroRecord record;
    record.image.fill(0);
    if (!name.isEmpty())
        record = parseMacro(RecordedMacroFile::read(name));
    return record;
}

MacroChange MacroLibrary::failed(bool ok, const QString &show)
{
    return MacroChange{ok ? MacroChange::Outcome::Done : MacroChange::Outcome::Failed,
                       ok ? show : QString()};
}

MacroChange MacroLibrary::create()
{
    const int n = newMacroNumber();
    if (n == 0) {
        m_notices.refuse(context::Shell::tr("No room for another macro: every number is taken"));
        return MacroChange{MacroChange::Outcome::Refused};
    }
    return failed(m_notices.report(RecordedMacroFile::create(n)),
                  QStringLiteral("Macro ") + QString::number(n));
}

MacroChange MacroLibrary::copy(const QString &selected)
{
    if (!selected.isEmpty() && macroFolderFullForCopy()) {
        m_notices.refuse(context::Shell::tr("No room for another macro: at most %1 are kept")
                             .arg(kMaxMacrosAfterCopy));
        return MacroChange{MacroChange::Outcome::Refused};
    }
    const QString name = copyName(selected);
    if (name.isEmpty()) {
        if (selected.isEmpty())
            return MacroChange{MacroChange::Outcome::Unchanged};
        m_notices.refuse(
            context::Shell::tr("No more copies of %1: every copy name is taken").arg(selected));
        return MacroChange{MacroChange::Outcome::Refused};
    }
    return failed(
        m_notices.report(copyFile(DataPaths::macroPath(selected), DataPaths::macroPath(name))),
        name);
}

MacroChange MacroLibrary::remove(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(kDefaultMacro))
        return MacroChange{MacroChange::Outcome::Unchanged};
    if (m_keepForUndo && !m_keepForUndo(name)) // undo: the file is kept first
        return MacroChange{MacroChange::Outcome::Refused};
    const int index = names().indexOf(name);
    const QString path = DataPaths::macroPath(name);
    const bool removed = QFile::remove(path);
    if (!removed)
        m_notices.fileFailed(
            context::Shell::tr("Could not delete %1; it stays in the list").arg(name), path,
            QStringLiteral("failed"));
    // The list shows the macro before the deleted one, or the first.
    const QString show = names().value(qMax(0, index - 1));
    return MacroChange{removed ? MacroChange::Outcome::Done : MacroChange::Outcome::Failed, show};
}

MacroChange MacroLibrary::rename(const QString &from, const QString &to)
{
    if (!renameAllowed(to, from)) {
        m_notices.refuse(context::Shell::tr("%1 cannot be renamed to \"%2\": the name is empty, "
                                            "taken or not allowed")
                             .arg(from, to));
        return MacroChange{MacroChange::Outcome::Refused};
    }
    // The keys that play the macro go with it, in every saved profile, or
    // nothing changes at all.
    if (!m_notices.report(renameMacro(from, to)))
        return MacroChange{MacroChange::Outcome::Failed, from};
    emit renamed(from, to);
    return MacroChange{MacroChange::Outcome::Done, to};
}

MacroChange MacroLibrary::importFile(const QString &path)
{
    const QString name = importedName(path);
    // A name-less file (".ini") or one that cannot be read would only leave an
    // empty, unreachable macro behind.
    if (name.isEmpty() || !QFileInfo(path).isFile() || !QFileInfo(path).isReadable())
        return MacroChange{MacroChange::Outcome::Unchanged};
    // An import never replaces a macro (the protected one, or one that keys
    // play) without a word: the file is refused, as a profile's is.
    if (names().contains(name)) {
        m_notices.refuse(context::Shell::tr("A macro named %1 already exists").arg(name));
        return MacroChange{MacroChange::Outcome::Refused};
    }
    return failed(m_notices.report(RecordedMacroFile::import(path, name)), name);
}

MacroChange MacroLibrary::exportTo(const QString &name, const QString &path)
{
    if (path.isEmpty() || name.isEmpty())
        return MacroChange{MacroChange::Outcome::Unchanged};
    if (appendExport(path, RecordedMacroFile::read(name)))
        return MacroChange{MacroChange::Outcome::Done};
    m_notices.fileFailed(context::Shell::tr("Could not export %1 to %2").arg(name, path), path,
                         QStringLiteral("failed"));
    return MacroChange{MacroChange::Outcome::Failed};
}

MacroChange MacroLibrary::save(const QString &name, const QVector<MacroRow> &rows,
                               const Report &image)
{
    if (name.isEmpty())
        return MacroChange{MacroChange::Outcome::Unchanged}; // no macro: no file to write
    return failed(m_notices.report(RecordedMacroFile::write(name, macroTexts(rows, image))), name);
}

} // namespace orvanta::macro
