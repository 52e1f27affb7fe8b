#pragma once

#include "BrickRecord.h"

#include <vector>

// The brick table shared by the editor and the tileset builder: indices 0..N, element 0 unused.
class BrickTable
{
public:
    BrickTable() : bricks(1) {}

    // Indices 0..n, every element cleared to zeros. Negative n leaves element 0 only.
    void resize(int n);

    // Highest index, N.
    int upperBound() const { return static_cast<int>(bricks.size()) - 1; }

    // Bounds-checked: an index outside 0..N throws std::out_of_range.
    BrickRecord &operator[](int n) { return bricks.at(static_cast<std::size_t>(n)); }
    const BrickRecord &operator[](int n) const { return bricks.at(static_cast<std::size_t>(n)); }

private:
    std::vector<BrickRecord> bricks;
};
