#pragma once
// What the window, its pages and its panels share: the options the console was
// started with, the keyboard link, the command set that queues on it, and the
// pages that reach each other, and the desktop services (file choosers,
// questions, outside programs, web pages). The main window owns one and hands
// it to what it builds; tests point the sender at a recording queue and
// `desktop` at recording services.

#include "core/app/ConsoleOptions.h"

namespace orvanta
{
class ConsoleController;
class DesktopServices;
class KeyboardLink;
class Notices;
class SlotSync;
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
    // What the console knows and its use cases; it outlives every page.
    orvanta::ConsoleController *controller = nullptr;
    // The controller's sender, which queues on the link (tests point it at a
    // recording queue).
    CommandSender *sender = nullptr;
    // Which slots each keyboard still misses, and the updates that send them.
    orvanta::SlotSync *slotSync = nullptr;
    // Set by the main window before it builds its pages.
    orvanta::DesktopServices *desktop = nullptr;
    // Where refusals and failures are posted and every failed file operation
    // is told (the controller's; the window shows them). Set first.
    orvanta::Notices *notices = nullptr;

    LightingPage *lighting = nullptr;
    MacroPage *macros = nullptr;
    SettingsPage *settings = nullptr;
    ResetProgressView *resetView = nullptr;
    KeyPopup *keyPopup = nullptr;
    SocketHelper *socket = nullptr;
    ProfileMenu *profileMenu = nullptr;
    CustomizePanel *customize = nullptr;
};
