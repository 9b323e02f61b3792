#include "KeyTable.h"

#include <algorithm>

namespace orvanta {

namespace {

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

} // namespace

int hitTestKey(int x, int y)
{
    static const std::array<int, kKeyCount> order = hitOrder();
    for (int cell : order) {
        const KeyRange &r = KEY_TABLE[cell].hit;
        if (!r.empty() && r.contains(x, y))
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
