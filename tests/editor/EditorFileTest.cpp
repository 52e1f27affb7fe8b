#include "EditorFixture.h"

#include "editor/BuiltInImages.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

namespace {

void expectMessage(const ScriptedDialogs::Shown &shown, const QString &text)
{
    EXPECT_EQ(shown.text, text);
    EXPECT_EQ(shown.caption, QStringLiteral("VorpexEditor"));
    EXPECT_EQ(shown.buttons, MsgButtons::Ok);
}

} // namespace

TEST_F(EditorTest, StartsUntitledWithTheDefaultTilesetAndTheBottomPaddle)
{
    start();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - Untitled"));
    EXPECT_EQ(editor->BrickCount, 6);
    EXPECT_EQ(editor->CurrentBrick, 0);
    EXPECT_EQ(editor->Picture2[0]->border(), PictureBox::Border::Sunken3D);
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, false, false, false}));
    for (int n = 1; n <= 6; ++n) {
        EXPECT_TRUE(editor->Picture2[n]->isEnabled()) << n;
        EXPECT_EQ(editor->Picture2[n]->surface().pixelColor(10, 8), brickColour(n)) << n;
    }
    EXPECT_FALSE(editor->Picture2[7]->isVisible());
    // Black ground, the bottom paddle 10 pixels inside the edge.
    EXPECT_EQ(canvas(300, 200), QColor(Qt::black));
    EXPECT_EQ(canvas(300, 465), HorizontalPaddleImage().pixelColor(300, 5));
    EXPECT_EQ(canvas(300, 15), QColor(Qt::black));
}

TEST_F(EditorTest, WindowLayoutAndMenu)
{
    start();
    EXPECT_EQ(editor->centralWidget()->size(), QSize(896, 599));
    EXPECT_EQ(editor->LevelPic->drawingArea(), QSize(640, 480));
    EXPECT_EQ(editor->Picture2[21]->geometry(), QRect(696, 32, 36, 20));
    EXPECT_EQ(editor->Check1[3]->geometry().topLeft(), QPoint(264, 544)); // top paddle's box on top
    EXPECT_EQ(editor->Check1[4]->geometry().topLeft(), QPoint(248, 560));
    EXPECT_EQ(editor->Command1->text(), QStringLiteral("&Clear"));

    QStringList items;
    for (QAction *a : editor->mnuFile->actions())
        items << (a->isSeparator() ? QStringLiteral("-")
                                   : a->text() + u'=' + a->shortcut().toString());
    EXPECT_EQ(editor->mnuFile->title(), QStringLiteral("&File"));
    EXPECT_EQ(items,
              (QStringList{"&New=Ctrl+N", "&Open=Ctrl+O", "-", "&Save=Ctrl+S", "Save &As=Ctrl+A",
                           "-", "&Make Levelset=", "New &Tileset=", "-", "E&xit=Ctrl+Q"}));
}

TEST_F(EditorTest, ANewLevelSavesAsTheLayoutSays)
{
    start();
    dialogs.answer(MsgAnswer::No).open(defaultTileset());
    editor->mnuNew_Click();
    const QString path = app.lvl(QStringLiteral("typed")); // used as typed, no extension added
    dialogs.save(path);
    editor->mnuSave_Click();

    EXPECT_EQ(ReadBytes(path),
              levelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp"));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - ") + path);

    // The prompt, the tileset dialog and the save dialog, as shown.
    const auto &shown = dialogs.shown();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_EQ(shown[0].text, QStringLiteral("Do you want to save current level?"));
    EXPECT_EQ(shown[0].caption, QStringLiteral("New Level"));
    EXPECT_EQ(shown[0].buttons, MsgButtons::YesNoCancel);
    EXPECT_EQ(shown[0].icon, MsgIcon::Question);
    EXPECT_EQ(shown[0].defaultButton, MsgAnswer::Yes);
    EXPECT_EQ(shown[1].request.filter, QStringLiteral("Vorpex Tilesets|*.vxt"));
    EXPECT_EQ(shown[2].request.filter, QStringLiteral("Vorpex Level Files|*.vxl"));
    EXPECT_TRUE(shown[2].request.overwritePrompt);
    // The dialog keeps the last name chosen.
    EXPECT_EQ(shown[2].request.fileName, defaultTileset());
}

