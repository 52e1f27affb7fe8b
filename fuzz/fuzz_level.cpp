// A level file from anywhere, through everything File, Open does with it, then saved again.
#include "FuzzSupport.h"

#include "common/VorpexError.h"
#include "editor/frmEditor.h"
#include "model/BrickTable.h"
#include "model/LevelFile.h"

#include <cstddef>
#include <cstdint>

namespace {

struct Rig
{
    FirstButtonDialogs dialogs;
    BrickTable bricks;
    QString appFolder;
    QString levelPath;
    QString savePath;
    frmEditor *editor = nullptr;
    QByteArray lastSaved; // the document as the previous input left it
};

Rig *rig = nullptr;

bool sameLevel(const LevelFileData &a, const LevelFileData &b)
{
    return a.paddles == b.paddles && a.tilesetName == b.tilesetName &&
           a.backgroundName == b.backgroundName && a.grid == b.grid;
}

QByteArray saveOrDie()
{
    if (!rig->editor->SaveFile(rig->savePath))
        FuzzFail("SaveFile failed on a writable folder");
    const QByteArray saved = ReadFileOrDie(rig->savePath);
    if (saved.size() != LevelFileSize)
        FuzzFail("saved level is not 2672 bytes:", QString::number(saved.size()));
    return saved;
}

// A name field read as text must give back its own bytes, as UTF-8 or as Latin-1.
void checkNameField(const QByteArray &bytes, int offset, const QString &name)
{
    QByteArray field = bytes.mid(offset, LevelNameFieldSize);
    while (field.endsWith(' '))
        field.chop(1);
    bool latin1 = true;
    for (QChar c : name)
        latin1 = latin1 && c.unicode() <= 0xFF;
    if (name.toUtf8() != field && !(latin1 && name.toLatin1() == field))
        FuzzFail("a name does not say what its bytes say:", name);
}

// The decoder alone: sizes, names as their bytes say, and names that survive being written
// back.
std::optional<LevelFileData> checkDecoder(const QByteArray &bytes)
{
    std::optional<LevelFileData> level;
    try {
        level = DecodeLevelFile(bytes);
    } catch (const VorpexError &) {
    }
    if (level.has_value() != (bytes.size() >= LevelFileSize))
        FuzzFail("DecodeLevelFile accepted a short file or refused a whole one");
    if (level) {
        checkNameField(bytes, 8, level->tilesetName);
        checkNameField(bytes, 8 + LevelNameFieldSize, level->backgroundName);
        const QByteArray encoded = EncodeLevelFile(*level);
        if (encoded.size() != LevelFileSize)
            FuzzFail("EncodeLevelFile gave the wrong size");
        if (!sameLevel(DecodeLevelFile(encoded), *level))
            FuzzFail("a level read and written back reads differently:",
                     level->tilesetName + QStringLiteral(" | ") + level->backgroundName);
    }
    return level;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    StartFuzzApplication();
    rig = new Rig;
    rig->appFolder = MakeFuzzAppFolder();
    rig->levelPath = FuzzFolder() + QStringLiteral("/input.vxl");
    rig->savePath = FuzzFolder() + QStringLiteral("/saved.vxl");
    rig->editor = new frmEditor(rig->dialogs, rig->appFolder, rig->bricks);
    rig->editor->Form_Activate();
    if (!rig->dialogs.texts.isEmpty())
        FuzzFail("the default tileset of the fixture folder did not load");
    rig->lastSaved = saveOrDie();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<LevelFileData> level = checkDecoder(bytes);

    WriteFileOrDie(rig->levelPath, bytes);
    const qsizetype before = rig->dialogs.texts.size();
    const bool opened = rig->editor->OpenFile(rig->levelPath);
    const QStringList shown = rig->dialogs.texts.mid(before);
    for (qsizetype i = before; i < rig->dialogs.captions.size(); ++i) {
        if (rig->dialogs.captions[i] != QLatin1String("VorpexEditor"))
            FuzzFail("a message with a strange caption:", rig->dialogs.captions[i]);
    }
    for (const QString &text : shown) {
        if (!IsMessageWithPath(text, {"Cannot open level.", "Cannot open tileset.",
                                      "Cannot load background picture."}))
            FuzzFail("an unexpected message:", text);
    }

    const QByteArray saved = saveOrDie();
    if (!opened) {
        if (shown.isEmpty())
            FuzzFail("OpenFile failed without telling the user");
        if (saved != rig->lastSaved)
            FuzzFail("a level that failed to open changed the document");
    } else {
        if (!level)
            FuzzFail("OpenFile took a file shorter than a level");
        const LevelFileData back = DecodeLevelFile(saved);
        if (back.grid != level->grid)
            FuzzFail("the cells were not kept");
        if (back.tilesetName != level->tilesetName || back.backgroundName != level->backgroundName)
            FuzzFail("the names were not kept:",
                     back.tilesetName + QStringLiteral(" | ") + back.backgroundName);
        // Paddles as the boxes show them: those the file marks present, or paddle 1 alone.
        bool any = false;
        for (std::int16_t p : level->paddles)
            any = any || p == -1;
        for (int i = 0; i < 4; ++i) {
            const bool expected = any ? level->paddles[std::size_t(i)] == -1 : i == 0;
            if ((back.paddles[std::size_t(i)] == -1) != expected)
                FuzzFail("the paddles were not kept");
        }
    }
    rig->lastSaved = saved;
    return 0;
}
