#include "AssignmentFile.h"

#include "DataPaths.h"
#include "IniFile.h"

namespace orvanta
{

AssignmentTexts AssignmentFile::read(const QString &profile)
{
    const IniFile s = IniFile::load(DataPaths::macroSystemPath(profile));
    return {s.text(QStringLiteral("Setting/type")), s.text(QStringLiteral("Setting/file")),
            s.text(QStringLiteral("Setting/once"))};
}

SaveResult AssignmentFile::write(const QString &profile, const AssignmentTexts &texts)
{
    const QString path = DataPaths::macroSystemPath(profile);
    IniFile s = IniFile::load(path);
    s.setValue(QStringLiteral("Setting/type"), texts.kinds);
    s.setValue(QStringLiteral("Setting/file"), texts.targets);
    s.setValue(QStringLiteral("Setting/once"), texts.repeats);
    return s.save(path);
}

} // namespace orvanta
