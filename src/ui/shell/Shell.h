#pragma once
// Small shell services: catalogs by language and shared style sheets.

#include <QString>

class QPushButton;
class QRect;
class QTranslator;
class QWidget;

namespace orvanta
{

// "Language/en.qm", "Language/tc.qm", "Language/cn.qm" for 0..2; empty otherwise.
QString catalogFileForLanguage(int language);

// Loads a catalog from the working directory, or the copy compiled into the
// program when the file is missing there.
bool loadTranslationCatalog(QTranslator &translator, const QString &relativePath);

// "PROFILE 1" .. "PROFILE 5" in the current language: the PROFILE buttons' texts.
QString profileButtonText(int profile);

// The style sheets of the window's tabs, buttons, captions and lists, in one font.
struct ShellStyles {
    QString fontFamily;
    QString tabOff, tabOn, actionButton, label, combo;
    static ShellStyles forFont(const QString &fontFamily);
};

// A button at geometry, reached with Tab, with a pointing hand over it.
QPushButton *pushButtonAt(QWidget *parent, const QRect &geometry);

// A button showing "Image/icons/<icon>.png" (its _hover twin under the mouse),
// reached with Tab.
QPushButton *iconButton(QWidget *parent, const QString &icon, const QRect &geometry);

QString comboStyleSheet(const QString &base);
QString lineEditStyleSheet(const QString &fontFamily);

} // namespace orvanta
