#pragma once
// Where each key's light sits in a per-LED colour report: the byte offset of its
// colour, 8 x (column + 1) + row. Indexed by key (cell) index 0..103.

#include <array>

namespace orvanta
{

constexpr int kLedSlotCount = 264; // one slot per byte of a feature report
constexpr int kKeyLightCount = 104;

constexpr std::array<int, kKeyLightCount> keyToLedSlot = {{
    8,  16, 24,  32,  40, 48,  56,  64,  72,  80,  88,  96,  104,      // keys 0..12
    9,  17, 25,  33,  41, 49,  57,  65,  73,  81,  89,  97,  105, 129, // keys 13..26
    10, 18, 26,  34,  42, 50,  58,  66,  74,  82,  90,  98,  106, 114, // keys 27..40
    11, 19, 27,  35,  43, 51,  59,  67,  75,  83,  91,  99,  115,      // keys 41..53
    12, 36, 44,  52,  60, 68,  76,  84,  92,  100, 108, 124,           // keys 54..65
    13, 21, 29,  45,  85, 93,  109, 117, 112, 120, 128,                // keys 66..76
    15, 31, 47,  23,  39, 55,  38,  14,  22,  30,  63,  79,  95,  111, // keys 77..90
    71, 87, 103, 102, 46, 119, 78,  54,  62,  86,  118, 70,  94,       // keys 91..103
}};

} // namespace orvanta
