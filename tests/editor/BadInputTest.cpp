// What a user's disk may hold where the editor expects its files: never a lost level or file.
#include "EditorFixture.h"

#include <QDir>
#include <QFileInfo>
#include <climits>

using BadInputTest = EditorTest;

TEST_F(BadInputTest, ShortOrEmptyFilesBadNamesFoldersPipesAndFlatOrForeignPicturesChangeNothing)
{
    WriteBytes(app.tls("Empty.vxt"), QByteArray());
    ASSERT_TRUE(QDir().mkdir(app.tls("Folder.vxt")));
    MakeFifo(app.tls("Pipe.vxt"));
    for (const char *name : {"PicFolder", "EmptyPic", "Flat", "PicPipe", "Png"})
        WriteBytes(app.tls(QLatin1String(name) + ".vxt"), Le32({0}));
    // Pictures of tilesets and backgrounds; any other kind of picture named .bmp is no bitmap.
    for (const QString &folder : {app.tls(""), app.bgd("")}) {
        ASSERT_TRUE(QDir().mkdir(folder + "PicFolder.bmp"));
        WriteBytes(folder + "EmptyPic.bmp", QByteArray());
        WriteBytes(folder + "Flat.bmp", MonoBitmap(0, 0, Qt::red));
        MakeFifo(folder + "PicPipe.bmp");
        ASSERT_TRUE(SolidPicture(64, 48, Qt::red).save(folder + "Png.bmp", "PNG"));
    }
    MakeFifo(app.lvl("pipe.vxl"));
    FifoWatchdog watchdog(
        {app.tls("Pipe.vxt"), app.tls("PicPipe.bmp"), app.lvl("pipe.vxl"), app.bgd("PicPipe.bmp")});
    start();
    const QString good = writeLevel("good.vxl", {0, 0, -1, 0}, {{3, 4, 5}});
    ASSERT_TRUE(editor->OpenFile(good));
    const CellGrid grid = editor->LevelGrid;
    const QImage canvasBefore = editor->LevelPic->surface().copy();

    std::vector<std::pair<QString, QString>> cases;
    WriteBytes(app.lvl("empty.vxl"), QByteArray());
    WriteBytes(app.lvl("short.vxl"), QByteArray(2671, '\0'));
    ASSERT_TRUE(QDir().mkdir(app.lvl("folder.vxl")));
    // Names that are no file of Tls or Bgd, absent.vxl never written.
    for (auto [level, tileset, background] :
         {std::tuple("noname.vxl", "", "DefaultBackground.bmp"),
          {"dot.vxl", ".", "DefaultBackground.bmp"},
          {"dots.vxl", "DefaultTileSet.vxt", ".."},
          {"slash.vxl", "DefaultTileSet.vxt", "../Bgd/x.bmp"},
          {"back.vxl", "Tls\\Default.vxt", "DefaultBackground.bmp"}})
        WriteBytes(app.lvl(level), LevelBytes({-1, 0, 0, 0}, tileset, background));
    for (const char *level : {"empty.vxl", "short.vxl", "absent.vxl", "folder.vxl", "pipe.vxl",
                              "noname.vxl", "dot.vxl", "dots.vxl", "slash.vxl", "back.vxl"})
        cases.push_back({app.lvl(level), "Cannot open level.\r\n" + app.lvl(level)});
    for (const char *tileset :
         {"Empty.vxt", "Folder.vxt", "Pipe.vxt", "PicFolder.vxt", "EmptyPic.vxt", "Flat.vxt",
          "PicPipe.vxt", "Png.vxt", "Missing.vxt"}) {
        const QString path = app.lvl(QLatin1String(tileset) + ".vxl");
        WriteBytes(path,
                   LevelBytes({-1, -1, -1, -1}, tileset, "DefaultBackground.bmp", {{1, 1, 1}}));
        cases.push_back({path, "Cannot open tileset.\r\n" + app.tls(QLatin1String(tileset))});
    }
    for (const auto &[path, message] : cases) {
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->OpenFile(path)) << path.toStdString();
        dialogs.expectMessage(message);
        EXPECT_EQ(std::tuple(editor->LevelPath, editor->windowTitle(), boxes()),
                  std::tuple(good, title(good), Boxes{0, 0, 1, 0}));
        EXPECT_EQ(editor->LevelGrid, grid);
        EXPECT_EQ(editor->LevelPic->surface(), canvasBefore);
    }

    // As backgrounds, or missing: a level opens on black keeping the name; the chooser refuses.
    for (const char *name :
         {"PicFolder.bmp", "EmptyPic.bmp", "Flat.bmp", "PicPipe.bmp", "Png.bmp", "Gone.bmp"}) {
        const QByteArray level = LevelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", name, {{2, 2, 3}});
        WriteBytes(app.lvl("bg.vxl"), level);
        dialogs.answer(MsgAnswer::Ok);
        ASSERT_TRUE(editor->OpenFile(app.lvl("bg.vxl")));
        dialogs.expectMessage("Cannot load background picture.\r\n" + app.bgd(QLatin1String(name)));
        EXPECT_EQ(canvas(300, 200), QColor(Qt::black)) << name;
        EXPECT_EQ(canvas(40, 20), CellColour(3));
        ASSERT_TRUE(editor->SaveFile(app.lvl("copy.vxl")));
        EXPECT_EQ(ReadBytes(app.lvl("copy.vxl")), level);
        mouse(QTest::MouseClick, 40, 20, Qt::RightButton);
        EXPECT_EQ(canvas(40, 20), QColor(Qt::black)); // not the blue ground of the level before
        dialogs.open(app.bgd(QLatin1String(name))).answer(MsgAnswer::Ok);
        editor->Backpic_MouseDown(1);
        dialogs.expectMessage("Cannot load picture.\r\n" + app.bgd(QLatin1String(name)));
        EXPECT_EQ(editor->BackPicSet, VbFalse);
    }
}

