#include "BuilderFixture.h"
#include "platform/PictureBox.h"

#include <QWheelEvent>

namespace {

// A 32 x 96 picture of six cells; five bricks: a shooter up and right, three stages of a
// three-hit brick, and, against the builder's rules, an animation of three past the last brick.
const QByteArray Records[] = {Le32({9, 1, 1, 1, 1, 0, 0}), Le32({1, 1, 1, 3, 1, 0, 16}),
                              Le32({1, 1, 1, 3, 2, 0, 32}), Le32({1, 1, 1, 3, 3, 0, 48}),
                              Le32({4, 3, 1, 1, 1, 0, 64})};

class EditTest : public BuilderFixture
{
protected:
    EditTest()
    {
        WriteBitmap(app.tls("Stone.bmp"), CellPicture(32, 96));
        WriteBytes(stone, file);
    }
    void edit(int start = 1) { ASSERT_TRUE(window.EditTileSet(stone, start)); }
    // A point of the preview's drawing area, inside its 2-pixel border.
    void clickPreview(int y) { QTest::mouseClick(window.TileBmp, Qt::LeftButton, {}, {7, y + 2}); }

    const QString stone = app.tls("Stone.vxt");
    const QByteArray file =
        Le32({5}) + Records[0] + Records[1] + Records[2] + Records[3] + Records[4];
};

} // namespace

TEST_F(EditTest, GoesToBricksByNumberAndPreviewAndWritesBackOnlyTheOneChanged)
{
    edit();
    EXPECT_EQ(window.windowTitle(), "Edit Tileset - Stone.vxt");
    EXPECT_TRUE(window.cmdSave->isEnabled() && window.Option2->isChecked() &&
                window.chkShooter[1]->isChecked() && !window.chkShooter[2]->isChecked());
    Click(window.chkShooter[2]); // one more direction

    // Two notches down the 69-pixel preview: its foot shows cell 6, which is no brick.
    QWheelEvent wheel({9, 9}, window.TileBmp->mapToGlobal(QPointF(9, 9)), {}, {0, -240}, {}, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(window.TileBmp, &wheel);
    clickPreview(60);
    EXPECT_EQ(window.CurBrick, 1);
    clickPreview(40);
    EXPECT_EQ(std::tuple(window.lblAnimFrame->text(), window.Option1[4]->isChecked()),
              std::tuple("1/3", true));

    dialogs.number(2);
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    const auto prompt = dialogs.shown().back();
    EXPECT_EQ(std::tuple(prompt.text, prompt.minimum, prompt.maximum, prompt.value),
              std::tuple("Brick number (1 to 5):", 1, 5, 5));
    EXPECT_EQ(std::tuple(window.txtHits->text(), window.lblHitStage->text()), std::tuple("3", "1"));
    // Scrolled back to show brick 2, framed.
    const QImage &preview = window.TileBmp->surface();
    EXPECT_EQ(
        std::tuple(preview.pixelColor(0, 0), preview.pixelColor(1, 1), preview.pixelColor(5, 5)),
        std::tuple(QColor(Qt::black), QColor(Qt::white), CellColour(2)));
    // The option brick 1 had is no longer in the group's way.
    ClickInTurn({window.cmdPrevious, window.cmdNext, window.Option2});
    EXPECT_FALSE(window.Option1[1]->isChecked());
    Click(window.Option1[1]);
    TypeInto(window.txtHits, "1");
    // Brick 5's animation undone: a brick of one picture.
    dialogs.number(5);
    QTest::keyClick(&window, Qt::Key_G, Qt::ControlModifier);
    Click(window.chkAnimated);
    Click(window.cmdSave);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(ReadBytes(stone), Le32({5}) + Le32({14, 1, 1, 1, 1, 0, 0}) +
                                    Le32({1, 1, 1, 1, 1, 0, 16}) + Records[2] + Records[3] +
                                    Le32({4, 1, 1, 1, 1, 0, 64}));
}

TEST_F(EditTest, EndingShortAndClosingAskOnlyWhenBricksAreDroppedOrRecordsDiffer)
{
    edit(5); // the last brick, scrolled into view
    EXPECT_EQ(window.TileBmp->surface().pixelColor(5, 55), CellColour(5));
    TypeInto(window.txtHits, "3"); // stages past the picture: Save refuses and stays
    dialogs.answer(MsgAnswer::Ok).answer(MsgAnswer::No);
    Click(window.cmdSave);
    dialogs.expectMessage("Not enough bricks left in the picture.");
    TypeInto(window.txtHits, "1");
    Click(window.Command2);
    ASSERT_NO_FATAL_FAILURE(
        dialogs.expectMessage("The tileset will end at brick 4. Bricks 5 to 5 will be removed.",
                              "VorpexEditor", MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::No));
    EXPECT_TRUE(window.frmActions->isEnabled());
    QTest::keyClick(&window, Qt::Key_Escape); // nothing differs: no question
    EXPECT_FALSE(window.isVisible());

    // A change not yet stored counts.
    window.show();
    edit();
    Click(window.Option1[3]);
    dialogs.answer(MsgAnswer::Cancel).answer(MsgAnswer::No);
    Click(window.Command3);
    dialogs.expectMessage("Do you want to save the changes to the tileset?", "VorpexEditor",
                          MsgButtons::YesNoCancel, MsgIcon::Question);
    EXPECT_TRUE(window.isVisible());
    window.close();
    EXPECT_TRUE(!window.isVisible() && ReadBytes(stone) == file);

    window.show();
    edit(4);
    dialogs.answer(MsgAnswer::Yes).answer(MsgAnswer::Yes);
    Click(window.Command2);
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(ReadBytes(stone), Le32({3}) + Records[0] + Records[1] + Records[2]);
    // Its file turned into a folder: Save says so and the window stays.
    window.show();
    edit();
    ASSERT_TRUE(QFile::remove(stone) && QDir().mkdir(stone));
    dialogs.answer(MsgAnswer::Ok);
    Click(window.cmdSave);
    dialogs.expectMessage("Error in writing file.");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(EditTest, AMissingOrMismatchedBitmapOrAShortFileOpensNothing)
{
    const QString bitmap = app.tls("Stone.bmp");
    // No bitmap; four cells for five bricks; a width of no whole cells; a record cut short.
    for (const auto &[vxt, picture] :
         {std::pair(file, QImage()), std::pair(file, CellPicture(32, 64)),
          std::pair(file, CellPicture(40, 96)), std::pair(file.chopped(1), CellPicture(32, 96))}) {
        QFile::remove(bitmap);
        if (!picture.isNull())
            WriteBitmap(bitmap, picture);
        WriteBytes(stone, vxt);
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(window.EditTileSet(stone));
        dialogs.expectMessage("Cannot open tileset.\r\n" + stone);
    }
    EXPECT_EQ(window.windowTitle(), "New Tileset");
    EXPECT_TRUE(window.cmdOpenPic->isEnabled() && bricks.upperBound() == 0);

    // A brick no one has assigned (Check Files finds those) shows no option at all.
    WriteBytes(stone, Le32({2}) + Records[0] + Le32({0, 1, 1, 1, 1, 0, 16}));
    edit(2);
    EXPECT_FALSE(window.Option2->isChecked() || window.Option1[1]->isChecked());
}