TEST_F(EditorTest, OpenAndSaveGiveBackTheSameBytes)
{
    start();
    const QByteArray bytes = levelBytes(
        {-1, 0, 0, -1}, "DefaultTileSet.vxt", "DefaultBackground.bmp",
        {{0, 0, 9}, {5, 0, 3}, {0, 17, 2}, {1, 1, 4}, {20, 30, 6}, {7, 7, -5}, {8, 8, 200}});
    const QString path = app.lvl(QStringLiteral("round.vxl"));
    WriteBytes(path, bytes + QByteArray(100, 'q'));
    ASSERT_TRUE(editor->OpenFile(path));
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, false, false, true}));
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - ") + path);
    EXPECT_EQ(editor->BackPicSet, VbTrue);
    // Cells naming no brick are drawn as empty and kept.
    EXPECT_EQ(canvas(7 * 32 - 20, 7 * 16 - 8), QColor(0, 0, 90));
    EXPECT_EQ(canvas(8 * 32 - 20, 8 * 16 - 8), QColor(0, 0, 90));
    EXPECT_EQ(canvas(4, 4), brickColour(4));

    const QString copy = app.lvl(QStringLiteral("copy.vxl"));
    ASSERT_TRUE(editor->SaveFile(copy));
    EXPECT_EQ(ReadBytes(copy), bytes);
    // Saving over the longer file it came from writes exactly the format's size.
    ASSERT_TRUE(editor->SaveFile(path));
    EXPECT_EQ(ReadBytes(path), bytes);
}

