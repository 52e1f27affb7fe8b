// Opening a picture, cutting it into bricks, walking them, ending, saving and cancelling.
#include "BuilderFixture.h"
#include "platform/PictureBox.h"

#include <QDir>

namespace {

using WalkTest = BuilderFixture;

const QString AppTitle = QStringLiteral("VorpexEditor");

} // namespace

TEST_F(WalkTest, PictureOfWrongSizeShowsOneMessageAndDisablesDone)
{
    struct Case
    {
        int width, height;
        const char *message;
    };
    const Case cases[] = {
        {40, 16, "Bitmap width must be evenly divisible by 32."},
        {32, 24, "Bitmap height must be evenly divisible by 16."},
        {40, 24, "Bitmap width must be evenly divisible by 32."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.message);
        // A good picture first, so that Done is enabled when the bad one comes.
        openPicture(picture(QStringLiteral("Good.bmp"), 64, 32));
        ASSERT_TRUE(window.cmdDone->isEnabled());
        const std::size_t before = dialogs.messages().size();
        dialogs.open(picture(QStringLiteral("Bad.bmp"), c.width, c.height)).answer(MsgAnswer::Ok);
        click(window.cmdOpenPic);
        const auto messages = dialogs.messages();
        ASSERT_EQ(messages.size(), before + 1);
        EXPECT_EQ(messages.back().text, QLatin1String(c.message));
        EXPECT_EQ(messages.back().caption, AppTitle);
        EXPECT_EQ(messages.back().buttons, MsgButtons::Ok);
        EXPECT_EQ(messages.back().icon, MsgIcon::None);
        EXPECT_FALSE(window.cmdDone->isEnabled());
        EXPECT_EQ(window.PicFileName, QStringLiteral("Bad.bmp"));
    }
    const auto &request = dialogs.shown().front().request;
    EXPECT_EQ(request.filter, QStringLiteral("Bitmap|*.bmp"));
    EXPECT_EQ(request.filterIndex, 1);
}

TEST_F(WalkTest, PictureThatCannotBeLoadedChangesNothing)
{
    openPicture(picture(QStringLiteral("Stone.bmp"), 64, 32));
    const QString broken = app.tls(QStringLiteral("Broken.bmp"));
    WriteBytes(broken, QByteArray("BM not really a bitmap"));
    dialogs.open(broken).answer(MsgAnswer::Ok);
    click(window.cmdOpenPic);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Cannot load picture.\r\n") + broken);
    EXPECT_EQ(dialogs.messages()[0].caption, AppTitle);
    EXPECT_EQ(window.PicFileName, QStringLiteral("Stone.bmp"));
    EXPECT_TRUE(window.cmdDone->isEnabled());
    EXPECT_EQ(window.picCopyTiles->picture().size(), QSize(64, 32));
    EXPECT_EQ(window.picCopyTiles->surface().pixelColor(40, 20), CellColour(4));
    EXPECT_EQ(window.TileBmp->surface().pixelColor(40, 20), CellColour(4));

    // A cancelled dialog changes nothing either, and asks nothing more.
    dialogs.cancelOpen();
    click(window.cmdOpenPic);
    EXPECT_EQ(window.PicFileName, QStringLiteral("Stone.bmp"));
    EXPECT_TRUE(window.cmdDone->isEnabled());
}

TEST_F(WalkTest, DoneCutsThePictureColumnByColumn)
{
    openPicture(picture(QStringLiteral("Stone.bmp"), 96, 32));
    EXPECT_EQ(window.picCopyTiles->size(), QSize(96, 32));
    click(window.cmdDone);
    EXPECT_EQ(window.MaxBricks, 6);
    EXPECT_EQ(window.TilesAcross, 3);
    EXPECT_EQ(window.TilesDown, 2);
    EXPECT_EQ(window.lblMaxBricks->text(), QStringLiteral("Max bricks: 6"));
    ASSERT_EQ(bricks.upperBound(), 6);
    EXPECT_EQ(bricks[3], (BrickRecord{0, 1, 1, 1, 1, 32, 0}));
    EXPECT_EQ(bricks[2], (BrickRecord{0, 1, 1, 1, 1, 0, 16}));
    EXPECT_EQ(bricks[6], (BrickRecord{0, 1, 1, 1, 1, 64, 16}));
    EXPECT_EQ(bricks[1].Action, 1);

    // Walking state.
    EXPECT_FALSE(window.cmdOpenPic->isEnabled());
    EXPECT_FALSE(window.cmdDone->isEnabled());
    EXPECT_TRUE(window.frmActions->isEnabled());
    EXPECT_FALSE(window.cmdSave->isEnabled());
    EXPECT_FALSE(window.cmdPrevious->isEnabled());
    EXPECT_TRUE(window.cmdNext->isEnabled());
    EXPECT_FALSE(window.txtFrames->isEnabled());
    EXPECT_EQ(window.lblCurTile->text(), QStringLiteral("Tile: 1"));
    EXPECT_EQ(window.lblAnimFrame->text(), QStringLiteral("1/1"));
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("1"));
    EXPECT_EQ(window.BrickWindow->surface().pixelColor(16, 8), CellColour(1));

    // The walk shows each brick's picture and stops at both ends.
    click(window.cmdNext);
    click(window.cmdNext);
    EXPECT_EQ(window.lblCurTile->text(), QStringLiteral("Tile: 3"));
    EXPECT_EQ(window.BrickWindow->surface().pixelColor(0, 0), CellColour(3));
    EXPECT_EQ(window.BrickWindow->surface().pixelColor(31, 15), CellColour(3));
    EXPECT_TRUE(window.cmdPrevious->isEnabled());
    for (int i = 0; i < 3; ++i)
        click(window.cmdNext);
    EXPECT_EQ(window.CurBrick, 6);
    EXPECT_FALSE(window.cmdNext->isEnabled());
    for (int i = 0; i < 5; ++i)
        click(window.cmdPrevious);
    EXPECT_EQ(window.CurBrick, 1);
    EXPECT_FALSE(window.cmdPrevious->isEnabled());
    EXPECT_TRUE(window.cmdNext->isEnabled());
    EXPECT_EQ(window.BrickWindow->surface().pixelColor(16, 8), CellColour(1));
}

