#include "RobustSteps.h"

#include "core/assign/AssignmentTable.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/lighting/LightingBuilders.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileStore.h"
#include "core/storage/IniStore.h"

#include <functional>

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
    r[0] = 7, r[1] = 2, r[2] = 1, r[7] = quint8(place);
    for (int i = 0; i < 4; ++i)
        r[std::size_t(3 + i)] = quint8((g >> (8 * i)) & 0xFF);
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

// A value of its own for every key of a system file's groups, in every generation.
IniGroupMap numbered(const QStringList &groups, const std::function<QStringList(int)> &keys,
                     qint64 g)
{
    IniGroupMap map;
    int i = 0;
    for (int group = 0; group < groups.size(); ++group)
        for (const QString &key : keys(group))
            map[groups[group]][key] = QString::number(g * 1000 + i++);
    return map;
}

} // namespace

QString stepFile(int step)
{
    const QString files[kSteps] = {IniStore::lightCmdPath(kLightProfile),
                                   QString(),
                                   QStringLiteral("./system/light_flag.ini"),
                                   QStringLiteral("./system/light_color.ini"),
                                   IniStore::macroPath(kMacro),
                                   IniStore::macroCmdPath(kOtherProfile),
                                   IniStore::macroSystemPath(kOtherProfile),
                                   IniStore::signalPath(kOtherProfile)};
    return files[step];
}

void runStep(int step, qint64 g)
{
    switch (step) {
    case 0: { // alternating 7 and 5 reports: a shorter set must drop the keys it lacks
        LightCommandSet set;
        set.type = g % 2 ? 2 : 0;
        for (int i = 0; i < IniStore::lightCmdReportCount(set.type); ++i)
            set.reports << generationReport(g, i);
        storeLightCommandSet(set, kLightProfile);
        break;
    }
    case 2:
        IniStore::writeIniFile(numbered(
            IniStore::effectGroups(), [](int) { return IniStore::effectKeys(); }, g));
        break;
    case 3:
        IniStore::writeLightColorFile(numbered(
            {"fully", "reactive"}, [](int group) { return IniStore::lightColorKeys(group); }, g));
        break;
    case 4: {
        QVector<macro::MacroRow> rows;
        for (int p = 0; p <= int(g % 3); ++p) {
            const QString delay = QString::number(g * 10 + p);
            rows.append({QStringLiteral("A"), QStringLiteral("down"), delay});
            rows.append({QStringLiteral("A"), QStringLiteral("up"), delay});
        }
        IniStore::writeIniFile(kMacro, macro::buildMacroMap(rows, generationReport(g, 20)));
        break;
    }
    case 5:
        IniStore::writeMacroCmdFile(makeMacroCmdMap(generationReport(g, 30)), kOtherProfile,
                                    int(g % 50) + 1, 1, 1);
        break;
    case 7: {
        std::array<quint8, 256> keyMap = DEFAULT_KEY_MAP;
        keyMap[0] = quint8(g & 0xFF);
        keyMap[1] = quint8((g >> 8) & 0xFF);
        IniStore::writeFlagFile(keyTableOf(g).signalFileMap(keyMap), kOtherProfile);
        break;
    }
    case 6:
        IniStore::writeMacroAssignFile(keyTableOf(g).macroFileMap(), kOtherProfile);
        break;
    case 1:
        copyProfile(copySource(), QStringLiteral("Robust Copy %1").arg(g));
        break;
    }
}

QString copySource()
{
    return QStringLiteral("PROFILE 3");
}

bool isCopyName(const QString &name)
{
    return name.startsWith(QLatin1String("Robust Copy "));
}

} // namespace orvanta::robust
