#include "StopEditor.h"

namespace orvanta
{

int stopSlotAtX(int x)
{
    if (x >= 525 && x <= 534)
        return 0;
    if (x >= 913 && x <= 922)
        return 10;
    for (int i = 1; i <= 9; ++i) {
        if (x >= stopX[i] + 1 && x <= stopX[i] + 10)
            return i;
    }
    return -1;
}

bool isStopStripPress(int x, int y)
{
    return y >= 371 && y <= 385 && x >= 525 && x <= 922;
}

bool isStopStripDrag(int y)
{
    return y >= 371 && y <= 380;
}

StopEditor::StopEditor(const StopSlots &stops)
{
    setStops(stops);
}

void StopEditor::setStops(const StopSlots &stops)
{
    m_stops = stops;
    m_stops[0].present = true;
    m_stops[kStopSlots - 1].present = true;
    clearSelection();
}

void StopEditor::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly)
        clearSelection();
}

int StopEditor::presentCount() const
{
    int n = 0;
    for (const ColorStop &s : m_stops)
        n += s.present ? 1 : 0;
    return n;
}

int StopEditor::addStop()
{
    if (m_readOnly || presentCount() >= kStopSlots)
        return -1;
    for (int i = 1; i <= 9; ++i) {
        if (!m_stops[i].present) {
            m_stops[i] = {true, {255, 0, 0}};
            return i;
        }
    }
    return -1;
}

int StopEditor::deleteSelected()
{
    if (m_readOnly || !selectedIsMiddle())
        return -1;
    const int slot = m_selected;
    m_stops[slot].present = false;
    clearSelection();
    return slot;
}

int StopEditor::selectAtX(int x)
{
    return selectSlot(stopSlotAtX(x));
}

int StopEditor::selectSlot(int slot)
{
    if (m_readOnly || slot < 0 || slot >= kStopSlots || !m_stops[slot].present)
        return -1;
    m_selected = slot;
    m_left = -1;
    m_right = -1;
    if (selectedIsMiddle()) {
        for (int i = slot - 1; i >= 0 && m_left < 0; --i)
            if (m_stops[i].present)
                m_left = i;
        for (int i = slot + 1; i < kStopSlots && m_right < 0; ++i)
            if (m_stops[i].present)
                m_right = i;
    }
    return slot;
}

void StopEditor::clearSelection()
{
    m_selected = -1;
    m_left = -1;
    m_right = -1;
}

bool StopEditor::dragToX(int x)
{
    return moveSelectedTo(stopSlotAtX(x));
}

bool StopEditor::moveSelectedTo(int slot)
{
    if (m_readOnly || !selectedIsMiddle() || slot == m_selected)
        return false;
    if (slot < 1 || slot > 9 || slot <= m_left || slot >= m_right)
        return false;
    m_stops[slot] = {true, m_stops[m_selected].color};
    m_stops[m_selected] = ColorStop{};
    m_selected = slot;
    return true;
}

bool StopEditor::recolourSelected(const Rgb &color)
{
    if (m_readOnly || !hasSelection())
        return false;
    m_stops[m_selected].color = color;
    return true;
}

} // namespace orvanta
