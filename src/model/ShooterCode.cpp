#include "ShooterCode.h"

int ShooterCode(bool top, bool right, bool bottom, bool left)
{
    // Indexed by top | right << 1 | bottom << 2 | left << 3.
    static constexpr int codes[16] = {
        0,  // none
        5,  // top
        6,  // right
        9,  // top, right
        7,  // bottom
        19, // top, bottom
        10, // right, bottom
        14, // all but left
        8,  // left
        12, // left, top
        18, // right, left
        13, // all but bottom
        11, // bottom, left
        16, // all but right
        15, // all but top
        17, // all four
    };
    return codes[int(top) | int(right) << 1 | int(bottom) << 2 | int(left) << 3];
}
