#include "KeyTable.h"

#include <algorithm>

namespace orvanta
{

namespace
{

// Cells ordered row of keys by row of keys (top to bottom by the top of the hit
// region), left to right, as the hit test tries them.
std::array<int, kKeyCount> hitOrder()
{
    std::array<int, kKeyCount> order{};
    for (int i = 0; i < kKeyCount; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [](int a, int b) {
        const KeyRange &ra = KEY_TABLE[a].hit, &rb = KEY_TABLE[b].hit;
        if (ra.y0 != rb.y0)
            return ra.y0 < rb.y0;
        return ra.x0 < rb.x0;
    });
    return order;
}

constexpr int kLeftWindowsKey = 67;
constexpr int kRightWindowsKey = 71;
constexpr int kPadPlus = 94;
constexpr int kPadEnter = 101;
// The number pad's rows: 6 ends at the bottom of + , 3 begins at the top of Enter.
constexpr int kPadSixBottom = 298;
constexpr int kPadThreeTop = 305;
// The tall keys start one pixel right of the keys beside them, so every cap
// stays apart from its neighbours.
constexpr int kTallKeyLeft = 1015;

KeyRect rectOf(int x0, int x1, int y0, int y1)
{
    return {x0, y0, x1 - x0 + 1, y1 - y0 + 1};
}

} // namespace

KeyRect keyCapRect(int cell)
{
    if (cell < 0 || cell >= kKeyCount)
        return {0, 0, 0, 0};
    const KeyRange &r = KEY_TABLE[size_t(cell)].hit;
    switch (cell) {
    case kLeftWindowsKey: // between the left Ctrl and Alt
        return rectOf(407, 434, 335, 358);
    case kRightWindowsKey: // between the right Alt and Menu
        return rectOf(723, 750, 335, 358);
    case kPadPlus:
        return rectOf(kTallKeyLeft, r.x1, r.y0, kPadSixBottom);
    case kPadEnter:
        return rectOf(kTallKeyLeft, r.x1, kPadThreeTop, r.y1);
    default:
        return rectOf(r.x0, r.x1, r.y0, r.y1);
    }
}

int hitTestKey(int x, int y)
{
    static const std::array<int, kKeyCount> order = hitOrder();
    for (int cell : order) {
        const KeyRange &r = KEY_TABLE[cell].hit;
        if (!r.empty() && r.contains(x, y))
            return cell;
    }
    // The tall keys' regions cover one row each; the rest of their caps selects
    // them too.
    for (int cell : {kPadPlus, kPadEnter}) {
        const KeyRect c = keyCapRect(cell);
        if (x >= c.x && x < c.x + c.w && y >= c.y && y < c.y + c.h)
            return cell;
    }
    return kNoKey;
}

int cellOfUsage(quint8 usage)
{
    for (int i = 0; i < kKeyCount; ++i)
        if (KEY_TABLE[i].matrix >= 0 && KEY_TABLE[i].usage == usage)
            return i;
    return -1;
}

} // namespace orvanta
