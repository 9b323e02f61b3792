#pragma once
// A profile's cmd/macro.ini: the macro reports assigned to keys, one numbered
// entry per key (its key number and its report as a command string).

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

class MacroReportsFile
{
public:
    [[nodiscard]] static SaveResult create(const QString &profile); // no entries
    // The stored entry count, kept to 0..108 (one entry per key slot at most).
    static int count(const QString &profile);
    static QStringList commands(const QString &profile); // entries 1..count
    static QString keyNumbers(const QString &profile);   // entries 1..count, joined by ","
    // Writes entry `index` for key `keyNumber` and sets the entry count.
    [[nodiscard]] static SaveResult writeEntry(const QString &profile, int index, int count,
                                               int keyNumber, const QString &command);
    // Removes entry `index` and renumbers the later ones, leaving `count` entries.
    [[nodiscard]] static SaveResult removeEntry(const QString &profile, int index, int count);
};

} // namespace orvanta
