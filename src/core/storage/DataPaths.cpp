#include "DataPaths.h"

namespace orvanta
{

QString DataPaths::profileDir(const QString &profile)
{
    return QStringLiteral("./lightfile/") + profile;
}

QString DataPaths::patternPath(int number, const QString &profile)
{
    return patternPathIn(profileDir(profile), number);
}

QString DataPaths::patternPathIn(const QString &folder, int number)
{
    return folder + QStringLiteral("/light/pattern") + QString::number(number) +
           QStringLiteral(".ini");
}

QString DataPaths::lightCmdPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/cmd/light_cmd.ini");
}

QString DataPaths::macroCmdPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/cmd/macro.ini");
}

QString DataPaths::macroSystemPath(const QString &profile)
{
    return profileDir(profile) + QStringLiteral("/macro/macro_file.ini");
}

QString DataPaths::signalPath(const QString &profile)
{
    return signalPathIn(profileDir(profile));
}

QString DataPaths::signalPathIn(const QString &folder)
{
    return folder + QStringLiteral("/singal/signal.ini");
}

QString DataPaths::macroPath(const QString &macro)
{
    return QStringLiteral("./macrofile/") + macro + QStringLiteral(".ini");
}

} // namespace orvanta
