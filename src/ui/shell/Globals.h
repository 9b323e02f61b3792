#pragma once
// Process-wide objects of the console. The pages reach each other through these;
// the core never uses them: it takes what it needs as arguments.

namespace orvanta {
class HidDevice;
}
class keyboard_light_view;
class micro_view;
class key_main_sand_cmd;
class reset_view;
class setting_view;
class key_show_img;
class SocketHelper;

extern keyboard_light_view *gLightView;
extern micro_view *gMacroView;
extern key_main_sand_cmd *gCommandSender;
extern reset_view *gResetView;
extern setting_view *gSettingView;
extern key_show_img *gKeyPopup;
extern SocketHelper *gSocketHelper;

// Where the command set sends when it has no keyboard link (tools and tests
// that drive it directly). The console's own keyboard lives in its link
// (LumoProject::keyboardLink()), so these stay null there.
extern orvanta::HidDevice *gDeviceHandle;
extern orvanta::HidDevice *gConsumerHandle;
