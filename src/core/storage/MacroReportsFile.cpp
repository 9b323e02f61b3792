#include "MacroReportsFile.h"

#include "DataPaths.h"
#include "IniFile.h"
#include "StoredList.h"

namespace orvanta
{

namespace
{

// At most one entry per key slot: a damaged count must not run the entry
// arithmetic of the callers past the int range, and a count beyond the keys
// that exist would only yield empty entries.
int storedCount(const IniFile &s)
{
    return qBound(0, toNumber(s.text(QStringLiteral("Setting/count")), 0), 108);
}

QStringList entries(const QString &profile, const QString &key)
{
    const IniFile s = IniFile::load(DataPaths::macroCmdPath(profile));
    QStringList out;
    for (int i = 1, n = storedCount(s); i <= n; ++i)
        out << s.text(QString::number(i) + key);
    return out;
}

} // namespace

SaveResult MacroReportsFile::create(const QString &profile)
{
    IniFile s;
    s.setValue(QStringLiteral("Setting/count"), QStringLiteral("0"));
    s.setValue(QStringLiteral("Setting/macro_number"), QStringLiteral("0"));
    return s.save(DataPaths::macroCmdPath(profile));
}

int MacroReportsFile::count(const QString &profile)
{
    return storedCount(IniFile::load(DataPaths::macroCmdPath(profile)));
}

QStringList MacroReportsFile::commands(const QString &profile)
{
    return entries(profile, QStringLiteral("/cmd"));
}

QString MacroReportsFile::keyNumbers(const QString &profile)
{
    return joinList(entries(profile, QStringLiteral("/number")));
}

SaveResult MacroReportsFile::writeEntry(const QString &profile, int index, int count, int keyNumber,
                                        const QString &command)
{
    const QString path = DataPaths::macroCmdPath(profile);
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("Setting/count"), QString::number(count));
    s.setValue(QStringLiteral("Setting/macro_number"), QString::number(keyNumber));
    s.setValue(QString::number(index) + QStringLiteral("/number"), QString::number(keyNumber));
    s.setValue(QString::number(index) + QStringLiteral("/cmd"), command);
    return s.save(path);
}

SaveResult MacroReportsFile::removeEntry(const QString &profile, int index, int count)
{
    // The removal and the renumbering reach the file together, in one save.
    const QString path = DataPaths::macroCmdPath(profile);
    IniFile s = IniFile::load(path);
    s.removeGroup(QString::number(index));
    s.setValue(QStringLiteral("Setting/count"), QString::number(count));
    for (int j = index + 1; j <= count + 1; ++j) {
        const QString from = QString::number(j);
        const QString to = QString::number(j - 1);
        s.setValue(to + QStringLiteral("/number"), s.text(from + QStringLiteral("/number")));
        s.setValue(to + QStringLiteral("/cmd"), s.text(from + QStringLiteral("/cmd")));
        s.removeGroup(from);
    }
    return s.save(path);
}

} // namespace orvanta
