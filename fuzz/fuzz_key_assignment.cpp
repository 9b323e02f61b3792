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

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzz::inputLines(data, size);

    // Lines 0..2: signal.ini; lines 3..5: macro_file.ini; what is loaded is
    // saved and loaded again.
    std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
    AssignmentTable table;
    table.loadSignalFile(keyMap, {lines.value(0), lines.value(1), lines.value(2)});
    table.loadMacroFile({lines.value(3), lines.value(4), lines.value(5)});
    AssignmentTable reloaded;
    reloaded.loadMacroFile(table.macroFileTexts());
    std::array<quint8, 256> mapAgain{};
    reloaded.loadSignalFile(mapAgain, table.signalFileTexts(keyMap));

    // Line 6: macro.ini's entry numbers; line 7: its count; byte 0: a key number.
    const int keyNumber = fuzz::inputByte(data, size, 0);
    entryOfKey(lines.value(6), toNumber(lines.value(7), 0), keyNumber);

    // Every line as a stored macro command string; the first few as macro reports.
    const QVector<Report> reports = parseReports(lines);
    for (int i = 0; i < qMin(int(lines.size()), 8); ++i) {
        macro::parseCommandString(commandString(reports[i]));
        const auto mode = RepeatMode(fuzz::inputByte(data, size, i + 1) % 4);
        const int times = fuzz::inputByte(data, size, i + 2) - 64;
        buildMacroReport(lines[i], 1 + i % 5, keyNumber, mode, times);
    }

    const MacroTexts five{lines.value(8), lines.value(9), lines.value(10), lines.value(11),
                          lines.value(12)};
    const macro::MacroRecord record = macro::parseMacro(five);
    macro::parseMacro(macro::macroTexts(record.rows, record.image));
    for (int row = 0; row < record.rows.size(); ++row)
        macro::partnerRow(record.rows, row);
    macro::decodeLabel(macro::encodeLabel(five.keys));
    macro::exportBlock(five);
    return 0;
}
