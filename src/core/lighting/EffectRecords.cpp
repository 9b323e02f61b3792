#include "EffectRecords.h"

#include "core/storage/IniFile.h"
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
    if (f.fullFlag)
        return false;
    f.fullFlag = true;
    f.customized = false;
    return true;
}

bool chooseCustomized(EffectFlag &f)
{
    if (f.customized)
        return false;
    f.customized = true;
    f.fullFlag = false;
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
    if (f.staticFlag)
        return false;
    f.staticFlag = true;
    f.pulse = f.spectrum = false;
    f.mode = 0;
    f.modeSpeed = 0;
    return true;
}

bool choosePulse(EffectFlag &f)
{
    if (f.pulse)
        return false;
    f.pulse = true;
    f.staticFlag = f.spectrum = false;
    f.mode = 0;
    f.modeSpeed = speedCode(f.pulseSpeed);
    return true;
}

bool chooseSpectrum(EffectFlag &f)
{
    if (f.spectrum)
        return false;
    f.spectrum = true;
    f.staticFlag = f.pulse = false;
    f.mode = 5;
    f.modeSpeed = speedCode(f.spectrumSpeed);
    return true;
}

bool setStaticSpeed(EffectFlag &f, int position)
{
    if (position < 0 || position >= int(kModeSpeedCodes.size()))
        return false;
    f.modeSpeed = kModeSpeedCodes[position];
    if (f.pulse)
        f.pulseSpeed = position;
    else if (f.spectrum)
        f.spectrumSpeed = position;
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
        {"full", flagText(f.fullFlag)},
        {"customized", flagText(f.customized)},
        {"left", flagText(f.left)},
        {"right", flagText(f.right)},
        {"yes", flagText(f.yes)},
        {"no", flagText(f.no)},
        {"static_flag", flagText(f.staticFlag)},
        {"pulse", flagText(f.pulse)},
        {"spectrum", flagText(f.spectrum)},
        {"speed", QString::number(f.speed)},
        {"speediness", QString::number(f.speediness)},
        {"mode", QString::number(f.mode)},
        {"mode_speed", QString::number(f.modeSpeed)},
        {"combo_count", QString::number(f.comboCount)},
        {"pulse_speed", QString::number(f.pulseSpeed)},
        {"spectrum_speed", QString::number(f.spectrumSpeed)},
    };
}

const QStringList &effectFlagKeys()
{
    static const QStringList k{"full",       "customized",  "left",        "right",
                               "yes",        "no",          "static_flag", "pulse",
                               "spectrum",   "speed",       "speediness",  "mode",
                               "mode_speed", "combo_count", "pulse_speed", "spectrum_speed"};
    return k;
}

EffectFlag effectFlagFromTexts(const QStringList &texts)
{
    const QStringList &keys = effectFlagKeys();
    QMap<QString, QString> byKey;
    for (int i = 0; i < keys.size(); ++i)
        byKey.insert(keys[i], i < texts.size() ? texts[i] : QString());
    auto on = [&](const char *key) { return byKey.value(key) == QLatin1String("1"); };
    auto number = [&](const char *key, int fallback) {
        return toNumber(byKey.value(key), fallback);
    };

    EffectFlag f;
    f.fullFlag = on("full");
    f.customized = on("customized");
    f.left = on("left");
    f.right = on("right");
    f.yes = on("yes");
    f.no = on("no");
    f.staticFlag = on("static_flag");
    f.pulse = on("pulse");
    f.spectrum = on("spectrum");
    f.speed = number("speed", f.speed);
    f.speediness = number("speediness", f.speediness);
    f.mode = number("mode", f.mode);
    f.modeSpeed = number("mode_speed", f.modeSpeed);
    f.comboCount = qMax(0, number("combo_count", f.comboCount));
    f.pulseSpeed = number("pulse_speed", f.pulseSpeed);
    f.spectrumSpeed = number("spectrum_speed", f.spectrumSpeed);

    // Values the sliders cannot show would reach the keyboard as nonsense codes.
    const EffectFlag defaults;
    if (f.pulseSpeed < 0 || f.pulseSpeed > 2)
        f.pulseSpeed = defaults.pulseSpeed;
    if (f.spectrumSpeed < 0 || f.spectrumSpeed > 2)
        f.spectrumSpeed = defaults.spectrumSpeed;
    if (speedinessPosition(f.speediness) == 3 && f.speediness != 3)
        f.speediness = defaults.speediness;
    return f;
}

namespace
{
const QString kEffectFlagsPath = QStringLiteral("./system/light_flag.ini");
const char *const kEffectGroups[kEffectCount] = {"fully", "reactive", "arrow", "wave", "ripple"};
} // namespace

EffectRecords readEffectRecords()
{
    const IniFile s = IniFile::load(kEffectFlagsPath);
    EffectRecords records;
    for (int e = 0; e < kEffectCount; ++e) {
        QStringList texts;
        for (const QString &k : effectFlagKeys())
            texts << s.text(QLatin1String(kEffectGroups[e]) + QLatin1Char('/') + k);
        records[e] = effectFlagFromTexts(texts);
    }
    return records;
}

SaveResult writeEffectRecords(const EffectRecords &records)
{
    IniFile s = IniFile::load(kEffectFlagsPath);
    for (int e = 0; e < kEffectCount; ++e) {
        const QMap<QString, QString> texts = effectFlagTexts(records[e]);
        for (const QString &k : effectFlagKeys())
            s.setValue(QLatin1String(kEffectGroups[e]) + QLatin1Char('/') + k, texts.value(k));
    }
    return s.save(kEffectFlagsPath);
}

} // namespace orvanta
