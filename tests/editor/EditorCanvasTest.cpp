#include "EditorFixture.h"

#include "editor/BuiltInImages.h"

#include <QApplication>

namespace {

// A background whose four corners are marked, so each tile's place can be found on the canvas.
QImage markedPicture(int width, int height)
{
    QImage image = SolidPicture(width, height, QColor(20, 60, 20));
    image.setPixelColor(0, 0, QColor(255, 0, 0));
    image.setPixelColor(width - 1, 0, QColor(0, 255, 0));
    image.setPixelColor(0, height - 1, QColor(0, 0, 255));
    image.setPixelColor(width - 1, height - 1, QColor(255, 255, 0));
    return image;
}

} // namespace

TEST_F(EditorTest, PaletteSelectsWithAnyButtonAndMovesTheBorder)
{
    start();
    clickSlot(2);
    EXPECT_EQ(editor->CurrentBrick, 2);
    EXPECT_EQ(editor->Picture2[0]->border(), PictureBox::Border::None);
    EXPECT_EQ(editor->Picture2[2]->border(), PictureBox::Border::Sunken3D);
    EXPECT_EQ(editor->Picture2[2]->drawingArea(), QSize(32, 16));
    clickSlot(4, Qt::RightButton);
    EXPECT_EQ(editor->CurrentBrick, 4);
    EXPECT_EQ(editor->Picture2[2]->border(), PictureBox::Border::None);
    // Slot 0 takes no clicks.
    clickSlot(0);
    EXPECT_EQ(editor->CurrentBrick, 4);
    // An unselected slot shows its brick with a strip of face colour right and below.
    const QImage &slot = editor->Picture2[2]->surface();
    EXPECT_EQ(slot.pixelColor(31, 15), brickColour(2));
    EXPECT_NE(slot.pixelColor(33, 18), brickColour(2));
}

TEST_F(EditorTest, PaletteRepaintsFromItsOwnCopiesWhileTheTableIsElsewhere)
{
    start();
    // The builder reuses the shared table; a repaint must not read it.
    bricks.resize(1);
    editor->Picture2[3]->refresh();
    for (int n = 1; n <= 6; ++n)
        EXPECT_EQ(editor->Picture2[n]->surface().pixelColor(8, 8), brickColour(n)) << n;
}

TEST_F(EditorTest, PressAndDragPlaceTheSelectedBrick)
{
    start();
    clickSlot(3);
    // A press with no earlier move acts on its own cell.
    pressCanvas(Qt::LeftButton, 100, 40); // cell (4, 3)
    EXPECT_EQ(editor->LevelGrid(4, 3), 3);
    EXPECT_EQ(editor->LevelGrid(0, 0), 0);
    EXPECT_EQ(editor->CurPoslbl->text(), QStringLiteral("X: 4  Y: 3"));
    EXPECT_EQ(canvas(96, 32), brickColour(3));
    EXPECT_EQ(canvas(127, 47), brickColour(3));
    EXPECT_EQ(editor->MouseHeld, VbTrue);
    // Drag right across three cells.
    for (int x = 140; x <= 200; x += 30)
        QTest::mouseMove(editor->LevelPic, onCanvas(x, 40));
    EXPECT_EQ(editor->LevelGrid(5, 3), 3);
    EXPECT_EQ(editor->LevelGrid(6, 3), 3);
    EXPECT_EQ(editor->LevelGrid(7, 3), 3);
    EXPECT_EQ(canvas(200, 40), brickColour(3));
    EXPECT_EQ(editor->CurPoslbl->text(), QStringLiteral("X: 7  Y: 3"));
    // Released outside the canvas: the drag ends there; later moves only track the cell.
    QTest::mouseMove(editor->LevelPic, onCanvas(700, 40));
    QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, onCanvas(700, 40));
    EXPECT_EQ(editor->MouseHeld, VbFalse);
    QTest::mouseMove(editor->LevelPic, onCanvas(300, 300));
    EXPECT_EQ(editor->LevelGrid(10, 19), 0);
    EXPECT_EQ(editor->CurPoslbl->text(), QStringLiteral("X: 10  Y: 19"));
    // The last pixel of the area is cell (20, 30).
    pressCanvas(Qt::LeftButton, 639, 479);
    EXPECT_EQ(editor->LevelGrid(20, 30), 3);
    EXPECT_EQ(canvas(608, 464), brickColour(3));
}

