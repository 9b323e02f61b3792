#include "KeyAssignment.h"

#include "core/keys/DefaultKeyMap.h"
#include "core/macro/MacroFile.h"
#include "core/storage/StoredList.h"

#include <limits>

namespace orvanta
{

std::array<quint8, 2> repeatBytes(RepeatMode mode, int count)
{
    switch (mode) {
    case RepeatMode::Once:
        return {0x00, 0x01};
    case RepeatMode::MultipleTimes:
        return {0x00, quint8(qBound(1, count, 50))};
    case RepeatMode::PressAndHold:
        return {0xFF, 0xFF};
    case RepeatMode::UntilPressedNextTime:
        return {0x00, 0x00};
    }
    return {0x00, 0x01};
}

RepeatSetting storedRepeat(const Report *report, const QString &once)
{
    int count = 1;
    if (report) {
        const quint8 high = (*report)[8], low = (*report)[9];
        if (high == 0xFF)
            return {RepeatMode::PressAndHold, 1};
        count = low;
    } else {
        bool ok = false;
        count = once.trimmed().toInt(&ok);
        if (!ok)
            count = 1; // an empty entry is the default, Once
    }
    if (count == 0)
        return {RepeatMode::UntilPressedNextTime, 1};
    if (count == 1)
        return {RepeatMode::Once, 1};
    return {RepeatMode::MultipleTimes, qBound(1, count, 50)};
}

Report buildMacroReport(const QString &macroCmdStr, int profile, int keyNumber, RepeatMode mode,
                        int count)
{
    Report r = macro::parseCommandString(macroCmdStr);
    r[0] = kReportId;
    r[1] = CMD_MACRO;
    r[2] = quint8(profile);
    r[3] = quint8(keyNumber);
    r[4] = 0x01;
    const auto repeat = repeatBytes(mode, count);
    r[8] = repeat[0];
    r[9] = repeat[1];
    return r;
}

QString commandString(const Report &report)
{
    return joinNumbers(report);
}

int entryOfKey(const QString &numbers, int count, int keyNumber)
{
    // Only the numbers present can match: a count from a damaged macro.ini (any
    // int) costs no more than the list itself, and never allocates per entry.
    const QStringList items = splitList(numbers);
    const int present = qMin(qMax(count, 0), int(items.size()));
    for (int i = 0; i < present; ++i)
        if (toNumber(items[i], -1) == keyNumber)
            return i + 1;
    // The next entry; a count at the top of the range has no next one to wrap to.
    return count < std::numeric_limits<int>::max() ? count + 1 : count;
}

QVector<Report> parseReports(const QStringList &texts)
{
    QVector<Report> out;
    out.reserve(texts.size());
    for (const QString &t : texts)
        out.append(macro::parseCommandString(t));
    return out;
}

} // namespace orvanta
