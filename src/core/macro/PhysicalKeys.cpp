#include "PhysicalKeys.h"

#include "MacroCodec.h"

#include <array>

namespace orvanta::macro
{

namespace
{

struct Row {
    quint32 x11;
    quint8 code;
    const char *name;
};

// X11 key code = Linux input key code + 8.
constexpr std::array<Row, 105> kKeys = {{
    {9, 0x29, "Esc"},     {10, 0x1E, "1"},         {11, 0x1F, "2"},          {12, 0x20, "3"},
    {13, 0x21, "4"},      {14, 0x22, "5"},         {15, 0x23, "6"},          {16, 0x24, "7"},
    {17, 0x25, "8"},      {18, 0x26, "9"},         {19, 0x27, "0"},          {20, 0x2D, "-"},
    {21, 0x2E, "="},      {22, 0x2A, "Backspace"}, {23, 0x2B, "Tab"},        {24, 0x14, "q"},
    {25, 0x1A, "w"},      {26, 0x08, "e"},         {27, 0x15, "r"},          {28, 0x17, "t"},
    {29, 0x1C, "y"},      {30, 0x18, "u"},         {31, 0x0C, "i"},          {32, 0x12, "o"},
    {33, 0x13, "p"},      {34, 0x2F, "["},         {35, 0x30, "]"},          {36, 0x28, "Enter"},
    {37, 0xE0, "Ctrl"},   {38, 0x04, "a"},         {39, 0x16, "s"},          {40, 0x07, "d"},
    {41, 0x09, "f"},      {42, 0x0A, "g"},         {43, 0x0B, "h"},          {44, 0x0D, "j"},
    {45, 0x0E, "k"},      {46, 0x0F, "l"},         {47, 0x33, ";"},          {48, 0x34, "'"},
    {49, 0x35, "~"},      {50, 0xE1, "Shift"},     {51, 0x31, "|"},          {52, 0x1D, "z"},
    {53, 0x1B, "x"},      {54, 0x06, "c"},         {55, 0x19, "v"},          {56, 0x05, "b"},
    {57, 0x11, "n"},      {58, 0x10, "m"},         {59, 0x36, ","},          {60, 0x37, "."},
    {61, 0x38, "/"},      {62, 0xE5, "Shift"},     {63, 0x55, "Num *"},      {64, 0xE2, "Alt"},
    {65, 0x2C, "Space"},  {66, 0x39, "Caps"},      {67, 0x3A, "F1"},         {68, 0x3B, "F2"},
    {69, 0x3C, "F3"},     {70, 0x3D, "F4"},        {71, 0x3E, "F5"},         {72, 0x3F, "F6"},
    {73, 0x40, "F7"},     {74, 0x41, "F8"},        {75, 0x42, "F9"},         {76, 0x43, "F10"},
    {77, 0x53, "Num"},    {78, 0x47, "Scroll"},    {79, 0x5F, "Num 7"},      {80, 0x60, "Num 8"},
    {81, 0x61, "Num 9"},  {82, 0x56, "Num -"},     {83, 0x5C, "Num 4"},      {84, 0x5D, "Num 5"},
    {85, 0x5E, "Num 6"},  {86, 0x57, "Num +"},     {87, 0x59, "Num 1"},      {88, 0x5A, "Num 2"},
    {89, 0x5B, "Num 3"},  {90, 0x62, "Num 0"},     {91, 0x63, "Num ."},      {94, 0x64, "<"},
    {95, 0x44, "F11"},    {96, 0x45, "F12"},       {104, 0x58, "Num Enter"}, {105, 0xE4, "Ctrl"},
    {106, 0x54, "Num /"}, {107, 0x46, "PrtSc"},    {108, 0xE6, "Alt"},       {110, 0x4A, "Home"},
    {111, 0x52, "Up"},    {112, 0x4B, "PageUp"},   {113, 0x50, "Left"},      {114, 0x4F, "Right"},
    {115, 0x4D, "End"},   {116, 0x51, "Down"},     {117, 0x4E, "PageDown"},  {118, 0x49, "Insert"},
    {119, 0x4C, "Del"},   {127, 0x48, "Pause"},    {133, 0xE3, "Win"},       {134, 0xE7, "Win"},
    {135, 0x65, "Menu"},
}};

bool printable(const QString &text)
{
    return text.size() == 1 && text[0].isPrint() && !text[0].isSpace();
}

} // namespace

PhysicalKey physicalKey(quint32 x11KeyCode)
{
    for (const Row &row : kKeys)
        if (row.x11 == x11KeyCode)
            return {row.code, row.name};
    return {};
}

RecordedKey recordedKey(const KeyStroke &stroke)
{
    const PhysicalKey physical = physicalKey(stroke.scanCode);
    const CharKey typed = charKeyCode(stroke.key);
    RecordedKey out;
    out.code = physical.code ? physical.code : typed.code;
    if (stroke.text.size() == 1 && stroke.text[0].isLetter())
        out.label = stroke.text.toLower();
    else if (stroke.shift && printable(stroke.text) && physical.name)
        out.label = QString::fromLatin1(physical.name); // "!" is the 1 key
    else if (typed.label)
        out.label = QString::fromLatin1(typed.label);
    else if (printable(stroke.text) || !physical.name)
        out.label = stroke.text;
    else
        out.label = QString::fromLatin1(physical.name);
    return out;
}

} // namespace orvanta::macro
