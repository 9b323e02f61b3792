#pragma once
// What one-click actions that destroy work (a factory reset, deleting a saved
// profile or a macro) keep so that they can be undone.
//
// Before such an action the console keeps a copy of every file and folder it
// is about to change, inside the data directory under "system/undo/kept": the
// copies are assembled beside it and moved into place in one rename, so the
// kept set is always whole. A path that did not exist is remembered as
// missing, and an undo removes whatever the action created there. Only the
// latest action is kept; keeping the next one replaces it.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

class UndoStore
{
public:
    static QString folder(); // "system/undo"

    struct Action {
        QString kind; // "factory reset", "profile", "macro"; empty when nothing is kept
        QString name; // the profile or macro deleted
        QStringList paths;
    };

    // Keeps copies of `paths` (relative to the data directory) for `kind` and
    // `name`. On failure nothing new is kept (the earlier action stays kept) and
    // the failure is returned.
    static SaveResult keep(const QString &kind, const QString &name, const QStringList &paths);
    static Action kept();
    // Puts every kept path back as it was, removes what the action created, and
    // forgets the action (the undo folder goes when it holds nothing else).
    static SaveResult restore();
    static SaveResult forget();
};

} // namespace orvanta
