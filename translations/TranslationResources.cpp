#include "TranslationResources.h"

#include <QtCore/QtGlobal>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerLanguageResources()
{
    Q_INIT_RESOURCE(lumo_languages);
}

namespace orvanta
{

void initTranslationResources()
{
    registerLanguageResources();
}

} // namespace orvanta
