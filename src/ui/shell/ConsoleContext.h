#pragma once
// What the window, its pages and its panels share: the options the console was
// started with, the keyboard link, the command set that queues on it, and the
// pages that reach each other, and the desktop services (file choosers,
// questions, outside programs, web pages). The main window owns one and hands
// it to what it builds; tests point the sender at a recording queue and
// `desktop` at recording services.

#include "core/app/ConsoleOptions.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/profiles/ProfileBindings.h"

namespace orvanta
{
class DesktopServices;
class KeyboardLink;
} // namespace orvanta
class CommandSender;
class CustomizePanel;
class KeyPopup;
class LightingPage;
class MacroPage;
class ProfileMenu;
class ResetProgressView;
class SettingsPage;
class SocketHelper;

struct ConsoleContext {
    orvanta::ConsoleOptions options;
    orvanta::KeyboardLink *link = nullptr;
    // Queues on the link (tests point it at a recording queue).
    CommandSender *sender = nullptr;
    // The key map of the active on-board profile as the console composes it.
    orvanta::KeyMap keyMap = orvanta::DEFAULT_KEY_MAP;
    // The saved profile each on-board profile shows, and the active one.
    orvanta::ProfileBindings bindings;
    // Set by the main window before it builds its pages.
    orvanta::DesktopServices *desktop = nullptr;

    LightingPage *lighting = nullptr;
    MacroPage *macros = nullptr;
    SettingsPage *settings = nullptr;
    ResetProgressView *resetView = nullptr;
    KeyPopup *keyPopup = nullptr;
    SocketHelper *socket = nullptr;
    ProfileMenu *profileMenu = nullptr;
    CustomizePanel *customize = nullptr;
};
