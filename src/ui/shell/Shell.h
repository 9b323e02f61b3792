#pragma once
// Small shell services: catalogs by language and shared style sheets.

#include <QString>

class QTranslator;

namespace orvanta
{

// "Language/en.qm", "Language/tc.qm", "Language/cn.qm" for 0..2; empty otherwise.
QString catalogFileForLanguage(int language);

// Loads a catalog from the working directory, or the copy compiled into the
// program when the file is missing there.
bool loadTranslationCatalog(QTranslator &translator, const QString &relativePath);

// "PROFILE 1" .. "PROFILE 5" in the current language: the PROFILE buttons' texts.
QString profileButtonText(int profile);

QString comboStyleSheet(const QString &base);
QString lineEditStyleSheet(const QString &fontFamily);

} // namespace orvanta
