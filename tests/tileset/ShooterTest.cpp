// The shooter directions and the code they make.
#include "BuilderFixture.h"

namespace {

class ShooterTest : public BuilderFixture
{
protected:
    void SetUp() override { startWalk(64, 32); }

    void setBoxes(bool top, bool right, bool bottom, bool left)
    {
        const bool pattern[4] = {top, right, bottom, left};
        for (int i = 0; i < 4; ++i)
            window.chkShooter[std::size_t(i)]->setChecked(pattern[i]);
    }
    bool box(int i) const { return window.chkShooter[std::size_t(i)]->isChecked(); }
};

} // namespace

TEST_F(ShooterTest, EveryPatternGivesItsCodeOnAMouseRelease)
{
    struct Row
    {
        int code;
        bool top, right, bottom, left;
    };
    const Row table[] = {
        {0, 0, 0, 0, 0},  {5, 1, 0, 0, 0},  {6, 0, 1, 0, 0},  {7, 0, 0, 1, 0},
        {8, 0, 0, 0, 1},  {9, 1, 1, 0, 0},  {10, 0, 1, 1, 0}, {11, 0, 0, 1, 1},
        {12, 1, 0, 0, 1}, {13, 1, 1, 0, 1}, {14, 1, 1, 1, 0}, {15, 0, 1, 1, 1},
        {16, 1, 0, 1, 1}, {17, 1, 1, 1, 1}, {18, 0, 1, 0, 1}, {19, 1, 0, 1, 0},
    };
    for (const Row &row : table) {
        SCOPED_TRACE(row.code);
        setBoxes(row.top, row.right, row.bottom, row.left);
        window.ShooterAction = -1;
        // The right button does not toggle the box, but its release counts all the same.
        click(window.chkShooter[std::size_t(row.code % 4)], Qt::RightButton);
        EXPECT_EQ(window.ShooterAction, row.code);
        EXPECT_EQ(box(0), row.top);
        EXPECT_EQ(box(3), row.left);
    }
}

TEST_F(ShooterTest, ClickingTopRightBottomLeftInTurn)
{
    const int expected[4] = {5, 9, 14, 17};
    for (int i = 0; i < 4; ++i) {
        click(window.chkShooter[std::size_t(i)]);
        EXPECT_TRUE(box(i));
        EXPECT_EQ(window.ShooterAction, expected[i]) << i;
    }
    // The behaviour chosen is not touched.
    EXPECT_TRUE(window.Option1[1]->isChecked());
    EXPECT_EQ(window.CurAction, 1);
}

TEST_F(ShooterTest, KeyboardTogglesWaitForTheNextMouseRelease)
{
    click(window.chkShooter[0]);
    ASSERT_EQ(window.ShooterAction, 5);
    window.chkShooter[1]->setFocus();
    QTest::keyClick(window.chkShooter[1], Qt::Key_Space);
    EXPECT_TRUE(box(1));
    EXPECT_EQ(window.ShooterAction, 5);
    click(window.chkShooter[3], Qt::RightButton);
    EXPECT_EQ(window.ShooterAction, 9);
}

TEST_F(ShooterTest, ChoosingShooterWithNoDirectionTicksTheTop)
{
    click(window.Option2);
    EXPECT_TRUE(box(0));
    EXPECT_EQ(window.ShooterAction, 5);
    EXPECT_EQ(window.CurAction, 5);

    // Right and left, then assign: the code goes into the brick.
    click(window.chkShooter[0]);
    click(window.chkShooter[1]);
    click(window.chkShooter[3]);
    EXPECT_EQ(window.ShooterAction, 18);
    click(window.cmdNext);
    EXPECT_EQ(bricks[1].Action, 18);

    // Clearing every box gives 0; assigning then ticks the top again and stores 5.
    click(window.chkShooter[1]);
    click(window.chkShooter[3]);
    EXPECT_EQ(window.ShooterAction, 0);
    click(window.cmdNext);
    EXPECT_TRUE(box(0));
    EXPECT_EQ(window.ShooterAction, 5);
    EXPECT_EQ(bricks[2].Action, 5);

    // The directions stay for the next brick; another behaviour is stored over them.
    click(window.Option1[2]);
    click(window.chkShooter[2]);
    EXPECT_EQ(window.ShooterAction, 19);
    click(window.cmdNext);
    EXPECT_EQ(bricks[3].Action, 2);
    EXPECT_EQ(endAndSave(), Le32({4}) + record(18, 1, 1, 1, 1, 0, 0) +
                                record(5, 1, 1, 1, 1, 0, 16) + record(2, 1, 1, 1, 1, 32, 0) +
                                record(2, 1, 1, 1, 1, 32, 16));
}
