#pragma once
// A profile's macro/macro_file.ini: what each key slot is assigned.

#include "AtomicFile.h"

#include <QString>

namespace orvanta
{

// The stored lists as texts, one member per key of the file.
struct AssignmentTexts {
    QString kinds;   // "type": 1 macro, 2 single key, else default
    QString targets; // "file": the macro or key label
    QString repeats; // "once": the macro's repeat setting
};

class AssignmentFile
{
public:
    static AssignmentTexts read(const QString &profile);
    [[nodiscard]] static SaveResult write(const QString &profile, const AssignmentTexts &texts);
};

} // namespace orvanta
