// The five stored texts of a macro file (count, keys, states, delays, command
// string), one per input line: reading them, and saving what was read.

#include "FuzzSupport.h"

#include "core/macro/MacroCodec.h"
#include "core/macro/MacroFile.h"

using namespace orvanta::macro;

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzz::inputLines(data, size);
    const MacroTexts five{lines.value(0), lines.value(1), lines.value(2), lines.value(3),
                          lines.value(4)};
    const MacroRecord record = parseMacro(five);
    FUZZ_CHECK(record.rows.size() <= kMaxEvents);
    FUZZ_CHECK(record.image == parseCommandString(five.commands));

    // A macro that is opened and saved unchanged must read back the same. The
    // recorder never stores an empty state or delay; a lone row holding one
    // would be saved as an empty list, so such rows are left out of the check.
    bool recordable = true;
    for (const MacroRow &row : record.rows)
        recordable = recordable && !row.state.isEmpty() && !row.delay.isEmpty();
    const MacroRecord again = parseMacro(macroTexts(record.rows, record.image));
    if (recordable)
        FUZZ_CHECK(again.rows == record.rows);
    FUZZ_CHECK(again.image == record.image);

    for (int row = 0; row < record.rows.size(); ++row) {
        const int partner = partnerRow(record.rows, row);
        FUZZ_CHECK(partner >= -1 && partner < record.rows.size() && partner != row);
    }

    // The key line as one label through its stored form.
    const QString label = five.keys;
    const QString stored = encodeLabel(label);
    FUZZ_CHECK(!stored.contains(QLatin1Char(',')));
    if (!label.contains(QStringLiteral("%2C")))
        FUZZ_CHECK(decodeLabel(stored) == label);
    exportBlock(five);
    return 0;
}
