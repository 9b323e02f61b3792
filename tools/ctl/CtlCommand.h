#pragma once
// Command line of orvanta-ctl and the short messages it sends.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace ctl
{

constexpr quint16 kDefaultPort = 5490;
constexpr int kTimeoutMs = 3000;
// How long a command may wait for the keyboard (behind the user's own
// operations, a factory reset among them) before it counts as not carried out.
constexpr int kOutcomeTimeoutMs = 30000;
// The console considers at most this many bytes of one message.
constexpr int kMessageLimit = 8191;

enum ExitCode { ExitOk = 0, ExitUsage = 1, ExitNoConsole = 2, ExitNoKeyboard = 3, ExitNotDone = 4 };

// Asks the console for its state; answered with one line of JSON.
const QByteArray kStatusRequest = QByteArrayLiteral("?status");

struct Invocation {
    QString host = QStringLiteral("127.0.0.1");
    quint16 port = kDefaultPort;
    bool verbose = false;
    bool help = false;
    bool status = false; // print the console's state instead of sending a command
    QByteArray message;  // what goes to the console
    QString error;       // set when the command line is refused
};

// Parses the arguments after the program name.
Invocation parseArguments(const QStringList &arguments);

QString usageText();

// Why the console did not carry out a command, from its reply line
// {"failed":"<why>"}; empty for any other line.
QString failureOf(const QByteArray &line);

// The console's status reply as "name: value" lines, one item per line, in a
// fixed order; empty when the reply is not a JSON object.
QStringList statusLines(const QByteArray &reply);

} // namespace ctl
