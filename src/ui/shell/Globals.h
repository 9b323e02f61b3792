#pragma once
// Process-wide objects of the console. The pages reach each other through these;
// the core never uses them: it takes what it needs as arguments.

namespace orvanta {
class HidDevice;
}
class LightingPage;
class MacroPage;
class CommandSender;
class ResetProgressView;
class SettingsPage;
class KeyPopup;
class SocketHelper;

extern LightingPage *gLightView;
extern MacroPage *gMacroView;
extern CommandSender *gCommandSender;
extern ResetProgressView *gResetView;
extern SettingsPage *gSettingView;
extern KeyPopup *gKeyPopup;
extern SocketHelper *gSocketHelper;

// Where the command set sends when it has no keyboard link (tools and tests
// that drive it directly). The console's own keyboard lives in its link
// (MainWindow::keyboardLink()), so these stay null there.
extern orvanta::HidDevice *gDeviceHandle;
extern orvanta::HidDevice *gConsumerHandle;
