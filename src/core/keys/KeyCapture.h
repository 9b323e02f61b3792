#pragma once
// Turns a key released on the computer's keyboard into the label shown in the
// ASSIGN field and the HID usage it stands for.

#include <QString>
#include <QtGlobal>

namespace orvanta {

struct CapturedKey
{
    QString label;
    bool hasUsage = false; // keys without an entry leave the captured usage as it was
    quint8 usage = 0;
};

// qtKey: Qt::Key value; text: the event's text; keypad: the event carried the
// keypad modifier (tells keypad digits from the main block's).
CapturedKey captureKey(int qtKey, const QString &text, bool keypad);

} // namespace orvanta
