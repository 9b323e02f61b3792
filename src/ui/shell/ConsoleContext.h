#pragma once
// What the window, its pages and its panels share: the options the console was
// started with, the keyboard link, the command set that queues on it, and the
// pages that reach each other, and the desktop services (file choosers,
// questions, outside programs, web pages). The main window owns one and hands
// it to what it builds; tests point `device` at a recording keyboard and
// `desktop` at recording services.

#include "core/app/ConsoleOptions.h"
#include "core/profiles/ProfileBindings.h"

#include <QStringList>
#include <functional>

namespace orvanta
{
class DesktopServices;
class HidDevice;
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
    CommandSender *sender = nullptr;
    // Which slots each keyboard still misses, and the updates that send them.
    orvanta::SlotSync *slotSync = nullptr;
    // Where the sender sends when it has no link (tests and tools that drive it
    // directly). The console's own keyboard lives in the link, so this stays
    // null there.
    orvanta::HidDevice *device = nullptr;
    // The saved profile each on-board profile shows, and the active one.
    orvanta::ProfileBindings bindings;
    // Set by the main window before it builds its pages.
    orvanta::DesktopServices *desktop = nullptr;
    // Where refusals and failures are posted; the window shows them. Set first.
    orvanta::Notices *notices = nullptr;
    // Keeps `paths` before an action that Undo can take back ("factory reset",
    // "profile" or "macro", with the name deleted); false when they could not
    // be kept (the action is then not carried out).
    std::function<bool(const QString &kind, const QString &name, const QStringList &paths)>
        keepForUndo;

    LightingPage *lighting = nullptr;
    MacroPage *macros = nullptr;
    SettingsPage *settings = nullptr;
    ResetProgressView *resetView = nullptr;
    KeyPopup *keyPopup = nullptr;
    SocketHelper *socket = nullptr;
    ProfileMenu *profileMenu = nullptr;
    CustomizePanel *customize = nullptr;
};
