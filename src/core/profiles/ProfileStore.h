#pragma once
// Saved profiles as folders of "./lightfile": their list, the naming rules of
// New, Copy, rename and Import, safe copies, and the export text.

#include "core/storage/AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

constexpr int kProfileLimit = 15;

// Every entry of "./lightfile", sorted by name ignoring case.
QStringList profileList();

bool isBuiltInProfile(const QString &name); // "PROFILE 1" .. "PROFILE 5"

// The nine characters a typed name may not hold: * | \ : " < > ? /
bool containsForbiddenCharacter(const QString &text);

// A name a profile may take: no forbidden character, not empty, not "." or "..".
bool isUsableProfileName(const QString &name);

// "_01".."_09", "_10".."_14" for k = 1..14.
QString copySuffix(int k);

// The first free name for a copy of `entry` (Game -> Game_01, Game_01 -> Game_02),
// or empty when all fourteen exist.
QString copyNameFor(const QString &entry);

// The first "PROFILE n" (n = 1..15) without a folder, or empty.
QString newProfileName();

// Copies a whole profile folder. The copy is assembled outside "./lightfile" and
// moved into place at the end, so an interrupted copy never leaves a half
// profile in the list. Fails when the target exists; a failed save is added
// to `result`; entries left out (links, FIFOs, devices, oversized files, see
// copyDirectory) are added to `skipped`.
bool copyProfile(const QString &source, const QString &target, SaveResult *result = nullptr,
                 QStringList *skipped = nullptr);

// Deletes profile `name` all or nothing: its folder is moved into "./.trash"
// by one rename and removed from there; a kill before the rename leaves the
// profile whole, after it gone (removeStaleStaging empties the trash).
SaveResult deleteProfile(const QString &name);

// Imports an exported profile file as profile `name`, assembled outside
// "./lightfile" like a copy, so a failed import leaves no half profile.
// Fails when the profile exists.
SaveResult importProfile(const QString &source, const QString &name);

// Removes what interrupted copies, deletions and saves left behind, at
// start-up: the staging folder and the trash (whatever they are; a link is
// removed as a link), the temporary files of killed virtual keyboard saves,
// and the leftovers of removeSaveLeftovers.
void removeStaleStaging();

// A save killed in the middle leaves its file whole, but may leave beside it
// "<file>.ini.lock" (or "<file>.ini.lock.rmlock", ... while it was clearing an
// older lock) and its unfinished temporary "<file>.ini.XXXXXX". Listed, these
// would count as one more macro or pattern. Removes, below "./system",
// "./lightfile" and "./macrofile", every lock whose owner is gone (live locks
// stay) and every such temporary whose "<file>.ini" exists; a suffix that is
// a lower-case word ("Game.ini.backup") is taken for the user's own file.
void removeSaveLeftovers();

// The export text of profile P (header, one block per pattern file, the signal block).
QString exportText(const QString &profile);

// The profile name an imported file gives (its name up to the first "."), or
// empty when that name is not usable.
QString importNameFromPath(const QString &path);

} // namespace orvanta