TEST_F(EditorTest, OtherButtonsAndCombinationsEmptyCellsShowingGroundAndPaddles)
{
    start();
    editor->Check1[3]->setChecked(true); // top paddle crosses row 1 and row 2
    clickSlot(1);
    for (int x = 0; x < 6; ++x) {
        pressCanvas(Qt::LeftButton, 16 + 32 * x, 12);
        QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, onCanvas(16 + 32 * x, 12));
    }
    EXPECT_EQ(canvas(100, 12), brickColour(1)); // bricks cover the paddle
    // Right press empties; the paddle lying under the cell shows again.
    pressCanvas(Qt::RightButton, 20, 12);
    EXPECT_EQ(editor->LevelGrid(1, 1), 0);
    EXPECT_EQ(canvas(20, 12), HorizontalPaddleImage().pixelColor(20, 2));
    EXPECT_EQ(canvas(20, 5), QColor(Qt::black));
    QTest::mouseRelease(editor->LevelPic, Qt::RightButton, {}, onCanvas(20, 12));
    // Left and right held together empty cells while dragging (buttons 3, not 1).
    pressCanvas(Qt::LeftButton, 48, 12);
    QTest::mousePress(editor->LevelPic, Qt::RightButton, {}, onCanvas(48, 12));
    QTest::mouseMove(editor->LevelPic, onCanvas(80, 12));
    EXPECT_EQ(editor->LevelGrid(3, 1), 0);
    EXPECT_EQ(canvas(80, 12), HorizontalPaddleImage().pixelColor(80, 2));
    QTest::mouseRelease(editor->LevelPic, Qt::RightButton, {}, onCanvas(80, 12));
    QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, onCanvas(80, 12));
    // A middle press empties too.
    QTest::mousePress(editor->LevelPic, Qt::MiddleButton, {}, onCanvas(112, 12));
    EXPECT_EQ(editor->LevelGrid(4, 1), 0);
}

TEST_F(EditorTest, PressesOffTheDrawingAreaWriteNothing)
{
    start();
    clickSlot(2);
    const QImage before = editor->LevelPic->surface().copy();
    QTest::mousePress(editor->LevelPic, Qt::LeftButton, {}, QPoint(1, 1)); // on the border
    QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, QPoint(1, 1));
    EXPECT_EQ(editor->LevelPic->surface(), before);
    for (int i = 0; i < CellGrid::Size; ++i)
        EXPECT_EQ(editor->LevelGrid.cells[i], 0);
}

TEST_F(EditorTest, MovingOverTheWindowEndsTheDragAndClearsTheReadout)
{
    start();
    clickSlot(1);
    pressCanvas(Qt::LeftButton, 10, 10);
    QTest::mouseMove(editor->surface, QPoint(400, 560));
    EXPECT_EQ(editor->MouseHeld, VbFalse);
    EXPECT_EQ(editor->CurPoslbl->text(), QStringLiteral("X: Y:"));
    EXPECT_EQ(editor->CurCellX, 1);
    EXPECT_EQ(editor->CurCellY, 1);
}

TEST_F(EditorTest, PaddleBoxesKeepAtLeastOnePaddleAndRedraw)
{
    start();
    clickSlot(2);
    pressCanvas(Qt::LeftButton, 20, 465); // a brick over the bottom paddle's cell (1, 30)
    QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, onCanvas(20, 465));
    // Unticking the only box leaves box 1 ticked and the bottom bar drawn.
    QTest::mouseClick(editor->Check1[1], Qt::LeftButton);
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(canvas(300, 465), HorizontalPaddleImage().pixelColor(300, 5));
    // Tick the top, then untick the bottom: the paddle moves.
    QTest::mouseClick(editor->Check1[3], Qt::LeftButton);
    QTest::mouseClick(editor->Check1[1], Qt::LeftButton);
    EXPECT_EQ(boxes(), (std::array<bool, 4>{false, false, true, false}));
    EXPECT_EQ(editor->Paddles, (std::array<std::int16_t, 5>{0, 0, 0, -1, 0}));
    EXPECT_EQ(canvas(300, 465), QColor(Qt::black));
    EXPECT_EQ(canvas(300, 15), HorizontalPaddleImage().pixelColor(300, 5));
    EXPECT_EQ(canvas(20, 465), brickColour(2)); // the redraw keeps the bricks
    // Unticking the only box 3 re-ticks box 1.
    QTest::mouseClick(editor->Check1[3], Qt::LeftButton);
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(canvas(300, 15), QColor(Qt::black));
    // All four: the later bars cover the crossings.
    QTest::mouseClick(editor->Check1[2], Qt::LeftButton);
    QTest::mouseClick(editor->Check1[3], Qt::LeftButton);
    QTest::mouseClick(editor->Check1[4], Qt::LeftButton);
    const QImage vertical = VerticalPaddleImage();
    EXPECT_EQ(canvas(15, 462), vertical.pixelColor(5, 462));                // 4 over 1
    EXPECT_EQ(canvas(15, 15), vertical.pixelColor(5, 15));                  // 4 over 3
    EXPECT_EQ(canvas(625, 15), HorizontalPaddleImage().pixelColor(625, 5)); // 3 over 2
    EXPECT_EQ(canvas(625, 465), vertical.pixelColor(5, 465));               // 2 over 1
}

