#include "RecordedMacroFile.h"

#include "DataPaths.h"
#include "IniFile.h"

namespace orvanta
{

namespace
{

MacroTexts textsOf(const IniFile &s)
{
    const auto text = [&](int i) {
        return s.text(QStringLiteral("Setting/") + RecordedMacroFile::keys()[i]);
    };
    return {text(0), text(1), text(2), text(3), text(4)};
}

void setTexts(IniFile &s, const MacroTexts &t)
{
    const QString values[] = {t.keyCount, t.keys, t.states, t.delays, t.commands};
    for (int i = 0; i < 5; ++i)
        s.setValue(QStringLiteral("Setting/") + RecordedMacroFile::keys()[i], values[i]);
}

} // namespace

const QStringList &RecordedMacroFile::keys()
{
    static const QStringList k{"macro_key_count", "macro_key", "macro_key_state",
                               "macro_key_delaytime", "macro_cmd_str"};
    return k;
}

MacroTexts RecordedMacroFile::read(const QString &name)
{
    return textsOf(IniFile::load(DataPaths::macroPath(name)));
}

SaveResult RecordedMacroFile::write(const QString &name, const MacroTexts &texts)
{
    IniFile s;
    setTexts(s, texts);
    return s.save(DataPaths::macroPath(name));
}

SaveResult RecordedMacroFile::create(int number)
{
    // The empty macro's command string: 264 zeros.
    QString zeros = QStringLiteral("0");
    for (int i = 1; i < 264; ++i)
        zeros += QStringLiteral(",0");
    const QString path = DataPaths::macroPath(QStringLiteral("Macro ") + QString::number(number));
    IniFile s = IniFile::load(path);
    setTexts(s, {QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"),
                 zeros});
    return s.save(path);
}

SaveResult RecordedMacroFile::import(const QString &source, const QString &name)
{
    const MacroTexts texts = textsOf(IniFile::load(source));
    const QString path = DataPaths::macroPath(name);
    IniFile s = IniFile::load(path);
    setTexts(s, texts);
    return s.save(path);
}

} // namespace orvanta
