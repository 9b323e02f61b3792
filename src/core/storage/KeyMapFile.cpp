#include "KeyMapFile.h"

#include "DataPaths.h"
#include "IniFile.h"

namespace orvanta
{

const QStringList &KeyMapFile::keys()
{
    static const QStringList k{"signle", "macro_singal_oldkey", "macro_singal_newkey"};
    return k;
}

KeyMapTexts KeyMapFile::read(const QString &profile)
{
    const IniFile s = IniFile::load(DataPaths::signalPath(profile));
    const auto text = [&](int i) { return s.text(QStringLiteral("Setting/") + keys()[i]); };
    return {text(0), text(1), text(2)};
}

SaveResult KeyMapFile::write(const QString &profile, const KeyMapTexts &texts)
{
    return writeInFolder(DataPaths::profileDir(profile), texts);
}

SaveResult KeyMapFile::writeInFolder(const QString &folder, const KeyMapTexts &texts)
{
    const QString path = DataPaths::signalPathIn(folder);
    IniFile s = IniFile::load(path);
    const QString values[] = {texts.keyMap, texts.kinds, texts.targets};
    for (int i = 0; i < 3; ++i)
        s.setValue(QStringLiteral("Setting/") + keys()[i], values[i]);
    return s.save(path);
}

} // namespace orvanta
