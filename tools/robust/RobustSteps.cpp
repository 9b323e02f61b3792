#include "RobustSteps.h"

#include "core/assign/AssignmentTable.h"
#include "core/device/Report.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/IniStore.h"
#include "core/storage/StoredList.h"

#include <QFileInfo>
#include <QSettings>

namespace orvanta::robust
{

namespace
{

const QString kLightProfile = QStringLiteral("PROFILE 1");
const QString kOtherProfile = QStringLiteral("PROFILE 2");
const QString kMacro = QStringLiteral("Robust Macro");

// A report whose bytes 3..6 hold the generation and byte 7 the report's place.
Report generationReport(qint64 g, int place)
{
    Report r{};
    r[0] = 7;
    r[1] = 2;
    r[2] = 1;
    for (int i = 0; i < 4; ++i)
        r[std::size_t(3 + i)] = quint8((g >> (8 * i)) & 0xFF);
    r[7] = quint8(place);
    for (std::size_t i = 8; i < r.size(); ++i)
        r[i] = quint8((g * 31 + qint64(i) * 7 + place) & 0xFF);
    return r;
}

AssignmentTable keyTableOf(qint64 g)
{
    AssignmentTable table;
    for (int i = 0; i < kKeySlots; ++i)
        table[i].once = QStringLiteral("0");
    const int slot = int(g % kKeySlots);
    table[slot] = {KeyKind::Macro, kMacro, QString::number(g % 4)};
    return table;
}

void storeLightingSet(qint64 g)
{
    LightCommandSet set;
    set.type = g % 2 ? 2 : 0; // alternating 7 and 5 reports: shorter sets must drop keys
    for (int i = 0; i < IniStore::lightCmdReportCount(set.type); ++i)
        set.reports << generationReport(g, i);
    storeLightCommandSet(set, kLightProfile);
}

void writeLightCmdDirectly(qint64 g)
{
    const int type = g % 2 ? 1 : 4;
    IniGroupMap map;
    map["profile_light_cmd"]["type"] = QString::number(type);
    for (int i = 0; i < IniStore::lightCmdReportCount(type); ++i)
        map["profile_light_cmd"][QString::number(i)] = joinNumbers(generationReport(g, 10 + i));
    IniStore::writeLightCmd(map, kOtherProfile);
}

void writeLightFlags(qint64 g)
{
    IniGroupMap map;
    int i = 0;
    for (const QString &group : IniStore::effectGroups())
        for (const QString &key : IniStore::effectKeys())
            map[group][key] = QString::number((g + i++) % 2);
    IniStore::writeIniFile(map);
}

void writeLightColours(qint64 g)
{
    IniGroupMap map;
    const QStringList groups{QStringLiteral("fully"), QStringLiteral("reactive")};
    int i = 0;
    for (int group = 0; group < 2; ++group)
        for (const QString &key : IniStore::lightColorKeys(group))
            map[groups[group]][key] = QString::number((g * 3 + i++) % 256);
    IniStore::writeLightColorFile(map);
}

void writeMacro(qint64 g)
{
    QVector<macro::MacroRow> rows;
    const int pairs = 1 + int(g % 3);
    for (int p = 0; p < pairs; ++p) {
        const QString delay = QString::number(g * 10 + p);
        rows.append({QStringLiteral("A"), QStringLiteral("down"), delay});
        rows.append({QStringLiteral("A"), QStringLiteral("up"), delay});
    }
    IniStore::writeIniFile(kMacro, macro::buildMacroMap(rows, generationReport(g, 20)));
}

} // namespace

QStringList stepFiles()
{
    return {IniStore::lightCmdPath(kLightProfile),
            IniStore::lightCmdPath(kOtherProfile),
            QStringLiteral("./system/light_flag.ini"),
            QStringLiteral("./system/light_color.ini"),
            IniStore::macroPath(kMacro),
            IniStore::macroCmdPath(kOtherProfile),
            IniStore::signalPath(kOtherProfile),
            IniStore::macroSystemPath(kOtherProfile),
            QStringLiteral("<copy>")};
}

int fileOfStep(qint64 t)
{
    // Steps 5, 6 and 7 all edit cmd/macro.ini: write entry 1, write entry 2, remove entry 1.
    static const int files[kStepsPerGeneration] = {0, 1, 2, 3, 4, 5, 5, 5, 6, 7, 8};
    return files[t % kStepsPerGeneration];
}

QString copySource()
{
    return QStringLiteral("PROFILE 3");
}

QString copyName(qint64 g)
{
    return QStringLiteral("Robust Copy %1").arg(g);
}

bool isCopyName(const QString &name, qint64 *generation)
{
    const QString prefix = QStringLiteral("Robust Copy ");
    if (!name.startsWith(prefix))
        return false;
    bool ok = false;
    const qint64 g = name.mid(prefix.size()).toLongLong(&ok);
    if (ok && generation)
        *generation = g;
    return ok;
}

void runStep(qint64 t)
{
    const qint64 g = t / kStepsPerGeneration;
    switch (t % kStepsPerGeneration) {
    case 0:
        storeLightingSet(g);
        break;
    case 1:
        writeLightCmdDirectly(g);
        break;
    case 2:
        writeLightFlags(g);
        break;
    case 3:
        writeLightColours(g);
        break;
    case 4:
        writeMacro(g);
        break;
    case 5:
        IniStore::writeMacroCmdFile(makeMacroCmdMap(generationReport(g, 30)), kOtherProfile,
                                    int(g % 50) + 1, 1, 1);
        break;
    case 6:
        IniStore::writeMacroCmdFile(makeMacroCmdMap(generationReport(g, 31)), kOtherProfile,
                                    int(g % 50) + 51, 2, 2);
        break;
    case 7:
        IniStore::removeMacroCmdEntry(kOtherProfile, 1, 1);
        break;
    case 8: {
        std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
        keyMap[0] = quint8(g & 0xFF);
        keyMap[1] = quint8((g >> 8) & 0xFF);
        IniStore::writeFlagFile(keyTableOf(g).signalFileMap(keyMap), kOtherProfile);
        break;
    }
    case 9:
        IniStore::writeMacroAssignFile(keyTableOf(g).macroFileMap(), kOtherProfile);
        break;
    case 10:
        copyProfile(copySource(), copyName(g));
        break;
    }
}

FileContent readContent(const QString &path)
{
    FileContent c;
    c.exists = QFileInfo(path).isFile();
    if (!c.exists)
        return c;
    QSettings s(path, QSettings::IniFormat);
    s.setIniCodec("UTF-8");
    c.ok = s.status() == QSettings::NoError;
    for (const QString &key : s.allKeys()) {
        const QVariant v = s.value(key);
        c.values.insert(key, v.type() == QVariant::StringList
                                 ? v.toStringList().join(QLatin1Char(','))
                                 : v.toString());
    }
    return c;
}

FileContent copyContent()
{
    FileContent c;
    qint64 newest = -1;
    for (const QString &name : profileList()) {
        qint64 g = 0;
        if (isCopyName(name, &g))
            newest = qMax(newest, g);
    }
    c.exists = newest >= 0;
    c.ok = true;
    if (c.exists)
        c.values.insert(QStringLiteral("newest"), QString::number(newest));
    return c;
}

} // namespace orvanta::robust
