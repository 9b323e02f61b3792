// The stored key-assignment texts, one per input line: signal.ini (key map,
// types, texts), macro_file.ini (type, file, once), macro.ini entry numbers and
// the macro command strings sent for macro keys; lines 8..12 are also the five
// texts of a macro file (count, keys, states, delays, command string), read and
// saved as read.

#include "FuzzSupport.h"

#include "core/assign/AssignmentTable.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"
#include "core/storage/StoredList.h"

#include <limits>

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzz::inputLines(data, size);

    // Lines 0..2: signal.ini; lines 3..5: macro_file.ini.
    std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
    AssignmentTable table;
    table.loadSignalFile(keyMap, {lines.value(0), lines.value(1), lines.value(2)});
    table.loadMacroFile({lines.value(3), lines.value(4), lines.value(5)});

    // What is loaded is saved and loaded again unchanged (a text holding the
    // list separator cannot come back as one entry).
    AssignmentTable reloaded;
    reloaded.loadMacroFile(table.macroFileTexts());
    for (int i = 0; i < kKeySlots; ++i) {
        FUZZ_CHECK(reloaded[i].kind == table[i].kind);
        if (!table[i].target.contains(QLatin1Char(',')))
            FUZZ_CHECK(reloaded[i].target == table[i].target);
        if (!table[i].once.contains(QLatin1Char(',')))
            FUZZ_CHECK(reloaded[i].once == table[i].once);
    }
    std::array<quint8, 256> mapAgain{};
    AssignmentTable().loadSignalFile(mapAgain, {table.signalFileTexts(keyMap).keyMap, {}, {}});
    FUZZ_CHECK(mapAgain == keyMap);

    // Line 6: macro.ini's entry numbers; line 7: its count; byte 0: a key number.
    const int count = toNumber(lines.value(7), 0);
    const int keyNumber = fuzz::inputByte(data, size, 0);
    const int entry = entryOfKey(lines.value(6), count, keyNumber);
    if (count >= 0)
        FUZZ_CHECK(entry >= 1 && entry <= qint64(count) + 1);
    else
        FUZZ_CHECK(entry == count + 1);
    const QStringList numbers = splitList(lines.value(6));
    if (entry <= count && entry <= numbers.size())
        FUZZ_CHECK(toNumber(numbers[entry - 1], -1) == keyNumber); // found where it is
    else if (entry <= count)
        FUZZ_CHECK(count == std::numeric_limits<int>::max()); // no next entry to give

    // Every line as a stored macro command string; the first few as macro reports.
    const QVector<Report> reports = parseReports(lines);
    FUZZ_CHECK(reports.size() == lines.size());
    for (int i = 0; i < qMin(int(lines.size()), 8); ++i) {
        FUZZ_CHECK(macro::parseCommandString(commandString(reports[i])) == reports[i]);
        const int profile = 1 + i % 5;
        const auto mode = RepeatMode(fuzz::inputByte(data, size, i + 1) % 4);
        const int times = fuzz::inputByte(data, size, i + 2) - 64;
        const Report macro = buildMacroReport(lines[i], profile, keyNumber, mode, times);
        FUZZ_CHECK(macro[0] == kReportId && macro[1] == CMD_MACRO && macro[2] == profile);
        FUZZ_CHECK(macro[3] == keyNumber && macro[4] == 1);
        for (std::size_t b = 10; b < kReportSize; ++b)
            FUZZ_CHECK(macro[b] == reports[i][b]);
    }

    const MacroTexts five{lines.value(8), lines.value(9), lines.value(10), lines.value(11),
                          lines.value(12)};
    const macro::MacroRecord record = macro::parseMacro(five);
    FUZZ_CHECK(record.rows.size() <= macro::kMaxEvents);
    FUZZ_CHECK(record.image == macro::parseCommandString(five.commands));
    // A macro opened and saved unchanged reads back the same. The recorder never
    // stores an empty state or delay; a lone row holding one would be saved as
    // an empty list, so such rows are left out of the check.
    bool recordable = true;
    for (const macro::MacroRow &row : record.rows)
        recordable = recordable && !row.state.isEmpty() && !row.delay.isEmpty();
    const macro::MacroRecord again =
        macro::parseMacro(macro::macroTexts(record.rows, record.image));
    FUZZ_CHECK(!recordable || again.rows == record.rows);
    FUZZ_CHECK(again.image == record.image);
    for (int row = 0; row < record.rows.size(); ++row) {
        const int partner = macro::partnerRow(record.rows, row);
        FUZZ_CHECK(partner >= -1 && partner < record.rows.size() && partner != row);
    }
    // The key line as one label through its stored form.
    const QString stored = macro::encodeLabel(five.keys);
    FUZZ_CHECK(!stored.contains(QLatin1Char(',')));
    FUZZ_CHECK(five.keys.contains(QStringLiteral("%2C")) ||
               macro::decodeLabel(stored) == five.keys);
    macro::exportBlock(five);
    return 0;
}
