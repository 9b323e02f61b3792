#pragma once
// The effect settings records: their option handlers with the invariants the
// page keeps, and their stored form in ./system/light_flag.ini.

#include "LightingTypes.h"
#include "core/storage/AtomicFile.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <array>

namespace orvanta
{

using EffectRecords = std::array<EffectFlag, kEffectCount>;

// Static SPEED slider positions 0..2 (slow to fast) and Wave SPEED positions 0..3.
constexpr std::array<int, 3> kModeSpeedCodes = {6, 4, 2};
constexpr std::array<int, 4> kSpeedinessCodes = {16, 8, 5, 3};
int speedinessPosition(int speediness); // slider position of a code, 3 (FAST) when unknown

// Option handlers. Each returns true when it changed the record; a choice that
// is already on changes nothing.
bool chooseFull(EffectFlag &f);
bool chooseCustomized(EffectFlag &f);
bool pressLeft(EffectFlag &f, int effect);
bool pressRight(EffectFlag &f, int effect);
bool chooseYes(EffectFlag &f);
bool chooseNo(EffectFlag &f);
bool chooseStatic(EffectFlag &f);
bool choosePulse(EffectFlag &f);
bool chooseSpectrum(EffectFlag &f);
bool setStaticSpeed(EffectFlag &f, int position);
bool setWaveSpeed(EffectFlag &f, int position);

// Stored form: the sixteen texts of a record, keyed by their INI key names.
QMap<QString, QString> effectFlagTexts(const EffectFlag &f);
// The keys of one record in ./system/light_flag.ini, in reading order.
const QStringList &effectFlagKeys();
// A record from its texts (in the key order of effectFlagKeys()). A flag is
// on only for "1"; a missing or non-numeric number keeps the record default,
// and slider positions and the Wave code outside their ranges fall back too.
EffectFlag effectFlagFromTexts(const QStringList &texts);

EffectRecords readEffectRecords();
SaveResult writeEffectRecords(const EffectRecords &records);

} // namespace orvanta
