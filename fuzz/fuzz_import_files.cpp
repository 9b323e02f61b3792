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
#include "core/storage/PatternFile.h"
#include "core/storage/StoredList.h"

#include <QFile>
#include <QSettings>

namespace
{

const QString kExport = QStringLiteral("export.ini");
const QString kStored = QStringLiteral("Stored");
const QString kImported = QStringLiteral("Imported");

// A value of the export as the console reads stored texts: a bare list joined back.
QString exportText(const QString &key)
{
    QSettings s(kExport, QSettings::IniFormat);
    s.setIniCodec("UTF-8");
    const QVariant v = s.value(key);
    return v.type() == QVariant::StringList ? v.toStringList().join(QLatin1Char(','))
                                            : v.toString();
}

void importProfile()
{
    (void)importProfileExport(kExport, DataPaths::profileDir(kImported));
    const int patterns = qBound(0, toNumber(exportText(QStringLiteral("Setting/pattern"))), 16);
    FUZZ_CHECK(patternCount(kImported) == patterns);
    for (int i = 0; i < patterns; ++i) {
        const QString group = QStringLiteral("pattern%1/").arg(i + 1);
        const QStringList texts = PatternFile::read(i + 1, kImported);
        for (int k = 0; k < PatternFile::keys().size(); ++k)
            FUZZ_CHECK(texts.value(k) == exportText(group + PatternFile::keys()[k]));
        readPattern(i, kImported);
    }
    const KeyMapTexts signal = KeyMapFile::read(kImported);
    const QString texts[] = {signal.keyMap, signal.kinds, signal.targets};
    for (int k = 0; k < 3; ++k)
        FUZZ_CHECK(texts[k] == exportText(QStringLiteral("signal/") + KeyMapFile::keys()[k]));
    std::array<quint8, 256> keyMap{};
    AssignmentTable().loadSignalFile(keyMap, signal);
}

void importMacro()
{
    (void)RecordedMacroFile::import(kExport, kImported);
    const MacroTexts five = RecordedMacroFile::read(kImported);
    FUZZ_CHECK(five == RecordedMacroFile::read(kStored));
    macro::parseMacro(five);
}

void readStoredProfile()
{
    const StoredLighting lighting = readStoredLighting(kStored);
    if (lighting.complete)
        FUZZ_CHECK(!lightingOperation(lighting.set, 1).steps.empty());

    // The macro reports as stored, between the select and key map reports and
    // the all-zero one, as many as the count says and the list holds.
    const int count = MacroReportsFile::count(kStored);
    const QVector<Report> macros = parseReports(MacroReportsFile::commands(kStored));
    FUZZ_CHECK(macros.size() <= qMin(count, 108));
    (void)entryOfKey(MacroReportsFile::keyNumbers(kStored), count, 100);
    const DeviceOperation write = commands::writeKeyMapAndMacros(1, DEFAULT_KEY_MAP, macros, count);
    const int sent = qBound(0, count, macros.size());
    FUZZ_CHECK(int(write.steps.size()) == 3 + sent && write.steps.back().report == zeroReport());
    for (int i = 0; i < sent; ++i)
        FUZZ_CHECK(write.steps[size_t(2 + i)].report == macros[i]);

    std::array<quint8, 256> keyMap{};
    AssignmentTable table;
    table.loadSignalFile(keyMap, KeyMapFile::read(kStored));
    table.loadMacroFile(AssignmentFile::read(kStored));

    const int patterns = patternCount(kStored);
    FUZZ_CHECK(patterns == 1);
    readPattern(0, kStored);
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

    importProfile();
    importMacro();
    readStoredProfile();
    readEffectRecords(); // the system folder
    readKeyColorSets();
    readShiftTargets();
    ProfileBindings().read();
    LanguageFile::read();

    FUZZ_CHECK(QDir::setCurrent(QStringLiteral("..")));
    QDir(folder).removeRecursively();
    return 0;
}
