// Arbitrary bytes arriving on the control socket: the message parser, the action
// the main window would take, the colour reports of a paint command, and the
// status requests taken from the start of an arrival.

#include "FuzzSupport.h"

#include "core/socket/SocketCommand.h"
#include "core/socket/SocketHelper.h"
#include "core/socket/SocketMessage.h"

ORVANTA_FUZZ_INITIALISE(false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Not copied: a read past the arrival's last byte lands outside the buffer.
    const QByteArray received =
        QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));

    // Status requests taken from the start of an arrival.
    QByteArray rest(received.constData(), received.size()), unfinished;
    SocketHelper::takeStatusRequests(rest, unfinished);

    const std::optional<QVariantMap> map = parseSocketMessage(received);

    // The message ends at its first zero byte and at the buffer's limit.
    const int zero = received.indexOf('\0');
    if (zero >= 0 || received.size() > kSocketMessageLimit) {
        const int end = zero >= 0 ? qMin(zero, kSocketMessageLimit) : kSocketMessageLimit;
        const QByteArray clipped = QByteArray(received.constData(), end);
        FUZZ_CHECK(parseSocketMessage(clipped) == map);
    }
    if (!map)
        return 0;

    const SocketAction action = socketActionFor(*map);
    if (action.kind == SocketAction::PaintColour) {
        const quint8 profile = quint8(1 + size % 5);
        fuzz::checkFraming(staticColourOperation(action.red, action.green, action.blue, profile),
                           profile);
    }
    return 0;
}