TEST_F(WalkTest, OneCellPictureEndsAndSavesOneBrick)
{
    openPicture(picture(QStringLiteral("Single.bmp"), 32, 16));
    click(window.cmdDone);
    EXPECT_FALSE(window.cmdNext->isEnabled());
    EXPECT_FALSE(window.cmdPrevious->isEnabled());
    click(window.Option1[4]);
    click(window.Command2);
    EXPECT_FALSE(window.frmActions->isEnabled());
    EXPECT_TRUE(window.cmdSave->isEnabled());
    click(window.cmdSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadBytes(app.tls(QStringLiteral("Single.vxt"))),
              Le32({1}) + record(4, 1, 1, 1, 1, 0, 0));
}

TEST_F(WalkTest, EndOnTheFirstBrickWritesOnlyTheCount)
{
    // An older, longer file of that name is replaced whole.
    WriteBytes(app.tls(QStringLiteral("Stone.vxt")), Le32({2}) + QByteArray(56, '\x7f'));
    startWalk(96, 32);
    EXPECT_EQ(endAndSave(), Le32({0}));
    EXPECT_EQ(dialogs.shown().size(), 1u); // the open dialog only
}

TEST_F(WalkTest, PreviousLeavesTheRecordItLeavesUnchanged)
{
    startWalk(96, 16);
    click(window.cmdNext);
    click(window.cmdNext);
    click(window.cmdPrevious);
    const BrickRecord before = bricks[2];
    click(window.Option1[4]);
    typeInto(window.txtHits, QStringLiteral("4"));
    click(window.chkAnimated);
    typeInto(window.txtFrames, QStringLiteral("3"));
    click(window.cmdPrevious);
    EXPECT_EQ(bricks[2], before);
    EXPECT_EQ(bricks[3], (BrickRecord{0, 1, 1, 1, 1, 64, 0}));
    // The view shows brick 1 as stored, not the settings left behind.
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("1"));
    EXPECT_FALSE(window.chkAnimated->isChecked());
    EXPECT_EQ(window.txtFrames->text(), QStringLiteral("2"));
    // The behaviour choice is not taken from the record: it stays as the user left it.
    EXPECT_TRUE(window.Option1[4]->isChecked());
}

TEST_F(WalkTest, FailedSaveKeepsTheEndedBuilderOpenForAnotherTry)
{
    startWalk(64, 16);
    click(window.cmdNext);
    click(window.Command2);
    // A folder in the way of the file makes the write fail.
    const QString target = app.tls(QStringLiteral("Stone.vxt"));
    ASSERT_TRUE(QDir().mkdir(target));
    dialogs.answer(MsgAnswer::Ok);
    click(window.cmdSave);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Error in writing file."));
    EXPECT_EQ(dialogs.messages()[0].caption, AppTitle);
    EXPECT_EQ(dialogs.messages()[0].buttons, MsgButtons::Ok);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.cmdSave->isEnabled());
    EXPECT_FALSE(window.frmActions->isEnabled());

    ASSERT_TRUE(QDir().rmdir(target));
    click(window.cmdSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadBytes(target),
              Le32({2}) + record(1, 1, 1, 1, 1, 0, 0) + record(1, 1, 1, 1, 1, 32, 0));
}

TEST_F(WalkTest, CancelAsksAndOnYesEmptiesTheBrickTable)
{
    startWalk(64, 16);
    dialogs.answer(MsgAnswer::No);
    click(window.Command3);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(bricks.upperBound(), 2);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto &asked = dialogs.messages()[0];
    EXPECT_EQ(asked.text, QStringLiteral("Do you want to abandon current tileset?"));
    EXPECT_EQ(asked.caption, QStringLiteral("Cancel"));
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgIcon::Question);

    dialogs.answer(MsgAnswer::Yes);
    click(window.Command3);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(bricks.upperBound(), 0);
    EXPECT_FALSE(QFile::exists(app.tls(QStringLiteral("Stone.vxt"))));
}
