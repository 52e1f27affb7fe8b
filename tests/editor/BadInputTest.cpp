// What a user's disk can hold where the editor expects its files: each case ends in the
// editor's message or its defined behaviour, with the level and the files on disk kept whole.
#include "EditorFixture.h"

#include <QDir>
#include <climits>
#include <QFile>
#include <QFileInfo>

namespace {

// A one-bit Windows bitmap written out by hand, every pixel colour 0 of its two-colour palette.
// Any size, 0 x 0 included, and small on disk however many pixels it has.
QByteArray monoBitmap(int width, int height, QColor colour)
{
    const int rowBytes = (width + 31) / 32 * 4;
    const int pixelBytes = rowBytes * height;
    QByteArray bytes = QByteArray("BM") + Le32({62 + pixelBytes, 0, 62});
    bytes += Le32({40, width, height}) + Le16({1, 1}) + Le32({0, pixelBytes, 2835, 2835, 2, 0});
    const char palette[8] = {char(colour.blue()), char(colour.green()), char(colour.red()), 0,
                             '\xff', '\xff', '\xff', 0};
    bytes += QByteArray(palette, 8);
    return bytes + QByteArray(pixelBytes, '\0');
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

class BadInputTest : public EditorTest
{
protected:
    void expectMessage(const QString &text)
    {
        ASSERT_FALSE(dialogs.shown().empty());
        const ScriptedDialogs::Shown &shown = dialogs.shown().back();
        EXPECT_EQ(shown.kind, ScriptedDialogs::Kind::Message);
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.caption, QStringLiteral("VorpexEditor"));
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
    }

    // Opens a level that names the tileset and background given and must open.
    void openLevel(const QByteArray &tileset,
                   const QByteArray &background,
                   std::initializer_list<std::tuple<int, int, std::int32_t>> cells = {})
    {
        const QString path = app.lvl(QStringLiteral("level.vxl"));
        WriteBytes(path, levelBytes({-1, 0, 0, 0}, tileset, background, cells));
        ASSERT_TRUE(editor->OpenFile(path));
    }
};

} // namespace

TEST_F(BadInputTest, EmptyFilesAndFoldersInPlaceOfALevelOrItsTileset)
{
    WriteBytes(app.tls(QStringLiteral("Empty.vxt")), QByteArray());
    ASSERT_TRUE(QDir().mkdir(app.tls(QStringLiteral("Folder.vxt"))));
    WriteBytes(app.tls(QStringLiteral("PicFolder.vxt")), Le32({0}));
    ASSERT_TRUE(QDir().mkdir(app.tls(QStringLiteral("PicFolder.bmp"))));
    WriteBytes(app.tls(QStringLiteral("EmptyPic.vxt")), Le32({0}));
    WriteBytes(app.tls(QStringLiteral("EmptyPic.bmp")), QByteArray());
    WriteBytes(app.tls(QStringLiteral("Flat.vxt")), Le32({0}));
    WriteBytes(app.tls(QStringLiteral("Flat.bmp")), monoBitmap(0, 0, Qt::red));
    start();
    const QString good = app.lvl(QStringLiteral("good.vxl"));
    WriteBytes(good, levelBytes({0, 0, -1, 0}, "DefaultTileSet.vxt", "DefaultBackground.bmp",
                                {{3, 4, 5}}));
    ASSERT_TRUE(editor->OpenFile(good));
    const QImage canvasBefore = editor->LevelPic->surface().copy();

    const QString emptyLevel = app.lvl(QStringLiteral("empty.vxl"));
    WriteBytes(emptyLevel, QByteArray());
    const QString folderLevel = app.lvl(QStringLiteral("folder.vxl"));
    ASSERT_TRUE(QDir().mkdir(folderLevel));
    const QString cannotOpenLevel = QStringLiteral("Cannot open level.\r\n");
    const QString cannotOpenTileset = QStringLiteral("Cannot open tileset.\r\n");
    std::vector<std::pair<QString, QString>> all = {
        {emptyLevel, cannotOpenLevel + emptyLevel},
        {folderLevel, cannotOpenLevel + folderLevel},
    };
    for (const char *tileset :
         {"Empty.vxt", "Folder.vxt", "PicFolder.vxt", "EmptyPic.vxt", "Flat.vxt"}) {
        const QString path = app.lvl(QLatin1String(tileset) + QStringLiteral(".vxl"));
        WriteBytes(path,
                   levelBytes({-1, -1, -1, -1}, tileset, "DefaultBackground.bmp", {{1, 1, 1}}));
        all.push_back({path, cannotOpenTileset + app.tls(QLatin1String(tileset))});
    }
    for (const auto &[path, message] : all) {
        dialogs.answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->OpenFile(path)) << path.toStdString();
        expectMessage(message);
        EXPECT_EQ(editor->LevelGrid(3, 4), 5);
        EXPECT_EQ(editor->LevelGrid(1, 1), 0);
        EXPECT_EQ(boxes(), (std::array<bool, 4>{false, false, true, false}));
        EXPECT_EQ(editor->LevelPath, good);
        EXPECT_EQ(editor->TileSetPath, defaultTileset());
        EXPECT_EQ(editor->PaletteCount, 6);
        EXPECT_EQ(editor->LevelPic->surface(), canvasBefore);
    }
    // The files and folders are as they were.
    EXPECT_TRUE(ReadBytes(emptyLevel).isEmpty());
    EXPECT_TRUE(QFileInfo(folderLevel).isDir());
    EXPECT_TRUE(entriesOf(folderLevel).isEmpty());
    EXPECT_TRUE(ReadBytes(app.tls(QStringLiteral("Empty.vxt"))).isEmpty());
    EXPECT_TRUE(QFileInfo(app.tls(QStringLiteral("PicFolder.bmp"))).isDir());
}

