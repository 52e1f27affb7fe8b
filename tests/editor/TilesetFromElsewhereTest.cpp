// Levels name tilesets of Tls, so one from elsewhere is copied there, also on linkless disks.
#include "EditorFixture.h"

#include "support/FullDisk.h"

#include <QDir>

namespace {

enum class Disk { Usual, ExFatImage, LinksRefused };

class TilesetFromElsewhereTest : public EditorTest, public ::testing::WithParamInterface<Disk>
{
};

} // namespace

TEST_P(TilesetFromElsewhereTest, IsCopiedIntoTlsAndNoOtherOfItsNameIsReplacedUnasked)
{
    if (GetParam() != Disk::Usual &&
        RanOnLinklessDisk(GetParam() == Disk::ExFatImage ? LinklessDisk::ExFatImage
                                                         : LinklessDisk::LinksRefused))
        return;
    start();
    const QString elsewhere = app.path() + "/Elsewhere/MyTiles.vxt";
    QDir().mkpath(app.path() + "/Elsewhere");
    WriteFixtureTileset(elsewhere, 64, 48, 6);
    auto expectInTls = [this, elsewhere] {
        EXPECT_EQ(ReadBytes(app.tls("MyTiles.vxt")), ReadBytes(elsewhere));
        EXPECT_EQ(ReadBytes(app.tls("MyTiles.bmp")),
                  ReadBytes(app.path() + "/Elsewhere/MyTiles.bmp"));
    };
    dialogs.answer(MsgAnswer::No).open(elsewhere);
    editor->mnuNew_Click();
    EXPECT_EQ(editor->TileSetPath, app.tls("MyTiles.vxt"));
    expectInTls();
    clickSlot(3);
    mouse(QTest::MouseClick, 40, 40);
    ASSERT_TRUE(editor->SaveFile(app.lvl("mine.vxl")));
    ASSERT_TRUE(editor->OpenFile(app.lvl("mine.vxl")));
    EXPECT_EQ(canvas(40, 40), CellColour(3));
    // The same files there already: nothing is asked.
    dialogs.answer(MsgAnswer::No).open(elsewhere);
    editor->mnuNew_Click();

    // Another tileset of that name: No goes on with what Tls holds, Yes replaces both files.
    const QByteArray oldTileset = ReadBytes(app.tls("MyTiles.vxt"));
    WriteFixtureTileset(elsewhere, 32, 48, 3);
    dialogs.answer(MsgAnswer::No).open(elsewhere).answer(MsgAnswer::No);
    editor->mnuNew_Click();
    EXPECT_EQ(dialogs.messages().back().text,
              "MyTiles.vxt already exists.\r\nDo you want to replace it?");
    EXPECT_EQ(ReadBytes(app.tls("MyTiles.vxt")), oldTileset);
    EXPECT_EQ(editor->BrickCount, 6);
    dialogs.answer(MsgAnswer::No).open(elsewhere).answer(MsgAnswer::Yes);
    editor->mnuNew_Click();
    expectInTls();
    EXPECT_EQ(editor->BrickCount, 3);
    EXPECT_EQ(EntriesOf(app.tls("")), (QStringList{"DefaultTileSet.bmp", "DefaultTileSet.vxt",
                                                   "MyTiles.bmp", "MyTiles.vxt"}));
    if (GetParam() != Disk::LinksRefused)
        return;
    // A replacement failing part-way puts both old files back.
    const QByteArray old = ReadBytes(app.tls("MyTiles.vxt")) + ReadBytes(app.tls("MyTiles.bmp"));
    WriteFixtureTileset(elsewhere, 64, 48, 6);
    qputenv("VORPEX_REFUSE_RENAME", "Tls/MyTiles.bmp");
    dialogs.answer(MsgAnswer::No).open(elsewhere).answer(MsgAnswer::Yes).answer(MsgAnswer::Ok);
    editor->mnuNew_Click();
    dialogs.expectMessage("Error in writing file.");
    EXPECT_EQ(ReadBytes(app.tls("MyTiles.vxt")) + ReadBytes(app.tls("MyTiles.bmp")), old);
}

INSTANTIATE_TEST_SUITE_P(,
                         TilesetFromElsewhereTest,
                         ::testing::Values(Disk::Usual, Disk::ExFatImage, Disk::LinksRefused),
                         [](const auto &info) {
                             return info.param == Disk::Usual        ? "UsualDisk"
                                    : info.param == Disk::ExFatImage ? "ExFatImage"
                                                                     : "LinksRefused";
                         });
