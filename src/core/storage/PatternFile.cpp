#include "PatternFile.h"

#include "DataPaths.h"
#include "IniFile.h"

namespace orvanta
{

const QStringList &PatternFile::keys()
{
    static const QStringList k{"RColor", "GColor", "BColor", "VColor", "YValue"};
    return k;
}

QStringList PatternFile::read(int number, const QString &profile)
{
    const IniFile s = IniFile::load(DataPaths::patternPath(number, profile));
    QStringList texts;
    for (const QString &k : keys())
        texts << s.text(QStringLiteral("Setting/") + k);
    return texts;
}

SaveResult PatternFile::write(int number, const QString &profile, const QStringList &texts)
{
    return writeInFolder(DataPaths::profileDir(profile), number, texts);
}

SaveResult PatternFile::writeInFolder(const QString &folder, int number, const QStringList &texts)
{
    const QString path = DataPaths::patternPathIn(folder, number);
    IniFile s = IniFile::load(path);
    for (int k = 0; k < keys().size(); ++k)
        s.setValue(QStringLiteral("Setting/") + keys()[k], texts.value(k));
    return s.save(path);
}

} // namespace orvanta
