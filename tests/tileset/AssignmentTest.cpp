// Giving bricks their behaviour, hits and animation pictures; the checks on the number boxes.
#include "BuilderFixture.h"

namespace {

using AssignmentTest = BuilderFixture;

const QString NotEnoughBricks = QStringLiteral("Not enough bricks left in the picture.");

} // namespace

TEST_F(AssignmentTest, AnimationOfThreeOnBrickFiveTakesTheNextTwoCells)
{
    startWalk(64, 64); // 2 columns of 4
    for (int i = 0; i < 4; ++i)
        click(window.cmdNext);
    click(window.Option1[4]);
    click(window.chkAnimated);
    EXPECT_TRUE(window.txtFrames->isEnabled());
    typeInto(window.txtFrames, QStringLiteral("3"));
    click(window.cmdNext);

    EXPECT_EQ(window.lblCurTile->text(), QStringLiteral("Tile: 6"));
    EXPECT_TRUE(window.chkAnimated->isChecked());
    EXPECT_FALSE(window.chkAnimated->isEnabled());
    EXPECT_FALSE(window.txtFrames->isEnabled());
    EXPECT_EQ(window.txtFrames->text(), QStringLiteral("3"));
    EXPECT_EQ(window.lblAnimFrame->text(), QStringLiteral("2/3"));
    EXPECT_FALSE(window.frmAssigns->isEnabled());
    click(window.cmdNext);
    EXPECT_EQ(window.lblAnimFrame->text(), QStringLiteral("3/3"));
    click(window.cmdNext);
    EXPECT_EQ(window.lblAnimFrame->text(), QStringLiteral("1/1"));
    EXPECT_FALSE(window.chkAnimated->isChecked());
    EXPECT_TRUE(window.frmAssigns->isEnabled());

    EXPECT_EQ(endAndSave(), Le32({8}) + record(1, 1, 1, 1, 1, 0, 0) + record(1, 1, 1, 1, 1, 0, 16) +
                                record(1, 1, 1, 1, 1, 0, 32) + record(1, 1, 1, 1, 1, 0, 48) +
                                record(4, 3, 1, 1, 1, 32, 0) + record(4, 3, 2, 1, 1, 32, 16) +
                                record(4, 3, 3, 1, 1, 32, 32) + record(4, 1, 1, 1, 1, 32, 48));
}

TEST_F(AssignmentTest, ThreeHitsOnBrickTwoMarkTheFollowingCellsAsStages)
{
    startWalk(160, 16);
    click(window.cmdNext);
    typeInto(window.txtHits, QStringLiteral("3"));
    click(window.cmdNext);

    // A middle stage: its hits and two of the behaviours cannot be changed.
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("2"));
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("3"));
    EXPECT_FALSE(window.txtHits->isEnabled());
    EXPECT_FALSE(window.Option1[2]->isEnabled());
    EXPECT_FALSE(window.Option1[3]->isEnabled());
    EXPECT_TRUE(window.Option1[4]->isEnabled());
    click(window.cmdNext);

    // The last stage.
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("3"));
    EXPECT_TRUE(window.txtHits->isEnabled());
    EXPECT_TRUE(window.Option1[2]->isEnabled());
    EXPECT_TRUE(window.Option1[3]->isEnabled());
    click(window.cmdNext);
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("1"));
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("1"));

    EXPECT_EQ(endAndSave(), Le32({5}) + record(1, 1, 1, 1, 1, 0, 0) + record(1, 1, 1, 3, 1, 32, 0) +
                                record(1, 1, 1, 3, 2, 64, 0) + record(1, 1, 1, 3, 3, 96, 0) +
                                record(1, 1, 1, 1, 1, 128, 0));
}

TEST_F(AssignmentTest, AnimatedBrickWithTwoHitsPutsStageTwoAfterItsLastPicture)
{
    startWalk(128, 16);
    click(window.chkAnimated);
    typeInto(window.txtFrames, QStringLiteral("2"));
    typeInto(window.txtHits, QStringLiteral("2"));
    click(window.cmdNext);
    // The second picture belongs to stage 1 as well.
    EXPECT_EQ(window.lblAnimFrame->text(), QStringLiteral("2/2"));
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("1"));
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("2"));
    click(window.cmdNext);
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("2"));
    click(window.cmdNext);

    EXPECT_EQ(endAndSave(), Le32({4}) + record(1, 2, 1, 2, 1, 0, 0) + record(1, 2, 2, 2, 1, 32, 0) +
                                record(1, 1, 1, 2, 2, 64, 0) + record(1, 1, 1, 1, 1, 96, 0));
}

TEST_F(AssignmentTest, EveryPictureOfAnAnimatedStageCarriesThatStage)
{
    // Three hits; stage 1 an animation of three pictures, stage 2 one of two.
    startWalk(64, 64);
    click(window.chkAnimated);
    typeInto(window.txtFrames, QStringLiteral("3"));
    typeInto(window.txtHits, QStringLiteral("3"));
    click(window.cmdNext);
    click(window.cmdNext); // leaving picture 2 must not make picture 3 a new stage
    EXPECT_EQ(window.lblAnimFrame->text(), QStringLiteral("3/3"));
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("1"));
    click(window.cmdNext);
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("2"));
    EXPECT_FALSE(window.txtHits->isEnabled());
    click(window.chkAnimated);
    typeInto(window.txtFrames, QStringLiteral("2"));
    click(window.cmdNext);
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("2"));
    click(window.cmdNext);
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("3"));
    click(window.cmdNext);

    EXPECT_EQ(endAndSave(), Le32({6}) + record(1, 3, 1, 3, 1, 0, 0) + record(1, 3, 2, 3, 1, 0, 16) +
                                record(1, 3, 3, 3, 1, 0, 32) + record(1, 2, 1, 3, 2, 0, 48) +
                                record(1, 2, 2, 3, 2, 32, 0) + record(1, 1, 1, 3, 3, 32, 16));
}