TEST_F(BadInputTest, EmptyFoldersAndFlatPicturesAsBackgrounds)
{
    WriteBytes(app.bgd(QStringLiteral("Empty.bmp")), QByteArray());
    ASSERT_TRUE(QDir().mkdir(app.bgd(QStringLiteral("Folder.bmp"))));
    WriteBytes(app.bgd(QStringLiteral("Flat.bmp")), monoBitmap(0, 0, Qt::red));
    start();
    // Named by a level: it opens on black, and keeps the name for the next save.
    for (const char *name : {"Empty.bmp", "Folder.bmp", "Flat.bmp"}) {
        dialogs.answer(MsgAnswer::Ok);
        openLevel("DefaultTileSet.vxt", name, {{2, 2, 3}});
        expectMessage(QStringLiteral("Cannot load background picture.\r\n") +
                      app.bgd(QLatin1String(name)));
        EXPECT_EQ(editor->BackPicSet, VbFalse) << name;
        EXPECT_EQ(canvas(300, 200), QColor(Qt::black)) << name;
        EXPECT_EQ(canvas(40, 20), brickColour(3)) << name;
        const QString copy = app.lvl(QStringLiteral("copy.vxl"));
        ASSERT_TRUE(editor->SaveFile(copy));
        EXPECT_EQ(ReadBytes(copy),
                  levelBytes({-1, 0, 0, 0}, "DefaultTileSet.vxt", name, {{2, 2, 3}}));
    }
    // Chosen in the background picker: the background in use stays.
    const QString good = app.bgd(QStringLiteral("Blue.bmp"));
    WriteBitmap(good, SolidPicture(50, 40, QColor(0, 0, 200)));
    dialogs.open(good);
    editor->Backpic_MouseDown(1);
    ASSERT_EQ(editor->BackPicSet, VbTrue);
    const QImage canvasBefore = editor->LevelPic->surface().copy();
    for (const char *name : {"Empty.bmp", "Folder.bmp", "Flat.bmp"}) {
        const QString path = app.bgd(QLatin1String(name));
        dialogs.open(path).answer(MsgAnswer::Ok);
        editor->Backpic_MouseDown(1);
        expectMessage(QStringLiteral("Cannot load picture.\r\n") + path);
        EXPECT_EQ(editor->BackPicPath, good) << name;
        EXPECT_EQ(editor->BackTileWidth, 50) << name;
        EXPECT_EQ(editor->LevelPic->surface(), canvasBefore) << name;
    }
}

