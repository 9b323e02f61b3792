#pragma once
// The PATTERN list of a profile: one INI file per gradient preset in
// "./lightfile/<profile>/light", numbered pattern1.ini, pattern2.ini ... without
// gaps. Entries 0..4 are the built-in, read-only ones.

#include "LightingTypes.h"

#include <QString>
#include <QStringList>

#include "core/storage/AtomicFile.h"

namespace orvanta
{

constexpr int kMaxPatterns = 16;
constexpr int kBuiltInPatterns = 5;

struct PatternData {
    StopSlots stops{};
    Rgb surface{255, 0, 0};
};

inline bool isBuiltInPattern(int index)
{
    return index >= 0 && index < kBuiltInPatterns;
}

// The five stored texts (in the order of PatternFile::keys()) as stops and a
// surface colour. Missing or non-numeric items take the new-pattern defaults,
// components are kept to 0..255, and the end slots are always present.
PatternData patternFromTexts(const QStringList &texts);
// The five texts to store: a slot's colour when present, else 0.
QStringList patternTexts(const StopSlots &stops, const Rgb &surface);

// Pattern entry `index` (0-based) of `profile`: file number index + 1.
PatternData readPattern(int index, const QString &profile);
// Writes a user entry (index 5..15); built-in entries are never written.
SaveResult savePattern(int index, const StopSlots &stops, const Rgb &surface,
                       const QString &profile);

// Pattern files present, counted from pattern1.ini up to the first gap, at most 16.
int patternCount(const QString &profile);

// ADD: creates the next pattern file with the defaults. Returns its index, or -1
// when the profile already holds 16 or the file failed (the failure is in `saved`).
WithSaves<int> addPattern(const QString &profile);

// DEL: deletes entry `index` and moves every later file one number down.
// Refused (false, nothing touched) for the built-in entries and for an index
// past the list. A file that cannot be removed or renumbered is in `saved`.
WithSaves<bool> deletePattern(int index, const QString &profile);

} // namespace orvanta
