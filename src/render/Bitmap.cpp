#include "Bitmap.h"

#include <QtEndian>
#include <new>
#include <vector>
#include <zlib.h>

namespace {

std::uint32_t le32(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<std::uint32_t>(b.constData() + at);
}

std::uint16_t le16(const QByteArray &b, qsizetype at)
{
    return qFromLittleEndian<std::uint16_t>(b.constData() + at);
}

void put32(QByteArray &out, std::uint32_t v)
{
    char bytes[4];
    qToLittleEndian(v, bytes);
    out.append(bytes, 4);
}

void put16(QByteArray &out, std::uint16_t v)
{
    char bytes[2];
    qToLittleEndian(v, bytes);
    out.append(bytes, 2);
}

void putBig32(QByteArray &out, std::uint32_t v)
{
    char bytes[4];
    qToBigEndian(v, bytes);
    out.append(bytes, 4);
}

void pngChunk(QByteArray &out, const char *type, const QByteArray &data)
{
    putBig32(out, std::uint32_t(data.size()));
    const QByteArray typed = QByteArray(type) + data;
    out += typed;
    putBig32(out, std::uint32_t(::crc32(0, reinterpret_cast<const Bytef *>(typed.constData()),
                                        uInt(typed.size()))));
}

} // namespace

std::optional<Picture> DecodeBitmap(const QByteArray &bytes)
{
    constexpr qsizetype FileHeader = 14;
    if (bytes.size() < FileHeader + 40 || !bytes.startsWith("BM"))
        return std::nullopt;
    const std::uint32_t offset = le32(bytes, 10);
    const std::uint32_t headerSize = le32(bytes, 14);
    const std::int32_t width = std::int32_t(le32(bytes, 18));
    const std::int32_t rawHeight = std::int32_t(le32(bytes, 22));
    const int bits = le16(bytes, 28);
    // Plain info headers only: the larger ones may bring colour masks and alpha with them.
    if (headerSize != 40 || le16(bytes, 26) != 1 || le32(bytes, 30) != 0)
        return std::nullopt;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)
        return std::nullopt;
    if (width < 1 || rawHeight == 0 || rawHeight == INT32_MIN || width > 32768)
        return std::nullopt;
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    if (height > 32768 || qint64(width) * height > 64 * 1024 * 1024)
        return std::nullopt;

    std::vector<std::uint32_t> palette;
    qsizetype at = FileHeader + headerSize;
    if (bits <= 8) {
        const std::uint32_t used = le32(bytes, 46);
        const std::uint32_t colours = used ? used : 1u << bits;
        if (colours > (1u << bits) || at + 4 * qsizetype(colours) > bytes.size())
            return std::nullopt;
        for (std::uint32_t i = 0; i < colours; ++i, at += 4)
            palette.push_back(0xff000000u | (le32(bytes, at) & 0x00ffffffu));
        // An index past the palette shows black, as with the platform's reader.
        palette.resize(std::size_t(1) << bits, 0xff000000u);
    }
    const qsizetype stride = (qsizetype(width) * bits + 31) / 32 * 4;
    if (offset != at || offset + stride * height > bytes.size())
        return std::nullopt;

    Picture picture(width, height);
    const auto *data = reinterpret_cast<const std::uint8_t *>(bytes.constData()) + offset;
    for (int r = 0; r < height; ++r) {
        const std::uint8_t *src = data + qsizetype(r) * stride;
        std::uint32_t *dst = picture.row(rawHeight > 0 ? height - 1 - r : r);
        for (int x = 0; x < width; ++x) {
            switch (bits) {
            case 24:
                dst[x] = 0xff000000u | src[3 * x + 2] << 16 | src[3 * x + 1] << 8 | src[3 * x];
                break;
            case 32:
                dst[x] = 0xff000000u | src[4 * x + 2] << 16 | src[4 * x + 1] << 8 | src[4 * x];
                break;
            default: {
                const int perByte = 8 / bits;
                const int shift = 8 - bits - (x % perByte) * bits;
                dst[x] = palette[(src[x / perByte] >> shift) & ((1u << bits) - 1)];
            }
            }
        }
    }
    return picture;
}

