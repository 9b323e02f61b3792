#include "ProfileBindings.h"

#include "core/storage/IniFile.h"

#include <QDebug>

namespace orvanta
{

static const QString kBindingsPath = QStringLiteral("./system/profile_connect.ini");

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
    const IniFile s = IniFile::load(kBindingsPath);
    for (int i = 0; i < 5; ++i)
        names[i] = s.text(QStringLiteral("Setting/") + QString::number(i + 1));
}

SaveResult ProfileBindings::save() const
{
    IniFile s = IniFile::load(kBindingsPath);
    for (int i = 0; i < 5; ++i)
        s.setValue(QStringLiteral("Setting/") + QString::number(i + 1), names.value(i));
    return s.save(kBindingsPath);
}

} // namespace orvanta
