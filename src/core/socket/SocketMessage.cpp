#include "SocketMessage.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>
#include <cmath>
#include <limits>

namespace orvanta
{

namespace
{

// Short-form positions: "07" t, then the value or the colour pairs.
constexpr int kTypePos = 2;
constexpr int kValuePos = 3;
constexpr int kStopPos = 3; // "@@" at 3 and 4 means stop, whatever t is
constexpr int kRedPos = 4;
constexpr int kGreenPos = 7;
constexpr int kBluePos = 10;

constexpr int kDataColour = 6;
constexpr int kDataPulse = 7;
constexpr int kDataStop = 8;

quint8 at(const QByteArray &text, int pos)
{
    return static_cast<quint8>(text.at(pos));
}

int pairValue(const QByteArray &text, int pos)
{
    // Only the low byte reaches the keyboard, whatever the digits were.
    return (16 * hexDigitValue(at(text, pos)) + hexDigitValue(at(text, pos + 1))) & 0xff;
}

std::optional<QVariantMap> parseShortForm(const QByteArray &text)
{
    QVariantMap map;
    map.insert(QStringLiteral("command"), kSocketCommandGroup);
    if (text.size() > kStopPos + 1 && text.at(kStopPos) == '@' && text.at(kStopPos + 1) == '@') {
        map.insert(QStringLiteral("Data"), kDataStop);
        return map;
    }
    if (text.size() <= kTypePos)
        return std::nullopt;
    const int type = int(at(text, kTypePos)) - '0';
    if (type == kDataColour) {
        if (text.size() <= kBluePos + 1)
            return std::nullopt;
        map.insert(QStringLiteral("Data"), kDataColour);
        map.insert(QStringLiteral("Color_r"), pairValue(text, kRedPos));
        map.insert(QStringLiteral("Color_g"), pairValue(text, kGreenPos));
        map.insert(QStringLiteral("Color_b"), pairValue(text, kBluePos));
        return map;
    }
    if (type == kDataPulse) {
        if (text.size() <= kValuePos)
            return std::nullopt;
        map.insert(QStringLiteral("Data"), kDataPulse);
        map.insert(QStringLiteral("app_cmd"), (int(at(text, kValuePos)) - '0') & 0xff);
        return map;
    }
    map.insert(QStringLiteral("Data"), type);
    return map;
}

// Numbers and numeric texts of the known members become ints; anything that
// does not convert is left as it came (and later ignored).
void normalise(QVariantMap &map)
{
    static const char *const keys[] = {"command", "Data",    "Color_r",
                                       "Color_g", "Color_b", "app_cmd"};
    for (const char *key : keys) {
        const auto it = map.find(QLatin1String(key));
        if (it == map.end())
            continue;
        if (const std::optional<int> n = commandInt(it.value()))
            it.value() = *n;
    }
}

std::optional<QVariantMap> parseJsonForm(const QByteArray &text)
{
    QByteArray json = QByteArray::fromBase64(text);
    // The console's clients end their object with "}}"; whatever follows the
    // first one belongs to another message and is dropped.
    const int end = json.indexOf("}}");
    if (end >= 0)
        json.truncate(end + 2);
    else
        json.append("}}");
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    QVariantMap map = doc.object().toVariantMap();
    normalise(map);
    return map;
}

} // namespace

std::optional<int> commandInt(const QVariant &value)
{
    switch (int(value.type())) {
    case QVariant::Int:
        return value.toInt();
    case QVariant::UInt:
    case QVariant::ULongLong: {
        const qulonglong n = value.toULongLong();
        if (n > qulonglong(std::numeric_limits<int>::max()))
            return std::nullopt;
        return int(n);
    }
    case QVariant::LongLong: {
        const qlonglong n = value.toLongLong();
        if (n < std::numeric_limits<int>::min() || n > std::numeric_limits<int>::max())
            return std::nullopt;
        return int(n);
    }
    case QVariant::Double: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::floor(d) ||
            d < double(std::numeric_limits<int>::min()) ||
            d > double(std::numeric_limits<int>::max()))
            return std::nullopt;
        return int(d);
    }
    case QVariant::String:
    case QVariant::ByteArray: {
        bool ok = false;
        const int n = value.toString().trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
        return n;
    }
    default:
        return std::nullopt;
    }
}

int hexDigitValue(quint8 c)
{
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return int(c) - '0';
}

std::optional<QVariantMap> parseSocketMessage(const QByteArray &received)
{
    QByteArray text = received.left(kSocketMessageLimit);
    const int zero = text.indexOf('\0');
    if (zero >= 0)
        text.truncate(zero);
    if (text.startsWith("07"))
        return parseShortForm(text);
    return parseJsonForm(text);
}

} // namespace orvanta
