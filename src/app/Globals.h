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

// The keyboard's vendor interface (every report goes here) and its consumer
// interface (kept open, never written). Null when no keyboard was found.
extern orvanta::HidDevice *gDeviceHandle;
extern orvanta::HidDevice *gConsumerHandle;
