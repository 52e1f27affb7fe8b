#include "BrickTable.h"

void BrickTable::resize(int n)
{
    bricks.assign(static_cast<std::size_t>(n < 0 ? 1 : n + 1), BrickRecord{});
}
