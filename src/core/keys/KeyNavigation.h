#pragma once
// Moving a key cursor over the pictured keyboard with the arrow keys, in the
// physical layout (the key caps of the picture): from a key, the nearest key centre in the
// direction asked (up from F is R), and the keys of a rectangle spanned by two keys.

#include <QVector>

namespace orvanta
{

enum class KeyDirection { Left, Right, Up, Down };

// The key to go to from `key` (a key table index) in `direction`; `key` itself
// when nothing lies that way. A cell without a key is never chosen.
int keyInDirection(int key, KeyDirection direction);

// The first key of the picture (ESC), where a cursor starts.
int firstNavigableKey();

// Keys whose centres lie in the rectangle spanned by the caps of `a` and `b`.
QVector<int> keysSpannedBy(int a, int b);

} // namespace orvanta