TEST_F(EditorTest, ClearAsksAndEmptiesOnlyThePlayfield)
{
    start();
    editor->LevelGrid(3, 3) = 2;
    editor->LevelGrid(0, 5) = 4;
    editor->LevelPic_Paint();
    dialogs.answer(MsgAnswer::No);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    EXPECT_EQ(editor->LevelGrid(3, 3), 2);
    const auto &asked = dialogs.shown().back();
    EXPECT_EQ(asked.text, QStringLiteral("Are you sure you want to clear the level?"));
    EXPECT_EQ(asked.caption, QStringLiteral("Clear Level"));
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgIcon::None);
    EXPECT_EQ(asked.defaultButton, MsgAnswer::Yes);
    dialogs.answer(MsgAnswer::Yes);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    EXPECT_EQ(editor->LevelGrid(3, 3), 0);
    EXPECT_EQ(editor->LevelGrid(0, 5), 4);
    EXPECT_EQ(canvas(70, 40), QColor(Qt::black));
    EXPECT_EQ(canvas(300, 465), HorizontalPaddleImage().pixelColor(300, 5));
}

TEST_F(EditorTest, BackgroundTilesFromTheTopLeftAndClipsAtTheEdges)
{
    start();
    struct Case
    {
        QSize size;
        std::int16_t across, down;
    };
    for (const Case &c : {Case{{320, 240}, 2, 2}, Case{{300, 100}, 3, 5}, Case{{641, 100}, 1, 5},
                          Case{{640, 480}, 1, 1}}) {
        const QString path =
            app.bgd(QStringLiteral("b%1x%2.bmp").arg(c.size.width()).arg(c.size.height()));
        WriteBitmap(path, markedPicture(c.size.width(), c.size.height()));
        dialogs.open(path);
        QTest::mouseClick(editor->Backpic, Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_EQ(editor->BackTilesAcross, c.across) << c.size.width();
        EXPECT_EQ(editor->BackTilesDown, c.down) << c.size.width();
        EXPECT_EQ(editor->BackPiclbl->text(),
                  QStringLiteral("Background Pic - Right-click to expand\r\n") + path);
        // Back to the thumbnail after a choice.
        EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 536, 225, 57));
    }
    // The last choice, 640 x 480, covers the canvas with one tile.
    EXPECT_EQ(canvas(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(canvas(639, 0), QColor(0, 255, 0));

    const QString quarter = app.bgd(QStringLiteral("q.bmp"));
    WriteBitmap(quarter, markedPicture(320, 240));
    dialogs.open(quarter);
    QTest::mouseClick(editor->Backpic, Qt::MiddleButton, {}, QPoint(20, 20));
    for (QPoint corner : {QPoint(0, 0), QPoint(320, 0), QPoint(0, 240), QPoint(320, 240)})
        EXPECT_EQ(canvas(corner.x(), corner.y()), QColor(255, 0, 0)) << corner.x() << corner.y();
    EXPECT_EQ(canvas(639, 479), QColor(255, 255, 0));

    const QString narrow = app.bgd(QStringLiteral("n.bmp"));
    WriteBitmap(narrow, markedPicture(300, 480));
    dialogs.open(narrow);
    QTest::mouseClick(editor->Backpic, Qt::LeftButton, {}, QPoint(20, 20));
    for (int x : {0, 300, 600})
        EXPECT_EQ(canvas(x, 0), QColor(255, 0, 0)) << x;
    EXPECT_EQ(canvas(299, 0), QColor(0, 255, 0));
    EXPECT_EQ(canvas(639, 0), QColor(20, 60, 20)); // the last column is cut after 40 pixels
    // The ground is what an emptied cell shows.
    pressCanvas(Qt::RightButton, 0, 0);
    EXPECT_EQ(canvas(0, 0), QColor(255, 0, 0));
}

TEST_F(EditorTest, BackgroundChooserCancelAndUnloadableFiles)
{
    start();
    const QString good = app.bgd(QStringLiteral("good.bmp"));
    WriteBitmap(good, markedPicture(320, 240));
    dialogs.open(good);
    editor->Backpic_MouseDown(1);
    const QImage canvasBefore = editor->LevelPic->surface().copy();
    const QString label = editor->BackPiclbl->text();

    dialogs.cancelOpen();
    editor->Backpic_MouseDown(1);
    const QString bad = app.bgd(QStringLiteral("bad.bmp"));
    WriteBytes(bad, QByteArray("BM but not really"));
    dialogs.open(bad).answer(MsgAnswer::Ok);
    editor->Backpic_MouseDown(4);
    const auto &shown = dialogs.shown().back();
    EXPECT_EQ(shown.text, QStringLiteral("Cannot load picture.\r\n") + bad);
    EXPECT_EQ(shown.caption, QStringLiteral("VorpexEditor"));
    EXPECT_EQ(dialogs.shown()[dialogs.shown().size() - 2].request.filter,
              QStringLiteral("Bitmap|*.bmp"));
    EXPECT_EQ(editor->BackPicPath, good);
    EXPECT_EQ(editor->BackPiclbl->text(), label);
    EXPECT_EQ(editor->BackTileWidth, 320);
    EXPECT_EQ(editor->LevelPic->surface(), canvasBefore);
}

TEST_F(EditorTest, RightClickExpandsUpwardAndShrinksBack)
{
    start();
    // The prompt image: the box keeps its size and rises by one pixel.
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 535, 225, 57));
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 536, 225, 57));

    const QString path = app.bgd(QStringLiteral("big.bmp"));
    WriteBitmap(path, markedPicture(400, 300));
    dialogs.open(path);
    editor->Backpic_MouseDown(1);
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 592 - 304, 404, 304));
    EXPECT_EQ(editor->Backpic->drawingArea(), QSize(400, 300));
    QTest::mouseClick(editor->Backpic, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(editor->Backpic->geometry(), QRect(8, 536, 225, 57));
    // The thumbnail still holds the whole picture as the source of the tiles.
    EXPECT_EQ(editor->Backpic->surface().pixelColor(399, 299), QColor(255, 255, 0));
}

