#include "EditorFixture.h"

#include "editor/frmCheckFiles.h"
#include "levelset/LevelListView.h"
#include "levelset/frmEditLevelSet.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTableWidget>

namespace {

class ToolsTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        start();
    }
    QByteArray saved()
    {
        EXPECT_TRUE(editor->SaveFile(app.lvl("t.vxl")));
        return ReadBytes(app.lvl("t.vxl"));
    }
    static QByteArray level(Cells cells)
    {
        return LevelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp", cells);
    }
    QColor shown(int x, int y) const { return OnScreen(*editor->LevelPic).pixelColor(x, y); }
};

} // namespace

TEST_F(ToolsTest, TheEditMenuAndItsOverlaysThenTheToolsMenuAndWhatItOpens)
{
    EXPECT_EQ(Items(editor->menuBar()), "&File=, &Edit=, &Tools=");
    EXPECT_EQ(Items(editor->mnuEdit),
              "&Undo=Ctrl+Z, &Redo=Ctrl+Y, -, Cu&t=Ctrl+X, &Copy=Ctrl+C, &Paste=Ctrl+V, "
              "&Delete=Del, Select A&ll=Ctrl+Shift+A, -, &Brush=B, Rec&tangle=R, &Fill=F, "
              "&Select=S, -, &Mirror Left-Right=M, Mirror &Top-Bottom=Shift+M, Show &Grid=G, -, "
              "Flip Level &Horizontally=, Flip Level &Vertically=, Shift Level=");
    EXPECT_TRUE(editor->mnuBrush->isChecked() && !editor->mnuUndo->isEnabled());

    // Steps name themselves in the menu; a tool chosen mid-stroke ends the stroke.
    clickSlot(2);
    press(3, 3);
    over(4, 3);
    key(Qt::Key_R);
    release(4, 3);
    EXPECT_EQ(editor->mnuUndo->text(), "&Undo Paint");
    ctrl(Qt::Key_Z);
    EXPECT_EQ(editor->mnuRedo->text(), "&Redo Paint");
    ctrl(Qt::Key_Y);

    // The grid and mirror lines show on screen, never in the picture behind, and go cleanly.
    const QImage before = OnSurface(*editor->LevelPic);
    expectShown(editor->LevelPic);
    key(Qt::Key_G, Qt::Key_M, Qt::ShiftModifier | Qt::Key_M);
    PaintPending();
    // Grid lines, the left-right centre and the top-bottom centre.
    for (auto [x, y] : {std::pair(32, 100), {100, 32}, {320, 5}, {100, 240}})
        EXPECT_NE(shown(x, y), before.pixelColor(x, y)) << x << ',' << y;
    EXPECT_TRUE(OnSurface(*editor->LevelPic) == before);
    editor->LevelPic_Paint();
    EXPECT_TRUE(OnSurface(*editor->LevelPic) == before);
    key(Qt::Key_G, Qt::Key_M, Qt::ShiftModifier | Qt::Key_M);
    expectShown(editor->LevelPic);
    EXPECT_EQ(saved(), level({{3, 3, 2}, {4, 3, 2}}));

    // The Tools menu revises tilesets and levelsets and opens what checks find.
    EXPECT_EQ(Items(editor->mnuTools),
              "Edit &Tileset...=, Edit &Levelset...=, -, &Check Files...=");
    dialogs.modal([](QDialog &window) {
        EXPECT_EQ(window.windowTitle(), "Edit Tileset - DefaultTileSet.vxt");
        window.close();
    });
    editor->mnuEditTileset->trigger();

    // A levelset is chosen from Lvl, not after the last level; its level opens after the save
    // question; closing the editor asks the levelset window about its unsaved changes first.
    const QString level = writeLevel("warn.vxl", {-1, 1, 0, 0}, {{2, 2, 3}});
    WriteBytes(app.lvl("Set.vxs"), "Set\r\n 1 \r\nwarn.vxl\r\n");
    editor->CommonDialog1.FileName = level;
    dialogs.cancelOpen().open(app.lvl("Set.vxs"));
    editor->mnuEditLevelSet->trigger();
    EXPECT_EQ(editor->CommonDialog1.FileName, level); // cancelled: the last name kept
    editor->mnuEditLevelSet->trigger();
    const FileDialogRequest &asked = dialogs.shown().back().request;
    EXPECT_EQ(std::tie(asked.filter, asked.fileName, asked.folder),
              std::make_tuple("Vorpex Levelsets|*.vxs", QString(), app.path() + "/Lvl"));
    auto *levelset = editor->findChild<frmEditLevelSet *>();
    ASSERT_TRUE(levelset);
    levelset->lstLevels->setCurrentIndex(levelset->lstLevels->model()->index(0, 0));
    dialogs.answer(MsgAnswer::No);
    levelset->mnuOpenInEditor_Click();
    EXPECT_EQ(editor->LevelPath, level);
    levelset->mnuDuplicate_Click();
    dialogs.answer(MsgAnswer::Cancel);
    editor->close();
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(dialogs.messages().back().text, "Do you want to save the changes to the levelset?");

    // Check Files: a level's finding opens the level, as it is on disk now.
    editor->mnuCheckFiles->trigger();
    auto *check = editor->findChild<frmCheckFiles *>();
    ASSERT_TRUE(check && QTest::qWaitFor([check] { return !check->checking(); }));
    const QList<QTableWidgetItem *> rows =
        check->grdFindings->findItems("warn.vxl", Qt::MatchEndsWith);
    ASSERT_FALSE(rows.isEmpty());
    WriteBytes(level, LevelBytes({-1, 0, -1, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp"));
    dialogs.answer(MsgAnswer::No);
    check->grdFindings_DoubleClick(rows[0]->row());
    EXPECT_EQ(boxes(), (Boxes{1, 0, 1, 0}));
}

TEST_F(ToolsTest, RectangleFillAndPickAreOneStepEachOrNone)
{
    clickSlot(3);
    key(Qt::Key_R);
    EXPECT_EQ(editor->LevelPic->cursor().shape(), Qt::CrossCursor);
    stroke({{4, 3}, {2, 2}});
    EXPECT_EQ(editor->mnuUndo->text(), "&Undo Rectangle");
    // The outline is white on black, over the grid too; Esc mid-drag places nothing.
    key(Qt::Key_G);
    PaintPending();
    press(10, 10);
    EXPECT_EQ(shown(288, 150), QColor(Qt::white)); // from the press on
    over(12, 14);
    EXPECT_EQ(std::pair(shown(288, 150), shown(289, 150)),
              std::pair(QColor(Qt::white), QColor(Qt::black)));
    key(Qt::Key_G);
    PaintPending();
    press(5, 5, Qt::RightButton); // a second button begins the rectangle again
    key(Qt::Key_Escape);
    release(12, 14);
    expectShown(editor->LevelPic);
    const QByteArray rectangle = saved();
    EXPECT_EQ(rectangle, level({{2, 2, 3}, {3, 2, 3}, {4, 2, 3}, {2, 3, 3}, {3, 3, 3}, {4, 3, 3}}));

    // Shift+drag with the brush draws a rectangle too; the right button empties.
    key(Qt::Key_B);
    EXPECT_EQ(editor->LevelPic->cursor().shape(), Qt::ArrowCursor);
    stroke({{19, 29}, {20, 30}}, Qt::LeftButton, Qt::ShiftModifier);
    stroke({{20, 29}, {20, 30}}, Qt::RightButton, Qt::ShiftModifier);
    press(1, 30, Qt::LeftButton, Qt::ShiftModifier); // Esc places nothing here either
    over(2, 30);
    key(Qt::Key_Escape);
    release(2, 30);
    EXPECT_EQ(std::tuple(brick(19, 29), brick(19, 30), brick(20, 29), brick(20, 30)),
              std::tuple(3, 3, 0, 0));

    // Fill: the bricks that touch, or the empty cells that touch, and no others.
    key(Qt::Key_F);
    EXPECT_EQ(editor->LevelPic->cursor().shape(), Qt::PointingHandCursor);
    clickSlot(5);
    stroke({{3, 3}});
    EXPECT_EQ(std::pair(brick(2, 2), brick(19, 29)), std::pair(5, 3));
    stroke({{1, 1}});
    EXPECT_EQ(std::tuple(brick(1, 30), brick(20, 1), brick(3, 3)), std::tuple(5, 5, 5));
    EXPECT_EQ(canvas(10, 470), CellColour(5));
    expectShown(editor->LevelPic);

    // Ctrl+click picks the cell's brick; an empty cell picks nothing.
    clickSlot(1);
    stroke({{19, 29}}, Qt::LeftButton, Qt::ControlModifier);
    ctrl(Qt::Key_Z);
    stroke({{1, 1}}, Qt::LeftButton, Qt::ControlModifier);
    EXPECT_EQ(editor->CurrentBrick, 3);
    EXPECT_EQ(editor->Picture2[3]->border(), PictureBox::Border::Sunken3D);
    for (int step = 0; step < 3; ++step)
        ctrl(Qt::Key_Z);
    EXPECT_EQ(saved(), rectangle);
}

TEST_F(ToolsTest, ASelectionGoesThroughTheClipboardAndMirrorsFlipsAndShiftsEditTheLevel)
{
    for (auto [x, y, n] : {std::tuple(1, 1, 1), {2, 1, 2}, {2, 2, 3}, {11, 11, 4}}) {
        clickSlot(n);
        stroke({{x, y}});
    }
    const QByteArray drawn = saved();
    key(Qt::Key_S);
    PaintPending();
    stroke({{1, 1}, {2, 2}});
    const QRect last(32, 16, 32, 16); // its outline crosses the selection's last cell
    EXPECT_FALSE(OnScreen(*editor->LevelPic).copy(last) == OnSurface(*editor->LevelPic).copy(last));
    stroke({{4, 4}, {5, 5}}, Qt::RightButton); // selects nothing
    key(Qt::Key_Right, Qt::Key_Up);            // up refused: a brick would leave the playfield
    EXPECT_EQ(editor->mnuUndo->text(), "&Undo Move");
    key(Qt::Key_X);
    EXPECT_EQ(saved(), level({{2, 1, 2}, {3, 1, 1}, {2, 2, 3}, {11, 11, 4}}));
    ctrl(Qt::Key_C);
    const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(copied->text(), "2 1\n3 0\n");
    EXPECT_EQ(copied->data("application/x-vorpex-cells"), "2 2\nDefaultTileSet.vxt\n2 1\n3 0\n");

    // The block follows the pointer; a click stamps it there, its empty cell leaving (11, 11).
    ctrl(Qt::Key_V);
    over(10, 10);
    PaintPending();
    EXPECT_NE(shown(300, 150), canvas(300, 150));  // the block, over the canvas
    EXPECT_EQ(shown(288, 150), QColor(Qt::white)); // and its outline
    press(10, 10);
    over(13, 13);
    release(13, 13);
    EXPECT_EQ(editor->mnuUndo->text(), "&Undo Paste");
    expectShown(editor->LevelPic);
    key(Qt::Key_Delete);
    EXPECT_EQ(saved(), level({{10, 10, 2}, {11, 10, 1}, {10, 11, 3}, {11, 11, 4}}));
    for (int step = 0; step < 4; ++step)
        ctrl(Qt::Key_Z);
    EXPECT_EQ(saved(), drawn);

    // What is not a block pastes nothing; a brick beyond the palette is kept and shows empty.
    for (const char *text : {"1 2\n3", "x", "4294967301"}) {
        QGuiApplication::clipboard()->setText(text);
        ctrl(Qt::Key_V);
        stroke({{15, 15}});
    }
    EXPECT_EQ(saved(), drawn);
    QGuiApplication::clipboard()->setText("200\n");
    ctrl(Qt::Key_V);
    stroke({{15, 15}});
    EXPECT_EQ(canvas(460, 230), QColor(Qt::black));
    // A click outside a selection drops it.
    stroke({{1, 1}, {2, 2}});
    stroke({{18, 18}});
    key(Qt::Key_Delete);
    EXPECT_EQ(saved(), level({{1, 1, 1}, {2, 1, 2}, {2, 2, 3}, {11, 11, 4}, {15, 15, 200}}));
    key(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_A);
    QTest::keyClick(editor->Check1[2], Qt::Key_Space); // the focused box's key, not the selection's
    key(Qt::Key_Delete);
    EXPECT_EQ(saved(),
              LevelBytes({-1, -1, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp", {}));

    // Mirror painting on the level emptied, then whole-level flips and shifts.
    key(Qt::Key_B);
    clickSlot(4);
    key(Qt::Key_M, Qt::ShiftModifier | Qt::Key_M);
    stroke({{1, 2}, {2, 2}});
    key(Qt::Key_R);
    stroke({{10, 15}, {10, 15}});
    // Each cell drawn and its three images; the rectangle's images fall on each other.
    CellGrid images;
    for (int x : {1, 2, 19, 20, 10, 11})
        for (int y : {2, 29, 15, 16})
            images(x, y) = ((x < 10 || x > 11) == (y < 15 || y > 16)) ? 4 : 0;
    EXPECT_EQ(editor->LevelGrid, images);
    key(Qt::Key_M, Qt::ShiftModifier | Qt::Key_M);
    stroke({{3, 3}, {3, 3}});

    editor->mnuFlipHorizontally->trigger();
    EXPECT_EQ(brick(18, 3), 4);
    EXPECT_EQ(editor->mnuUndo->text(), "&Undo Flip Level");
    editor->mnuFlipVertically->trigger();
    EXPECT_EQ(brick(18, 28), 4);
    const QByteArray flipped = saved();
    key(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Right); // column 20 holds bricks
    EXPECT_EQ(saved(), flipped);
    // The selection of all went with its tool.
    key(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Down, Qt::Key_Delete);
    EXPECT_EQ(std::tuple(brick(18, 29), brick(18, 28)), std::tuple(4, 0));
    expectShown(editor->LevelPic);
}
