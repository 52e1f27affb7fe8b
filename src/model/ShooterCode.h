#pragma once

// The shooter code stored in a brick's Action for a pattern of the four shooter directions:
// 0 for none, 5..19 otherwise. The numbering is part of the tileset file format.
int ShooterCode(bool top, bool right, bool bottom, bool left);
