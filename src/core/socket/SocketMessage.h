#pragma once
// Messages that other programs send to the console's control socket.
//
// There is no framing: whatever arrives in one read is one message, a text that
// ends at its first zero byte. Texts starting with "07" are the short form
// (fixed character positions); everything else is Base64 of a JSON object.

#include <QByteArray>
#include <QVariant>
#include <QVariantMap>
#include <QtGlobal>
#include <optional>

namespace orvanta
{

// The console reads each arrival into a buffer of this size, one byte of which
// is kept for the terminating zero: at most kSocketMessageLimit bytes count.
constexpr int kSocketBufferSize = 8192;
constexpr int kSocketMessageLimit = kSocketBufferSize - 1;

// The only command group the console acts upon.
constexpr int kSocketCommandGroup = 7;

// "A".."F" give 10..15; every other character its code minus that of "0"
// (so lower-case digits give large values, used as they come).
int hexDigitValue(quint8 c);

// A command value as an int: ints, whole numbers within int range and numeric
// texts convert; fractions, booleans and other values do not.
std::optional<int> commandInt(const QVariant &value);

// Turns the bytes of one arrival into a command map ("command", "Data",
// "Color_r", "Color_g", "Color_b", "app_cmd", ...). Reads only the bytes given,
// at most kSocketMessageLimit of them. Returns nothing for text that is neither
// a complete short form nor a JSON object.
std::optional<QVariantMap> parseSocketMessage(const QByteArray &received);

} // namespace orvanta
