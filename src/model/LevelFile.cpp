#include "LevelFile.h"

#include "FileIO.h"
#include "LittleEndian.h"
#include "common/Text.h"
#include "common/VorpexError.h"

namespace {

void putName(QByteArray &out, const QString &name)
{
    QByteArray field = EncodeName(name).left(LevelNameFieldSize);
    field.append(LevelNameFieldSize - field.size(), ' ');
    out.append(field);
}

QString takeName(const QByteArray &bytes, int offset)
{
    return TrimTrailingSpaces(DecodeName(bytes.mid(offset, LevelNameFieldSize)));
}

} // namespace

QByteArray EncodeLevelFile(const LevelFileData &level)
{
    QByteArray out;
    out.reserve(LevelFileSize);
    for (std::int16_t p : level.paddles)
        PutLE16(out, p);
    putName(out, level.tilesetName);
    putName(out, level.backgroundName);
    for (std::int32_t cell : level.grid.cells)
        PutLE32(out, cell);
    return out;
}

LevelFileData DecodeLevelFile(const QByteArray &bytes)
{
    if (bytes.size() < LevelFileSize)
        throw VorpexError(QStringLiteral("A level file is %1 bytes long.").arg(LevelFileSize));
    LevelFileData level;
    for (int i = 0; i < 4; ++i)
        level.paddles[static_cast<std::size_t>(i)] = GetLE16(bytes, 2 * i);
    level.tilesetName = takeName(bytes, 8);
    level.backgroundName = takeName(bytes, 8 + LevelNameFieldSize);
    for (int i = 0; i < CellGrid::Size; ++i)
        level.grid.cells[static_cast<std::size_t>(i)] = GetLE32(bytes, 68 + 4 * i);
    return level;
}

LevelFileData ReadLevelFile(const QString &path)
{
    return DecodeLevelFile(ReadFileBytes(path, LevelFileSize));
}

void WriteLevelFile(const QString &path, const LevelFileData &level)
{
    WriteFileAtomically(path, EncodeLevelFile(level));
}
