#include "LanguageFile.h"

#include "IniFile.h"

namespace orvanta
{

static const QString kPath = QStringLiteral("./system/language.ini");
static const QString kKey = QStringLiteral("Setting/language");

QString LanguageFile::read()
{
    return IniFile::load(kPath).text(kKey);
}

SaveResult LanguageFile::write(int index)
{
    IniFile s = IniFile::load(kPath);
    s.setValue(kKey, QString::number(index));
    return s.save(kPath);
}

} // namespace orvanta
