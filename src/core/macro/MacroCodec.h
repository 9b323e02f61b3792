#pragma once
// The device form of a macro: the 264-byte command image, the key codes of the
// captured keys and mouse buttons, and the edits that keep the image in step
// with the event rows.
//
// Event i lives in group i at byte 10 + 3i: its state byte, then the delay byte
// of the event before it, then its key code. The recorder writes an event as
// state at 10 + 3i, key code at 12 + 3i and its own delay at 14 + 3i, which is
// the middle byte of the next group.

#include "core/device/Report.h"

#include <Qt>
#include <QtGlobal>
#include <array>

namespace orvanta::macro
{

constexpr int kEventBase = 10;
constexpr int kGroupSize = 3;
// Event i needs bytes up to 14 + 3i, so the image holds events 0 to 83.
constexpr int kMaxEvents = 84;
constexpr int kMaxDelayMs = 12000;
constexpr int kDelayStepMs = 50;

constexpr quint8 kStateRelease = 0x80;
constexpr quint8 kStatePress = 0x00;

// Mouse buttons reach the table as their button numbers.
constexpr int kMouseLeft = 1;
constexpr int kMouseRight = 2;
constexpr int kMouseMiddle = 4;

struct CharKeyRow {
    int input;         // Qt key code, or a mouse button number
    quint8 code;       // the key code the keyboard plays
    const char *label; // the row label for named keys; nullptr keeps the key's text
};

// Keys whose code is not a plain offset from the Qt key code. Letters and digits
// are computed in charKeyCode. Return and keypad Enter share one code: the
// keyboard plays the keypad Enter usage for both, and likewise "-", "." and "/"
// use their keypad usages. The mouse rows carry no label: the mouse handler
// names the button itself.
constexpr std::array<CharKeyRow, 53> CHAR_KEY_TABLE = {{
    {kMouseLeft, 206, nullptr},
    {kMouseRight, 207, nullptr},
    {kMouseMiddle, 208, nullptr},
    {Qt::Key_F1, 58, "F1"},
    {Qt::Key_F2, 59, "F2"},
    {Qt::Key_F3, 60, "F3"},
    {Qt::Key_F4, 61, "F4"},
    {Qt::Key_F5, 62, "F5"},
    {Qt::Key_F6, 63, "F6"},
    {Qt::Key_F7, 64, "F7"},
    {Qt::Key_F8, 65, "F8"},
    {Qt::Key_F9, 66, "F9"},
    {Qt::Key_F10, 67, "F10"},
    {Qt::Key_F11, 68, "F11"},
    {Qt::Key_F12, 69, "F12"},
    {Qt::Key_Escape, 41, "Esc"},
    {Qt::Key_Tab, 43, "Tab"},
    {Qt::Key_Backtab, 43, "Tab"}, // Shift+Tab arrives as Backtab
    {Qt::Key_Backspace, 42, "Backspace"},
    {Qt::Key_Return, 88, "Enter"},
    {Qt::Key_Enter, 88, "Enter"},
    {Qt::Key_Insert, 73, "Insert"},
    {Qt::Key_Delete, 76, "Del"},
    {Qt::Key_Pause, 72, "Pause"},
    {Qt::Key_Home, 74, "Home"},
    {Qt::Key_End, 77, "End"},
    {Qt::Key_Left, 80, "Left"},
    {Qt::Key_Up, 82, "Up"},
    {Qt::Key_Right, 79, "Right"},
    {Qt::Key_Down, 81, "Down"},
    {Qt::Key_PageUp, 75, "PageUp"},
    {Qt::Key_PageDown, 78, "PageDown"},
    {Qt::Key_Shift, 225, "Shift"},
    {Qt::Key_Control, 224, "Ctrl"},
    {Qt::Key_Meta, 227, "Win"},
    {Qt::Key_Alt, 226, "Alt"},
    {Qt::Key_CapsLock, 57, "Caps"},
    {Qt::Key_NumLock, 83, "Num"},
    {Qt::Key_ScrollLock, 71, "Scroll"},
    {Qt::Key_Space, 44, "Space"},
    {Qt::Key_Apostrophe, 52, "'"},
    {Qt::Key_Asterisk, 85, "*"},
    {Qt::Key_Plus, 87, "+"},
    {Qt::Key_Comma, 54, ","},
    {Qt::Key_Minus, 86, "-"},
    {Qt::Key_Period, 99, "."},
    {Qt::Key_Slash, 84, "/"},
    {Qt::Key_Semicolon, 51, ";"},
    {Qt::Key_Equal, 46, "="},
    {Qt::Key_BracketLeft, 47, "["},
    {Qt::Key_Backslash, 49, "|"},
    {Qt::Key_BracketRight, 48, "]"},
    {Qt::Key_QuoteLeft, 53, "~"},
}};

struct CharKey {
    quint8 code = 0;
    const char *label = nullptr; // nullptr: the row keeps the key's own text
};

// The key code (0 for keys the keyboard cannot play) and, for named keys, the label.
CharKey charKeyCode(int input);

// Delay in ms to 50 ms steps: 0..12000 gives 0..240; below 0 gives 0, above 12000 gives 240.
quint8 delayByte(int ms);

// Rounds to the nearest multiple of 10, a remainder of 5 or more rounding up.
int roundToTen(int ms);
// A delay typed into a row: at most 12000 and never below 0, then rounded to 10.
int editedDelay(int ms);

// Writes one event at base 10 + offset: the state byte, the key code two bytes
// later and the delay byte four bytes later. Bytes beyond the image are left out.
void writeEvent(Report &image, int offset, int delayMs, quint8 keyCode, bool release);

// Merges an insert-mode recording. `recording` holds the committed image with the
// new events p..n written over it; the result has the new events at p..n and
// the events that stood at p and after behind them from n + 1 on, each with its
// state, key code and following delay. The last new event's delay is the one
// the recording wrote after it. Events pushed past the 84th are dropped.
Report mergeInsert(const Report &committed, const Report &recording, int p, int n);

// Removes event `row`: the later events move up one group each and keep their
// delays; the event before the removed one keeps its own delay.
void removeEvent(Report &image, int row);

// Sets the delay after event `row` (bytes outside the image are left alone).
void setEventDelay(Report &image, int row, int delayMs);

} // namespace orvanta::macro
