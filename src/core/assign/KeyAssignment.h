#pragma once
// Key assignment of the CUSTOMIZE page without widgets: the macro report sent
// for a macro key, the repeat bytes, and the stored forms of the per-key tables.

#include "core/device/Report.h"
#include "core/storage/IniStore.h"

#include <QStringList>
#include <QVector>
#include <array>

namespace orvanta {

constexpr int kKeySlots = 108;       // type, file and once blocks each hold 108 entries
constexpr quint8 kMacroKeyCode = 0xB4; // what a macro key sends in the key map

enum class RepeatMode { Once = 0, MultipleTimes = 1, PressAndHold = 2, UntilPressedNextTime = 3 };

// Bytes 8 and 9 of a macro report.
std::array<quint8, 2> repeatBytes(RepeatMode mode, int count);

struct RepeatSetting {
    RepeatMode mode = RepeatMode::Once;
    int count = 1; // Multiple Times only
};
// A macro key's repeat as stored: from bytes 8 and 9 of its report when it has
// one (`report` null otherwise), else from its once entry (which does not
// record When Perss & Hold).
RepeatSetting storedRepeat(const Report *report, const QString &once);

// The macro report for a key: the macro's command image with its header.
Report buildMacroReport(const QString &macroCmdStr, int profile, int keyNumber, RepeatMode mode,
                        int count);

QString commandString(const Report &report);

// 1-based position of keyNumber among the first `count` comma-joined entry numbers;
// count + 1 when absent (count itself when that would overflow).
int entryOfKey(const QString &numbers, int count, int keyNumber);

// The "macro_file" map (type, file, once) from the 324-entry key table.
IniGroupMap makeMacroSystemMap(const QStringList &keyTable);
// The "singal" map: the key map as 256 numbers, then the type and file blocks.
IniGroupMap makeSignalMap(const std::array<quint8, 256> &keyMap, const QStringList &keyTable);
// The "singal" map holding one macro report under "cmd".
IniGroupMap makeMacroCmdMap(const Report &report);

// Loads the three blocks from macro_file.ini texts (type, file, once), bounded.
void loadMacroSystem(QStringList &keyTable, const QStringList &texts);
// Loads the key map and the stored types from signal.ini texts (signle, oldkey, newkey).
// An absent or short key map leaves the factory codes in place for missing entries.
void loadSignal(std::array<quint8, 256> &keyMap, QStringList &keyTable, const QStringList &texts);

QVector<Report> parseReports(const QStringList &texts);

} // namespace orvanta
