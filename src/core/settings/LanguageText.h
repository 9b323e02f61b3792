#pragma once
// Language-dependent texts that are not in the translation catalogs: the font
// family of every style sheet and the names of the languages in their own script.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orvanta
{

// Language index as stored in ./system/language.ini: 0 English, 1 traditional
// Chinese, 2 simplified Chinese.
inline constexpr int LANGUAGE_COUNT = 3;

// Font family for `language`: "Arial Unicode MS" for English, the JhengHei face
// "微軟正黑體" for both Chinese languages; any other value keeps `previous`.
QString fontFamilyForLanguage(int language, const QString &previous);

// The traditional-Chinese system face, kept in the Big5 code page.
QString jhengHeiFamily();

// Big5 bytes as text: the "Big5-ETen" codec, or "Big5" where the toolkit has no
// ETen variant (the texts used here are the same in both).
QString fromBig5(const QByteArray &bytes);

// "English", "繁體中文", "簡體中文": the entries of the language list.
QStringList languageNames();

// The stored language text as an index; a missing setting or one that is not a
// number gives 0 (English), as the main window reads it.
int languageIndex(const QString &stored);

} // namespace orvanta
