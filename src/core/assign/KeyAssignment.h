#pragma once
// Key assignment of the CUSTOMIZE page without widgets: the macro report sent
// for a macro key and its repeat bytes (the per-key lists are AssignmentTable's).

#include "core/device/Report.h"

#include <QStringList>
#include <QVector>
#include <array>

namespace orvanta
{

constexpr int kKeySlots = 108;         // key slots of the stored assignment lists
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

QVector<Report> parseReports(const QStringList &texts);

} // namespace orvanta
