#include "Globals.h"

LightingPage *gLightView = nullptr;
MacroPage *gMacroView = nullptr;
CommandSender *gCommandSender = nullptr;
ResetProgressView *gResetView = nullptr;
SettingsPage *gSettingView = nullptr;
KeyPopup *gKeyPopup = nullptr;
SocketHelper *gSocketHelper = nullptr;
orvanta::HidDevice *gDeviceHandle = nullptr;
orvanta::HidDevice *gConsumerHandle = nullptr;
