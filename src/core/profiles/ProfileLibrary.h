#pragma once
// The saved profiles as the user manages them: New, Copy, Delete, rename,
// Import and Export. Each use case checks what it is given, changes the
// folders of "./lightfile" and the slot bindings, and tells every refusal and
// failure to the notices; the result says what came of it and which profile
// to show next. Choosing the profile shown is the controller's
// chooseSavedProfile, which the profile list runs when its entry changes.

#include "core/storage/AtomicFile.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace orvanta
{

class Notices;
struct ProfileBindings;

// What a profile use case came to.
struct [[nodiscard]] ProfileResult {
    enum class Status {
        Done,    // carried out
        Skipped, // nothing to do: no profile given, or actions are held (a macro is recorded)
        Refused, // not carried out; the notices say why
        Failed,  // a file operation failed; the notices say which
    };
    ProfileResult(Status status = Status::Skipped, QString profile = QString(),
                  QString note = QString())
        : status(status), profile(std::move(profile)), note(std::move(note))
    {
    }
    Status status;
    QString profile; // the profile to show: made, copied, renamed to, or given back to the slot
    QString note;    // a word for the user once that profile is shown (a name was cut)

    bool done() const { return status == Status::Done; }
};

class ProfileLibrary
{
public:
    // A profile name is at most this many characters.
    static constexpr int kNameLimit = 64;
    // Keeps `paths` before a deletion so that Undo can bring them back; false
    // when they could not be kept (nothing is then deleted).
    using KeepForUndo =
        std::function<bool(const QString &kind, const QString &name, const QStringList &paths)>;

    ProfileLibrary(ProfileBindings &bindings, Notices &notices, std::function<bool()> allowed);

    void setKeepForUndo(KeepForUndo keep) { m_keepForUndo = std::move(keep); }

    // A new profile with the factory settings of PROFILE 1, named after the
    // first free "PROFILE n".
    ProfileResult create();
    // A copy of `profile` named after it ("Game" -> "Game_01").
    ProfileResult copy(const QString &profile);
    // Deletes `profile` (never a built-in one); the active slot gets its
    // built-in profile back.
    ProfileResult remove(const QString &profile);
    // Renames `profile` to `typed`, cut to kNameLimit characters (the note
    // says so); every slot bound to it follows, and the active slot is bound to it.
    ProfileResult rename(const QString &profile, const QString &typed);
    // Appends the export text of `profile` to the file the user chose (".ini"
    // added where missing).
    ProfileResult exportTo(const QString &profile, const QString &chosenFile);
    // Imports an exported profile file, named after the file.
    ProfileResult importFrom(const QString &file);

private:
    bool saveBindings();
    ProfileResult refuse(const QString &text);
    ProfileResult failed(const QString &text, const QString &path, const QString &reason);

    ProfileBindings &m_bindings;
    Notices &m_notices;
    std::function<bool()> m_allowed;
    KeepForUndo m_keepForUndo;
};

} // namespace orvanta
