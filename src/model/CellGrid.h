#pragma once

#include "Geometry.h"

#include <array>
#include <cstdint>

// The level's cells, x = 0..20 and y = 0..30; only 1..20 x 1..30 belong to the playfield, but
// row 0 and column 0 are kept and stored too. Element (x, y) lies at x + 21 * y.
class CellGrid
{
public:
    static constexpr int Stride = GridColumns + 1;
    static constexpr int Size = Stride * (GridRows + 1);

    std::int32_t &operator()(int x, int y)
    {
        return cells[static_cast<std::size_t>(x + Stride * y)];
    }
    std::int32_t operator()(int x, int y) const
    {
        return cells[static_cast<std::size_t>(x + Stride * y)];
    }

    // Empties the playfield cells; row 0 and column 0 stay.
    void clearPlayfield()
    {
        for (int y = 1; y <= GridRows; ++y)
            for (int x = 1; x <= GridColumns; ++x)
                (*this)(x, y) = 0;
    }

    std::array<std::int32_t, Size> cells{};

    bool operator==(const CellGrid &) const = default;
};