TEST_F(BadInputTest, OnePixelPicturesTileTheCanvasAndHoldNoBrick)
{
    WriteBytes(app.tls(QStringLiteral("Dot.vxt")), Le32({3}) + Le32({1, 1, 1, 1, 1, 0, 0}));
    WriteBytes(app.tls(QStringLiteral("Dot.bmp")), monoBitmap(1, 1, Qt::green));
    const QString dot = app.bgd(QStringLiteral("Dot.bmp"));
    WriteBytes(dot, monoBitmap(1, 1, QColor(200, 30, 30)));
    start();
    dialogs.open(dot);
    editor->Backpic_MouseDown(1);
    EXPECT_EQ(editor->BackTileWidth, 1);
    EXPECT_EQ(editor->BackTilesAcross, 640);
    EXPECT_EQ(editor->BackTilesDown, 480);
    for (QPoint p :
         {QPoint(0, 0), QPoint(639, 0), QPoint(0, 459), QPoint(639, 459), QPoint(321, 233)})
        EXPECT_EQ(canvas(p.x(), p.y()), QColor(200, 30, 30)) << p.x() << "," << p.y();

    // A 1 x 1 bitmap has no whole cell: the tileset opens with no bricks at all.
    ASSERT_TRUE(editor->OpenTileSet(app.tls(QStringLiteral("Dot.vxt"))));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(editor->BrickCount, 3);
    EXPECT_EQ(editor->PaletteCount, 0);
    EXPECT_EQ(bricks.upperBound(), 0);
    EXPECT_FALSE(editor->Picture2[1]->isVisible());
}

TEST_F(BadInputTest, AFourByteTilesetCountingTwoBillionBricks)
{
    const QString huge = app.tls(QStringLiteral("Huge.vxt"));
    WriteBytes(huge, Le32({2147483647}));
    WriteBitmap(app.tls(QStringLiteral("Huge.bmp")), CellPicture(64, 32));
    start();
    // As many records as the 2 x 2 cells of the bitmap, none in the file: all zeros, so each
    // brick shows the cell at (0, 0).
    openLevel("Huge.vxt", "DefaultBackground.bmp", {{1, 1, 4}, {2, 1, 5}});
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(editor->BrickCount, 2147483647);
    EXPECT_EQ(editor->PaletteCount, 4);
    ASSERT_EQ(bricks.upperBound(), 4);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(bricks[n], BrickRecord{}) << n;
        EXPECT_EQ(editor->Picture2[n]->surface().pixelColor(20, 10), CellColour(1)) << n;
    }
    EXPECT_FALSE(editor->Picture2[5]->isVisible());
    EXPECT_EQ(canvas(10, 5), CellColour(1));
    EXPECT_EQ(canvas(40, 5), QColor(0, 0, 90)); // brick 5 does not exist
    EXPECT_EQ(ReadBytes(huge), Le32({2147483647}));
}

TEST_F(BadInputTest, ABitmapOfMoreCellsThanSixteenBitNumbersReach)
{
    // 8176 x 2040 pixels round to 256 x 128 = 32768 cells; the file counts more bricks still.
    const QString path = app.tls(QStringLiteral("Vast.vxt"));
    WriteBytes(path, Le32({40000}) + Le32({2, 1, 1, 1, 1, 8144, 2024}));
    WriteBytes(app.tls(QStringLiteral("Vast.bmp")), monoBitmap(8176, 2040, QColor(10, 90, 10)));
    start();
    ASSERT_TRUE(editor->OpenTileSet(path));
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_EQ(editor->BrickCount, 40000);
    EXPECT_EQ(bricks.upperBound(), 32767);
    EXPECT_EQ(bricks[1], (BrickRecord{2, 1, 1, 1, 1, 8144, 2024}));
    EXPECT_EQ(bricks[32767], BrickRecord{});
    EXPECT_EQ(editor->PaletteCount, 119);
    EXPECT_EQ(editor->Picture2[1]->surface().pixelColor(31, 15), QColor(10, 90, 10));
    EXPECT_TRUE(editor->Picture2[119]->isVisible());
}

