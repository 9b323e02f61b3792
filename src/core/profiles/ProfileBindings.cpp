#include "ProfileBindings.h"

#include "core/storage/IniStore.h"

#include <QDebug>

namespace orvanta
{

QString ProfileBindings::builtIn(int slot)
{
    return QStringLiteral("PROFILE %1").arg(slot);
}

QString ProfileBindings::linked(int slot) const
{
    const QString name = names.value(slot - 1);
    return name.isEmpty() ? builtIn(slot) : name;
}

bool ProfileBindings::repair(int slot, const QStringList &entries)
{
    const QString name = names.value(slot - 1);
    if (!name.isEmpty() && entries.contains(name))
        return false;
    names[slot - 1] = builtIn(slot);
    return true;
}

void ProfileBindings::read()
{
    qDebug() << "read_profile_connect()";
    const QStringList stored = IniStore::readProfileConnect();
    for (int i = 0; i < 5; ++i)
        names[i] = stored.value(i);
}

SaveResult ProfileBindings::save() const
{
    IniGroupMap map;
    for (int i = 0; i < 5; ++i)
        map["profile_file"][QString::number(i + 1)] = names.value(i);
    return IniStore::writeProfileConnect(map);
}

} // namespace orvanta
