#include "SocketMessage.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

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

// Qt's JSON parser keeps the last of repeated member names but never frees an
// earlier array or object value it drops. A peer could repeat a member in every
// message and make the console grow, so such earlier values are replaced by null
// before parsing: the parsed object is the same. Where the text stops scanning as
// JSON the parser refuses it, but only after it has dropped (and lost) the values
// before that point, so those are replaced all the same.
QByteArray withoutDroppedContainers(const QByteArray &json)
{
    struct Member {
        int start = 0;
        int end = 0;
        bool container = false;
    };
    struct Level {
        bool object = false;
        int start = 0;
        bool expectName = false;
        QString name;
        QHash<QString, Member> members;
    };
    std::vector<Level> levels;
    std::vector<std::pair<int, int>> dropped;
    const int n = json.size();
    int i = 0;
    const auto skipSpace = [&] {
        while (i < n && (json[i] == ' ' || json[i] == '\t' || json[i] == '\n' || json[i] == '\r'))
            ++i;
    };
    const auto skipString = [&] { // from the opening quote to past the closing one
        for (++i; i < n; ++i) {
            if (json[i] == '\\')
                ++i;
            else if (json[i] == '"')
                return ++i, true;
        }
        return false;
    };
    const auto valueEnded = [&](int start, int end, bool container) {
        if (levels.empty() || !levels.back().object)
            return;
        Level &level = levels.back();
        const auto earlier = level.members.constFind(level.name);
        if (earlier != level.members.constEnd() && earlier->container)
            dropped.emplace_back(earlier->start, earlier->end);
        level.members.insert(level.name, {start, end, container});
    };

    do {
        skipSpace();
        if (i >= n)
            break;
        const char c = json[i];
        if (c == '}' || c == ']') {
            if (levels.empty() || levels.back().object != (c == '}'))
                break;
            const int start = levels.back().start;
            levels.pop_back();
            valueEnded(start, ++i, true);
            continue;
        }
        if (c == ',' && !levels.empty()) {
            levels.back().expectName = levels.back().object;
            ++i;
            continue;
        }
        if (!levels.empty() && levels.back().expectName) {
            const int start = i;
            if (c != '"' || !skipString())
                break;
            const QJsonArray name =
                QJsonDocument::fromJson('[' + json.mid(start, i - start) + ']').array();
            skipSpace();
            if (name.size() != 1 || i >= n || json[i] != ':')
                break;
            ++i;
            levels.back().name = name.first().toString();
            levels.back().expectName = false;
            continue;
        }
        const int start = i;
        if (c == '{' || c == '[') {
            levels.push_back({c == '{', i, c == '{', {}, {}});
            ++i;
        } else if (c == '"') {
            if (!skipString())
                break;
            valueEnded(start, i, false);
        } else {
            // A number or a literal; a stray byte is stepped over (the parser refuses it).
            do
                ++i;
            while (i < n && json[i] != '\0' && !std::strchr(",]} \t\n\r", json[i]));
            valueEnded(start, i, false);
        }
    } while (!levels.empty());

    if (dropped.empty())
        return json;
    std::sort(dropped.begin(), dropped.end());
    QByteArray result;
    int copied = 0;
    for (const auto &[start, end] : dropped) {
        if (start < copied)
            continue; // inside a value already dropped
        result += json.mid(copied, start - copied) + "null";
        copied = end;
    }
    return result + json.mid(copied);
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
    const QJsonDocument doc = QJsonDocument::fromJson(withoutDroppedContainers(json), &error);
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