QByteArray EncodeBitmap(const Picture &picture)
{
    const qsizetype stride = (qsizetype(picture.width()) * 3 + 3) / 4 * 4;
    const qsizetype pixels = stride * picture.height();
    QByteArray out("BM");
    put32(out, std::uint32_t(54 + pixels));
    put32(out, 0);
    put32(out, 54);
    for (std::uint32_t v : {40u, std::uint32_t(picture.width()), std::uint32_t(picture.height())})
        put32(out, v);
    put16(out, 1);
    put16(out, 24);
    for (std::uint32_t v : {0u, std::uint32_t(pixels), 2835u, 2835u, 0u, 0u})
        put32(out, v);
    QByteArray row(stride, '\0');
    for (int y = picture.height() - 1; y >= 0; --y) {
        const std::uint32_t *src = picture.row(y);
        for (int x = 0; x < picture.width(); ++x) {
            row[3 * x] = char(src[x]);
            row[3 * x + 1] = char(src[x] >> 8);
            row[3 * x + 2] = char(src[x] >> 16);
        }
        out += row;
    }
    return out;
}

namespace {

// Row y as PNG stores it with the "Up" filter: a filter byte, then each byte of RGB less the one
// above it. Tiles and bricks repeat, so the differences pack small, and quickly.
void filteredRow(const Picture &picture, int y, std::uint8_t *out)
{
    *out++ = 2;
    const std::uint32_t *row = picture.row(y);
    const std::uint32_t *above = y > 0 ? picture.row(y - 1) : nullptr;
    for (int x = 0; x < picture.width(); ++x) {
        const std::uint32_t p = row[x], q = above ? above[x] : 0;
        *out++ = std::uint8_t((p >> 16) - (q >> 16));
        *out++ = std::uint8_t((p >> 8) - (q >> 8));
        *out++ = std::uint8_t(p - q);
    }
}

} // namespace

QByteArray EncodePng(const Picture &picture)
{
    QByteArray out("\x89PNG\r\n\x1a\n", 8);
    QByteArray header;
    putBig32(header, std::uint32_t(picture.width()));
    putBig32(header, std::uint32_t(picture.height()));
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, no filter, no interlace
    pngChunk(out, "IHDR", header);
    const qsizetype rowBytes = 1 + qsizetype(picture.width()) * 3;
    // Row by row into zlib at its fastest level, as Qt's qCompress(rows, 1) would pack them
    // whole, without the whole filtered picture in memory.
    z_stream z = {};
    if (deflateInit(&z, 1) != Z_OK)
        throw std::bad_alloc();
    QByteArray idat(64 * 1024, Qt::Uninitialized);
    z.next_out = reinterpret_cast<Bytef *>(idat.data());
    z.avail_out = uInt(idat.size());
    auto pack = [&](std::uint8_t *bytes, std::size_t size, int flush) {
        z.next_in = bytes;
        z.avail_in = uInt(size);
        // Room ran out, or the stream is not finished yet: more room.
        for (int status = deflate(&z, flush);
             z.avail_out == 0 || (flush == Z_FINISH && status != Z_STREAM_END);
             status = deflate(&z, flush)) {
            const qsizetype done = qsizetype(z.total_out);
            idat.resize(idat.size() * 2);
            z.next_out = reinterpret_cast<Bytef *>(idat.data() + done);
            z.avail_out = uInt(idat.size() - done);
        }
    };
    std::vector<std::uint8_t> row(std::size_t(rowBytes), 0);
    for (int y = 0; y < picture.height(); ++y) {
        filteredRow(picture, y, row.data());
        pack(row.data(), row.size(), Z_NO_FLUSH);
    }
    pack(nullptr, 0, Z_FINISH);
    idat.resize(qsizetype(z.total_out));
    deflateEnd(&z);
    pngChunk(out, "IDAT", idat);
    pngChunk(out, "IEND", QByteArray());
    return out;
}