TEST_F(BadInputTest, HugeCountsFarPicturesAndNamesBeyondAsciiOfThirtyCharactersOrCaseBlind)
{
    // A count of 2147483647: only the bitmap's 2 x 2 cells are read, all zeros, showing (0, 0).
    WriteBytes(app.tls("Huge.vxt"), Le32({INT_MAX}));
    WriteBitmap(app.tls("Huge.bmp"), CellPicture(64, 32));
    // 8176 x 2040 pixels round to 256 x 128 = 32768 cells, one more than brick numbers reach.
    WriteBytes(app.tls("Vast.vxt"), Le32({40000, 2, 1, 1, 1, 1, 8144, 2024}));
    WriteBytes(app.tls("Vast.bmp"), MonoBitmap(8176, 2040, QColor(10, 90, 10)));
    // Brick pictures at the very ends of the 32-bit range, and partly inside.
    QByteArray far = Le32({6});
    for (auto [x, y] : {std::pair{INT_MIN, 0}, std::pair{0, INT_MIN}, std::pair{INT_MAX, INT_MIN},
                        std::pair{-16, 0}, std::pair{48, 8}, std::pair{0, -8}})
        far += Le32({1, 1, 1, 1, 1, x, y});
    WriteBytes(app.tls("Far.vxt"), far);
    WriteBitmap(app.tls("Far.bmp"), CellPicture(64, 48));
    start();
    WriteBytes(app.lvl("huge.vxl"), LevelBytes({-1, 0, 0, 0}, "Huge.vxt", "DefaultBackground.bmp",
                                               {{1, 1, 4}, {2, 1, 5}}));
    ASSERT_TRUE(editor->OpenFile(app.lvl("huge.vxl")));
    EXPECT_EQ(editor->BrickCount, INT_MAX);
    EXPECT_EQ(bricks.upperBound(), 4);
    EXPECT_EQ(canvas(10, 5), CellColour(1));
    EXPECT_EQ(canvas(40, 5), QColor(0, 0, 90)); // brick 5 does not exist
    EXPECT_EQ(ReadBytes(app.tls("Huge.vxt")), Le32({INT_MAX}));

    // A 1 x 1 bitmap has no whole cell: the tileset opens with no bricks at all.
    WriteBytes(app.tls("Dot.vxt"), Le32({3, 1, 1, 1, 1, 1, 0, 0}));
    WriteBytes(app.tls("Dot.bmp"), MonoBitmap(1, 1, Qt::green));
    ASSERT_TRUE(editor->OpenTileSet(app.tls("Dot.vxt")));
    EXPECT_EQ(std::tuple(editor->BrickCount, editor->PaletteCount, bricks.upperBound()),
              std::tuple(3, 0, 0));
    ASSERT_TRUE(editor->OpenTileSet(app.tls("Vast.vxt")));
    EXPECT_EQ(bricks.upperBound(), 32767);
    EXPECT_EQ(bricks[1], (BrickRecord{2, 1, 1, 1, 1, 8144, 2024}));
    EXPECT_EQ(editor->PaletteCount, 119);
    EXPECT_EQ(editor->Picture2[1]->surface().pixelColor(31, 15), QColor(10, 90, 10));
    ASSERT_TRUE(editor->OpenTileSet(app.tls("Far.vxt")));
    auto slot = [this](int n, int x, int y) {
        return editor->Picture2[std::size_t(n)]->surface().pixelColor(x, y);
    };
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(slot(n, 31, 15), QColor(Qt::black)) << n;
    EXPECT_EQ(slot(4, 15, 8), QColor(Qt::black)); // 16 pixels left of the bitmap
    EXPECT_EQ(slot(4, 16, 8), CellColour(1));
    EXPECT_EQ(slot(5, 15, 8), CellColour(5)); // straddling cells, cut at the right edge
    EXPECT_EQ(slot(5, 16, 0), QColor(Qt::black));
    EXPECT_EQ(slot(6, 16, 7), QColor(Qt::black)); // 8 pixels above the bitmap
    EXPECT_EQ(slot(6, 16, 8), CellColour(1));
    EXPECT_TRUE(dialogs.messages().empty());

    // Names beyond ASCII, of thirty characters, or written on disks that ignore case.
    const QString accented = QString::fromUtf8("Br\xc3\xaf") + "ck.vxt";
    const QString wide = QString::fromUtf8("Kachel-\xe7\xa0\x96.vxt");
    const QString thirty = "ThirtyCharacterTilesetName.vxt";
    const QString thirtyOne = "ThirtyOneCharacterTilesetNa.vxt";
    for (const QString &name : {accented, wide, thirty, thirtyOne})
        WriteFixtureTileset(app.tls(name), 64, 32, 4);
    WriteFixtureTileset(app.tls("Lower.vxt"), 64, 48, 6);
    ASSERT_TRUE(QFile::rename(app.tls("Lower.bmp"), app.tls("LOWER.BMP")));
    WriteFixtureTileset(app.tls("Twin.vxt"), 64, 48, 6);
    ASSERT_TRUE(QFile::copy(app.tls("Twin.vxt"), app.tls("TWIN.vxt")));
    // Latin-1 and UTF-8 bytes in a level find the same tileset.
    for (const QByteArray &field :
         {QByteArray("Br\xef") + "ck.vxt", QByteArray("Br\xc3\xaf") + "ck.vxt"}) {
        WriteBytes(app.lvl("a.vxl"), LevelBytes({-1, 0, 0, 0}, field, "DefaultBackground.bmp"));
        ASSERT_TRUE(editor->OpenFile(app.lvl("a.vxl")));
        EXPECT_EQ(editor->TileSetPath, app.tls(accented));
    }
    // Beyond Latin-1 a name is stored as UTF-8; 30 characters fill the field exactly; both open.
    for (const auto &[name, field] : {std::pair{wide, QByteArray("Kachel-\xe7\xa0\x96.vxt")},
                                      std::pair{thirty, thirty.toLatin1()}}) {
        dialogs.answer(MsgAnswer::No).open(app.tls(name));
        editor->mnuNew_Click();
        ASSERT_TRUE(editor->SaveFile(app.lvl("n.vxl")));
        EXPECT_EQ(ReadBytes(app.lvl("n.vxl")),
                  LevelBytes({-1, 0, 0, 0}, field, "DefaultBackground.bmp"));
        ASSERT_TRUE(editor->OpenFile(app.lvl("n.vxl")));
        EXPECT_EQ(editor->TileSetPath, app.tls(name));
    }
    // 31 characters keep their first 30, which name no tileset: reopening says so.
    dialogs.answer(MsgAnswer::No).open(app.tls(thirtyOne));
    editor->mnuNew_Click();
    ASSERT_TRUE(editor->SaveFile(app.lvl("cut.vxl")));
    dialogs.answer(MsgAnswer::Ok);
    EXPECT_FALSE(editor->OpenFile(app.lvl("cut.vxl")));
    dialogs.expectMessage("Cannot open tileset.\r\n" + app.tls(thirtyOne.left(30)));

    // Names written on disks that ignore case find their files and stay as written.
    const QByteArray bytes =
        LevelBytes({-1, 0, 0, 0}, "lower.VXT", "defaultbackground.BMP", {{2, 2, 3}});
    WriteBytes(app.lvl("case.vxl"), bytes);
    ASSERT_TRUE(editor->OpenFile(app.lvl("case.vxl")));
    EXPECT_EQ(canvas(40, 20), CellColour(3));
    EXPECT_EQ(canvas(300, 200), QColor(0, 0, 90));
    ASSERT_TRUE(editor->SaveFile(app.lvl("again.vxl")));
    EXPECT_EQ(ReadBytes(app.lvl("again.vxl")), bytes);
    // Two files of that name but for case: neither is taken.
    WriteBytes(app.lvl("twin.vxl"), LevelBytes({-1, 0, 0, 0}, "twin.vxt", "DefaultBackground.bmp"));
    dialogs.answer(MsgAnswer::Ok);
    EXPECT_FALSE(editor->OpenFile(app.lvl("twin.vxl")));
    dialogs.expectMessage("Cannot open tileset.\r\n" + app.tls("twin.vxt"));
}
