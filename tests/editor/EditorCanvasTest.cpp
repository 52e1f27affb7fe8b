#include "EditorFixture.h"

#include "editor/BuiltInImages.h"

TEST_F(EditorTest, PaddleBoxesKeepAPaddleAndTheMousePicksBricksAndFillsOnlyTheCellsItPresses)
{
    start();
    clickSlot(2);
    mouse(QTest::MouseClick, 20, 465); // a brick over the bottom paddle's cell (1, 30)
    const QImage across = HorizontalPaddleImage(), down = VerticalPaddleImage();
    clickBox(1); // the only box: it stays ticked
    // Tick the top, then untick the bottom: the paddle moves, the bricks stay drawn.
    clickBox(3);
    clickBox(1);
    EXPECT_EQ(editor->Paddles, (std::array<std::int16_t, 5>{0, 0, 0, -1, 0}));
    EXPECT_EQ(canvas(300, 465), QColor(Qt::black));
    EXPECT_EQ(canvas(300, 15), across.pixelColor(300, 5));
    EXPECT_EQ(canvas(20, 465), CellColour(2));
    expectShown(editor->LevelPic);
    clickBox(3);
    EXPECT_EQ(boxes(), (Boxes{1, 0, 0, 0}));
    EXPECT_EQ(canvas(300, 15), QColor(Qt::black));
    // All four: the later bars cover the crossings.
    for (int n : {2, 3, 4})
        clickBox(n);
    EXPECT_EQ(canvas(15, 15), down.pixelColor(5, 15));    // 4 over 3
    EXPECT_EQ(canvas(625, 465), down.pixelColor(5, 465)); // 2 over 1

    // Blue ground and the top paddle, across rows 1 and 2.
    ASSERT_TRUE(editor->OpenFile(writeLevel("top.vxl", {0, 0, -1, 0})));
    // Any button picks a brick; slot 0 takes no clicks.
    clickSlot(2);
    EXPECT_EQ(editor->Picture2[0]->border(), PictureBox::Border::None);
    EXPECT_EQ(editor->Picture2[2]->border(), PictureBox::Border::Sunken3D);
    clickSlot(3, Qt::RightButton);
    clickSlot(0);
    EXPECT_EQ(editor->CurrentBrick, 3);
    EXPECT_EQ(editor->Picture2[2]->border(), PictureBox::Border::None);

    // A press on the border, off the drawing area, draws and writes nothing.
    const QImage before = editor->LevelPic->surface().copy();
    QTest::mouseClick(editor->LevelPic, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(editor->LevelPic->surface(), before);
    // A press with no earlier move acts on its own cell; a drag carries on over the paddle.
    mouse(QTest::MousePress, 100, 12);
    EXPECT_EQ(editor->CurPoslbl->text(), "X: 4  Y: 1");
    EXPECT_EQ(canvas(96, 0), CellColour(3));
    for (int x = 140; x <= 200; x += 30)
        moveTo(x, 12);
    EXPECT_EQ(canvas(200, 12), CellColour(3));
    expectShown(editor->LevelPic);
    EXPECT_EQ(editor->CurPoslbl->text(), "X: 7  Y: 1");
    // Released outside the canvas: the drag ends there; later moves only track the cell.
    moveTo(700, 12);
    mouse(QTest::MouseRelease, 700, 12);
    moveTo(300, 300);
    EXPECT_EQ(editor->CurPoslbl->text(), "X: 10  Y: 19");
    // The last pixel is cell (20, 30), the next none; a move over the window ends the drag.
    mouse(QTest::MousePress, 639, 479);
    moveTo(639, 480);
    EXPECT_EQ(editor->CurPoslbl->text(), "X: 20  Y: 30");
    QTest::mouseMove(editor->surface, QPoint(400, 560));
    EXPECT_EQ(editor->MouseHeld, VbFalse);
    EXPECT_EQ(editor->CurPoslbl->text(), "X: Y:");
    CellGrid placed;
    placed(4, 1) = placed(5, 1) = placed(6, 1) = placed(7, 1) = placed(20, 30) = 3;
    EXPECT_EQ(editor->LevelGrid, placed);

    // Other buttons empty the cell, showing the ground and the paddle beneath.
    mouse(QTest::MousePress, 100, 12, Qt::RightButton);
    EXPECT_EQ(canvas(100, 12), across.pixelColor(100, 2));
    EXPECT_EQ(canvas(100, 5), QColor(0, 0, 90));
    expectShown(editor->LevelPic);
    mouse(QTest::MouseRelease, 100, 12, Qt::RightButton);
    // Left and right held together empty cells while dragging; so does the middle button.
    mouse(QTest::MousePress, 140, 12);
    mouse(QTest::MousePress, 140, 12, Qt::RightButton);
    moveTo(170, 12);
    EXPECT_EQ(canvas(170, 12), across.pixelColor(170, 2));
    mouse(QTest::MouseRelease, 170, 12, Qt::RightButton);
    mouse(QTest::MouseRelease, 170, 12);
    mouse(QTest::MousePress, 200, 12, Qt::MiddleButton);
    placed(4, 1) = placed(5, 1) = placed(6, 1) = placed(7, 1) = 0;
    EXPECT_EQ(editor->LevelGrid, placed);
    // The palette repaints from its own copies while a builder reuses the shared table.
    bricks.resize(1);
    editor->Picture2[3]->refresh();
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(editor->Picture2[n]->surface().pixelColor(8, 8), CellColour(n)) << n;
}

TEST_F(EditorTest, BackgroundsTileFromTheTopLeftAndExpandAndShrinkOnRightClick)
{
    start();
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 535, 225, 57)); // the prompt rises by one
    for (auto [width, height, across, down] :
         {std::array{320, 240, 2, 2}, std::array{300, 100, 3, 5}, std::array{641, 100, 1, 5}}) {
        const QString path = app.bgd(QStringLiteral("b%1.bmp").arg(width));
        WriteBitmap(path, markedPicture(width, height));
        dialogs.open(path);
        QTest::mouseClick(editor->Backpic, width == 300 ? Qt::MiddleButton : Qt::LeftButton, {},
                          QPoint(20, 20));
        EXPECT_EQ(editor->BackTilesAcross, across) << width;
        EXPECT_EQ(editor->BackTilesDown, down) << width;
        EXPECT_EQ(editor->BackPiclbl->text(), "Background Pic - Right-click to expand\r\n" + path);
        EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 536, 225, 57)); // the thumbnail again
        for (int i = 0; i < across; ++i)
            for (int j = 0; j < down; ++j)
                EXPECT_EQ(canvas(i * width, j * height), Red) << width << ' ' << i << j;
        // A tile that does not fit is cut at the edge, not squeezed or moved.
        EXPECT_EQ(canvas(639, 0), 640 % width ? Body : Green) << width;
        expectShown(editor->LevelPic);
        expectShown(editor->Backpic);
    }
    // Right click expands upward to the picture's size, then back to the thumbnail.
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 592 - 104, 645, 104));
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 536, 225, 57));
    EXPECT_EQ(editor->Backpic->surface().pixelColor(640, 99), Yellow);

    // Cancel, then a file that is no picture: nothing changes.
    const QImage canvasBefore = editor->LevelPic->surface().copy();
    const QString label = editor->BackPiclbl->text();
    const QString bad = app.bgd("bad.bmp");
    WriteBytes(bad, "BM but not really");
    dialogs.cancelOpen().open(bad).answer(MsgAnswer::Ok);
    editor->Backpic_MouseDown(1);
    editor->Backpic_MouseDown(4);
    dialogs.expectMessage("Cannot load picture.\r\n" + bad);
    EXPECT_EQ(dialogs.shown()[dialogs.shown().size() - 2].request.filter, "Bitmap|*.bmp");
    EXPECT_EQ(std::tuple(editor->BackPicPath, editor->BackPiclbl->text(), editor->BackTileWidth),
              std::tuple(app.bgd("b641.bmp"), label, 641));
    EXPECT_EQ(editor->LevelPic->surface(), canvasBefore);
    // Undone back to no background, the ground is black again, erasing included.
    while (editor->mnuUndo->isEnabled())
        ctrl(Qt::Key_Z);
    clickSlot(1);
    stroke({{1, 1}});
    stroke({{1, 1}}, Qt::RightButton);
    EXPECT_EQ(canvas(5, 5), QColor(Qt::black));
}
