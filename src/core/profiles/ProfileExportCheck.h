#pragma once
// Whether a file is a profile export (what Export writes): a text file with
// the "Setting" group naming its pattern count, each pattern's group with its
// five keys, and the "signal" group with the key map. Import takes nothing
// else, so a picture or a note renamed ".ini" never becomes a profile.

#include "core/storage/AtomicFile.h"

#include <QString>

namespace orvanta
{

bool isProfileExport(const QString &path);

// Import: the patterns and key map of the export `source` into the profile
// folder `folder` (a staging folder until the import is whole).
SaveResult importProfileExport(const QString &source, const QString &folder);

// The file name an export is saved under: the typed name, with ".ini" added
// when it has no suffix (the Import dialog lists ".ini" files only).
QString exportFileName(const QString &typed);

} // namespace orvanta
