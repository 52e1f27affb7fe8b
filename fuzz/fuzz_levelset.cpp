// A levelset file from anywhere: read or refused with an error; what is read is written and
// read back to the same set.
#include "FuzzSupport.h"

#include "common/VorpexError.h"
#include "model/LevelSetFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    LevelSetFile set;
    try {
        set = LevelSetFile::decode(bytes);
    } catch (const VorpexError &) {
        return 0;
    }
    LevelSetFile again;
    try {
        again = LevelSetFile::decode(LevelSetFile::encode(set.name, set.levels));
    } catch (const VorpexError &error) {
        FuzzFail("a levelset written from one read does not read back:", error.message());
    }
    if (again.name != set.name || again.levels != set.levels)
        FuzzFail("a levelset written from one read reads back otherwise:", set.name);
    return 0;
}
