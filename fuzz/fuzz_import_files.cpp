// One INI text standing for every file of the data directory at once: a profile
// export and a macro export being imported, and each stored file of the system
// folder, a profile and a macro being read and put to use.

#include "FuzzSupport.h"

#include "core/assign/AssignmentTable.h"
#include "core/assign/InstantShift.h"
#include "core/device/DeviceCommands.h"
#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/PatternStore.h"
#include "core/macro/MacroFile.h"
#include "core/profiles/ProfileBindings.h"
#include "core/profiles/ProfileExportCheck.h"
#include "core/storage/DataPaths.h"
#include "core/storage/LanguageFile.h"
#include "core/storage/MacroReportsFile.h"
#include "core/storage/StoredList.h"

#include <QFile>

namespace
{

const QString kExport = QStringLiteral("export.ini");
const QString kStored = QStringLiteral("Stored");
const QString kImported = QStringLiteral("Imported");

// A profile's files read and put to use, as activation and the pages do.
void readProfile(const QString &profile)
{
    const StoredLighting lighting = readStoredLighting(profile);
    if (lighting.complete)
        lightingOperation(lighting.set, 1);
    // The macro reports as stored, sent with the key map as many as the count says.
    const int count = MacroReportsFile::count(profile);
    const QVector<Report> macros = parseReports(MacroReportsFile::commands(profile));
    entryOfKey(MacroReportsFile::keyNumbers(profile), count, 100);
    commands::writeKeyMapAndMacros(1, DEFAULT_KEY_MAP, macros, count);
    std::array<quint8, 256> keyMap{};
    AssignmentTable table;
    table.loadSignalFile(keyMap, KeyMapFile::read(profile));
    table.loadMacroFile(AssignmentFile::read(profile));
    for (int i = 0; i < patternCount(profile); ++i)
        readPattern(i, profile);
    macro::parseMacro(RecordedMacroFile::read(profile));
}

} // namespace

ORVANTA_FUZZ_INITIALISE(true)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Each run gets its own folder: the settings library caches files by path
    // and modification time, which a quick rewrite of the same size can fool.
    static unsigned run = 0;
    const QString folder = QStringLiteral("run%1").arg(++run);
    FUZZ_CHECK(QDir().mkpath(folder) && QDir::setCurrent(folder));

    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    for (const QString &path :
         {kExport, QStringLiteral("system/light_flag.ini"),
          QStringLiteral("system/light_color.ini"), QStringLiteral("system/iss_flag.ini"),
          QStringLiteral("system/profile_connect.ini"), QStringLiteral("system/language.ini"),
          DataPaths::lightCmdPath(kStored), DataPaths::macroCmdPath(kStored),
          DataPaths::macroSystemPath(kStored), DataPaths::signalPath(kStored),
          DataPaths::patternPath(1, kStored), DataPaths::macroPath(kStored)}) {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
    }

    (void)importProfileExport(kExport, DataPaths::profileDir(kImported));
    (void)RecordedMacroFile::import(kExport, kImported);
    readProfile(kImported);
    readProfile(kStored);
    readEffectRecords(); // the system folder
    readKeyColorSets();
    readShiftTargets();
    ProfileBindings().read();
    LanguageFile::read();

    FUZZ_CHECK(QDir::setCurrent(QStringLiteral("..")));
    QDir(folder).removeRecursively();
    return 0;
}
