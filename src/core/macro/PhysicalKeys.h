#pragma once
// The keys of a PC keyboard by where they are, not by what they type: the
// X11 key codes (evdev numbering) of the keys, with the HID usage code the
// key sends and a name for it. A macro records the key that was pressed, so
// that it plays back the same key whatever the layout and the modifiers.

#include <QString>
#include <QtGlobal>

namespace orvanta::macro
{

struct PhysicalKey {
    quint8 code = 0;            // HID usage; 0 when the key is unknown
    const char *name = nullptr; // its engraving on a US keyboard, unshifted
};

// The key with this X11 key code; an unknown or zero code gives code 0.
PhysicalKey physicalKey(quint32 x11KeyCode);

// One key event as the window receives it.
struct KeyStroke {
    QString text;         // what it types ("!" for Shift+1)
    int key = 0;          // Qt::Key
    quint32 scanCode = 0; // native scan code: the X11 key code, 0 when unknown
    bool shift = false;   // Shift is held
};

struct RecordedKey {
    QString label;
    quint8 code = 0;
};

// The row label and the key code a macro records for the stroke: the
// physical key where the scan code names one (Shift+1 records the 1 key),
// otherwise the key code of the Qt key. Letters are named in lower case and
// shifted symbols by their key, so a key's down and up rows share the name.
RecordedKey recordedKey(const KeyStroke &stroke);

} // namespace orvanta::macro
