#pragma once
// Whole-directory operations behind profile management, and folder listings.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace orvanta
{

// Names of every entry of `dir` (files and folders, hidden ones included,
// without "." and ".."), in the directory's own order.
QStringList listEntries(const QString &dir);
int countEntries(const QString &dir);

// Copies a file, or a whole directory tree, to `target`. Fails when the target
// exists, when the source does not, and when the target lies inside the source
// (a copy into itself would never end). Stops at the first failure, which it
// returns. Every file is saved all or nothing (see saveFile). Only folders and
// regular files are copied (see readRegularFile): links, FIFOs, devices and
// oversized files are left out and named in `skipped`.
SaveResult copyDirectory(const QString &source, const QString &target,
                         QStringList *skipped = nullptr);

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

// Removes whatever `path` is: a folder with everything in it, a file, or a
// link (removed as a link; nothing is ever removed through one). A missing
// path counts as done.
[[nodiscard]] bool removeTree(const QString &path);

// rename(2), one step of a deletion (see RemovalStepHook).
[[nodiscard]] bool renameEntry(const QString &from, const QString &to);

// For tests: `step` runs before every removal and rename of removeTree,
// removeDirectory and renameEntry while the object lives; throwing from it
// stops a deletion there, as a kill would.
class RemovalStepHook
{
public:
    explicit RemovalStepHook(std::function<void()> step);
    ~RemovalStepHook();
    RemovalStepHook(const RemovalStepHook &) = delete;
    RemovalStepHook &operator=(const RemovalStepHook &) = delete;
};

} // namespace orvanta
