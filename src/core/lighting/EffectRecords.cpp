#include "EffectRecords.h"

#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

namespace orvanta
{

namespace
{

QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

int speedCode(int position)
{
    return position >= 0 && position < int(kModeSpeedCodes.size()) ? kModeSpeedCodes[position]
                                                                   : kModeSpeedCodes[0];
}

} // namespace

int speedinessPosition(int speediness)
{
    for (int i = 0; i < int(kSpeedinessCodes.size()); ++i)
        if (kSpeedinessCodes[i] == speediness)
            return i;
    return int(kSpeedinessCodes.size()) - 1;
}

bool chooseFull(EffectFlag &f)
{
    if (f.full_flag)
        return false;
    f.full_flag = true;
    f.customized = false;
    return true;
}

bool chooseCustomized(EffectFlag &f)
{
    if (f.customized)
        return false;
    f.customized = true;
    f.full_flag = false;
    return true;
}

bool pressLeft(EffectFlag &f, int effect)
{
    if (effect == EffectArrowFlow) {
        // Arrow Flow may run both ways, but never neither.
        if (!f.right)
            return false;
        f.left = !f.left;
        return true;
    }
    if (f.left)
        return false;
    f.left = true;
    f.right = false;
    return true;
}

bool pressRight(EffectFlag &f, int effect)
{
    if (effect == EffectArrowFlow) {
        if (!f.left)
            return false;
        f.right = !f.right;
        return true;
    }
    if (f.right)
        return false;
    f.right = true;
    f.left = false;
    return true;
}

bool chooseYes(EffectFlag &f)
{
    if (f.yes)
        return false;
    f.yes = true;
    f.no = false;
    return true;
}

bool chooseNo(EffectFlag &f)
{
    if (f.no)
        return false;
    f.no = true;
    f.yes = false;
    return true;
}

bool chooseStatic(EffectFlag &f)
{
    if (f.static_flag)
        return false;
    f.static_flag = true;
    f.pulse = f.spectrum = false;
    f.mode = 0;
    f.mode_speed = 0;
    return true;
}

bool choosePulse(EffectFlag &f)
{
    if (f.pulse)
        return false;
    f.pulse = true;
    f.static_flag = f.spectrum = false;
    f.mode = 0;
    f.mode_speed = speedCode(f.pulse_speed);
    return true;
}

bool chooseSpectrum(EffectFlag &f)
{
    if (f.spectrum)
        return false;
    f.spectrum = true;
    f.static_flag = f.pulse = false;
    f.mode = 5;
    f.mode_speed = speedCode(f.spectrum_speed);
    return true;
}

bool setStaticSpeed(EffectFlag &f, int position)
{
    if (position < 0 || position >= int(kModeSpeedCodes.size()))
        return false;
    f.mode_speed = kModeSpeedCodes[position];
    if (f.pulse)
        f.pulse_speed = position;
    else if (f.spectrum)
        f.spectrum_speed = position;
    return true;
}

bool setWaveSpeed(EffectFlag &f, int position)
{
    if (position < 0 || position >= int(kSpeedinessCodes.size()))
        return false;
    f.speediness = kSpeedinessCodes[position];
    return true;
}

QMap<QString, QString> effectFlagTexts(const EffectFlag &f)
{
    return {
        {"full", flagText(f.full_flag)},
        {"customized", flagText(f.customized)},
        {"left", flagText(f.left)},
        {"right", flagText(f.right)},
        {"yes", flagText(f.yes)},
        {"no", flagText(f.no)},
        {"static_flag", flagText(f.static_flag)},
        {"pulse", flagText(f.pulse)},
        {"spectrum", flagText(f.spectrum)},
        {"speed", QString::number(f.speed)},
        {"speediness", QString::number(f.speediness)},
        {"mode", QString::number(f.mode)},
        {"mode_speed", QString::number(f.mode_speed)},
        {"combo_count", QString::number(f.combo_count)},
        {"pulse_speed", QString::number(f.pulse_speed)},
        {"spectrum_speed", QString::number(f.spectrum_speed)},
    };
}

EffectFlag effectFlagFromTexts(const QStringList &texts)
{
    const QStringList &keys = IniStore::effectKeys();
    QMap<QString, QString> byKey;
    for (int i = 0; i < keys.size(); ++i)
        byKey.insert(keys[i], i < texts.size() ? texts[i] : QString());
    auto on = [&](const char *key) { return byKey.value(key) == QLatin1String("1"); };
    auto number = [&](const char *key, int fallback) {
        return toNumber(byKey.value(key), fallback);
    };

    EffectFlag f;
    f.full_flag = on("full");
    f.customized = on("customized");
    f.left = on("left");
    f.right = on("right");
    f.yes = on("yes");
    f.no = on("no");
    f.static_flag = on("static_flag");
    f.pulse = on("pulse");
    f.spectrum = on("spectrum");
    f.speed = number("speed", f.speed);
    f.speediness = number("speediness", f.speediness);
    f.mode = number("mode", f.mode);
    f.mode_speed = number("mode_speed", f.mode_speed);
    f.combo_count = qMax(0, number("combo_count", f.combo_count));
    f.pulse_speed = number("pulse_speed", f.pulse_speed);
    f.spectrum_speed = number("spectrum_speed", f.spectrum_speed);

    // Values the sliders cannot show would reach the keyboard as nonsense codes.
    const EffectFlag defaults;
    if (f.pulse_speed < 0 || f.pulse_speed > 2)
        f.pulse_speed = defaults.pulse_speed;
    if (f.spectrum_speed < 0 || f.spectrum_speed > 2)
        f.spectrum_speed = defaults.spectrum_speed;
    if (speedinessPosition(f.speediness) == 3 && f.speediness != 3)
        f.speediness = defaults.speediness;
    return f;
}

EffectRecords readEffectRecords()
{
    const QStringList texts = IniStore::readini_light_pattern_file();
    const int perGroup = IniStore::effectKeys().size();
    EffectRecords records;
    for (int e = 0; e < kEffectCount; ++e)
        records[e] = effectFlagFromTexts(texts.mid(e * perGroup, perGroup));
    return records;
}

SaveResult writeEffectRecords(const EffectRecords &records)
{
    IniGroupMap map;
    const QStringList &groups = IniStore::effectGroups();
    for (int e = 0; e < kEffectCount && e < groups.size(); ++e)
        map.insert(groups[e], effectFlagTexts(records[e]));
    return IniStore::writeini_file(map);
}

} // namespace orvanta
