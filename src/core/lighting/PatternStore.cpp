#include "PatternStore.h"

#include "core/storage/DataPaths.h"
#include "core/storage/PatternFile.h"
#include "core/storage/StoredList.h"

#include <QFile>
#include <QFileInfo>

#include <array>

namespace orvanta
{

namespace
{
// What a new pattern file holds (slot 0 red, slot 10 black, red surface).
constexpr std::array<int, kStopSlots> kDefaultRed = {255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<int, kStopSlots> kDefaultPresent = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
constexpr std::array<int, 3> kDefaultSurface = {255, 0, 0};

template <std::size_t N>
std::array<int, N> numbers(const QString &text, const std::array<int, N> &defaults)
{
    const QStringList items = takeItems(text, int(N));
    std::array<int, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = toNumber(items.at(int(i)), defaults[i]);
    return out;
}

int component(int v)
{
    return qBound(0, v, 255);
}

QString stored(const QStringList &texts, int i)
{
    return i < texts.size() ? texts.at(i) : QString();
}
} // namespace

PatternData patternFromTexts(const QStringList &texts)
{
    const std::array<int, kStopSlots> zero{};
    const auto red = numbers(stored(texts, 0), kDefaultRed);
    const auto green = numbers(stored(texts, 1), zero);
    const auto blue = numbers(stored(texts, 2), zero);
    const auto surface = numbers(stored(texts, 3), kDefaultSurface);
    const auto present = numbers(stored(texts, 4), kDefaultPresent);

    PatternData p;
    for (int i = 0; i < kStopSlots; ++i) {
        p.stops[i].present = present[i] == 1;
        p.stops[i].color = {component(red[i]), component(green[i]), component(blue[i])};
    }
    // A gradient always has its two ends.
    p.stops[0].present = true;
    p.stops[kStopSlots - 1].present = true;
    p.surface = {component(surface[0]), component(surface[1]), component(surface[2])};
    return p;
}

QStringList patternTexts(const StopSlots &stops, const Rgb &surface)
{
    std::array<int, kStopSlots> r{}, g{}, b{}, y{};
    for (int i = 0; i < kStopSlots; ++i) {
        if (stops[i].present) {
            r[i] = stops[i].color.r;
            g[i] = stops[i].color.g;
            b[i] = stops[i].color.b;
            y[i] = 1;
        }
    }
    return {joinNumbers(r), joinNumbers(g), joinNumbers(b),
            joinNumbers(std::array<int, 3>{surface.r, surface.g, surface.b}), joinNumbers(y)};
}

PatternData readPattern(int index, const QString &profile)
{
    return patternFromTexts(PatternFile::read(index + 1, profile));
}

SaveResult savePattern(int index, const StopSlots &stops, const Rgb &surface,
                       const QString &profile)
{
    // The built-in entries are read-only.
    if (isBuiltInPattern(index) || index < 0 || index >= kMaxPatterns)
        return SaveResult();
    return PatternFile::write(index + 1, profile, patternTexts(stops, surface));
}

int patternCount(const QString &profile)
{
    int n = 0;
    while (n < kMaxPatterns && QFile::exists(DataPaths::patternPath(n + 1, profile)))
        ++n;
    return n;
}

WithSaves<int> addPattern(const QString &profile)
{
    const int count = patternCount(profile);
    if (count >= kMaxPatterns)
        return {-1, {}};
    const SaveResult result = PatternFile::write(
        count + 1, profile,
        {QStringLiteral("255,0,0,0,0,0,0,0,0,0,0"), QStringLiteral("0,0,0,0,0,0,0,0,0,0,0"),
         QStringLiteral("0,0,0,0,0,0,0,0,0,0,0"), QStringLiteral("255,0,0"),
         QStringLiteral("1,0,0,0,0,0,0,0,0,0,1")});
    return {result.ok() ? count : -1, result};
}

WithSaves<bool> deletePattern(int index, const QString &profile)
{
    const int count = patternCount(profile);
    if (isBuiltInPattern(index) || index < 0 || index >= count)
        return {false, {}};
    // A file that is already gone is simply skipped.
    const QString deleted = DataPaths::patternPath(index + 1, profile);
    SaveResult result;
    if (!QFile::remove(deleted) && QFileInfo::exists(deleted))
        result += SaveResult(deleted, QStringLiteral("cannot be removed"));
    for (int number = index + 2; number <= count && result.ok(); ++number) {
        const QString from = DataPaths::patternPath(number, profile);
        if (!QFile::rename(from, DataPaths::patternPath(number - 1, profile)))
            result += SaveResult(from, QStringLiteral("cannot be renumbered"));
    }
    return {true, result};
}

} // namespace orvanta
