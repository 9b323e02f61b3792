#include "KeyNavigation.h"

#include "KeyTable.h"

#include <QPoint>
#include <QRect>
#include <limits>

namespace orvanta
{

namespace
{

bool navigable(int key)
{
    return key >= 0 && key < kKeyCount && KEY_TABLE[key].label != nullptr;
}

// The key's cap as the picture draws it.
QRect capOf(int key)
{
    const KeyRect c = keyCapRect(key);
    return QRect(c.x, c.y, c.w, c.h);
}

// Twice the centre, so that odd sizes stay exact.
QPoint doubledCentre(int key)
{
    const KeyRect c = keyCapRect(key);
    return QPoint(2 * c.x + c.w, 2 * c.y + c.h);
}

} // namespace

int keyInDirection(int key, KeyDirection direction)
{
    if (!navigable(key))
        return firstNavigableKey();
    const QPoint from = doubledCentre(key);
    // A key counts as lying that way when its centre is at least half a key
    // (14 px) further, so that keys of other widths in the same column or row
    // (Caps and Ctrl, Enter and \\) do not; among those, the distance across the direction
    // weighs four times the distance along it, so that the cursor keeps to
    // its row or column and takes the nearest key there.
    constexpr int kMinimumStep = 2 * 14;
    constexpr int kAcrossWeight = 4;
    int best = key;
    long bestCost = std::numeric_limits<long>::max();
    for (int k = 0; k < kKeyCount; ++k) {
        if (k == key || !navigable(k))
            continue;
        const QPoint d = doubledCentre(k) - from;
        int along = 0, across = 0;
        switch (direction) {
        case KeyDirection::Left:
            along = -d.x(), across = d.y();
            break;
        case KeyDirection::Right:
            along = d.x(), across = d.y();
            break;
        case KeyDirection::Up:
            along = -d.y(), across = d.x();
            break;
        case KeyDirection::Down:
            along = d.y(), across = d.x();
            break;
        }
        if (along < kMinimumStep)
            continue;
        const long cost = long(along) + long(kAcrossWeight) * qAbs(across);
        if (cost < bestCost) {
            bestCost = cost;
            best = k;
        }
    }
    return best;
}

int firstNavigableKey()
{
    for (int k = 0; k < kKeyCount; ++k)
        if (navigable(k))
            return k;
    return 0;
}

QVector<int> keysSpannedBy(int a, int b)
{
    QVector<int> keys;
    if (!navigable(a) || !navigable(b))
        return keys;
    const QRect band = capOf(a).united(capOf(b));
    for (int k = 0; k < kKeyCount; ++k)
        if (navigable(k) && band.contains(capOf(k).center()))
            keys.append(k);
    return keys;
}

} // namespace orvanta
