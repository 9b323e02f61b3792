#pragma once
// The colour-stop model behind the STOPS CONTROL strip: which slots hold a
// stop, which stop is selected, adding, deleting, dragging and recolouring.
// The page keeps one editor and mirrors it with its handle labels.

#include "LightingTypes.h"

#include <array>

namespace orvanta
{

// x pixel of each slot's handle on the strip (slots 0..10); handles sit at y 370.
constexpr std::array<int, kStopSlots> stopX = {524, 566, 604, 642, 680, 718,
                                               756, 794, 832, 870, 912};
constexpr int kStopHandleY = 370;
constexpr int kStopHandleSize = 11;

// Slot whose hit zone holds x (slot 0: 525..534, slot i: stopX[i]+1..stopX[i]+10,
// slot 10: 913..922), or -1 between zones. Presence is not considered.
int stopSlotAtX(int x);

// A press that may select a stop (y 371..385, x 525..922).
bool isStopStripPress(int x, int y);
// A move that may drag the selected stop (y 371..380).
bool isStopStripDrag(int y);

class StopEditor
{
public:
    explicit StopEditor(const StopSlots &stops = defaultStops());

    // Loads another stop set (a pattern read, a remembered set); ends the selection.
    // The end slots are always present, whatever the set says.
    void setStops(const StopSlots &stops);
    const StopSlots &stops() const { return m_stops; }

    // A built-in pattern is shown read-only: its stops take no edit at all.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    int presentCount() const;

    // ADD STOP: the lowest free slot among 1..9 becomes a red stop. Returns that
    // slot, or -1 when all 11 are present or the pattern is read-only.
    int addStop();

    // DEL STOP: removes the selected middle stop and ends the selection.
    // Returns the freed slot, or -1 when no middle stop is selected.
    int deleteSelected();

    // Selects the present stop whose hit zone holds x. A middle stop records its
    // nearest present neighbours and may then be dragged; an end stop may only be
    // recoloured. Returns the selected slot or -1 (selection unchanged then).
    int selectAtX(int x);
    int selectSlot(int slot);
    void clearSelection();

    bool hasSelection() const { return m_selected >= 0; }
    int selectedSlot() const { return m_selected; }
    bool selectedIsMiddle() const { return m_selected >= 1 && m_selected <= 9; }
    int leftNeighbour() const { return m_left; }
    int rightNeighbour() const { return m_right; }

    // Drags the selected middle stop to the slot whose zone holds x, if that slot
    // lies strictly between the recorded neighbours; the colour moves with it.
    // Returns true when the stop moved.
    bool dragToX(int x);
    bool moveSelectedTo(int slot);

    // Gives the selected stop a new colour. False when nothing is selected or the
    // pattern is read-only.
    bool recolourSelected(const Rgb &color);

private:
    StopSlots m_stops;
    bool m_readOnly = false;
    int m_selected = -1;
    int m_left = -1;
    int m_right = -1;
};

} // namespace orvanta