TEST_F(BadInputTest, NamesBeyondAsciiAndOfThirtyCharacters)
{
    const QString accented = QStringLiteral("Br\u00efck.vxt");
    const QString wide = QStringLiteral("Kachel-\u7816.vxt");
    const QString thirty = QStringLiteral("ThirtyCharacterTilesetName.vxt");
    const QString thirtyOne = QStringLiteral("ThirtyOneCharacterTilesetNa.vxt");
    ASSERT_EQ(thirty.size(), 30);
    ASSERT_EQ(thirtyOne.size(), 31);
    for (const QString &name : {accented, wide, thirty, thirtyOne})
        WriteFixtureTileset(app.tls(name), 64, 32, 4);
    WriteBitmap(app.bgd(QStringLiteral("Ciel \u00e9t\u00e9.bmp")),
                SolidPicture(64, 48, QColor(90, 0, 0)));
    start();

    // Latin-1 bytes and UTF-8 bytes in the file both find the same files; a save writes the
    // single-byte form.
    const QByteArray latin1Level = levelBytes({-1, 0, 0, 0},
                                              "Br\xef"
                                              "ck.vxt",
                                              "Ciel \xe9t\xe9.bmp", {{1, 1, 4}});
    for (const QByteArray &bytes :
         {latin1Level, levelBytes({-1, 0, 0, 0},
                                  "Br\xc3\xaf"
                                  "ck.vxt",
                                  "Ciel \xc3\xa9t\xc3\xa9.bmp", {{1, 1, 4}})}) {
        const QString path = app.lvl(QStringLiteral("accented.vxl"));
        WriteBytes(path, bytes);
        ASSERT_TRUE(editor->OpenFile(path));
        EXPECT_TRUE(dialogs.messages().empty());
        EXPECT_EQ(editor->TileSetPath, app.tls(accented));
        EXPECT_EQ(canvas(2, 2), CellColour(4));
        EXPECT_EQ(canvas(300, 300), QColor(90, 0, 0));
        ASSERT_TRUE(editor->SaveFile(path));
        EXPECT_EQ(ReadBytes(path), latin1Level);
    }

    // A name beyond Latin-1 is stored as UTF-8; a 30-character name fills its field exactly.
    for (const auto &[name, field] : {std::pair{wide, QByteArray("Kachel-\xe7\xa0\x96.vxt")},
                                      std::pair{thirty, thirty.toLatin1()}}) {
        dialogs.answer(MsgAnswer::No).open(app.tls(name));
        editor->mnuNew_Click();
        editor->LevelGrid(20, 30) = 2;
        const QString path = app.lvl(QStringLiteral("named.vxl"));
        ASSERT_TRUE(editor->SaveFile(path));
        const QByteArray expected =
            levelBytes({-1, 0, 0, 0}, field, "DefaultBackground.bmp", {{20, 30, 2}});
        EXPECT_EQ(ReadBytes(path), expected);
        ASSERT_TRUE(editor->OpenFile(path));
        EXPECT_EQ(editor->TileSetPath, app.tls(name));
        EXPECT_EQ(editor->PaletteCount, 4);
        ASSERT_TRUE(editor->SaveFile(path));
        EXPECT_EQ(ReadBytes(path), expected);
    }

    // A 31-character name keeps its first 30 characters, which name no tileset: reopening the
    // level says so and changes nothing.
    dialogs.answer(MsgAnswer::No).open(app.tls(thirtyOne));
    editor->mnuNew_Click();
    const QString path = app.lvl(QStringLiteral("cut.vxl"));
    ASSERT_TRUE(editor->SaveFile(path));
    EXPECT_EQ(ReadBytes(path).mid(8, 30), thirtyOne.left(30).toLatin1());
    dialogs.answer(MsgAnswer::Ok);
    EXPECT_FALSE(editor->OpenFile(path));
    expectMessage(QStringLiteral("Cannot open tileset.\r\n") + app.tls(thirtyOne.left(30)));
    EXPECT_EQ(editor->TileSetPath, app.tls(thirtyOne));
}

