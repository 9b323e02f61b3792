#include "KeyCapture.h"

#include <Qt>

namespace orvanta {

namespace {

struct NamedKey
{
    int qtKey;
    const char *label; // nullptr: the key's own text
    quint8 usage;
};

constexpr NamedKey kNamedKeys[] = {
    {Qt::Key_Space, "Space", 0x2C},     {Qt::Key_Apostrophe, "'", 0x34},
    {Qt::Key_Asterisk, "*", 0x55},      {Qt::Key_Comma, ",", 0x36},
    {Qt::Key_Minus, "-", 0x2D},         {Qt::Key_Period, ".", 0x37},
    {Qt::Key_Slash, "/", 0x38},         {Qt::Key_Semicolon, ";", 0x33},
    {Qt::Key_Equal, "=", 0x2E},         {Qt::Key_BracketLeft, "[", 0x2F},
    {Qt::Key_Backslash, "\\", 0x31},    {Qt::Key_BracketRight, "]", 0x30},
    {Qt::Key_QuoteLeft, "`", 0x35},     {Qt::Key_Escape, "Esc", 0x29},
    {Qt::Key_Tab, "Tab", 0x2B},         {Qt::Key_Backspace, "Backspace", 0x2A},
    {Qt::Key_Return, "Enter", 0x28},    {Qt::Key_Enter, "Enter", 0x58},
    {Qt::Key_Insert, "Insert", 0x49},   {Qt::Key_Delete, "Delete", 0x4C},
    {Qt::Key_Pause, "Pause", 0x48},     {Qt::Key_Print, "PrtScr", 0x46},
    {Qt::Key_Home, "Home", 0x4A},       {Qt::Key_End, "End", 0x4D},
    {Qt::Key_Left, "Left", 0x50},       {Qt::Key_Up, "Up", 0x52},
    {Qt::Key_Right, "Right", 0x4F},     {Qt::Key_Down, "Down", 0x51},
    {Qt::Key_PageUp, "PageUp", 0x4B},   {Qt::Key_PageDown, "PageDown", 0x4E},
    {Qt::Key_Shift, "Shift", 0xE1},     {Qt::Key_Control, "Ctrl", 0xE0},
    {Qt::Key_Alt, "Alt", 0xE2},         {Qt::Key_CapsLock, "Caps", 0x39},
    {Qt::Key_NumLock, "Num", 0x53},     {Qt::Key_ScrollLock, "Scroll", 0x47},
};

} // namespace

CapturedKey captureKey(int qtKey, const QString &text, bool keypad)
{
    CapturedKey out;
    out.label = text;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
        const int n = qtKey - Qt::Key_F1;
        out.label = QStringLiteral("F%1").arg(n + 1);
        out.hasUsage = true;
        out.usage = quint8(0x3A + n);
        return out;
    }
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        const int d = qtKey - Qt::Key_0;
        out.hasUsage = true;
        if (keypad)
            out.usage = quint8(d == 0 ? 0x62 : 0x59 + d - 1);
        else
            out.usage = quint8(d == 0 ? 0x27 : 0x1E + d - 1);
        return out;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        out.hasUsage = true;
        out.usage = quint8(qtKey - 0x3D);
        return out;
    }
    for (const NamedKey &k : kNamedKeys) {
        if (k.qtKey == qtKey) {
            out.label = QString::fromLatin1(k.label);
            out.hasUsage = true;
            out.usage = k.usage;
            return out;
        }
    }
    return out;
}

} // namespace orvanta
