// A tileset built in the builder, opened in the editor, used in a level that is saved.
#include "BuilderFixture.h"
#include "editor/frmEditor.h"
#include "platform/PictureBox.h"

TEST(TilesetEndToEnd, BuiltTilesetIsUsedInASavedLevel)
{
    TempAppFolder app;
    WriteFixtureTileset(app.tls(QStringLiteral("DefaultTileSet.vxt")), 64, 48, 6);
    // A picture from anywhere: saving puts it into Tls beside the tileset.
    const QString stone = app.path() + QStringLiteral("/Stone.bmp");
    WriteBitmap(stone, CellPicture(64, 32)); // 2 columns of 2: four bricks
    ScriptedDialogs dialogs;
    BrickTable bricks;
    frmEditor editor(dialogs, app.path(), bricks);
    editor.showAndActivate();

    // 1: two hits, 2: its second stage, 3: go-through, 4: shooter up and right.
    dialogs
        .modal([&](QDialog &shown) {
            auto &builder = dynamic_cast<frmNewTileSet &>(shown);
            ClickInTurn({builder.cmdOpenPic, builder.cmdDone});
            TypeInto(builder.txtHits, QStringLiteral("2"));
            ClickInTurn({builder.cmdNext, builder.cmdNext, builder.Option1[3], builder.cmdNext,
                         builder.Option2, builder.chkShooter[1], builder.Command2,
                         builder.cmdSave});
        })
        .open(stone);
    editor.mnuNewTileset_Click();
    EXPECT_EQ(ReadBytes(app.tls(QStringLiteral("Stone.vxt"))),
              Le32({4}) + Le32({1, 1, 1, 2, 1, 0, 0}) + Le32({1, 1, 1, 2, 2, 0, 16}) +
                  Le32({3, 1, 1, 1, 1, 32, 0}) + Le32({9, 1, 1, 1, 1, 32, 16}));
    EXPECT_EQ(ReadBytes(app.tls(QStringLiteral("Stone.bmp"))), ReadBytes(stone));
    EXPECT_EQ(editor.PaletteCount, 6); // the editor has reloaded its own tileset

    dialogs.answer(MsgAnswer::No).open(app.tls(QStringLiteral("Stone.vxt")));
    editor.mnuNew_Click();
    ASSERT_EQ(editor.PaletteCount, 4);
    Click(editor.Picture2[4]);
    // Cell (2, 3) of the canvas; the box's border is two pixels wide.
    QTest::mousePress(editor.LevelPic, Qt::LeftButton, {}, QPoint(40 + 2, 40 + 2));
    QTest::mouseRelease(editor.LevelPic, Qt::LeftButton, {}, QPoint(40 + 2, 40 + 2));

    const QString level = app.lvl(QStringLiteral("Level1.vxl"));
    dialogs.save(level);
    ASSERT_TRUE(editor.mnuSaveAs_Click());
    QByteArray cells = QByteArray(651 * 4, '\0');
    cells.replace(4 * (2 + 21 * 3), 4, Le32({4}));
    EXPECT_EQ(ReadBytes(level), Le16({-1, 0, 0, 0}) + NameField("Stone.vxt") +
                                    NameField("DefaultBackground.bmp") + cells);
}
