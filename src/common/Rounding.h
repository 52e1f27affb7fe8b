#pragma once

#include <cstdint>
#include <optional>

// Round to the nearest integer, halves to the even one (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
double RoundHalfEven(double value);

// The same, as a 32-bit integer; nullopt when the value is not finite or does not fit.
std::optional<std::int32_t> RoundToInt32(double value);
