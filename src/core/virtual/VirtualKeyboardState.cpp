#include "VirtualKeyboardState.h"

#include "ReportDecoder.h"
#include "core/device/HidDevice.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/lighting/LightingBuilders.h"
#include "core/storage/RegularFile.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

namespace orvanta
{

namespace
{

// Hands every report straight to the decoder.
class DecodingSink : public HidDevice
{
public:
    explicit DecodingSink(VirtualKeyboardState &state) : m_state(state) {}
    bool sendFeatureReport(const quint8 *data, std::size_t length) override
    {
        applyReport(m_state, data, length);
        return true;
    }

private:
    VirtualKeyboardState &m_state;
};

template <std::size_t N> QString hexOf(const std::array<quint8, N> &bytes)
{
    return QString::fromLatin1(
        QByteArray(reinterpret_cast<const char *>(bytes.data()), int(N)).toHex());
}

template <std::size_t N> bool bytesFrom(const QJsonValue &value, std::array<quint8, N> &out)
{
    const QString text = value.toString();
    if (text.size() != int(2 * N))
        return false;
    const QByteArray raw = QByteArray::fromHex(text.toLatin1());
    if (raw.size() != int(N))
        return false; // a non-hex character shortens the result
    std::copy(raw.begin(), raw.end(), out.begin());
    return true;
}

template <std::size_t N, std::size_t M>
QJsonArray hexList(const std::array<std::array<quint8, N>, M> &planes)
{
    QJsonArray out;
    for (const auto &p : planes)
        out.append(hexOf(p));
    return out;
}

template <std::size_t N, std::size_t M>
bool listFrom(const QJsonValue &value, std::array<std::array<quint8, N>, M> &out)
{
    const QJsonArray a = value.toArray();
    if (a.size() != int(M))
        return false;
    for (std::size_t i = 0; i < M; ++i)
        if (!bytesFrom(a[int(i)], out[i]))
            return false;
    return true;
}

bool intIn(const QJsonValue &v, int lo, int hi, int &out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (d < lo || d > hi || d != double(int(d)))
        return false;
    out = int(d);
    return true;
}

QJsonObject modeToJson(const LightingMode &m)
{
    return {{"effect", m.effect},           {"staticMode", m.staticMode},
            {"staticSpeed", m.staticSpeed}, {"direction", m.direction},
            {"rolling", m.rolling},         {"speediness", m.speediness}};
}

bool modeFromJson(const QJsonObject &o, LightingMode &m)
{
    return intIn(o["effect"], -1, kEffectCount - 1, m.effect) &&
           intIn(o["staticMode"], 0, 255, m.staticMode) &&
           intIn(o["staticSpeed"], 0, 255, m.staticSpeed) &&
           intIn(o["direction"], 0, 255, m.direction) && intIn(o["rolling"], 0, 255, m.rolling) &&
           intIn(o["speediness"], 0, 255, m.speediness);
}

QJsonObject profileToJson(const OnboardProfile &p)
{
    QJsonArray zones, surfaces, macros;
    for (const ZoneTable &t : p.zoneTables)
        zones.append(hexList(t));
    for (const auto &s : p.surfaces)
        surfaces.append(hexList(s));
    for (const auto &m : p.macros)
        macros.append(QJsonObject{{"key", m.first},
                                  {"repeat", hexOf(m.second.repeat)},
                                  {"events", hexOf(m.second.events)}});
    return {{"mode", modeToJson(p.mode)},
            {"staticLeds", hexList(p.staticLeds)},
            {"reactiveLeds", hexList(p.reactiveLeds)},
            {"surfaces", surfaces},
            {"zoneTables", zones},
            {"rippleEnds", hexList(p.rippleEnds)},
            {"keyMap", hexOf(p.keyMap)},
            {"macros", macros}};
}

bool profileFromJson(const QJsonObject &o, OnboardProfile &p)
{
    if (!modeFromJson(o["mode"].toObject(), p.mode) || !listFrom(o["staticLeds"], p.staticLeds) ||
        !listFrom(o["reactiveLeds"], p.reactiveLeds) || !listFrom(o["rippleEnds"], p.rippleEnds) ||
        !bytesFrom(o["keyMap"], p.keyMap))
        return false;
    const QJsonArray zones = o["zoneTables"].toArray();
    const QJsonArray surfaces = o["surfaces"].toArray();
    if (zones.size() != 3 || surfaces.size() != 2)
        return false;
    for (int t = 0; t < 3; ++t)
        if (!listFrom(zones[t], p.zoneTables[size_t(t)]))
            return false;
    for (int s = 0; s < 2; ++s)
        if (!listFrom(surfaces[s], p.surfaces[size_t(s)]))
            return false;
    const QJsonArray macros = o["macros"].toArray();
    if (macros.size() > kMacroKeyPositions)
        return false;
    p.macros.clear();
    for (const QJsonValue &v : macros) {
        const QJsonObject m = v.toObject();
        int key = 0;
        StoredMacro macro;
        if (!intIn(m["key"], 0, kMacroKeyPositions - 1, key) ||
            !bytesFrom(m["repeat"], macro.repeat) || !bytesFrom(m["events"], macro.events))
            return false;
        p.macros[key] = macro;
    }
    return true;
}

} // namespace

VirtualKeyboardState factoryState()
{
    VirtualKeyboardState state;
    DecodingSink sink(state);
    for (int n = 1; n <= kOnboardProfiles; ++n) {
        for (const DeviceStep &step :
             lightingOperation(factoryLightCommandSet(n, 0, 0), quint8(n)).steps)
            sink.sendFeatureReport(step.report.data(), step.report.size());
        state.profile(n).keyMap = DEFAULT_KEY_MAP;
    }
    state.activeProfile = 1;
    state.undecoded.clear();
    return state;
}

QJsonObject toJson(const VirtualKeyboardState &state)
{
    QJsonArray profiles, undecoded;
    for (const OnboardProfile &p : state.profiles)
        profiles.append(profileToJson(p));
    for (const QByteArray &r : state.undecoded)
        undecoded.append(QString::fromLatin1(r.toHex()));
    return {{"format", 1},
            {"activeProfile", state.activeProfile},
            {"profiles", profiles},
            {"undecoded", undecoded}};
}

bool fromJson(const QJsonObject &json, VirtualKeyboardState &out)
{
    VirtualKeyboardState state;
    int format = 0;
    if (!intIn(json["format"], 1, 1, format) ||
        !intIn(json["activeProfile"], 1, kOnboardProfiles, state.activeProfile))
        return false;
    const QJsonArray profiles = json["profiles"].toArray();
    if (profiles.size() != kOnboardProfiles)
        return false;
    for (int i = 0; i < kOnboardProfiles; ++i)
        if (!profileFromJson(profiles[i].toObject(), state.profiles[size_t(i)]))
            return false;
    const QJsonArray undecoded = json["undecoded"].toArray();
    for (int i = qMax(0, undecoded.size() - kMaxUndecoded); i < undecoded.size(); ++i) {
        const QByteArray text = undecoded[i].toString().toLatin1().left(2 * 4096);
        state.undecoded.append(QByteArray::fromHex(text));
    }
    out = std::move(state);
    return true;
}

SaveResult saveState(const VirtualKeyboardState &state, const QString &path)
{
    // A link in its place is replaced, never written through: whatever it points
    // at is not the keyboard's memory.
    if (QFileInfo(path).isSymLink() && !QFile::remove(path))
        return SaveResult(path, QStringLiteral("cannot replace the link %1").arg(path));
    QSaveFile file(path);
    const QByteArray text = QJsonDocument(toJson(state)).toJson(QJsonDocument::Indented);
    bool ok = file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush();
    if (ok)
        ok = file.commit();
    else
        file.cancelWriting();
    if (!ok)
        return SaveResult(path, file.errorString());
    return {};
}

StateLoadResult loadState(const QString &path, VirtualKeyboardState &out)
{
    // A state file is a few hundred kilobytes at most; refuse anything far
    // larger, and anything but a regular file.
    const FileRead file = readRegularFile(path, kStateFileLimit);
    if (!file.ok())
        return {false, file.reason.isEmpty() ? QStringLiteral("cannot be read: %1").arg(path)
                                             : file.reason};
    const QByteArray &text = file.bytes;
    QJsonParseError parse{};
    const QJsonDocument doc = QJsonDocument::fromJson(text, &parse);
    if (parse.error != QJsonParseError::NoError || !doc.isObject() || !fromJson(doc.object(), out))
        return {false, QStringLiteral("not a virtual keyboard state: %1").arg(path)};
    return {true, {}};
}

} // namespace orvanta
