#pragma once
// A profile's singal/signal.ini: its key map and its single-key assignments.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

// The stored lists as texts, one member per key of the file.
struct KeyMapTexts {
    QString keyMap;  // "signle": 256 key codes
    QString kinds;   // "macro_singal_oldkey": the assignment kind of each key slot
    QString targets; // "macro_singal_newkey": the key label or macro of each key slot
};

class KeyMapFile
{
public:
    static const QStringList &keys(); // the file's keys, in the order of KeyMapTexts
    static KeyMapTexts read(const QString &profile);
    [[nodiscard]] static SaveResult write(const QString &profile, const KeyMapTexts &texts);
    // Into a profile folder outside the profile list (an import being staged).
    [[nodiscard]] static SaveResult writeInFolder(const QString &folder, const KeyMapTexts &texts);
};

} // namespace orvanta
