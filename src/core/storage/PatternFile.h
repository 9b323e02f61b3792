#pragma once
// A gradient preset of a profile: light/pattern<n>.ini, numbered from 1.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

class PatternFile
{
public:
    // The file's keys in reading order: RColor, GColor, BColor, VColor, YValue.
    static const QStringList &keys();
    static QStringList read(int number, const QString &profile); // the five texts
    // Sets the five texts; other keys of the file stay.
    [[nodiscard]] static SaveResult write(int number, const QString &profile,
                                          const QStringList &texts);
    // Into a profile folder outside the profile list (an import being staged).
    [[nodiscard]] static SaveResult writeInFolder(const QString &folder, int number,
                                                  const QStringList &texts);
};

} // namespace orvanta
