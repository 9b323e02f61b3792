#pragma once
// Renaming a macro together with every key assignment that plays it.

#include "core/storage/AtomicFile.h"

#include <QString>

namespace orvanta::macro
{

// Renames the macro's file from `from` to `to` and, in every saved profile
// (./lightfile/<name>), every macro key assignment that names it: the macro
// key file and the single-key file keep the name of each key's macro. All or
// nothing: when any file cannot be saved, the files already saved get their
// earlier content back and the macro keeps its old name; the failures are returned.
SaveResult renameMacro(const QString &from, const QString &to);

} // namespace orvanta::macro
