// The LIGHTING page's keys painted from the key cursor.

#include "LightingPage.h"

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
