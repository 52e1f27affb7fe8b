// Any bytes as a picture file: loaded or refused with an error, nothing else.
#include "FuzzSupport.h"

#include "common/VorpexError.h"
#include "imageio/QtImages.h"
#include "render/Bitmap.h"
#include "render/Picture.h"

#include <QImage>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <random>

extern "C" std::size_t LLVMFuzzerMutate(std::uint8_t *data, std::size_t size, std::size_t maxSize);

namespace {

QString *picturePath = nullptr;

// Places in a Windows bitmap's headers and values that readers find awkward. The picture
// decoder is not instrumented, so coverage cannot lead the fuzzer into its headers.
struct HeaderField
{
    std::size_t offset;
    int bytes;
};
constexpr HeaderField HeaderFields[] = {
    {2, 4},  // file size
    {10, 4}, // offset of the pixels
    {14, 4}, // header size
    {18, 4}, // width
    {22, 4}, // height (negative: top-down)
    {26, 2}, // planes
    {28, 2}, // bits per pixel
    {30, 4}, // compression
    {34, 4}, // size of the pixels
    {46, 4}, // colours used
    {54, 4}, // first colour mask or palette entry
};
constexpr std::int64_t AwkwardValues[] = {
    0,      1,      2,      3,       4,       8,       12,      15,     16,  24,
    32,     40,     54,     64,      108,     124,     -1,      -2,     255, 256,
    0x7FFF, 0x8000, 0xFFFF, 0x10000, 1 << 20, 1 << 28, INT_MAX, INT_MIN};

} // namespace

extern "C" std::size_t LLVMFuzzerCustomMutator(std::uint8_t *data,
                                               std::size_t size,
                                               std::size_t maxSize,
                                               unsigned int seed)
{
    std::minstd_rand random(seed);
    const bool bytes = random() % 2 == 0;
    const bool fields = random() % 2 == 0;
    if (bytes || !fields)
        size = LLVMFuzzerMutate(data, size, maxSize);
    if (!fields || size < 58)
        return size;
    for (unsigned n = 1 + random() % 3; n > 0; --n) {
        const HeaderField &field = HeaderFields[random() % std::size(HeaderFields)];
        const auto value =
            static_cast<std::uint64_t>(AwkwardValues[random() % std::size(AwkwardValues)]);
        for (int i = 0; i < field.bytes; ++i)
            data[field.offset + std::size_t(i)] = std::uint8_t(value >> (8 * i));
    }
    return size;
}

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartFuzzApplication();
    picturePath = new QString(FuzzFolder() + QStringLiteral("/input.bmp"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    WriteFileOrDie(*picturePath, bytes);
    try {
        const Picture picture = LoadPicture(*picturePath);
        if (picture.isNull() || picture.width() < 1 || picture.height() < 1)
            FuzzFail("LoadPicture returned an empty picture");
        // Touch every pixel, so that a picture shorter than its size shows.
        std::uint32_t sum = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                sum += picture.pixel(x, y);
        volatile std::uint32_t sink = sum;
        (void)sink;
    } catch (const VorpexError &) {
    }
    // The bitmaps read without Qt must read exactly as Qt reads them.
    if (const std::optional<Picture> own = DecodeBitmap(bytes)) {
        try {
            if (!(DecodeWithQt(bytes) == *own))
                FuzzFail("a bitmap reads otherwise than Qt reads it");
        } catch (const VorpexError &error) {
            FuzzFail("a bitmap Qt refuses was read:", error.message());
        }
    }
    return 0;
}
