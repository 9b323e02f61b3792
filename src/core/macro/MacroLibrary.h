#pragma once
// The macro collection in "./macrofile" and what the MACROS page does with it:
// NEW, COPY, DELETE, rename, IMPORT, EXPORT and saving a macro's record.
// Refusals and failed file operations are told to the notices; each use case
// also returns what became of it, so the page knows which macro to show.

#include "core/macro/MacroFile.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace orvanta
{
class Notices;
}

namespace orvanta::macro
{

// What a use case on the collection came to.
struct [[nodiscard]] MacroChange {
    enum class Outcome {
        Done,     // carried out
        Refused,  // not carried out, and the notices say why
        Failed,   // a file operation failed, told to the notices
        Unchanged // nothing to do (no macro chosen, the protected macro)
    };
    MacroChange(Outcome outcome = Outcome::Unchanged, QString show = QString())
        : outcome(outcome), show(std::move(show))
    {
    }
    Outcome outcome;
    // The macro to show afterwards (empty: keep the one shown).
    QString show;

    bool done() const { return outcome == Outcome::Done; }
};

class MacroLibrary : public QObject
{
    Q_OBJECT
public:
    explicit MacroLibrary(Notices &notices, QObject *parent = nullptr);

    // Called before a macro's file is deleted, with the macro's name: false
    // (the file could not be kept for Undo) leaves the macro as it is.
    void setKeepForUndo(std::function<bool(const QString &macro)> keep)
    {
        m_keepForUndo = std::move(keep);
    }

    // The macros as the folder holds them now, in the order the list shows.
    QStringList names() const;
    // The macros a key can play: the macro folder's "*.ini" files without
    // ".ini", in name order (the collection's list above also shows other entries).
    QStringList assignableNames() const;
    // The stored record of `name` (an empty record for no name).
    MacroRecord read(const QString &name) const;

    // NEW: "Macro n" with the first free n, saved empty.
    MacroChange create();
    // COPY: `selected` saved again under its next free copy name.
    MacroChange copy(const QString &selected);
    // DELETE: the macro's file goes (never the protected "Default Macro");
    // the macro before it in the list is shown next.
    MacroChange remove(const QString &name);
    // Rename: the macro and every key assignment that plays it, in every
    // saved profile, or nothing at all.
    MacroChange rename(const QString &from, const QString &to);
    // IMPORT: the macro of the file at `path`, named after the file; refused
    // when a macro of that name exists.
    MacroChange importFile(const QString &path);
    // EXPORT: `name` appended to the file at `path` as one "[Setting]" block.
    MacroChange exportTo(const QString &name, const QString &path);
    // Saves the rows and the command image of `name`; the old file stays when
    // the save fails.
    MacroChange save(const QString &name, const QVector<MacroRow> &rows, const Report &image);

signals:
    // A macro was renamed, and with it every key assignment that plays it.
    void renamed(QString from, QString to);

private:
    MacroChange failed(bool ok, const QString &show);

    Notices &m_notices;
    std::function<bool(const QString &)> m_keepForUndo;
};

} // namespace orvanta::macro
