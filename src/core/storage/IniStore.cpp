#include "IniStore.h"

#include "IniFile.h"
#include "StoredList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <memory>

using namespace orvanta;

namespace
{

// A settings object in INI format with UTF-8 texts, so non-ASCII profile and
// macro names survive whatever the locale. Files over kIniSizeLimit read as empty.

bool oversized(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() > kIniSizeLimit;
}

std::unique_ptr<QSettings> open(const QString &path)
{
    // A path below a file never exists, and a settings object that is only
    // read never writes: the readers see no keys.
    const QString read = oversized(path) ? path + QStringLiteral("/.oversized") : path;
    auto s = std::make_unique<QSettings>(read, QSettings::IniFormat);
    s->setIniCodec("UTF-8");
    return s;
}

// A value as text. A hand-written value with commas but without quotes is read
// by the settings library as a list; it is joined back rather than lost.
QString text(const QSettings &s, const QString &key)
{
    const QVariant v = s.value(key);
    if (v.type() == QVariant::StringList)
        return v.toStringList().join(QLatin1Char(','));
    return v.toString();
}

QString inner(const IniGroupMap &map, const QString &outer, const QString &key)
{
    return map.value(outer).value(key);
}

} // namespace

const QStringList &IniStore::effectGroups()
{
    static const QStringList g{"fully", "reactive", "arrow", "wave", "ripple"};
    return g;
}

const QStringList &IniStore::effectKeys()
{
    static const QStringList k{"full",       "customized",  "left",        "right",
                               "yes",        "no",          "static_flag", "pulse",
                               "spectrum",   "speed",       "speediness",  "mode",
                               "mode_speed", "combo_count", "pulse_speed", "spectrum_speed"};
    return k;
}

const QStringList &IniStore::lightColorKeys(int group)
{
    static const QStringList full{"re_full_color_rgb_r", "re_full_color_rgb_g",
                                  "re_full_color_rgb_b", "re_full_UsbBuf_R",
                                  "re_full_UsbBuf_G",    "re_full_UsbBuf_B"};
    static const QStringList reactive{"re_active_color_rgb_r", "re_active_color_rgb_g",
                                      "re_active_color_rgb_b", "re_active_UsbBuf_R",
                                      "re_active_UsbBuf_G",    "re_active_UsbBuf_B"};
    return group == 0 ? full : reactive;
}

const QStringList &IniStore::macroKeys()
{
    static const QStringList k{"macro_key_count", "macro_key", "macro_key_state",
                               "macro_key_delaytime", "macro_cmd_str"};
    return k;
}

const QStringList &IniStore::patternKeys()
{
    static const QStringList k{"RColor", "GColor", "BColor", "VColor", "YValue"};
    return k;
}

const QStringList &IniStore::signalKeys()
{
    static const QStringList k{"signle", "macro_singal_oldkey", "macro_singal_newkey"};
    return k;
}

QString IniStore::profileDir(const QString &profile)
{
    return QStringLiteral("./lightfile/") + profile;
}

QString IniStore::patternPath(int number, const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/light/pattern") + QString::number(number) +
           QStringLiteral(".ini");
}

QString IniStore::lightCmdPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/cmd/light_cmd.ini");
}

QString IniStore::macroCmdPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/cmd/macro.ini");
}

QString IniStore::macroSystemPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/macro/macro_file.ini");
}

QString IniStore::signalPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/singal/signal.ini");
}

QString IniStore::macroPath(const QString &macro)
{
    return QStringLiteral("./macrofile/") + macro + QStringLiteral(".ini");
}

int IniStore::lightCmdReportCount(int type)
{
    switch (type) {
    case 0:
    case 1:
    case 3:
        return 5;
    case 2:
    case 4:
        return 7;
    default:
        return 0;
    }
}

QString IniStore::emptyCommandString()
{
    QStringList zeros;
    for (int i = 0; i < 264; ++i)
        zeros << QStringLiteral("0");
    return joinList(zeros);
}

// --- system files ----------------------------------------------------------

QString IniStore::readLanguage()
{
    auto s = open(QStringLiteral("./system/language.ini"));
    return text(*s, QStringLiteral("/Setting/language"));
}

SaveResult IniStore::writeLanguage(int index)
{
    const QString path = QStringLiteral("./system/language.ini");
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/language"), QString::number(index));
    return s.save(path);
}

