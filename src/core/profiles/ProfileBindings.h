#pragma once
// Which saved profile each on-board profile (slot 1..5) shows, as
// "system/profile_connect.ini" keeps it, and which slot is active.

#include "core/storage/AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

struct ProfileBindings {
    int active = 1;                        // the active slot, 1..5
    QStringList names{"", "", "", "", ""}; // per slot; empty: none stored yet

    // The built-in profile of a slot: "PROFILE n".
    static QString builtIn(int slot);
    // The profile a slot shows: its bound name, or its built-in profile when none.
    QString linked(int slot) const;
    QString activeLinked() const { return linked(active); }

    // A slot bound to a saved profile that is not among `entries` (or to none)
    // gets its built-in profile back; true when the binding changed.
    bool repair(int slot, const QStringList &entries);

    void read(); // missing entries stay empty
    SaveResult save() const;
};

} // namespace orvanta
