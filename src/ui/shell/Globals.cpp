#include "Globals.h"

keyboard_light_view *gLightView = nullptr;
micro_view *gMacroView = nullptr;
key_main_sand_cmd *gCommandSender = nullptr;
reset_view *gResetView = nullptr;
setting_view *gSettingView = nullptr;
key_show_img *gKeyPopup = nullptr;
SocketHelper *gSocketHelper = nullptr;
orvanta::HidDevice *gDeviceHandle = nullptr;
orvanta::HidDevice *gConsumerHandle = nullptr;
