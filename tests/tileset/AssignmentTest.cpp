// Giving bricks behaviour, hits, animation pictures and shooter codes; checks on number boxes.
#include "BuilderFixture.h"

using AssignmentTest = BuilderFixture;

TEST_F(AssignmentTest, AnimationOfThreeOnBrickFiveWithDynamite)
{
    startWalk(256, 16);
    next(4);
    ClickInTurn({window.Option1[4], window.chkAnimated});
    TypeInto(window.txtFrames, QStringLiteral("3"));
    next();
    EXPECT_FALSE(window.frmAssigns->isEnabled()); // a later picture takes no settings
    // Back onto the last picture and on again: each brick shows its own frames.
    next(2);
    Click(window.cmdPrevious);
    EXPECT_EQ(std::tuple(window.lblAnimFrame->text(), window.txtFrames->text()),
              std::tuple("3/3", "3"));
    Click(window.cmdNext);
    EXPECT_EQ(std::tuple(window.lblAnimFrame->text(), window.chkAnimated->isChecked()),
              std::tuple("1/1", false));
    EXPECT_EQ(endAndSave(), Le32({8}) + Le32({1, 1, 1, 1, 1, 0, 0}) + Le32({1, 1, 1, 1, 1, 32, 0}) +
                                Le32({1, 1, 1, 1, 1, 64, 0}) + Le32({1, 1, 1, 1, 1, 96, 0}) +
                                Le32({4, 3, 1, 1, 1, 128, 0}) + Le32({4, 3, 2, 1, 1, 160, 0}) +
                                Le32({4, 3, 3, 1, 1, 192, 0}) + Le32({4, 1, 1, 1, 1, 224, 0}));
}

TEST_F(AssignmentTest, ThreeHitsOnBrickTwo)
{
    startWalk(128, 16);
    next();
    TypeInto(window.txtHits, QStringLiteral("3"));
    next();
    // A middle stage: its hits and Go-thru cannot be changed; the last stage's can.
    EXPECT_FALSE(window.txtHits->isEnabled() || window.Option1[2]->isEnabled() ||
                 window.Option1[3]->isEnabled());
    next();
    EXPECT_TRUE(window.txtHits->isEnabled() && window.Option1[2]->isEnabled() &&
                window.Option1[3]->isEnabled());
    EXPECT_EQ(endAndSave(), Le32({4}) + Le32({1, 1, 1, 1, 1, 0, 0}) + Le32({1, 1, 1, 3, 1, 32, 0}) +
                                Le32({1, 1, 1, 3, 2, 64, 0}) + Le32({1, 1, 1, 3, 3, 96, 0}));
}

TEST_F(AssignmentTest, EveryPictureOfAnAnimatedStageCarriesThatStageRoundedOnce)
{
    // Stages of 3 and 2 pictures up to the last cell: 1.5 hits are 2, 2.5 frames 2 (half to even).
    startWalk(32, 80);
    Click(window.chkAnimated);
    TypeInto(window.txtFrames, QStringLiteral("3"));
    TypeInto(window.txtHits, QStringLiteral("1.5"));
    next(3); // leaving picture 2 must not make picture 3 a new stage
    EXPECT_TRUE(window.frmAssigns->isEnabled()); // off on pictures 2 and 3, on again at a stage
    Click(window.chkAnimated);
    TypeInto(window.txtFrames, QStringLiteral("2.5"));
    next(2);
    EXPECT_EQ(endAndSave(), Le32({5}) + Le32({1, 3, 1, 2, 1, 0, 0}) + Le32({1, 3, 2, 2, 1, 0, 16}) +
                                Le32({1, 3, 3, 2, 1, 0, 32}) + Le32({1, 2, 1, 2, 2, 0, 48}) +
                                Le32({1, 2, 2, 2, 2, 0, 64}));
}

