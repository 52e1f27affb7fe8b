// A tileset file from anywhere beside a companion bitmap of any size, opened by the editor.
// The first four bytes of an input give the bitmap's size (see below), the rest is the tileset
// file.
#include "FuzzSupport.h"

#include "common/VorpexError.h"
#include "editor/frmEditor.h"
#include "model/BrickTable.h"
#include "model/Geometry.h"
#include "model/TilesetFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

struct Rig
{
    FirstButtonDialogs dialogs;
    BrickTable bricks;
    QString appFolder;
    QString tilesetPath;
    frmEditor *editor = nullptr;
};

Rig *rig = nullptr;

bool sameTable(const BrickTable &a, const BrickTable &b)
{
    if (a.upperBound() != b.upperBound())
        return false;
    for (int n = 0; n <= a.upperBound(); ++n) {
        if (!(a[n] == b[n]))
            return false;
    }
    return true;
}

// The reader alone.
std::optional<TilesetFileData> checkReader(const QByteArray &bytes, int cells)
{
    std::optional<TilesetFileData> file;
    try {
        file.emplace(bytes);
    } catch (const VorpexError &) {
    }
    std::int32_t count = 0;
    if (bytes.size() >= 4)
        count = std::int32_t(std::uint8_t(bytes[0]) | std::uint8_t(bytes[1]) << 8 |
                             std::uint8_t(bytes[2]) << 16 |
                             std::uint32_t(std::uint8_t(bytes[3])) << 24);
    if (file.has_value() != (bytes.size() >= 4 && count >= 0))
        FuzzFail("TilesetFileData accepted a file without a count or refused a good one");
    if (!file)
        return file;
    if (file->count() != count)
        FuzzFail("TilesetFileData read the wrong count");
    // Records the file does not hold read as zeros, as do numbers below 1.
    const qsizetype held = (bytes.size() - 4) / BrickRecordSize;
    const int last = int(std::min<qint64>(count, cells)) + 1;
    for (int n = -1; n <= last; ++n) {
        if ((n < 1 || n > held) && !(file->record(n) == BrickRecord{}))
            FuzzFail("a record the file does not hold is not zero");
    }
    return file;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartFuzzApplication();
    rig = new Rig;
    rig->appFolder = MakeFuzzAppFolder();
    rig->tilesetPath = rig->appFolder + QStringLiteral("/Tls/Fuzzed.vxt");
    rig->editor = new frmEditor(rig->dialogs, rig->appFolder, rig->bricks);
    rig->editor->Form_Activate();
    if (!rig->dialogs.texts.isEmpty())
        FuzzFail("the default tileset of the fixture folder did not load");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    // Each side is a byte shifted left by 0..3 bits, up to 2040 x 2040 pixels: mostly small
    // pictures, which are quick, and a few large ones. Pictures of more cells than 16-bit cell
    // numbers reach take seconds each, so the tests cover those.
    const int width = data[0] << (data[1] & 3);
    const int height = data[2] << (data[3] & 3);
    const QByteArray bytes(reinterpret_cast<const char *>(data) + 4, qsizetype(size - 4));

    const int cells = TilesetCells(width, height);
    if (cells < 0 || cells > MaxTilesetCells)
        FuzzFail("TilesetCells out of range:", QString::number(cells));
    const std::optional<TilesetFileData> file = checkReader(bytes, cells);

    WriteFileOrDie(rig->tilesetPath, bytes);
    WriteFileOrDie(CompanionBitmapPath(rig->tilesetPath), MakeBitmap(width, height));

    const BrickTable before = rig->bricks;
    const int paletteBefore = rig->editor->PaletteCount;
    const qsizetype shownBefore = rig->dialogs.texts.size();
    const bool opened = rig->editor->OpenTileSet(rig->tilesetPath);
    const QStringList shown = rig->dialogs.texts.mid(shownBefore);

    if (!opened) {
        const QString expected = QStringLiteral("Cannot open tileset.\r\n") + rig->tilesetPath;
        if (shown != QStringList{expected})
            FuzzFail("OpenTileSet failed without its message");
        if (!sameTable(before, rig->bricks) || rig->editor->PaletteCount != paletteBefore)
            FuzzFail("a tileset that failed to open changed the brick table");
        return 0;
    }
    if (!shown.isEmpty())
        FuzzFail("OpenTileSet succeeded with a message:", shown.first());
    if (!file || width < 1 || height < 1)
        FuzzFail("OpenTileSet took a tileset that cannot be read");
    const int records = int(std::min<qint64>(file->count(), cells));
    if (rig->bricks.upperBound() != records)
        FuzzFail("the brick table has the wrong size:", QString::number(rig->bricks.upperBound()));
    for (int n = 1; n <= records; ++n) {
        if (!(rig->bricks[n] == file->record(n)))
            FuzzFail("a brick differs from its record:", QString::number(n));
    }
    if (rig->editor->BrickCount != file->count() ||
        rig->editor->PaletteCount != std::min(records, frmEditor::PaletteSlots - 1))
        FuzzFail("the palette does not match the tileset");

    // Every palette brick, and numbers beyond it, on the canvas.
    for (int x = 1; x <= GridColumns; ++x) {
        for (int y = 1; y <= GridRows; ++y)
            rig->editor->LevelGrid(x, y) = (x - 1) * GridRows + y - 2;
    }
    rig->editor->TileBricks();
    return 0;
}
