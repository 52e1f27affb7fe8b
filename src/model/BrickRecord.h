#pragma once

#include <cstdint>

// One brick of a tileset: 28 bytes in the tileset file, seven 32-bit fields in this order.
struct BrickRecord
{
    std::int32_t Action = 0;    // 0 none yet, 1 hittable, 2 indestructible, 3 go-through,
                                // 4 dynamite, 5..19 shooter
    std::int32_t Frames = 0;    // pictures in the brick's animation; 1 = not animated
    std::int32_t AnimFrame = 0; // which picture of the animation, from 1
    std::int32_t Hits = 0;      // hits the brick takes
    std::int32_t HitStage = 0;  // which hit stage this picture shows, from 1
    std::int32_t PicX = 0;      // left pixel of the picture in the tileset bitmap
    std::int32_t PicY = 0;      // top pixel

    bool operator==(const BrickRecord &) const = default;
};

inline constexpr int BrickRecordSize = 28;
