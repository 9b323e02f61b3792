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

    // Status requests at the start of an arrival: taken whole, the rest left as it came.
    QByteArray rest(received.constData(), received.size()), unfinished;
    const int requests = SocketHelper::takeStatusRequests(rest, unfinished);
    FUZZ_CHECK(received.endsWith(unfinished + rest) && (unfinished.isEmpty() || rest.isEmpty()));
    FUZZ_CHECK(received.size() - rest.size() - unfinished.size() >=
               requests * SocketHelper::statusRequest().size());
    FUZZ_CHECK(requests > 0 || !unfinished.isEmpty() || rest == received);

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

    if (received.startsWith("07"))
        FUZZ_CHECK(map->value(QStringLiteral("command")) == QVariant(kSocketCommandGroup));

    const SocketAction action = socketActionFor(*map);
    if (action.kind == SocketAction::SwitchProfile)
        FUZZ_CHECK(action.profile >= 1 && action.profile <= 5);
    if (action.kind == SocketAction::PaintColour) {
        fuzz::CheckingDevice keyboard;
        const quint8 profile = quint8(1 + size % 5);
        keyboard.expectedProfile = profile;
        keyboard.send(staticColourOperation(action.red, action.green, action.blue, profile));
        FUZZ_CHECK(keyboard.reports > 0);
    }
    return 0;
}