QStringList IniStore::readLightFile()
{
    auto s = open(QStringLiteral("./system/light_flag.ini"));
    QStringList out;
    for (const QString &g : effectGroups())
        for (const QString &k : effectKeys())
            out << text(*s, g + QLatin1Char('/') + k);
    return out;
}

SaveResult IniStore::writeIniFile(const IniGroupMap &map)
{
    const QString path = QStringLiteral("./system/light_flag.ini");
    IniFile s = IniFile::load(path);
    for (const QString &g : effectGroups())
        for (const QString &k : effectKeys())
            s.setValue(g + QLatin1Char('/') + k, inner(map, g, k));
    return s.save(path);
}

QStringList IniStore::readLightColorFile()
{
    auto s = open(QStringLiteral("./system/light_color.ini"));
    QStringList out;
    const QStringList groups{"fully", "reactive"};
    for (int g = 0; g < 2; ++g)
        for (const QString &k : lightColorKeys(g))
            out << text(*s, groups[g] + QLatin1Char('/') + k);
    return out;
}

SaveResult IniStore::writeLightColorFile(const IniGroupMap &map)
{
    const QString path = QStringLiteral("./system/light_color.ini");
    IniFile s = IniFile::load(path);
    const QStringList groups{"fully", "reactive"};
    for (int g = 0; g < 2; ++g)
        for (const QString &k : lightColorKeys(g))
            s.setValue(groups[g] + QLatin1Char('/') + k, inner(map, groups[g], k));
    return s.save(path);
}

QStringList IniStore::readFlagFile()
{
    auto s = open(QStringLiteral("./system/iss_flag.ini"));
    return {text(*s, QStringLiteral("/Setting/shift")), text(*s, QStringLiteral("/Setting/ctrl")),
            text(*s, QStringLiteral("/Setting/alt"))};
}

SaveResult IniStore::writeFlagFile(const IniGroupMap &map)
{
    const QString path = QStringLiteral("./system/iss_flag.ini");
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/shift"), inner(map, "iss", "iss_shift"));
    s.setValue(QStringLiteral("/Setting/ctrl"), inner(map, "iss", "iss_ctrl"));
    s.setValue(QStringLiteral("/Setting/alt"), inner(map, "iss", "iss_alt"));
    return s.save(path);
}

QStringList IniStore::readProfileConnect()
{
    auto s = open(QStringLiteral("./system/profile_connect.ini"));
    QStringList out;
    for (int i = 1; i <= 5; ++i)
        out << text(*s, QStringLiteral("/Setting/") + QString::number(i));
    return out;
}

SaveResult IniStore::writeProfileConnect(const IniGroupMap &map)
{
    const QString path = QStringLiteral("./system/profile_connect.ini");
    IniFile s = IniFile::load(path);
    for (int i = 1; i <= 5; ++i)
        s.setValue(QStringLiteral("/Setting/") + QString::number(i),
                   inner(map, "profile_file", QString::number(i)));
    return s.save(path);
}

// --- pattern files ---------------------------------------------------------

SaveResult IniStore::createPatternFile(int number, const QString &profile)
{
    const QString path = patternPath(number, profile);
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/RColor"), QStringLiteral("255,0,0,0,0,0,0,0,0,0,0"));
    s.setValue(QStringLiteral("/Setting/GColor"), QStringLiteral("0,0,0,0,0,0,0,0,0,0,0"));
    s.setValue(QStringLiteral("/Setting/BColor"), QStringLiteral("0,0,0,0,0,0,0,0,0,0,0"));
    s.setValue(QStringLiteral("/Setting/VColor"), QStringLiteral("255,0,0"));
    s.setValue(QStringLiteral("/Setting/YValue"), QStringLiteral("1,0,0,0,0,0,0,0,0,0,1"));
    return s.save(path);
}

QStringList IniStore::readLightFile(int index, const QString &profile)
{
    auto s = open(patternPath(index + 1, profile));
    QStringList out;
    for (const QString &k : patternKeys())
        out << text(*s, QStringLiteral("/Setting/") + k);
    return out;
}

SaveResult IniStore::writeIniFile(int index, const IniGroupMap &map, const QString &profile)
{
    const QString path = patternPath(index + 1, profile);
    IniFile s = IniFile::load(path);
    for (const QString &k : patternKeys())
        s.setValue(QStringLiteral("/Setting/") + k, inner(map, "pattern", k));
    return s.save(path);
}