TEST_F(AssignmentTest, NumberBoxesAreCheckedAndPicturesOrStagesPastTheLastCellAreRefused)
{
    startWalk(64, 16); // two cells
    const BrickRecord first = bricks[1], second = bricks[2];
    // The frames box is checked on every change, the hits box on losing the focus.
    Click(window.chkAnimated);
    dialogs.answer(MsgAnswer::Ok).answer(MsgAnswer::Ok).answer(MsgAnswer::Ok);
    window.txtFrames->setFocus();
    QTest::keyClick(window.txtFrames, Qt::Key_Backspace); // "2" becomes "": not a number
    EXPECT_EQ(window.txtFrames->text(), QStringLiteral("1"));
    TypeInto(window.txtHits, QStringLiteral("1,5"));
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("1,5")); // not while typing
    Click(window.Command7);                                   // Help does nothing itself
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("1"));
    EXPECT_TRUE(window.txtHits->hasFocus());
    EXPECT_EQ(dialogs.messages().size(), 2u);
    dialogs.expectMessage(QStringLiteral("Please enter a valid number."),
                          QStringLiteral("Non-Valid Entry"), MsgButtons::Ok, MsgIcon::Critical);
    TypeInto(window.txtHits, QStringLiteral("-3")); // below one becomes one without a word
    Click(window.Command7);
    EXPECT_EQ(window.txtHits->text(), QStringLiteral("1"));
    TypeInto(window.txtHits, QStringLiteral("1e999")); // too large to be a number
    Click(window.Command7);
    EXPECT_EQ(dialogs.messages().size(), 3u);

    auto expectRefused = [&](QWidget *button, int brick) {
        dialogs.answer(MsgAnswer::Ok);
        Click(button);
        dialogs.expectMessage(QStringLiteral("Not enough bricks left in the picture."));
        EXPECT_EQ(window.CurBrick, brick);
        EXPECT_EQ(bricks[1], first);
        EXPECT_EQ(bricks[2], second);
    };
    for (const char *frames : {"3", "9999999999"}) {
        TypeInto(window.txtFrames, QLatin1String(frames));
        expectRefused(window.cmdNext, 1);
    }
    ClickInTurn({window.chkAnimated, window.cmdNext});
    // On the last cell End tileset assigns it; a second stage has no cell to go to.
    TypeInto(window.txtHits, QStringLiteral("2"));
    expectRefused(window.Command2, 2);
    TypeInto(window.txtHits, QStringLiteral("1"));
    EXPECT_EQ(endAndSave(), Le32({2}) + Le32({1, 1, 1, 1, 1, 0, 0}) + Le32({1, 1, 1, 1, 1, 32, 0}));
}

TEST_F(AssignmentTest, ShooterTopRightBottomLeftInTurnAndKeyboardTogglesWait)
{
    startWalk(64, 32);
    for (std::size_t i = 0; i < 4; ++i) {
        Click(window.chkShooter[i]);
        EXPECT_EQ(window.ShooterAction, (std::array{5, 9, 14, 17}[i])) << i;
    }
    window.chkShooter[1]->setFocus();
    QTest::keyClick(window.chkShooter[1], Qt::Key_Space); // right off
    EXPECT_EQ(window.ShooterAction, 17);
    Click(window.chkShooter[3], Qt::RightButton);
    EXPECT_EQ(window.ShooterAction, 16);

    // No direction left ticks the top again; another behaviour is stored over directions.
    ClickInTurn({window.Option2, window.chkShooter[0], window.chkShooter[2], window.chkShooter[3],
                 window.cmdNext, window.Option1[2], window.cmdNext});
    EXPECT_TRUE(window.chkShooter[0]->isChecked());
    EXPECT_FALSE(window.Option2->isChecked()); // one option group
    EXPECT_EQ(endAndSave(), Le32({2}) + Le32({5, 1, 1, 1, 1, 0, 0}) + Le32({2, 1, 1, 1, 1, 0, 16}));
}