TEST_F(AssignmentTest, NumbersAreRoundedOnceHalvesToEven)
{
    // 2.5 frames are 2 and 1.5 hits are 2: the animation and its next stage fit three cells.
    startWalk(96, 16);
    click(window.chkAnimated);
    typeInto(window.txtFrames, QStringLiteral("2.5"));
    typeInto(window.txtHits, QStringLiteral("1.5"));
    click(window.cmdNext);
    click(window.cmdNext);
    EXPECT_EQ(window.lblHitStage->text(), QStringLiteral("2"));
    EXPECT_EQ(endAndSave(), Le32({3}) + record(1, 2, 1, 2, 1, 0, 0) + record(1, 2, 2, 2, 1, 32, 0) +
                                record(1, 1, 1, 2, 2, 64, 0));
}

TEST_F(AssignmentTest, PicturesOrStagesPastTheLastCellAreRefused)
{
    startWalk(64, 16); // two cells
    const BrickRecord first = bricks[1];
    const BrickRecord second = bricks[2];
    auto expectRefusedOn = [&](int brick) {
        const auto messages = dialogs.messages();
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().text, NotEnoughBricks);
        EXPECT_EQ(messages.back().caption, QStringLiteral("VorpexEditor"));
        EXPECT_EQ(messages.back().buttons, MsgButtons::Ok);
        EXPECT_EQ(window.CurBrick, brick);
        EXPECT_EQ(bricks[1], first);
        EXPECT_EQ(bricks[2], second);
        EXPECT_TRUE(window.frmActions->isEnabled());
        EXPECT_FALSE(window.cmdSave->isEnabled());
    };

    click(window.chkAnimated);
    for (const char *frames : {"3", "9999999999"}) {
        SCOPED_TRACE(frames);
        typeInto(window.txtFrames, QLatin1String(frames));
        dialogs.answer(MsgAnswer::Ok);
        click(window.cmdNext);
        expectRefusedOn(1);
        EXPECT_FALSE(window.cmdPrevious->isEnabled());
    }
    click(window.chkAnimated);
    click(window.cmdNext);
    ASSERT_EQ(window.CurBrick, 2);

    // On the last cell End tileset assigns it; a second stage has no cell to go to.
    typeInto(window.txtHits, QStringLiteral("2"));
    dialogs.answer(MsgAnswer::Ok);
    click(window.Command2);
    expectRefusedOn(2);
    typeInto(window.txtHits, QStringLiteral("1"));
    click(window.chkAnimated);
    typeInto(window.txtFrames, QStringLiteral("2"));
    dialogs.answer(MsgAnswer::Ok);
    click(window.Command2);
    expectRefusedOn(2);

    click(window.chkAnimated);
    EXPECT_EQ(endAndSave(), Le32({2}) + record(1, 1, 1, 1, 1, 0, 0) + record(1, 1, 1, 1, 1, 32, 0));
}

TEST_F(AssignmentTest, FramesBoxIsCheckedOnEveryChange)
{
    startWalk(64, 16);
    click(window.chkAnimated);
    window.txtFrames->setFocus();
    QTest::keyClick(window.txtFrames, Qt::Key_End);
    dialogs.answer(MsgAnswer::Ok);
    QTest::keyClick(window.txtFrames, Qt::Key_Backspace);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    const auto &message = dialogs.messages()[0];
    EXPECT_EQ(message.text, QStringLiteral("Please enter a valid number."));
    EXPECT_EQ(message.caption, QStringLiteral("Non-Valid Entry"));
    EXPECT_EQ(message.buttons, MsgButtons::Ok);
    EXPECT_EQ(message.icon, MsgIcon::Critical);
    EXPECT_EQ(window.txtFrames->text(), QStringLiteral("1"));
    EXPECT_TRUE(window.txtFrames->hasFocus());

    // Below one becomes one without a word.
    typeInto(window.txtFrames, QStringLiteral("0"));
    EXPECT_EQ(window.txtFrames->text(), QStringLiteral("1"));
    EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(AssignmentTest, HitsBoxIsCheckedWhenItLosesTheFocus)
{
    startWalk(64, 16);
    // Leaving the box by clicking Help, which does nothing itself.
    for (const char *low : {"0", "-3"}) {
        typeInto(window.txtHits, QLatin1String(low));
        EXPECT_EQ(window.txtHits->text(), QLatin1String(low)); // not while typing
        click(window.Command7);
        EXPECT_EQ(window.txtHits->text(), QStringLiteral("1")) << low;
    }
    struct Kept
    {
        const char *typed;
        const char *after;
    };
    for (const Kept k : {Kept{"2.5", "2.5"}, Kept{" +7e0 ", " +7e0 "}, Kept{"-.5e1", "1"}}) {
        typeInto(window.txtHits, QLatin1String(k.typed));
        click(window.Command7);
        EXPECT_EQ(window.txtHits->text(), QLatin1String(k.after)) << k.typed;
    }
    EXPECT_TRUE(dialogs.messages().empty());

    typeInto(window.txtHits, QStringLiteral("abc"));
    dialogs.answer(MsgAnswer::Ok);
    click(window.Command7);
    ASSERT_EQ(dialogs.messages().size(), 1u);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("Please enter a valid number."));
    EXPECT_EQ(dialogs.messages()[0].caption, QStringLiteral("Non-Valid Entry"));
    EXPECT_EQ(dialogs.messages()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("1"));
    EXPECT_TRUE(window.txtHits->hasFocus());
}
