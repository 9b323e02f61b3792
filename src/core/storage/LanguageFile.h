#pragma once
// ./system/language.ini: the language the console starts in.

#include "AtomicFile.h"

#include <QString>

namespace orvanta
{

class LanguageFile
{
public:
    static QString read(); // the stored index as text ("" when none)
    [[nodiscard]] static SaveResult write(int index);
};

} // namespace orvanta
