#pragma once
// A recorded macro: ./macrofile/<name>.ini.

#include "AtomicFile.h"

#include <QString>
#include <QStringList>

namespace orvanta
{

// The stored lists as texts, one member per key of the file, in reading order.
struct MacroTexts {
    QString keyCount; // "macro_key_count"
    QString keys;     // "macro_key": the key labels
    QString states;   // "macro_key_state": down or up per row
    QString delays;   // "macro_key_delaytime": the pause after each row
    QString commands; // "macro_cmd_str": the 264-byte report image
    bool operator==(const MacroTexts &o) const
    {
        return keyCount == o.keyCount && keys == o.keys && states == o.states &&
               delays == o.delays && commands == o.commands;
    }
};

class RecordedMacroFile
{
public:
    static const QStringList &keys(); // the file's keys, in the order of MacroTexts
    static MacroTexts read(const QString &name);
    // The file replaced whole.
    [[nodiscard]] static SaveResult write(const QString &name, const MacroTexts &texts);
    // NEW: the empty macro "Macro <number>".
    [[nodiscard]] static SaveResult create(int number);
    // The five keys of the "Setting" group of `source` (an export) into macro `name`.
    [[nodiscard]] static SaveResult import(const QString &source, const QString &name);
};

} // namespace orvanta