TEST_F(BadInputTest, BrickPicturesPlacedFarOutsideTheBitmap)
{
    // Places a damaged tileset file may hold, at the very ends of the 32-bit range and partly
    // inside.
    const QString path = app.tls(QStringLiteral("Far.vxt"));
    QByteArray bytes = Le32({6});
    for (auto [x, y] : {std::pair{INT_MIN, 0}, std::pair{0, INT_MIN}, std::pair{INT_MAX, INT_MIN},
                        std::pair{-16, 0}, std::pair{48, 8}, std::pair{32, 16}})
        bytes += Le32({1, 1, 1, 1, 1, x, y});
    WriteBytes(path, bytes);
    WriteBitmap(app.tls(QStringLiteral("Far.bmp")), CellPicture(64, 48));
    start();
    ASSERT_TRUE(editor->OpenTileSet(path));
    EXPECT_EQ(editor->PaletteCount, 6);
    auto slot = [this](int n, int x, int y) {
        return editor->Picture2[static_cast<std::size_t>(n)]->surface().pixelColor(x, y);
    };
    // Nothing of the bitmap reaches bricks 1 to 3: they stay black.
    for (int n = 1; n <= 3; ++n) {
        EXPECT_EQ(slot(n, 0, 0), QColor(Qt::black)) << n;
        EXPECT_EQ(slot(n, 31, 15), QColor(Qt::black)) << n;
    }
    // Brick 4 starts 16 pixels left of the bitmap: its right half shows cell 1.
    EXPECT_EQ(slot(4, 15, 8), QColor(Qt::black));
    EXPECT_EQ(slot(4, 16, 8), CellColour(1));
    // Brick 5 straddles four cells and is cut by the bitmap's right edge.
    EXPECT_EQ(slot(5, 0, 0), CellColour(4));
    EXPECT_EQ(slot(5, 15, 8), CellColour(5));
    EXPECT_EQ(slot(5, 16, 0), QColor(Qt::black));
    EXPECT_EQ(slot(6, 0, 0), CellColour(5));
}

TEST_F(BadInputTest, ASaveOntoAFolderWritesNothing)
{
    start();
    editor->LevelGrid(5, 5) = 1;
    // A folder where the level file should go.
    const QString folder = app.lvl(QStringLiteral("taken.vxl"));
    ASSERT_TRUE(QDir().mkdir(folder));
    dialogs.save(folder).answer(MsgAnswer::Ok);
    EXPECT_FALSE(editor->mnuSaveAs_Click());
    expectMessage(QStringLiteral("Error in writing file."));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_TRUE(entriesOf(folder).isEmpty());
    EXPECT_EQ(entriesOf(app.lvl(QString())), QStringList{QStringLiteral("taken.vxl")});
    EXPECT_EQ(editor->HasLevelPath, VbFalse);
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Vorpex Editor - Untitled"));
}

TEST_F(BadInputTest, ASaveIntoAReadOnlyFolderLeavesTheOldFileWhole)
{
    start();
    editor->LevelGrid(5, 5) = 1;
    const QString locked = app.path() + QStringLiteral("/Locked");
    ASSERT_TRUE(QDir().mkdir(locked));
    const QString old = locked + QStringLiteral("/old.vxl");
    const QByteArray oldBytes = levelBytes({0, -1, 0, 0}, "DefaultTileSet.vxt", "Old.bmp");
    WriteBytes(old, oldBytes);
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
    QFile probe(locked + QStringLiteral("/probe"));
    const bool writable = probe.open(QIODevice::WriteOnly);
    if (writable)
        probe.remove();
    if (!writable) {
        dialogs.save(old).answer(MsgAnswer::Ok);
        EXPECT_FALSE(editor->mnuSaveAs_Click());
        expectMessage(QStringLiteral("Error in writing file."));
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (writable)
        GTEST_SKIP() << "permission bits do not stop this user (root) from writing";
    EXPECT_EQ(ReadBytes(old), oldBytes);
    EXPECT_EQ(entriesOf(locked), QStringList{QStringLiteral("old.vxl")});
}
