#pragma once
// The macro record as stored in "./macrofile/<name>.ini", the export text, and
// the naming rules and limits of the macro collection.

#include "core/device/Report.h"
#include "core/storage/RecordedMacroFile.h"

#include <QString>
#include <QStringList>
#include <QVector>

namespace orvanta::macro
{

struct MacroRow {
    QString key;   // the key or button label
    QString state; // "down" or "up"
    QString delay; // decimal ms after this event
    bool operator==(const MacroRow &o) const
    {
        return key == o.key && state == o.state && delay == o.delay;
    }
};

struct MacroRecord {
    QVector<MacroRow> rows;
    Report image{};
};

constexpr int kNameMaxLength = 20;
constexpr int kMaxMacroEntries = 15; // NEW stops at this many entries
constexpr int kMaxCopySuffix = 14;
extern const char *const kDefaultMacro; // "Default Macro"
extern const char *const kForbiddenNameChars;

QString macroFolder(); // "./macrofile"

// A label inside the stored "," list. The comma key's label is "," itself, so a
// comma inside a label is stored as "%2C"; no key produces that text, and every
// label without a comma is stored unchanged.
QString encodeLabel(const QString &label);
QString decodeLabel(const QString &stored);

// The texts to store.
MacroTexts macroTexts(const QVector<MacroRow> &rows, const Report &image);

// The record from its stored texts. A count beyond the lists
// keeps only the rows every list has; the command string gives 264 bytes with
// missing or bad numbers as 0. At most 84 rows are kept: the image holds no more.
MacroRecord parseMacro(const MacroTexts &texts);
Report parseCommandString(const QString &text);

// Base names (text before the first ".") of the folder's entries, folders first,
// then by name.
QStringList macroNames();

// NEW: the number n of the free name "Macro n", or 0 when NEW must refuse.
int newMacroNumber();

// COPY: the name of the copy of `selected`, or an empty text when COPY must refuse.
QString copyName(const QString &selected);
// COPY refuses whatever is selected: the folder holds as many macros as copies allow.
bool macroFolderFullForCopy();
constexpr int kMaxMacrosAfterCopy = kMaxMacroEntries - 2; // 13

// Rename: whether `selected` may take the name `name`.
bool renameAllowed(const QString &name, const QString &selected);

// IMPORT: the macro name for a chosen file (its file name up to the first ".").
QString importedName(const QString &path);

// EXPORT: the six lines of one "[Setting]" block from the texts of a macro.
QString exportBlock(const MacroTexts &texts);
// Appends the block to `path`; false when the file cannot be opened.
bool appendExport(const QString &path, const MacroTexts &texts);

// Row deletion: the partner of `row` (the nearest row above with the same key for
// an "up" row, the nearest row below for any other), or -1.
int partnerRow(const QVector<MacroRow> &rows, int row);

} // namespace orvanta::macro
