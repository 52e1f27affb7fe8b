#pragma once

#include <QByteArray>
#include <cstdint>

// Byte-by-byte little-endian encoding; callers check the size before reading.
inline void PutLE16(QByteArray &out, std::int16_t value)
{
    const auto v = static_cast<std::uint16_t>(value);
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}

inline void PutLE32(QByteArray &out, std::int32_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.append(static_cast<char>((v >> shift) & 0xFF));
}

inline std::int16_t GetLE16(const QByteArray &in, qsizetype offset)
{
    const auto *p = reinterpret_cast<const unsigned char *>(in.constData() + offset);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
}

inline std::int32_t GetLE32(const QByteArray &in, qsizetype offset)
{
    const auto *p = reinterpret_cast<const unsigned char *>(in.constData() + offset);
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
        static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24);
}