TEST_F(EditorTest, ALevelBuiltByHandSavesAndOpensAgain)
{
    start();
    const QString back = app.bgd(QStringLiteral("Stars.bmp"));
    WriteBitmap(back, markedPicture(160, 120));
    dialogs.open(back);
    editor->Backpic_MouseDown(1);
    QTest::mouseClick(editor->Check1[2], Qt::LeftButton);
    QTest::mouseClick(editor->Check1[4], Qt::LeftButton);
    clickSlot(5);
    pressCanvas(Qt::LeftButton, 5, 5);                   // (1, 1)
    QTest::mouseMove(editor->LevelPic, onCanvas(40, 5)); // (2, 1)
    QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, onCanvas(40, 5));
    clickSlot(6);
    pressCanvas(Qt::LeftButton, 620, 470); // (20, 30)
    QTest::mouseRelease(editor->LevelPic, Qt::LeftButton, {}, onCanvas(620, 470));

    const QString path = app.lvl(QStringLiteral("hand.vxl"));
    dialogs.save(path);
    ASSERT_TRUE(editor->mnuSaveAs_Click());
    const QByteArray bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 2672);
    EXPECT_EQ(bytes.left(8), QByteArray::fromHex("ffffffff0000ffff"));
    EXPECT_EQ(bytes.mid(8, 30), NameField("DefaultTileSet.vxt"));
    EXPECT_EQ(bytes.mid(38, 30), NameField("Stars.bmp"));
    EXPECT_EQ(bytes.mid(68 + 4 * (1 + 21 * 1), 4), Le32({5}));
    EXPECT_EQ(bytes.mid(68 + 4 * (2 + 21 * 1), 4), Le32({5}));
    EXPECT_EQ(bytes.mid(68 + 4 * (20 + 21 * 30), 4), Le32({6}));
    // Every other byte as the layout says: no stray cells.
    EXPECT_EQ(bytes, levelBytes({-1, -1, 0, -1}, "DefaultTileSet.vxt", "Stars.bmp",
                                {{1, 1, 5}, {2, 1, 5}, {20, 30, 6}}));

    dialogs.answer(MsgAnswer::No).open(defaultTileset());
    editor->mnuNew_Click();
    dialogs.answer(MsgAnswer::No).open(path);
    editor->mnuOpen_Click();
    EXPECT_EQ(editor->LevelGrid(1, 1), 5);
    EXPECT_EQ(editor->LevelGrid(2, 1), 5);
    EXPECT_EQ(editor->LevelGrid(20, 30), 6);
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, true, false, true}));
    EXPECT_EQ(editor->BackPicPath, back);
    EXPECT_EQ(editor->BackTilesAcross, 4);
    EXPECT_EQ(editor->BackTilesDown, 4);
    EXPECT_EQ(canvas(160, 120), QColor(255, 0, 0));
    EXPECT_EQ(canvas(5, 5), brickColour(5));
}
