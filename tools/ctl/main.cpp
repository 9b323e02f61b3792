// orvanta-ctl: sends one command to a running console and leaves.

#include "CtlCommand.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>
#include <cstdio>

namespace
{

const QByteArray kGreetingStart = "VoDezivuv!";

int complain(const QString &message, int code)
{
    std::fprintf(stderr, "orvanta-ctl: %s\n", qUtf8Printable(message));
    return code;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const ctl::Invocation inv = ctl::parseArguments(app.arguments().mid(1));
    if (inv.help) {
        std::fputs(qUtf8Printable(ctl::usageText()), stdout);
        return ctl::ExitOk;
    }
    if (!inv.error.isEmpty()) {
        complain(inv.error, ctl::ExitUsage);
        std::fputs("Try 'orvanta-ctl --help'.\n", stderr);
        return ctl::ExitUsage;
    }

    const QString where = QStringLiteral("%1 port %2").arg(inv.host).arg(inv.port);
    QTcpSocket socket;
    socket.connectToHost(inv.host, inv.port);
    if (!socket.waitForConnected(ctl::kTimeoutMs))
        return complain(
            QStringLiteral("no console is listening on %1 (%2)").arg(where, socket.errorString()),
            ctl::ExitNoConsole);

    // The console greets first; waiting for it proves that a console, not some
    // other service on that port, takes the message.
    QByteArray greeting;
    const QDeadlineTimer deadline(ctl::kTimeoutMs);
    while (!greeting.contains('&') && !deadline.hasExpired()) {
        if (socket.bytesAvailable() == 0 && !socket.waitForReadyRead(int(deadline.remainingTime())))
            break;
        greeting += socket.readAll();
    }
    if (!greeting.startsWith(kGreetingStart) || !greeting.contains('&'))
        return complain(QStringLiteral("%1 did not greet as an ORVANTA console").arg(where),
                        ctl::ExitNoConsole);
    if (inv.verbose)
        std::printf("%s\n", greeting.left(greeting.indexOf('&') + 1).constData());

    // The console's state first: a command for a console without a keyboard
    // would go nowhere. A console too old to answer gets the command anyway.
    socket.write(ctl::kStatusRequest);
    QByteArray reply;
    const QDeadlineTimer replyDeadline(ctl::kTimeoutMs);
    while (!reply.contains('\n') && !replyDeadline.hasExpired()) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(int(replyDeadline.remainingTime())))
            break;
        reply += socket.readAll();
    }
    const QStringList status = ctl::statusLines(reply.left(reply.indexOf('\n') + 1));
    if (inv.status) {
        if (status.isEmpty())
            return complain(QStringLiteral("%1 did not answer the status request").arg(where),
                            ctl::ExitNoConsole);
        for (const QString &line : status)
            std::printf("%s\n", qUtf8Printable(line));
        return ctl::ExitOk;
    }
    if (!status.isEmpty() && status.first() == QLatin1String("keyboard: absent"))
        return complain(QStringLiteral("the console on %1 has no keyboard connected; "
                                       "nothing was sent")
                            .arg(where),
                        ctl::ExitNoKeyboard);

    // One write: the console treats each arrival as one whole message.
    socket.write(inv.message);
    if (!socket.waitForBytesWritten(ctl::kTimeoutMs))
        return complain(
            QStringLiteral("could not send to %1 (%2)").arg(where, socket.errorString()),
            ctl::ExitNoConsole);
    // A profile switch or a colour waits for the keyboard; the pulse is a series.
    const bool reachesKeyboard = inv.message.startsWith("07") && inv.message.size() > 2 &&
                                 inv.message.at(2) >= '1' && inv.message.at(2) <= '6';
    if (status.isEmpty() || !reachesKeyboard) {
        // A console too old to answer, or nothing the keyboard must confirm.
        socket.disconnectFromHost();
        if (socket.state() != QAbstractSocket::UnconnectedState)
            socket.waitForDisconnected(ctl::kTimeoutMs);
        return ctl::ExitOk;
    }
    // The console answers a status request after the outcome of the command
    // before it, and a command it did not carry out with the reason.
    socket.write(ctl::kStatusRequest + '\n');
    QByteArray lines;
    const QDeadlineTimer outcomeDeadline(ctl::kOutcomeTimeoutMs);
    for (;;) {
        const int end = lines.indexOf('\n');
        if (end >= 0) {
            const QByteArray line = lines.left(end + 1);
            lines.remove(0, end + 1);
            const QString failure = ctl::failureOf(line);
            if (!failure.isEmpty())
                return complain(
                    QStringLiteral("the console did not carry out the command: %1").arg(failure),
                    ctl::ExitNotDone);
            if (!ctl::statusLines(line).isEmpty())
                return ctl::ExitOk;
            continue;
        }
        if (outcomeDeadline.hasExpired() ||
            (socket.bytesAvailable() == 0 &&
             !socket.waitForReadyRead(int(outcomeDeadline.remainingTime()))))
            return complain(QStringLiteral("%1 did not confirm the command; it may not have "
                                           "reached the keyboard")
                                .arg(where),
                            ctl::ExitNotDone);
        lines += socket.readAll();
    }
}
