#pragma once

namespace orvanta
{

// Registers the compiled-in copies of the three language catalogs under
// ":/LumoProject/Language/". The catalogs live in a static library, so the
// linker drops them unless something calls this once before they are used.
void initTranslationResources();

} // namespace orvanta
