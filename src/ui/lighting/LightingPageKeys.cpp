// The LIGHTING page from the keyboard: keys painted from the key cursor, colour
// stops chosen with the arrow keys.

#include "LightingPage.h"

#include <QSlider>

using namespace orvanta;

bool LightingPage::paintKeys(const QVector<int> &keys)
{
    if (!m_model.perKeyEditing())
        return false;
    const Rgb colour = m_model.currentColor();
    for (int key : keys) {
        if (key < 0 || key >= kKeyLightCount)
            continue;
        m_model.paintKey(key, colour);
        m_keyEditor->showKey(key, colour);
    }
    return true;
}

int LightingPage::chooseStop(int step)
{
    if (!m_model.userPatternChosen() || !m_stopsSlider->isVisible())
        return -1;
    const StopSlots &stops = m_model.stops();
    const int now = m_model.stopEditor().selectedSlot();
    int slot = now < 0 ? (step > 0 ? -1 : kStopSlots) : now;
    for (slot += step; slot >= 0 && slot < kStopSlots; slot += step) {
        if (stops[slot].present)
            break;
    }
    if (slot < 0 || slot >= kStopSlots)
        return now;
    if (m_model.selectStop(slot) < 0)
        return -1; // a built-in pattern's stops stay as they are
    refreshStopHandles();
    return slot;
}
