// Saves on a disk that fills up part-way: the old file stays whole and nothing is left beside it.
#include "EditorFixture.h"

#include "levelset/frmNewLevelSet.h"
#include "support/FullDisk.h"
#include "tileset/frmNewTileSet.h"

namespace {

class FullDiskTest : public EditorTest, public ::testing::WithParamInterface<FullDiskKind>
{
};

} // namespace

TEST_P(FullDiskTest, EverySaveFailsWholeAndTheWorkStays)
{
    if (RanInSmallFileSystem(GetParam()))
        return;
    start();
    const QString level = writeLevel("old.vxl", {-1, 0, 0, 0}, {{2, 3, 4}});
    const QByteArray oldLevel = ReadBytes(level);
    ASSERT_TRUE(editor->OpenFile(level));
    clickSlot(5);
    stroke({{4, 3}});
    WriteFixtureTileset(app.path() + "/Mine.vxt", 64, 48, 6); // to be copied into Tls
    {
        FullDisk full(GetParam(), 1000);
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->mnuSave_Click());
        dialogs.expectMessage("Error in writing file.");
        dialogs.save(app.lvl("new.vxl")).answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->mnuSaveAs_Click());
        dialogs.expectMessage("Error in writing file.");
        dialogs.answer(MsgAnswer::No).open(app.path() + "/Mine.vxt").answer(MsgAnswer::Ok);
        editor->mnuNew_Click();
        dialogs.expectMessage("Error in writing file.");
    }
    EXPECT_EQ(ReadBytes(level), oldLevel);
    EXPECT_EQ(EntriesOf(app.lvl("")), QStringList{"old.vxl"});
    EXPECT_EQ(editor->windowTitle(), title(level));
    EXPECT_EQ(std::tie(editor->LevelPath, editor->HasLevelPath), std::tie(level, VbTrue));
    // With room again, the work drawn before is saved where it belongs.
    ASSERT_TRUE(editor->mnuSave_Click());
    EXPECT_EQ(ReadBytes(level).mid(68 + 4 * (4 + 21 * 3), 4), Le32({5}));

    // The builder, 2000 bricks of a picture copied into Tls: room for it and half the tileset.
    WriteBytes(app.path() + "/Big.bmp", MonoBitmap(1280, 800, Qt::red));
    const QByteArray oldTileset = Le32({1, 1, 1, 1, 1, 1, 0, 0});
    WriteBytes(app.tls("Big.vxt"), oldTileset);
    const QStringList tls = EntriesOf(app.tls(""));
    frmNewTileSet builder(dialogs, app.path(), bricks, editor.get());
    builder.show();
    dialogs.open(app.path() + "/Big.bmp");
    builder.cmdOpenPic_Click();
    builder.cmdDone_Click();
    while (builder.CurBrick < 2000)
        builder.cmdNext_Click();
    builder.Command2_Click();
    {
        FullDisk full(GetParam(), GetParam() == FullDiskKind::Mounted ? 160000 : 28000);
        dialogs.answer(MsgAnswer::Ok);
        builder.cmdSave_Click();
        dialogs.expectMessage("Error in writing file.");
    }
    EXPECT_TRUE(builder.isVisible() && builder.BrickCount == 2000);
    EXPECT_EQ(ReadBytes(app.tls("Big.vxt")), oldTileset);
    EXPECT_EQ(EntriesOf(app.tls("")), tls);

    // The levelset builder, over an older levelset of the name chosen.
    const QByteArray oldSet("Old\r\n 1 \r\nold.vxl\r\n");
    WriteBytes(app.lvl("Set1.vxs"), oldSet);
    frmNewLevelSet levelsets(dialogs, app.path(), editor.get());
    levelsets.show();
    dialogs.open(level);
    levelsets.cmdAddLevel_Click();
    {
        FullDisk full(GetParam(), 10);
        dialogs.save(app.lvl("Set1.vxs")).answer(MsgAnswer::Ok);
        levelsets.cmdSave_Click();
        dialogs.expectMessage("Error in writing file.");
    }
    EXPECT_TRUE(levelsets.isVisible() && levelsets.NumLevels == 1);
    EXPECT_EQ(ReadBytes(app.lvl("Set1.vxs")), oldSet);
    EXPECT_EQ(EntriesOf(app.lvl("")), (QStringList{"Set1.vxs", "old.vxl"}));
}

INSTANTIATE_TEST_SUITE_P(,
                         FullDiskTest,
                         ::testing::Values(FullDiskKind::Mounted, FullDiskKind::FileSizeLimit),
                         [](const auto &info) {
                             return info.param == FullDiskKind::Mounted ? "MountedSmallDisk"
                                                                        : "FileSizeLimit";
                         });