// --- light_cmd.ini ---------------------------------------------------------

QStringList IniStore::readLightCmd(const QString &profile)
{
    auto s = open(lightCmdPath(profile));
    const QString type = text(*s, QStringLiteral("/Setting/type"));
    QStringList out{type};
    const int k = lightCmdReportCount(toNumber(type, 0));
    for (int i = 0; i < k; ++i)
        out << text(*s, QStringLiteral("/Setting/") + QString::number(i));
    return out;
}

SaveResult IniStore::writeLightCmd(const IniGroupMap &map, const QString &profile)
{
    bool ok = false;
    const int type = inner(map, "profile_light_cmd", "type").toInt(&ok);
    const int k = ok ? lightCmdReportCount(type) : 0;
    if (k == 0)
        return SaveResult(); // no defined report count: nothing is written
    // The file is replaced whole: no key of an earlier, longer set survives.
    IniFile s;
    s.setValue(QStringLiteral("/Setting/type"), QString::number(type));
    for (int i = 0; i < k; ++i)
        s.setValue(QStringLiteral("/Setting/") + QString::number(i),
                   inner(map, "profile_light_cmd", QString::number(i)));
    return s.save(lightCmdPath(profile));
}

// --- cmd/macro.ini ---------------------------------------------------------

SaveResult IniStore::createMacroCmdFile(const QString &profile)
{
    IniFile s;
    s.setValue(QStringLiteral("/Setting/count"), QStringLiteral("0"));
    s.setValue(QStringLiteral("/Setting/macro_number"), QStringLiteral("0"));
    return s.save(macroCmdPath(profile));
}

int IniStore::readMacroCmdCount(const QString &profile)
{
    auto s = open(macroCmdPath(profile));
    // At most one entry per key slot: a damaged count must not run the entry
    // arithmetic of the callers past the int range.
    return qBound(0, toNumber(text(*s, QStringLiteral("/Setting/count")), 0), 108);
}

QStringList IniStore::readMacroCmdFile(const QString &profile)
{
    auto s = open(macroCmdPath(profile));
    // A count far beyond the keys that exist only yields empty entries; the
    // keyboard has 108 key slots, so no profile holds more entries than that.
    const int count = qBound(0, toNumber(text(*s, QStringLiteral("/Setting/count")), 0), 108);
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << text(*s, QString::number(i) + QStringLiteral("/cmd"));
    return out;
}

QString IniStore::readMacroCmdNumber(const QString &profile)
{
    auto s = open(macroCmdPath(profile));
    const int count = qBound(0, toNumber(text(*s, QStringLiteral("/Setting/count")), 0), 108);
    QStringList out;
    for (int i = 1; i <= count; ++i)
        out << text(*s, QString::number(i) + QStringLiteral("/number"));
    return joinList(out);
}

SaveResult IniStore::writeMacroCmdFile(const IniGroupMap &map, const QString &profile, int number,
                                       int index, int count)
{
    const QString path = macroCmdPath(profile);
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/count"), QString::number(count));
    s.setValue(QStringLiteral("/Setting/macro_number"), QString::number(number));
    s.setValue(QString::number(index) + QStringLiteral("/number"), QString::number(number));
    s.setValue(QString::number(index) + QStringLiteral("/cmd"), inner(map, "singal", "cmd"));
    return s.save(path);
}

SaveResult IniStore::removeMacroCmdEntry(const QString &profile, int index, int count)
{
    // The removal and the renumbering reach the file together, in one save.
    const QString path = macroCmdPath(profile);
    IniFile s = IniFile::load(path);
    s.removeGroup(QString::number(index));
    s.setValue(QStringLiteral("/Setting/count"), QString::number(count));
    for (int j = index + 1; j <= count + 1; ++j) {
        const QString from = QString::number(j);
        const QString to = QString::number(j - 1);
        s.setValue(to + QStringLiteral("/number"), s.text(from + QStringLiteral("/number")));
        s.setValue(to + QStringLiteral("/cmd"), s.text(from + QStringLiteral("/cmd")));
        s.removeGroup(from);
    }
    return s.save(path);
}

// --- macro/macro_file.ini and singal/signal.ini ----------------------------

