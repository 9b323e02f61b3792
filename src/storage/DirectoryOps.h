#pragma once
// Whole-directory operations behind profile management, and folder listings.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta {

// Names of every entry of `dir` (files and folders, hidden ones included,
// without "." and ".."), in the directory's own order.
QStringList listEntries(const QString &dir);
int countEntries(const QString &dir);

// Copies a file, or a whole directory tree, to `target`. Fails when the target
// exists, when the source does not, and when the target lies inside the source
// (a copy into itself would never end). Stops at the first failure, which is
// added to `result`. Every file is saved all or nothing (see saveFile).
bool copyDirectory(const QString &source, const QString &target, SaveResult *result = nullptr);

// Deletes a directory tree. A path that is no existing directory counts as done.
bool removeDirectory(const QString &path);

} // namespace orvanta
