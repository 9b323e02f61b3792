#include "MacroFile.h"

#include "MacroCodec.h"
#include "core/storage/DataPaths.h"
#include "core/storage/DirectoryOps.h"
#include "core/storage/RegularFile.h"
#include "core/storage/StoredList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace orvanta::macro
{

const char *const kDefaultMacro = "Default Macro";
const char *const kForbiddenNameChars = "*|\\:\"<>?/";

namespace
{

const QString kEscapedComma = QStringLiteral("%2C");

bool readable(const QString &path)
{
    return checkRegularFile(path, kSettingsFileLimit).ok();
}

QString copySuffix(int k)
{
    return k < 10 ? QStringLiteral("_0") + QString::number(k)
                  : QStringLiteral("_") + QString::number(k);
}

// Splits a stored row list. Unlike the general list reader an empty text is one
// empty item here, so a single row whose key has no text reads back.
QStringList rowItems(const QString &text)
{
    return text.split(QLatin1Char(','));
}

// Older files store the comma key's label bare, which splits into two empty
// items. When the key list has more items than rows, each surplus item is
// taken as one such label: the first pair of empty neighbours becomes ",".
QStringList repairBareCommas(QStringList keys, int count)
{
    while (keys.size() > count) {
        int i = 0;
        while (i + 1 < keys.size() && !(keys[i].isEmpty() && keys[i + 1].isEmpty()))
            ++i;
        if (i + 1 >= keys.size())
            break;
        keys[i] = QStringLiteral(",");
        keys.removeAt(i + 1);
    }
    return keys;
}

QString quoted(const QString &value)
{
    QString v = value;
    v.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    v.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + v + QLatin1Char('"');
}

} // namespace

QString macroFolder()
{
    return QStringLiteral("./macrofile");
}

QString encodeLabel(const QString &label)
{
    QString out = label;
    return out.replace(QLatin1Char(','), kEscapedComma);
}

QString decodeLabel(const QString &stored)
{
    QString out = stored;
    return out.replace(kEscapedComma, QStringLiteral(","));
}

MacroTexts macroTexts(const QVector<MacroRow> &rows, const Report &image)
{
    QStringList keys, states, delays;
    for (const MacroRow &r : rows) {
        keys << encodeLabel(r.key);
        states << r.state;
        delays << r.delay;
    }
    return {QString::number(rows.size()), joinList(keys), joinList(states), joinList(delays),
            joinNumbers(image)};
}

Report parseCommandString(const QString &text)
{
    const QVector<int> numbers = takeNumbers(text, int(kReportSize), 0);
    Report image{};
    for (int i = 0; i < int(kReportSize); ++i) {
        const int v = numbers[i];
        image[std::size_t(i)] = v >= 0 && v <= 255 ? quint8(v) : 0;
    }
    return image;
}

MacroRecord parseMacro(const MacroTexts &texts)
{
    MacroRecord rec;
    rec.image = parseCommandString(texts.commands);
    const int count = qBound(0, toNumber(texts.keyCount, 0), kMaxEvents);
    if (count == 0)
        return rec;
    const QStringList keys = repairBareCommas(rowItems(texts.keys), count);
    // A state or delay is never an empty text, so an empty list has no items.
    const QStringList states = splitList(texts.states);
    const QStringList delays = splitList(texts.delays);
    const int n = qMin(qMin(count, int(keys.size())), qMin(int(states.size()), int(delays.size())));
    rec.rows.reserve(n);
    for (int i = 0; i < n; ++i)
        rec.rows.append({decodeLabel(keys[i]), states[i], delays[i]});
    return rec;
}

QStringList macroNames()
{
    const QDir dir(macroFolder());
    const QFileInfoList entries =
        dir.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDir::Name | QDir::DirsFirst);
    QStringList names;
    for (const QFileInfo &e : entries) {
        const QString file = e.fileName();
        const int dot = file.indexOf(QLatin1Char('.'));
        names << (dot < 0 ? file : file.left(dot));
    }
    return names;
}

int newMacroNumber()
{
    if (countEntries(macroFolder()) >= kMaxMacroEntries)
        return 0;
    for (int n = 1; n <= kMaxMacroEntries; ++n) {
        if (!readable(DataPaths::macroPath(QStringLiteral("Macro ") + QString::number(n))))
            return n;
    }
    return 0;
}

bool macroFolderFullForCopy()
{
    // The listing counted with "." and ".." stops at 15, so 13 macros at most.
    return countEntries(macroFolder()) >= kMaxMacrosAfterCopy;
}

QString copyName(const QString &selected)
{
    if (selected.isEmpty())
        return {};
    QString suffix;
    for (int k = 1; k <= kMaxCopySuffix; ++k) {
        if (selected.endsWith(copySuffix(k)))
            suffix = copySuffix(k);
    }
    if (macroFolderFullForCopy())
        return {};
    const QString base = selected.left(selected.size() - suffix.size());
    for (int k = 1; k <= kMaxCopySuffix; ++k) {
        const QString name = base + copySuffix(k);
        if (!readable(DataPaths::macroPath(name)))
            return name;
    }
    return {};
}

bool renameAllowed(const QString &name, const QString &selected)
{
    for (const char *c = kForbiddenNameChars; *c; ++c) {
        if (name.contains(QLatin1Char(*c)))
            return false;
    }
    if (QFileInfo::exists(DataPaths::macroPath(name)))
        return false;
    if (name.isEmpty() || name == QLatin1String(kDefaultMacro) ||
        selected == QLatin1String(kDefaultMacro) || selected.isEmpty())
        return false;
    // The list shows a file by its name up to the first ".", so a name with a
    // dot would show as another macro and be saved under that one's file.
    if (name.contains(QLatin1Char('.')) || name.size() > kNameMaxLength)
        return false;
    return true;
}

QString importedName(const QString &path)
{
    const QString file = QFileInfo(path).fileName();
    const int dot = file.indexOf(QLatin1Char('.'));
    return dot < 0 ? file : file.left(dot);
}

QString exportBlock(const MacroTexts &texts)
{
    QString out = QStringLiteral("[Setting]\n");
    const QStringList &keys = RecordedMacroFile::keys();
    const QString values[] = {texts.keyCount, texts.keys, texts.states, texts.delays,
                              texts.commands};
    for (int i = 0; i < keys.size(); ++i)
        out += keys[i] + QLatin1Char('=') + quoted(values[i]) + QLatin1Char('\n');
    return out;
}

bool appendExport(const QString &path, const MacroTexts &texts)
{
    return appendToRegularFile(path, exportBlock(texts).toUtf8()).isEmpty();
}

int partnerRow(const QVector<MacroRow> &rows, int row)
{
    if (row < 0 || row >= rows.size())
        return -1;
    const QString &key = rows[row].key;
    if (rows[row].state == QLatin1String("up")) {
        for (int i = row - 1; i >= 0; --i) {
            if (rows[i].key == key)
                return i;
        }
    } else {
        for (int i = row + 1; i < rows.size(); ++i) {
            if (rows[i].key == key)
                return i;
        }
    }
    return -1;
}

} // namespace orvanta::macro
