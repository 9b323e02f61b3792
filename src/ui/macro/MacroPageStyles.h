#pragma once
// The MACROS page's style sheets: the page, and the looks of its buttons.

namespace orvanta::macro::looks
{

constexpr const char *kPageStyle =
    "#micro_view { background-color: #141519; }"
    "QFrame#macroPanel { background-color: #1d1e24; border: 1px solid #2e3038;"
    " border-radius: 6px; }"
    "QLabel { color: #e8e8ea; font: bold 12px; background: transparent; }"
    "QLabel[caption=\"true\"] { color: #e03a3a; font: bold 13px; }"
    "QComboBox, QLineEdit { background-color: #0f1013; color: #ffffff; border: 1px solid #3b3d47;"
    " border-radius: 3px; padding: 2px 6px; font: 13px; }"
    "QComboBox:disabled, QLineEdit:disabled { color: #6b6d75; border-color: #2a2b31; }"
    "QComboBox QAbstractItemView { background-color: #1d1e24; color: #ffffff;"
    " selection-background-color: #a8202a; }"
    "QCheckBox { color: #e8e8ea; font: bold 12px; spacing: 6px; }"
    "QCheckBox:disabled { color: #6b6d75; }"
    "QCheckBox::indicator { width: 16px; height: 16px; }"
    "QCheckBox::indicator:unchecked { image: url(Image/check_off.png); }"
    "QCheckBox::indicator:checked { image: url(Image/check_on.png); }"
    "QTreeWidget { background-color: #0f1013; alternate-background-color: #17181d;"
    " color: #f0f0f2; border: 1px solid #3b3d47; font: 13px; outline: 0; }"
    "QTreeWidget:disabled { color: #8a8c94; }"
    "QTreeWidget::item { height: 26px; }"
    "QTreeWidget::item:selected { background-color: #a8202a; color: #ffffff; }"
    "QHeaderView::section { background-color: #25262d; color: #ffffff; font: bold 12px;"
    " border: none; border-right: 1px solid #3b3d47; padding: 5px; }"
    "QTreeWidget QLineEdit { background-color: #ffffff; color: #000000; border: 1px solid #e03a3a;"
    " padding: 0px; }";

constexpr const char *kNormalLook =
    "QPushButton { border-image: url(Image/UI-Design-2016_Keyboard_out_204_910.472.png);"
    " background-color: #2d2f37; color: #ffffff; font: bold 12px; border-radius: 3px; }"
    "QPushButton:hover { color: #ff5c5c; }"
    "QPushButton:disabled { color: #6b6d75; }";
constexpr const char *kInactiveLook =
    "QPushButton { border-image: url(Image/button_inactive.png); background-color: #23242a;"
    " color: #6b6d75; font: bold 12px; border-radius: 3px; }";
constexpr const char *kRedLook =
    "QPushButton { border-image: url(Image/button_red.png); background-color: #b3202b;"
    " color: #ffffff; font: bold 12px; border-radius: 3px; }";
constexpr const char *kModeLook =
    "QPushButton { background: transparent; border: none; color: #e8e8ea; font: bold 12px;"
    " text-align: left; padding-left: 4px; }"
    "QPushButton:hover { color: #ff5c5c; }"
    "QPushButton:disabled { color: #6b6d75; }";

} // namespace orvanta::macro::looks
