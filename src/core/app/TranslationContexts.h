#pragma once
// The contexts of the translation catalogs, one per page or part: the
// catalogs (translations/*.ts) file every text under one of these names, and
// the catalog tools read them from here.

#include <QCoreApplication>

namespace orvanta::context
{

// The window, its menu, panel and notices.
class Shell
{
    Q_DECLARE_TR_FUNCTIONS(LumoProject)
};
// The window's title and the tray.
class Window
{
    Q_DECLARE_TR_FUNCTIONS(LumoProjectClass)
};
class LightingPage
{
    Q_DECLARE_TR_FUNCTIONS(keyboard_light_view)
};
class MacroPage
{
    Q_DECLARE_TR_FUNCTIONS(micro_view)
};
class SettingsPage
{
    Q_DECLARE_TR_FUNCTIONS(setting_view)
};
class VirtualKeyboard
{
    Q_DECLARE_TR_FUNCTIONS(VirtualKeyboard)
};
class KeyboardLink
{
    Q_DECLARE_TR_FUNCTIONS(KeyboardLink)
};

} // namespace orvanta::context
