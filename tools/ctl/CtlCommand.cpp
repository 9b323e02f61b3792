#include "CtlCommand.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace ctl
{

namespace
{

bool isDecimal(const QString &text)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(text).hasMatch();
}

QByteArray commandMessage(const QString &command, const QString &argument, QString &error)
{
    if (command == QLatin1String("profile")) {
        if (argument.size() != 1 || argument < QLatin1String("1") ||
            argument > QLatin1String("5")) {
            error = QStringLiteral("profile must be a number from 1 to 5, not '%1'").arg(argument);
            return {};
        }
        return "07" + argument.toLatin1();
    }
    if (command == QLatin1String("color")) {
        QString rgb = argument;
        if (rgb.startsWith(QLatin1Char('#')))
            rgb.remove(0, 1);
        static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
        if (!hex.match(rgb).hasMatch()) {
            error = QStringLiteral("color must be six hexadecimal digits RRGGBB, not '%1'")
                        .arg(argument);
            return {};
        }
        // The console reads the pairs at fixed positions and only upper-case digits.
        const QByteArray up = rgb.toUpper().toLatin1();
        return "076#" + up.mid(0, 2) + '#' + up.mid(2, 2) + '#' + up.mid(4, 2);
    }
    if (command == QLatin1String("pulse")) {
        if (argument.size() != 1 || argument.at(0) < QLatin1Char('0') ||
            argument.at(0) > QLatin1Char('9')) {
            error =
                QStringLiteral("pulse value must be a digit from 0 to 9, not '%1'").arg(argument);
            return {};
        }
        return "077" + argument.toLatin1();
    }
    if (command == QLatin1String("send")) {
        const QByteArray text = argument.toUtf8();
        if (text.isEmpty()) {
            error = QStringLiteral("send needs a non-empty TEXT");
            return {};
        }
        if (text.size() > kMessageLimit) {
            error = QStringLiteral("TEXT is too long: %1 bytes, the console reads at most %2")
                        .arg(text.size())
                        .arg(kMessageLimit);
            return {};
        }
        return text;
    }
    error = QStringLiteral("unknown command '%1'").arg(command);
    return {};
}

bool takesArgument(const QString &command)
{
    return command == QLatin1String("profile") || command == QLatin1String("color") ||
           command == QLatin1String("pulse") || command == QLatin1String("send");
}

} // namespace

Invocation parseArguments(const QStringList &arguments)
{
    Invocation inv;
    QStringList positional;
    bool optionsEnded = false;
    auto fail = [&inv](const QString &message) {
        inv.error = message;
        return inv;
    };

    for (int i = 0; i < arguments.size(); ++i) {
        const QString arg = arguments.at(i);
        // The argument of "send" is taken as it is, even when it looks like an option.
        const bool wantsValue = positional.size() == 1 && takesArgument(positional.first());
        if (optionsEnded || wantsValue || !arg.startsWith(QLatin1Char('-')) || arg == "-") {
            positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--")) {
            optionsEnded = true;
        } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
            inv.help = true;
        } else if (arg == QLatin1String("-v") || arg == QLatin1String("--verbose")) {
            inv.verbose = true;
        } else if (arg == QLatin1String("--host") || arg.startsWith(QLatin1String("--host="))) {
            QString value;
            if (arg.contains(QLatin1Char('=')))
                value = arg.section(QLatin1Char('='), 1);
            else if (i + 1 < arguments.size())
                value = arguments.at(++i);
            if (value.isEmpty())
                return fail(QStringLiteral("--host needs a host name or address"));
            inv.host = value;
        } else if (arg == QLatin1String("--port") || arg.startsWith(QLatin1String("--port="))) {
            QString value;
            if (arg.contains(QLatin1Char('=')))
                value = arg.section(QLatin1Char('='), 1);
            else if (i + 1 < arguments.size())
                value = arguments.at(++i);
            const uint port = value.toUInt();
            if (!isDecimal(value) || value.size() > 5 || port < 1 || port > 65535)
                return fail(
                    QStringLiteral("--port needs a number from 1 to 65535, not '%1'").arg(value));
            inv.port = quint16(port);
        } else {
            return fail(QStringLiteral("unknown option '%1'").arg(arg));
        }
    }
    if (inv.help)
        return inv;
    if (positional.isEmpty())
        return fail(QStringLiteral("no command given"));
    const QString command = positional.first();
    const int expected = takesArgument(command) ? 2 : 1;
    const bool bare = command == QLatin1String("stop") || command == QLatin1String("status");
    if (!bare && !takesArgument(command))
        return fail(QStringLiteral("unknown command '%1'").arg(command));
    if (positional.size() < expected)
        return fail(QStringLiteral("%1 needs an argument").arg(command));
    if (positional.size() > expected)
        return fail(QStringLiteral("unexpected argument '%1'").arg(positional.at(expected)));
    if (command == QLatin1String("stop")) {
        inv.message = "078";
        return inv;
    }
    if (command == QLatin1String("status")) {
        inv.status = true;
        inv.message = kStatusRequest;
        return inv;
    }
    QString error;
    inv.message = commandMessage(command, positional.at(1), error);
    if (!error.isEmpty())
        return fail(error);
    return inv;
}

QString usageText()
{
    return QStringLiteral(
        "Usage: orvanta-ctl [--host H] [--port N] [-v] COMMAND\n"
        "\n"
        "Drives a running ORVANTA RGB console through its control socket.\n"
        "\n"
        "Commands:\n"
        "  profile N      switch the keyboard to on-board profile N (1 to 5)\n"
        "  color RRGGBB   paint the whole keyboard in one colour, six hexadecimal\n"
        "                 digits (for example FF8000); the profile's own lighting\n"
        "                 comes back the next time the profile is activated\n"
        "  pulse V        start the light pulse with value V (0 to 9), or change\n"
        "                 the value of a running pulse\n"
        "  stop           stop the light pulse\n"
        "  status         print the console's state, one item per line:\n"
        "                 keyboard (connected, absent or virtual), profile,\n"
        "                 profile name and queued operations\n"
        "  send TEXT      send TEXT unchanged as one message\n"
        "\n"
        "Options:\n"
        "  --host H       the console's host (default 127.0.0.1)\n"
        "  --port N       the console's port (default 5490)\n"
        "  -v, --verbose  print the console's greeting\n"
        "  -h, --help     print this text\n"
        "\n"
        "Exit status: 0 when the command was carried out (send: when the message\n"
        "was sent), 1 for a bad command line, 2 when no console answered within\n"
        "3 seconds, 3 when the console has no keyboard (nothing is sent then),\n"
        "4 when the console did not carry out the command (the reason is printed).\n");
}

QString failureOf(const QByteArray &line)
{
    const QJsonDocument doc = QJsonDocument::fromJson(line.trimmed());
    return doc.isObject() ? doc.object().value(QStringLiteral("failed")).toString() : QString();
}

QStringList statusLines(const QByteArray &reply)
{
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(reply.trimmed(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return {};
    const QJsonObject o = doc.object();
    return {
        QStringLiteral("keyboard: ") + o.value(QStringLiteral("keyboard")).toString(),
        QStringLiteral("profile: ") + QString::number(o.value(QStringLiteral("profile")).toInt()),
        QStringLiteral("profile name: ") + o.value(QStringLiteral("profileName")).toString(),
        QStringLiteral("queued: ") + QString::number(o.value(QStringLiteral("queued")).toInt())};
}

} // namespace ctl