QStringList IniStore::readMacroAssignFile(const QString &profile)
{
    auto s = open(macroSystemPath(profile));
    return {text(*s, QStringLiteral("/Setting/type")), text(*s, QStringLiteral("/Setting/file")),
            text(*s, QStringLiteral("/Setting/once"))};
}

SaveResult IniStore::writeMacroAssignFile(const IniGroupMap &map, const QString &profile)
{
    const QString path = macroSystemPath(profile);
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/type"), inner(map, "macro_file", "type"));
    s.setValue(QStringLiteral("/Setting/file"), inner(map, "macro_file", "file"));
    s.setValue(QStringLiteral("/Setting/once"), inner(map, "macro_file", "once"));
    return s.save(path);
}

QStringList IniStore::readFlagFile(const QString &profile)
{
    auto s = open(signalPath(profile));
    QStringList out;
    for (const QString &k : signalKeys())
        out << text(*s, QStringLiteral("/Setting/") + k);
    return out;
}

SaveResult IniStore::writeFlagFile(const IniGroupMap &map, const QString &profile)
{
    const QString path = signalPath(profile);
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/signle"), inner(map, "singal", "macro_singal"));
    s.setValue(QStringLiteral("/Setting/macro_singal_oldkey"),
               inner(map, "singal", "macro_singal_oldkey"));
    s.setValue(QStringLiteral("/Setting/macro_singal_newkey"),
               inner(map, "singal", "macro_singal_newkey"));
    return s.save(path);
}

// --- macro files -----------------------------------------------------------

SaveResult IniStore::createMacroFile(int number)
{
    const QString path = macroPath(QStringLiteral("Macro ") + QString::number(number));
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("/Setting/macro_key"), QStringLiteral("0"));
    s.setValue(QStringLiteral("/Setting/macro_key_state"), QStringLiteral("0"));
    s.setValue(QStringLiteral("/Setting/macro_key_delaytime"), QStringLiteral("0"));
    s.setValue(QStringLiteral("/Setting/macro_cmd_str"), emptyCommandString());
    s.setValue(QStringLiteral("/Setting/macro_key_count"), QStringLiteral("0"));
    return s.save(path);
}

QStringList IniStore::readMacroFile(const QString &macro)
{
    auto s = open(macroPath(macro));
    QStringList out;
    for (const QString &k : macroKeys())
        out << text(*s, QStringLiteral("/Setting/") + k);
    return out;
}

SaveResult IniStore::writeIniFile(const QString &macro, const IniGroupMap &map)
{
    IniFile s; // replaced whole
    for (const char *k : {"macro_key", "macro_key_state", "macro_key_delaytime", "macro_cmd_str",
                          "macro_key_count"})
        s.setValue(QStringLiteral("/Setting/") + QLatin1String(k),
                   inner(map, "macro", QLatin1String(k)));
    return s.save(macroPath(macro));
}

SaveResult IniStore::importMacroFile(const QString &source, const QString &macro)
{
    QStringList values;
    {
        auto in = open(source);
        for (const QString &k : macroKeys())
            values << text(*in, QStringLiteral("Setting/") + k);
    }
    const QString path = macroPath(macro);
    IniFile out = IniFile::load(path);
    for (int i = 0; i < macroKeys().size(); ++i)
        out.setValue(QStringLiteral("/Setting/") + macroKeys()[i], values[i]);
    return out.save(path);
}

SaveResult IniStore::importProfileInto(const QString &source, const QString &dir)
{
    auto in = open(source);
    SaveResult result;
    // An export holds at most 16 patterns; a larger count in a foreign file is clipped.
    const int n = qBound(0, toNumber(text(*in, QStringLiteral("Setting/pattern")), 0), 16);
    for (int i = 1; i <= n; ++i) {
        const QString group = QStringLiteral("pattern") + QString::number(i);
        const QString path =
            dir + QStringLiteral("/light/pattern") + QString::number(i) + QStringLiteral(".ini");
        IniFile out = IniFile::load(path);
        for (const QString &k : patternKeys())
            out.setValue(QStringLiteral("/Setting/") + k, text(*in, group + QLatin1Char('/') + k));
        result += out.save(path);
    }
    const QString path = dir + QStringLiteral("/singal/signal.ini");
    IniFile out = IniFile::load(path);
    for (const QString &k : signalKeys())
        out.setValue(QStringLiteral("/Setting/") + k, text(*in, QStringLiteral("signal/") + k));
    result += out.save(path);
    return result;
}