TEST_F(EditorTest, PaddleWordsOtherThanTrueAreAbsent)
{
    start();
    const QString path = app.lvl(QStringLiteral("one.vxl"));
    WriteBytes(path, levelBytes({1, -1, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp"));
    ASSERT_TRUE(editor->OpenFile(path));
    EXPECT_EQ(boxes(), (std::array<bool, 4>{false, true, false, false}));
    EXPECT_EQ(canvas(300, 465), QColor(0, 0, 90)); // no bottom bar
    EXPECT_EQ(canvas(625, 300), VerticalPaddleImage().pixelColor(5, 300));

    WriteBytes(path, levelBytes({0, 0, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp"));
    ASSERT_TRUE(editor->OpenFile(path));
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(editor->Paddles[1], VbTrue);
}

TEST_F(EditorTest, UnreadableLevelsChangeNothing)
{
    start();
    const QString good = app.lvl(QStringLiteral("good.vxl"));
    WriteBytes(good, levelBytes({0, -1, 0, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp",
                                {{2, 2, 3}}));
    ASSERT_TRUE(editor->OpenFile(good));
    const CellGrid grid = editor->LevelGrid;
    const QImage picture = editor->LevelPic->surface().copy();

    struct Case
    {
        const char *file;
        QByteArray bytes;
        QString message;
    };
    const std::vector<Case> cases = {
        {"short.vxl", QByteArray(2671, '\0'), QStringLiteral("Cannot open level.")},
        {"dots.vxl", levelBytes({-1, 0, 0, 0}, "..", "DefaultBackground.bmp"),
         QStringLiteral("Cannot open level.")},
        {"slash.vxl", levelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", "../Tls/x.bmp"),
         QStringLiteral("Cannot open level.")},
        {"empty.vxl", levelBytes({-1, 0, 0, 0}, "", "DefaultBackground.bmp"),
         QStringLiteral("Cannot open level.")},
        {"back.vxl", levelBytes({-1, 0, 0, 0}, "Tls\\Default.vxt", "DefaultBackground.bmp"),
         QStringLiteral("Cannot open level.")},
        {"missing.vxl", levelBytes({-1, 0, 0, 0}, "Missing.vxt", "DefaultBackground.bmp"),
         QStringLiteral("Cannot open tileset.")},
    };
    for (const Case &c : cases) {
        const QString path = app.lvl(QLatin1String(c.file));
        WriteBytes(path, c.bytes);
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->OpenFile(path)) << c.file;
        const QString where = c.message == QStringLiteral("Cannot open tileset.")
                                  ? app.tls(QStringLiteral("Missing.vxt"))
                                  : path;
        expectMessage(dialogs.shown().back(), c.message + QStringLiteral("\r\n") + where);
        EXPECT_EQ(editor->LevelGrid, grid) << c.file;
        EXPECT_EQ(boxes(), (std::array<bool, 4>{false, true, false, false})) << c.file;
        EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - ") + good) << c.file;
        EXPECT_EQ(editor->LevelPic->surface(), picture) << c.file;
    }
    // The missing tileset was not created by the attempt.
    EXPECT_FALSE(QFile::exists(app.tls(QStringLiteral("Missing.vxt"))));
    dialogs.answer(MsgAnswer::Ok);
    EXPECT_FALSE(editor->OpenFile(app.lvl(QStringLiteral("nothing.vxl"))));
    EXPECT_FALSE(QFile::exists(app.lvl(QStringLiteral("nothing.vxl"))));
}

TEST_F(EditorTest, AMissingBackgroundOpensOnBlackAndKeepsItsName)
{
    start();
    const QString path = app.lvl(QStringLiteral("nobg.vxl"));
    const QByteArray bytes =
        levelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", "Gone.bmp", {{3, 3, 2}});
    WriteBytes(path, bytes);
    dialogs.answer(MsgAnswer::Ok);
    ASSERT_TRUE(editor->OpenFile(path));
    expectMessage(dialogs.shown().back(), QStringLiteral("Cannot load background picture.\r\n") +
                                              app.bgd(QStringLiteral("Gone.bmp")));
    EXPECT_EQ(editor->BackPicSet, VbFalse);
    EXPECT_EQ(canvas(300, 200), QColor(Qt::black));
    EXPECT_EQ(canvas(70, 36), brickColour(2));
    // Emptying a cell shows black, not an older ground.
    pressCanvas(Qt::RightButton, 70, 36);
    EXPECT_EQ(canvas(70, 36), QColor(Qt::black));
    editor->LevelPic_MouseUp();
    pressCanvas(Qt::LeftButton, 1, 1);
    ASSERT_TRUE(editor->SaveFile(path));
    EXPECT_EQ(ReadBytes(path), levelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", "Gone.bmp"));
}

TEST_F(EditorTest, YesThatDoesNotSaveKeepsTheLevel)
{
    start();
    editor->LevelGrid(4, 4) = 2;
    // Yes, then Save As cancelled: New stops.
    dialogs.answer(MsgAnswer::Yes).cancelSave();
    editor->mnuNew_Click();
    EXPECT_EQ(editor->LevelGrid(4, 4), 2);
    // Yes, then a write that fails: Open stops before its dialog.
    dialogs.answer(MsgAnswer::Yes)
        .save(app.path() + QStringLiteral("/no/such/folder.vxl"))
        .answer(MsgAnswer::Ok);
    editor->mnuOpen_Click();
    expectMessage(dialogs.shown().back(), QStringLiteral("Error in writing file."));
    EXPECT_EQ(editor->LevelGrid(4, 4), 2);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - Untitled"));
    EXPECT_EQ(editor->HasLevelPath, VbFalse);
    // Cancel in the prompt does nothing at all.
    dialogs.answer(MsgAnswer::Cancel);
    editor->mnuNew_Click();
    EXPECT_EQ(editor->LevelGrid(4, 4), 2);
}

TEST_F(EditorTest, AFailedSaveKeepsTitleAndPath)
{
    start();
    const QString path = app.lvl(QStringLiteral("saved.vxl"));
    dialogs.save(path);
    ASSERT_TRUE(editor->mnuSaveAs_Click());
    editor->LevelGrid(1, 2) = 1;
    ASSERT_TRUE(editor->mnuSave_Click()); // no dialog the second time
    EXPECT_EQ(ReadBytes(path).mid(68 + 4 * (1 + 21 * 2), 4), Le32({1}));
    // The file's folder goes away: the next Save fails and says so.
    const QString moved = app.path() + QStringLiteral("/Lvl-moved");
    ASSERT_TRUE(QDir().rename(app.lvl(QString()), moved));
    dialogs.answer(MsgAnswer::Ok);
    EXPECT_FALSE(editor->mnuSave_Click());
    expectMessage(dialogs.shown().back(), QStringLiteral("Error in writing file."));
    EXPECT_EQ(editor->LevelPath, path);
    EXPECT_EQ(editor->HasLevelPath, VbTrue);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - ") + path);
}

TEST_F(EditorTest, NewLevelCancelledOrFailingKeepsPaletteAndLevel)
{
    start();
    clickSlot(3);
    editor->LevelGrid(1, 1) = 3;
    dialogs.answer(MsgAnswer::No).cancelOpen();
    editor->mnuNew_Click();
    const QString bad = app.tls(QStringLiteral("Bad.vxt"));
    WriteBytes(bad, Le32({-4}));
    dialogs.answer(MsgAnswer::No).open(bad).answer(MsgAnswer::Ok);
    editor->mnuNew_Click();
    expectMessage(dialogs.shown().back(), QStringLiteral("Cannot open tileset.\r\n") + bad);
    EXPECT_EQ(editor->LevelGrid(1, 1), 3);
    EXPECT_EQ(editor->CurrentBrick, 3);
    EXPECT_TRUE(editor->Picture2[6]->isEnabled());
    EXPECT_EQ(editor->TileSetPath, defaultTileset());
}

TEST_F(EditorTest, NewLevelResetsTheDocumentToTheChosenTileset)
{
    start();
    WriteFixtureTileset(app.tls(QStringLiteral("Small.vxt")), 32, 32, 2);
    const QString path = app.lvl(QStringLiteral("a.vxl"));
    WriteBytes(path, levelBytes({0, 0, -1, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp",
                                {{0, 3, 7}, {2, 2, 5}}));
    ASSERT_TRUE(editor->OpenFile(path));
    clickSlot(5);
    dialogs.answer(MsgAnswer::No).open(app.tls(QStringLiteral("Small.vxt")));
    editor->mnuNew_Click();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - Untitled"));
    EXPECT_EQ(editor->HasLevelPath, VbFalse);
    EXPECT_EQ(editor->BackPicSet, VbFalse);
    EXPECT_EQ(editor->BackPiclbl->text(), QStringLiteral("Background Pic - Right-click to expand"));
    EXPECT_EQ(boxes(), (std::array<bool, 4>{true, false, false, false}));
    EXPECT_EQ(editor->LevelGrid(2, 2), 0);
    EXPECT_EQ(editor->LevelGrid(0, 3), 7); // row 0 and column 0 stay
    EXPECT_EQ(editor->CurrentBrick, 0);
    EXPECT_EQ(editor->Picture2[0]->border(), PictureBox::Border::Sunken3D);
    EXPECT_TRUE(editor->Picture2[2]->isEnabled());
    EXPECT_FALSE(editor->Picture2[3]->isEnabled());
    EXPECT_EQ(canvas(80, 40), QColor(Qt::black));
}

TEST_F(EditorTest, TilesetEdgeCasesInThePalette)
{
    // More records than the picture has cells: only the cells are read.
    const QString few = app.tls(QStringLiteral("Few.vxt"));
    WriteFixtureTileset(few, 64, 16, 2);
    QByteArray bytes = ReadBytes(few);
    bytes.replace(0, 4, Le32({5}));
    bytes += Le32({1, 1, 1, 1, 1, 0, 0});
    WriteBytes(few, bytes);
    // More than the palette holds: the first 119 are shown, without a message.
    WriteFixtureTileset(app.tls(QStringLiteral("Many.vxt")), 32 * 8, 16 * 16, 128);
    start();
    ASSERT_TRUE(editor->OpenTileSet(few));
    EXPECT_EQ(editor->BrickCount, 5);
    EXPECT_EQ(editor->PaletteCount, 2);
    EXPECT_FALSE(editor->Picture2[3]->isEnabled());
    ASSERT_TRUE(editor->OpenTileSet(app.tls(QStringLiteral("Many.vxt"))));
    EXPECT_EQ(editor->PaletteCount, 119);
    EXPECT_TRUE(editor->Picture2[119]->isEnabled());
    EXPECT_EQ(editor->Picture2[119]->surface().pixelColor(4, 4), brickColour(119));
    EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(EditorTest, TilesetsThatCannotBeLoadedSaySo)
{
    WriteBytes(app.tls(QStringLiteral("NoPicture.vxt")), Le32({0}));
    WriteFixtureTileset(app.tls(QStringLiteral("BadPicture.vxt")), 64, 16, 2);
    WriteBytes(app.tls(QStringLiteral("BadPicture.bmp")), QByteArray("not a bitmap"));
    start();
    for (const char *name : {"NoPicture.vxt", "BadPicture.vxt", "Absent.vxt"}) {
        const QString path = app.tls(QLatin1String(name));
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->OpenTileSet(path)) << name;
        expectMessage(dialogs.shown().back(), QStringLiteral("Cannot open tileset.\r\n") + path);
        EXPECT_EQ(editor->TileSetPath, defaultTileset());
    }
    EXPECT_FALSE(QFile::exists(app.tls(QStringLiteral("Absent.vxt"))));
}

TEST_F(EditorTest, AMissingDefaultTilesetStillOpensTheEditor)
{
    QFile::remove(defaultTileset());
    dialogs.answer(MsgAnswer::Ok);
    start();
    expectMessage(dialogs.shown().back(),
                  QStringLiteral("Cannot open tileset.\r\n") + defaultTileset());
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->PaletteCount, 0);
    EXPECT_FALSE(editor->Picture2[1]->isEnabled());
    WriteFixtureTileset(app.tls(QStringLiteral("Other.vxt")), 32, 16, 1);
    dialogs.answer(MsgAnswer::No).open(app.tls(QStringLiteral("Other.vxt")));
    editor->mnuNew_Click();
    EXPECT_EQ(editor->PaletteCount, 1);
    EXPECT_TRUE(editor->Picture2[1]->isEnabled());
}

TEST_F(EditorTest, ClosingABuilderReloadsTheTileset)
{
    start();
    clickSlot(5);
    // While the builder is open the tileset file shrinks to three bricks.
    dialogs.modal([this](QDialog &window) {
        EXPECT_EQ(window.objectName(), QStringLiteral("frmNewTileSet"));
        bricks.resize(40);
        WriteFixtureTileset(defaultTileset(), 64, 48, 3);
    });
    editor->mnuNewTileset_Click();
    EXPECT_EQ(editor->BrickCount, 3);
    EXPECT_EQ(bricks.upperBound(), 3);
    EXPECT_FALSE(editor->Picture2[4]->isVisible());
    EXPECT_FALSE(editor->Picture2[5]->isEnabled());
    EXPECT_EQ(editor->CurrentBrick, 0);
    EXPECT_EQ(editor->Picture2[0]->border(), PictureBox::Border::Sunken3D);

    dialogs.modal([](QDialog &window) {
        EXPECT_EQ(window.objectName(), QStringLiteral("frmNewLevelSet"));
        EXPECT_EQ(window.windowTitle(), QStringLiteral("New Levelset"));
    });
    editor->mnuMakeLevelSet_Click();
    EXPECT_EQ(editor->BrickCount, 3);
}
