#pragma once
// Whole-directory operations behind profile management, and folder listings.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

// Names of every entry of `dir` (files and folders, hidden ones included,
// without "." and ".."), in the directory's own order.
QStringList listEntries(const QString &dir);
int countEntries(const QString &dir);

// Copies a file, or a whole directory tree, to `target`. Fails when the target
// exists, when the source does not, and when the target lies inside the source
// (a copy into itself would never end). Stops at the first failure, which it
// returns. Every file is saved all or nothing (see saveFile).
SaveResult copyDirectory(const QString &source, const QString &target);

// Copies one file to a path where nothing exists yet (an existing file is never
// replaced). The copy gets the source's permissions plus read and write for the
// owner, so copies of read-only installed files stay editable. It is not flushed
// to disk: many small copies in a row would otherwise each wait for the disk;
// see flushToDiskLater. A failed copy leaves nothing behind.
[[nodiscard]] bool copyNewFile(const QString &source, const QString &target);

// Flushes the given files to disk on a worker thread of the global pool (whose
// end waits for it), away from the caller's thread. Within a running
// application it starts two seconds later, once start-up is over.
void flushToDiskLater(const QStringList &files);

// Deletes a directory tree. A path that is no existing directory counts as done.
[[nodiscard]] bool removeDirectory(const QString &path);

} // namespace orvanta
